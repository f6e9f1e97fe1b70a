// Activation as one batch: a crash at any step leaves the portal on one layout once it is opened again,
// a failed part contributes nothing, a failed batch leaves every published file as it was.
#include "layout/LayoutDocument.h"
#include "layout/LayoutValues.h"

#include "FaultInjection.h"
#include "FileFaults.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <map>
#include <sys/file.h>
#include <unistd.h>

namespace kw::layout {
namespace {

using test::FileFaults;
using test::ScriptedPrompter;
using test::SimulatedCrash;
using Files = std::map<std::string, std::string>;

const char *const kPublished[] = {"_KwStyle/global.css",
                                  "_KwStyle/menu.css",
                                  "_KwStyle/buttonstyles.css",
                                  "_KwStyle/rollover.asp",
                                  "_KwInclude/KwCompany/KwStyles.asp",
                                  "_KwInclude/KwCompany/LayoutSettings.asp"};

class NamedChooser final : public LayoutChooser {
public:
    std::optional<std::string> chooseForOpen() override { return std::nullopt; }
    std::optional<std::string> chooseForSave() override { return std::nullopt; }
};

class ActivationBatchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        LayoutDocument document(portal.env(), prompter, chooser, wait);
        document.setName("global.css");
        document.saveLayout(false);
        document.setName("");
        document.load();
        const std::pair<const char *, const char *> values[] = {{"KwRootTop.backgroundColor", "#123456"},
                                                                {"page.linkColor", "#FF0000"},
                                                                {"switch.showInfoBar", "true"}};
        for (const auto &[key, value] : values)
            setLayoutValue(document.model(), document.flags(), key, value);
        document.setName("Herbst.kwc");
        document.save(false);
        old = published();
        prompter.clear();
    }

    Files published() const
    {
        Files files;
        for (const char *f : kPublished)
            files[f] = portal.exists(f) ? portal.read(f) : "<missing>";
        return files;
    }
    void restore(const Files &files) const
    {
        for (const auto &[name, bytes] : files)
            portal.write(name, bytes);
    }
    // Loads Herbst and saves it as the active layout, as the command does.
    void activate(server::Environment env)
    {
        LayoutDocument document(std::move(env), prompter, chooser, wait);
        ASSERT_TRUE(document.openLayout("Herbst.kwc"));
        prompter.answerYes();
        document.commandSaveAsActive();
    }
    server::Ref<server::IPublishing> publishing()
    {
        auto object = server::createObject<server::IPublishing>(portal.factory());
        object->AttachSession(portal.session());
        return object;
    }

    test::TempPortal portal{true};
    ScriptedPrompter prompter;
    NamedChooser chooser;
    NoWaitIndicator wait;
    Files old;
};

TEST_F(ActivationBatchTest, ACrashAtAnyStepLeavesOneLayoutAfterReopening)
{
    const std::int64_t before = publishing()->HistoryEntries().front().id;
    activate(portal.env());
    const Files activated = published();
    ASSERT_NE(activated, old);

    int crashes = 0;
    for (int n = 1;; ++n) {
        restore(old);
        auto faults = std::make_shared<FileFaults>();
        faults->crashAt(FileFaults::Op::Any, n);
        try {
            activate(portal.reopen(faults));
        } catch (const SimulatedCrash &) {
            ++crashes;
        }
        portal.reopen();
        const Files after = published();
        EXPECT_TRUE(after == old || after == activated) << "crash at call " << n;
        EXPECT_EQ(portal.leftovers(), std::vector<std::string>()) << "crash at call " << n;
        if (!faults->fired())
            break;
    }
    EXPECT_GT(crashes, 15);

    // The same for going back to the state before the activation.
    for (int n = 1;; ++n) {
        restore(activated);
        auto faults = std::make_shared<FileFaults>();
        faults->crashAt(FileFaults::Op::Any, n);
        portal.reopen(faults);
        try {
            publishing()->HistoryRollback(before);
        } catch (const SimulatedCrash &) {
        }
        portal.reopen();
        const Files after = published();
        EXPECT_TRUE(after == old || after == activated) << "crash at call " << n;
        EXPECT_TRUE(portal.leftovers().empty()) << "crash at call " << n;
        if (!faults->fired()) {
            EXPECT_EQ(after, old);
            break;
        }
    }
}

