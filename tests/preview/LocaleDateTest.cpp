// The page header's date in the window: German for a German user and when the locale names no language,
// the user's own language otherwise; the German names are those of Qt's German locale.
#include "preview/LocaleDate.h"

#include <gtest/gtest.h>

namespace kw::preview {
namespace {

const QDate kMonday(2026, 12, 7);

std::string headerText(const QLocale &user, QDate day = kMonday)
{
    return portalpage::formatHeaderDate(headerDateFor(user, day));
}

TEST(LocaleDate, GermanForGermanUsersAndForTheCLocale)
{
    EXPECT_EQ(headerText(QLocale::c()), "Montag, 07. Dezember 2026") << "no language chosen";
    EXPECT_EQ(headerText(QLocale(QLocale::German, QLocale::Germany)), "Montag, 07. Dezember 2026");
    EXPECT_EQ(headerText(QLocale(QLocale::German, QLocale::Austria)), "Montag, 07. Dezember 2026");
    EXPECT_EQ(headerDateFor(QLocale(QLocale::German, QLocale::Switzerland), kMonday).userLanguage, 0x0807);
    EXPECT_EQ(headerText(QLocale(QLocale::English, QLocale::UnitedStates)), "Monday, December 07, 2026");
}

TEST(LocaleDate, TheGermanFormUsesQtsGermanNames)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 7; ++day) { // every weekday in every month
            const QDate date(2027, month, day);
            EXPECT_EQ(headerText(QLocale::c(), date),
                      german.toString(date, QStringLiteral("dddd, dd. MMMM yyyy")).toStdString());
        }
    }
}

} // namespace
} // namespace kw::preview
