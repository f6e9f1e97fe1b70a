// kwlayout history, rollback and diff on a demo portal, and activations killed at random moments.
#include "DemoPortalCliTest.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <map>
#include <random>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kw::test {
namespace {

namespace fs = std::filesystem;

Result kwlayout(const fs::path &portal, const std::string &arguments)
{
    return run(kwlayoutCommand(portal, arguments) + " 2>/dev/null");
}

const char *const kPublished[] = {"_KwStyle/global.css",
                                  "_KwStyle/menu.css",
                                  "_KwStyle/buttonstyles.css",
                                  "_KwStyle/rollover.asp",
                                  "_KwInclude/KwCompany/KwStyles.asp",
                                  "_KwInclude/KwCompany/LayoutSettings.asp"};
using Files = std::map<std::string, std::string>;

Files published(const fs::path &portal)
{
    Files files;
    for (const char *f : kPublished)
        files[f] = fs::exists(portal / f) ? readFile(portal / f) : "<missing>";
    return files;
}

std::vector<std::string> leftovers(const fs::path &portal)
{
    std::vector<std::string> found;
    for (const auto &entry : fs::recursive_directory_iterator(portal)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(".kwtmp-") || name.starts_with("KwPortal.journal"))
            found.push_back(entry.path().lexically_relative(portal).string());
    }
    return found;
}

std::vector<std::string> historyIds(const fs::path &portal)
{
    std::vector<std::string> ids;
    const std::string out = kwlayout(portal, "history").out;
    for (std::size_t start = 0; start < out.size();) {
        const std::size_t end = out.find('\n', start);
        ids.push_back(out.substr(start, out.find('\t', start) - start));
        start = end + 1;
    }
    return ids;
}

class PublishCommandsTest : public DemoPortalCliTest {};

KW_ON_BOTH_BACKENDS(PublishCommandsTest);

TEST_P(PublishCommandsTest, DiffShowsWhatAnActivationWouldChangeWithoutWritingIt)
{
    const Files before = published(portal);
    const Result diff = kwlayout(portal, "diff Herbst");
    EXPECT_EQ(diff.status, 1);
    EXPECT_NE(diff.out.find("--- a/_KwStyle/global.css\n+++ b/_KwStyle/global.css\n@@ -"), std::string::npos)
        << diff.out;
    EXPECT_EQ(published(portal), before);
    EXPECT_TRUE(leftovers(portal).empty());
    EXPECT_EQ(historyIds(portal).size(), 1u);

    // The diff, applied to a copy of the published files, gives exactly what the activation writes.
    const fs::path copy = dir.path() / "copy";
    for (const char *f : kPublished) {
        fs::create_directories((copy / f).parent_path());
        fs::copy_file(portal / f, copy / f);
    }
    writeFile(dir.path() / "herbst.diff", diff.out);
    ASSERT_EQ(run("cd '" + copy.string() + "' && patch -s -p1 < ../herbst.diff").status, 0);
    ASSERT_EQ(kwlayout(portal, "activate Herbst").status, 0);
    EXPECT_EQ(published(copy), published(portal));
    EXPECT_EQ(kwlayout(portal, "diff Herbst").status, 0);

    EXPECT_EQ(kwlayout(portal, "diff Unbekannt").status, 2);
    EXPECT_EQ(kwlayout(portal, "diff --history 999").status, 2);
    EXPECT_EQ(kwlayout(portal, "diff --history x").status, 2);
}

