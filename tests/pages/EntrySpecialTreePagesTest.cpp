// The pages "Eingabefelder", "Spezialeinstellungen" and "Baummenü": the page sets of the elements, enable
// rules, clamped widths, what marks the layout changed, and values reaching the active stylesheets.
#include "pages/CWebPagePropSheet.h"
#include "pages/ElementProperties.h"

#include "controls/CBorderStyleBox.h"
#include "layout/LayoutDocument.h"
#include "portalpage/PortalPane.h"

#include "PagesTestSupport.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <QLineEdit>
#include <QTabBar>

namespace kw::pages {
namespace {

using namespace kw::pages::test;
using layout::Pane;
using layout::RegionId;

QStringList tabCaptions(QDialog &sheet)
{
    auto *tabs = sheet.findChild<QTabBar *>(QStringLiteral("tabs"));
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    return captions;
}

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
    NoChooser chooser;
    NoWaitIndicator wait;
    layout::LayoutDocument document{portal.env(), prompter, chooser, wait};
};

TEST_F(EntrySpecialTreePagesTest, EveryElementShowsItsPageSet)
{
    const QStringList appPage = {"Allgemein", "Überschriften", "Tabellen", "Links", "Eingabefelder"};
    const QStringList menu = {"Allgemein", "Spezialeinstellungen"};
    struct Case {
        Pane pane;
        RegionId region;
        QStringList expected;
    };
    const Case cases[] = {
        {Pane::ApplicationPages, RegionId::KwApplication, appPage},
        {Pane::StartPage, RegionId::KwApplication, appPage},
        {Pane::StartPage, RegionId::KwRootNavigate, menu},
        {Pane::ApplicationPages, RegionId::KwNavigate, menu},
        {Pane::ApplicationPages, RegionId::KwStartNavigate, menu},
        {Pane::StartPage, RegionId::KwRootTop, {"Allgemein"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(static_cast<int>(c.region));
        QStringList shown;
        edit(
            c.pane, c.region, [&](QDialog &sheet) { shown = tabCaptions(sheet); }, false);
        // The Buttons page and "Portal" (start page) join the application page's set; the ones asked for
        // here come first in this order.
        for (const QString &caption : c.expected)
            EXPECT_TRUE(shown.contains(caption))
                << caption.toStdString() << " in " << shown.join(',').toStdString();
        EXPECT_EQ(shown.contains("Spezialeinstellungen"), c.expected == menu);
        EXPECT_FALSE(shown.contains("Baummenü"));
    }
}

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
        EXPECT_FALSE(control<QWidget>(p, 1119)->isEnabled());
        clickCheck(p, 1193);
        ASSERT_TRUE(control<QWidget>(p, 1119)->isEnabled());
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

TEST_F(EntrySpecialTreePagesTest, EditsReachTheActiveStylesheets)
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
    const std::string all = css + portal.read("_KwStyle\\menu.css") + portal.read("_KwStyle\\rollover.asp") +
                            portal.read("_KwStyle\\KwStyles.asp");
    EXPECT_NE(all.find("C1C2C3"), std::string::npos) << "the click colour is published nowhere";
}

} // namespace
} // namespace kw::pages
