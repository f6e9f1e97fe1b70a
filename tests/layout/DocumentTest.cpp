// The document against a real local portal: loading, the save flows with their questions, server errors
// in each part of a save, company settings and the layout list.
#include "layout/LayoutDocument.h"
#include "layout/LayoutList.h"
#include "publish/CompanyScripts.h"

#include "FaultInjection.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <gtest/gtest.h>

namespace kw::layout {
namespace {

using test::ScriptedPrompter;

const char *const kActiveFiles[] = {"_KwStyle/global.css",
                                    "_KwStyle/menu.css",
                                    "_KwStyle/buttonstyles.css",
                                    "_KwStyle/rollover.asp",
                                    "_KwInclude/KwCompany/KwStyles.asp",
                                    "_KwInclude/KwCompany/LayoutSettings.asp"};

class ScriptedChooser final : public LayoutChooser {
public:
    std::optional<std::string> openAnswer, saveAnswer;
    int saveCalls = 0;
    std::optional<std::string> chooseForOpen() override { return openAnswer; }
    std::optional<std::string> chooseForSave() override
    {
        ++saveCalls;
        return saveAnswer;
    }
};

class DocumentTest : public ::testing::Test {
protected:
    test::TempPortal portal{true};
    ScriptedPrompter prompter;
    ScriptedChooser chooser;
    NoWaitIndicator wait;
    test::FaultPlan faults;
    server::Environment env = test::withFaults(portal.env(), faults);
    LayoutDocument document{env, prompter, chooser, wait};

