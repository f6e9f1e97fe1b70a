// The JPEG reader: baseline, progressive, grey and CMYK pictures, and damaged streams.
#include "TestPictures.h"
#include "image/ImageErrors.h"
#include "image/Readers.h"

#include <gtest/gtest.h>

namespace kw::image {
namespace {

using namespace testing;

/// Flat areas of colour, which JPEG keeps close to the original.
Pixels blocks(int width, int height)
{
    Pixels p(width, height);
    const Rgba colours[] = {{200, 40, 40, 255}, {30, 160, 70, 255}, {40, 60, 190, 255}, {230, 230, 230, 255}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.at(x, y) = colours[(x / 16 + y / 16) % 4];
    return p;
}

/// Position of the first byte after a marker (0xFF, code).
std::size_t marker(const Bytes &jpeg, std::uint8_t code)
{
    for (std::size_t i = 0; i + 1 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == code)
            return i + 2;
    return 0;
}

TEST(JpegReader, DecodesEachKindCloseToTheOriginal)
{
    struct Case {
        const char *name;
        JpegOptions options;
        int decodedBits;
    };
    const Case cases[] = {
        {"baseline", {95, false, false, false}, 24},  {"progressive", {95, true, false, false}, 24},
        {"grey", {95, false, true, false}, 8},        {"grey progressive", {95, true, true, false}, 8},
        {"adobe cmyk", {95, false, false, true}, 24},
    };
    const Pixels source = blocks(48, 40);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const BitmapImage image = readJpeg(encodeJpeg(source, c.options));
        EXPECT_EQ(image.bitsPerPixel, c.decodedBits);
        EXPECT_EQ(image.colorCount(), c.decodedBits == 8 ? 256 : 0);
        EXPECT_EQ(image.invariantViolation(), "");
        Pixels expected = source;
        if (c.options.grey)
            for (Rgba &p : expected.data)
                p.g = p.b = p.r;
        // Compare the middle of each block, away from the ringing at the edges.
        for (int y = 6; y < source.height; y += 16)
            for (int x = 6; x < source.width; x += 16) {
                const RgbQuad got = image.pixelAt(x, y);
                EXPECT_NEAR(got.red, expected.at(x, y).r, 6) << x << "," << y;
                EXPECT_NEAR(got.green, expected.at(x, y).g, 6) << x << "," << y;
                EXPECT_NEAR(got.blue, expected.at(x, y).b, 6) << x << "," << y;
            }
    }
}

TEST(JpegReader, OddSizesKeepEveryRow)
{
    const Pixels source = blocks(17, 9);
    const BitmapImage image = readJpeg(encodeJpeg(source, {}));
    EXPECT_EQ(image.width, 17);
    EXPECT_EQ(image.height, 9);
    // Top row red, so the rows are not upside down.
    EXPECT_GT(image.pixelAt(2, 0).red, 150);
    EXPECT_LT(image.pixelAt(2, 0).blue, 100);
}

TEST(JpegReader, DamagedStreamsFailWithLibraryMessages)
{
    const Bytes good = encodeJpeg(blocks(64, 64), {});
    const Bytes progressive = encodeJpeg(blocks(64, 64), {90, true, false, false});
    const std::size_t sof = marker(good, 0xC0);
    const std::size_t sos = marker(good, 0xDA);
    ASSERT_NE(sof, 0u);
    ASSERT_NE(sos, 0u);
    auto changed = [&](std::function<void(Bytes &)> change) {
        Bytes bytes = good;
        change(bytes);
        return bytes;
    };
    struct Case {
        const char *name;
        Bytes file;
        const std::type_info &type;
        std::string text;
    };
    const Case cases[] = {
        {"empty", {}, typeid(EJpegBadData), "Empty input file"},
        {"not a JPEG", bytesOf("\x89PNG and more"), typeid(EJpegBadData),
         "Not a JPEG file: starts with 0x89 0x50"},
        {"cut in the header", Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(sof) + 4),
         typeid(EJpegBadData), "Premature end of JPEG file"},
        {"cut in the pixels", Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(sos) + 40),
         typeid(EJpegBadData), "Premature end of JPEG file"},
        {"progressive cut", Bytes(progressive.begin(), progressive.begin() + progressive.size() / 2),
         typeid(EJpegBadData), "Premature end of JPEG file"},
        {"marker in the entropy data", changed([&](Bytes &b) { b[sos + 30] = 0xFF, b[sos + 31] = 0xD9; }),
         typeid(EJpegBadData), "Corrupt JPEG data: premature end of data segment"},
        {"zero width", changed([&](Bytes &b) { b[sof + 5] = 0, b[sof + 6] = 0; }), typeid(EJpegBadData),
         "Empty JPEG image (DNL not supported)"},
        {"twelve-bit samples", changed([&](Bytes &b) { b[sof + 2] = 12; }), typeid(EJpegBadData),
         "Unsupported JPEG data precision 12"},
        {"larger than the limits",
         changed([&](Bytes &b) { b[sof + 3] = 0x4E, b[sof + 4] = 0x20; }), // 20000 high
         typeid(EJpegError),
         "Image too large (64 x 20000 pixels; the limit is 16384 pixels per side and 64 megapixels)"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        expectError([&] { readJpeg(c.file); }, c.type, c.text);
    }
}

TEST(JpegReader, TooManyProgressiveScansAreRefused)
{
    JpegOptions options;
    options.grey = true;
    options.scanPerCoefficientBit = true;
    expectError([&] { readJpeg(encodeJpeg(blocks(16, 16), options)); }, typeid(EJpegBadData),
                "Too many scans (more than 500) in the JPEG stream");
}

} // namespace
} // namespace kw::image
