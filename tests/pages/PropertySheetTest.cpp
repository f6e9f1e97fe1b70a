// The layout property sheet: captions and page sets of every element, Cancel, lazy pages, the page cycle
// and help.
#include "pages/CWebPagePropSheet.h"
#include "pages/ElementProperties.h"

#include "layout/LayoutDocument.h"
#include "layout/LayoutValues.h"
#include "portalpage/PortalPane.h"

#include "PagesTestSupport.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <QLineEdit>
#include <QTabBar>

#include <algorithm>

namespace kw::pages {
namespace {

using namespace kw::pages::test;
using layout::Pane;
using layout::RegionId;

std::vector<std::string> tabTexts(QWidget &sheet)
{
    std::vector<std::string> texts;
    auto *tabs = sheet.findChild<QTabBar *>(QStringLiteral("tabs"));
    for (int i = 0; tabs && i < tabs->count(); ++i)
        texts.push_back(tabs->tabText(i).toStdString());
    return texts;
}

class PropertySheetTest : public ::testing::Test {
protected:
    kw::test::TempPortal portal{false};
    kw::test::ScriptedPrompter prompter;
    layout::NoLayoutChooser chooser;
    NoWaitIndicator wait;
    layout::LayoutDocument document{portal.env(), prompter, chooser, wait};
    PageContext context{portal.env(), prompter};
};

// The tabs each element's sheet shows, exactly and in order: no page missing, none added.
TEST_F(PropertySheetTest, EveryElementOpensItsSheetWithItsCaptionAndPageSet)
{
    using Tabs = std::vector<std::string>;
    const Tabs menu = {"Allgemein", "Spezialeinstellungen"};
    const Tabs appPage = {"Allgemein", "Überschriften", "Tabellen",
                          "Links",     "Eingabefelder", "Schaltflächen"};
    Tabs startPage = appPage;
    startPage.emplace_back("Portal");
    struct Case {
        Pane pane;
        RegionId region;
        bool treeMenu;
        const char *caption;
        Tabs tabs;
        int specialKind;
        bool favoritesEnabled;
    };
    const Case cases[] = {
        {Pane::StartPage, RegionId::KwRootNavigate, false, "Hauptmenü", menu, 2, false},
        {Pane::StartPage, RegionId::KwRootNavigate, true, "Hauptmenü", menu, 2, false},
        {Pane::StartPage, RegionId::KwNavigate, false, "Submenü", menu, 3, true},
        {Pane::ApplicationPages,
         RegionId::KwNavigate,
         true,
         "Submenü",
         {"Allgemein", "Spezialeinstellungen", "Baummenü"},
         3,
         true},
        {Pane::ApplicationPages, RegionId::KwStartNavigate, false, "Anwendungsmenü", menu, 4, false},
        {Pane::ApplicationPages, RegionId::KwStartNavigate, true, "Anwendungsmenü", menu, 4, false},
        {Pane::StartPage, RegionId::KwRootTop, false, "Seitenkopf", {"Allgemein"}, 0, true},
        {Pane::ApplicationPages, RegionId::KwApplication, false, "Anwendungsseite", appPage, 0, false},
        {Pane::ApplicationPages, RegionId::KwApplication, true, "Anwendungsseite", appPage, 0, false},
        {Pane::StartPage, RegionId::KwApplication, false, "Standardstartseite", startPage, 0, false},
        {Pane::StartPage, RegionId::KwNavigateHeader, false, "Submenü-Überschrift", {"Allgemein"}, 0, false},
        {Pane::ApplicationPages, RegionId::KwStartTop, false, " Anwendungstitel", {"Allgemein"}, 0, false},
        {Pane::StartPage, RegionId::KwPics, false, "Submenü-Logo", {"Allgemein"}, 0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(layout::regionName(c.region)) +
                     (c.pane == Pane::StartPage ? " start" : " app") + (c.treeMenu ? " tree" : ""));
        portalpage::PortalPane pane(c.pane, document.model());
        pane.submenu().treeMenuShown = c.treeMenu;
        portalpage::CPreviewElement *element = pane.element(c.region);
        ASSERT_NE(element, nullptr);
        bool seen = false;
        whenModal([&](QDialog &dialog) {
            seen = true;
            auto *sheet = dynamic_cast<CWebPagePropSheet *>(&dialog);
            ASSERT_NE(sheet, nullptr);
            EXPECT_EQ(dialog.windowTitle().toStdString(), c.caption);
            EXPECT_EQ(tabTexts(dialog), c.tabs);
            EXPECT_EQ(sheet->specialSettingsKind(), c.specialKind);
            EXPECT_EQ(sheet->activeIndex(), 0);
            EXPECT_EQ(control<QWidget>(dialog, 1217)->isEnabled(), c.favoritesEnabled);
            click(dialog, 2);
        });
        EXPECT_FALSE(editElementProperties(nullptr, *element, document, portal.env(), prompter));
        EXPECT_TRUE(seen);
    }
    EXPECT_FALSE(document.isModified());
}

// Abbrechen after an edit on any of the nine pages leaves the layout, its switches and the modified flag as
// they were.
TEST_F(PropertySheetTest, CancelAfterAnEditOnAnyPageChangesNothing)
{
    portal.write("Images\\Company\\anders.gif", "x");
    document.flags().entryStyleFromCss = true;
    document.flags().buttonStylesLoaded = true;
    document.model().region(RegionId::KwRootNavigate).showButtonEffect = true;
    const QColor other(0x12, 0x34, 0x56);
    struct Case {
        Pane pane;
        RegionId region;
        const char *tab;
        std::function<void(QWidget &)> edit;
    };
    const Case cases[] = {
        {Pane::StartPage, RegionId::KwRootNavigate, "Allgemein",
         [&](QWidget &p) {
             pickColor(p, 1001, other);
             typeInto(p, 1010, "31");
         }},
        {Pane::StartPage, RegionId::KwApplication, "Überschriften",
         [&](QWidget &p) {
             pickColor(p, 1025, other);
             chooseImage(p, QStringLiteral("anders.gif"), 1178);
         }},
        {Pane::StartPage, RegionId::KwApplication, "Tabellen",
         [&](QWidget &p) {
             pickColor(p, 1042, other);
             typeInto(p, 1157, "9");
         }},
        {Pane::StartPage, RegionId::KwApplication, "Links", [&](QWidget &p) { pickColor(p, 1037, other); }},
        {Pane::StartPage, RegionId::KwApplication, "Portal",
         [&](QWidget &p) {
             pickColor(p, 1041, other);
             click(p, 1216);
         }},
        {Pane::StartPage, RegionId::KwApplication, "Eingabefelder",
         [&](QWidget &p) {
             pickColor(p, 1115, other);
             chooseImage(p, QStringLiteral("anders.gif"), 1178);
         }},
        {Pane::StartPage, RegionId::KwApplication, "Schaltflächen",
         [&](QWidget &p) {
             pickColor(p, 1119, other);
             typeInto(p, 1160, "9");
         }},
        {Pane::StartPage, RegionId::KwRootNavigate, "Spezialeinstellungen",
         [&](QWidget &p) {
             pickColor(p, 1120, other);
             chooseImage(p, QStringLiteral("anders.gif"), 1200);
         }},
        {Pane::ApplicationPages, RegionId::KwNavigate, "Baummenü",
         [](QWidget &p) { chooseImage(p, QStringLiteral("anders.gif"), 1220); }},
    };
    const auto before = layout::layoutValues(document.model(), document.flags());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.tab);
        portalpage::PortalPane pane(c.pane, document.model());
        pane.submenu().treeMenuShown = true;
        whenModal([&](QDialog &sheet) {
            ASSERT_TRUE(showTab(sheet, c.tab));
            c.edit(*static_cast<CWebPagePropSheet &>(sheet).activePage());
            click(sheet, 2);
        });
        EXPECT_FALSE(
            editElementProperties(nullptr, *pane.element(c.region), document, portal.env(), prompter));
        EXPECT_EQ(layout::layoutValues(document.model(), document.flags()), before);
        EXPECT_FALSE(document.isModified());
    }
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

// Every control of every page has a place of its own: none lies over another or stays unshown (the Special
// settings page once with its separator group and once without); and every edit, list and colour button has
// its caption.
TEST_F(PropertySheetTest, EveryControlOfEveryPageHasAPlaceAndACaption)
{
    document.flags().entryStyleFromCss = true;
    document.flags().buttonStylesLoaded = true;
    const std::pair<Pane, RegionId> sheets[] = {{Pane::StartPage, RegionId::KwApplication},
                                                {Pane::StartPage, RegionId::KwRootNavigate},
                                                {Pane::ApplicationPages, RegionId::KwNavigate}};
    int pages = 0;
    for (const auto &[paneKind, region] : sheets) {
        portalpage::PortalPane pane(paneKind, document.model());
        pane.submenu().treeMenuShown = true;
        whenModal([&](QDialog &sheet) {
            auto *tabs = sheet.findChild<QTabBar *>(QStringLiteral("tabs"));
            for (int tab = 0; tab < tabs->count(); ++tab) {
                ASSERT_TRUE(showTab(sheet, tabs->tabText(tab).toUtf8().constData()));
                QCoreApplication::sendPostedEvents(); // a page's controls are shown by posted events
                ++pages;
                EXPECT_EQ(kw::test::misplacedControls(sheet).join(", ").toStdString(), "")
                    << tabs->tabText(tab).toStdString();
                // The Buttons page's style box heads the page without a caption.
                const std::string uncaptioned =
                    tabs->tabText(tab) == QString::fromUtf8("Schaltflächen") ? "1149" : "";
                EXPECT_EQ(uncaptionedControls(sheet).join(", ").toStdString(), uncaptioned)
                    << tabs->tabText(tab).toStdString();
            }
            click(sheet, 2);
        });
        editElementProperties(nullptr, *pane.element(region), document, portal.env(), prompter);
    }
    EXPECT_EQ(pages, 7 + 2 + 3);
}

TEST_F(PropertySheetTest, TheSheetOffersOkCancelAndHelpButNoApply)
{
    CWebPagePropSheet sheet(StringId::MainMenu, context);
    sheet.show();
    std::vector<std::string> buttons;
    for (QPushButton *button : sheet.findChildren<QPushButton *>())
        if (button->parentWidget() != &sheet.generalPage)
            buttons.push_back(button->objectName().toStdString() + "=" + button->text().toStdString());
    std::sort(buttons.begin(), buttons.end());
    EXPECT_EQ(buttons, (std::vector<std::string>{"1=OK", "2=Abbrechen", "9=Hilfe"}));
    EXPECT_EQ(sheet.windowTitle(), QString::fromUtf8("Hauptmenü"));
    EXPECT_FALSE(sheet.changed);
}

/// A page that records its cycle and can refuse to be left.
class RecordingPage final : public CPropertyPage {
public:
    explicit RecordingPage(PageSlot slot) : CPropertyPage(slot) {}
    int inits = 0, leaves = 0, oks = 0;
    bool refuse = false;
    bool OnKillActive() override
    {
        ++leaves;
        return !refuse;
    }
    void OnOK() override { ++oks; }

protected:
    void OnInitDialog() override
    {
        ++inits;
        new QLineEdit(this);
    }
};

std::vector<std::string> &shownTopics()
{
    static std::vector<std::string> topics;
    return topics;
}

void recordTopic(std::string_view topic)
{
    shownTopics().emplace_back(topic);
}

void clickTab(QWidget &sheet, int index)
{
    auto *tabs = sheet.findChild<QTabBar *>(QStringLiteral("tabs"));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

TEST_F(PropertySheetTest, PagesAreMadeWhenFirstShownAndARefusingPageStaysActive)
{
    RecordingPage headings(PageSlot::Headings), links(PageSlot::Links);
    {
        CWebPagePropSheet sheet(QStringLiteral("Test"), context);
        sheet.AddPage(headings);
        sheet.AddPage(links);
        EXPECT_FALSE(sheet.generalPage.isCreated()); // nothing is made before the sheet shows
        sheet.show();
        EXPECT_TRUE(sheet.generalPage.isCreated());
        EXPECT_EQ(tabTexts(sheet), (std::vector<std::string>{"Allgemein", "Überschriften", "Links"}));

        clickTab(sheet, 1);
        EXPECT_EQ(sheet.activePage(), &headings);
        EXPECT_EQ(headings.inits, 1);
        headings.refuse = true;
        clickTab(sheet, 0);
        EXPECT_EQ(sheet.activePage(), &headings);
        EXPECT_EQ(sheet.findChild<QTabBar *>(QStringLiteral("tabs"))->currentIndex(), 1);
        click(sheet, 1); // OK is refused too
        EXPECT_TRUE(sheet.isVisible());
        EXPECT_EQ(headings.oks, 0);

        headings.refuse = false;
        clickTab(sheet, 0);
        clickTab(sheet, 1);
        EXPECT_EQ(headings.inits, 1); // made once
        click(sheet, 1);
        EXPECT_FALSE(sheet.isVisible());
        EXPECT_EQ(sheet.result(), QDialog::Accepted);
    }
    EXPECT_EQ(headings.oks, 1);
    // The page never shown ran nothing.
    EXPECT_EQ(links.inits, 0);
    EXPECT_EQ(links.leaves, 0);
    EXPECT_EQ(links.oks, 0);
}

TEST_F(PropertySheetTest, ARefusedSizeKeepsTheGeneralPageAndTheSheetOpen)
{
    RecordingPage headings(PageSlot::Headings);
    CWebPagePropSheet sheet(QStringLiteral("Test"), context);
    sheet.AddPage(headings);
    sheet.generalPage.values.fontSize = 11;
    sheet.show();
    auto *size = control<QLineEdit>(sheet, 1010);
    size->setText(QStringLiteral("11px"));
    clickTab(sheet, 1);
    EXPECT_EQ(sheet.activePage(), &sheet.generalPage);
    EXPECT_EQ(headings.inits, 0);
    click(sheet, 1);
    EXPECT_TRUE(sheet.isVisible());
    size->setText(QStringLiteral("1001"));
    click(sheet, 1);
    EXPECT_TRUE(sheet.isVisible());
    EXPECT_EQ(prompter.messages(),
              (std::vector<std::string>{"Bitte geben Sie eine ganze Zahl ein.",
                                        "Bitte geben Sie eine ganze Zahl ein.",
                                        "Bitte geben Sie eine ganze Zahl zwischen 0 und 1000 ein."}));
    size->setText(QStringLiteral("14"));
    click(sheet, 1);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(sheet.generalPage.values.fontSize, 14);
}

TEST_F(PropertySheetTest, HelpShowsTheActivePagesTopic)
{
    const HelpHandler previous = setHelpHandler(&recordTopic);
    shownTopics().clear();
    RecordingPage special(PageSlot::SpecialSettings);
    CWebPagePropSheet sheet(QStringLiteral("Test"), context);
    sheet.AddPage(special);
    sheet.show();
    click(sheet, 9);
    clickTab(sheet, 1);
    QTest::keyClick(&sheet, Qt::Key_F1);
    setHelpHandler(previous);
    EXPECT_EQ(shownTopics(), (std::vector<std::string>{"::/87_1.htm", "::/87_8.htm"}));
}

} // namespace
} // namespace kw::pages
