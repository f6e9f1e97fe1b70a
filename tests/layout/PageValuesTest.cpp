// The further property pages' values as the preview elements fill them from the model and take them back.
#include "layoutmodel/PageValues.h"

#include "layout/LayoutValues.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kw::layout {
namespace {

/// Sets every named page field to a colour of its own (slot number + 1 in each channel).
LayoutModel modelWithSlotColors(const std::vector<std::string> &fieldsBySlot)
{
    LayoutModel model;
    LayoutFlags flags;
    for (std::size_t slot = 0; slot < fieldsBySlot.size(); ++slot) {
        const auto v = static_cast<int>(slot + 1);
        char text[8];
        std::snprintf(text, sizeof text, "#%02X%02X%02X", v, v, v);
        setLayoutValue(model, flags, "page." + fieldsBySlot[slot], text);
    }
    return model;
}

template <std::size_t N> void expectSlotColors(const std::array<Color, N> &colors)
{
    for (std::size_t slot = 0; slot < N; ++slot) {
        const auto v = static_cast<std::uint8_t>(slot + 1);
        EXPECT_EQ(colors[slot], rgb(v, v, v)) << "slot " << slot;
    }
}

TEST(PageValuesTest, ColourSlotsStandForTheirModelFields)
{
    const LayoutModel tables = modelWithSlotColors(
        {"tableHeadLinkColor", "tableHeadClickedColor", "tableHeadLinkHoverColor", "gridBorderColor",
         "gridTitleTextColor", "gridTitleBackgroundColor", "gridHeaderColor", "gridHeaderSplitColor",
         "firstRowColor", "secondRowColor", "gridTextColor"});
    expectSlotColors(tableValues(tables.page()).colors);

    const LayoutModel portal = modelWithSlotColors(
        {"portletLinkColor", "portletHeaderClickedColor", "portletLinkHoverColor", "portletBorderColor",
         "portalTextColor", "portalBackgroundColor", "portletHeaderBackgroundColor", "portletFirstRowColor",
         "portletSecondRowColor", "portletHeaderTextColor", "portletTextColor"});
    expectSlotColors(portalValues(portal.page()).colors);

    const LayoutModel entries =
        modelWithSlotColors({"entryBackgroundColor", "entryForegroundColor", "entrySelectionBackgroundColor",
                             "entrySelectionForegroundColor", "entryBorderColor"});
    expectSlotColors(entryValues(entries.page()).colors);
}

TEST(PageValuesTest, WeightsBecomeIndexesAndNoSelectionKeepsTheModelText)
{
    LayoutModel model;
    PageStyle &page = model.page();
    page.gridTitleWeight = "900";
    page.tableHeadLinkWeight = "bold";
    GridValues values = tableValues(page);
    EXPECT_EQ(values.titleWeight, 8);
    EXPECT_EQ(values.secondWeight, 6);

    values.titleWeight = 2;
    values.secondWeight = -1;
    values.borderWidth = 7;
    values.titleSize = 15;
    storeTableValues(values, page);
    EXPECT_EQ(page.gridTitleWeight, "300");
    EXPECT_EQ(page.tableHeadLinkWeight, "bold");
    EXPECT_EQ(page.gridBorderWidth, 7);
    EXPECT_EQ(page.gridTitleSize, 15);
}

TEST(PageValuesTest, RoundTripsLeaveTheModelUnchanged)
{
    LayoutModel model;
    const LayoutModel before = model;
    storeHeadingValues(headingValues(model.page()), model.page());
    storeLinkValues(linkValues(model.page()), model.page());
    storeTableValues(tableValues(model.page()), model.page());
    storePortalValues(portalValues(model.page()), model.page());
    storeEntryValues(entryValues(model.page()), model.page());
    for (RegionId id : {RegionId::KwRootNavigate, RegionId::KwNavigate, RegionId::KwStartNavigate}) {
        storeMenuSpecialValues(menuSpecialValues(model.region(id)), model.region(id));
        storeTreeMenuValues(treeMenuValues(model.region(id)), model.region(id));
    }
    EXPECT_EQ(model, before);
}

TEST(PageValuesTest, EditedValuesReachTheirFields)
{
    LayoutModel model;
    HeadingValues headings = headingValues(model.page());
    headings.levels[0].bullet = "big.gif";
    headings.levels[1].bullet = "small.gif";
    headings.levels[2].font = "Courier";
    headings.levels[2].weight = 0;
    storeHeadingValues(headings, model.page());
    EXPECT_EQ(model.page().bulletBigPath, "big.gif");
    EXPECT_EQ(model.page().bulletSmallPath, "small.gif");
    EXPECT_EQ(model.page().heading3Font, "Courier");
    EXPECT_EQ(model.page().heading3Weight, "100");

    GridValues portal = portalValues(model.page());
    portal.showShadow = true;
    portal.titleFont = "Tahoma";
    portal.secondSize = 17;
    storePortalValues(portal, model.page());
    EXPECT_TRUE(model.page().showPortletShadow);
    EXPECT_EQ(model.page().portletTitleFontFamily, "Tahoma");
    EXPECT_EQ(model.page().portletHeaderSize, 17);

    RegionStyle &submenu = model.region(RegionId::KwNavigate);
    MenuSpecialValues specials = menuSpecialValues(submenu);
    specials.imageHover = "hover.png";
    specials.imageSelected = "selected.png";
    specials.effectColors[1] = rgb(9, 9, 9);
    storeMenuSpecialValues(specials, submenu);
    EXPECT_EQ(submenu.buttonImageMouse, "hover.png");
    EXPECT_EQ(submenu.buttonImageSelect, "selected.png");
    EXPECT_EQ(submenu.focusBorderColor, rgb(9, 9, 9));

    TreeMenuValues tree;
    tree.images = {"close.gif", "open.gif", "closed.gif", "login.gif"};
    storeTreeMenuValues(tree, submenu);
    EXPECT_EQ(submenu.closeLeafsImage, "close.gif");
    EXPECT_EQ(submenu.loginButtonImage, "login.gif");
}

TEST(PageValuesTest, GlobalSearchIsStoredInBothPanesOnlyOnARealChange)
{
    LayoutModel model;
    model.switches(Pane::StartPage).enableGlobalSearch = true;
    const PaneSwitches reference = model.switches(Pane::StartPage);
    GlobalSearchValues values = globalSearchValues(reference);
    EXPECT_TRUE(values.enableGlobalSearch);

    const LayoutModel before = model;
    EXPECT_FALSE(storeGlobalSearchValues(values, reference, model));
    EXPECT_EQ(model, before);

    values.searchApplicationsAnonymous = true;
    EXPECT_TRUE(storeGlobalSearchValues(values, reference, model));
    for (Pane pane : {Pane::StartPage, Pane::ApplicationPages}) {
        EXPECT_TRUE(model.switches(pane).enableAppSearchAno);
        EXPECT_TRUE(model.switches(pane).enableGlobalSearch);
    }
}

} // namespace
} // namespace kw::layout
