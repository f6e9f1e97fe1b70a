// The language page and the welcome text sheet on a temporary demo portal, driven through the grid: the
// rows and their labels, in-place editing of the texts alone, the rebuild after an edit, and the welcome
// texts stored through the text translation on OK.
#include "editors/CLanguageSheet.h"
#include "editors/CWelcomeTextSheet.h"

#include "EditorsTestSupport.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"
#include "platform/HostMessages.h"

#include <QApplication>
#include <QHeaderView>
#include <QTableWidget>

namespace kw::editors {
namespace {

using namespace kw::editors::test;
using portalsettings::LanguageTextMap;

QTableWidget &gridOf(QWidget &sheet)
{
    auto *grid = control<QTableWidget>(sheet, res::IDC_LANGUAGE_GRID);
    if (!grid)
        throw std::runtime_error("no grid");
    return *grid;
}

/// Starts editing a cell as a user does (select it, F2); the editor that opened, or null.
QLineEdit *startEditing(QTableWidget &grid, int row, int column)
{
    grid.setCurrentCell(row, column);
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_F2);
    return grid.viewport()->findChild<QLineEdit *>();
}

/// Replaces a text of the column "Text" and ends editing with Return; the rebuild follows at once.
void editText(QTableWidget &grid, int row, const QString &text)
{
    QLineEdit *editor = startEditing(grid, row, 2);
    ASSERT_NE(editor, nullptr) << "row " << row << " opened no editor";
    editor->selectAll();
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80)
            QTest::keyClick(editor, ch.toLatin1());
        else // QTest maps only ASCII to keys: the character comes as the key event's text
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
    QTest::keyClick(editor, Qt::Key_Return);
    // The delegate commits the edit from the event loop, and the rebuild follows it there.
    for (int round = 0; round < 3; ++round)
        QCoreApplication::processEvents();
}

QStringList column(const QTableWidget &grid, int column)
{
    QStringList texts;
    for (int row = 0; row < grid.rowCount(); ++row)
        texts << grid.item(row, column)->text();
    return texts;
}

class LanguageSheetTest : public ::testing::Test {
protected:
    kw::test::TempPortal portal;
    kw::test::ScriptedPrompter prompter;

    static void show(QWidget &sheet)
    {
        sheet.show();
        sheet.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));
    }
};

TEST_F(LanguageSheetTest, GridShowsNumberedRowsAndEditsOnlyTheTexts)
{
    CLanguageSheet sheet(StringId::MainMenuEditorCaption, portal.env(), prompter);
    ASSERT_EQ(sheet.languages().size(), 2u);
    EXPECT_EQ(sheet.defaultLanguage(), 1031);
    std::vector<LanguageTextMap> buttons = {{{1031, "Weiter"}}, {{1033, "Back"}}};
    LanguageTextMap title = {{1033, "Title"}};
    CIFLanguagePage &page = sheet.page();
    page.fields.buttonTextList = &buttons;
    page.fields.titleTexts = &title;
    // A third language, as a portal with French would give it.
    page.languages.push_back({1036, "Français"});
    show(sheet);

    QTableWidget &grid = gridOf(sheet);
    EXPECT_EQ(grid.horizontalHeaderItem(0)->text(), "Typ");
    EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), "Sprache");
    EXPECT_EQ(grid.horizontalHeaderItem(2)->text(), "Text");
    EXPECT_EQ(column(grid, 0), QStringList({"Titel", "Titel", "Titel", "Knopf 01", "Knopf 01", "Knopf 01",
                                            "Knopf 02", "Knopf 02", "Knopf 02"}));
    EXPECT_EQ(column(grid, 1).mid(3, 3), QStringList({"Deutsch", "English", "Français"}));
    EXPECT_EQ(column(grid, 2), QStringList({"", "Title", "", "Weiter", "", "", "", "Back", ""}));

    // Column widths 3 : 4 : 5 of the client width, following the sheet's size.
    for (const QSize size : {QSize(520, 300), QSize(800, 400)}) {
        sheet.resize(size);
        QCoreApplication::processEvents();
        const int unit = grid.columnWidth(0) / 3;
        EXPECT_GT(unit, 0);
        EXPECT_EQ(grid.columnWidth(0), 3 * unit);
        EXPECT_EQ(grid.columnWidth(1), 4 * unit);
        EXPECT_EQ(grid.columnWidth(2), 5 * unit);
        EXPECT_EQ(unit, (grid.contentsRect().width() - 15) / 12);
        EXPECT_LE(12 * unit, grid.contentsRect().width() - 15) << "the three columns fit beside a scroll bar";
    }

    // "Typ" and "Sprache" are not edited in place.
    EXPECT_EQ(startEditing(grid, 4, 0), nullptr);
    EXPECT_EQ(startEditing(grid, 4, 1), nullptr);

    // An edit of the second button's French text lands in that map; meanwhile the owner changed the title,
    // which the rebuild after the edit shows.
    title[1031] = "Titel von außen";
    editText(grid, 8, QString::fromUtf8("Précédent \"<%'"));
    EXPECT_EQ(buttons[1].at(1036), "Précédent \"<%'");
    EXPECT_EQ(buttons[0].count(1036), 0u);
    EXPECT_EQ(grid.item(0, 2)->text(), QString::fromUtf8("Titel von außen")) << "the grid was rebuilt";
    EXPECT_EQ(grid.item(8, 2)->text(), QString::fromUtf8("Précédent \"<%'"));
    EXPECT_EQ(grid.rowCount(), 9);

    // The message alone rebuilds the grid too.
    buttons[0][1033] = "Next";
    platform::HostMessageEvent update(platform::messages::LanguageDataUpdate, 1033, 0);
    QCoreApplication::sendEvent(sheet.firstPage(), &update);
    EXPECT_EQ(grid.item(4, 2)->text(), "Next");
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(LanguageSheetTest, EmptyGridWhenTheOwnerAsksForIt)
{
    CLanguageSheet sheet(StringId::MainMenuEditorCaption, portal.env(), prompter);
    LanguageTextMap title = {{1031, "Titel"}};
    sheet.page().fields.titleTexts = &title;
    sheet.page().emptyGrid = true;
    show(sheet);
    EXPECT_EQ(gridOf(sheet).rowCount(), 0);
    EXPECT_EQ(gridOf(sheet).columnCount(), 3);
}

