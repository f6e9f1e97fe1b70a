// GIF reader on giflib: the first image of the stream, with its transparent colour.
#include "image/ImageErrors.h"
#include "image/Readers.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace kw::image {

namespace {

struct Input {
    std::span<const std::uint8_t> data;
    std::size_t position = 0;
    bool ranOut = false; // a read wanted more than was left
};

int readInput(GifFileType *gif, GifByteType *buffer, int length)
{
    auto *input = static_cast<Input *>(gif->UserData);
    const std::size_t count =
        std::min(static_cast<std::size_t>(std::max(length, 0)), input->data.size() - input->position);
    if (count > 0) // an empty span may have no data pointer at all
        std::memcpy(buffer, input->data.data() + input->position, count);
    input->position += count;
    if (count < static_cast<std::size_t>(std::max(length, 0)))
        input->ranOut = true;
    return static_cast<int>(count);
}

struct GifCloser {
    void operator()(GifFileType *gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

/// The exception for a giflib error code; a stream that ended early is a read error whatever giflib
/// made of it.
[[noreturn]] void throwGifError(int code, const Input &input)
{
    if (input.ranOut)
        throw EGifFileReadError();
    switch (code) {
    case D_GIF_ERR_OPEN_FAILED:
    case D_GIF_ERR_READ_FAILED:
    case D_GIF_ERR_NOT_READABLE:
        throw EGifFileReadError();
    case D_GIF_ERR_NOT_GIF_FILE:
        throw EGifNotAGifFile();
    case D_GIF_ERR_NO_SCRN_DSCR:
    case D_GIF_ERR_NO_IMAG_DSCR:
    case D_GIF_ERR_NO_COLOR_MAP:
    case D_GIF_ERR_WRONG_RECORD:
    case D_GIF_ERR_DATA_TOO_BIG:
    case D_GIF_ERR_IMAGE_DEFECT:
    case D_GIF_ERR_EOF_TOO_SOON:
        throw EGifCorruptFile();
    default:
        break;
    }
    const char *text = GifErrorString(code);
    throw EGifError(text ? text : "GIF error " + std::to_string(code));
}

/// Rows of an image in the order the stream delivers them: in four passes when interlaced.
std::vector<int> rowOrder(int height, bool interlaced)
{
    std::vector<int> order;
    order.reserve(static_cast<std::size_t>(height));
    if (!interlaced) {
        for (int y = 0; y < height; ++y)
            order.push_back(y);
        return order;
    }
    static constexpr int kStart[] = {0, 4, 2, 1};
    static constexpr int kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
        for (int y = kStart[pass]; y < height; y += kStep[pass])
            order.push_back(y);
    return order;
}

BitmapImage readImage(GifFileType *gif, const Input &input, int transparent, const DecodeLimits &limits)
{
    if (DGifGetImageDesc(gif) == GIF_ERROR)
        throwGifError(gif->Error, input);
    const GifImageDesc &desc = gif->Image;
    const ColorMapObject *map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map || map->ColorCount <= 0 || map->ColorCount > 256)
        throw EGifCorruptFile();
    if (desc.Width <= 0 || desc.Height <= 0 || desc.Left < 0 || desc.Top < 0)
        throw EGifCorruptFile();
    const std::int64_t width = std::max<std::int64_t>(gif->SWidth, std::int64_t{desc.Left} + desc.Width);
    const std::int64_t height = std::max<std::int64_t>(gif->SHeight, std::int64_t{desc.Top} + desc.Height);
    if (!limits.allows(width, height))
        throw EGifError(limits.refusal(width, height));

    BitmapImage image;
    const int colorCount = map->ColorCount;
    image.colorMap.resize(static_cast<std::size_t>(colorCount));
    for (int i = 0; i < colorCount; ++i) {
        const GifColorType &c = map->Colors[i];
        image.colorMap[static_cast<std::size_t>(i)] = {c.Blue, c.Green, c.Red, 0};
    }
    image.transparentIndex = transparent < colorCount ? transparent : -1;
    const int bitsPerPixel = colorCount <= 2 ? 1 : (colorCount <= 16 ? 4 : 8);

    // The logical screen outside the image shows the transparent colour, or else the background colour.
    const int fill = image.transparentIndex >= 0
                         ? image.transparentIndex
                         : (gif->SBackGroundColor < colorCount ? gif->SBackGroundColor : 0);
    const auto w = static_cast<std::size_t>(width);
    std::vector<std::uint8_t> canvas(w * static_cast<std::size_t>(height), static_cast<std::uint8_t>(fill));
    std::vector<GifPixelType> line(static_cast<std::size_t>(desc.Width));
    for (const int y : rowOrder(desc.Height, desc.Interlace)) {
        if (DGifGetLine(gif, line.data(), desc.Width) == GIF_ERROR)
            throwGifError(gif->Error, input);
        for (const GifPixelType index : line)
            if (index >= colorCount)
                throw ESubscriptOutOfRange();
        std::copy(line.begin(), line.end(),
                  canvas.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(desc.Top + y) * w +
                                                               static_cast<std::size_t>(desc.Left)));
    }

    image.allocate(static_cast<int>(width), static_cast<int>(height), bitsPerPixel);
    for (int y = 0; y < image.height; ++y)
        packIndices({canvas.data() + static_cast<std::size_t>(y) * w, w}, bitsPerPixel, image.rowFromTop(y));
    return image;
}

} // namespace

BitmapImage readGif(std::span<const std::uint8_t> data, const DecodeLimits &limits)
{
    Input input{data, 0};
    int error = 0;
    GifHandle gif(DGifOpen(&input, &readInput, &error));
    if (!gif)
        throwGifError(error, input);

    int transparent = -1;
    for (;;) {
        GifRecordType record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &record) == GIF_ERROR)
            throwGifError(gif->Error, input);
        switch (record) {
        case IMAGE_DESC_RECORD_TYPE:
            return readImage(gif.get(), input, transparent, limits);
        case EXTENSION_RECORD_TYPE: {
            int code = 0;
            GifByteType *block = nullptr;
            if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR)
                throwGifError(gif->Error, input);
            GraphicsControlBlock control;
            if (code == GRAPHICS_EXT_FUNC_CODE && block &&
                DGifExtensionToGCB(block[0], block + 1, &control) == GIF_OK)
                transparent = control.TransparentColor;
            while (block) {
                if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR)
                    throwGifError(gif->Error, input);
            }
            break;
        }
        case TERMINATE_RECORD_TYPE:
            throw EGifNoMoreImages();
        case UNDEFINED_RECORD_TYPE:
        case SCREEN_DESC_RECORD_TYPE:
            throw EGifCorruptFile();
        }
    }
}

} // namespace kw::image
