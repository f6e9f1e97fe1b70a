// Reading layout files into the model: the mapping's quirks, bad input, and round trips.
#include "css/CssDocument.h"
#include "layout/LayoutReader.h"
#include "layout/LayoutValues.h"
#include "publish/LayoutStylesheet.h"
#include "publish/SettingsScripts.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kw::layout {
namespace {

struct Loaded {
    LayoutModel model;
    ColorSet colors;
    bool entryStyleFromCss = false;
};

Loaded load(std::string_view text, Loaded loaded = {})
{
    css::CCssDocument document;
    document.New();
    document.LoadCss(text.data(), static_cast<int>(text.size()), true);
    readLayoutTree(document.Root(), loaded.model, loaded.colors, loaded.entryStyleFromCss);
    return loaded;
}

TEST(LoadingTest, BodyCascadesAndLaterElementsWin)
{
    const Loaded withLink = load("BODY { COLOR: #111111; } A:link { COLOR: #222222; }");
    EXPECT_EQ(withLink.model.pageRegion().textColor, rgb(0x11, 0x11, 0x11));
    EXPECT_EQ(withLink.model.page().linkColor, rgb(0x22, 0x22, 0x22));
    EXPECT_EQ(withLink.model.page().tableHeadLinkColor, rgb(0x11, 0x11, 0x11));

    const Loaded withHeading = load("BODY { COLOR: #111111; FONT-SIZE: 12pt; } H2 { COLOR: #333333; }");
    EXPECT_EQ(withHeading.model.page().heading1Color, rgb(0x11, 0x11, 0x11));
    EXPECT_EQ(withHeading.model.page().heading2Color, rgb(0x33, 0x33, 0x33)); // second pass wins
    EXPECT_EQ(withHeading.model.page().heading3Size, 16);                     // 12pt at 96 dpi

    // H2 before BODY in the file still wins: headings are read after everything else.
    const Loaded reversed = load("H2 { COLOR: #333333; } BODY { COLOR: #111111; }");
    EXPECT_EQ(reversed.model.page().heading2Color, rgb(0x33, 0x33, 0x33));
}

TEST(LoadingTest, PageWeightIsNormalAfterAnyTd)
{
    EXPECT_EQ(load("BODY { FONT-WEIGHT: 300; }").model.pageRegion().fontWeight, "300");
    EXPECT_EQ(load("BODY { FONT-WEIGHT: 300; } TD { FONT-WEIGHT: 900; }").model.pageRegion().fontWeight,
              "normal");
    EXPECT_EQ(load("BODY { FONT-WEIGHT: 300; } TD.H1 { COLOR: #000000; }").model.pageRegion().fontWeight,
              "normal");
}

TEST(LoadingTest, SizesAndTheFourExceptions)
{
    const Loaded loaded = load(R"(
        TD.KwRootTop { FONT-SIZE: 9pt; }
        TD.KwStartTop { FONT-SIZE: 2em; }
        A.KwNavigate:link { FONT-SIZE: 12pt; }
        A.KwNavigateSub:link { FONT-SIZE: 10xx; }
        A.KwPortletText:link { FONT-SIZE: 14pt; }
        TABLE.KwFirstGridBorder { BORDER-WIDTH: 3pt; }
    )");
    EXPECT_EQ(loaded.model.region(RegionId::KwRootTop).fontSize, 12);  // converted
    EXPECT_EQ(loaded.model.region(RegionId::KwStartTop).fontSize, 17); // em is ignored: default stays
    EXPECT_EQ(loaded.model.region(RegionId::KwNavigate).fontSize, 12); // the number, not converted
    EXPECT_EQ(loaded.model.region(RegionId::KwNavigate).subFontSize, 10);
    EXPECT_EQ(loaded.model.page().portletHeaderSize, 14);
    EXPECT_EQ(loaded.model.page().gridBorderWidth, 3);
}

TEST(LoadingTest, SettingsKeysAndWhatAMissingKeyMeans)
{
    Loaded before;
    before.model.setSwitch(&PaneSwitches::showInfoBar, true);
    before.model.setSwitch(&PaneSwitches::showAppInfoBar, false);
    before.model.setSwitch(&PaneSwitches::menuRight, true);
    before.model.page().showPortletShadow = true;
    const Loaded loaded = load(R"(
        @kw-settings KwStyleAsp {
          .Appearance { ShowLogo: "TRUE"; ShowPicture: "TRUE"; }
          .PortletStyle { FirstRowColor: "#010101"; }
          .MenuStyles.2ndLevel { ShowImageBeforeLink: "false"; ImageBeforeLinkPath: "../images/company/x.gif"; }
          .MenuStyles.Top { ShowImageBeforeLink: "true"; ImageBeforeLinkPath: "../images/company/dot.gif"; }
        })",
                               std::move(before));
    const PaneSwitches &s = loaded.model.switches(Pane::ApplicationPages);
    EXPECT_TRUE(s.showInfoBar);                          // missing: unchanged
    EXPECT_FALSE(s.showLogo);                            // exactly "true" only
    EXPECT_TRUE(s.showAppInfoBar);                       // missing: true
    EXPECT_TRUE(s.showPicture);                          // case is ignored
    EXPECT_FALSE(s.menuRight);                           // missing: false
    EXPECT_FALSE(loaded.model.page().showPortletShadow); // cleared whenever PortletStyle is read
    EXPECT_EQ(loaded.model.page().bulletBigPath, "");
    const RegionStyle &second = loaded.model.region(RegionId::KwNavigate);
    EXPECT_EQ(second.itemImage, "");
    EXPECT_EQ(second.closeLeafsImage, "closeall.gif");
    EXPECT_EQ(second.openLeafImage, "minus.gif");
    EXPECT_EQ(second.closedLeafImage, "plus.gif");
    EXPECT_EQ(second.loginButtonImage, "login.gif");
    EXPECT_EQ(loaded.model.region(RegionId::KwRootNavigate).itemImage, "dot.gif");
}

