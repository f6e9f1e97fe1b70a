// The page header's date and the recording device's fixed metrics that every position test relies on.
#include "portalpage/HeaderDate.h"
#include "portalpage/RecordingPaintDevice.h"

#include <gtest/gtest.h>

namespace kw::portalpage {
namespace {

using namespace std::chrono;

HeaderDate december4(std::int32_t language)
{
    HeaderDate date;
    date.today = year_month_day(year(2026), December, day(4));
    date.userLanguage = language;
    return date;
}

TEST(HeaderDate, GermanAndEnglishFormsOfTheFourthOfDecember2026)
{
    EXPECT_EQ(formatHeaderDate(december4(0x0407)), "Freitag, 04. Dezember 2026");
    EXPECT_EQ(formatHeaderDate(december4(0x0C07)), "Freitag, 04. Dezember 2026");
    EXPECT_EQ(formatHeaderDate(december4(0x0409)), "Friday, December 04, 2026");
    EXPECT_EQ(formatHeaderDate(december4(0x040C)), "Friday, December 04, 2026"); // classic locale
}

TEST(HeaderDate, GermanNamesForEveryMonthWithUmlaut)
{
    HeaderDate date = december4(0x0807);
    date.today = year_month_day(year(2026), March, day(1));
    EXPECT_EQ(formatHeaderDate(date), "Sonntag, 01. März 2026");
}

TEST(HeaderDate, LanguageOfTheEnvironmentsLocaleName)
{
    const struct {
        const char *name;
        std::int32_t id;
    } cases[] = {{"de_DE.UTF-8", 0x0407}, {"de_CH.UTF-8", 0x0807}, {"de_AT", 0x0C07},
                 {"de_LU.UTF-8", 0x1007}, {"de_LI.UTF-8", 0x1407}, {"de", 0x0407},
                 {"en_US.UTF-8", 0x0409}, {"C", 0x0409},           {"POSIX", 0x0409},
                 {"C.UTF-8", 0x0409},     {"fr_FR.UTF-8", 0x040C}, {"dsb_DE", 0x0409}};
    for (const auto &c : cases)
        EXPECT_EQ(languageIdFromLocaleName(c.name), c.id) << c.name;
    for (std::int32_t id : {0x0407, 0x0807, 0x0C07, 0x1007, 0x1407})
        EXPECT_TRUE(isGermanLanguage(id)) << id;
    EXPECT_FALSE(isGermanLanguage(0x0409));
}

TEST(RecordingPaintDevice, FixedMetricsAndStateInDrawCalls)
{
    RecordingPaintDevice device;
    device.selectFont({"Verdana", 11, 700, false});
    EXPECT_EQ(device.measureText("Normal"), (Size{36, 13}));
    EXPECT_EQ(device.measureText(""), (Size{0, 13}));
    EXPECT_EQ(device.measureText("Überschrift"), (Size{66, 13})); // code points, not bytes
    device.selectFont({"Verdana", 13, 400, true});
    EXPECT_EQ(device.measureText("ab"), (Size{14, 15}));

    device.setTextColor(rgb(1, 2, 3));
    device.setBackgroundColor(rgb(4, 5, 6));
    device.setBackgroundMode(BackgroundMode::Transparent);
    device.drawText("x", {1, 2, 3, 4}, TextPlacement::Left);
    const auto draws = device.callsOf<painted::DrawText>();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].textColor, rgb(1, 2, 3));
    EXPECT_EQ(draws[0].backgroundColor, rgb(4, 5, 6));
    EXPECT_EQ(draws[0].mode, BackgroundMode::Transparent);
    EXPECT_TRUE(draws[0].font.underline);
    // The picture device sees the same background colour (transparent picture pixels take it).
    EXPECT_EQ(device.pictures().backgroundColor(), rgb(4, 5, 6));
}

} // namespace
} // namespace kw::portalpage
