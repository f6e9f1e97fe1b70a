// The Windows bitmap reader: every depth, both run-length compressions, both row orders, and its failures.
#include "TestPictures.h"
#include "image/ImageErrors.h"
#include "image/Readers.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

namespace kw::image {
namespace {

using namespace testing;

void set16(Bytes &bytes, std::size_t at, std::uint32_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value);
    bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void set32(Bytes &bytes, std::size_t at, std::uint32_t value)
{
    set16(bytes, at, value & 0xFFFF);
    set16(bytes, at + 2, value >> 16);
}

// Offsets in a file with the 40-byte header.
constexpr std::size_t kPixelOffset = 10, kWidth = 18, kHeight = 22, kBitCount = 28, kCompression = 30,
                      kColorsUsed = 46;

TEST(BmpReader, PalettePicturesKeepTheirIndicesAndColours)
{
    struct Case {
        const char *name;
        int bits;
        BmpCompression compression;
        bool topDown;
        std::uint32_t headerSize;
        int colours;
    };
    const Case cases[] = {
        {"1 bit", 1, BmpCompression::Rgb, false, 40, 2},
        {"1 bit top-down", 1, BmpCompression::Rgb, true, 40, 2},
        {"4 bits", 4, BmpCompression::Rgb, false, 40, 16},
        {"4 bits top-down", 4, BmpCompression::Rgb, true, 40, 16},
        {"4 bits, 3 colours used", 4, BmpCompression::Rgb, false, 40, 3},
        {"8 bits", 8, BmpCompression::Rgb, false, 40, 256},
        {"8 bits top-down", 8, BmpCompression::Rgb, true, 40, 256},
        {"8 bits, core header", 8, BmpCompression::Rgb, false, 12, 256},
        {"8 bits, version 4 header", 8, BmpCompression::Rgb, false, 108, 20},
        {"RLE8", 8, BmpCompression::Rle8, false, 40, 256},
        {"RLE4", 4, BmpCompression::Rle4, false, 40, 16},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Indexed source = stripes(13, 5, c.colours);
        // Runs of equal pixels, so that the run-length encoder uses both of its modes.
        for (int x = 4; x < 10; ++x)
            source.at(x, 2) = static_cast<std::uint8_t>(c.colours - 1);
        BmpOptions options;
        options.bitsPerPixel = c.bits;
        options.compression = c.compression;
        options.topDown = c.topDown;
        options.headerSize = c.headerSize;
        const BitmapImage image = readBmp(encodeBmp(source, options));
        EXPECT_EQ(image.bitsPerPixel, c.bits);
        EXPECT_EQ(image.colorCount(), c.colours);
        EXPECT_EQ(image.transparentIndex, -1);
        EXPECT_EQ(image.invariantViolation(), "");
        expectSameIndices(image, source);
    }
}

TEST(BmpReader, TrueColourPicturesKeepTheirColours)
{
    struct Case {
        const char *name;
        int bits;
        BmpCompression compression;
        bool topDown;
        std::uint32_t headerSize;
        std::array<std::uint32_t, 4> masks;
        int decodedBits;
        int tolerance;
        bool alpha;
    };
    const Case cases[] = {
        {"16 bits 5-5-5", 16, BmpCompression::Rgb, false, 40, {}, 24, 8, false},
        {"16 bits 5-6-5 fields",
         16,
         BmpCompression::BitFields,
         false,
         40,
         {0xF800, 0x07E0, 0x001F, 0},
         24,
         8,
         false},
        {"24 bits", 24, BmpCompression::Rgb, false, 40, {}, 24, 0, false},
        {"24 bits top-down", 24, BmpCompression::Rgb, true, 40, {}, 24, 0, false},
        {"32 bits", 32, BmpCompression::Rgb, false, 40, {}, 32, 0, false},
        {"32 bits fields, no alpha",
         32,
         BmpCompression::BitFields,
         true,
         40,
         {0xFF0000, 0xFF00, 0xFF, 0},
         32,
         0,
         false},
        {"32 bits fields with alpha, v4",
         32,
         BmpCompression::BitFields,
         false,
         108,
         {0xFF0000, 0xFF00, 0xFF, 0xFF000000},
         32,
         0,
         true},
        {"32 bits fields with alpha, v5, swapped",
         32,
         BmpCompression::BitFields,
         false,
         124,
         {0xFF, 0xFF00, 0xFF0000, 0xFF000000},
         32,
         0,
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Pixels source = gradient(11, 6);
        BmpOptions options;
        options.bitsPerPixel = c.bits;
        options.compression = c.compression;
        options.topDown = c.topDown;
        options.headerSize = c.headerSize;
        options.masks = c.masks;
        const BitmapImage image = readBmp(encodeBmp(source, options));
        EXPECT_EQ(image.bitsPerPixel, c.decodedBits);
        EXPECT_TRUE(image.colorMap.empty());
        EXPECT_EQ(image.invariantViolation(), "");
        expectSameColours(image, source, c.tolerance, c.alpha);
    }
}

TEST(BmpReader, RunLengthEscapesMoveThePenAndPadLiterals)
{
    // Width 6, height 3, RLE8: row 0 (bottom) from a run and an odd literal; a jump to (2, 2); a run.
    Indexed palette(6, 3, {{0, 0, 0, 255}, {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}});
    BmpOptions options;
    options.bitsPerPixel = 8;
    options.compression = BmpCompression::Rle8;
    Bytes file = encodeBmp(palette, options);
    const std::size_t pixels = file[kPixelOffset];
    file.resize(pixels);
    const std::uint8_t data[] = {3, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 2, 1, 2, 3, 0, 1};
    file.insert(file.end(), std::begin(data), std::end(data));
    const BitmapImage image = readBmp(file);
    const int expected[3][6] = {{0, 0, 3, 3, 0, 0}, {0, 0, 0, 0, 0, 0}, {1, 1, 1, 2, 3, 1}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(image.indexAt(x, y), expected[y][x]) << x << "," << y;

    // RLE4 runs alternate the two colours of their byte.
    options.bitsPerPixel = 4;
    options.compression = BmpCompression::Rle4;
    Bytes four = encodeBmp(Indexed(5, 1, palette.palette), options);
    four.resize(four[kPixelOffset]);
    const std::uint8_t run[] = {5, 0x12, 0, 1};
    four.insert(four.end(), std::begin(run), std::end(run));
    const BitmapImage alternating = readBmp(four);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(alternating.indexAt(x, 0), x % 2 == 0 ? 1 : 2);
}

TEST(BmpReader, MalformedFilesFailWithTheirTexts)
{
    const Bytes good = encodeBmp(stripes(8, 4, 16), BmpOptions{8, BmpCompression::Rgb, false, 40, {}});
    const Bytes rle = encodeBmp(stripes(8, 4, 16), BmpOptions{8, BmpCompression::Rle8, false, 40, {}});
    auto patched = [](Bytes bytes, const std::function<void(Bytes &)> &change) {
        change(bytes);
        return bytes;
    };
    const std::string readError = "Error reading BMP input file", corrupt = "Corrupt Windows Bitmap stream",
                      unsupported = "Unsupported Bitmap Format";
    const auto &readType = typeid(EBmpFileReadError), &corruptType = typeid(EBmpCorruptFile),
               &unsupportedType = typeid(EBmpNotSupported), &limitType = typeid(EGraphicsException);
    struct Case {
        const char *name;
        Bytes file;
        const std::type_info &type;
        std::string text;
    };
    const Case cases[] = {
        {"empty", {}, readType, readError},
        {"one byte", {'B'}, readType, readError},
        {"wrong magic", patched(good, [](Bytes &b) { b[1] = 'X'; }), typeid(EBmpNotABmpFile),
         "Not a Windows Bitmap stream"},
        {"cut in the file header", Bytes(good.begin(), good.begin() + 12), readType, readError},
        {"cut in the info header", Bytes(good.begin(), good.begin() + 40), readType, readError},
        {"cut in the pixels", Bytes(good.begin(), good.end() - 5), readType, readError},
        {"pixels beyond the end", patched(good, [](Bytes &b) { set32(b, kPixelOffset, 5000); }), readType,
         readError},
        {"pixels inside the header", patched(good, [](Bytes &b) { set32(b, kPixelOffset, 30); }), corruptType,
         corrupt},
        {"unknown header size", patched(good, [](Bytes &b) { set32(b, 14, 20); }), unsupportedType,
         unsupported},
        {"2 bits per pixel", patched(good, [](Bytes &b) { set16(b, kBitCount, 2); }),
         typeid(EInvalidBitCount), "Invalid bit count"},
        {"JPEG inside", patched(good, [](Bytes &b) { set32(b, kCompression, 4); }), unsupportedType,
         unsupported},
        {"unknown compression", patched(good, [](Bytes &b) { set32(b, kCompression, 99); }), unsupportedType,
         unsupported},
        {"zero width", patched(good, [](Bytes &b) { set32(b, kWidth, 0); }), corruptType, corrupt},
        {"negative width", patched(good, [](Bytes &b) { set32(b, kWidth, 0xFFFFFFF0); }), corruptType,
         corrupt},
        {"zero height", patched(good, [](Bytes &b) { set32(b, kHeight, 0); }), corruptType, corrupt},
        {"RLE8 at 4 bits", patched(rle, [](Bytes &b) { set16(b, kBitCount, 4); }), corruptType, corrupt},
        {"RLE top-down", patched(rle, [](Bytes &b) { set32(b, kHeight, static_cast<std::uint32_t>(-4)); }),
         corruptType, corrupt},
        {"fields at 8 bits", patched(good, [](Bytes &b) { set32(b, kCompression, 3); }), corruptType,
         corrupt},
        {"RLE cut before its end", Bytes(rle.begin(), rle.end() - 3), readType, readError},
        {"huge", patched(good, [](Bytes &b) { set32(b, kWidth, 100000), set32(b, kHeight, 100000); }),
         limitType,
         "Image too large (100000 x 100000 pixels; the limit is 16384 pixels per side and 64 megapixels)"},
        {"most negative height", patched(good, [](Bytes &b) { set32(b, kHeight, 0x80000000u); }), limitType,
         "Image too large (8 x 2147483648 pixels; the limit is 16384 pixels per side and 64 megapixels)"},
        {"colour beyond the table", patched(good, [](Bytes &b) { set32(b, kColorsUsed, 2), b.back() = 9; }),
         typeid(ESubscriptOutOfRange), "Subscript out of range"},
        // Stored top-down the rows are copied one by one and checked afterwards: the same refusal.
        {"colour beyond the table, top-down",
         patched(good,
                 [](Bytes &b) {
                     set32(b, kColorsUsed, 2), set32(b, kHeight, static_cast<std::uint32_t>(-4)),
                         b.back() = 9;
                 }),
         typeid(ESubscriptOutOfRange), "Subscript out of range"},
        {"colour beyond the table in the first stored row",
         patched(good, [](Bytes &b) { set32(b, kColorsUsed, 2), b[b.size() - 8 * 4] = 7; }),
         typeid(ESubscriptOutOfRange), "Subscript out of range"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        expectError([&] { decodePicture(ImageType::Bmp, c.file); }, c.type, c.text);
    }
}

// The index check of 8-bit rows takes 64 bytes per step and the rest one by one: the highest byte is found
// wherever it lies, in each of the step's lanes and in the tail, for rows shorter and longer than a step.
TEST(BmpReader, TheIndexCheckFindsTheHighestByteAnywhereInARow)
{
    for (std::size_t length : {0u, 1u, 63u, 64u, 65u, 127u, 200u, 1024u}) {
        std::vector<std::uint8_t> row(length, 3);
        EXPECT_EQ(highestByte(row.data(), length), length ? 3 : 0) << length;
        for (std::size_t at = 0; at < length; ++at) {
            row[at] = 200;
            ASSERT_EQ(highestByte(row.data(), length), 200) << "length " << length << ", at " << at;
            row[at] = 3;
        }
    }
}

TEST(BmpReader, LimitsAreCheckedBeforeAnythingIsAllocated)
{
    BmpOptions options;
    options.bitsPerPixel = 24;
    const Bytes file = encodeBmp(gradient(40, 30), options);
    DecodeLimits narrow;
    narrow.maxSide = 39;
    expectFailure<EGraphicsException>([&] { readBmp(file, narrow); },
                                      "Image too large (40 x 30 pixels; the limit is 39 pixels per side and "
                                      "64 megapixels)");
    DecodeLimits small;
    small.maxPixels = 1199;
    EXPECT_THROW(readBmp(file, small), EGraphicsException);
    small.maxPixels = 1200;
    EXPECT_EQ(readBmp(file, small).width, 40);
}

} // namespace
} // namespace kw::image