TEST_P(PublishCommandsTest, HistoryRollbackAndRollbackOfTheRollback)
{
    const Files blue = published(portal);
    const std::string blueValues = kwlayout(portal, "show 'Aktives Layout'").out;
    ASSERT_EQ(kwlayout(portal, "activate Herbst").status, 0);
    const Files autumn = published(portal);

    const Result history = kwlayout(portal, "history");
    EXPECT_EQ(history.status, 0);
    std::vector<std::string> ids = historyIds(portal);
    ASSERT_EQ(ids.size(), 2u);
    EXPECT_GT(std::stoll(ids[0]), std::stoll(ids[1]));
    EXPECT_NE(history.out.find("\tadmin\tHerbst\n"), std::string::npos) << history.out;
    EXPECT_NE(history.out.find("\tadmin\tBlau\n"), std::string::npos) << history.out;
    const Result json = kwlayout(portal, "history --json");
    EXPECT_NE(json.out.find("\"layout\": \"Herbst\", \"rollback_of\": null}"), std::string::npos) << json.out;

    // Going back to the newest entry changes nothing.
    EXPECT_EQ(kwlayout(portal, "diff --history " + ids[0]).status, 0);
    Result same = kwlayout(portal, "rollback " + ids[0] + " --yes");
    EXPECT_EQ(same.status, 0);
    EXPECT_EQ(same.out, "The portal is in the state after " + ids[0] + " already; nothing was rolled back\n");
    EXPECT_EQ(historyIds(portal).size(), 2u);

    // Back to the state right after the first entry (the one portal-init recorded): from Herbst's files
    // back to Blau's.
    const Result preview = kwlayout(portal, "diff --history " + ids[1]);
    EXPECT_EQ(preview.status, 1);
    EXPECT_NE(preview.out.find("--- a/_KwStyle/menu.css\n+++ b/_KwStyle/menu.css\n"), std::string::npos);

    EXPECT_EQ(kwlayout(portal, "rollback " + ids[1]).status, 3); // the question needs an answer
    EXPECT_EQ(kwlayout(portal, "rollback " + ids[1] + " --no").status, 0);
    EXPECT_EQ(published(portal), autumn);
    const Result back = kwlayout(portal, "rollback " + ids[1] + " --yes");
    EXPECT_EQ(back.status, 0);
    EXPECT_NE(back.out.find("Rolled back to the state after " + ids[1] + " (history entry "),
              std::string::npos)
        << back.out;
    EXPECT_EQ(published(portal), blue);
    EXPECT_EQ(kwlayout(portal, "show 'Aktives Layout'").out, blueValues);
    EXPECT_EQ(kwlayout(portal, "diff --history " + ids[1]).status, 0);

    // The rollback is an entry of its own, named after the state it went back to; going back to the entry
    // before it undoes it.
    const std::vector<std::string> before = ids;
    ids = historyIds(portal);
    ASSERT_EQ(ids.size(), 3u);
    EXPECT_NE(
        kwlayout(portal, "history --json").out.find("\"layout\": \"Blau\", \"rollback_of\": " + before[1]),
        std::string::npos);
    EXPECT_EQ(kwlayout(portal, "rollback " + ids[1] + " --yes").status, 0);
    EXPECT_EQ(published(portal), autumn);
    EXPECT_EQ(historyIds(portal).size(), 4u);

    EXPECT_EQ(kwlayout(portal, "rollback 999 --yes").status, 1);
    EXPECT_EQ(kwlayout(portal, "rollback abc --yes").status, 2);
    EXPECT_TRUE(leftovers(portal).empty());
}

// Activations killed with SIGKILL at random moments: once the portal is opened again, every published file
// belongs to one and the same layout, and no temporary file is left.

// Whether a process of group `group` is still running (ended ones may stay as zombies nobody reaps).
bool groupRunning(pid_t group)
{
    for (const auto &entry : fs::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const std::string stat = readFile(entry.path() / "stat");
        const auto close = stat.rfind(')');
        if (close == std::string::npos)
            continue;
        char state = 0;
        int parent = 0, processGroup = 0;
        if (std::sscanf(stat.c_str() + close + 1, " %c %d %d", &state, &parent, &processGroup) == 3 &&
            processGroup == group && state != 'Z')
            return true;
    }
    return false;
}

TEST_P(PublishCommandsTest, KilledActivationsNeverLeaveAMixOfLayouts)
{
    std::vector<Files> layouts = {published(portal)};
    for (const char *name : {"Herbst", "Baummenue"}) {
        ASSERT_EQ(kwlayout(portal, std::string("activate ") + name).status, 0);
        layouts.push_back(published(portal));
    }
    std::mt19937 random(20261207);
    int insideBatch = 0; // kills that left a batch's temporary files or journal behind
    // At least 30 rounds, and more (up to 120) while no kill has landed inside a batch yet.
    int round = 0;
    for (; round < 30 || (insideBatch == 0 && round < 120); ++round) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::setpgid(0, 0);
            const std::string loop = "while :; do " + kwlayoutCommand(portal, "activate Herbst") + "; " +
                                     kwlayoutCommand(portal, "activate Baummenue") + "; done >/dev/null 2>&1";
            ::execl("/bin/sh", "sh", "-c", loop.c_str(), static_cast<char *>(nullptr));
            ::_exit(127);
        }
        ::setpgid(child, child);
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + random() % 400));
        ::kill(-child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        // Wait until the killed kwlayout itself has ended: a process that is still exiting holds the
        // portal's write lock, and opening the portal then leaves recovery to it.
        for (int wait = 0; wait < 500 && groupRunning(child); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        insideBatch += leftovers(portal).empty() ? 0 : 1;
        const Result history = run(kwlayoutCommand(portal, "history") + " 2>&1");
        ASSERT_EQ(history.status, 0) << "round " << round << ": " << history.out;
        const Files after = published(portal);
        EXPECT_TRUE(std::find(layouts.begin(), layouts.end(), after) != layouts.end()) << "round " << round;
        EXPECT_EQ(leftovers(portal), std::vector<std::string>()) << "round " << round;
    }
    // Kills between the batch's first temporary file and its clean-up are the ones that test recovery.
    EXPECT_GT(insideBatch, 0) << "no kill landed inside a batch";
    std::cout << "kills inside a batch: " << insideBatch << " of " << round << "\n";
}

} // namespace
} // namespace kw::test
