// The pages "Tabellen" and "Portal": what marks the layout changed, the field of each colour button, refused
// sizes, and values reaching the active stylesheet.
#include "pages/CWebPagePropSheet.h"
#include "pages/ElementProperties.h"

#include "controls/CFontChooserCtrl.h"
#include "controls/CKwColorBtn.h"
#include "controls/DataExchange.h"
#include "layout/LayoutDocument.h"
#include "portalpage/PortalPane.h"

#include "PagesTestSupport.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>

namespace kw::pages {
namespace {

using namespace kw::pages::test;
using layout::PageStyle;
using layout::Pane;
using layout::RegionId;

void typeFont(QWidget &page, int id, const char *family)
{
    auto *font = control<controls::CFontChooserCtrl>(page, id);
    font->lineEdit()->selectAll();
    QTest::keyClicks(font->lineEdit(), family);
}

class GridPagesTest : public ::testing::Test {
protected:
    /// Opens the application page's sheet in `pane`, shows the tab `caption` and runs `step` on that page;
    /// then presses OK. Returns what editing reported.
    bool editPage(Pane pane, const char *caption, const std::function<void(QWidget &)> &step)
    {
        portalpage::PortalPane preview(pane, document.model());
        whenModal([&](QDialog &dialog) {
            auto &sheet = static_cast<CWebPagePropSheet &>(dialog);
            ASSERT_TRUE(showTab(dialog, caption)) << caption;
            step(*sheet.activePage());
            click(dialog, 1);
        });
        return editElementProperties(nullptr, *preview.element(RegionId::KwApplication), document,
                                     portal.env(), prompter);
    }
    PageStyle &page() { return document.model().page(); }

