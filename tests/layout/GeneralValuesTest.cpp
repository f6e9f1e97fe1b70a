// What each region hands to the General page and takes back from it.
#include "layoutmodel/GeneralValues.h"

#include <gtest/gtest.h>

namespace kw::layout {
namespace {

/// A model whose regions hold values that differ from the page's defaults in every field.
LayoutModel markedModel()
{
    LayoutModel model;
    for (RegionId id : kAllRegions) {
        RegionStyle &s = model.region(id);
        const Color base = static_cast<Color>(static_cast<int>(id) + 1);
        s.backgroundColor = base * 0x10;
        s.textColor = base * 0x20;
        s.hoverColor = base * 0x30;
        s.selectedColor = base * 0x40;
        s.subTextColor = base * 0x50;
        s.subHoverColor = base * 0x60;
        s.subSelectedColor = base * 0x70;
        s.fontFamily = "Main";
        s.fontSize = 12;
        s.fontWeight = "600";
        s.subFontFamily = "Sub";
        s.subFontSize = 9;
        s.subFontWeight = "bold";
        s.backgroundImage = "b.png";
        s.backgroundRepeat = "repeat";
        s.backgroundAttachment = "fixed";
        s.showFavorites = true;
    }
    return model;
}

TEST(GeneralValuesTest, EachRegionFillsItsOwnGroupsAndSwitches)
{
    const LayoutModel model = markedModel();
    const GeneralValues defaults;
    for (RegionId id : kAllRegions) {
        SCOPED_TRACE(std::string(regionName(id)));
        const GeneralValues v = generalValues(model, id, true);
        const RegionStyle &s = model.region(id);
        const unsigned fields = generalHandOver(id).fields;
        EXPECT_EQ(v.backgroundColor, s.backgroundColor);
        EXPECT_EQ(v.backgroundImage, "b.png");
        EXPECT_EQ(v.textColor, s.textColor);
        const bool font = id != RegionId::KwPics;
        EXPECT_EQ(v.fontFamily, font ? "Main" : "");
        EXPECT_EQ(v.fontWeightIndex, font ? 5 : -1);
        EXPECT_EQ(v.fontSize, font ? 12 : 0);
        const bool hover = id == RegionId::KwRootNavigate || id == RegionId::KwNavigate ||
                           id == RegionId::KwStartNavigate || id == RegionId::KwApplication;
        EXPECT_EQ(v.hoverColor, hover ? s.hoverColor : defaults.hoverColor);
        EXPECT_EQ(v.selectedColor, hover ? s.selectedColor : defaults.selectedColor);
        const bool submenu = id == RegionId::KwNavigate;
        EXPECT_EQ(v.subFontFamily, submenu ? "Sub" : "");
        EXPECT_EQ(v.subFontWeightIndex, submenu ? 6 : -1);
        EXPECT_EQ(v.subHoverColor, submenu ? s.subHoverColor : defaults.subHoverColor);
        EXPECT_EQ(v.treeMenu, submenu);
        EXPECT_EQ(v.showFavorites, submenu || id == RegionId::KwRootTop);
        EXPECT_EQ(v.singleColor, id == RegionId::KwRootTop || id == RegionId::KwApplication ||
                                     id == RegionId::KwNavigateHeader || id == RegionId::KwStartTop);
        EXPECT_EQ(v.noText, id == RegionId::KwPics);
        EXPECT_EQ(v.menuLevel, -1);
        EXPECT_EQ((fields & SubEntries) != 0, submenu);
    }
    EXPECT_FALSE(generalValues(model, RegionId::KwNavigate, false).treeMenu);
}

TEST(GeneralValuesTest, TakingBackWritesOnlyTheFilledGroupsAndConvertsTheWeight)
{
    LayoutModel model = markedModel();
    const LayoutModel before = model;
    GeneralValues v;
    v.backgroundColor = 0xABCDEF;
    v.textColor = 0x123456;
    v.hoverColor = 0x111111;
    v.subTextColor = 0x222222;
    v.fontFamily = "Other";
    v.fontWeightIndex = 8;
    v.subFontWeightIndex = 0;
    v.showFavorites = false;

    EXPECT_TRUE(storeGeneralValues(v, RegionId::KwPics, model));
    EXPECT_EQ(model.region(RegionId::KwPics).backgroundColor, 0xABCDEFu);
    EXPECT_EQ(model.region(RegionId::KwPics).textColor, 0x123456u);
    EXPECT_EQ(model.region(RegionId::KwPics).fontFamily, "Main"); // the logo hands over no font
    EXPECT_EQ(model.region(RegionId::KwPics).hoverColor, before.region(RegionId::KwPics).hoverColor);

    EXPECT_TRUE(storeGeneralValues(v, RegionId::KwNavigate, model));
    const RegionStyle &sub = model.region(RegionId::KwNavigate);
    EXPECT_EQ(sub.fontWeight, "900");
    EXPECT_EQ(sub.subFontWeight, "100");
    EXPECT_EQ(sub.subTextColor, 0x222222u);
    EXPECT_FALSE(sub.showFavorites);

    // No weight chosen keeps the region's text; the same values again are no change.
    v.fontWeightIndex = -1;
    EXPECT_TRUE(storeGeneralValues(v, RegionId::KwRootTop, model));
    EXPECT_EQ(model.region(RegionId::KwRootTop).fontWeight, "600");
    EXPECT_EQ(model.region(RegionId::KwRootTop).hoverColor, before.region(RegionId::KwRootTop).hoverColor);
    EXPECT_FALSE(storeGeneralValues(v, RegionId::KwRootTop, model));
    EXPECT_FALSE(
        storeGeneralValues(generalValues(model, RegionId::KwApplication), RegionId::KwApplication, model));
}

} // namespace
} // namespace kw::layout
