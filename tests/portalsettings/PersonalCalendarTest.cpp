// The personal calendar's place: the sorted main menu, the current entry, and the statement that runs only
// on a real change, checked in the portal's database.
#include "portalsettings/PersonalCalendar.h"

#include "FaultInjection.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <gtest/gtest.h>

namespace kw::test {
namespace {

using namespace kw::portalsettings;

std::vector<std::string> names(const PersonalCalendar &calendar)
{
    std::vector<std::string> out;
    for (const CalendarMenuEntry &entry : calendar.entries())
        out.push_back(entry.name);
    return out;
}

class PersonalCalendarTest : public ::testing::Test {
protected:
    TempPortal portal;
    ScriptedPrompter prompter;

    PersonalCalendar loaded(const server::Environment &env)
    {
        PersonalCalendar calendar(env, prompter);
        calendar.load();
        return calendar;
    }
    PersonalCalendar loaded() { return loaded(portal.env()); }
    /// The calendar's entry as the database holds it.
    std::int32_t storedEntry() { return loaded().currentEntry(); }
    void runSql(const std::string &statement)
    {
        auto files = server::createObject<server::IFileService>(portal.factory());
        files->AttachSession(portal.session());
        files->ExecuteSql(statement);
    }
};

TEST_F(PersonalCalendarTest, ListsTheMainMenuSortedAndSelectsTheCurrentEntry)
{
    const PersonalCalendar calendar = loaded();
    EXPECT_EQ(names(calendar), (std::vector<std::string>{"Administration", "Aktuelles", "Dokumente",
                                                         "Projekte", "Startseite", "Suche", "Team"}));
    EXPECT_EQ(calendar.currentEntry(), 41);
    ASSERT_TRUE(calendar.selectedRow());
    EXPECT_EQ(calendar.entries()[*calendar.selectedRow()].id, 41);
    EXPECT_EQ(calendar.rowOf(33), 5u);
    EXPECT_EQ(calendar.rowOf(999), std::nullopt);
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(PersonalCalendarTest, StatementRunsOnlyOnAChange)
{
    // Unchanged: no statement (a failing statement would be reported).
    FaultPlan noSql;
    noSql.failSql = true;
    PersonalCalendar unchanged = loaded(withFaults(portal.env(), noSql));
    EXPECT_FALSE(unchanged.store());
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();

    PersonalCalendar changed = loaded();
    changed.select(changed.rowOf(43));
    EXPECT_TRUE(changed.store());
    EXPECT_EQ(storedEntry(), 43);
    EXPECT_EQ(calendarStatement(43), "UPDATE krapp SET lnavformid=43 WHERE lid=31");

    // Nothing selected stores nothing.
    PersonalCalendar none = loaded();
    none.select(std::nullopt);
    EXPECT_FALSE(none.store());
    EXPECT_EQ(storedEntry(), 43);
}

TEST_F(PersonalCalendarTest, UnknownCurrentEntrySelectsTheFirstRowAndOkPublishesIt)
{
    runSql("UPDATE krapp SET lnavformid=999 WHERE lid=31");
    PersonalCalendar calendar = loaded();
    EXPECT_EQ(calendar.currentEntry(), 999);
    EXPECT_EQ(calendar.selectedRow(), 0u);
    EXPECT_TRUE(calendar.store());
    EXPECT_EQ(storedEntry(), 32); // "Administration"
}

TEST_F(PersonalCalendarTest, EmptyMainMenuGivesAnEmptyList)
{
    runSql("DELETE FROM navigation");
    PersonalCalendar calendar = loaded();
    EXPECT_TRUE(calendar.entries().empty());
    EXPECT_EQ(calendar.selectedRow(), std::nullopt);
    EXPECT_FALSE(calendar.store());
    EXPECT_EQ(storedEntry(), 41);
}

TEST_F(PersonalCalendarTest, ServerErrorsAreReported)
{
    // A portal without the calendar element: the main menu cannot be read as a whole.
    TempPortal bare(false);
    PersonalCalendar unreadable(bare.env(), prompter);
    unreadable.load();
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12504});
    EXPECT_TRUE(unreadable.entries().empty());

    prompter.clear();
    FaultPlan failing;
    failing.failSql = true;
    PersonalCalendar calendar = loaded(withFaults(portal.env(), failing));
    calendar.select(calendar.rowOf(42));
    EXPECT_FALSE(calendar.store());
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12598});
    EXPECT_EQ(storedEntry(), 41);
}

TEST(CalendarNames, SortIgnoringCaseWithUmlautsAtTheirBaseLetter)
{
    std::vector<std::string> sorted = {"zeit", "Übersicht", "Apfel",   "apfel", "Ärger",
                                       "Uhr",  "Straße",    "Strasse", "Büro",  "Bus"};
    std::stable_sort(sorted.begin(), sorted.end(), calendarNameLess);
    EXPECT_EQ(sorted, (std::vector<std::string>{"Apfel", "apfel", "Ärger", "Büro", "Bus", "Strasse", "Straße",
                                                "Übersicht", "Uhr", "zeit"}));
}

} // namespace
} // namespace kw::test