TEST(LoadingTest, EntryFieldsAndTheirFlag)
{
    Loaded flagged;
    flagged.entryStyleFromCss = true;
    EXPECT_TRUE(
        load("BODY { COLOR: #000000; }", std::move(flagged)).entryStyleFromCss); // no INPUT: unchanged
    Loaded cleared;
    cleared.entryStyleFromCss = true;
    EXPECT_FALSE(load("INPUT { FONT-FAMILY: Arial; }", std::move(cleared)).entryStyleFromCss);

    const Loaded loaded = load("INPUT { BORDER: #ABCDEF 9pt dashed double; }");
    EXPECT_TRUE(loaded.entryStyleFromCss);
    EXPECT_EQ(loaded.model.page().entryBorderColor, rgb(0xAB, 0xCD, 0xEF));
    EXPECT_EQ(loaded.model.page().entryBorderWidth, 12);
    EXPECT_EQ(loaded.model.page().entryBorderStyle, "dashed double");
    const Loaded oneBlank = load("INPUT { BORDER: #ABCDEF 2px; }");
    EXPECT_EQ(oneBlank.model.page().entryBorderStyle, "solid"); // ignored
}

TEST(LoadingTest, ColoursAreRegisteredExceptFourGridColours)
{
    const Loaded loaded = load(R"(
        TABLE.KwFirstGridBorder { BORDER-COLOR: #000001; }
        TR.KwGridTitle { BACKGROUND-COLOR: #000002; }
        TR.KwGridHeader { BACKGROUND-COLOR: #000003; }
        TD.KwPortletText { COLOR: #000004; }
        TR.KwGridHeaderSplit { BACKGROUND-COLOR: #000005; }
        BODY.KwPics { BACKGROUND-COLOR: #000006; }
    )");
    for (int blue : {1, 2, 3, 4})
        EXPECT_FALSE(loaded.colors.contains(rgb(0, 0, blue))) << blue;
    EXPECT_TRUE(loaded.colors.contains(rgb(0, 0, 5)));
    EXPECT_TRUE(loaded.colors.contains(rgb(0, 0, 6)));
    EXPECT_EQ(loaded.model.page().gridHeaderColor, rgb(0, 0, 3));
}

TEST(LoadingTest, BadInputKeepsTheDefaults)
{
    const std::string deep(100000, '{');
    const std::string inputs[] = {
        "",
        "this is no stylesheet at all",
        "BODY { COLOR: red; FONT-SIZE: huge; BACKGROUND-IMAGE: url(a*b.gif); }",
        "TD.KwNowhere { COLOR: #FFFFFF; } UNKNOWN { COLOR: #FFFFFF; } @kw-settings { .Appearance {} }",
        "BODY { COLOR: #12",
        deep,
        std::string(2'000'000, 'A') + "{ COLOR: #010203; }",
    };
    for (const std::string &text : inputs) {
        const Loaded loaded = load(text);
        EXPECT_EQ(loaded.model.pageRegion().textColor, rgb(0, 0, 0)) << text.substr(0, 40);
        EXPECT_EQ(loaded.model.region(RegionId::KwRootTop).backgroundColor, rgb(0x48, 0x90, 0x88));
    }
}

TEST(LoadingTest, LayoutSettingsTextSearch)
{
    const std::string good = "sub SetLayoutSettings()\r\n\tApplication(\"g_bShowInfoFav\") = true\r\n"
                             "\tApplication(\"g_bShowSecondLevelFav\") = false\r\nend sub\r\n";
    auto favorites = publish::readLayoutSettings(good);
    EXPECT_EQ(favorites.infoFavorites, true);
    EXPECT_EQ(favorites.secondLevelFavorites, false);
    favorites =
        publish::readLayoutSettings("Application(\"g_bShowInfoFav\") = true\r\n"); // no later Application
    EXPECT_EQ(favorites.infoFavorites, false);
    EXPECT_EQ(favorites.secondLevelFavorites, std::nullopt); // missing line: left as it was
    favorites = publish::readLayoutSettings("Application(\"g_bShowSecondLevelFav\") = true\r\nend sub");
    EXPECT_EQ(favorites.secondLevelFavorites, true);
}

std::string writeLayout(LayoutModel model, bool entryStyleFromCss)
{
    publish::LayoutTreeOptions options;
    options.entryStyleFromCss = entryStyleFromCss;
    css::CCssDocument written;
    written.New();
    publish::buildLayoutTree(model, options, written.Root());
    return written.GenerateCss();
}

// Model -> file -> model is stable, every value the file holds comes back, and text -> tree -> text is
// byte-identical.
TEST(LoadingTest, RoundTrips)
{
    LayoutModel model;
    LayoutFlags flags;
    const std::pair<const char *, const char *> changes[] = {{"KwRootNavigate.itemImage", "dot.gif"},
                                                             {"KwRootNavigate.separatorImage", "sep.gif"},
                                                             {"KwNavigate.openLeafImage", "o.gif"},
                                                             {"KwRootNavigate.borderStyle", "groove"},
                                                             {"KwPics.backgroundColor", "#010203"},
                                                             {"KwNavigateHeader.fontSize", "15"},
                                                             {"KwApplication.backgroundImage", "page.jpg"},
                                                             {"KwApplication.backgroundRepeat", "repeat"},
                                                             {"KwApplication.backgroundAttachment", "fixed"},
                                                             {"page.bulletBigPath", "big.gif"},
                                                             {"page.gridBorderWidth", "4"},
                                                             {"page.portletHeaderClickedColor", "#0A0B0C"},
                                                             {"page.entryBorderStyle", "inset"},
                                                             {"page.requiredImage", "req.gif"},
                                                             {"switch.showLogo", "true"},
                                                             {"switch.useTreeMenu", "true"},
                                                             {"switch.enableAppSearchAno", "true"},
                                                             {"page.showPortletShadow", "true"}};
    for (const auto &[key, value] : changes)
        setLayoutValue(model, flags, key, value);

    const std::string text = writeLayout(model, true);
    Loaded first = load(text);
    EXPECT_TRUE(first.entryStyleFromCss);
    const auto values = layoutValues(first.model, flags);
    for (const auto &change : changes)
        EXPECT_NE(std::find(values.begin(), values.end(),
                            std::pair<std::string, std::string>(change.first, change.second)),
                  values.end())
            << change.first;

    const Loaded second = load(writeLayout(first.model, true));
    EXPECT_EQ(second.model, first.model);

    css::CCssDocument reread;
    reread.New();
    reread.LoadCss(text.data(), static_cast<int>(text.size()), true);
    EXPECT_EQ(reread.GenerateCss(), text);
}

} // namespace
} // namespace kw::layout
