// Value syntax of colours, sizes, switches, weights and picture names.
#include "base/Values.h"
#include "base/Color.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(ColorTest, WritesRedFirstInUpperCase)
{
    EXPECT_EQ(formatColor(rgb(0x48, 0x90, 0x88)), "#489088");
    EXPECT_EQ(formatColor(rgb(0xFF, 0xFF, 0xFF)), "#FFFFFF");
    EXPECT_EQ(formatColor(0x00AB0C0D), "#0D0CAB"); // red lives in the lowest byte
}

TEST(ColorTest, ReadsLikeTheStylesheetScanner)
{
    struct Case {
        const char *text;
        std::optional<Color> expected;
    } cases[] = {
        {"#FFFFFF", rgb(255, 255, 255)},
        {"#ffffff", rgb(255, 255, 255)},
        {"#cCfF00", rgb(0xCC, 0xFF, 0x00)},
        {"#489088", rgb(0x48, 0x90, 0x88)},
        {"x123456", rgb(0x12, 0x34, 0x56)},   // any first character is skipped
        {"#12345678", rgb(0x12, 0x34, 0x56)}, // trailing text is ignored
        {"#ABC", std::nullopt},               // AB, C, then nothing for blue
        {"#12345", rgb(0x12, 0x34, 0x5)},     // one digit is still a number
        {"#", std::nullopt},
        {"", std::nullopt},
        {"#GG0000", std::nullopt},
        {"red", std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(parseColor(c.text), c.expected) << c.text;
}

TEST(ColorTest, RoundTripsEveryChannel)
{
    for (unsigned v : {0u, 1u, 0x7Fu, 0x80u, 0xFEu, 0xFFu}) {
        const Color c = rgb(v, 255 - v, v ^ 0x55);
        EXPECT_EQ(parseColor(formatColor(c)), c);
    }
}

TEST(SizeTest, PixelsAndPointsAndNothingElse)
{
    struct Case {
        const char *text;
        std::optional<int> expected;
    } cases[] = {
        {"11px", 11},
        {"0px", 0},
        {"12pt", 16},
        {"9pt", 12},
        {"10pt", 13},
        {"7.5pt", 10},
        {" 13px ", 13},
        {"12.9px", 12},
        {"-2px", -2},
        {"1em", std::nullopt},
        {"12", std::nullopt},
        {"px", std::nullopt},
        {"abcpx", std::nullopt},
        {"", std::nullopt},
        {"100%", std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(parseSize(c.text), c.expected) << c.text;
    EXPECT_EQ(formatPx(17), "17px");
}

TEST(SizeTest, DroppingTheUnitTakesAnyTwoCharacters)
{
    EXPECT_EQ(parseSizeDroppingUnit("11px"), 11);
    EXPECT_EQ(parseSizeDroppingUnit("11pt"), 11); // no conversion
    EXPECT_EQ(parseSizeDroppingUnit("11em"), 11);
    EXPECT_EQ(parseSizeDroppingUnit("1"), std::nullopt);
    EXPECT_EQ(parseSizeDroppingUnit("px"), std::nullopt);
}

TEST(SwitchTest, ExactAndCaseInsensitiveReadings)
{
    EXPECT_EQ(formatSwitch(true), "true");
    EXPECT_EQ(formatSwitch(false), "false");
    EXPECT_TRUE(parseSwitch("true"));
    EXPECT_FALSE(parseSwitch("TRUE"));
    EXPECT_FALSE(parseSwitch("1"));
    EXPECT_TRUE(parseSwitchIgnoringCase("TRUE"));
    EXPECT_TRUE(parseSwitchIgnoringCase("True"));
    EXPECT_FALSE(parseSwitchIgnoringCase("yes"));
}

TEST(WeightTest, TextAndIndex)
{
    EXPECT_EQ(weightIndexFromText("700"), 6);
    EXPECT_EQ(weightIndexFromText("100"), 0);
    EXPECT_EQ(weightIndexFromText("900"), 8);
    EXPECT_EQ(weightIndexFromText("BOLD"), 6);
    EXPECT_EQ(weightIndexFromText("normal"), 3);
    EXPECT_EQ(weightIndexFromText("400 (normal)"), 3);
    EXPECT_EQ(weightIndexFromText("lighter"), -1);
    EXPECT_EQ(weightTextFromIndex(6), "700");
    EXPECT_EQ(weightTextFromIndex(0), "100");
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(weightIndexFromText(kWeightChoices[static_cast<std::size_t>(i)]), i);
}

TEST(BorderStyleTest, FixedOrder)
{
    EXPECT_EQ(kBorderStyles.front(), "none");
    EXPECT_EQ(kBorderStyles.back(), "outset");
    EXPECT_EQ(borderStyleIndex("groove"), 5);
    EXPECT_EQ(borderStyleIndex("Groove"), -1);
}

TEST(PictureNameTest, ReducesToTheBareFileName)
{
    struct Case {
        const char *path;
        const char *expected;
    } cases[] = {
        {"../images/company/logo.gif", "logo.gif"},
        {"..\\images\\company\\logo.gif", "logo.gif"},
        {"a\\b/c.png", "c.png"}, // the later separator wins
        {"a/b\\c.png", "c.png"},
        {"C:logo.png", "logo.png"}, // a colon counts only without separators
        {"C:\\x\\logo.png", "logo.png"},
        {"logo.png", "logo.png"},
        {"", ""},
        {"images/", ""},
        {"images\\", ""},
        {"C:", ""},
        {"a*.png", ""},
        {"a?.png", ""},
        {"<a>.png", ""},
        {"a>.png", ""},
        {"a|b.png", ""},
        {"\"a\".png", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(reducePictureName(c.path), c.expected) << c.path;
}

} // namespace
} // namespace kw
