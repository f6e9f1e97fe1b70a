// The layout property sheet: captions and page sets of every element, lazy pages, the page cycle and help.
#include "pages/CWebPagePropSheet.h"
#include "pages/ElementProperties.h"

#include "layout/LayoutDocument.h"
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

/// The pages built so far; the others are in a page set but show no tab.

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
    NoChooser chooser;
    NoWaitIndicator wait;
    layout::LayoutDocument document{portal.env(), prompter, chooser, wait};
    PageContext context{portal.env(), prompter};
};

TEST_F(PropertySheetTest, EveryElementOpensItsSheetWithItsCaptionAndPageSet)
{
    using enum PageSlot;
    struct Case {
        Pane pane;
        RegionId region;
        bool treeMenu;
        const char *caption;
        std::vector<PageSlot> pages;
        int specialKind;
        bool favoritesEnabled;
    };
    const std::vector<Case> cases = {
        {Pane::StartPage, RegionId::KwRootNavigate, false, "Hauptmenü", {General, SpecialSettings}, 2, false},
        {Pane::StartPage, RegionId::KwRootNavigate, true, "Hauptmenü", {General, SpecialSettings}, 2, false},
        {Pane::StartPage, RegionId::KwNavigate, false, "Submenü", {General, SpecialSettings}, 3, true},
        {Pane::ApplicationPages,
         RegionId::KwNavigate,
         true,
         "Submenü",
         {General, SpecialSettings, TreeMenu},
         3,
         true},
        {Pane::ApplicationPages,
         RegionId::KwStartNavigate,
         true,
         "Anwendungsmenü",
         {General, SpecialSettings},
         4,
         false},
        {Pane::StartPage, RegionId::KwRootTop, false, "Seitenkopf", {General}, 0, true},
        {Pane::ApplicationPages,
         RegionId::KwApplication,
         false,
         "Anwendungsseite",
         {General, Headings, Tables, Links, EntryFields, Buttons},
         0,
         false},
        {Pane::StartPage,
         RegionId::KwApplication,
         false,
         "Standardstartseite",
         {General, Headings, Tables, Links, EntryFields, Buttons, Portal},
         0,
         false},
        {Pane::StartPage, RegionId::KwNavigateHeader, false, "Submenü-Überschrift", {General}, 0, false},
        {Pane::ApplicationPages, RegionId::KwStartTop, false, " Anwendungstitel", {General}, 0, false},
        {Pane::StartPage, RegionId::KwPics, false, "Submenü-Logo", {General}, 0, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(layout::regionName(c.region)) +
                     (c.pane == Pane::StartPage ? " start" : " app"));
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
            EXPECT_EQ(sheet->pageSet(), c.pages);
            EXPECT_EQ(sheet->specialSettingsKind(), c.specialKind);
            // The tabs are the built pages of the page set, in its order: no empty tab for a page still
            // to come.
            std::vector<std::string> built;
            for (CPropertyPage *page : sheet->pages())
                built.emplace_back(page->info().caption);
            std::vector<std::string> wanted;
            for (PageSlot slot : c.pages)
                if (std::ranges::find(sheet->pages(), slot, &CPropertyPage::slot) != sheet->pages().end())
                    wanted.emplace_back(pageInfo(slot).caption);
            EXPECT_EQ(tabTexts(dialog), built);
            EXPECT_EQ(built, wanted);
            EXPECT_EQ(built.front(), "Allgemein");
            EXPECT_EQ(sheet->activeIndex(), 0);
            EXPECT_EQ(control<QWidget>(dialog, 1217)->isEnabled(), c.favoritesEnabled);
            click(dialog, 2);
        });
        EXPECT_FALSE(editElementProperties(nullptr, *element, document, portal.env(), prompter));
        EXPECT_TRUE(seen);
    }
    EXPECT_FALSE(document.isModified());
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
