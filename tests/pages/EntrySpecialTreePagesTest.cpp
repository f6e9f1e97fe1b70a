// The pages "Eingabefelder", "Spezialeinstellungen" and "Baummenü": enable rules, clamped widths, what marks
// the layout changed, and colours and pictures reaching their lines of the published files.
#include "pages/CWebPagePropSheet.h"
#include "pages/ElementProperties.h"

#include "base/Color.h"
#include "controls/CBorderStyleBox.h"
#include "layout/LayoutDocument.h"
#include "portalpage/PortalPane.h"

#include "PagesTestSupport.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <QLineEdit>

namespace kw::pages {
namespace {

using namespace kw::pages::test;
using layout::Pane;
using layout::RegionId;

/// Clicks a check box on its indicator (a stretched box takes clicks only on its indicator and text).
void clickCheck(QWidget &page, int id)
{
    auto *box = control<QWidget>(page, id);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

class EntrySpecialTreePagesTest : public ::testing::Test {
protected:
    /// Opens the sheet of `region` in `pane`, runs `step` on the sheet and presses OK (or Abbrechen when
    /// `ok` is false). Returns what editing reported.
    bool edit(Pane pane, RegionId region, const std::function<void(QDialog &)> &step, bool ok = true,
              bool treeMenu = false)
    {
        portalpage::PortalPane preview(pane, document.model());
        preview.submenu().treeMenuShown = treeMenu;
        whenModal([&](QDialog &sheet) {
            step(sheet);
            click(sheet, ok ? 1 : 2);
        });
        return editElementProperties(nullptr, *preview.element(region), document, portal.env(), prompter);
    }
    /// Shows the tab `caption` of the sheet of `region` and runs `step` on its page.
    bool editPage(Pane pane, RegionId region, const char *caption, const std::function<void(QWidget &)> &step,
                  bool treeMenu = false)
    {
        return edit(
            pane, region,
            [&](QDialog &sheet) {
                ASSERT_TRUE(showTab(sheet, caption)) << caption;
                step(*static_cast<CWebPagePropSheet &>(sheet).activePage());
            },
            true, treeMenu);
    }
    layout::PageStyle &page() { return document.model().page(); }
    /// A layout never loaded has empty keywords that the General page fills in on its first OK; that
    /// first OK is made here, so that the tests see only their own edits.
    void SetUp() override
    {
        for (Pane pane : {Pane::StartPage, Pane::ApplicationPages})
            edit(pane, RegionId::KwApplication, [](QDialog &) {});
        for (RegionId menu : {RegionId::KwRootNavigate, RegionId::KwNavigate, RegionId::KwStartNavigate})
            edit(Pane::ApplicationPages, menu, [](QDialog &) {});
        document.setModified(false);
    }

    kw::test::TempPortal portal{false};
    kw::test::ScriptedPrompter prompter;
    layout::NoLayoutChooser chooser;
    NoWaitIndicator wait;
    layout::LayoutDocument document{portal.env(), prompter, chooser, wait};
};

TEST_F(EntrySpecialTreePagesTest, EntryFieldsFollowTheirSwitchAndClampTheBorderWidth)
{
    page().entryBorderStyle = "dashed";
    document.flags().entryStyleFromCss = false;
    // Off: every control but the switch is disabled and no border style is shown; OK keeps the style.
    EXPECT_FALSE(editPage(Pane::ApplicationPages, RegionId::KwApplication, "Eingabefelder", [](QWidget &p) {
        EXPECT_TRUE(control<QWidget>(p, 1147)->isEnabled());
        for (int id : {1115, 1116, 1129, 1119, 1120, 1117, 1132, 1178})
            EXPECT_FALSE(control<QWidget>(p, id)->isEnabled()) << id;
        EXPECT_EQ(control<controls::CBorderStyleBox>(p, 1132)->currentIndex(), -1);
    }));
    EXPECT_EQ(page().entryBorderStyle, "dashed");
    EXPECT_FALSE(document.flags().entryStyleFromCss);

    // Switched on: the style is shown, widths are clamped, and every change marks the layout.
    document.setModified(false);
    for (const auto &[typed, stored] : {std::pair{"0", 1}, std::pair{"250", 100}}) {
        EXPECT_TRUE(
            editPage(Pane::ApplicationPages, RegionId::KwApplication, "Eingabefelder", [&](QWidget &p) {
                if (!static_cast<QAbstractButton *>(control<QWidget>(p, 1147))->isChecked())
                    clickCheck(p, 1147);
                EXPECT_EQ(control<controls::CBorderStyleBox>(p, 1132)->borderStyle(), "dashed");
                EXPECT_TRUE(control<QWidget>(p, 1117)->isEnabled());
                typeInto(p, 1117, typed);
                pickColor(p, 1115, QColor(0x12, 0x34, 0x56));
            }));
        EXPECT_EQ(page().entryBorderWidth, stored);
    }
    EXPECT_TRUE(document.flags().entryStyleFromCss);
    EXPECT_EQ(page().entryBackgroundColor, rgb(0x12, 0x34, 0x56));
    EXPECT_TRUE(document.isModified());

    // Switched off again: the layout's switch follows.
    editPage(Pane::ApplicationPages, RegionId::KwApplication, "Eingabefelder",
             [](QWidget &p) { clickCheck(p, 1147); });
    EXPECT_FALSE(document.flags().entryStyleFromCss);
}

TEST_F(EntrySpecialTreePagesTest, SpecialSettingsHideTheSeparatorOnlyForTheSubmenuAndMarkChangedColours)
{
    document.model().region(RegionId::KwNavigate).borderStyle = "";
    for (RegionId region : {RegionId::KwRootNavigate, RegionId::KwNavigate, RegionId::KwStartNavigate}) {
        SCOPED_TRACE(static_cast<int>(region));
        const bool submenu = region == RegionId::KwNavigate;
        editPage(Pane::ApplicationPages, region, "Spezialeinstellungen", [&](QWidget &p) {
            EXPECT_EQ(control<QWidget>(p, 1202)->isVisible(), !submenu);
            EXPECT_EQ(control<QWidget>(p, 1203)->isVisible(), !submenu);
            EXPECT_TRUE(control<QWidget>(p, 1199)->isEnabled()); // the link image is always there
            if (submenu) {
                EXPECT_EQ(control<controls::CBorderStyleBox>(p, 1133)->borderStyle(), "none");
            }
        });
    }

    // The effect colours follow "Buttoneffekte anwenden"; a changed one marks the layout.
    auto &main = document.model().region(RegionId::KwRootNavigate);
    main.showButtonEffect = false;
    document.setModified(false);
    EXPECT_TRUE(editPage(Pane::StartPage, RegionId::KwRootNavigate, "Spezialeinstellungen", [](QWidget &p) {
        // The effects' colours, border style and three background pictures with their labels; the link and
        // separator pictures are always usable.
        const int effects[] = {1119, 1120, 1131, 1132, 1133, 1205, 1206, 1208, 1209, 1211, 1212};
        const int always[] = {1199, 1200, 1202, 1203};
        auto usable = [&p](int id) {
            QWidget *widget = control<QWidget>(p, id);
            const QLabel *label = labelOf(p, widget);
            return widget->isEnabled() && (!label || label->isEnabled());
        };
        for (bool on : {false, true}) {
            for (int id : effects)
                EXPECT_EQ(usable(id), on) << id;
            for (int id : always)
                EXPECT_TRUE(usable(id)) << id;
            if (!on)
                clickCheck(p, 1193);
        }
        pickColor(p, 1119, QColor(0xAA, 0x10, 0x20));
    }));
    EXPECT_TRUE(main.showButtonEffect);
    EXPECT_EQ(main.focusColor, rgb(0xAA, 0x10, 0x20));
    EXPECT_TRUE(document.isModified());
}

TEST_F(EntrySpecialTreePagesTest, TreeMenuPicturesAreShownInOrderAndAChosenOneIsPublished)
{
    auto &submenu = document.model().region(RegionId::KwNavigate);
    submenu.closeLeafsImage = "top.gif";
    submenu.openLeafImage = "minus.gif";
    submenu.closedLeafImage = "plus.gif";
    submenu.loginButtonImage = "login.gif";
    portal.write("Images\\Company\\auf.png", "x");

    // Looking only does not mark the layout.
    EXPECT_FALSE(editPage(
        Pane::ApplicationPages, RegionId::KwNavigate, "Baummenü",
        [](QWidget &p) {
            const std::pair<int, const char *> shown[] = {
                {1234, "top.gif"}, {1233, "minus.gif"}, {1232, "plus.gif"}, {1235, "login.gif"}};
            for (const auto &[id, image] : shown)
                EXPECT_EQ(control<QLineEdit>(p, id)->text(), QString::fromUtf8(image)) << id;
        },
        true));
    EXPECT_FALSE(document.isModified());

    // Choosing the open leaf's picture replaces that one only.
    EXPECT_TRUE(editPage(
        Pane::ApplicationPages, RegionId::KwNavigate, "Baummenü",
        [](QWidget &p) {
            chooseImage(p, QStringLiteral("auf.png"), 1220);
            EXPECT_EQ(control<QLineEdit>(p, 1233)->text(), QStringLiteral("auf.png"));
        },
        true));
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(submenu.openLeafImage, "auf.png");
    EXPECT_EQ(submenu.closedLeafImage, "plus.gif");

    ASSERT_TRUE(saveAsActive(document, prompter));
    const std::string minus =
        partOf(portal.read("_KwInclude\\KwCompany\\KwStyles.asp"), "g_strImage_Minus", '\n');
    EXPECT_NE(minus.find("auf.png"), std::string::npos) << minus;
}

TEST_F(EntrySpecialTreePagesTest, EditedColoursReachTheirRulesAndLines)
{
    document.flags().entryStyleFromCss = true;
    EXPECT_TRUE(editPage(Pane::ApplicationPages, RegionId::KwApplication, "Eingabefelder",
                         [](QWidget &p) { pickColor(p, 1116, QColor(0x0A, 0x0B, 0x0C)); }));
    EXPECT_TRUE(editPage(Pane::StartPage, RegionId::KwRootNavigate, "Spezialeinstellungen", [](QWidget &p) {
        if (!static_cast<QAbstractButton *>(control<QWidget>(p, 1193))->isChecked())
            clickCheck(p, 1193);
        pickColor(p, 1120, QColor(0xC1, 0xC2, 0xC3));
    }));
    ASSERT_TRUE(saveAsActive(document, prompter));
    const std::string css = portal.read("_KwStyle\\global.css");
    EXPECT_NE(partOf(css, "INPUT").find("#0A0B0C"), std::string::npos) << css;
    EXPECT_EQ(ruleValue(css, ".EntryStyle", "EntryForeground"), "\"#0A0B0C\"");
    // The click colour is the main menu's: its line of the settings script and its settings entry.
    const std::string script = portal.read("_KwInclude\\KwCompany\\KwStyles.asp");
    EXPECT_EQ(scriptValue(script, "g_FieldClickedTLColor"), "\"#C1C2C3\"");
    EXPECT_NE(scriptValue(script, "g_FieldClickedSLColor"), "\"#C1C2C3\"");
    EXPECT_EQ(ruleValue(css, ".MenuStyles.Top", "FieldOnClickColor"), "\"#C1C2C3\"");
    EXPECT_EQ(ruleValue(css, ".MenuStyles.Top", "FieldOnFocusColor"),
              "\"" + formatColor(document.model().region(RegionId::KwRootNavigate).focusColor) + "\"");
}

// Every picture chooser of "Spezialeinstellungen" and the required-field picture of "Eingabefelder" fill
// their own field, and the chosen files reach their own lines of the published script and stylesheet.
TEST_F(EntrySpecialTreePagesTest, ChosenPicturesReachTheirLinesOfThePublishedFiles)
{
    const struct {
        int change, field;
        const char *file, *scriptKey, *setting;
    } pictures[] = {
        {1206, 1205, "normal.gif", "g_strImageOnMouseOutTLPath", "ButtonImageNormal"},
        {1209, 1208, "selektiert.gif", "g_strImageClickedTLPath", "ButtonImageSelect"},
        {1212, 1211, "maus.gif", "g_strImageOnMouseOverTLPath", "ButtonImageMouse"},
        {1200, 1199, "vorlink.gif", "g_strImageBeforeLinkTLPath", "ImageBeforeLinkPath"},
        {1203, 1202, "trenner.gif", "g_strImageBetweenLinkTLPath", "ImageBetweenLinkPath"},
    };
    for (const auto &picture : pictures)
        portal.write(std::string("Images\\Company\\") + picture.file, "x");
    portal.write("Images\\Company\\pflicht.gif", "x");
    document.model().region(RegionId::KwRootNavigate).showButtonEffect = true;
    document.flags().entryStyleFromCss = true;

    EXPECT_TRUE(editPage(Pane::StartPage, RegionId::KwRootNavigate, "Spezialeinstellungen", [&](QWidget &p) {
        for (const auto &picture : pictures) {
            chooseImage(p, QString::fromUtf8(picture.file), picture.change);
            EXPECT_EQ(control<QLineEdit>(p, picture.field)->text(), QString::fromUtf8(picture.file));
        }
    }));
    EXPECT_TRUE(document.isModified());
    document.setModified(false);
    EXPECT_TRUE(editPage(Pane::ApplicationPages, RegionId::KwApplication, "Eingabefelder", [](QWidget &p) {
        chooseImage(p, QStringLiteral("pflicht.gif"), 1178);
        EXPECT_EQ(control<QLineEdit>(p, 1174)->text(), QStringLiteral("pflicht.gif"));
    }));
    EXPECT_TRUE(document.isModified());

    ASSERT_TRUE(saveAsActive(document, prompter));
    const std::string script = portal.read("_KwInclude\\KwCompany\\KwStyles.asp");
    const std::string css = portal.read("_KwStyle\\global.css");
    for (const auto &picture : pictures) {
        SCOPED_TRACE(picture.file);
        const std::string path = std::string("\"../images/company/") + picture.file + "\"";
        EXPECT_EQ(scriptValue(script, picture.scriptKey), path);
        EXPECT_EQ(ruleValue(css, ".MenuStyles.Top", picture.setting), path);
    }
    EXPECT_EQ(scriptValue(script, "g_strUrlRequiredImagePath"), "\"../images/company/pflicht.gif\"");
    EXPECT_EQ(ruleValue(css, ".EntryStyle", "RequiredImage"), "\"../images/company/pflicht.gif\"");
}

} // namespace
} // namespace kw::pages
