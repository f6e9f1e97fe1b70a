// Helpers shared by every drawing device.
#include "image/DeviceContext.h"

#include <cassert>
#include <cstdlib>

namespace kw::image {

Color dibPixel(const BitmapInfo &info, std::span<const std::uint8_t> bits, int x, int y)
{
    const int width = info.header.width;
    const int height = std::abs(info.header.height);
    const int bitCount = info.header.bitCount;
    assert(x >= 0 && x < width && y >= 0 && y < height && "pixel outside the bitmap");
    const std::size_t stride = dibStride(width, bitCount);
    const int storedRow = info.header.height > 0 ? height - 1 - y : y;
    const std::uint8_t *row = bits.data() + static_cast<std::size_t>(storedRow) * stride;
    assert(static_cast<std::size_t>(storedRow + 1) * stride <= bits.size() && "bits too short");
    auto fromTable = [&](unsigned index) {
        if (index >= info.colors.size())
            return rgb(0, 0, 0);
        const RgbQuad &entry = info.colors[index];
        return rgb(entry.red, entry.green, entry.blue);
    };
    switch (bitCount) {
    case 1:
        return fromTable((row[x / 8] >> (7 - x % 8)) & 1u);
    case 4:
        return fromTable(x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0Fu);
    case 8:
        return fromTable(row[x]);
    case 24:
        return rgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
    default:
        assert(bitCount == 32 && "unsupported bit count");
        return rgb(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
    }
}

} // namespace kw::image