TEST_F(ActivationBatchTest, AFailedBatchLeavesEveryPublishedFileAsItWas)
{
    auto faults = std::make_shared<FileFaults>();
    const std::size_t entries = publishing()->HistoryEntries().size();
    faults->failAt(FileFaults::Op::Rename, 4, 28); // ENOSPC, in the middle of the renames
    activate(portal.reopen(faults));
    EXPECT_TRUE(faults->fired());
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12538}) << prompter.describe();
    EXPECT_EQ(published(), old);
    EXPECT_TRUE(portal.leftovers().empty());
    EXPECT_EQ(publishing()->HistoryEntries().size(), entries);
}

TEST_F(ActivationBatchTest, AFailedPartContributesNothingAndTheOthersArePublished)
{
    activate(portal.env());
    const Files activated = published();
    restore(old);
    prompter.clear();

    // The third part fails at its second file: its first file (global.css) is not published either.
    test::FaultPlan plan;
    plan.failWrites = {"menu.css"};
    activate(test::withFaults(portal.env(), plan));
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12538}) << prompter.describe();
    Files expected = old;
    for (const char *script :
         {"_KwInclude/KwCompany/KwStyles.asp", "_KwInclude/KwCompany/LayoutSettings.asp"})
        expected[script] = activated.at(script);
    EXPECT_EQ(published(), expected);

    restore(old);
    prompter.clear();
    plan.failWrites = {"KwStyles.asp"};
    activate(test::withFaults(portal.env(), plan));
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12595}) << prompter.describe();
    expected = activated;
    expected["_KwInclude/KwCompany/KwStyles.asp"] = old.at("_KwInclude/KwCompany/KwStyles.asp");
    EXPECT_EQ(published(), expected);
}

TEST_F(ActivationBatchTest, TheHistoryNamesTheLayoutAndUserAndKeepsWhatWasReplaced)
{
    activate(portal.env());
    const auto entries = publishing()->HistoryEntries();
    ASSERT_GE(entries.size(), 2u);
    EXPECT_EQ(entries[0].layout, "Herbst");
    EXPECT_EQ(entries[0].user, "admin");
    std::map<std::string, std::string> replaced;
    for (const auto &file : publishing()->HistoryFiles(entries[0].id))
        replaced[file.path] = std::string(file.contents->begin(), file.contents->end());
    EXPECT_EQ(replaced, old);
}

// The company settings' mark goes only once the batch that carries MainLogo.asp and welcome.asp is
// published: a commit that fails keeps it, and the next save asks again and publishes them.
TEST_F(ActivationBatchTest, TheCompanyMarkStaysWhenTheCommitFails)
{
    auto faults = std::make_shared<FileFaults>();
    LayoutDocument document(portal.reopen(faults), prompter, chooser, wait);
    ASSERT_TRUE(document.openLayout("global.css")) << prompter.describe();
    const std::string logoBefore = portal.read("_KwStyle/MainLogo.asp");
    const std::string welcomeBefore = portal.read("_KwStyle/welcome.asp");
    document.companySettings().changed = true;
    document.companySettings().logoFile = "header.jpg";
    document.companySettings().shownWelcome = "Neu";
    document.setModified(true);
    faults->failAt(FileFaults::Op::Rename, 3, 28); // ENOSPC among the commit's renames
    prompter.answerYes();
    document.saveLayout(false);
    EXPECT_TRUE(faults->fired());
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12538}) << prompter.describe();
    EXPECT_EQ(portal.read("_KwStyle/MainLogo.asp"), logoBefore);
    EXPECT_EQ(portal.read("_KwStyle/welcome.asp"), welcomeBefore);
    EXPECT_TRUE(document.companySettings().changed) << "the portal has not got the logo yet";
    EXPECT_TRUE(document.isModified()) << "nothing was published";
    EXPECT_EQ(document.history().savedPosition(), std::optional<std::size_t>{});

    faults->reset();
    prompter.clear();
    prompter.answerYes();
    document.setModified(true);
    document.saveLayout(false);
    EXPECT_EQ(prompter.questions().size(), 1u) << prompter.describe();
    EXPECT_TRUE(prompter.errorIds().empty()) << prompter.describe();
    EXPECT_EQ(portal.read("_KwStyle/MainLogo.asp"), "<%\r\nstrCompanyLogo = \"header.jpg\"\r\n%>\r\n");
    EXPECT_EQ(portal.read("_KwStyle/welcome.asp"), "<%\r\nl_strWelcome = \"Neu\"\r\n%>\r\n");
    EXPECT_FALSE(document.companySettings().changed);
    EXPECT_FALSE(document.isModified());
}