    // Publishes the default layout once, so that the active files exist.
    void publishDefault()
    {
        document.setName("global.css");
        document.saveLayout(false);
        prompter.clear();
    }
    std::map<std::string, std::string> activeFiles() const
    {
        std::map<std::string, std::string> files;
        for (const char *f : kActiveFiles)
            files[f] = portal.exists(f) ? portal.read(f) : "<missing>";
        return files;
    }
};

TEST_F(DocumentTest, NewLayoutSavedByCommandIsNamedThenPublished)
{
    document.commandNew();
    ASSERT_TRUE(document.isNew());
    document.model().setSwitch(&PaneSwitches::showLogo, true);
    chooser.saveAnswer = "Test.kwc";
    document.commandSave();
    EXPECT_TRUE(prompter.questions().empty()); // the save command asks no name question
    EXPECT_EQ(chooser.saveCalls, 1);
    EXPECT_TRUE(portal.exists("_KwTemplates/Test.kwc"));
    for (const char *f : kActiveFiles)
        EXPECT_TRUE(portal.exists(f)) << f;
    EXPECT_FALSE(document.isNew());
    EXPECT_TRUE(document.isActive());
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.layoutLabel(), "Layout: Aktives Layout");
    EXPECT_NE(portal.read("_KwInclude/KwCompany/KwStyles.asp").find("g_bShowLogo\")\t\t\t = true"),
              std::string::npos);
}

TEST_F(DocumentTest, NewLayoutSavedAsActiveAsksForAName)
{
    document.commandNew();
    prompter.answerYes(); // really make it active?
    prompter.answerNo();  // a new layout needs a name: no
    document.commandSaveAsActive();
    EXPECT_EQ(prompter.questions(),
              (std::vector<std::string>{std::string(loadString(StringId::AskSaveAsActive)),
                                        std::string(loadString(StringId::NewLayoutNeedsName))}));
    EXPECT_EQ(chooser.saveCalls, 0);
    EXPECT_FALSE(document.saved());
    EXPECT_EQ(document.name(), "");
    for (const char *f : kActiveFiles)
        EXPECT_FALSE(portal.exists(f)) << f;
}

TEST_F(DocumentTest, SaveAsOnTheActiveLayoutLeavesThePortalAlone)
{
    publishDefault();
    ASSERT_TRUE(document.openLayout("global.css"));
    const auto before = activeFiles();
    document.model().region(RegionId::KwPics).backgroundColor = rgb(1, 2, 3);
    chooser.saveAnswer = "Kopie.kwc";
    document.commandSaveAs();
    EXPECT_EQ(activeFiles(), before);
    EXPECT_NE(portal.read("_KwTemplates/Kopie.kwc").find("#010203"), std::string::npos);
    EXPECT_EQ(document.title(), "Kopie");
    EXPECT_FALSE(document.isActive());
}

TEST_F(DocumentTest, SaveAsAsksForANewNameAndLeavesTheOldFile)
{
    publishDefault();
    document.setName("Blau.kwc");
    document.saveLayout(false);
    const std::string original = portal.read("_KwTemplates/Blau.kwc");
    ASSERT_TRUE(document.openLayout("Blau.kwc")) << prompter.describe();
    document.model().page().linkColor = rgb(9, 8, 7);

    chooser.saveAnswer = std::nullopt; // cancelled: nothing is written
    document.commandSaveAs();
    EXPECT_EQ(chooser.saveCalls, 1);
    EXPECT_FALSE(portal.exists("_KwTemplates/Neu.kwc"));
    EXPECT_EQ(document.name(), "Blau.kwc");

    chooser.saveAnswer = "Neu.kwc";
    document.commandSaveAs();
    EXPECT_EQ(chooser.saveCalls, 2);
    EXPECT_NE(portal.read("_KwTemplates/Neu.kwc").find("#090807"), std::string::npos);
    EXPECT_EQ(portal.read("_KwTemplates/Blau.kwc"), original);
    EXPECT_EQ(document.name(), "Neu.kwc");
    EXPECT_EQ(document.title(), "Neu");
}

TEST_F(DocumentTest, SavingAgainOpensTheExistingFile)
{
    document.setName("Blau.kwc");
    document.saveLayout(false);
    document.model().page().linkColor = rgb(9, 8, 7);
    document.saveLayout(false);
    EXPECT_NE(portal.read("_KwTemplates/Blau.kwc").find("#090807"), std::string::npos);
    EXPECT_FALSE(portal.exists("_KwTemplates/Blau_1.kwc"));
    EXPECT_FALSE(portal.exists("_KwStyle/global.css")); // a named layout publishes nothing
}

TEST_F(DocumentTest, SaveAsActiveOnTheActiveLayoutAsksNothing)
{
    publishDefault();
    ASSERT_TRUE(document.openLayout("global.css"));
    document.commandSaveAsActive();
    EXPECT_TRUE(prompter.questions().empty());
    EXPECT_TRUE(document.saved());
}

TEST_F(DocumentTest, ClosingAChangedLayoutAsks)
{
    publishDefault();
    document.setName("Blau.kwc");
    document.saveLayout(false);
    const std::string stored = portal.read("_KwTemplates/Blau.kwc");
    ASSERT_TRUE(document.openLayout("Blau.kwc")) << prompter.describe();
    document.model().page().linkColor = rgb(9, 8, 7);
    document.setModified(true);
    prompter.answerNo();
    document.commandNew();
    EXPECT_EQ(portal.read("_KwTemplates/Blau.kwc"), stored); // the change was discarded
    EXPECT_TRUE(document.isNew());
    EXPECT_EQ(document.model().page().linkColor, rgb(0x48, 0x90, 0x88));

    ASSERT_TRUE(document.openLayout("Blau.kwc")) << prompter.describe();
    document.model().page().linkColor = rgb(9, 8, 7);
    document.setModified(true);
    prompter.answerYes();
    chooser.openAnswer = std::nullopt; // open cancelled after the save
    document.commandOpen();
    EXPECT_NE(portal.read("_KwTemplates/Blau.kwc").find("#090807"), std::string::npos);
    EXPECT_FALSE(document.isOpen());
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST_F(DocumentTest, CleanUpAsksOnlyForAChangedLayoutAndKeepsThePanes)
{
    publishDefault();
    document.setName("Blau.kwc");
    document.saveLayout(false);
    ASSERT_TRUE(document.openLayout("Blau.kwc")) << prompter.describe();
    // A value that counts as saved, so that the panes show whether they were reloaded.
    document.history().adoptSavedChange([&] { document.model().page().linkColor = rgb(9, 8, 7); });
    document.cleanUp(); // unchanged: nothing asked
    EXPECT_TRUE(prompter.questions().empty());
    EXPECT_TRUE(document.isNew());
    EXPECT_FALSE(document.isOpen());
    EXPECT_EQ(document.name(), "");
    EXPECT_EQ(document.model().page().linkColor, rgb(9, 8, 7)); // the panes are not reloaded

    ASSERT_TRUE(document.openLayout("Blau.kwc"));
    document.model().page().linkColor = rgb(9, 8, 7);
    document.setModified(true);
    document.setNew(false);
    prompter.answerYes();
    document.cleanUp();
    EXPECT_EQ(prompter.questions().size(), 1u);
    EXPECT_NE(portal.read("_KwTemplates/Blau.kwc").find("#090807"), std::string::npos);
    EXPECT_FALSE(document.isModified());
}

// A save that wrote nothing leaves the layout modified: the saved step stays where it was, and leaving
// asks again after every failed Yes until the user says No.
TEST_F(DocumentTest, AFailedSaveKeepsTheMarkAndLeavingStillAsks)
{
    publishDefault();
    document.setName("Blau.kwc");
    document.saveLayout(false);
    const std::string stored = portal.read("_KwTemplates/Blau.kwc");
    ASSERT_TRUE(document.openLayout("Blau.kwc")) << prompter.describe();
    document.history().record("Allgemein bearbeiten",
                              [&] { document.model().page().linkColor = rgb(9, 8, 7); });
    prompter.clear();
    faults.failWrites = {"Blau.kwc"};
    document.commandSave();
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12538}) << prompter.describe();
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.history().savedPosition(), std::optional<std::size_t>{})
        << "no step holds what the server has";
    document.history().undo();
    EXPECT_TRUE(document.isModified()) << "the server's state is not known after a failed save";
    document.history().redo();

    prompter.clear();
    prompter.answerYes(); // the save fails again
    prompter.answerNo();
    document.close();
    EXPECT_EQ(prompter.questions().size(), 2u) << prompter.describe();
    EXPECT_EQ(portal.read("_KwTemplates/Blau.kwc"), stored);
    EXPECT_TRUE(prompter.allAnswersUsed());

    ASSERT_TRUE(document.openLayout("Blau.kwc")) << prompter.describe();
    document.history().record("Allgemein bearbeiten",
                              [&] { document.model().page().linkColor = rgb(9, 8, 7); });
    faults.failWrites.clear();
    prompter.clear();
    prompter.answerYes();
    document.close();
    EXPECT_EQ(prompter.questions().size(), 1u) << prompter.describe();
    EXPECT_NE(portal.read("_KwTemplates/Blau.kwc").find("#090807"), std::string::npos);
}

