// Loading and drawing of the image object.
#include "image/LayoutImage.h"

#include "image/ImageErrors.h"
#include "image/ImageType.h"
#include "image/Readers.h"
#include "image/ResourceProvider.h"
#include "image/SeekableFile.h"

#include <algorithm>

namespace kw::image {

namespace {

constexpr std::size_t kMaxFileErrorText = 256;

/// Cuts a text to at most `limit` bytes without splitting a UTF-8 sequence.
std::string clipped(std::string text, std::size_t limit)
{
    if (text.size() <= limit)
        return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
    return text;
}

std::vector<std::uint8_t> readWhole(SeekableFile &file)
{
    const std::uint64_t length = file.length();
    if (length > kMaxPictureFileSize)
        throw FileError("The picture file is too large (" + std::to_string(length) + " bytes; at most " +
                        std::to_string(kMaxPictureFileSize) + " bytes are read)");
    std::vector<std::uint8_t> block(static_cast<std::size_t>(length));
    file.seek(0);
    std::size_t filled = 0;
    while (filled < block.size()) {
        const std::size_t count = file.read(std::span(block).subspan(filled));
        if (count == 0)
            break;
        filled += count;
    }
    block.resize(filled);
    return block;
}

/// Restores the device's palette and stretch mode when a draw call ends, however it ends.
class DeviceState {
public:
    explicit DeviceState(DeviceContext &dc) : m_dc(dc) {}
    ~DeviceState()
    {
        if (m_stretchChanged)
            m_dc.setStretchMode(m_previousStretch);
        if (m_palette == PaletteHandle::Null)
            return;
        m_dc.selectPalette(m_previousPalette, false);
        m_dc.realizePalette();
        m_dc.deletePalette(m_palette);
    }
    DeviceState(const DeviceState &) = delete;
    DeviceState &operator=(const DeviceState &) = delete;

    void usePalette(PaletteHandle palette)
    {
        m_palette = palette;
        m_previousPalette = m_dc.selectPalette(palette, false);
        m_dc.realizePalette();
    }
    void useStretchMode(StretchMode mode)
    {
        m_previousStretch = m_dc.setStretchMode(mode);
        m_stretchChanged = true;
    }

private:
    DeviceContext &m_dc;
    PaletteHandle m_palette = PaletteHandle::Null;
    PaletteHandle m_previousPalette = PaletteHandle::Null;
    StretchMode m_previousStretch = StretchMode::ColorOnColor;
    bool m_stretchChanged = false;
};

} // namespace

CLayoutImage::CLayoutImage() : m_bitmap(std::make_unique<BitmapImage>()) {}

CLayoutImage::~CLayoutImage() = default;

bool CLayoutImage::LoadFromFile(SeekableFile *file, int type)
{
    if (!file)
        return false;
    const ImageType imageType = imageTypeFromCode(type);
    if (imageType == ImageType::Unknown)
        return false;
    try {
        if (const auto bytes = file->inMemory()) {
            *m_bitmap = decodePicture(imageType, *bytes, m_limits);
            return true;
        }
        const std::vector<std::uint8_t> block = readWhole(*file);
        *m_bitmap = decodePicture(imageType, block, m_limits);
        return true;
    } catch (const FileError &error) {
        m_lastError = clipped(error.what(), kMaxFileErrorText);
    } catch (const EGraphicsException &error) {
        m_lastError = error.what();
    } catch (...) {
        m_lastError = "unknown error reading image";
    }
    *m_bitmap = BitmapImage();
    return false;
}

bool CLayoutImage::LoadFromResource(const ResourceProvider &resources, std::string_view resourceName,
                                    int type)
{
    const std::span<const std::uint8_t> bytes = resources.find(resourceName, resourceTypeName(type));
    if (bytes.empty())
        return false;
    MemoryFile memory(1024);
    memory.write(bytes);
    memory.seek(0);
    return LoadFromFile(&memory, type);
}

bool CLayoutImage::LoadFromResource(std::string_view resourceName, int type)
{
    return LoadFromResource(builtinPictures(), resourceName, type);
}

int CLayoutImage::Width() const
{
    return m_bitmap->empty() ? 0 : m_bitmap->width;
}

int CLayoutImage::Height() const
{
    return m_bitmap->empty() ? 0 : m_bitmap->height;
}

int CLayoutImage::Draw(DeviceContext &dc, int xDest, int yDest, int widthDest, int heightDest, int xSrc,
                       int ySrc, int widthSrc, int heightSrc, RasterOp rasterOperation,
                       PaletteMode paletteMode) const
{
    const BitmapImage &image = *m_bitmap;
    if (image.empty())
        return 0;
    const int deviceBits = dc.bitsPerPixel();
    const PaletteMode mode = deviceBits >= 32 ? PaletteMode::None : paletteMode;
    const int colors = image.colorCount();

    BitmapInfo info;
    info.header.width = image.width;
    info.header.height = image.height;
    info.header.bitCount = static_cast<std::uint16_t>(image.bitsPerPixel);
    info.header.clrUsed = static_cast<std::uint32_t>(colors);
    info.colors = image.colorMap;
    if (image.transparentIndex >= 0 && image.transparentIndex < colors) {
        const Color background = dc.backgroundColor();
        info.colors[static_cast<std::size_t>(image.transparentIndex)] = {
            static_cast<std::uint8_t>(blueOf(background)), static_cast<std::uint8_t>(greenOf(background)),
            static_cast<std::uint8_t>(redOf(background)), 0};
    }

    DeviceState state(dc);
    switch (mode) {
    case PaletteMode::Logical: {
        const std::int64_t deviceColors = deviceBits <= 0 ? 0 : std::int64_t{1} << std::min(deviceBits, 31);
        const auto count = static_cast<std::size_t>(std::min<std::int64_t>(deviceColors, colors));
        if (count == 0)
            break;
        LogicalPalette palette;
        palette.entries.reserve(count);
        for (std::size_t i = 0; i < count; ++i) {
            const RgbQuad &entry = image.colorMap[i];
            palette.entries.push_back({entry.red, entry.green, entry.blue, 0});
        }
        state.usePalette(dc.createPalette(palette));
        break;
    }
    case PaletteMode::Halftone:
        state.usePalette(dc.createHalftonePalette());
        state.useStretchMode(StretchMode::Halftone);
        break;
    case PaletteMode::None:
        break;
    }
    return dc.stretchDIBits({xDest, yDest, widthDest, heightDest}, {xSrc, ySrc, widthSrc, heightSrc}, info,
                            image.bits, ColorUse::RgbColors, rasterOperation);
}

} // namespace kw::image