// Question 12560 is on screen while no batch holds the portal's write lock: another program may go on
// writing meanwhile instead of waiting for the answer and timing out.
TEST_F(ActivationBatchTest, TheCompanyQuestionIsAskedWhileThePortalIsNotLocked)
{
    LayoutDocument document(portal.env(), prompter, chooser, wait);
    ASSERT_TRUE(document.openLayout("global.css")) << prompter.describe();
    document.companySettings().changed = true;
    document.companySettings().logoFile = "header.jpg";
    std::vector<bool> lockFree;
    prompter.onAsk = [&](std::string_view) {
        const int fd = ::open((portal.root() / "KwPortal.lock").c_str(), O_RDONLY | O_CLOEXEC);
        lockFree.push_back(fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0);
        ::close(fd);
    };
    prompter.answerNo(); // asked again, where building the menu tree asks
    prompter.answerYes();
    document.commandSave();
    EXPECT_EQ(lockFree, (std::vector<bool>{true, true}));
    EXPECT_EQ(portal.read("_KwStyle/MainLogo.asp"), "<%\r\nstrCompanyLogo = \"header.jpg\"\r\n%>\r\n");
    EXPECT_FALSE(document.companySettings().changed);
}

// A welcome text that the scripts cannot hold is refused before the batch takes the lock, with a message
// that names the welcome text; the layout is published without it and the company settings stay marked.
TEST_F(ActivationBatchTest, AnUnwritableWelcomeTextIsRefusedBeforeTheBatchAndNamed)
{
    LayoutDocument document(portal.env(), prompter, chooser, wait);
    ASSERT_TRUE(document.openLayout("global.css")) << prompter.describe();
    const std::string logoBefore = portal.read("_KwStyle/MainLogo.asp");
    document.companySettings().changed = true;
    document.companySettings().logoFile = "header.jpg";
    document.companySettings().shownWelcome = "Grüße ☃";
    std::vector<bool> lockFree;
    prompter.onError = [&](StringId) {
        const int fd = ::open((portal.root() / "KwPortal.lock").c_str(), O_RDONLY | O_CLOEXEC);
        lockFree.push_back(fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0);
        ::close(fd);
    };
    prompter.answerYes();
    document.commandSave();
    ASSERT_EQ(prompter.errorIds(), std::vector<int>{12556}) << prompter.describe();
    EXPECT_EQ(lockFree, std::vector<bool>{true});
    const std::string &told = prompter.events().back().serverMessage;
    EXPECT_NE(told.find("Begrüssungstext"), std::string::npos) << told;
    EXPECT_NE(told.find("☃"), std::string::npos) << told;
    EXPECT_EQ(portal.read("_KwStyle/MainLogo.asp"), logoBefore);
    EXPECT_TRUE(document.companySettings().changed);
    EXPECT_TRUE(prompter.allAnswersUsed());
}

} // namespace
} // namespace kw::layout
