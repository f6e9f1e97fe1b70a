// A portal the user may read but not write (every file and folder without write permission, and the
// commands run as an unprivileged user when the tests run as root, who ignores file modes): every command
// that only shows something runs, says what it would rewrite instead of rewriting it, and afterwards no
// file, byte or mode of the portal has changed.
#include "KwlayoutRun.h"
#include "TempPortal.h"

#include "server/LocalPortal.h"

#include <gtest/gtest.h>

#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace kw::test {
namespace {

namespace fs = std::filesystem;

/// Every entry of the folder with its mode and, for files, its bytes.
std::map<std::string, std::string> snapshot(const fs::path &folder)
{
    std::map<std::string, std::string> entries;
    for (const auto &entry : fs::recursive_directory_iterator(folder)) {
        struct stat status {};
        ::lstat(entry.path().c_str(), &status);
        std::string &seen = entries[entry.path().lexically_relative(folder).string()];
        seen = std::to_string(status.st_mode) + " " + std::to_string(status.st_uid) + ":" +
               std::to_string(status.st_gid);
        if (S_ISREG(status.st_mode))
            seen += "\n" + readFile(entry.path());
    }
    return entries;
}

/// The shell prefix that runs a command as a user without any right to write the portal.
std::string asReader()
{
    // Root may write whatever the modes say: the commands then run as "nobody". It keeps the right to read
    // and search every folder, so that it reaches the program even in a checkout only root may enter
    // (a folder made by mktemp -d), but gains no right to write.
    return ::geteuid() == 0
               ? "setpriv --reuid=65534 --regid=65534 --clear-groups --inh-caps=+dac_read_search "
                 "--ambient-caps=+dac_read_search -- "
               : "";
}

TEST(ReadOnlyPortalTest, CommandsThatOnlyShowRunAndChangeNothing)
{
    TempDir dir;
    const fs::path portal = dir.path() / "portal";
    ASSERT_EQ(run(kwlayoutCommand(portal, "portal-init --demo") + " >/dev/null 2>&1").status, 0);
    // What reading would rewrite: a literal welcome.asp with no language texts, an old NavTop.asp, and a
    // date format script with an unknown locale.
    {
        const server::Environment env = server::LocalPortal::open(portal);
        auto files = server::createObject<server::IFileService>(*env.factory);
        files->AttachSession(env.session);
        files->ExecuteSql("DELETE FROM texts WHERE text_key='lc_WelcomeMsg'");
    }
    writeFile(portal / "_KwStyle/welcome.asp", "<%\r\nl_strWelcome = \"Sag \"\"Hallo\"\"\"\r\n%>\r\n");
    writeFile(portal / "_KwStyle/NavTop.asp", "<% ' old navigation %>\r\n");
    writeFile(portal / "_KwInclude/KwCompany/KwStartPage.asp",
              "<%\r\nl_strAnoTarget = \"KwApplications/KwArea/KwPortlets.asp\"\r\n"
              "l_strMainTarget = \"KwApplications/KwArea/sub/x.asp\"\r\n%>\r\n");
    writeFile(portal / "_KwInclude/KwCompany/KwDataFormat.asp",
              "<SCRIPT LANGUAGE=VBScript RUNAT=Server>\r\n\tApplication(\"g_LCID\") = 9999\r\n</SCRIPT>\r\n");
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
    ASSERT_EQ(run("chmod -R a-w '" + portal.string() + "'").status, 0);
    const auto before = snapshot(portal);

    struct Case {
        const char *arguments;
        int status;
        const char *told; // on standard error or output, "" for nothing in particular
    };
    const Case cases[] = {
        {"list", 0, "Aktives Layout\n"},
        {"list --json", 0, "\"active\": true"},
        {"show 'Aktives Layout'", 0, "NavTop.asp; a command that changes or activates a layout"},
        {"show Herbst", 0, "KwRootTop.backgroundColor=#7A3E12"},
        {"history", 0, "\tadmin\tBlau\n"},
        {"history --json", 0, "\"layout\": \"Blau\""},
        {"diff Herbst", 1, "+++ b/_KwStyle/global.css"},
        {"diff Herbst", 1, "activating would remove it and save the layout again; nothing was changed"},
        {"diff --history 1", 0, ""},
        {"welcome", 0, "1031\tDeutsch*\tSag \"Hallo\"\n"},
        {"logo", 0, "logo.png\n"},
        {"country-settings", 0, "writes it afresh with format 2; nothing was changed"},
        {"start-page", 0, "anonymous=standard\nmain=page:KwApplications/KwArea/sub/x.asp\n"},
        {"calendar", 0, "* 41 Projekte"},
        {"menu list", 0, "Aktuelles"},
        {"database info", 0, "backend=sqlite"},
        {"audit 'Aktives Layout'", 1, "pairs: "},
        {"audit Herbst --json", 1, "\"summary\""},
    };
    for (const Case &c : cases) {
        const Result r = run(asReader() + kwlayoutCommand(portal, c.arguments) + " 2>&1");
        EXPECT_EQ(r.status, c.status) << c.arguments << ":\n" << r.out;
        EXPECT_NE(r.out.find(c.told), std::string::npos) << c.arguments << ":\n" << r.out;
        EXPECT_EQ(r.out.find("Keine Berechtigung"), std::string::npos) << c.arguments << ":\n" << r.out;
        EXPECT_EQ(r.out.find("ermission denied"), std::string::npos) << c.arguments << ":\n" << r.out;
        EXPECT_EQ(snapshot(portal), before) << "changed by " << c.arguments;
    }
    // The sample page is written outside the portal, which stays as it was.
    const fs::path sample = dir.path() / "sample";
    fs::create_directory(sample);
    fs::permissions(sample, fs::perms::all);
    const Result page =
        run(asReader() + kwlayoutCommand(portal, "sample-page Herbst '" + sample.string() + "'") + " 2>&1");
    EXPECT_EQ(page.status, 0) << page.out;
    EXPECT_TRUE(fs::exists(sample / "index.html")) << page.out;
    EXPECT_EQ(snapshot(portal), before) << "changed by sample-page";

    // The welcome text's rewrite is told, not done.
    EXPECT_NE(run(asReader() + kwlayoutCommand(portal, "welcome") + " 2>&1").out.find("nothing was changed"),
              std::string::npos);

    // A command that writes is refused for this user, and still changes nothing.
    if (!asReader().empty()) {
        const Result r = run(asReader() + kwlayoutCommand(portal, "activate Herbst") + " 2>&1");
        EXPECT_NE(r.status, 0) << r.out;
        EXPECT_EQ(snapshot(portal), before);
    }
    ASSERT_EQ(run("chmod -R u+w '" + portal.string() + "'").status, 0);
}

// Showing a layout and what activating it would publish read the portal only: they take no lock (a copy
// of the portal without its lock file, in a folder nobody may write) and do not look at a journal, which
// only a program that writes has to deal with.
TEST(ReadOnlyPortalTest, ShowAndDiffNeedNoLockFileAndIgnoreAJournal)
{
    TempDir dir;
    const fs::path portal = dir.path() / "portal";
    ASSERT_EQ(run(kwlayoutCommand(portal, "portal-init --demo") + " >/dev/null 2>&1").status, 0);
    fs::remove(portal / "KwPortal.lock");
    writeFile(portal / "KwPortal.journal", "kein Journal\n");
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                    fs::perms::others_read | fs::perms::others_exec);
    ASSERT_EQ(run("chmod -R a-w '" + portal.string() + "'").status, 0);
    const auto before = snapshot(portal);

    const std::pair<const char *, const char *> cases[] = {
        {"show Herbst", "KwRootTop.backgroundColor=#7A3E12"},
        {"show 'Aktives Layout'", "KwRootTop.backgroundColor="},
        {"diff Herbst", "+++ b/_KwStyle/global.css"},
    };
    for (const auto &[arguments, told] : cases) {
        const Result r = run(asReader() + kwlayoutCommand(portal, arguments) + " 2>&1");
        EXPECT_LE(r.status, 1) << arguments << ":\n" << r.out;
        EXPECT_NE(r.out.find(told), std::string::npos) << arguments << ":\n" << r.out;
        EXPECT_EQ(r.out.find("KwPortal.journal"), std::string::npos) << arguments << ":\n" << r.out;
        EXPECT_EQ(r.out.find("KwPortal.lock"), std::string::npos) << arguments << ":\n" << r.out;
        EXPECT_EQ(snapshot(portal), before) << "changed by " << arguments;
    }
    ASSERT_EQ(run("chmod -R u+w '" + portal.string() + "'").status, 0);
}

} // namespace
} // namespace kw::test
