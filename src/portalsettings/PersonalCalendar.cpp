#include "portalsettings/PersonalCalendar.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace kw::portalsettings {

namespace {

/// The name as compared for sorting: ASCII letters in lower case, German umlauts and sharp s as their
/// base letters.
std::string sortKey(std::string_view name)
{
    static constexpr std::pair<std::string_view, std::string_view> kFolded[] = {
        {"ä", "a"}, {"Ä", "a"}, {"ö", "o"}, {"Ö", "o"}, {"ü", "u"}, {"Ü", "u"}, {"ß", "ss"}};
    std::string key;
    for (std::size_t i = 0; i < name.size();) {
        bool folded = false;
        for (const auto &[from, to] : kFolded)
            if (name.substr(i, from.size()) == from) {
                key += to;
                i += from.size();
                folded = true;
                break;
            }
        if (folded)
            continue;
        const char ch = name[i++];
        key += (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
    }
    return key;
}

} // namespace

std::string calendarStatement(std::int32_t entryId)
{
    return "UPDATE krapp SET lnavformid=" + std::to_string(entryId) + " WHERE lid=31";
}

bool calendarNameLess(const std::string &a, const std::string &b)
{
    const std::string keyA = sortKey(a);
    const std::string keyB = sortKey(b);
    if (keyA != keyB)
        return keyA < keyB;
    return a < b;
}

PersonalCalendar::PersonalCalendar(server::Environment env, Prompter &prompter)
    : m_env(std::move(env)), m_prompter(prompter)
{
}

std::size_t PersonalCalendar::insertSorted(CalendarMenuEntry entry)
{
    const auto at = std::upper_bound(m_entries.begin(), m_entries.end(), entry,
                                     [](const CalendarMenuEntry &a, const CalendarMenuEntry &b) {
                                         return calendarNameLess(a.name, b.name);
                                     });
    const auto row = static_cast<std::size_t>(at - m_entries.begin());
    m_entries.insert(at, std::move(entry));
    // Rows at and after the new one moved down by one.
    if (m_selected && *m_selected >= row)
        ++*m_selected;
    return row;
}

void PersonalCalendar::load()
{
    try {
        auto menu = server::createObject<server::INavigation>(*m_env.factory);
        menu->NavInit(m_env.session, 1);
        server::Ref<server::INavEntryCollection> items = menu->NavEntries();
        auto calendar = server::createObject<server::INavigation>(*m_env.factory);
        calendar->NavInit(m_env.session, kPersonalCalendarElement);
        m_currentEntry = calendar->NavParentId();
        const int count = items->NavItemCount();
        for (int index = 0; index < count; ++index) {
            server::NavItemInfo info = items->NavItemInfoAt(index);
            const std::int32_t id = info.id;
            const std::size_t row = insertSorted({id, std::move(info.name)});
            if (id == m_currentEntry)
                m_selected = row;
        }
        if (!m_selected && !m_entries.empty())
            m_selected = 0;
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::TopLevelNavigationNotLoaded, error);
    }
}

std::optional<std::size_t> PersonalCalendar::rowOf(std::int32_t id) const
{
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [id](const CalendarMenuEntry &e) { return e.id == id; });
    if (found == m_entries.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - m_entries.begin());
}

bool PersonalCalendar::store()
{
    if (!m_selected || *m_selected >= m_entries.size())
        return false;
    const std::int32_t chosen = m_entries[*m_selected].id;
    if (chosen == m_currentEntry)
        return false;
    try {
        auto files = server::createObject<server::IFileService>(*m_env.factory);
        files->AttachSession(m_env.session);
        files->ExecuteSql(calendarStatement(chosen));
        m_currentEntry = chosen;
        return true;
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::CalendarSettingsNotSaved, error);
        return false;
    }
}

} // namespace kw::portalsettings
