// The measure: luminance, ratio, large text and the levels' thresholds.
#include "audit/Contrast.h"

#include <gtest/gtest.h>

namespace kw::audit {
namespace {

TEST(ContrastTest, KnownRatios)
{
    const Color black = rgb(0, 0, 0), white = rgb(255, 255, 255), grey = rgb(0x77, 0x77, 0x77);
    EXPECT_DOUBLE_EQ(contrastRatio(black, white), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(white, black), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(grey, grey), 1.0);
    EXPECT_EQ(formatRatio(contrastRatio(grey, white)), "4.48");
    // #777777 on white fails AA for normal text and passes it for large text.
    EXPECT_LT(contrastRatio(grey, white), requiredRatio(Level::AA, false));
    EXPECT_GE(contrastRatio(grey, white), requiredRatio(Level::AA, true));
    // Channels weigh differently: pure green is far lighter than pure blue.
    EXPECT_NEAR(relativeLuminance(rgb(0, 255, 0)), 0.7152, 1e-12);
    EXPECT_NEAR(relativeLuminance(rgb(0, 0, 255)), 0.0722, 1e-12);
    // The linear segment of the sRGB curve.
    EXPECT_NEAR(linearChannel(10), 10 / 255.0 / 12.92, 1e-12);
}

TEST(ContrastTest, ComparedUnroundedPrintedWithTwoDecimals)
{
    // #767676 on white is 4.54 and passes; a ratio that prints as 4.50 may still fail.
    EXPECT_GE(contrastRatio(rgb(0x76, 0x76, 0x76), rgb(255, 255, 255)), 4.5);
    EXPECT_EQ(formatRatio(4.4951), "4.50");
    EXPECT_LT(4.4951, requiredRatio(Level::AA, false));
}

TEST(ContrastTest, LargeTextAtItsEdges)
{
    EXPECT_TRUE(isLargeText(24, 400));
    EXPECT_FALSE(isLargeText(23, 400));
    EXPECT_FALSE(isLargeText(23, 600));
    EXPECT_TRUE(isLargeText(19, 700));  // 18.66 pixels and bold
    EXPECT_FALSE(isLargeText(18, 700)); // below 18.66
    EXPECT_TRUE(isLargeText(19, 900));
    EXPECT_FALSE(isLargeText(0, 700));
}

TEST(ContrastTest, LevelsAndTheirThresholds)
{
    EXPECT_EQ(requiredRatio(Level::AA, false), 4.5);
    EXPECT_EQ(requiredRatio(Level::AA, true), 3.0);
    EXPECT_EQ(requiredRatio(Level::AAA, false), 7.0);
    EXPECT_EQ(requiredRatio(Level::AAA, true), 4.5);
    EXPECT_EQ(levelByName("AAA"), Level::AAA);
    EXPECT_EQ(levelByName("AA"), Level::AA);
    EXPECT_FALSE(levelByName("aa"));
    EXPECT_EQ(levelName(Level::AAA), "AAA");
}

} // namespace
} // namespace kw::audit