TEST_F(DocumentTest, RemovedNavTopMakesLeavingSaveWithoutAsking)
{
    publishDefault();
    portal.write("_KwStyle/NavTop.asp", "<% l_strNavTop = \"x.gif\" %>");
    portal.write("_KwStyle/menu.css", "");
    ASSERT_TRUE(document.openLayout("global.css"));
    EXPECT_TRUE(document.navTopRemoved());
    EXPECT_FALSE(portal.exists("_KwStyle/NavTop.asp"));
    document.close();
    EXPECT_TRUE(prompter.questions().empty());
    EXPECT_NE(portal.read("_KwStyle/menu.css"), ""); // written again
    EXPECT_FALSE(document.navTopRemoved());
}

TEST_F(DocumentTest, LoadingReportsMissingFilesAndSkipsOptionalOnes)
{
    EXPECT_FALSE(document.openLayout("Fehlt.kwc"));
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{static_cast<int>(StringId::LayoutNotRead)});
    prompter.clear();

    publishDefault();
    std::filesystem::remove(portal.local("_KwStyle/menu.css"));
    std::filesystem::remove(portal.local("_KwStyle/buttonstyles.css"));
    EXPECT_TRUE(document.openLayout("global.css"));
    EXPECT_TRUE(prompter.events().empty());
    EXPECT_EQ(document.title(), "Aktives Layout");

    // The settings script is not optional: without it the layout is not read.
    std::filesystem::remove(portal.local("_KwInclude/KwCompany/LayoutSettings.asp"));
    EXPECT_FALSE(document.openLayout("global.css"));
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{static_cast<int>(StringId::LayoutNotRead)});
}

