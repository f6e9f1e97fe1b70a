// Panes of the demo portal's layouts drawn with the QPainter device (offscreen): the layout's colours and
// pictures show where the regions are. Sample pixels only; text rendering depends on the fonts at hand.
#include "PreviewTestSupport.h"

#include "platform/QPainterDeviceContext.h"

#include <gtest/gtest.h>

namespace kw::preview {
namespace {

using layout::Pane;
using layout::RegionId;

class PreviewRender : public ::testing::Test {
protected:
    PreviewRender() : preview(&demo.preview()), prompter(demo.prompter()) {}

    void openActiveWithClassicMenu() { demo.openActiveWithClassicMenu(); }

    // The colour of a pixel `(dx, dy)` inside a region's rectangle.
    Color at(const QImage &image, const portalpage::PaneLayout &layout, RegionId region, int dx, int dy)
    {
        const portalpage::Rect &r = layout[region];
        EXPECT_GT(r.width, dx) << layout::regionName(region);
        EXPECT_GT(r.height, dy) << layout::regionName(region);
        return platform::fromQColor(image.pixelColor(r.x + dx, r.y + dy));
    }

    test::DemoPreview demo;
    LayoutPreview *preview;
    kw::test::ScriptedPrompter &prompter;
};

TEST_F(PreviewRender, StartPageShowsTheActiveLayoutsColoursAndPictures)
{
    openActiveWithClassicMenu();
    const QSize size(1024, 700);
    const QImage image = preview->render(Pane::StartPage, size);
    const portalpage::PaneLayout layout = preview->layoutFor(Pane::StartPage, size);
    const layout::LayoutModel &model = preview->document().model();

    // Corners of the regions lie away from every text.
    const struct {
        RegionId region;
        int dx, dy;
    } samples[] = {{RegionId::KwRootTop, 2, 2},
                   {RegionId::KwRootNavigate, 2, 2},
                   {RegionId::KwNavigateHeader, 1, 1},
                   {RegionId::KwNavigate, 2, 500},
                   {RegionId::KwApplication, 860, 600}};
    for (const auto &s : samples)
        EXPECT_EQ(at(image, layout, s.region, s.dx, s.dy), model.region(s.region).backgroundColor)
            << layout::regionName(s.region);

    // The submenu logo shows its picture, pixel for pixel.
    const portalpage::CPreviewElement &pics = *preview->pane(Pane::StartPage).element(RegionId::KwPics);
    ASSERT_NE(pics.backgroundPicture(), nullptr);
    const image::RgbQuad corner = pics.backgroundPicture()->bitmap().pixelAt(75, 27);
    EXPECT_EQ(at(image, layout, RegionId::KwPics, 75, 27), rgb(corner.red, corner.green, corner.blue));

    // The portal heading's box in its colour, the logo control with the company logo.
    const portalpage::CAppPageElement &page = preview->pane(Pane::StartPage).appPage();
    const portalpage::Rect page_ = layout[RegionId::KwApplication];
    const auto &heading = page.pieces().front();
    ASSERT_TRUE(heading.fill.has_value());
    EXPECT_EQ(
        platform::fromQColor(image.pixelColor(page_.x + heading.rect.x + 2, page_.y + heading.rect.y + 2)),
        model.page().portalBackgroundColor);
    const portalpage::Rect logo = page.logoRect(page_.width);
    ASSERT_GT(logo.width, 0);
    // The demo's logo has transparent corners: there the page's background shows, elsewhere the logo's
    // own colours.
    const image::BitmapImage &bitmap = page.logoPicture()->bitmap();
    ASSERT_EQ(bitmap.bitsPerPixel, 32);
    int transparent = 0, opaque = 0;
    for (int y = 0; y < bitmap.height; ++y) {
        for (int x = 0; x < bitmap.width; ++x) {
            const image::RgbQuad pixel = bitmap.pixelAt(x, y);
            if (pixel.reserved != 0 && pixel.reserved != 255)
                continue; // blended edges
            const Color shown =
                platform::fromQColor(image.pixelColor(page_.x + logo.x + x, page_.y + logo.y + y));
            if (pixel.reserved == 0) {
                ++transparent;
                EXPECT_EQ(shown, model.region(RegionId::KwApplication).backgroundColor) << x << "," << y;
            } else {
                ++opaque;
                EXPECT_EQ(shown, rgb(pixel.red, pixel.green, pixel.blue)) << x << "," << y;
            }
        }
    }
    EXPECT_GT(transparent, 0);
    EXPECT_GT(opaque, 0);
}

TEST_F(PreviewRender, ApplicationPaneShowsTitleBarAndApplicationMenu)
{
    openActiveWithClassicMenu();
    const QSize size(1024, 700);
    const QImage image = preview->render(Pane::ApplicationPages, size);
    const portalpage::PaneLayout layout = preview->layoutFor(Pane::ApplicationPages, size);
    const layout::LayoutModel &model = preview->document().model();
    for (RegionId region : {RegionId::KwStartTop, RegionId::KwStartNavigate})
        EXPECT_EQ(at(image, layout, region, 1, 1), model.region(region).backgroundColor)
            << layout::regionName(region);
    EXPECT_EQ(layout[RegionId::KwStartTop].x, 150);
}

TEST_F(PreviewRender, SwitchesOfTheLayoutFileMoveTheMenuColumn)
{
    ASSERT_TRUE(preview->open("Baummenue")) << prompter.describe();
    const QSize size(1024, 700);
    const QImage image = preview->render(Pane::StartPage, size);
    const layout::LayoutModel &model = preview->document().model();
    // Tree menu on the right: no main menu, the submenu in the rightmost 150 pixels.
    EXPECT_EQ(platform::fromQColor(image.pixelColor(1024 - 5, 690)),
              model.region(RegionId::KwNavigate).backgroundColor);
    EXPECT_EQ(platform::fromQColor(image.pixelColor(5, 690)),
              model.region(RegionId::KwApplication).backgroundColor);
    EXPECT_EQ(preview->layoutFor(Pane::StartPage, size)[RegionId::KwRootNavigate].height, 0);
}

TEST_F(PreviewRender, NoLayoutOpenShowsTheIdlePicture)
{
    const QImage image = preview->render(Pane::StartPage, QSize(800, 600));
    image::CLayoutImage idle;
    ASSERT_TRUE(idle.LoadFromResource("12061", 4));
    const int x = (800 - idle.Width()) / 2 + idle.Width() / 2;
    const int y = (600 - idle.Height()) / 2 + idle.Height() / 2;
    const image::RgbQuad expected = idle.bitmap().pixelAt(idle.Width() / 2, idle.Height() / 2);
    EXPECT_EQ(platform::fromQColor(image.pixelColor(x, y)), rgb(expected.red, expected.green, expected.blue));
}

} // namespace
} // namespace kw::preview
