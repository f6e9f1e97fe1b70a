// The page header's date for the window.
#include "preview/LocaleDate.h"

#include <stdexcept>

namespace kw::preview {

namespace {

// The C library's locale of that name with UTF-8 text, when the system has it.
std::locale namedLocale(const QString &name)
{
    try {
        return std::locale((name + QStringLiteral(".UTF-8")).toStdString());
    } catch (const std::runtime_error &) {
        return std::locale::classic();
    }
}

} // namespace

portalpage::HeaderDate headerDateFor(const QLocale &user, QDate today)
{
    portalpage::HeaderDate date;
    date.today = std::chrono::year_month_day(std::chrono::year(today.year()),
                                             std::chrono::month(static_cast<unsigned>(today.month())),
                                             std::chrono::day(static_cast<unsigned>(today.day())));
    constexpr std::int32_t kGerman = 0x0407;
    if (user.language() == QLocale::C) {
        date.userLanguage = kGerman;
        return date;
    }
    date.userLanguage = portalpage::languageIdFromLocaleName(user.name().toStdString());
    if (!portalpage::isGermanLanguage(date.userLanguage))
        date.locale = namedLocale(user.name());
    return date;
}

portalpage::HeaderDate headerDateToday()
{
    return headerDateFor(QLocale::system(), QDate::currentDate());
}

} // namespace kw::preview