// One part of the save fails; it writes nothing, the others are still written and the layout counts as
// saved.
struct PartFailure {
    const char *failingFile;
    StringId message;
    std::vector<std::string> written;   // files that must have changed
    std::vector<std::string> untouched; // files that must be exactly as before
};

class SavePartTest : public DocumentTest, public ::testing::WithParamInterface<PartFailure> {};

TEST_P(SavePartTest, ReportsItsOwnErrorAndGoesOn)
{
    const PartFailure &part = GetParam();
    publishDefault();
    const auto before = activeFiles();
    document.model().region(RegionId::KwRootNavigate).hoverColor = rgb(0x12, 0x34, 0x56);
    document.model().region(RegionId::KwRootTop).showFavorites = true;
    faults.failWrites = {part.failingFile};
    document.saveLayout(false);
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{static_cast<int>(part.message)});
    EXPECT_TRUE(document.saved());
    const auto after = activeFiles();
    for (const std::string &f : part.written)
        EXPECT_NE(after.at(f), before.at(f)) << f;
    for (const std::string &f : part.untouched)
        EXPECT_EQ(after.at(f), before.at(f)) << f;
}

INSTANTIATE_TEST_SUITE_P(
    Parts, SavePartTest,
    ::testing::Values(PartFailure{"KwStyles.asp",
                                  StringId::SpecialFormatsNotSaved,
                                  {"_KwInclude/KwCompany/LayoutSettings.asp", "_KwStyle/global.css",
                                   "_KwStyle/rollover.asp"},
                                  {"_KwInclude/KwCompany/KwStyles.asp"}},
                      PartFailure{"LayoutSettings.asp",
                                  StringId::FormatExtensionsNotSaved,
                                  {"_KwStyle/global.css", "_KwStyle/menu.css"},
                                  {"_KwInclude/KwCompany/LayoutSettings.asp"}},
                      PartFailure{"global.css",
                                  StringId::LayoutNotSaved,
                                  {"_KwInclude/KwCompany/LayoutSettings.asp"},
                                  {"_KwStyle/global.css", "_KwStyle/menu.css", "_KwStyle/rollover.asp"}},
                      // The failing part contributes nothing: global.css, written
                      // before menu.css, is not published either.
                      PartFailure{"menu.css",
                                  StringId::LayoutNotSaved,
                                  {"_KwInclude/KwCompany/LayoutSettings.asp"},
                                  {"_KwStyle/global.css", "_KwStyle/menu.css", "_KwStyle/buttonstyles.css",
                                   "_KwStyle/rollover.asp"}}),
    [](const ::testing::TestParamInfo<PartFailure> &part) {
        std::string name = part.param.failingFile;
        name.erase(name.find('.'), 1);
        return name;
    });

TEST_F(DocumentTest, FailedLanguageReloadIsReported)
{
    faults.failReload = true;
    document.setName("Blau.kwc");
    document.saveLayout(false);
    EXPECT_EQ(prompter.messages(),
              std::vector<std::string>{std::string(loadString(StringId::LanguageTextsNotReloaded))});
    EXPECT_TRUE(portal.exists("_KwTemplates/Blau.kwc"));
}

TEST_F(DocumentTest, NamedLayoutKeepsLoadedButtonStyles)
{
    publishDefault();
    portal.write("_KwTemplates/Knopf.kwc", "INPUT.KwButtonCancel { HEIGHT: 33px; }");
    ASSERT_TRUE(document.openLayout("Knopf.kwc")) << prompter.describe();
    EXPECT_TRUE(document.flags().buttonStylesLoaded);
    EXPECT_EQ(document.model().buttons().find("KwButtonCancel")->height, 33);
    document.saveLayout(false);
    const std::string saved = portal.read("_KwTemplates/Knopf.kwc");
    EXPECT_NE(saved.find("INPUT.KwButtonCancel"), std::string::npos);
    EXPECT_NE(saved.find("HEIGHT: 33px"), std::string::npos);
}

