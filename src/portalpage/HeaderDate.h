// Today's date as the page header shows it: German when the user's language is German, else the form
// of the user's locale.
#pragma once

#include <chrono>
#include <cstdint>
#include <locale>
#include <string>
#include <string_view>

namespace kw::portalpage {

/// What the header's date depends on; `current()` for the running program, fixed values in tests.
struct HeaderDate {
    std::chrono::year_month_day today;
    /// Windows language identifier of the user's default language (0x0407 German, 0x0409 English, ...).
    std::int32_t userLanguage = 0x0409;
    /// The locale whose names the non-German form uses.
    std::locale locale = std::locale::classic();

    /// Today (local time), the user's language from the environment and the environment's locale.
    static HeaderDate current();
};

/// The German language identifiers: Germany, Switzerland, Austria, Luxembourg, Liechtenstein.
bool isGermanLanguage(std::int32_t languageId);

/// The language identifier of a POSIX locale name ("de_AT.UTF-8" gives 0x0C07); the primary language's
/// neutral identifier for a region not listed, 0x0409 for anything unknown, "C" and "POSIX".
std::int32_t languageIdFromLocaleName(std::string_view name);

/// "%A, %d. %B %Y" with German names ("Freitag, 04. Dezember 2026") for a German user, else
/// "%A, %B %d, %Y" in `date.locale` ("Friday, December 04, 2026" in the classic locale).
std::string formatHeaderDate(const HeaderDate &date);

} // namespace kw::portalpage
