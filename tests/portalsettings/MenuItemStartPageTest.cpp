// A menu entry's start page without its window: how the entry's page is classified on opening, and what OK
// hands back with and without a change, a question and a Yes.
#include "portalsettings/MenuItemStartPage.h"

#include "ScriptedPrompter.h"
#include "portalsettings/PortalStartPage.h"

#include <gtest/gtest.h>

namespace kw::test {
namespace {

using namespace kw::portalsettings;

constexpr const char *kStandard = "../KwApplications/KwArea/KwArea.asp";
constexpr const char *kCustom = "../KwApplications/KwArea/KwCustomMenu.asp";

MenuItemStartPage opened(const std::string &page, bool isNew = false)
{
    MenuEntry entry;
    entry.id = isNew ? 0 : 40;
    entry.isNew = isNew;
    entry.startPage = page;
    MenuItemStartPage values = MenuItemStartPage::forEntry(entry, "Aktuelles");
    values.open();
    return values;
}

TEST(MenuItemStartPage, FilledFromTheEntry)
{
    MenuEntry entry;
    entry.startPage = "Own.asp";
    entry.isNew = true;
    const MenuItemStartPage values = MenuItemStartPage::forEntry(entry, "Team \"A\"");
    EXPECT_EQ(values.caption, "Startseite des Menüpunkts \"Team \"A\"\"");
    EXPECT_EQ(values.entryName, "Team \"A\"");
    EXPECT_EQ(values.startPage, "Own.asp");
    EXPECT_TRUE(values.noConfirm);
    EXPECT_FALSE(values.changed);
    EXPECT_FALSE(MenuItemStartPage::forEntry(MenuEntry{}, "x").noConfirm);
}

TEST(MenuItemStartPage, OpeningClassifiesThePage)
{
    struct Case {
        std::string page;
        int choice;
        std::string shown;
        bool changed;
    };
    const Case cases[] = {
        {"", StandardStartPage, "", true},
        {kStandard, StandardStartPage, "", false},
        {"../KWAPPLICATIONS/KWAREA/KWAREA.ASP", StandardStartPage, "", false},
        {"../kwapplications/kwarea/kwcustommenu.asp", CustomPageContent, "", false},
        {kCustom, CustomPageContent, "", false},
        // Neither fixed page, also not the portal start page's own addresses without "../".
        {"KwApplications/KwArea/KwArea.asp", AlternativeStartPage, "KwApplications/KwArea/KwArea.asp", false},
        {"../KwApplications/KwArea/Home.asp", AlternativeStartPage, "../KwApplications/KwArea/Home.asp",
         false},
        {"Home.asp", AlternativeStartPage, "Home.asp", false},
    };
    for (const Case &c : cases) {
        const MenuItemStartPage values = opened(c.page);
        EXPECT_EQ(values.choice, c.choice) << c.page;
        EXPECT_EQ(values.startPage, c.shown) << c.page;
        EXPECT_EQ(values.changed, c.changed) << c.page;
    }
}

TEST(MenuItemStartPage, OkWithoutAChangeAsksNothing)
{
    struct Case {
        std::string page, result;
    };
    // The standard page comes back empty; the custom content page always comes back in full.
    const Case cases[] = {{kStandard, ""}, {kCustom, kCustom}, {"../Other/Page.htm", "../Other/Page.htm"}};
    for (const Case &c : cases) {
        ScriptedPrompter prompter;
        MenuItemStartPage values = opened(c.page);
        EXPECT_EQ(values.accept(prompter), MenuItemStartPage::Outcome::Accepted) << c.page;
        EXPECT_EQ(values.startPage, c.result) << c.page;
        EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
    }
}

TEST(MenuItemStartPage, AChangeIsConfirmedUnlessTheEntryIsNew)
{
    const std::string question = "Wollen Sie die Startseite des Menüpunkts \"Aktuelles\" wirklich ändern.";
    {
        ScriptedPrompter prompter;
        MenuItemStartPage values = opened("Home.asp");
        values.choose(StandardStartPage);
        prompter.answerYes();
        EXPECT_EQ(values.accept(prompter), MenuItemStartPage::Outcome::Accepted);
        EXPECT_EQ(prompter.questions(), std::vector<std::string>{question});
        EXPECT_EQ(values.startPage, kStandard);
    }
    {
        // No: declined, the page stays what the dialog showed.
        ScriptedPrompter prompter;
        MenuItemStartPage values = opened(kStandard);
        values.choose(CustomPageContent);
        prompter.answerNo();
        EXPECT_EQ(values.accept(prompter), MenuItemStartPage::Outcome::Declined);
        EXPECT_EQ(prompter.questions(), std::vector<std::string>{question});
        EXPECT_EQ(values.startPage, "");
    }
    {
        // An empty page counts as changed: the question comes even without touching anything.
        ScriptedPrompter prompter;
        MenuItemStartPage values = opened("");
        prompter.answerYes();
        EXPECT_EQ(values.accept(prompter), MenuItemStartPage::Outcome::Accepted);
        EXPECT_EQ(values.startPage, kStandard);
        EXPECT_EQ(prompter.questions().size(), 1u);
    }
    {
        // A new entry is never asked about.
        ScriptedPrompter prompter;
        MenuItemStartPage values = opened("", true);
        EXPECT_EQ(values.accept(prompter), MenuItemStartPage::Outcome::Accepted);
        EXPECT_EQ(values.startPage, kStandard);
        MenuItemStartPage typed = opened(kStandard, true);
        typed.choose(AlternativeStartPage);
        typed.edit("Mine.asp");
        EXPECT_EQ(typed.accept(prompter), MenuItemStartPage::Outcome::Accepted);
        EXPECT_EQ(typed.startPage, "Mine.asp");
        EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
    }
}

TEST(MenuItemStartPage, TheListedFileLiesInTheAreaFolder)
{
    MenuItemStartPage values = opened("Home.asp");
    EXPECT_EQ(values.proposedFile(), "Home.asp");
    values.takeListedFile("News.htm");
    EXPECT_TRUE(values.changed);
    EXPECT_EQ(values.startPage, "../KwApplications/KwArea/News.htm");
    // An address with a path proposes nothing.
    EXPECT_EQ(values.proposedFile(), "");
    ScriptedPrompter prompter;
    prompter.answerYes();
    EXPECT_EQ(values.accept(prompter), MenuItemStartPage::Outcome::Accepted);
    EXPECT_EQ(values.startPage, "../KwApplications/KwArea/News.htm");
}

} // namespace
} // namespace kw::test
