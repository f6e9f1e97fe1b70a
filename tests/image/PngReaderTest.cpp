// The PNG reader: which layout each colour type turns into, transparency, interlacing and failures.
#include "TestPictures.h"
#include "image/ImageErrors.h"
#include "image/Readers.h"

#include <gtest/gtest.h>

#include <zlib.h>

namespace kw::image {
namespace {

using namespace testing;

/// Recomputes the CRC of the chunk whose type starts at `typeAt` (after the data was changed).
void fixCrc(Bytes &png, std::size_t typeAt)
{
    const std::uint32_t length =
        (png[typeAt - 4] << 24) | (png[typeAt - 3] << 16) | (png[typeAt - 2] << 8) | png[typeAt - 1];
    const uLong crc = crc32(0, &png[typeAt], length + 4);
    const std::size_t at = typeAt + 4 + length;
    for (int i = 0; i < 4; ++i)
        png[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
}

std::size_t chunk(const Bytes &png, const char *type)
{
    const std::string text(png.begin(), png.end());
    return text.find(type);
}

TEST(PngReader, PalettePicturesStayPalettePictures)
{
    struct Case {
        int bitDepth;
        int colours;
        int decodedBits;
    };
    const Case cases[] = {{1, 2, 1}, {2, 4, 8}, {4, 16, 4}, {4, 5, 4}, {8, 256, 8}, {8, 100, 8}};
    for (const Case &c : cases) {
        SCOPED_TRACE("bit depth " + std::to_string(c.bitDepth) + ", " + std::to_string(c.colours) +
                     " colours");
        const Indexed source = stripes(17, 6, c.colours);
        PalettePngOptions options;
        options.bitDepth = c.bitDepth;
        const BitmapImage image = readPng(encodePng(source, options));
        EXPECT_EQ(image.bitsPerPixel, c.decodedBits);
        EXPECT_EQ(image.colorCount(), c.colours);
        EXPECT_EQ(image.transparentIndex, -1);
        EXPECT_EQ(image.invariantViolation(), "");
        expectSameIndices(image, source);
    }
}

TEST(PngReader, PaletteTransparency)
{
    const Indexed source = stripes(9, 4, 8);
    PalettePngOptions options;
    options.bitDepth = 4;

    // One fully transparent entry and the rest opaque: the picture keeps its palette.
    options.alpha = {255, 255, 0};
    BitmapImage image = readPng(encodePng(source, options));
    EXPECT_EQ(image.bitsPerPixel, 4);
    EXPECT_EQ(image.transparentIndex, 2);
    expectSameIndices(image, source);

    // Partly transparent entries need alpha per pixel.
    options.alpha = {255, 128, 0};
    image = readPng(encodePng(source, options));
    ASSERT_EQ(image.bitsPerPixel, 32);
    EXPECT_EQ(image.transparentIndex, -1);
    EXPECT_TRUE(image.colorMap.empty());
    for (int y = 0; y < source.height; ++y)
        for (int x = 0; x < source.width; ++x) {
            const std::uint8_t index = source.at(x, y);
            const RgbQuad pixel = image.pixelAt(x, y);
            EXPECT_EQ(pixel.red, source.palette[index].r);
            EXPECT_EQ(pixel.reserved, index < 3 ? options.alpha[index] : 255);
        }
}

TEST(PngReader, GreyPicturesGetAGreyColourMap)
{
    struct Case {
        int bitDepth;
        int decodedBits;
        int levels;
    };
    const Case cases[] = {{1, 1, 2}, {2, 8, 4}, {4, 4, 16}, {8, 8, 256}, {16, 8, 256}};
    for (const Case &c : cases) {
        SCOPED_TRACE("bit depth " + std::to_string(c.bitDepth));
        Pixels source = gradient(19, 3);
        PngOptions options;
        options.color = PngColor::Grey;
        options.bitDepth = c.bitDepth;
        const BitmapImage image = readPng(encodePng(source, options));
        EXPECT_EQ(image.bitsPerPixel, c.decodedBits);
        ASSERT_EQ(image.colorCount(), c.levels);
        EXPECT_EQ(image.colorMap.back(), (RgbQuad{255, 255, 255, 0}));
        for (int x = 0; x < source.width; ++x) {
            const int level = source.at(x, 0).r * (c.levels - 1) / 255;
            EXPECT_EQ(image.indexAt(x, 0), level) << "x " << x;
        }
    }
}

TEST(PngReader, GreyTransparentValueBecomesTheTransparentIndex)
{
    PngOptions options;
    options.color = PngColor::Grey;
    options.bitDepth = 4;
    options.transparentGrey = 7;
    const BitmapImage image = readPng(encodePng(gradient(8, 2), options));
    EXPECT_EQ(image.bitsPerPixel, 4);
    EXPECT_EQ(image.transparentIndex, 7);
}

TEST(PngReader, TrueColourAndAlpha)
{
    struct Case {
        const char *name;
        PngColor color;
        int bitDepth;
        bool transparentRgb;
        int decodedBits;
    };
    const Case cases[] = {
        {"rgb", PngColor::Rgb, 8, false, 24},
        {"rgb 16", PngColor::Rgb, 16, false, 24},
        {"rgba", PngColor::Rgba, 8, false, 32},
        {"rgba 16", PngColor::Rgba, 16, false, 32},
        {"grey alpha", PngColor::GreyAlpha, 8, false, 32},
        {"grey alpha 16", PngColor::GreyAlpha, 16, false, 32},
        {"rgb with tRNS", PngColor::Rgb, 8, true, 32},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Pixels source = gradient(10, 7);
        PngOptions options;
        options.color = c.color;
        options.bitDepth = c.bitDepth;
        options.transparentRgb = c.transparentRgb;
        options.transparentColor = source.at(3, 2);
        const BitmapImage image = readPng(encodePng(source, options));
        EXPECT_EQ(image.bitsPerPixel, c.decodedBits);
        EXPECT_TRUE(image.colorMap.empty());
        Pixels expected = source;
        for (Rgba &p : expected.data) {
            if (c.color == PngColor::GreyAlpha)
                p.g = p.b = p.r;
            if (c.color == PngColor::Rgb)
                p.a = c.transparentRgb && p == source.at(3, 2) ? 0 : 255;
        }
        expectSameColours(image, expected, 0, c.decodedBits == 32);
    }
}

TEST(PngReader, InterlacedPicturesMatchTheirPlainTwins)
{
    const Pixels source = gradient(13, 11);
    for (const PngColor color : {PngColor::Rgb, PngColor::Rgba, PngColor::Grey}) {
        PngOptions plain;
        plain.color = color;
        PngOptions interlaced = plain;
        interlaced.interlaced = true;
        const Bytes interlacedFile = encodePng(source, interlaced);
        ASSERT_EQ(interlacedFile[28], 1) << "the interlace method of the header";
        const BitmapImage a = readPng(encodePng(source, plain));
        const BitmapImage b = readPng(interlacedFile);
        EXPECT_EQ(a.bits, b.bits);
        EXPECT_EQ(a.colorMap, b.colorMap);
    }
    const Indexed palette = stripes(13, 11, 16);
    PalettePngOptions options;
    options.bitDepth = 4;
    options.interlaced = true;
    expectSameIndices(readPng(encodePng(palette, options)), palette);
}

TEST(PngReader, FailuresCarryLibpngMessages)
{
    const Bytes good = encodePng(stripes(8, 8, 4), PalettePngOptions{});
    auto changed = [&](const std::function<void(Bytes &)> &change) {
        Bytes bytes = good;
        change(bytes);
        return bytes;
    };
    const std::size_t ihdr = chunk(good, "IHDR");
    const std::size_t idat = chunk(good, "IDAT");
    struct Case {
        const char *name;
        Bytes file;
        std::string text;
    };
    const Case cases[] = {
        {"empty", {}, "Read Error: the PNG stream ends too early"},
        {"not a PNG", bytesOf("GIF89a and some more bytes"), "Not a PNG file"},
        {"text mode transfer", changed([](Bytes &b) { b[4] = '\n'; }),
         "PNG file corrupted by ASCII conversion"},
        {"cut in the header", Bytes(good.begin(), good.begin() + 20),
         "Read Error: the PNG stream ends too early"},
        {"cut in the pixels", Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(idat) + 12),
         "Read Error: the PNG stream ends too early"},
        {"header checksum", changed([&](Bytes &b) { b[ihdr + 5] ^= 1; }), "IHDR: CRC error"},
        {"pixels that do not inflate", changed([&](Bytes &b) {
             b[idat + 5] ^= 1; // the zlib header's check bits
             fixCrc(b, idat);
         }),
         "IDAT: incorrect header check"},
        {"pixels with a wrong checksum", changed([&](Bytes &b) {
             const std::size_t end = chunk(b, "IEND") - 8; // the end of the IDAT data
             b[end - 1] ^= 0xFF;                           // the last byte of the Adler-32 sum
             fixCrc(b, idat);
         }),
         "IDAT: incorrect data check"},
        {"wider than the side limit", changed([&](Bytes &b) {
             b[ihdr + 4] = 0, b[ihdr + 5] = 0, b[ihdr + 6] = 0x50, b[ihdr + 7] = 0; // width 20480
             fixCrc(b, ihdr);
         }),
         "Image too large (20480 x 8 pixels; the limit is 16384 pixels per side and 64 megapixels)"},
        {"bit depth 3", changed([&](Bytes &b) {
             b[ihdr + 12] = 3;
             fixCrc(b, ihdr);
         }),
         "Invalid IHDR data (Invalid bit depth in IHDR)"},
        {"more pixels than the limit", changed([&](Bytes &b) {
             b[ihdr + 6] = 0x30, b[ihdr + 7] = 0, b[ihdr + 10] = 0x30, b[ihdr + 11] = 0; // 12288 x 12288
             fixCrc(b, ihdr);
         }),
         "Image too large (12288 x 12288 pixels; the limit is 16384 pixels per side and 64 megapixels)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        expectError([&] { readPng(c.file); }, typeid(EPngError), c.text);
    }
}

TEST(PngReader, PaletteIndexBeyondThePaletteIsRefused)
{
    Indexed source = stripes(6, 2, 5);
    source.at(3, 1) = 7; // the palette has five entries
    PalettePngOptions options;
    options.bitDepth = 4;
    expectError([&] { decodePicture(ImageType::Png, encodePng(source, options)); },
                typeid(ESubscriptOutOfRange), "Subscript out of range");
}

} // namespace
} // namespace kw::image