class WelcomeSheetTest : public LanguageSheetTest {
protected:
    layout::CompanySettings company;
    std::int32_t defaultLanguage = 0;

    void SetUp() override
    {
        layout::readCompanySettings(portal.env(), company, defaultLanguage, prompter);
        ASSERT_EQ(defaultLanguage, 1031);
        ASSERT_EQ(company.shownWelcome, "Willkommen im Demo-Portal!");
    }
    /// The welcome texts as the portal holds them now.
    LanguageTextMap stored()
    {
        layout::CompanySettings fresh;
        std::int32_t language = 0;
        layout::readCompanySettings(portal.env(), fresh, language, prompter);
        return fresh.welcomeTexts;
    }
};

TEST_F(WelcomeSheetTest, OkStoresTheTextsAtOnceAndShowsTheDefaultLanguage)
{
    CWelcomeTextSheet sheet(portal.env(), prompter, company, defaultLanguage);
    EXPECT_EQ(sheet.windowTitle(), "Welcome Text Eigenschaften");
    show(sheet);
    QTableWidget &grid = gridOf(sheet);
    EXPECT_EQ(column(grid, 0), QStringList({"Titel", "Titel"}));
    EXPECT_EQ(column(grid, 2), QStringList({"Willkommen im Demo-Portal!", "Welcome to the demo portal!"}));
    editText(grid, 0, QString::fromUtf8("Grüß \"Gott\" & <100%>"));
    editText(grid, 1, "Hello");
    EXPECT_EQ(column(grid, 2), QStringList({QString::fromUtf8("Grüß \"Gott\" & <100%>"), "Hello"}));
    EXPECT_EQ(stored().at(1033), "Welcome to the demo portal!") << "nothing is stored before OK";
    click(sheet, 1);
    EXPECT_FALSE(sheet.isVisible());

    const LanguageTextMap expected = {{1031, "Grüß \"Gott\" & <100%>"}, {1033, "Hello"}};
    EXPECT_EQ(stored(), expected);
    EXPECT_EQ(company.welcomeTexts, expected);
    EXPECT_EQ(company.shownWelcome, "Grüß \"Gott\" & <100%>");
    EXPECT_FALSE(company.changed) << "the translation holds the texts; saving needs not publish them";
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

// The text in the default language goes into the start page's script when the company settings are
// published: one the script cannot hold is refused on OK, naming the welcome text, and nothing is stored.
TEST_F(WelcomeSheetTest, OkRefusesADefaultTextTheScriptsCannotHold)
{
    CWelcomeTextSheet sheet(portal.env(), prompter, company, defaultLanguage);
    show(sheet);
    editText(gridOf(sheet), 0, QString::fromUtf8("Grüße ☃"));
    click(sheet, 1);
    EXPECT_TRUE(sheet.isVisible());
    ASSERT_EQ(prompter.messages().size(), 1u) << prompter.describe();
    EXPECT_NE(prompter.messages()[0].find("Begrüssungstext"), std::string::npos) << prompter.messages()[0];
    EXPECT_NE(prompter.messages()[0].find("☃"), std::string::npos) << prompter.messages()[0];
    EXPECT_EQ(stored().at(1031), "Willkommen im Demo-Portal!");
    EXPECT_EQ(company.shownWelcome, "Willkommen im Demo-Portal!");

    editText(gridOf(sheet), 0, QString::fromUtf8("Grüße"));
    click(sheet, 1);
    EXPECT_FALSE(sheet.isVisible());
    EXPECT_EQ(stored().at(1031), "Grüße");
}

TEST_F(WelcomeSheetTest, CancelStoresNothingAndAMissingDefaultTextKeepsTheShownOne)
{
    {
        CWelcomeTextSheet sheet(portal.env(), prompter, company, defaultLanguage);
        show(sheet);
        editText(gridOf(sheet), 1, "Nie gespeichert");
        click(sheet, 2);
    }
    EXPECT_EQ(stored().at(1033), "Welcome to the demo portal!");
    EXPECT_EQ(company.welcomeTexts.at(1033), "Welcome to the demo portal!");
    EXPECT_EQ(company.shownWelcome, "Willkommen im Demo-Portal!");

    // A default language without a text leaves the shown text as it was.
    company.shownWelcome = "wie getippt";
    CWelcomeTextSheet sheet(portal.env(), prompter, company, 1036);
    show(sheet);
    click(sheet, 1);
    EXPECT_EQ(company.shownWelcome, "wie getippt");
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

} // namespace
} // namespace kw::editors
