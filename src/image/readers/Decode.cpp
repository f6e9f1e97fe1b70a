// Choosing the reader for a picture type.
#include "image/ImageErrors.h"
#include "image/Readers.h"

#include <algorithm>

namespace kw::image {

namespace {

/// The highest byte of a row. Blocks of a fixed length let the compiler use vector instructions even
/// at -O2, which keeps this check as fast as the copy that decoded the row.
std::uint8_t highestByte(const std::uint8_t *row, int width)
{
    constexpr int kBlock = 64;
    std::uint8_t highest = 0;
    int x = 0;
    for (; x + kBlock <= width; x += kBlock) {
        std::uint8_t block = 0;
        for (int i = 0; i < kBlock; ++i)
            block = std::max(block, row[x + i]);
        highest = std::max(highest, block);
    }
    for (; x < width; ++x)
        highest = std::max(highest, row[x]);
    return highest;
}

/// Refuses palette pictures whose pixels name colours the colour map does not have.
void checkIndices(const BitmapImage &image)
{
    if (image.bitsPerPixel > 8 || image.empty())
        return;
    const int count = image.colorCount();
    if (count >= (1 << image.bitsPerPixel))
        return;
    for (int y = 0; y < image.height; ++y) {
        const std::uint8_t *row = image.rowFromTop(y);
        if (image.bitsPerPixel == 8) {
            if (highestByte(row, image.width) >= count)
                throw ESubscriptOutOfRange();
            continue;
        }
        for (int x = 0; x < image.width; ++x)
            if (image.indexAt(x, y) >= count)
                throw ESubscriptOutOfRange();
    }
}

} // namespace

BitmapImage decodePicture(ImageType type, std::span<const std::uint8_t> data, const DecodeLimits &limits)
{
    BitmapImage image;
    switch (type) {
    case ImageType::Bmp:
        image = readBmp(data, limits);
        break;
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
    checkIndices(image);
    return image;
}

} // namespace kw::image
