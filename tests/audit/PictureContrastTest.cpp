// Text over a picture: the pixels under the text as the preview places the picture.
#include "audit/PictureContrast.h"
#include "audit/Contrast.h"

#include <gtest/gtest.h>

namespace kw::audit {
namespace {

constexpr Color kBlack = rgb(0, 0, 0);
constexpr Color kWhite = rgb(255, 255, 255);

// A 24-bit picture of `width` x `height`, white but for its first `dark` pixels (row by row from the top).
image::BitmapImage twoColourPicture(int width, int height, int dark)
{
    image::BitmapImage picture;
    picture.allocate(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t v = y * width + x < dark ? 0 : 255;
            std::uint8_t *pixel = picture.rowFromTop(y) + 3 * x;
            pixel[0] = pixel[1] = pixel[2] = v;
        }
    return picture;
}

TEST(PictureContrastTest, TheFigureThatNinetyFivePercentOfThePixelsReach)
{
    const double black = relativeLuminance(kBlack);
    const Rect area{0, 0, 10, 10};
    // 5 of 100 pixels as dark as the text: 95 % still reach 21.
    image::BitmapImage five = twoColourPicture(10, 10, 5);
    const PixelLuminances fiveDark({&five, {}, 10, 10}, kWhite, {&area, 1});
    EXPECT_EQ(fiveDark.size(), 100u);
    EXPECT_DOUBLE_EQ(fiveDark.shareRatio(black), 21.0);
    EXPECT_DOUBLE_EQ(fiveDark.worstRatio(black), 1.0);
    EXPECT_TRUE(fiveDark.passes(black, 4.5));
    // One more and the figure is the dark pixels' 1:1.
    image::BitmapImage six = twoColourPicture(10, 10, 6);
    const PixelLuminances sixDark({&six, {}, 10, 10}, kWhite, {&area, 1});
    EXPECT_DOUBLE_EQ(sixDark.shareRatio(black), 1.0);
    EXPECT_FALSE(sixDark.passes(black, 4.5));
    // Against white text the dark pixels are the good ones.
    EXPECT_DOUBLE_EQ(sixDark.shareRatio(relativeLuminance(kWhite)), 1.0);
}

TEST(PictureContrastTest, PlacedAtTheTopLeftTiledOnlyWhenRepeated)
{
    // A black 4 x 4 picture on a white region 8 x 4; the text covers the whole region.
    image::BitmapImage dark = twoColourPicture(4, 4, 16);
    const Rect area{0, 0, 8, 4};
    const double white = relativeLuminance(kWhite);
    const PixelLuminances once({&dark, {}, 8, 4}, kWhite, {&area, 1});
    EXPECT_DOUBLE_EQ(once.worstRatio(white), 1.0); // the picture's half
    EXPECT_DOUBLE_EQ(once.shareRatio(white), 1.0); // half the pixels are white
    const PixelLuminances tiled({&dark, {true, true}, 8, 4}, kWhite, {&area, 1});
    EXPECT_DOUBLE_EQ(tiled.shareRatio(white), 21.0); // black everywhere
    // Text outside the picture's reach sees the background colour alone.
    const Rect right{4, 0, 4, 4};
    const PixelLuminances beside({&dark, {}, 8, 4}, kWhite, {&right, 1});
    EXPECT_DOUBLE_EQ(beside.shareRatio(relativeLuminance(kBlack)), 21.0);
    // Areas are cut at the region's edges.
    const Rect beyond{6, 2, 10, 10};
    EXPECT_EQ(PixelLuminances({&dark, {}, 8, 4}, kWhite, {&beyond, 1}).size(), 4u);
}

TEST(PictureContrastTest, TiledAsTheBrowserReadsTheRepeatKeyword)
{
    struct Case {
        const char *keyword;
        bool across, down;
    };
    const Case cases[] = {
        {"no-repeat", false, false},
        {"repeat", true, true},
        {"REPEAT", true, true},
        {"repeat-x", true, false},
        {"Repeat-Y", false, true},
        {"space", true, true},
        {"", true, true},
        {"no-repeat repeat", false, true},
        {"nonsense", true, true},
    };
    for (const Case &c : cases) {
        const Tiling tiling = tilingOf(c.keyword);
        EXPECT_EQ(tiling.across, c.across) << c.keyword;
        EXPECT_EQ(tiling.down, c.down) << c.keyword;
    }

    // A black 2 x 2 picture in a white 4 x 4 region, tiled across only: the top half is black.
    image::BitmapImage dark = twoColourPicture(2, 2, 4);
    const Rect top{0, 0, 4, 2}, bottom{0, 2, 4, 2};
    const double black = relativeLuminance(kBlack);
    const Tiling across = tilingOf("repeat-x");
    EXPECT_DOUBLE_EQ(PixelLuminances({&dark, across, 4, 4}, kWhite, {&top, 1}).worstRatio(black), 1.0);
    EXPECT_DOUBLE_EQ(PixelLuminances({&dark, across, 4, 4}, kWhite, {&bottom, 1}).worstRatio(black), 21.0);
    const Tiling down = tilingOf("repeat-y");
    const Rect right{2, 0, 2, 4};
    EXPECT_DOUBLE_EQ(PixelLuminances({&dark, down, 4, 4}, kWhite, {&right, 1}).worstRatio(black), 21.0);
    EXPECT_DOUBLE_EQ(PixelLuminances({&dark, down, 4, 4}, kWhite, {&bottom, 1}).shareRatio(black), 1.0);
}

TEST(PictureContrastTest, TransparentPixelsShowTheBackground)
{
    image::BitmapImage picture;
    picture.allocate(2, 1, 8);
    picture.colorMap = {{0, 0, 0, 0}, {255, 255, 255, 0}};
    picture.transparentIndex = 0;
    picture.rowFromTop(0)[0] = 0; // transparent
    picture.rowFromTop(0)[1] = 1; // white
    const Rect area{0, 0, 2, 1};
    const PixelLuminances pixels({&picture, {}, 2, 1}, kWhite, {&area, 1});
    // Both pixels are white: the transparent one takes the white background, not the map's black.
    EXPECT_DOUBLE_EQ(pixels.worstRatio(relativeLuminance(kBlack)), 21.0);
}

} // namespace
} // namespace kw::audit
