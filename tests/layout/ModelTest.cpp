// The model's own behaviour: resetting, cascading page setters, and values by name.
#include "layout/LayoutValues.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kw::layout {
namespace {

TEST(ModelTest, ResetRestoresRegionDefaultsButKeepsSwitchesAndButtons)
{
    LayoutModel model;
    LayoutFlags flags;
    setLayoutValue(model, flags, "KwNavigate.hoverColor", "#010203");
    setLayoutValue(model, flags, "page.linkColor", "#040506");
    setLayoutValue(model, flags, "switch.menuRight", "true");
    setLayoutValue(model, flags, "button.KwButton.height", "40");
    model.resetRegions();
    EXPECT_EQ(model.region(RegionId::KwNavigate).hoverColor, rgb(0xFF, 0xFF, 0x00));
    EXPECT_EQ(model.page().linkColor, rgb(0x48, 0x90, 0x88));
    EXPECT_TRUE(model.switches(Pane::StartPage).menuRight);
    EXPECT_EQ(model.buttons().find("KwButton")->height, 40);
    EXPECT_EQ(model, [&] {
        LayoutModel fresh;
        fresh.setSwitch(&PaneSwitches::menuRight, true);
        fresh.buttons().find("KwButton")->height = 40;
        return fresh;
    }());
}

TEST(ModelTest, OnlyANewLayoutGetsTheCornerPicture)
{
    LayoutModel model;
    EXPECT_EQ(model.region(RegionId::KwPics).backgroundImage, "");
    model.resetRegions();
    EXPECT_EQ(model.region(RegionId::KwPics).backgroundImage, "");
    giveNewLayoutPictures(model);
    EXPECT_EQ(model.region(RegionId::KwPics).backgroundImage, "backgrnd_CornerImage.gif");
}

TEST(ModelTest, PageTextColorCascadesUntilOverridden)
{
    LayoutModel model;
    model.setPageTextColor(rgb(1, 2, 3));
    const PageStyle &page = model.page();
    for (Color c : {model.pageRegion().textColor, page.linkColor, page.linkHoverColor, page.heading1Color,
                    page.heading2Color, page.heading3Color, page.tableHeadLinkColor})
        EXPECT_EQ(c, rgb(1, 2, 3));
    EXPECT_NE(page.portletLinkColor, rgb(1, 2, 3)); // not part of the cascade
    model.setPageFontFamily("Georgia");
    EXPECT_EQ(page.gridTitleFont, "Georgia");
    EXPECT_EQ(page.tableHeadLinkFont, "Georgia");
    EXPECT_EQ(page.mainLinkFont, "Verdana");
    model.setPageFontSize(15);
    EXPECT_EQ(page.heading2Size, 15);
    EXPECT_EQ(page.gridTitleSize, 12);
    model.setPageFontWeight("300");
    EXPECT_EQ(page.tableHeadLinkWeight, "300");
    EXPECT_EQ(page.gridTitleWeight, "900");
}

TEST(ModelTest, ValuesByNameRoundTrip)
{
    LayoutModel model;
    LayoutFlags flags;
    const auto before = layoutValues(model, flags);
    // Every field once: regions 8 x 37, page 63, switches 12, nine button styles x 23, two flags.
    EXPECT_EQ(before.size(), 8u * 37 + 63 + 12 + 9 * 23 + 2);
    LayoutModel copy;
    LayoutFlags copyFlags;
    setLayoutValue(model, flags, "KwPics.backgroundImage", "");
    setLayoutValue(model, flags, "switch.showLogo", "true");
    setLayoutValue(model, flags, "doc.buttonStylesLoaded", "true");
    for (const auto &[key, value] : layoutValues(model, flags))
        setLayoutValue(copy, copyFlags, key, value);
    EXPECT_EQ(copy, model);
    EXPECT_EQ(copyFlags, flags);
    EXPECT_TRUE(copy.switches(Pane::ApplicationPages).showLogo); // switches go to both panes
}

TEST(ModelTest, BadKeysAndValuesAreRefusedWithTheirName)
{
    LayoutModel model;
    LayoutFlags flags;
    const std::pair<const char *, const char *> bad[] = {{"KwNowhere.textColor", "#000000"},
                                                         {"KwNavigate.nosuch", "1"},
                                                         {"KwNavigate.textColor", "red"},
                                                         {"KwNavigate.textColor", "#12345"},
                                                         {"KwNavigate.fontSize", "11px"},
                                                         {"switch.showLogo", "yes"},
                                                         {"button.KwNone.height", "1"},
                                                         {"button.KwButton", "1"},
                                                         {"doc.other", "true"},
                                                         {"plain", "x"}};
    for (const auto &[key, value] : bad) {
        try {
            setLayoutValue(model, flags, key, value);
            ADD_FAILURE() << key << "=" << value << " was accepted";
        } catch (const std::invalid_argument &error) {
            EXPECT_NE(std::string(error.what()).find(std::string(key).substr(0, 5)), std::string::npos)
                << error.what();
        }
    }
    EXPECT_EQ(model, LayoutModel());
}

} // namespace
} // namespace kw::layout
