// The pages "Überschriften" and "Links" of the application page: what marks the layout changed, refused
// sizes, and their values reaching the layout and the published stylesheet.
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

#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>

namespace kw::pages {
namespace {

using namespace kw::pages::test;
using layout::Pane;
using layout::RegionId;

CWebPagePropSheet &sheetOf(QDialog &dialog)
{
    return static_cast<CWebPagePropSheet &>(dialog);
}

/// Clicks the tab with that caption.
void clickTab(QDialog &sheet, const char *caption)
{
    auto *tabs = sheet.findChild<QTabBar *>(QStringLiteral("tabs"));
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == QString::fromUtf8(caption))
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
}

/// Clicks the tab with that caption; the page it shows.
QWidget &showTab(QDialog &sheet, const char *caption)
{
    clickTab(sheet, caption);
    CPropertyPage *active = sheetOf(sheet).activePage();
    EXPECT_EQ(QString::fromUtf8(active->info().caption), QString::fromUtf8(caption));
    return *active;
}

void chooseFont(QWidget &page, int id, const char *family)
{
    auto *font = control<controls::CFontChooserCtrl>(page, id);
    font->lineEdit()->selectAll();
    QTest::keyClicks(font->lineEdit(), family);
}

class HeadingsLinksPageTest : public ::testing::Test {
protected:
    HeadingsLinksPageTest()
    {
        layout::PageStyle &page = document.model().page();
        page.heading1Color = rgb(0x10, 0x20, 0x30);
        page.heading2Color = rgb(0x40, 0x50, 0x60);
        page.heading3Color = rgb(0x70, 0x80, 0x90);
        page.heading1Font = "Arial";
        page.heading2Size = 14;
        page.heading3Weight = "700";
        page.bulletBigPath = "big.gif";
        page.bulletSmallPath = "small.gif";
        page.linkColor = rgb(0, 0, 0xFF);
        page.linkHoverColor = rgb(0xFF, 0, 0);
        page.mainLinkFont = "Verdana";
        page.mainLinkSize = 12;
        page.mainLinkWeight = "400";
        document.setModified(false);
    }

    /// Opens the application page's sheet in the application pages' pane and runs `step` on it.
    bool edit(std::function<void(QDialog &)> step)
    {
        portalpage::PortalPane preview(Pane::ApplicationPages, document.model());
        whenModal(std::move(step));
        return editElementProperties(nullptr, *preview.element(RegionId::KwApplication), document,
                                     portal.env(), prompter);
    }
    layout::PageStyle &page() { return document.model().page(); }

    kw::test::TempPortal portal{false};
    kw::test::ScriptedPrompter prompter;
    layout::NoLayoutChooser chooser;
    NoWaitIndicator wait;
    layout::LayoutDocument document{portal.env(), prompter, chooser, wait};
};

TEST_F(HeadingsLinksPageTest, HeadingsShowTheThreeLevelsAndOnlyTheFirstTwoHaveAnOutlineSymbol)
{
    const layout::PageStyle before = page();
    edit([](QDialog &sheet) {
        QWidget &headings = showTab(sheet, "Überschriften");
        EXPECT_EQ(control<controls::CKwColorBtn>(headings, 1067)->color(), rgb(0x40, 0x50, 0x60));
        EXPECT_EQ(control<controls::CFontChooserCtrl>(headings, 1153)->text(), "Arial");
        EXPECT_EQ(control<QLineEdit>(headings, 1063)->text(), QStringLiteral("14"));
        EXPECT_EQ(control<QComboBox>(headings, 1097)->currentText(), QStringLiteral("700 (fett)"));
        EXPECT_EQ(control<QLineEdit>(headings, 1214)->text(), QStringLiteral("big.gif"));
        EXPECT_EQ(control<QLineEdit>(headings, 1175)->text(), QStringLiteral("small.gif"));
        // Heading 3 shows font, size, weight and colour only.
        EXPECT_EQ(headings.findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly).size(), 2 + 3);
        EXPECT_EQ(headings.findChildren<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly).size(), 3 + 2);
        QWidget &links = showTab(sheet, "Links");
        EXPECT_EQ(control<controls::CKwColorBtn>(links, 1041)->color(), rgb(0xFF, 0, 0));
        EXPECT_EQ(control<QComboBox>(links, 1049)->currentText(), QStringLiteral("400 (normal)"));
        click(sheet, 1);
    });
    EXPECT_EQ(page(), before);
    EXPECT_FALSE(document.isModified());
}

