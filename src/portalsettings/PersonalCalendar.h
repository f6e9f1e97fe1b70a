// The personal calendar's place: the main-menu entry under which the portal shows it (row 31 of the
// application table), listed and chosen as the calendar dialog does.
#pragma once

#include "base/Prompter.h"
#include "server/LocalPortal.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kw::portalsettings {

/// The application element of the personal calendar.
inline constexpr std::int32_t kPersonalCalendarElement = 31;

/// The statement that publishes the calendar under a main-menu entry.
std::string calendarStatement(std::int32_t entryId);

struct CalendarMenuEntry {
    std::int32_t id = 0;
    std::string name;
};

/// Orders main-menu names as the sorted list shows them: ignoring case (umlauts folded to their base
/// letter), then by their bytes.
bool calendarNameLess(const std::string &a, const std::string &b);

class PersonalCalendar {
public:
    PersonalCalendar(server::Environment env, Prompter &prompter);

    /// Lists the main-menu entries (sorted) and selects the calendar's current entry, or the first row
    /// when it is not among them. A server error is reported (12504); the rows listed so far stay.
    void load();

    const std::vector<CalendarMenuEntry> &entries() const { return m_entries; }
    /// The entry that holds the calendar now (0 before `load`).
    std::int32_t currentEntry() const { return m_currentEntry; }
    std::optional<std::size_t> selectedRow() const { return m_selected; }
    void select(std::optional<std::size_t> row) { m_selected = row; }
    /// The row of an entry id, or nothing.
    std::optional<std::size_t> rowOf(std::int32_t id) const;

    /// Stores the selected entry when it differs from the current one; true when the statement ran.
    /// A server error is reported (12598) and answers false.
    bool store();

private:
    std::size_t insertSorted(CalendarMenuEntry entry);

    server::Environment m_env;
    Prompter &m_prompter;
    std::vector<CalendarMenuEntry> m_entries;
    std::int32_t m_currentEntry = 0;
    std::optional<std::size_t> m_selected;
};

} // namespace kw::portalsettings