    kw::test::TempPortal portal{false};
    kw::test::ScriptedPrompter prompter;
    layout::NoLayoutChooser chooser;
    NoWaitIndicator wait;
    layout::LayoutDocument document{portal.env(), prompter, chooser, wait};
};

TEST_F(GridPagesTest, EveryEditIsStoredAndMarksTheLayout)
{
    const Color blue = rgb(0x10, 0x20, 0xF0);
    struct Case {
        const char *what;
        Pane pane;
        const char *tab;
        std::function<void(QWidget &)> edit;
        std::function<bool(const PageStyle &)> stored;
    };
    const std::vector<Case> cases = {
        {"column headings normal colour", Pane::ApplicationPages, "Tabellen",
         [](QWidget &p) { pickColor(p, 1034, QColor(0x10, 0x20, 0xF0)); },
         [blue](const PageStyle &s) { return s.tableHeadLinkColor == blue; }},
        {"links normal colour", Pane::StartPage, "Portal",
         [](QWidget &p) { pickColor(p, 1034, QColor(0x10, 0x20, 0xF0)); },
         [blue](const PageStyle &s) { return s.portletLinkColor == blue; }},
        {"second font of the tables", Pane::ApplicationPages, "Tabellen",
         [](QWidget &p) { typeFont(p, 1155, "Courier"); },
         [](const PageStyle &s) { return s.tableHeadLinkFont == "Courier"; }},
        {"shadow", Pane::StartPage, "Portal", [](QWidget &p) { click(p, 1216); },
         [](const PageStyle &s) { return s.showPortletShadow; }},
        {"first font of the portal", Pane::StartPage, "Portal",
         [](QWidget &p) { typeFont(p, 1153, "Tahoma"); },
         [](const PageStyle &s) { return s.portletTitleFontFamily == "Tahoma"; }},
        {"second size of the tables", Pane::ApplicationPages, "Tabellen",
         [](QWidget &p) { typeInto(p, 1032, "17"); },
         [](const PageStyle &s) { return s.tableHeadLinkSize == 17; }},
        {"border width", Pane::ApplicationPages, "Tabellen", [](QWidget &p) { typeInto(p, 1157, "5"); },
         [](const PageStyle &s) { return s.gridBorderWidth == 5; }},
        {"second weight of the portal", Pane::StartPage, "Portal",
         [](QWidget &p) { control<QComboBox>(p, 1033)->setCurrentIndex(2); },
         [](const PageStyle &s) { return s.portletHeaderWeight == "300"; }},
        {"row colour of the tables", Pane::ApplicationPages, "Tabellen",
         [](QWidget &p) { pickColor(p, 1042, QColor(0x10, 0x20, 0xF0)); },
         [blue](const PageStyle &s) { return s.firstRowColor == blue; }},
        {"entry text colour of the portal", Pane::StartPage, "Portal",
         [](QWidget &p) { pickColor(p, 1041, QColor(0x10, 0x20, 0xF0)); },
         [blue](const PageStyle &s) { return s.portletTextColor == blue; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        page().showPortletShadow = false;
        document.setModified(false);
        EXPECT_FALSE(c.stored(page()));
        EXPECT_TRUE(editPage(c.pane, c.tab, c.edit));
        EXPECT_TRUE(c.stored(page()));
        // Also the edits the page does not report (a slot-0 colour, the second font, the shadow).
        EXPECT_TRUE(document.isModified());
    }
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

// Each of the eleven colour buttons of both pages shows its own field of the page style and stores into it;
// from slot 7 on the two pages number their buttons differently.
TEST_F(GridPagesTest, EachColourButtonShowsAndStoresItsOwnField)
{
    using Field = Color PageStyle::*;
    struct Button {
        int id;
        Field field;
    };
    const struct {
        const char *tab;
        Pane pane;
        std::vector<Button> buttons;
    } grids[] = {
        {"Tabellen",
         Pane::ApplicationPages,
         {{1034, &PageStyle::tableHeadLinkColor},
          {1035, &PageStyle::tableHeadClickedColor},
          {1036, &PageStyle::tableHeadLinkHoverColor},
          {1037, &PageStyle::gridBorderColor},
          {1038, &PageStyle::gridTitleTextColor},
          {1039, &PageStyle::gridTitleBackgroundColor},
          {1040, &PageStyle::gridHeaderColor},
          {1041, &PageStyle::gridHeaderSplitColor},
          {1042, &PageStyle::firstRowColor},
          {1043, &PageStyle::secondRowColor},
          {1002, &PageStyle::gridTextColor}}},
        {"Portal",
         Pane::StartPage,
         {{1034, &PageStyle::portletLinkColor},
          {1035, &PageStyle::portletHeaderClickedColor},
          {1036, &PageStyle::portletLinkHoverColor},
          {1037, &PageStyle::portletBorderColor},
          {1038, &PageStyle::portalTextColor},
          {1039, &PageStyle::portalBackgroundColor},
          {1040, &PageStyle::portletHeaderBackgroundColor},
          {1042, &PageStyle::portletFirstRowColor},
          {1043, &PageStyle::portletSecondRowColor},
          {1002, &PageStyle::portletHeaderTextColor},
          {1041, &PageStyle::portletTextColor}}},
    };
    for (const auto &grid : grids) {
        SCOPED_TRACE(grid.tab);
        for (std::size_t i = 0; i < grid.buttons.size(); ++i)
            page().*grid.buttons[i].field = rgb(0x10, 0x20, static_cast<unsigned>(i));
        EXPECT_TRUE(editPage(grid.pane, grid.tab, [&](QWidget &p) {
            for (std::size_t i = 0; i < grid.buttons.size(); ++i) {
                const int id = grid.buttons[i].id;
                EXPECT_EQ(control<controls::CKwColorBtn>(p, id)->color(),
                          rgb(0x10, 0x20, static_cast<unsigned>(i)))
                    << id;
                pickColor(p, id, QColor(0xA0, 0xB0, static_cast<int>(i)));
            }
        }));
        for (std::size_t i = 0; i < grid.buttons.size(); ++i)
            EXPECT_EQ(page().*grid.buttons[i].field, rgb(0xA0, 0xB0, static_cast<unsigned>(i)))
                << grid.buttons[i].id;
    }
}

TEST_F(GridPagesTest, SizesOutOfRangeAndNonNumbersKeepThePageOpen)
{
    struct Case {
        Pane pane;
        const char *tab;
        int id;
        const char *bad;
        std::string message;
        const char *good;
    };
    const Case cases[] = {
        {Pane::ApplicationPages, "Tabellen", 1157, "101", controls::outOfRangeMessage(0, 100), "100"},
        {Pane::StartPage, "Portal", 1156, "1001", controls::outOfRangeMessage(0, 1000), "1000"},
        {Pane::StartPage, "Portal", 1032, "12px", controls::notANumberMessage(), "14"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.bad);
        prompter.clear();
        editPage(c.pane, c.tab, [&](QWidget &p) {
            auto *sheet = static_cast<QDialog *>(p.window());
            typeInto(p, c.id, c.bad);
            click(*sheet, 1);
            EXPECT_TRUE(sheet->isVisible());
            EXPECT_TRUE(showTab(*sheet, "Allgemein"));
            EXPECT_EQ(static_cast<CWebPagePropSheet *>(sheet)->activePage(), &p);
            EXPECT_EQ(prompter.messages(), (std::vector<std::string>{c.message, c.message}));
            typeInto(p, c.id, c.good);
        });
    }
    EXPECT_EQ(page().gridBorderWidth, 100);
    EXPECT_EQ(page().portalFontSize, 1000);
    EXPECT_EQ(page().portletHeaderSize, 14);
}

TEST_F(GridPagesTest, EditsOfBothPagesReachTheActiveStylesheet)
{
    EXPECT_TRUE(editPage(Pane::ApplicationPages, "Tabellen", [](QWidget &p) {
        typeInto(p, 1157, "7");
        pickColor(p, 1037, QColor(0xAB, 0xCD, 0x01));
    }));
    EXPECT_TRUE(editPage(Pane::StartPage, "Portal",
                         [](QWidget &p) { pickColor(p, 1037, QColor(0x01, 0xCD, 0xAB)); }));
    ASSERT_TRUE(saveAsActive(document, prompter));
    const std::string css = portal.read("_KwStyle\\global.css");
    const std::string gridRule = partOf(css, ".KwFirstGridBorder");
    EXPECT_NE(gridRule.find("7px"), std::string::npos) << css;
    EXPECT_NE(gridRule.find("#ABCD01"), std::string::npos) << css;
    EXPECT_NE(partOf(css, ".KwFirstPortletBorder").find("#01CDAB"), std::string::npos) << css;
}

TEST_F(GridPagesTest, ThePagesShowTheirHelpAndNameTheirTextlessControls)
{
    static std::vector<std::string> topics;
    const HelpHandler previous = setHelpHandler([](std::string_view topic) { topics.emplace_back(topic); });
    for (const char *tab : {"Tabellen", "Portal"}) {
        editPage(Pane::StartPage, tab, [](QWidget &p) {
            QTest::keyClick(p.window(), Qt::Key_F1);
            QStringList names;
            for (QWidget *widget : p.findChildren<QWidget *>()) {
                const bool textless = qobject_cast<QComboBox *>(widget) ||
                                      (qobject_cast<QLineEdit *>(widget) && widget->parentWidget() == &p) ||
                                      dynamic_cast<controls::CKwColorBtn *>(widget);
                if (!textless)
                    continue;
                EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
                names << widget->accessibleName();
            }
            EXPECT_GE(names.size(), 11 + 2 * 3);
            EXPECT_EQ(names.removeDuplicates(), 0) << names.join(QStringLiteral(", ")).toStdString();
        });
    }
    setHelpHandler(previous);
    EXPECT_EQ(topics, (std::vector<std::string>{"::/87_3.htm", "::/87_5.htm"}));
}

} // namespace
} // namespace kw::pages
