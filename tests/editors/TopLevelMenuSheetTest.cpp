// The main-menu editor on a temporary demo portal, driven through its list, arrows and buttons: labels
// typed in place with their refusals, the arrows' rules, deleting, the language page's names, the injected
// rights and start page editors, and what OK and Cancel leave in the portal's database.
#include "editors/CPortalStartPageDlg.h"
#include "editors/CTopLevelMenuSheet.h"
#include "editors/MenuEntryEditors.h"

#include "EditorsTestSupport.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <QApplication>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>

namespace kw::editors {
namespace {

using namespace kw::editors::test;
using portalsettings::MenuEntry;

void settle()
{
    for (int round = 0; round < 4; ++round)
        QCoreApplication::processEvents();
}

/// The open label editor of the list, or null.
QLineEdit *labelEditor(QTreeWidget &list)
{
    settle();
    for (QLineEdit *edit : list.viewport()->findChildren<QLineEdit *>())
        if (edit->isVisible())
            return edit;
    return nullptr;
}

/// Types a label into the open editor and ends the edit with Return (or Escape when `cancel`).
void typeLabel(QTreeWidget &list, const QString &text, bool cancel = false)
{
    QLineEdit *edit = labelEditor(list);
    ASSERT_NE(edit, nullptr) << "no label is being edited";
    edit->selectAll();
    for (const QChar ch : text)
        QTest::keyClick(edit, ch.toLatin1());
    QTest::keyClick(edit, cancel ? Qt::Key_Escape : Qt::Key_Return);
    settle();
}

QStringList texts(const QTreeWidget &list)
{
    QStringList out;
    for (int row = 0; row < list.topLevelItemCount(); ++row)
        out << list.topLevelItem(row)->text(0);
    return out;
}

class TopLevelMenuSheetTest : public ::testing::Test {
protected:
    kw::test::TempPortal portal;
    kw::test::ScriptedPrompter prompter;

    std::unique_ptr<CTopLevelMenuSheet> open(MenuEntryEditors editors = {})
    {
        auto sheet = std::make_unique<CTopLevelMenuSheet>(portal.env(), prompter, std::move(editors));
        sheet->show();
        sheet->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
        return sheet;
    }
    static QTreeWidget &listOf(QWidget &sheet) { return *control<QTreeWidget>(sheet, res::IDC_MENU_LIST); }
    static void select(QTreeWidget &list, int row)
    {
        list.setCurrentItem(list.topLevelItem(row));
        list.topLevelItem(row)->setSelected(true);
    }
    static bool enabled(QWidget &sheet, int id) { return control<QWidget>(sheet, id)->isEnabled(); }
    /// The main menu as stored: "position name start page" in menu order.
    std::vector<std::string> storedMenu()
    {
        auto query = server::createObject<server::IQuery>(portal.factory());
        query->QueryRun(0, "SELECT position, name, start_page FROM navigation WHERE parent_id IS NULL "
                           "ORDER BY position, id");
        std::vector<std::string> out;
        for (long row = 0; row < query->QueryRowCount(); ++row)
            out.push_back(query->QueryValue(row, 0) + " " + query->QueryValue(row, 1) + " " +
                          query->QueryValue(row, 2));
        return out;
    }
    std::string message(StringId id) { return std::string(loadString(id)); }
    /// Another administrator adds the entry "Fremd" in a program of their own and saves it.
    void someoneElseAddsAnEntry()
    {
        kw::test::ScriptedPrompter theirPrompter;
        portalsettings::MainMenuEditor theirs(server::LocalPortal::open(portal.root()), theirPrompter);
        theirs.defaultLanguage = 1031;
        ASSERT_TRUE(theirs.load());
        ASSERT_EQ(theirs.endLabelEdit(theirs.insertNew(2), std::string("Fremd")),
                  portalsettings::MainMenuEditor::LabelEnd::Done);
        ASSERT_EQ(theirs.save(), portalsettings::MainMenuEditor::Save::Saved) << theirPrompter.describe();
    }
};

TEST_F(TopLevelMenuSheetTest, ANewEntryTypedInPlaceReachesTheServerAtOk)
{
    auto sheet = open();
    EXPECT_EQ(sheet->windowTitle(), QString::fromUtf8("Hauptnavigation - Menüpunkte -"));
    auto *tabs = sheet->findChild<QTabWidget *>();
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "Allgemein");
    QTreeWidget &list = listOf(*sheet);
    EXPECT_EQ(list.headerItem()->text(0), "MenuItems");
    EXPECT_EQ(texts(list), QStringList({"Startseite", "Administration", "Aktuelles", "Projekte", "Dokumente",
                                        "Team", "Suche"}));
    // Nothing selected: only "Neu" acts.
    for (const int id : {res::IDC_MENU_RENAME, res::IDC_MENU_RIGHTS, res::IDC_MENU_DELETE,
                         res::IDC_MENU_START_PAGE, res::IDC_MENU_UP, res::IDC_MENU_DOWN})
        EXPECT_FALSE(enabled(*sheet, id)) << id;
    EXPECT_FALSE(control<QWidget>(*sheet, res::IDC_MENU_UP)->accessibleName().isEmpty());
    EXPECT_FALSE(control<QWidget>(*sheet, res::IDC_MENU_DOWN)->accessibleName().isEmpty());

