// Device-independent bitmap structures shared by the decoded image and the drawing device.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kw::image {

/// One colour-map entry, in the byte order of a bitmap colour table.
struct RgbQuad {
    std::uint8_t blue = 0;
    std::uint8_t green = 0;
    std::uint8_t red = 0;
    std::uint8_t reserved = 0;

    friend bool operator==(const RgbQuad &, const RgbQuad &) = default;
};

/// Compression values of a bitmap header as the drawing call understands them; only RGB (uncompressed)
/// pixels are ever handed to a device.
enum class DibCompression : std::uint32_t { Rgb = 0 };

/// The 40-byte bitmap information header.
struct BitmapInfoHeader {
    std::uint32_t size = 40;
    std::int32_t width = 0;
    std::int32_t height = 0; ///< positive: rows stored bottom-up
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 0;
    DibCompression compression = DibCompression::Rgb;
    std::uint32_t sizeImage = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t clrUsed = 0;
    std::uint32_t clrImportant = 0;

    friend bool operator==(const BitmapInfoHeader &, const BitmapInfoHeader &) = default;
};

/// Header and colour table, as handed to the device's stretch call.
struct BitmapInfo {
    BitmapInfoHeader header;
    std::vector<RgbQuad> colors;

    friend bool operator==(const BitmapInfo &, const BitmapInfo &) = default;
};

/// Bytes of one pixel row of a bitmap: the bits of `width` pixels rounded up to whole 32-bit words.
/// Callers keep width and bit count within the decoding limits, so the result cannot overflow.
constexpr std::size_t dibStride(int width, int bitsPerPixel)
{
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31u) / 32u) * 4u;
}

} // namespace kw::image
