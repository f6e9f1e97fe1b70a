// Windows bitmap reader.
#include "image/ImageErrors.h"
#include "image/Readers.h"
#include "image/readers/Bytes.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>

namespace kw::image {

namespace {

using bytes::le16;
using bytes::le32;
using bytes::le32s;

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;

enum Compression : std::uint32_t {
    kRgb = 0,
    kRle8 = 1,
    kRle4 = 2,
    kBitFields = 3,
    kJpeg = 4,
    kPng = 5,
    kAlphaBitFields = 6,
};

struct Header {
    std::uint32_t infoSize = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t colorsUsed = 0;
    std::array<std::uint32_t, 4> masks{}; // red, green, blue, alpha
    bool hasMasks = false;
    std::size_t tableStart = 0; // first byte after the header and any masks that follow it
    std::size_t dataOffset = 0;
};

/// A colour channel described by a bit mask of a 16- or 32-bit pixel.
class Channel {
public:
    explicit Channel(std::uint32_t mask)
        : m_mask(mask), m_shift(mask ? std::countr_zero(mask) : 0), m_max(mask ? mask >> m_shift : 1)
    {
    }
    bool present() const { return m_mask != 0; }
    std::uint8_t operator()(std::uint32_t pixel) const
    {
        const std::uint64_t value = (pixel & m_mask) >> m_shift;
        return static_cast<std::uint8_t>(value * 255u / m_max);
    }

private:
    std::uint32_t m_mask;
    int m_shift;
    std::uint32_t m_max;
};

Header readHeader(std::span<const std::uint8_t> data)
{
    if (data.size() < 2)
        throw EBmpFileReadError();
    if (data[0] != 'B' || data[1] != 'M')
        throw EBmpNotABmpFile();
    if (data.size() < kFileHeaderSize + 4)
        throw EBmpFileReadError();
    Header h;
    h.dataOffset = le32(&data[10]);
    h.infoSize = le32(&data[14]);
    const std::uint8_t *info = &data[kFileHeaderSize];
    if (h.infoSize == kCoreHeaderSize) {
        if (data.size() < kFileHeaderSize + kCoreHeaderSize)
            throw EBmpFileReadError();
        h.width = le16(info + 4);
        h.height = le16(info + 6);
        h.bitCount = le16(info + 10);
        h.tableStart = kFileHeaderSize + kCoreHeaderSize;
        return h;
    }
    if (h.infoSize != 40 && h.infoSize != 52 && h.infoSize != 56 && h.infoSize != 64 && h.infoSize != 108 &&
        h.infoSize != 124)
        throw EBmpNotSupported();
    if (data.size() < kFileHeaderSize + h.infoSize)
        throw EBmpFileReadError();
    h.width = le32s(info + 4);
    const std::int64_t height = le32s(info + 8);
    h.topDown = height < 0;
    h.height = height < 0 ? -height : height;
    h.bitCount = le16(info + 14);
    h.compression = le32(info + 16);
    h.colorsUsed = le32(info + 32);
    h.tableStart = kFileHeaderSize + h.infoSize;
    // The 64-byte OS/2 header numbers its compressions differently from 3 on.
    if (h.infoSize == 64 && h.compression >= kBitFields)
        throw EBmpNotSupported();
    if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
        h.hasMasks = true;
        const int maskCount = h.compression == kAlphaBitFields ? 4 : 3;
        const std::uint8_t *masks = info + 40;
        if (h.infoSize == 40) {
            // The masks follow the header, before the colour table.
            if (data.size() < h.tableStart + 4u * static_cast<std::size_t>(maskCount))
                throw EBmpFileReadError();
            h.tableStart += 4u * static_cast<std::size_t>(maskCount);
        }
        // The longer headers hold red, green and blue masks, from 56 bytes on also an alpha mask.
        const int stored = h.infoSize == 40 ? maskCount : (h.infoSize >= 56 ? 4 : 3);
        for (int i = 0; i < stored; ++i)
            h.masks[static_cast<std::size_t>(i)] = le32(masks + 4 * i);
    }
    return h;
}

void validate(const Header &h, const DecodeLimits &limits)
{
    if (h.width <= 0 || h.height <= 0)
        throw EBmpCorruptFile();
    switch (h.bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        throw EInvalidBitCount();
    }
    switch (h.compression) {
    case kRgb:
        break;
    case kRle8:
    case kRle4:
        if (h.bitCount != (h.compression == kRle8 ? 8 : 4) || h.topDown)
            throw EBmpCorruptFile();
        break;
    case kBitFields:
    case kAlphaBitFields:
        if (h.bitCount != 16 && h.bitCount != 32)
            throw EBmpCorruptFile();
        break;
    default:
        throw EBmpNotSupported();
    }
    if (!limits.allows(h.width, h.height))
        throw EGraphicsException(limits.refusal(h.width, h.height));
}

/// Reads the colour table and settles where the pixels begin.
std::vector<RgbQuad> readColorTable(std::span<const std::uint8_t> data, Header &h)
{
    const std::size_t entrySize = h.infoSize == kCoreHeaderSize ? 3 : 4;
    std::size_t count = 0;
    if (h.bitCount <= 8) {
        const std::size_t full = std::size_t{1} << h.bitCount;
        count = (h.colorsUsed == 0 || h.colorsUsed > full) ? full : h.colorsUsed;
    }
    if (h.dataOffset == 0)
        h.dataOffset = h.tableStart + count * entrySize;
    if (h.dataOffset < h.tableStart)
        throw EBmpCorruptFile();
    if (h.dataOffset > data.size())
        throw EBmpFileReadError();
    // Some writers leave out the unused tail of the table; the pixels start where the header says.
    count = std::min(count, (h.dataOffset - h.tableStart) / entrySize);
    if (h.bitCount <= 8 && count == 0)
        throw EBmpCorruptFile();
    std::vector<RgbQuad> table(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t *entry = &data[h.tableStart + i * entrySize];
        table[i] = {entry[0], entry[1], entry[2], 0};
    }
    return table;
}

/// Whether the colour-map indices were checked on the way.
bool readUncompressed(std::span<const std::uint8_t> data, const Header &h, BitmapImage &image)
{
    const int width = static_cast<int>(h.width);
    const int height = static_cast<int>(h.height);
    const std::size_t srcStride = dibStride(width, h.bitCount);
    const std::size_t lastRow =
        (static_cast<std::size_t>(width) * static_cast<std::size_t>(h.bitCount) + 7) / 8;
    const std::size_t needed = srcStride * static_cast<std::size_t>(height - 1) + lastRow;
    if (data.size() - h.dataOffset < needed)
        throw EBmpFileReadError();
    const std::uint8_t *pixels = data.data() + h.dataOffset;
    auto sourceRow = [&](int yFromTop) {
        const int stored = h.topDown ? yFromTop : height - 1 - yFromTop;
        return pixels + static_cast<std::size_t>(stored) * srcStride;
    };

    if (h.bitCount <= 8 || h.bitCount == 24) {
        if (!h.topDown) {
            // Stored bottom-up with the padded rows of the bitmap in memory: the block is taken as it is
            // (the last row's padding may be missing from the file), an 8-bit one checked row by row
            // while the row is at hand.
            image.width = width;
            image.height = height;
            image.bitsPerPixel = h.bitCount;
            image.bits.clear();
            image.bits.reserve(srcStride * static_cast<std::size_t>(height));
            const bool checkRows = h.bitCount == 8 && image.colorMap.size() < 256;
            for (int stored = 0; stored < height; ++stored) {
                const std::uint8_t *row = pixels + static_cast<std::size_t>(stored) * srcStride;
                if (checkRows && highestByte(row, static_cast<std::size_t>(width)) >= image.colorCount())
                    throw ESubscriptOutOfRange();
                image.bits.insert(image.bits.end(), row, row + (stored + 1 < height ? srcStride : lastRow));
            }
            image.bits.resize(srcStride * static_cast<std::size_t>(height), 0);
            return h.bitCount == 8;
        }
        image.allocate(width, height, h.bitCount);
        for (int y = 0; y < height; ++y)
            std::copy_n(sourceRow(y), lastRow, image.rowFromTop(y));
        return false;
    }

    std::array<std::uint32_t, 4> masks = h.masks;
    if (!h.hasMasks)
        masks = h.bitCount == 16 ? std::array<std::uint32_t, 4>{0x7C00, 0x03E0, 0x001F, 0}
                                 : std::array<std::uint32_t, 4>{0x00FF0000, 0x0000FF00, 0x000000FF, 0};
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
    if (h.bitCount == 16) {
        image.allocate(width, height, 24);
        for (int y = 0; y < height; ++y) {
            const std::uint8_t *src = sourceRow(y);
            std::uint8_t *dst = image.rowFromTop(y);
            for (int x = 0; x < width; ++x, dst += 3) {
                const std::uint32_t pixel = le16(src + 2 * x);
                dst[0] = blue(pixel);
                dst[1] = green(pixel);
                dst[2] = red(pixel);
            }
        }
        return true; // no colour map
    }
    image.allocate(width, height, 32);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t *src = sourceRow(y);
        std::uint8_t *dst = image.rowFromTop(y);
        for (int x = 0; x < width; ++x, dst += 4) {
            const std::uint32_t pixel = le32(src + 4 * x);
            dst[0] = blue(pixel);
            dst[1] = green(pixel);
            dst[2] = red(pixel);
            dst[3] = alpha.present() ? alpha(pixel) : 255;
        }
    }
    return true; // no colour map
}

