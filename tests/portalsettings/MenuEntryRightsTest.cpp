// A menu entry's access groups read from a temporary demo portal: only for an entry on the server whose
// list is still empty, under the wait box, and a server error reported with the entry left as it was.
#include "portalsettings/MenuEntryRights.h"

#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <gtest/gtest.h>

namespace kw::test {
namespace {

using namespace kw::portalsettings;

/// Records what the wait box showed and whether it is up.
class RecordingWait final : public WaitIndicator {
public:
    void show(std::string_view text) override
    {
        shown.emplace_back(text);
        ++depth;
    }
    void close() override { --depth; }
    std::vector<std::string> shown;
    int depth = 0;
};

class MenuEntryRightsTest : public ::testing::Test {
protected:
    TempPortal portal;
    ScriptedPrompter prompter;
    RecordingWait wait;

    GroupsRead read(MenuEntry &entry) { return readMenuEntryGroups(portal.env(), prompter, wait, entry); }
};

TEST_F(MenuEntryRightsTest, ReadsAnExistingEntryOnce)
{
    MenuEntry entry;
    entry.id = 42;
    EXPECT_EQ(read(entry), GroupsRead::Read);
    EXPECT_EQ(entry.accessGroups, (std::vector<std::int32_t>{3, 2})); // in the server's order
    EXPECT_EQ(wait.shown, std::vector<std::string>{"Berechtigtenliste wird geladen..."});
    EXPECT_EQ(wait.depth, 0);
    EXPECT_FALSE(entry.rightsChanged);

    // The list is no longer empty: a second look keeps it, even when the server changed meanwhile.
    auto files = server::createObject<server::IFileService>(portal.factory());
    files->AttachSession(portal.session());
    files->ExecuteSql("DELETE FROM navigation_groups WHERE nav_id=42");
    EXPECT_EQ(read(entry), GroupsRead::Kept);
    EXPECT_EQ(entry.accessGroups, (std::vector<std::int32_t>{3, 2}));
    EXPECT_EQ(wait.shown.size(), 1u);
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(MenuEntryRightsTest, ANewEntryIsNeverRead)
{
    MenuEntry entry;
    entry.isNew = true;
    entry.accessGroups = {3, 4};
    EXPECT_EQ(read(entry), GroupsRead::Kept);
    entry.accessGroups.clear();
    EXPECT_EQ(read(entry), GroupsRead::Kept); // id 0: nothing on the server to read
    EXPECT_TRUE(entry.accessGroups.empty());
    EXPECT_TRUE(wait.shown.empty());
}

TEST_F(MenuEntryRightsTest, AServerErrorIsReportedAndChangesNothing)
{
    MenuEntry entry;
    entry.id = 99; // not in the portal
    EXPECT_EQ(read(entry), GroupsRead::Failed);
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12566});
    EXPECT_TRUE(entry.accessGroups.empty());
    EXPECT_EQ(wait.depth, 0);
}

} // namespace
} // namespace kw::test
