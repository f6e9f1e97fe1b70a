// The decoded picture every reader delivers: a bottom-up device-independent bitmap in memory.
#pragma once

#include "image/Dib.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kw::image {

/// A picture in the layout of a bottom-up device-independent bitmap.
///
/// Bits per pixel is one of 1, 4, 8 (colour-map indices, the most significant bits first within a byte),
/// 24 (blue, green, red) or 32 (blue, green, red, alpha; alpha 255 is opaque and readers without alpha
/// write 255). Rows are stored bottom-up, each padded to a whole number of 32-bit words, so `bits` holds
/// exactly `stride() * height` bytes. Palette pictures (1, 4 and 8 bits) carry at most 2^bpp colour-map
/// entries and every pixel's index lies inside the colour map; true-colour pictures carry no colour map.
/// `transparentIndex` is -1 or a colour-map index whose pixels are transparent.
struct BitmapImage {
    int bitsPerPixel = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> bits;
    std::vector<RgbQuad> colorMap;
    int transparentIndex = -1;

    /// True while nothing has been decoded into the picture.
    bool empty() const { return width <= 0 || height <= 0 || bits.empty(); }
    int colorCount() const { return static_cast<int>(colorMap.size()); }
    std::size_t stride() const { return dibStride(width, bitsPerPixel); }

    /// Row `y` counted from the top of the picture (stored at `height - 1 - y`).
    std::uint8_t *rowFromTop(int y)
    {
        return bits.data() + static_cast<std::size_t>(height - 1 - y) * stride();
    }
    const std::uint8_t *rowFromTop(int y) const
    {
        return bits.data() + static_cast<std::size_t>(height - 1 - y) * stride();
    }

    /// Colour-map index of the pixel at (x, y), y from the top; only for palette pictures.
    int indexAt(int x, int y) const;
    /// The colour of the pixel at (x, y), y from the top, as blue, green, red and alpha (the colour map's
    /// entries are opaque; the transparent entry is not treated specially).
    RgbQuad pixelAt(int x, int y) const;

    /// Sizes the picture and fills its bits with zeros; the colour map is left alone.
    void allocate(int newWidth, int newHeight, int newBitsPerPixel);

    /// Empty text when the picture keeps every promise above, otherwise what is broken. For tests and
    /// fuzz targets; readers guarantee the promises themselves.
    std::string invariantViolation() const;
};

/// Limits of what a reader accepts, so that a few bytes of outside input cannot ask for gigabytes.
/// The defaults cover every realistic logo, background and photograph: 16384 pixels per side and
/// 64 megapixels in all (at most 256 MiB of 32-bit pixels).
struct DecodeLimits {
    int maxSide = 16384;
    std::int64_t maxPixels = std::int64_t{64} * 1024 * 1024;

    /// True when a picture of this size may be decoded (both sides positive and within the limits).
    bool allows(std::int64_t width, std::int64_t height) const
    {
        return width > 0 && height > 0 && width <= maxSide && height <= maxSide &&
               width * height <= maxPixels;
    }
    /// A person's description of why a picture of this size is refused.
    std::string refusal(std::int64_t width, std::int64_t height) const;
};

/// Writes one row of 8-bit colour-map indices into a packed row of 1, 4 or 8 bits per pixel.
void packIndices(std::span<const std::uint8_t> indices, int bitsPerPixel, std::uint8_t *row);

/// A colour map of `count` grey levels from black to white.
std::vector<RgbQuad> greyColorMap(int count);

} // namespace kw::image