TEST_F(DocumentTest, ALayoutWithoutACornerPictureKeepsNoneWhenPublished)
{
    publishDefault();
    portal.write("_KwTemplates/Schlicht.kwc", "BODY { COLOR: #102030; }");
    ASSERT_TRUE(document.openLayout("Schlicht.kwc")) << prompter.describe();
    EXPECT_EQ(document.model().region(RegionId::KwPics).backgroundImage, "");
    document.setName("global.css");
    document.saveLayout(false);
    for (const char *sheet : {"_KwStyle/global.css", "_KwStyle/menu.css"})
        EXPECT_EQ(portal.read(sheet).find("backgrnd_CornerImage"), std::string::npos) << sheet;
}

TEST_F(DocumentTest, AnUnknownButtonAlignmentIsPublishedAsCenterAndKeptSo)
{
    publishDefault();
    ASSERT_TRUE(document.openLayout("global.css")) << prompter.describe();
    document.model().buttons().find("KwButtonCancel")->textAlign = 7;
    document.flags().buttonStylesLoaded = true; // the rules are published only for loaded styles
    document.setModified(true);
    document.saveLayout(false);
    const std::string css = portal.read("_KwStyle/buttonstyles.css");
    const auto rule = css.find("INPUT.KwButtonCancel");
    ASSERT_NE(rule, std::string::npos) << css;
    EXPECT_EQ(css.substr(css.find("TEXT-ALIGN", rule), 19), "TEXT-ALIGN: center;");
    EXPECT_EQ(document.model().buttons().find("KwButtonCancel")->textAlign, 0);
}

TEST_F(DocumentTest, ChangedCompanySettingsArePublishedOnYes)
{
    document.setName("global.css");
    document.companySettings().changed = true;
    document.companySettings().logoFile = "logo.png";
    document.companySettings().shownWelcome = "Sag \"Hallo\"";
    prompter.answerYes();
    document.saveLayout(false);
    EXPECT_EQ(prompter.questions().size(), 1u); // not asked again for menu.css
    EXPECT_EQ(portal.read("_KwStyle/MainLogo.asp"), "<%\r\nstrCompanyLogo = \"logo.png\"\r\n%>\r\n");
    EXPECT_EQ(portal.read("_KwStyle/welcome.asp"), "<%\r\nl_strWelcome = \"Sag \"\"Hallo\"\"\"\r\n%>\r\n");
    EXPECT_FALSE(document.companySettings().changed);
}

TEST_F(DocumentTest, ChangedCompanySettingsAskTwiceOnNo)
{
    document.setName("global.css");
    document.companySettings().changed = true;
    prompter.answerNo();
    prompter.answerNo();
    document.saveLayout(false);
    EXPECT_EQ(prompter.questions().size(), 2u); // layout file, then menu.css
    EXPECT_FALSE(portal.exists("_KwStyle/MainLogo.asp"));
    EXPECT_TRUE(document.companySettings().changed);
}

