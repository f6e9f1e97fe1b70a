// `kwlayout menu ...` on a fresh demo portal: the listing, each edit ending in the editor's save, and
// refusals that print the editor's message, exit non-zero and write nothing.
#include "DemoPortalCliTest.h"

#include "server/LocalPortal.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sstream>

namespace kw::test {
namespace {

class MenuCommandsTest : public DemoPortalCliTest {
protected:
    /// Standard output only.
    Result quiet(const std::string &arguments) const
    {
        return run(kwlayoutCommand(portal, arguments) + " 2>/dev/null");
    }
    /// Standard error only.
    Result errors(const std::string &arguments) const
    {
        return run(kwlayoutCommand(portal, arguments) + " 2>&1 >/dev/null");
    }
    /// The listing's lines.
    std::vector<std::string> menu() const
    {
        std::vector<std::string> lines;
        std::istringstream in(quiet("menu list").out);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    /// The names of the listing in order.
    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (const std::string &line : menu()) {
            const std::size_t first = line.find('\t', line.find('\t') + 1);
            out.push_back(line.substr(first + 1, line.find('\t', first + 1) - first - 1));
        }
        return out;
    }
};
KW_ON_BOTH_BACKENDS(MenuCommandsTest);

TEST_P(MenuCommandsTest, ListShowsIdsTypesNamesStartPagesAndGroups)
{
    const std::vector<std::string> lines = menu();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0],
              "31\t1\tStartseite\t../KwApplications/KwArea/KwPortlets.asp\t3,4\t1031=Startseite\t1033=Home");
    EXPECT_EQ(
        lines[4],
        "42\t0\tDokumente\t../KwApplications/KwArea/KwCustomMenu.asp\t3,2\t1031=Dokumente\t1033=Documents");
    const Result json = quiet("menu list --json");
    EXPECT_EQ(json.status, 0);
    EXPECT_NE(
        json.out.find("{\"id\": 42, \"type\": 0, \"name\": \"Dokumente\", \"startPage\": "
                      "\"../KwApplications/KwArea/KwCustomMenu.asp\", \"deletable\": true, \"accessGroups\": "
                      "[{\"id\": 3, \"name\": \"Mitarbeiter\"}, {\"id\": 2, \"name\": \"Redaktion\"}], "
                      "\"names\": {\"1031\": \"Dokumente\", \"1033\": \"Documents\"}}"),
        std::string::npos)
        << json.out;
}

TEST_P(MenuCommandsTest, EditsEndInTheEditorsSave)
{
    EXPECT_EQ(quiet("menu add 'Presse \"neu\"'").status, 0);
    EXPECT_EQ(quiet("menu add Archiv --before '#40'").status, 0);
    EXPECT_EQ(quiet("menu move Team up").status, 0);
    EXPECT_EQ(quiet("menu rename Projekte Vorhaben").status, 0);
    EXPECT_EQ(quiet("menu name Vorhaben 1033 Plans").status, 0);
    EXPECT_EQ(quiet("menu start-page Archiv custom").status, 0);
    EXPECT_EQ(quiet("menu start-page Team Liste.asp").status, 0);
    EXPECT_EQ(quiet("menu rights Team 1,redaktion").status, 0);
    EXPECT_EQ(quiet("menu delete Aktuelles").status, 2) << "Aktuelles still holds an application";
    const std::vector<std::string> lines = menu();
    EXPECT_EQ(names(), (std::vector<std::string>{"Startseite", "Administration", "Archiv", "Aktuelles",
                                                 "Vorhaben", "Team", "Dokumente", "Presse _neu_", "Suche"}));
    EXPECT_EQ(lines[4], "41\t0\tVorhaben\t../KwApplications/KwArea/KwArea.asp\t3\t1031=Vorhaben\t1033=Plans");
    EXPECT_EQ(lines[5], "43\t0\tTeam\t../KwApplications/KwArea/Liste.asp\t1,2\t1031=Team\t1033=Team");
    EXPECT_NE(lines[2].find("\t../KwApplications/KwArea/KwCustomMenu.asp\t3,4\t1031=Archiv\t1033="),
              std::string::npos)
        << lines[2];
    EXPECT_NE(lines[7].find("\t../KwApplications/KwArea/KwArea.asp\t3,4\t"), std::string::npos) << lines[7];

    // A new entry without applications can go again.
    EXPECT_EQ(quiet("menu delete 'Presse _neu_'").status, 0);
    EXPECT_EQ(menu().size(), 8u);
}

TEST_P(MenuCommandsTest, RefusalsPrintTheEditorsMessageAndWriteNothing)
{
    const std::vector<std::string> before = menu();
    struct Case {
        const char *arguments;
        const char *message;
    };
    const Case cases[] = {
        {"menu add Team", "Der Menüeintrag muß eine eindeutige Bezeichnung besitzen."},
        {"menu rename Team ''", "Sie müssen einen Menüeintragsnamen angeben."},
        {"menu move Suche up", "Dieser Eintrag darf nicht verschoben werden."},
        {"menu move Team down", "Dieser Eintrag darf nicht verschoben werden."},
        {"menu delete Administration", "Dieser Menüeintrag kann nicht gelöscht werden."},
        {"menu delete '#41'",
         "Dieser Menüpunkt enthält noch Anwendungen und kann deshalb nicht gelöscht werden."},
        {"menu start-page Startseite standard", "kwlayout start-page"},
        {"menu rename Nirgends X", "the main menu has no entry \"Nirgends\""},
        {"menu rights Team 9", "no user group \"9\""},
        {"menu name Team 1036 Equipe", "no language 1036"},
        {"menu move Startseite up", "the first entry already"},
        {"menu shuffle", "unknown menu command"},
    };
    for (const Case &c : cases) {
        const Result r = errors(c.arguments);
        EXPECT_NE(r.status, 0) << c.arguments;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << c.arguments << ": " << r.out;
    }
    EXPECT_EQ(menu(), before);
}

TEST_P(MenuCommandsTest, CommandsAtTheSameMomentLoseNoEntryAndLeaveNoGaps)
{
    constexpr int kCommands = 8;
    // All started at once; each waits for the one before it holds its change.
    std::string script = "failed=0; ";
    for (int n = 1; n <= kCommands; ++n)
        script += kwlayoutCommand(portal, "menu add Neu" + std::to_string(n)) + " >/dev/null 2>>'" +
                  (dir.path() / "errors").string() + "' & pid" + std::to_string(n) + "=$!; ";
    for (int n = 1; n <= kCommands; ++n)
        script += "wait $pid" + std::to_string(n) + " || failed=1; ";
    EXPECT_EQ(run(script + "exit $failed").status, 0) << readFile(dir.path() / "errors");

    std::vector<std::string> listed = names();
    ASSERT_EQ(listed.size(), 7u + kCommands);
    EXPECT_EQ(listed.back(), "Suche") << "the last entry stays last";
    for (int n = 1; n <= kCommands; ++n)
        EXPECT_EQ(std::count(listed.begin(), listed.end(), "Neu" + std::to_string(n)), 1) << n;
    // The positions as stored: 1 to n, each once.
    server::Environment env = server::LocalPortal::open(portal);
    auto query = server::createObject<server::IQuery>(*env.factory);
    query->QueryRun(0, "SELECT position FROM navigation WHERE parent_id IS NULL ORDER BY position");
    ASSERT_EQ(query->QueryRowCount(), static_cast<long>(listed.size()));
    for (long row = 0; row < query->QueryRowCount(); ++row)
        EXPECT_EQ(query->QueryValue(row, 0), std::to_string(row + 1));
}

} // namespace
} // namespace kw::test
