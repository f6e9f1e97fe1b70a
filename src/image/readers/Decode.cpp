// Choosing the reader for a picture type.
#include "image/ImageErrors.h"
#include "image/Readers.h"

#include <algorithm>

namespace kw::image {

// Blocks of a fixed length let the compiler use vector instructions even at -O2, which keeps this check
// about as fast as the copy that decoded the bytes.
std::uint8_t highestByte(const std::uint8_t *bytes, std::size_t count)
{
    constexpr std::size_t kBlock = 64;
    std::uint8_t highest = 0;
    std::size_t i = 0;
    for (; i + kBlock <= count; i += kBlock) {
        std::uint8_t block = 0;
        for (std::size_t k = 0; k < kBlock; ++k)
            block = std::max(block, bytes[i + k]);
        highest = std::max(highest, block);
    }
    for (; i < count; ++i)
        highest = std::max(highest, bytes[i]);
    return highest;
}

void checkPaletteIndices(const BitmapImage &image)
{
    if (image.bitsPerPixel > 8 || image.empty())
        return;
    const int count = image.colorCount();
    if (count >= (1 << image.bitsPerPixel))
        return;
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t *row = image.rowFromTop(y);
        if (image.bitsPerPixel == 8) {
            if (highestByte(row, static_cast<std::size_t>(image.width)) >= count)
                throw ESubscriptOutOfRange();
            continue;
        }
        for (int x = 0; x < image.width; ++x)
            if (image.indexAt(x, y) >= count)
                throw ESubscriptOutOfRange();
    }
}

BitmapImage decodePicture(ImageType type, std::span<const std::uint8_t> data, const DecodeLimits &limits)
{
    BitmapImage image;
    switch (type) {
    case ImageType::Bmp:
        return readBmp(data, limits); // checks its indices itself
    case ImageType::Jpeg:
        image = readJpeg(data, limits);
        break;
    case ImageType::Gif:
        image = readGif(data, limits);
        break;
    case ImageType::Png:
        image = readPng(data, limits);
        break;
    case ImageType::Xbm:
        image = readXbm(data, limits);
        break;
    case ImageType::Unknown:
        throw EGraphicsException("Unknown picture type");
    }
    checkPaletteIndices(image);
    return image;
}

} // namespace kw::image