    click(*sheet, res::IDC_MENU_NEW);
    typeLabel(list, "Kontakt <neu>");
    EXPECT_EQ(texts(list).at(6), "Kontakt _neu_");
    EXPECT_EQ(texts(list).at(7), "Suche");
    const std::vector<std::string> before = storedMenu();
    EXPECT_EQ(before.size(), 7u) << "nothing is written before OK";

    click(*sheet, 1);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(sheet->saved());
    const std::vector<std::string> after = storedMenu();
    ASSERT_EQ(after.size(), 8u);
    EXPECT_EQ(after[6], "7 Kontakt _neu_ ../KwApplications/KwArea/KwArea.asp");
    EXPECT_EQ(after[7], "8 Suche ../KwApplications/KwSearch/KwSearch.asp");
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(TopLevelMenuSheetTest, OkAfterSomeoneElsesChangeKeepsTheSheetOpenOnTheFreshMenu)
{
    auto sheet = open();
    QTreeWidget &list = listOf(*sheet);
    click(*sheet, res::IDC_MENU_NEW);
    typeLabel(list, "Meins");

    ASSERT_NO_FATAL_FAILURE(someoneElseAddsAnEntry());
    const std::vector<std::string> theirMenu = storedMenu();

    prompter.answerNo(); // reload and lose the own edits
    click(*sheet, 1);
    EXPECT_TRUE(sheet->isVisible()) << "the administrator can start over";
    EXPECT_FALSE(sheet->saved());
    EXPECT_EQ(prompter.questions(), std::vector<std::string>{message(StringId::MainMenuChangedElsewhere)});
    EXPECT_EQ(storedMenu(), theirMenu) << "nothing of this sheet was written";
    EXPECT_EQ(texts(list), QStringList({"Startseite", "Administration", "Fremd", "Aktuelles", "Projekte",
                                        "Dokumente", "Team", "Suche"}));
    auto *grid = control<QTableWidget>(*sheet, res::IDC_LANGUAGE_GRID);
    EXPECT_FALSE(grid->findItems("Fremd", Qt::MatchExactly).isEmpty()) << "the language page shows it too";
    EXPECT_TRUE(grid->findItems("Meins", Qt::MatchExactly).isEmpty());

    click(*sheet, 1);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(sheet->saved());
}

// Escape on the question (Cancel) writes nothing and keeps the sheet open with the administrator's own
// edits; a later OK answered Yes saves them over the other change.
TEST_F(TopLevelMenuSheetTest, CancelOnSomeoneElsesChangeKeepsTheOwnEdits)
{
    auto sheet = open();
    QTreeWidget &list = listOf(*sheet);
    click(*sheet, res::IDC_MENU_NEW);
    typeLabel(list, "Meins");
    const QStringList mine = texts(list);

    ASSERT_NO_FATAL_FAILURE(someoneElseAddsAnEntry());
    const std::vector<std::string> theirMenu = storedMenu();

    prompter.answerCancel();
    click(*sheet, 1);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_FALSE(sheet->saved());
    EXPECT_EQ(prompter.questions(), std::vector<std::string>{message(StringId::MainMenuChangedElsewhere)});
    EXPECT_EQ(storedMenu(), theirMenu) << "nothing of this sheet was written";
    EXPECT_EQ(texts(list), mine) << "the own edits are still there";

    prompter.answerYes();
    click(*sheet, 1);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(sheet->saved());
    const std::vector<std::string> after = storedMenu();
    EXPECT_TRUE(std::any_of(after.begin(), after.end(),
                            [](const std::string &line) { return line.find("Meins") != std::string::npos; }));
    EXPECT_TRUE(prompter.allAnswersUsed());
}

// "Startseite des Menüpunkts bearbeiten" on the entry "Startseite" (31) opens the portal start page dialog,
// whose OK changes the page-content record (31, 1). That is the editor's own change: the editor's OK then
// saves the renames made before without asking.
TEST_F(TopLevelMenuSheetTest, TheStartPageDialogOfEntry31IsNoChangeOfSomebodyElse)
{
    MenuEntryEditors editors;
    editors.startPage = [this](QWidget *parent, MenuEntry &entry, const QString &text) {
        return editMenuEntryStartPage(parent, portal.env(), prompter, entry, text);
    };
    auto sheet = open(std::move(editors));
    QTreeWidget &list = listOf(*sheet);
    select(list, 6); // Team
    click(*sheet, res::IDC_MENU_RENAME);
    typeLabel(list, "Mannschaft");

    select(list, 0); // Startseite, entry 31
    bool answered = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *dialog = dynamic_cast<CPortalStartPageDlg *>(QApplication::activeModalWidget());
        if (!dialog || answered)
            return;
        answered = true;
        click(*dialog, res::IDC_MAIN_CUSTOM);
        click(*dialog, 1);
    });
    poll.start(10);
    prompter.answerYes(); // 12579, the start page dialog's own question
    click(*sheet, res::IDC_MENU_START_PAGE);
    poll.stop();
    ASSERT_TRUE(answered) << "the portal start page dialog did not open";
    auto rights = server::createObject<server::IRights>(portal.factory());
    rights->RightsInit(portal.session(), 1);
    EXPECT_TRUE(rights->RightsHas(31, 1));