/// Run-length encoded 8- and 4-bit pictures. Pixels the runs never reach keep index 0; runs that leave
/// the picture are cut off.
void readRunLength(std::span<const std::uint8_t> data, const Header &h, BitmapImage &image)
{
    const bool fourBit = h.compression == kRle4;
    const std::int64_t width = h.width;
    const std::int64_t height = h.height;
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width * height), 0);
    std::size_t pos = h.dataOffset;
    const std::size_t end = data.size();
    std::int64_t x = 0;
    std::int64_t y = 0; // stored row: 0 is the bottom row
    auto put = [&](std::int64_t px, std::uint8_t value) {
        if (px < width)
            indices[static_cast<std::size_t>(y * width + px)] = value;
    };
    while (y < height) {
        if (end - pos < 2)
            throw EBmpFileReadError();
        const unsigned count = data[pos];
        const std::uint8_t value = data[pos + 1];
        pos += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                put(x + i,
                    fourBit ? static_cast<std::uint8_t>(i % 2 == 0 ? value >> 4 : value & 0x0F) : value);
            x = std::min(x + count, width);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // move right and up
            if (end - pos < 2)
                throw EBmpFileReadError();
            x = std::min<std::int64_t>(x + data[pos], width);
            y += data[pos + 1];
            pos += 2;
        } else { // literal pixels, padded to a 16-bit boundary
            const std::size_t literalBytes = fourBit ? (value + 1u) / 2u : value;
            const std::size_t padded = literalBytes + (literalBytes & 1u);
            if (end - pos < padded)
                throw EBmpFileReadError();
            for (unsigned i = 0; i < value; ++i) {
                const std::uint8_t byte = data[pos + (fourBit ? i / 2 : i)];
                put(x + i, fourBit ? static_cast<std::uint8_t>(i % 2 == 0 ? byte >> 4 : byte & 0x0F) : byte);
            }
            x = std::min<std::int64_t>(x + value, width);
            pos += padded;
        }
    }
    image.allocate(static_cast<int>(width), static_cast<int>(height), fourBit ? 4 : 8);
    for (std::int64_t row = 0; row < height; ++row)
        packIndices({indices.data() + row * width, static_cast<std::size_t>(width)}, image.bitsPerPixel,
                    image.bits.data() + static_cast<std::size_t>(row) * image.stride());
}

} // namespace

BitmapImage readBmp(std::span<const std::uint8_t> data, const DecodeLimits &limits)
{
    Header header = readHeader(data);
    validate(header, limits);
    BitmapImage image;
    image.colorMap = readColorTable(data, header);
    bool checked = false;
    if (header.compression == kRle8 || header.compression == kRle4)
        readRunLength(data, header, image);
    else
        checked = readUncompressed(data, header, image);
    if (!checked)
        checkPaletteIndices(image);
    return image;
}

} // namespace kw::image
