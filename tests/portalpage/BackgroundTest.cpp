// Background painting with tiling, the placeholder for missing pictures, decoding once per change, and
// the focus mark.
#include "PortalPageTestSupport.h"

#include "portalpage/Elements.h"

namespace kw::portalpage {
namespace {

using layout::RegionId;
using test::ElementHarness;
using test::pictureDestinations;

TEST(Background, TilingPositions)
{
    const struct {
        const char *name;
        Size picture;
        const char *repeat;
        Size client;
        std::vector<Rect> expected;
    } cases[] = {
        {"repeat fills columns, then the first column",
         {40, 40},
         "repeat",
         {100, 90},
         {{0, 0, 40, 40},
          {40, 0, 40, 40},
          {40, 40, 40, 40},
          {40, 80, 40, 40},
          {80, 0, 40, 40},
          {80, 40, 40, 40},
          {80, 80, 40, 40},
          {0, 40, 40, 40},
          {0, 80, 40, 40}}},
        {"no-repeat draws once", {40, 40}, "no-repeat", {100, 90}, {{0, 0, 40, 40}}},
        {"the keyword is compared exactly", {40, 40}, "Repeat", {100, 90}, {{0, 0, 40, 40}}},
        {"a picture as wide as the region repeats downwards only",
         {100, 40},
         "repeat",
         {100, 90},
         {{0, 0, 100, 40}, {0, 40, 100, 40}, {0, 80, 100, 40}}},
        {"a picture as high as the region repeats sideways only",
         {40, 90},
         "repeat",
         {100, 90},
         {{0, 0, 40, 90}, {40, 0, 40, 90}, {80, 0, 40, 90}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ElementHarness h(true);
        h.putPicture("tile.bmp", test::bmpFile(c.picture.width, c.picture.height, rgb(200, 0, 0)));
        h.model().region(RegionId::KwPics).backgroundImage = "tile.bmp";
        h.model().region(RegionId::KwPics).backgroundRepeat = c.repeat;
        h.model().region(RegionId::KwPics).backgroundColor = rgb(1, 2, 3);
        CSubmenuLogoElement logo(h.model());
        logo.Rebuild(h.context());
        EXPECT_EQ(logo.backgroundImageType(), 1);

        const auto device = h.paint(logo, c.client.width, c.client.height);
        const auto fills = device.callsOf<painted::FillRect>();
        ASSERT_EQ(fills.size(), 1u);
        EXPECT_EQ(fills[0].rect, (Rect{0, 0, c.client.width, c.client.height}));
        EXPECT_EQ(fills[0].color, rgb(1, 2, 3));
        EXPECT_EQ(pictureDestinations(device), c.expected);
        for (const auto &call : device.pictureCalls().callsOf<image::recorded::StretchDIBits>())
            EXPECT_EQ(call.operation, image::RasterOp::SrcCopy);
    }
}

TEST(Background, WithoutAPictureNameOnlyTheColourIsFilled)
{
    ElementHarness h(true);
    h.putPicture("tile.bmp", test::bmpFile(10, 10, rgb(0, 0, 200)));
    layout::RegionStyle &style = h.model().region(RegionId::KwPics);
    style.backgroundImage = "tile.bmp";
    CSubmenuLogoElement logo(h.model());
    logo.Rebuild(h.context());
    ASSERT_EQ(pictureDestinations(h.paint(logo, 150, 55)).size(), 1u);

    // The decoded picture stays until another one replaces it, but an empty name draws none.
    style.backgroundImage.clear();
    logo.Rebuild(h.context());
    EXPECT_NE(logo.backgroundPicture(), nullptr);
    const auto device = h.paint(logo, 150, 55);
    EXPECT_TRUE(pictureDestinations(device).empty());
    EXPECT_EQ(device.callsOf<painted::FillRect>().size(), 1u);
}

TEST(Background, MissingPicturesShowThePlaceholder)
{
    for (const bool withPortal : {true, false}) {
        SCOPED_TRACE(withPortal ? "file not in Images\\Company" : "no portal at all");
        ElementHarness h(withPortal);
        h.model().region(RegionId::KwPics).backgroundImage = "missing.gif";
        h.model().region(RegionId::KwNavigate).itemImage = "missing-item.png";
        CSubmenuLogoElement logo(h.model());
        logo.Rebuild(h.context());
        CSubmenuElement submenu(h.model());
        submenu.Rebuild(h.context());

        image::CLayoutImage placeholder;
        ASSERT_TRUE(placeholder.LoadFromResource(kPlaceholderPicture, 3));
        ASSERT_NE(logo.backgroundPicture(), nullptr);
        EXPECT_EQ(logo.backgroundPicture()->Width(), placeholder.Width());
        EXPECT_EQ(logo.backgroundPicture()->Height(), placeholder.Height());
        EXPECT_EQ(logo.backgroundImageType(), -1);
        ASSERT_NE(submenu.itemPicture(), nullptr);
        EXPECT_EQ(submenu.itemPicture()->Width(), placeholder.Width());
        // Not an empty region: the placeholder is drawn over the colour.
        EXPECT_EQ(pictureDestinations(h.paint(logo, 150, 55)),
                  (std::vector<Rect>{{0, 0, placeholder.Width(), placeholder.Height()}}));
    }
}

TEST(Background, UndecodablePictureLeavesOnlyTheColour)
{
    ElementHarness h(true);
    h.putPicture("broken.gif", "GIF89a but not really");
    h.model().region(RegionId::KwPics).backgroundImage = "broken.gif";
    CSubmenuLogoElement logo(h.model());
    logo.Rebuild(h.context());
    const auto device = h.paint(logo, 150, 55);
    EXPECT_TRUE(pictureDestinations(device).empty());
    EXPECT_EQ(device.callsOf<painted::FillRect>().size(), 1u);
}

TEST(Background, MenuPicturesAreDecodedOncePerChangeAndNeverWhilePainting)
{
    ElementHarness h(true);
    h.putPicture("item.bmp", test::bmpFile(8, 8, rgb(0, 0, 0)));
    h.putPicture("other.bmp", test::bmpFile(6, 6, rgb(0, 0, 0)));
    layout::RegionStyle &style = h.model().region(RegionId::KwNavigate);
    style.itemImage = "item.bmp";
    CSubmenuElement submenu(h.model());
    submenu.Rebuild(h.context());
    EXPECT_EQ(h.pictures().decodeCount(), 1);
    submenu.Rebuild(h.context());
    h.paint(submenu, 150, 300);
    EXPECT_EQ(h.pictures().decodeCount(), 1);

    style.itemImage = "other.bmp";
    submenu.Rebuild(h.context());
    EXPECT_EQ(h.pictures().decodeCount(), 2);
    EXPECT_EQ(submenu.itemPicture()->Width(), 6);

    style.itemImage.clear();
    submenu.Rebuild(h.context());
    EXPECT_EQ(submenu.itemPicture(), nullptr);
    EXPECT_EQ(h.pictures().decodeCount(), 2);

    // Painting measures nothing either: sizes come from the rebuild.
    const auto device = h.paint(submenu, 150, 300);
    EXPECT_TRUE(device.callsOf<painted::MeasureText>().empty());
}

TEST(FocusMark, DrawnAroundTheSelectedElementInItsColoursThenRestored)
{
    ElementHarness h;
    layout::RegionStyle &style = h.model().region(RegionId::KwNavigateHeader);
    style.backgroundColor = rgb(10, 20, 30);
    style.textColor = rgb(200, 210, 220);
    CSubmenuHeadingElement heading(h.model());
    heading.Rebuild(h.context());
    EXPECT_TRUE(h.paint(heading, 150, 16).callsOf<painted::DrawFocusRect>().empty());

    heading.setSelected(true);
    const auto device = h.paint(heading, 150, 16);
    const auto marks = device.callsOf<painted::DrawFocusRect>();
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].rect, (Rect{0, 0, 150, 16}));
    EXPECT_EQ(marks[0].backgroundColor, rgb(10, 20, 30));
    EXPECT_EQ(marks[0].textColor, rgb(200, 210, 220));
    // The mark comes last, after the element's own drawing, and the device's colours are restored.
    EXPECT_TRUE(std::holds_alternative<painted::DrawFocusRect>(device.calls()[device.calls().size() - 3]));
    EXPECT_EQ(device.textColor(), rgb(0, 0, 0));
    EXPECT_EQ(device.backgroundColor(), rgb(255, 255, 255));
}

TEST(TextConventions, TransparentOverAPictureOpaqueOtherwiseAndRestoredAfterwards)
{
    ElementHarness h;
    CAppTitleElement title(h.model());
    title.Rebuild(h.context());
    auto device = h.paint(title, 400, 23);
    EXPECT_EQ(test::drawnText(device, "  Anwendungstitel").mode, BackgroundMode::Opaque);

    h.model().region(RegionId::KwStartTop).backgroundImage = "whatever.gif";
    title.Rebuild(h.context());
    device = h.paint(title, 400, 23);
    const auto text = test::drawnText(device, "  Anwendungstitel");
    EXPECT_EQ(text.mode, BackgroundMode::Transparent);
    EXPECT_EQ(text.rect, (Rect{0, 0, 400, 23}));
    EXPECT_EQ(text.placement, TextPlacement::Left);
    EXPECT_EQ(text.font.pixelHeight, 17);
    EXPECT_EQ(device.backgroundMode(), BackgroundMode::Opaque);
    EXPECT_EQ(device.font(), RecordingPaintDevice().font());
}

} // namespace
} // namespace kw::portalpage