    click(*sheet, 1);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_TRUE(sheet->saved());
    EXPECT_EQ(prompter.questions(), std::vector<std::string>{message(StringId::AskChangeStartPages)});
    const std::vector<std::string> after = storedMenu();
    EXPECT_NE(std::find_if(after.begin(), after.end(),
                           [](const std::string &line) { return line.starts_with("7 Mannschaft "); }),
              after.end())
        << "the rename made before the dialog is saved";
}

TEST_F(TopLevelMenuSheetTest, RefusedLabelsEditAgainAndTheRulesOfArrowsAndDelete)
{
    auto sheet = open();
    QTreeWidget &list = listOf(*sheet);
    select(list, 5); // Team
    click(*sheet, res::IDC_MENU_NEW);
    EXPECT_EQ(texts(list).at(5), "");
    typeLabel(list, "", true); // cancelled with no name
    typeLabel(list, "Team");   // taken
    typeLabel(list, "Presse");
    EXPECT_EQ(prompter.messages(), (std::vector<std::string>{message(StringId::MenuEntryNameMissing),
                                                             message(StringId::MenuEntryNameNotUnique)}));
    EXPECT_EQ(labelEditor(list), nullptr);
    EXPECT_EQ(texts(list).at(5), "Presse");
    EXPECT_EQ(texts(list).at(6), "Team");
    prompter.clear();

    // The arrows follow the selection; the last entry refuses to move.
    select(list, 0);
    EXPECT_FALSE(enabled(*sheet, res::IDC_MENU_UP));
    EXPECT_TRUE(enabled(*sheet, res::IDC_MENU_DOWN));
    click(*sheet, res::IDC_MENU_DOWN);
    EXPECT_EQ(texts(list).mid(0, 2), QStringList({"Administration", "Startseite"}));
    EXPECT_EQ(list.currentItem()->text(0), "Startseite");
    select(list, 6);
    EXPECT_FALSE(enabled(*sheet, res::IDC_MENU_DOWN)) << "nothing moves below the last entry";
    select(list, 7);
    EXPECT_TRUE(enabled(*sheet, res::IDC_MENU_UP));
    click(*sheet, res::IDC_MENU_UP);
    EXPECT_EQ(texts(list).at(7), "Suche");

    // Delete: built-in and with applications refused, an empty entry goes and its follower is selected.
    select(list, 0);
    click(*sheet, res::IDC_MENU_DELETE);
    select(list, 3); // Projekte
    click(*sheet, res::IDC_MENU_DELETE);
    EXPECT_EQ(prompter.messages(), (std::vector<std::string>{message(StringId::EntryNotMovable),
                                                             message(StringId::MenuEntryNotDeletable),
                                                             message(StringId::MenuEntryHasApplications)}));
    select(list, 6); // Team
    click(*sheet, res::IDC_MENU_DELETE);
    EXPECT_EQ(texts(list).size(), 7);
    EXPECT_EQ(list.selectedItems().value(0)->text(0), "Suche");

    // Cancel writes none of it.
    const std::vector<std::string> before = storedMenu();
    click(*sheet, 2);
    EXPECT_EQ(storedMenu(), before);
    EXPECT_EQ(before.size(), 7u);
}

