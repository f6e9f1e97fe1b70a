// The start pages: the script's exact bytes, lenient reading, and OK's question, page-content record and
// write, on a real temporary portal.
#include "portalsettings/PortalStartPage.h"

#include "FaultInjection.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <gtest/gtest.h>

namespace kw::test {
namespace {

using namespace kw::portalsettings;

constexpr const char *kScriptPath = "_KwInclude\\KwCompany\\KwStartPage.asp";
constexpr const char *kQuestion = "Wollen Sie die Startseite(n) wirklich ändern?";

std::string script(const std::string &anonymous, const std::string &main)
{
    return "<%\r\nl_strAnoTarget = \"" + anonymous + "\"\r\nl_strMainTarget = \"" + main + "\"\r\n%>\r\n";
}

TEST(StartPageScript, ExactBytesForEachChoice)
{
    struct Case {
        StartPageValues values;
        std::string anonymous, main;
    };
    const Case cases[] = {
        {{}, "KwApplications/KwArea/KwPortlets.asp", "KwApplications/KwArea/KwPortlets.asp"},
        {{{CustomPageContent, "ignored.asp"}, {StandardStartPage, "ignored.asp"}},
         "KwApplications/KwArea/KwCustomMenu.asp",
         "KwApplications/KwArea/KwPortlets.asp"},
        // A bare file name gets the prefix; a path with a slash or a backslash is written as entered.
        {{{AlternativeStartPage, "Welcome.asp"}, {AlternativeStartPage, "../Other/Start.htm"}},
         "KwApplications/KwArea/Welcome.asp",
         "../Other/Start.htm"},
        {{{AlternativeStartPage, "Sub\\Page.html"}, {CustomPageContent, {}}},
         "Sub\\Page.html",
         "KwApplications/KwArea/KwCustomMenu.asp"},
        {{{AlternativeStartPage, ""}, {}}, "KwApplications/KwArea/", "KwApplications/KwArea/KwPortlets.asp"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(composeStartPageScript(c.values), script(c.anonymous, c.main)) << c.anonymous;
}

TEST(StartPageScript, ReadingClassifiesTheTargets)
{
    struct Case {
        const char *name;
        std::string text;
        StartPageValues values;
    };
    const Case cases[] = {
        {"own script, alternative page shown without the prefix",
         script("KwApplications/KwArea/KwPortlets.asp", "KwApplications/KwArea/Home.asp"),
         {{}, {AlternativeStartPage, "Home.asp"}}},
        {"comparisons ignore case",
         script("kwapplications/kwarea/kwportlets.asp", "KWAPPLICATIONS/KWAREA/KWCUSTOMMENU.ASP"),
         {{}, {CustomPageContent, {}}}},
        {"the prefix is cut off a page directly in the folder",
         script("kwApplications/kwarea/x.htm", "../elsewhere/y.asp"),
         {{AlternativeStartPage, "x.htm"}, {AlternativeStartPage, "../elsewhere/y.asp"}}},
        {"a page in a sub-folder keeps its whole path",
         script("KwApplications/KwArea/sub/x.asp", "KwApplications/KwArea/a\\b.asp"),
         {{AlternativeStartPage, "KwApplications/KwArea/sub/x.asp"},
          {AlternativeStartPage, "KwApplications/KwArea/a\\b.asp"}}},
        {"doubled quotes and spelled parts are read as the text they mean",
         "<%\r\nl_strAnoTarget = \"a\"\"b%\" & \">.asp\"\r\nl_strMainTarget = \"x\" & vbCrLf & \"y\"\r\n%>",
         {{AlternativeStartPage, "a\"b%>.asp"}, {AlternativeStartPage, "x\r\ny"}}},
        {"an address shorter than the prefix",
         script("KwApp", ""),
         {{AlternativeStartPage, "KwApp"}, {AlternativeStartPage, ""}}},
        {"the prefix alone leaves an empty page",
         script("KwApplications/KwArea/", "KwApplications/KwArea/KwPortlets.asp"),
         {{AlternativeStartPage, ""}, {}}},
        {"variables in other order, junk around",
         "x l_strMainTarget junk = junk \"KwApplications/KwArea/KwCustomMenu.asp\" \"y\"\n"
         "l_strAnoTarget==\"a.asp\"",
         {{AlternativeStartPage, "a.asp"}, {CustomPageContent, {}}}},
        {"without the anonymous variable nothing is taken",
         "l_strMainTarget = \"KwApplications/KwArea/KwCustomMenu.asp\"",
         {}},
        {"without the anonymous variable's equals sign nothing is taken",
         "l_strMainTarget = \"KwApplications/KwArea/KwCustomMenu.asp\" l_strAnoTarget",
         {}},
        {"a variable without a pair of quotes is skipped",
         "l_strMainTarget = \"Main.asp\"\nl_strAnoTarget = KwCustomMenu.asp",
         {{}, {AlternativeStartPage, "Main.asp"}}},
        // The main variable's search starts at the text's beginning: its "=" is the first after its name.
        {"a single quote pair belongs to the first variable that finds it",
         "l_strAnoTarget = \"Only.asp",
         {}},
        {"the main variable missing",
         "l_strAnoTarget=\"KwApplications/KwArea/KwCustomMenu.asp\"",
         {{CustomPageContent, {}}, {}}},
        {"variable names are case-sensitive", script("a.asp", "b.asp").replace(4, 1, "L"), {}},
        {"empty text", "", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(parseStartPageScript(c.text), c.values) << c.name;

    // A page that holds the other variable's name is no place to find that variable.
    const StartPageValues tricky{{AlternativeStartPage, "x l_strMainTarget = \"y\".asp"},
                                 {AlternativeStartPage, "l_strAnoTarget=\"z\""}};
    EXPECT_EQ(parseStartPageScript(composeStartPageScript(tricky)), tricky);
}

TEST(StartPageScript, ListProposesOnlyBareFileNames)
{
    EXPECT_EQ(proposedListFile("Home.asp"), "Home.asp");
    EXPECT_EQ(proposedListFile("../x/Home.asp"), "");
    EXPECT_EQ(proposedListFile("x\\Home.asp"), "");
}

class PortalStartPageTest : public ::testing::Test {
protected:
    TempPortal portal{false};
    ScriptedPrompter prompter;

    std::string stored() const { return portal.read(kScriptPath); }
    bool pageContentRecord()
    {
        server::Ref<server::IRights> rights = server::createObject<server::IRights>(portal.factory());
        rights->RightsInit(portal.session(), 1);
        return rights->RightsHas(kStartPageContentId, kStartPageContentKind);
    }
};

TEST_F(PortalStartPageTest, ReadsTheScriptAndReportsAMissingOne)
{
    PortalStartPage missing(portal.env(), prompter);
    EXPECT_FALSE(missing.read());
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12578});
    EXPECT_EQ(missing.controls, StartPageValues{});

    prompter.clear();
    portal.write(kScriptPath,
                 script("KwApplications/KwArea/KwCustomMenu.asp", "KwApplications/KwArea/Home.asp"));
    PortalStartPage page(portal.env(), prompter);
    EXPECT_TRUE(page.read());
    EXPECT_EQ(page.controls, (StartPageValues{{CustomPageContent, {}}, {AlternativeStartPage, "Home.asp"}}));
    EXPECT_FALSE(page.changed());
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();

    // A read error while the file is there: 12578 and the controls keep what they held.
    FaultPlan unreadable;
    unreadable.failReads = {"kwstartpage.asp"};
    PortalStartPage faulty(withFaults(portal.env(), unreadable), prompter);
    faulty.controls.main = {AlternativeStartPage, "kept.asp"};
    EXPECT_FALSE(faulty.read());
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12578});
    EXPECT_EQ(faulty.controls.main, (StartPageTarget{AlternativeStartPage, "kept.asp"}));
}

TEST_F(PortalStartPageTest, OkWithoutChangeOrWithNoWritesNothing)
{
    portal.write(kScriptPath, "marker");
    PortalStartPage unchanged(portal.env(), prompter);
    unchanged.read();
    unchanged.controls.main.choice = CustomPageContent; // not through an edit: no change
    EXPECT_EQ(unchanged.accept(), PortalStartPage::Outcome::Unchanged);
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();

    PortalStartPage declined(portal.env(), prompter);
    declined.read();
    declined.controls.main.choice = CustomPageContent;
    declined.edited();
    prompter.answerNo();
    EXPECT_EQ(declined.accept(), PortalStartPage::Outcome::Declined);
    EXPECT_EQ(prompter.questions(), std::vector<std::string>{kQuestion});
    EXPECT_EQ(stored(), "marker");
    EXPECT_FALSE(pageContentRecord());
    EXPECT_TRUE(declined.changed());
}

TEST_F(PortalStartPageTest, OkKeepsThePageContentRecordInStepAndWritesTheScript)
{
    // User-defined page content for one group creates the record.
    PortalStartPage custom(portal.env(), prompter);
    custom.controls = {{CustomPageContent, {}}, {AlternativeStartPage, "Home.asp"}};
    custom.edited();
    prompter.answerYes();
    EXPECT_EQ(custom.accept(), PortalStartPage::Outcome::Written);
    EXPECT_TRUE(pageContentRecord());
    EXPECT_EQ(stored(), script("KwApplications/KwArea/KwCustomMenu.asp", "KwApplications/KwArea/Home.asp"));
    EXPECT_FALSE(custom.changed());

    // Still wanted by the other group: the record stays (and is not created twice).
    PortalStartPage other(portal.env(), prompter);
    other.controls = {{}, {CustomPageContent, {}}};
    other.edited();
    prompter.answerYes();
    EXPECT_EQ(other.accept(), PortalStartPage::Outcome::Written);
    EXPECT_TRUE(pageContentRecord());

    // Both away from it: the record goes.
    PortalStartPage away(portal.env(), prompter);
    away.read();
    away.controls.main.choice = StandardStartPage;
    away.edited();
    prompter.answerYes();
    EXPECT_EQ(away.accept(), PortalStartPage::Outcome::Written);
    EXPECT_FALSE(pageContentRecord());
    EXPECT_EQ(stored(),
              script("KwApplications/KwArea/KwPortlets.asp", "KwApplications/KwArea/KwPortlets.asp"));
    EXPECT_TRUE(prompter.allAnswersUsed());
}

// Changing only the anonymous visitors' choice writes the other users' page in a sub-folder back as it
// stood, so the portal still finds it.
TEST_F(PortalStartPageTest, APageInASubFolderKeepsItsPath)
{
    portal.write(kScriptPath,
                 script("KwApplications/KwArea/KwPortlets.asp", "KwApplications/KwArea/sub/x.asp"));
    PortalStartPage startPage(portal.env(), prompter);
    ASSERT_TRUE(startPage.read());
    startPage.controls.anonymous.choice = CustomPageContent;
    startPage.edited();
    prompter.answerYes();
    EXPECT_EQ(startPage.accept(), PortalStartPage::Outcome::Written);
    EXPECT_EQ(stored(), script("KwApplications/KwArea/KwCustomMenu.asp", "KwApplications/KwArea/sub/x.asp"));
}

// A page the script's Windows-1252 cannot hold is refused before the question; a quote or "%>" is not.
TEST_F(PortalStartPageTest, APageTheScriptCannotHoldIsRefusedAndOthersAreSpelledSafely)
{
    const std::string before =
        script("KwApplications/KwArea/KwPortlets.asp", "KwApplications/KwArea/Home.asp");
    portal.write(kScriptPath, before);
    PortalStartPage startPage(portal.env(), prompter);
    startPage.read();
    startPage.controls.main = {AlternativeStartPage, "Schnee☃.asp"};
    startPage.edited();
    EXPECT_EQ(startPage.accept(), PortalStartPage::Outcome::Refused);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_NE(prompter.messages()[0].find("Windows-1252"), std::string::npos);
    EXPECT_TRUE(prompter.questions().empty());
    EXPECT_EQ(stored(), before);

    startPage.controls.main = {AlternativeStartPage, "Sag \"Hallo\" %>.asp"};
    prompter.answerYes();
    EXPECT_EQ(startPage.accept(), PortalStartPage::Outcome::Written);
    EXPECT_EQ(stored(),
              "<%\r\nl_strAnoTarget = \"KwApplications/KwArea/KwPortlets.asp\"\r\n"
              "l_strMainTarget = \"KwApplications/KwArea/Sag \"\"Hallo\"\" %\" & \">.asp\"\r\n%>\r\n");
    PortalStartPage again(portal.env(), prompter);
    again.read();
    EXPECT_EQ(again.controls.main, (StartPageTarget{AlternativeStartPage, "Sag \"Hallo\" %>.asp"}));
}

TEST_F(PortalStartPageTest, AWriteErrorIsReportedAndTheRecordChangeStays)
{
    portal.write(kScriptPath, "marker");
    FaultPlan unwritable;
    unwritable.failWrites = {"KwStartPage.asp"};
    PortalStartPage page(withFaults(portal.env(), unwritable), prompter);
    page.controls.anonymous.choice = CustomPageContent;
    page.edited();
    prompter.answerYes();
    EXPECT_EQ(page.accept(), PortalStartPage::Outcome::Failed);
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{59011});
    EXPECT_EQ(stored(), "marker");
    EXPECT_TRUE(pageContentRecord());
    EXPECT_TRUE(page.changed());
}

} // namespace
} // namespace kw::test
