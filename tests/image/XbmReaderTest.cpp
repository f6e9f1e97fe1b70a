// The X bitmap reader: both array forms, the text around them, and malformed sources.
#include "TestPictures.h"
#include "image/ImageErrors.h"
#include "image/Readers.h"

#include <gtest/gtest.h>

namespace kw::image {
namespace {

using namespace testing;

Indexed checkerboard(int width, int height)
{
    Indexed p(width, height, {{255, 255, 255, 255}, {0, 0, 0, 255}});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.at(x, y) = static_cast<std::uint8_t>((x + y) % 3 == 0);
    return p;
}

TEST(XbmReader, SetBitsAreBlackOnWhite)
{
    for (const bool shortValues : {false, true})
        for (const int width : {1, 8, 13, 16, 21}) {
            SCOPED_TRACE((shortValues ? "short, width " : "char, width ") + std::to_string(width));
            const Indexed source = checkerboard(width, 5);
            const BitmapImage image = readXbm(bytesOf(encodeXbm(source, "pic", shortValues)));
            EXPECT_EQ(image.bitsPerPixel, 1);
            EXPECT_EQ(image.transparentIndex, -1);
            expectSameIndices(image, source);
        }
}

TEST(XbmReader, ToleratesTheTextAroundTheValues)
{
    const std::string source = "/* a picture */\n"
                               "#define arrow_width 3 // pixels\n"
                               "#define arrow_height 2\n"
                               "#define arrow_x_hot 1\n"
                               "#define arrow_y_hot 0\n"
                               "static const unsigned char arrow_bits[] = {\n"
                               "  0x05, /* row two */ 02,\n"
                               "};\n";
    const BitmapImage image = readXbm(bytesOf(source));
    ASSERT_EQ(image.width, 3);
    ASSERT_EQ(image.height, 2);
    const int expected[2][3] = {{1, 0, 1}, {0, 1, 0}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(image.indexAt(x, y), expected[y][x]);
}

TEST(XbmReader, MalformedSourcesAreInvalid)
{
    const std::string head = "#define p_width 9\n#define p_height 2\nstatic char p_bits[] = {";
    const char *cases[][2] = {
        {"empty", ""},
        {"no size", "static char p_bits[] = { 0x00 };"},
        {"no height", "#define p_width 8\nstatic char p_bits[] = { 0x00 };"},
        {"zero width", "#define p_width 0\n#define p_height 1\nstatic char p_bits[] = { 0x00 };"},
        {"no array", "#define p_width 8\n#define p_height 1\n"},
        {"missing values", "#define p_width 9\n#define p_height 2\nstatic char p_bits[] = { 1, 2, 3 };"},
        {"no closing brace", "#define p_width 9\n#define p_height 2\nstatic char p_bits[] = { 1, 2, 3, 4"},
        {"value too large",
         "#define p_width 9\n#define p_height 2\nstatic char p_bits[] = { 1, 2, 3, 256 };"},
        {"not a number", "#define p_width 9\n#define p_height 2\nstatic char p_bits[] = { 1, 2, x, 4 };"},
        {"no separator", "#define p_width 9\n#define p_height 2\nstatic char p_bits[] = { 1 2 3 4 };"},
        {"hex without digits",
         "#define p_width 9\n#define p_height 2\nstatic char p_bits[] = { 1, 2, 0x, 4 };"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c[0]);
        expectError([&] { readXbm(bytesOf(c[1])); }, typeid(EXbmInvalid), "Invalid XBM Format");
    }
    expectError(
        [&] { readXbm(bytesOf("#define a_width 20000\n#define a_height 2\nstatic char a_bits[] = {0};")); },
        typeid(EGraphicsException),
        "Image too large (20000 x 2 pixels; the limit is 16384 pixels per side and 64 megapixels)");
}

} // namespace
} // namespace kw::image