TEST(CompanySettingsTest, LiteralWelcomeIsMovedIntoTheLanguageTexts)
{
    test::TempPortal portal;
    ScriptedPrompter prompter;
    server::Ref<server::IFileService> files = server::createObject<server::IFileService>(portal.factory());
    files->AttachSession(portal.session());
    files->ExecuteSql("DELETE FROM texts WHERE text_key='lc_WelcomeMsg'");
    portal.write("_KwStyle/welcome.asp", "<%\r\nl_strWelcome = \"Gr\xFC\xDF Gott\"\r\n%>\r\n");
    portal.write("_KwStyle/MainLogo.asp", "<%\r\nstrCompanyLogo = \"firma.gif\r\n%>\r\n"); // no closing quote
    CompanySettings settings;
    settings.logoFile = "alt.png";
    std::int32_t language = 0;
    readCompanySettings(portal.env(), settings, language, prompter);
    EXPECT_TRUE(prompter.events().empty());
    EXPECT_EQ(language, 1031);
    EXPECT_EQ(settings.logoFile, "alt.png");
    EXPECT_EQ(settings.shownWelcome, "Grüß Gott");
    EXPECT_EQ(settings.welcomeTexts.at(1031), "Grüß Gott");
    std::string expected;
    for (std::string_view line : publish::welcomeLanguageDependentLines())
        expected += line;
    EXPECT_EQ(portal.read("_KwStyle/welcome.asp"), expected);

    // Read again: the text now comes from the language texts and the file is left alone.
    CompanySettings again;
    readCompanySettings(portal.env(), again, language, prompter);
    EXPECT_EQ(again.shownWelcome, "Grüß Gott");
    EXPECT_EQ(portal.read("_KwStyle/welcome.asp"), expected);
}

// Server errors: reading reports "Firmenlogo konnte nicht gelesen werden." and keeps the earlier values;
// publishing reports "Active Server Page für Fülllogo konnte nicht gespeichert werden." and keeps the mark.
TEST(CompanySettingsTest, ServerErrorsAreReportedAndKeepWhatWasThere)
{
    test::TempPortal portal;
    test::FaultPlan plan;
    plan.failReads = {"MainLogo.asp"};
    server::Environment env = test::withFaults(portal.env(), plan);
    ScriptedPrompter prompter;
    CompanySettings settings;
    settings.logoFile = "alt.png";
    settings.welcomeTexts = {{1031, "alt"}};
    std::int32_t language = 7;
    readCompanySettings(env, settings, language, prompter);
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12551});
    EXPECT_EQ(settings.logoFile, "alt.png");
    EXPECT_EQ(settings.welcomeTexts, (std::map<std::int32_t, std::string>{{1031, "alt"}}));
    EXPECT_EQ(language, 7);

    prompter.clear();
    plan.failReads.clear();
    plan.failWrites = {"welcome.asp"};
    settings.changed = true;
    settings.logoFile = "header.jpg";
    prompter.answerYes();
    publishCompanySettings(env, settings, prompter);
    EXPECT_EQ(prompter.questions().size(), 1u);
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12556});
    EXPECT_TRUE(settings.changed) << "published at the next save";

    prompter.clear();
    plan.failWrites.clear();
    prompter.answerYes();
    publishCompanySettings(env, settings, prompter);
    EXPECT_TRUE(prompter.errorIds().empty()) << prompter.describe();
    EXPECT_FALSE(settings.changed);
    EXPECT_EQ(portal.read("_KwStyle/MainLogo.asp"), "<%\r\nstrCompanyLogo = \"header.jpg\"\r\n%>\r\n");
}

TEST(LayoutListTest, ActiveFirstThenNamedInServerOrder)
{
    test::TempPortal portal;
    for (const char *name : {"Zeta.kwc", "alpha.kwc", "Mitte.kwc"})
        portal.write(std::string("_KwTemplates/") + name, "BODY {}");
    portal.write("_KwTemplates/notes.txt", "x");
    LayoutList list(portal.factory(), portal.session());
    auto entries = list.list();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].title, "alpha");
    portal.write("_KwStyle/global.css", "BODY {}");
    entries = list.list();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].title, "Aktives Layout");
    EXPECT_EQ(entries[0].fileName, "global.css");
    EXPECT_EQ(entries[3].title, "Zeta");

    EXPECT_THROW(list.remove("GLOBAL.CSS"), std::invalid_argument);
    list.remove("Mitte.kwc");
    EXPECT_FALSE(list.namedLayoutExists("Mitte.kwc"));
    EXPECT_TRUE(portal.exists("_KwStyle/global.css"));
    EXPECT_EQ(layoutFileFromName("Aktives Layout"), "global.css");
    EXPECT_EQ(layoutFileFromName("Blau"), "Blau.kwc");
}

} // namespace
} // namespace kw::layout