// The language page lists the entries' names in the list's order after every change of the list.
TEST_F(TopLevelMenuSheetTest, TheLanguagePageFollowsEveryChangeOfTheList)
{
    auto sheet = open();
    QTreeWidget &list = listOf(*sheet);
    auto *grid = control<QTableWidget>(*sheet, res::IDC_LANGUAGE_GRID);
    ASSERT_NE(grid, nullptr);
    // What the language page shows when the administrator looks: two rows per entry, the default
    // language's first.
    auto *tabs = sheet->findChild<QTabWidget *>();
    auto names = [grid, tabs] {
        tabs->setCurrentIndex(1);
        settle();
        QStringList shown;
        for (int row = 0; row < grid->rowCount(); row += 2)
            shown << grid->item(row, 2)->text();
        tabs->setCurrentIndex(0);
        settle();
        return shown;
    };
    ASSERT_EQ(names(), texts(list));
    list.setFocus();

    select(list, 5); // Team
    click(*sheet, res::IDC_MENU_NEW);
    typeLabel(list, "Kontakt");
    EXPECT_EQ(texts(list).at(5), "Kontakt");
    EXPECT_EQ(names(), texts(list)) << "a new entry";
    click(*sheet, res::IDC_MENU_UP);
    EXPECT_EQ(texts(list).at(4), "Kontakt");
    EXPECT_EQ(names(), texts(list)) << "moved up";
    click(*sheet, res::IDC_MENU_DOWN);
    click(*sheet, res::IDC_MENU_DOWN);
    EXPECT_EQ(texts(list).at(6), "Kontakt");
    EXPECT_EQ(names(), texts(list)) << "moved down";
    click(*sheet, res::IDC_MENU_RENAME);
    typeLabel(list, "Impressum");
    EXPECT_EQ(names(), texts(list)) << "renamed";
    click(*sheet, res::IDC_MENU_DELETE);
    EXPECT_EQ(texts(list).size(), 7);
    EXPECT_EQ(names(), texts(list)) << "deleted";
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
    sheet->reject();
}

