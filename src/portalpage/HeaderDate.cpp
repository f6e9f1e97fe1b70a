// The page header's date, formatted without touching the process's locale.
#include "portalpage/HeaderDate.h"

#include <array>
#include <cstdlib>
#include <ctime>
#include <iomanip>
#include <sstream>

namespace kw::portalpage {

namespace {

constexpr std::array<std::string_view, 7> kGermanWeekdays = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                                             "Donnerstag", "Freitag", "Samstag"};
constexpr std::array<std::string_view, 12> kGermanMonths = {"Januar",    "Februar", "März",     "April",
                                                            "Mai",       "Juni",    "Juli",     "August",
                                                            "September", "Oktober", "November", "Dezember"};

struct LocaleLanguage {
    std::string_view prefix; // language, or language_REGION
    std::int32_t id;
};

// Longest prefixes first within a language, so that a region wins over the bare language.
constexpr LocaleLanguage kLanguages[] = {
    {"de_CH", 0x0807}, {"de_AT", 0x0C07}, {"de_LU", 0x1007}, {"de_LI", 0x1407}, {"de", 0x0407},
    {"en_GB", 0x0809}, {"en", 0x0409},    {"fr", 0x040C},    {"it", 0x0410},    {"es", 0x0C0A},
    {"nl", 0x0413},    {"pt", 0x0816},    {"pl", 0x0415},    {"cs", 0x0405},    {"da", 0x0406},
    {"sv", 0x041D},    {"fi", 0x040B},    {"nb", 0x0414},    {"hu", 0x040E},    {"ru", 0x0419},
};

std::string twoDigits(unsigned value)
{
    return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

std::tm asTm(const std::chrono::year_month_day &day)
{
    std::tm tm{};
    tm.tm_year = static_cast<int>(day.year()) - 1900;
    tm.tm_mon = static_cast<int>(static_cast<unsigned>(day.month())) - 1;
    tm.tm_mday = static_cast<int>(static_cast<unsigned>(day.day()));
    tm.tm_wday = static_cast<int>(std::chrono::weekday(std::chrono::sys_days(day)).c_encoding());
    tm.tm_yday = static_cast<int>(
        (std::chrono::sys_days(day) - std::chrono::sys_days(day.year() / std::chrono::January / 1)).count());
    return tm;
}

// The locale the environment asks for; the classic one when the system does not have it.
std::locale environmentLocale()
{
    try {
        return std::locale("");
    } catch (const std::runtime_error &) {
        return std::locale::classic();
    }
}

std::string_view environmentLocaleName()
{
    for (const char *variable : {"LC_ALL", "LC_TIME", "LANG"})
        if (const char *value = std::getenv(variable); value && *value)
            return value;
    return "C";
}

} // namespace

bool isGermanLanguage(std::int32_t languageId)
{
    switch (languageId) {
    case 0x0407:
    case 0x0807:
    case 0x0C07:
    case 0x1007:
    case 0x1407:
        return true;
    default:
        return false;
    }
}

std::int32_t languageIdFromLocaleName(std::string_view name)
{
    for (const LocaleLanguage &language : kLanguages) {
        if (!name.starts_with(language.prefix))
            continue;
        // "de" must not match "den"; the prefix ends at a separator or at the end of the name.
        const std::size_t end = language.prefix.size();
        if (end == name.size() || name[end] == '_' || name[end] == '.' || name[end] == '@')
            return language.id;
    }
    return 0x0409;
}

HeaderDate HeaderDate::current()
{
    HeaderDate date;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    date.today = std::chrono::year_month_day(std::chrono::year(local.tm_year + 1900),
                                             std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)),
                                             std::chrono::day(static_cast<unsigned>(local.tm_mday)));
    date.userLanguage = languageIdFromLocaleName(environmentLocaleName());
    date.locale = environmentLocale();
    return date;
}

std::string formatHeaderDate(const HeaderDate &date)
{
    const std::chrono::year_month_day &day = date.today;
    if (!day.ok())
        return {};
    if (isGermanLanguage(date.userLanguage)) {
        const unsigned weekday = std::chrono::weekday(std::chrono::sys_days(day)).c_encoding();
        std::string text(kGermanWeekdays[weekday]);
        text += ", ";
        text += twoDigits(static_cast<unsigned>(day.day()));
        text += ". ";
        text += kGermanMonths[static_cast<unsigned>(day.month()) - 1];
        text += ' ';
        text += std::to_string(static_cast<int>(day.year()));
        return text;
    }
    const std::tm tm = asTm(day);
    std::ostringstream out;
    out.imbue(date.locale);
    out << std::put_time(&tm, "%A, %B %d, %Y");
    return out.str();
}

} // namespace kw::portalpage
