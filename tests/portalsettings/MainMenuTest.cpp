// The main-menu editor's core against the demo portal's database: loading, the list rules, and the save
// that writes everything in one transaction or nothing.
#include "portalsettings/MainMenu.h"
#include "portalsettings/PortalStartPage.h"

#include "BackendTest.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <gtest/gtest.h>

namespace kw::test {
namespace {

using namespace kw::portalsettings;
using Rows = std::vector<std::vector<std::string>>;

constexpr std::int32_t kGerman = 1031;
constexpr std::int32_t kEnglish = 1033;

std::vector<std::string> texts(const MainMenuEditor &editor)
{
    std::vector<std::string> out;
    for (const MainMenuItem &item : editor.items())
        out.push_back(item.text);
    return out;
}

class MainMenuTest : public ::testing::Test {
protected:
    TempPortal portal;
    ScriptedPrompter prompter;

    MainMenuEditor loaded()
    {
        MainMenuEditor editor(portal.env(), prompter);
        editor.defaultLanguage = kGerman;
        EXPECT_TRUE(editor.load()) << prompter.describe();
        return editor;
    }
    Rows rows(const std::string &statement)
    {
        auto query = server::createObject<server::IQuery>(portal.factory());
        query->QueryRun(0, statement);
        Rows out(static_cast<std::size_t>(query->QueryRowCount()));
        for (std::size_t row = 0; row < out.size(); ++row)
            for (int column = 0; column < 3; ++column)
                try {
                    out[row].push_back(query->QueryValue(static_cast<long>(row), column));
                } catch (const ServerError &) {
                    break;
                }
        return out;
    }
    /// The main menu as stored: "position name" in menu order.
    std::vector<std::string> storedMenu()
    {
        std::vector<std::string> out;
        for (const auto &row : rows("SELECT position, name FROM navigation WHERE parent_id IS NULL "
                                    "ORDER BY position, id"))
            out.push_back(row[0] + " " + row[1]);
        return out;
    }
    std::string storedGroups(std::int32_t id)
    {
        std::string out;
        for (const auto &row : rows("SELECT group_id FROM navigation_groups WHERE nav_id=" +
                                    std::to_string(id) + " ORDER BY ord"))
            out += (out.empty() ? "" : ",") + row[0];
        return out;
    }
    bool hasContentRights(std::int32_t id)
    {
        return !rows("SELECT 1 FROM access_rights WHERE scope=1 AND kind=1 AND object_id=" +
                     std::to_string(id))
                    .empty();
    }
    std::string storedStartPage(std::int32_t id)
    {
        return rows("SELECT start_page FROM navigation WHERE id=" + std::to_string(id)).at(0).at(0);
    }
};

TEST_F(MainMenuTest, LoadsTheEntriesInMenuOrderWithTheirNamesAndStartPages)
{
    MainMenuEditor editor = loaded();
    EXPECT_EQ(texts(editor), (std::vector<std::string>{"Startseite", "Administration", "Aktuelles",
                                                       "Projekte", "Dokumente", "Team", "Suche"}));
    const std::vector<bool> deletable = {false, false, true, true, true, true, false};
    for (std::size_t i = 0; i < editor.count(); ++i) {
        const MenuEntry &entry = editor.items()[i].entry;
        EXPECT_EQ(entry.deletable, deletable[i]) << i;
        EXPECT_FALSE(entry.rightsChanged || entry.isNew);
        EXPECT_TRUE(entry.accessGroups.empty()) << "groups are read only when asked for";
    }
    EXPECT_EQ(editor.items()[4].entry.id, 42);
    EXPECT_EQ(editor.items()[4].entry.startPage, kMenuCustomStartPage);
    EXPECT_EQ(editor.names()[0], (LanguageTextMap{{kGerman, "Startseite"}, {kEnglish, "Home"}}));
    editor.readAccessGroups(4);
    EXPECT_EQ(editor.items()[4].entry.accessGroups, (std::vector<std::int32_t>{3, 2}));
}

TEST_F(MainMenuTest, LabelRulesRefuseEmptyAndDuplicateNamesAndCleanTheRest)
{
    MainMenuEditor editor = loaded();
    // With nothing selected a new entry goes before the last one, which stays last.
    const std::size_t added = editor.insertNew(std::nullopt);
    EXPECT_EQ(added, 6u);
    EXPECT_EQ(editor.items()[added].entry.accessGroups, (std::vector<std::int32_t>{3, 4}));
    EXPECT_TRUE(editor.items()[added].entry.isNew && editor.items()[added].entry.rightsChanged);

    // A cancelled edit of an unnamed entry and an empty name both ask again.
    EXPECT_EQ(editor.endLabelEdit(added, std::nullopt), MainMenuEditor::LabelEnd::EditAgain);
    EXPECT_EQ(editor.endLabelEdit(added, std::string()), MainMenuEditor::LabelEnd::EditAgain);
    EXPECT_EQ(editor.endLabelEdit(added, std::string("Team")), MainMenuEditor::LabelEnd::EditAgain);
    EXPECT_EQ(prompter.messages(),
              (std::vector<std::string>{std::string(loadString(StringId::MenuEntryNameMissing)),
                                        std::string(loadString(StringId::MenuEntryNameMissing)),
                                        std::string(loadString(StringId::MenuEntryNameNotUnique))}));
    // The comparison is exact: another case is another name.
    EXPECT_EQ(editor.endLabelEdit(added, std::string("team")), MainMenuEditor::LabelEnd::Done);
    // Renamed once more: the five characters become underscores, the length stays.
    const std::string typed = "<a href=\"x\">'50%'";
    EXPECT_EQ(editor.endLabelEdit(added, typed), MainMenuEditor::LabelEnd::Done);
    EXPECT_EQ(editor.items()[added].text, "_a href=_x___50__");
    EXPECT_EQ(editor.items()[added].text.size(), typed.size());
    EXPECT_EQ(editor.names()[added], (LanguageTextMap{{kGerman, "_a href=_x___50__"}}));
    // A cleaned name that another entry shows already is a duplicate too.
    const std::size_t second = editor.insertNew(0);
    EXPECT_EQ(editor.endLabelEdit(second, std::string("<a href=\"x\">'50%'")),
              MainMenuEditor::LabelEnd::EditAgain);
    // Cancelling the rename of a named entry changes nothing.
    EXPECT_EQ(editor.endLabelEdit(1, std::nullopt), MainMenuEditor::LabelEnd::Done);
    EXPECT_EQ(editor.items()[1].text, "Startseite");
}

TEST_F(MainMenuTest, TheLastEntryNeverMovesAndNothingMovesBelowIt)
{
    MainMenuEditor editor = loaded();
    const std::size_t last = editor.count() - 1;
    EXPECT_TRUE(editor.canMoveUp(last));
    EXPECT_FALSE(editor.canMoveDown(last - 1));
    EXPECT_EQ(editor.moveUp(last), MainMenuEditor::Move::Refused);
    EXPECT_EQ(editor.moveDown(last - 1), MainMenuEditor::Move::Refused);
    EXPECT_EQ(prompter.messages(),
              (std::vector<std::string>(2, std::string(loadString(StringId::EntryNotMovable)))));
    EXPECT_EQ(editor.moveUp(0), MainMenuEditor::Move::NotPossible);
    EXPECT_FALSE(editor.canMoveUp(0));

    // Moving takes the names along.
    EXPECT_EQ(editor.moveDown(0), MainMenuEditor::Move::Moved);
    EXPECT_EQ(editor.moveUp(4), MainMenuEditor::Move::Moved);
    EXPECT_EQ(texts(editor), (std::vector<std::string>{"Administration", "Startseite", "Aktuelles",
                                                       "Dokumente", "Projekte", "Team", "Suche"}));
    EXPECT_EQ(editor.names()[3].at(kEnglish), "Documents");
}

TEST_F(MainMenuTest, DeleteRefusesBuiltInEntriesAndEntriesWithApplications)
{
    EXPECT_EQ(menuApplicationsStatement(41), "SELECT lid FROM krapp WHERE lnavformid=41");
    MainMenuEditor editor = loaded();
    EXPECT_FALSE(editor.remove(1).removed); // Administration, type 2
    EXPECT_FALSE(editor.remove(3).removed); // Projekte holds two applications
    EXPECT_EQ(prompter.messages(),
              (std::vector<std::string>{std::string(loadString(StringId::MenuEntryNotDeletable)),
                                        std::string(loadString(StringId::MenuEntryHasApplications))}));
    // Team holds none: it leaves the list, and the server only at the save.
    const MainMenuEditor::Removal team = editor.remove(5);
    EXPECT_TRUE(team.removed);
    EXPECT_EQ(team.selection, 5u);
    EXPECT_EQ(editor.items()[5].text, "Suche");
    EXPECT_EQ(storedMenu().size(), 7u);
    // A new entry has no applications and is dropped without asking the server.
    const std::size_t added = editor.insertNew(std::nullopt);
    const MainMenuEditor::Removal fresh = editor.remove(added);
    EXPECT_TRUE(fresh.removed);
    EXPECT_EQ(fresh.selection, added);
}

TEST_F(MainMenuTest, SaveWritesPositionsRemovalsNamesStartPagesAndGroups)
{
    {
        MainMenuEditor editor = loaded();
        // Team gets the user-defined page content (compared ignoring case), Dokumente loses it; Team's groups
        // change.
        editor.entry(5).startPage = "../kwapplications/kwarea/KWCUSTOMMENU.ASP";
        editor.entry(5).accessGroups = {1, 2};
        editor.entry(5).rightsChanged = true;
        editor.entry(4).startPage = "../KwApplications/KwArea/Ablage.asp";
        const std::size_t added = editor.insertNew(2);
        ASSERT_EQ(editor.endLabelEdit(added, std::string("Neu's")), MainMenuEditor::LabelEnd::Done);
        editor.names()[added][kEnglish] = "New";
        ASSERT_EQ(editor.moveUp(4), MainMenuEditor::Move::Moved); // Projekte before Aktuelles
        ASSERT_EQ(editor.save(), MainMenuEditor::Save::Saved) << prompter.describe();
        EXPECT_GT(editor.items()[2].entry.id, 43);
        EXPECT_FALSE(editor.items()[2].entry.isNew);
        EXPECT_EQ(editor.items()[2].entry.startPage, loadString(StringId::StandardStartPageAddress));
    }
    EXPECT_EQ(storedMenu(),
              (std::vector<std::string>{"1 Startseite", "2 Administration", "3 Neu_s", "4 Projekte",
                                        "5 Aktuelles", "6 Dokumente", "7 Team", "8 Suche"}));
    MainMenuEditor editor = loaded();
    const MenuEntry &added = editor.items()[2].entry;
    EXPECT_EQ(storedStartPage(added.id), loadString(StringId::StandardStartPageAddress));
    EXPECT_EQ(editor.names()[2], (LanguageTextMap{{kGerman, "Neu_s"}, {kEnglish, "New"}}));
    EXPECT_EQ(storedGroups(added.id), "3,4");
    EXPECT_EQ(storedGroups(43), "1,2");
    EXPECT_EQ(storedGroups(42), "3,2") << "groups are written only when they were edited";
    EXPECT_TRUE(hasContentRights(43));
    EXPECT_FALSE(hasContentRights(42));
    EXPECT_EQ(storedStartPage(42), "../KwApplications/KwArea/Ablage.asp");
    EXPECT_EQ(storedStartPage(41), "../KwApplications/KwArea/KwArea.asp");

    // Deleting Team takes its content rights and groups along; the built-in entries stay.
    ASSERT_TRUE(editor.remove(6).removed);
    ASSERT_TRUE(editor.remove(2).removed);
    ASSERT_EQ(editor.save(), MainMenuEditor::Save::Saved) << prompter.describe();
    EXPECT_EQ(storedMenu(), (std::vector<std::string>{"1 Startseite", "2 Administration", "3 Projekte",
                                                      "4 Aktuelles", "5 Dokumente", "6 Suche"}));
    EXPECT_FALSE(hasContentRights(43));
    EXPECT_TRUE(rows("SELECT 1 FROM navigation_groups WHERE nav_id=43").empty());
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

// An existing entry whose start page the record leaves empty (the start page dialog's unchanged OK on the
// standard page) is written so, not left with the server's page.
TEST_F(MainMenuTest, AnExistingEntrysEmptyStartPageIsWritten)
{
    {
        MainMenuEditor editor = loaded();
        const std::size_t documents = *editor.findId(42);
        ASSERT_FALSE(editor.entry(documents).startPage.empty());
        editor.entry(documents).startPage.clear();
        ASSERT_EQ(editor.save(), MainMenuEditor::Save::Saved) << prompter.describe();
    }
    EXPECT_EQ(storedStartPage(42), "");
    EXPECT_EQ(storedStartPage(41), "../KwApplications/KwArea/KwArea.asp") << "the others stay";
    EXPECT_EQ(loaded().entry(*loaded().findId(42)).startPage, "");
}

TEST_F(MainMenuTest, AFailingSaveLeavesTheMenuAsItWas)
{
    const std::vector<std::string> before = storedMenu();
    MainMenuEditor editor = loaded();
    ASSERT_TRUE(editor.remove(5).removed); // Team
    ASSERT_EQ(editor.moveDown(2), MainMenuEditor::Move::Moved);
    const std::size_t added = editor.insertNew(0);
    ASSERT_EQ(editor.endLabelEdit(added, std::string("Vorne")), MainMenuEditor::LabelEnd::Done);
    editor.entry(3).startPage = kMenuCustomStartPage; // Projekte, written before the failure
    // Someone else removes Aktuelles meanwhile: the save fails when it reaches it, after the removal of
    // Team and the writes of the entries before it.
    auto files = server::createObject<server::IFileService>(portal.factory());
    files->AttachSession(portal.session());
    files->ExecuteSql("DELETE FROM navigation WHERE id=40");
    std::vector<std::string> expected = before;
    expected.erase(expected.begin() + 2);

    EXPECT_EQ(editor.save(), MainMenuEditor::Save::NotSaved);
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{static_cast<int>(StringId::MainMenuNotSaved)});
    EXPECT_EQ(storedMenu(), expected);
    EXPECT_FALSE(hasContentRights(41));
    EXPECT_EQ(storedStartPage(41), "../KwApplications/KwArea/KwArea.asp");
    EXPECT_EQ(storedGroups(43), "3");
    EXPECT_TRUE(rows("SELECT 1 FROM texts WHERE text='Vorne'").empty());
    EXPECT_EQ(editor.items()[0].entry.id, 0) << "the new entry did not get an id";
}

// Two administrators on one portal: the later save finds the menu changed since its load.
class MainMenuConflictTest : public BackendTest {
protected:
    TempPortal portal{true, {}, backend()};
    ScriptedPrompter prompter;
};
KW_ON_BOTH_BACKENDS(MainMenuConflictTest);

TEST_P(MainMenuConflictTest, NoToTheQuestionWritesNothingAndReloads)
{
    MainMenuEditor mine(portal.env(), prompter);
    mine.defaultLanguage = kGerman;
    ASSERT_TRUE(mine.load()) << prompter.describe();
    ASSERT_EQ(mine.endLabelEdit(5, std::string("Mannschaft")), MainMenuEditor::LabelEnd::Done);

    // The other administrator works in a program of their own and saves first.
    ScriptedPrompter theirPrompter;
    MainMenuEditor theirs(server::LocalPortal::open(portal.root()), theirPrompter);
    theirs.defaultLanguage = kGerman;
    ASSERT_TRUE(theirs.load()) << theirPrompter.describe();
    ASSERT_EQ(theirs.endLabelEdit(theirs.insertNew(2), std::string("Fremd")), MainMenuEditor::LabelEnd::Done);
    ASSERT_EQ(theirs.save(), MainMenuEditor::Save::Saved) << theirPrompter.describe();
    const std::vector<std::string> theirMenu = texts(theirs);

    prompter.answerNo();
    EXPECT_EQ(mine.save(), MainMenuEditor::Save::ChangedElsewhere);
    EXPECT_EQ(prompter.questions(),
              std::vector<std::string>{std::string(loadString(StringId::MainMenuChangedElsewhere))});
    EXPECT_TRUE(prompter.errorIds().empty()) << prompter.describe();
    EXPECT_EQ(texts(mine), theirMenu) << "the editor shows the menu as it is now";
    EXPECT_EQ(mine.names().size(), theirMenu.size());

    // Starting over on the fresh menu saves, and a second save from the same editor compares with its
    // own change.
    ASSERT_EQ(mine.endLabelEdit(*mine.find("Team"), std::string("Mannschaft")),
              MainMenuEditor::LabelEnd::Done);
    ASSERT_EQ(mine.save(), MainMenuEditor::Save::Saved) << prompter.describe();
    ASSERT_TRUE(mine.remove(*mine.find("Fremd")).removed);
    ASSERT_EQ(mine.save(), MainMenuEditor::Save::Saved) << prompter.describe();
    EXPECT_TRUE(prompter.allAnswersUsed());

    MainMenuEditor after(server::LocalPortal::open(portal.root()), theirPrompter);
    after.defaultLanguage = kGerman;
    ASSERT_TRUE(after.load());
    EXPECT_EQ(texts(after), texts(mine));
    EXPECT_TRUE(after.find("Mannschaft"));
    EXPECT_FALSE(after.find("Fremd"));
}

// Yes saves the administrator's own list over the other change, as the save always did: what the list
// does not carry is removed.
TEST_P(MainMenuConflictTest, YesToTheQuestionSavesOverTheOtherChange)
{
    MainMenuEditor mine(portal.env(), prompter);
    mine.defaultLanguage = kGerman;
    ASSERT_TRUE(mine.load()) << prompter.describe();
    ASSERT_EQ(mine.endLabelEdit(5, std::string("Mannschaft")), MainMenuEditor::LabelEnd::Done);
    ASSERT_EQ(mine.moveUp(4), MainMenuEditor::Move::Moved);
    const std::vector<std::string> myMenu = texts(mine);

    ScriptedPrompter theirPrompter;
    MainMenuEditor theirs(server::LocalPortal::open(portal.root()), theirPrompter);
    theirs.defaultLanguage = kGerman;
    ASSERT_TRUE(theirs.load());
    ASSERT_EQ(theirs.endLabelEdit(theirs.insertNew(2), std::string("Fremd")), MainMenuEditor::LabelEnd::Done);
    ASSERT_EQ(theirs.save(), MainMenuEditor::Save::Saved) << theirPrompter.describe();

    prompter.answerYes();
    EXPECT_EQ(mine.save(), MainMenuEditor::Save::Saved) << prompter.describe();
    EXPECT_EQ(prompter.questions().size(), 1u);
    MainMenuEditor after(server::LocalPortal::open(portal.root()), theirPrompter);
    after.defaultLanguage = kGerman;
    ASSERT_TRUE(after.load());
    EXPECT_EQ(texts(after), myMenu);
}

// A change that the editor's own sub-dialog makes (the portal start page dialog of entry 31 changes the
// page-content record) is no conflict; another administrator's change after it still is.
TEST_P(MainMenuConflictTest, TheEditorsOwnStartPageDialogIsNoConflict)
{
    MainMenuEditor mine(portal.env(), prompter);
    mine.defaultLanguage = kGerman;
    ASSERT_TRUE(mine.load()) << prompter.describe();
    ASSERT_EQ(mine.endLabelEdit(5, std::string("Mannschaft")), MainMenuEditor::LabelEnd::Done);
    // The start page dialog, run by a program with `env`, chooses a page and writes it.
    auto chooseStartPage = [](server::Environment env, ScriptedPrompter &asked, int choice) {
        PortalStartPage startPage(std::move(env), asked);
        startPage.read();
        startPage.controls.main.choice = choice;
        startPage.edited();
        asked.answerYes();
        EXPECT_EQ(startPage.accept(), PortalStartPage::Outcome::Written) << asked.describe();
        return startPage.menuChanged();
    };
    // The editor opens the dialog: the version before it, and the dialog's own change after it.
    std::optional<std::int64_t> before = mine.versionNow();
    ASSERT_TRUE(chooseStartPage(portal.env(), prompter, CustomPageContent));
    mine.adoptOwnChange(before);
    EXPECT_EQ(mine.save(), MainMenuEditor::Save::Saved) << prompter.describe();
    EXPECT_EQ(prompter.questions().size(), 1u) << "only the start page's own question";

    // Now another program changes the record while this editor's own dialog changes it too: two
    // changes, one of them somebody else's, so the save asks.
    ASSERT_EQ(mine.endLabelEdit(*mine.find("Mannschaft"), std::string("Team")),
              MainMenuEditor::LabelEnd::Done);
    before = mine.versionNow();
    ScriptedPrompter theirPrompter;
    ASSERT_TRUE(chooseStartPage(server::LocalPortal::open(portal.root()), theirPrompter, StandardStartPage));
    ASSERT_TRUE(chooseStartPage(portal.env(), prompter, CustomPageContent));
    mine.adoptOwnChange(before);
    prompter.clear();
    prompter.answerNo();
    EXPECT_EQ(mine.save(), MainMenuEditor::Save::ChangedElsewhere);
    EXPECT_EQ(prompter.questions().size(), 1u);
}

} // namespace
} // namespace kw::test
