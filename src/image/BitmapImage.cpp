// Pixel access, packing and self-checks of the decoded picture.
#include "image/BitmapImage.h"

#include <algorithm>
#include <cassert>

namespace kw::image {

int BitmapImage::indexAt(int x, int y) const
{
    assert(bitsPerPixel <= 8 && "indexAt needs a palette picture");
    const std::uint8_t *row = rowFromTop(y);
    switch (bitsPerPixel) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
        return (x % 2 == 0) ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
    default:
        return row[x];
    }
}

namespace {

// The first column of a palette row whose index is `count` or more, or -1.
int firstIndexBeyond(const std::uint8_t *row, int width, int bitsPerPixel, int count)
{
    if (bitsPerPixel == 8) {
        const std::uint8_t *end = row + width;
        const std::uint8_t *found =
            std::find_if(row, end, [count](std::uint8_t index) { return index >= count; });
        return found == end ? -1 : static_cast<int>(found - row);
    }
    const int perByte = 8 / bitsPerPixel;
    const int mask = (1 << bitsPerPixel) - 1;
    for (int x = 0; x < width; ++x) {
        const int shift = 8 - bitsPerPixel * (x % perByte + 1);
        if (((row[x / perByte] >> shift) & mask) >= count)
            return x;
    }
    return -1;
}

} // namespace

RgbQuad BitmapImage::pixelAt(int x, int y) const
{
    const std::uint8_t *row = rowFromTop(y);
    if (bitsPerPixel == 24)
        return {row[3 * x], row[3 * x + 1], row[3 * x + 2], 255};
    if (bitsPerPixel == 32)
        return {row[4 * x], row[4 * x + 1], row[4 * x + 2], row[4 * x + 3]};
    RgbQuad entry = colorMap.at(static_cast<std::size_t>(indexAt(x, y)));
    entry.reserved = 255;
    return entry;
}

void BitmapImage::allocate(int newWidth, int newHeight, int newBitsPerPixel)
{
    width = newWidth;
    height = newHeight;
    bitsPerPixel = newBitsPerPixel;
    bits.assign(stride() * static_cast<std::size_t>(height), 0);
}

std::string BitmapImage::invariantViolation() const
{
    if (width == 0 && height == 0 && bits.empty())
        return {};
    if (width <= 0 || height <= 0)
        return "non-positive size";
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24 &&
        bitsPerPixel != 32)
        return "bits per pixel " + std::to_string(bitsPerPixel);
    if (bits.size() != stride() * static_cast<std::size_t>(height))
        return "bits hold " + std::to_string(bits.size()) + " bytes, expected " +
               std::to_string(stride() * static_cast<std::size_t>(height));
    if (bitsPerPixel > 8) {
        if (!colorMap.empty())
            return "true-colour picture with a colour map";
        if (transparentIndex != -1)
            return "true-colour picture with a transparent index";
        return {};
    }
    if (colorMap.empty() || colorMap.size() > (std::size_t{1} << bitsPerPixel))
        return "colour map of " + std::to_string(colorMap.size()) + " entries";
    if (transparentIndex < -1 || transparentIndex >= colorCount())
        return "transparent index " + std::to_string(transparentIndex);
    // A full colour map covers every index the bits can hold; otherwise each row is scanned as it lies.
    if (colorMap.size() == (std::size_t{1} << bitsPerPixel))
        return {};
    for (int y = 0; y < height; ++y)
        if (const int x = firstIndexBeyond(rowFromTop(y), width, bitsPerPixel, colorCount()); x >= 0)
            return "index out of range at " + std::to_string(x) + "," + std::to_string(y);
    return {};
}

std::string DecodeLimits::refusal(std::int64_t width, std::int64_t height) const
{
    if (width <= 0 || height <= 0)
        return "Invalid image size " + std::to_string(width) + " x " + std::to_string(height);
    return "Image too large (" + std::to_string(width) + " x " + std::to_string(height) +
           " pixels; the limit is " + std::to_string(maxSide) + " pixels per side and " +
           std::to_string(maxPixels / (1024 * 1024)) + " megapixels)";
}

void packIndices(std::span<const std::uint8_t> indices, int bitsPerPixel, std::uint8_t *row)
{
    const std::size_t count = indices.size();
    switch (bitsPerPixel) {
    case 1:
        std::fill(row, row + (count + 7) / 8, std::uint8_t{0});
        for (std::size_t x = 0; x < count; ++x)
            row[x / 8] |= static_cast<std::uint8_t>((indices[x] & 1) << (7 - x % 8));
        return;
    case 4:
        for (std::size_t x = 0; x + 1 < count; x += 2)
            row[x / 2] = static_cast<std::uint8_t>((indices[x] << 4) | (indices[x + 1] & 0x0F));
        if (count % 2 != 0)
            row[count / 2] = static_cast<std::uint8_t>(indices[count - 1] << 4);
        return;
    default:
        std::copy(indices.begin(), indices.end(), row);
        return;
    }
}

std::vector<RgbQuad> greyColorMap(int count)
{
    std::vector<RgbQuad> map(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const auto level = static_cast<std::uint8_t>(count > 1 ? i * 255 / (count - 1) : 0);
        map[static_cast<std::size_t>(i)] = {level, level, level, 0};
    }
    return map;
}

} // namespace kw::image
