// The string table keeps texts exactly as shipped.
#include "base/StringTable.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kw {
namespace {

TEST(StringTableTest, KeepsLeadingBlanksLineBreaksAndUmlauts)
{
    EXPECT_EQ(loadString(StringId::ApplicationTitle), "  Anwendungstitel");
    EXPECT_EQ(loadString(StringId::AskSaveChangedLayout),
              "Das Layout wurde verändert. Wollen Sie es speichern?");
    const std::string_view publish = loadString(StringId::AskPublishCompanySettings);
    EXPECT_EQ(std::count(publish.begin(), publish.end(), '\n'), 2);
    EXPECT_TRUE(
        publish.starts_with("Sie haben Eigenschaften geändert ( z.B. Firmenlogo oder Begrüßungstext ) ,\n"));
    EXPECT_EQ(loadString(58522),
              "Beim erneuten Laden der sprachabhängigen Texte ist ein Fehler aufgetreten.");
}

TEST(StringTableTest, UnknownNumbersAreEmpty)
{
    EXPECT_EQ(loadString(12503), "");
    EXPECT_EQ(loadString(0), "");
}

TEST(StringTableTest, FormatsTheFirstPlaceholder)
{
    EXPECT_EQ(formatString(StringId::LayoutLabel, "Aktives Layout"), "Layout: Aktives Layout");
    EXPECT_EQ(formatString(StringId::AskDeleteLayout, "Blau"),
              "Wollen Sie das Layout \"Blau\" wirklich löschen?");
}

} // namespace
} // namespace kw