TEST_F(TopLevelMenuSheetTest, InjectedEditorsChangeTheRecordThatOkWrites)
{
    std::vector<QString> asked;
    MenuEntryEditors editors;
    editors.startPage = [&](QWidget *, MenuEntry &entry, const QString &text) {
        asked.push_back("start " + text);
        entry.startPage = portalsettings::kMenuCustomStartPage;
        return true;
    };
    editors.rights = [&](QWidget *, MenuEntry &entry, const QString &text) {
        asked.push_back("rights " + text);
        entry.accessGroups = {1};
        entry.rightsChanged = true;
        return true;
    };
    auto sheet = open(std::move(editors));
    QTreeWidget &list = listOf(*sheet);
    select(list, 5);
    click(*sheet, res::IDC_MENU_START_PAGE);
    click(*sheet, res::IDC_MENU_RIGHTS);
    EXPECT_EQ(asked, (std::vector<QString>{"start Team", "rights Team"}));

    // The names on the language page: the German one renames the list's entry.
    auto *tabs = sheet->findChild<QTabWidget *>();
    tabs->setCurrentIndex(1);
    settle();
    auto *grid = control<QTableWidget>(*sheet, res::IDC_LANGUAGE_GRID);
    ASSERT_EQ(grid->rowCount(), 14);
    EXPECT_EQ(grid->item(10, 0)->text(), "Menutitel 06");
    EXPECT_EQ(grid->item(10, 2)->text(), "Team");
    grid->item(10, 2)->setText("Mannschaft");
    grid->item(11, 2)->setText("Crew");
    settle();
    EXPECT_EQ(list.topLevelItem(5)->text(0), "Mannschaft");

    click(*sheet, 1);
    auto query = server::createObject<server::IQuery>(portal.factory());
    query->QueryRun(0,
                    "SELECT n.name, n.start_page, g.group_id FROM navigation n JOIN navigation_groups g ON "
                    "g.nav_id = n.id WHERE n.id = 43");
    ASSERT_EQ(query->QueryRowCount(), 1);
    EXPECT_EQ(query->QueryValue(0, 0), "Mannschaft");
    EXPECT_EQ(query->QueryValue(0, 1), portalsettings::kMenuCustomStartPage);
    EXPECT_EQ(query->QueryValue(0, 2), "1");
    query->QueryRun(
        0, "SELECT text FROM texts WHERE text_key='menutitle' AND object_id=43 ORDER BY language_id");
    ASSERT_EQ(query->QueryRowCount(), 2);
    EXPECT_EQ(query->QueryValue(1, 0), "Crew");
    query->QueryRun(0, "SELECT 1 FROM access_rights WHERE object_id=43 AND kind=1");
    EXPECT_EQ(query->QueryRowCount(), 1);
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(TopLevelMenuSheetTest, EmptyEditorsAndNoSelectionDoNothing)
{
    bool called = false;
    MenuEntryEditors editors;
    editors.rights = [&](QWidget *, MenuEntry &, const QString &) { return called = true; };
    auto sheet = open(std::move(editors));
    QTreeWidget &list = listOf(*sheet);
    // The buttons are disabled without a selection; clicked anyway (as a shortcut could), they do nothing.
    sheet->generalPage().editRights();
    EXPECT_FALSE(called);
    select(list, 2);
    click(*sheet, res::IDC_MENU_START_PAGE); // no start page editor given
    click(*sheet, res::IDC_MENU_RIGHTS);
    EXPECT_TRUE(called);

    // OK with a new entry that never got a name asks for it first.
    click(*sheet, res::IDC_MENU_NEW);
    QTest::keyClick(labelEditor(list), Qt::Key_Escape);
    settle();
    prompter.clear();
    click(*sheet, 1);
    settle();
    EXPECT_TRUE(sheet->isVisible());
    ASSERT_FALSE(prompter.messages().empty());
    for (const std::string &told : prompter.messages())
        EXPECT_EQ(told, message(StringId::MenuEntryNameMissing));
    typeLabel(list, "Archiv");
    click(*sheet, 1);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(storedMenu().at(2), "3 Archiv ../KwApplications/KwArea/KwArea.asp");
}

TEST_F(TopLevelMenuSheetTest, EveryControlOfBothTabsHasAPlaceOfItsOwn)
{
    auto sheet = open();
    EXPECT_EQ(misplacedOnEveryTab(*sheet).join(", ").toStdString(), "");
    sheet->reject();
}

TEST_F(TopLevelMenuSheetTest, HelpShowsTheEditorsTopic)
{
    RecordedHelp help;
    auto sheet = open();
    click(*sheet, res::IDC_MENU_HELP);
    EXPECT_TRUE(help.shown().contains("73.htm")) << help.shown().join(" ").toStdString();
    sheet->reject();
}

} // namespace
} // namespace kw::editors