TEST_F(HeadingsLinksPageTest, EachEditThatCountsMarksTheLayoutAndIsTakenBack)
{
    struct Case {
        const char *what;
        const char *tab;
        std::function<void(QWidget &)> change;
        std::function<bool(const layout::PageStyle &)> stored;
    };
    const Case cases[] = {
        {"heading colour", "Überschriften", [](QWidget &p) { pickColor(p, 1098, QColor(1, 2, 3)); },
         [](const layout::PageStyle &s) { return s.heading3Color == rgb(1, 2, 3); }},
        {"heading font", "Überschriften", [](QWidget &p) { chooseFont(p, 1154, "Tahoma"); },
         [](const layout::PageStyle &s) { return s.heading2Font == "Tahoma"; }},
        {"heading weight", "Überschriften",
         [](QWidget &p) { control<QComboBox>(p, 1024)->setCurrentIndex(8); },
         [](const layout::PageStyle &s) { return s.heading1Weight == "900"; }},
        {"heading size", "Überschriften", [](QWidget &p) { typeInto(p, 1063, "15"); },
         [](const layout::PageStyle &s) { return s.heading2Size == 15; }},
        {"link colour", "Links", [](QWidget &p) { pickColor(p, 1037, QColor(4, 5, 6)); },
         [](const layout::PageStyle &s) { return s.linkColor == rgb(4, 5, 6); }},
        {"link hover colour", "Links", [](QWidget &p) { pickColor(p, 1041, QColor(7, 8, 9)); },
         [](const layout::PageStyle &s) { return s.linkHoverColor == rgb(7, 8, 9); }},
        {"highlighted links' font", "Links", [](QWidget &p) { chooseFont(p, 1153, "Courier"); },
         [](const layout::PageStyle &s) { return s.mainLinkFont == "Courier"; }},
        {"highlighted links' size", "Links", [](QWidget &p) { typeInto(p, 1048, "17"); },
         [](const layout::PageStyle &s) { return s.mainLinkSize == 17; }},
        {"highlighted links' weight", "Links",
         [](QWidget &p) { control<QComboBox>(p, 1049)->setCurrentIndex(6); },
         [](const layout::PageStyle &s) { return s.mainLinkWeight == "700"; }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        document.setModified(false);
        EXPECT_TRUE(edit([&c](QDialog &sheet) {
            c.change(showTab(sheet, c.tab));
            showTab(sheet, "Allgemein"); // leaving the page compares its values
            EXPECT_TRUE(sheetOf(sheet).changed);
            click(sheet, 1);
        }));
        EXPECT_TRUE(c.stored(page()));
        EXPECT_TRUE(document.isModified());
    }

    // The old value typed again: the page reports a change, but the layout's values are as they were.
    document.setModified(false);
    edit([](QDialog &sheet) {
        typeInto(showTab(sheet, "Überschriften"), 1063, "15");
        showTab(sheet, "Allgemein");
        EXPECT_TRUE(sheetOf(sheet).changed);
        click(sheet, 1);
    });
    EXPECT_EQ(page().heading2Size, 15);
    EXPECT_FALSE(document.isModified());
}

TEST_F(HeadingsLinksPageTest, TheSameOutlineSymbolAgainIsNoChangeAnotherOneIs)
{
    portal.write("Images\\Company\\big.gif", "x");
    portal.write("Images\\Company\\dot.png", "x");
    edit([](QDialog &sheet) {
        QWidget &headings = showTab(sheet, "Überschriften");
        chooseImage(headings, QStringLiteral("big.gif"), 1178);
        EXPECT_FALSE(sheetOf(sheet).changed);
        click(sheet, 1);
    });
    EXPECT_FALSE(document.isModified());

    EXPECT_TRUE(edit([](QDialog &sheet) {
        QWidget &headings = showTab(sheet, "Überschriften");
        typeInto(headings, 1023, "0"); // a typed value survives the chooser showing the fields again
        sheetOf(sheet).changed = false;
        chooseImage(headings, QStringLiteral("dot.png"), 1179);
        EXPECT_TRUE(sheetOf(sheet).changed);
        EXPECT_EQ(control<QLineEdit>(headings, 1175)->text(), QStringLiteral("dot.png"));
        EXPECT_EQ(control<QLineEdit>(headings, 1023)->text(), QStringLiteral("0"));
        click(sheet, 1);
    }));
    EXPECT_EQ(page().bulletSmallPath, "dot.png");
    EXPECT_EQ(page().bulletBigPath, "big.gif");
    EXPECT_TRUE(document.isModified());
}

TEST_F(HeadingsLinksPageTest, ANonNumberKeepsThePageUntilItIsCorrected)
{
    struct Case {
        const char *tab;
        int size;
    };
    for (const Case c : {Case{"Überschriften", 1096}, Case{"Links", 1048}}) {
        SCOPED_TRACE(c.tab);
        prompter.clear();
        EXPECT_TRUE(edit([c](QDialog &sheet) {
            QWidget &page = showTab(sheet, c.tab);
            typeInto(page, c.size, "12px");
            clickTab(sheet, "Allgemein");
            EXPECT_EQ(sheetOf(sheet).activePage(), &page);
            click(sheet, 1);
            EXPECT_TRUE(sheet.isVisible());
            EXPECT_EQ(sheetOf(sheet).activePage(), &page);
            typeInto(page, c.size, "16");
            click(sheet, 1);
        }));
        EXPECT_EQ(prompter.messages(),
                  (std::vector<std::string>{controls::notANumberMessage(), controls::notANumberMessage()}));
    }
    EXPECT_EQ(page().heading3Size, 16);
    EXPECT_EQ(page().mainLinkSize, 16);
}

TEST_F(HeadingsLinksPageTest, PagesNeverShownKeepTheElementsValues)
{
    page().mainLinkWeight = "bold";
    document.setModified(false);
    const layout::PageStyle before = page();
    edit([](QDialog &sheet) {
        EXPECT_FALSE(sheetOf(sheet).headingsPage.isCreated());
        EXPECT_FALSE(sheetOf(sheet).linksPage.isCreated());
        click(sheet, 1);
    });
    EXPECT_EQ(page(), before);
    EXPECT_FALSE(document.isModified());
}

TEST_F(HeadingsLinksPageTest, AHeadingAndALinkColourReachTheActiveStylesheet)
{
    EXPECT_TRUE(edit([](QDialog &sheet) {
        pickColor(showTab(sheet, "Überschriften"), 1025, QColor(0xAB, 0x12, 0xCD));
        pickColor(showTab(sheet, "Links"), 1041, QColor(0x0E, 0xD0, 0x0F));
        click(sheet, 1);
    }));
    ASSERT_TRUE(saveAsActive(document, prompter));
    const std::string css = portal.read("_KwStyle\\global.css");
    EXPECT_NE(partOf(css, "\nH1").find("#AB12CD"), std::string::npos) << css;
    EXPECT_NE(partOf(css, "A:hover").find("#0ED00F"), std::string::npos) << css;
}

TEST_F(HeadingsLinksPageTest, ControlsWithoutTextHaveAccessibleNames)
{
    edit([](QDialog &sheet) {
        int checked = 0;
        for (const char *tab : {"Überschriften", "Links"}) {
            QWidget &page = showTab(sheet, tab);
            for (QWidget *widget : page.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
                const bool textless = qobject_cast<QComboBox *>(widget) ||
                                      qobject_cast<QLineEdit *>(widget) ||
                                      dynamic_cast<controls::CKwColorBtn *>(widget);
                if (!textless)
                    continue;
                ++checked;
                EXPECT_FALSE(widget->accessibleName().isEmpty())
                    << tab << " " << widget->objectName().toStdString();
            }
        }
        // Headings: three times font, size, weight, colour, two outline symbols; Links: two colours and a
        // font.
        EXPECT_EQ(checked, 3 * 4 + 2 + 2 + 3);
        EXPECT_EQ(control<QWidget>(sheetOf(sheet).headingsPage, 1098)->accessibleName(),
                  QString::fromUtf8("Farbe Überschrift 3"));
        click(sheet, 2);
    });
}

} // namespace
} // namespace kw::pages
