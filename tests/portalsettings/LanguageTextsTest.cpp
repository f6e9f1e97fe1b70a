// The language page's rows: labels, numbering of lists, the field order, and where an edited text goes;
// and the languages as a fresh portal's session gives them.
#include "portalsettings/LanguageTexts.h"

#include "TempPortal.h"

#include <gtest/gtest.h>

namespace kw::portalsettings {
namespace {

const std::vector<Language> kThree = {{1031, "Deutsch"}, {1033, "English"}, {1036, "Français"}};

std::vector<std::string> labels(const std::vector<LanguageRow> &rows)
{
    std::vector<std::string> result;
    for (const LanguageRow &row : rows)
        result.push_back(row.label);
    return result;
}

TEST(LanguageTextsTest, ListsOfTwoMapsAreNumberedAndOneMapIsNot)
{
    std::vector<LanguageTextMap> buttons = {{{1031, "Weiter"}, {1033, "Next"}}, {{1036, "Retour"}}};
    LanguageTextFields fields;
    fields.buttonTextList = &buttons;
    std::vector<LanguageRow> rows = languageRows(fields, kThree);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(labels(rows), (std::vector<std::string>{"Knopf 01", "Knopf 01", "Knopf 01", "Knopf 02",
                                                      "Knopf 02", "Knopf 02"}));
    EXPECT_EQ(rows[1].languageName, "English");
    EXPECT_EQ(rows[1].text, "Next");
    EXPECT_EQ(rows[2].text, "") << "no French text in the first map";
    EXPECT_EQ(rows[5].text, "Retour");
    EXPECT_EQ(rows[0].type, 8192);
    EXPECT_EQ(rows[3].type, 8193);
    EXPECT_EQ(rows[5].language, 1036);

    buttons.resize(1);
    rows = languageRows(fields, kThree);
    EXPECT_EQ(labels(rows), (std::vector<std::string>(3, "Knopf")));
}

TEST(LanguageTextsTest, FieldsComeInTheGridsOrderAndEditsReachTheirMap)
{
    LanguageTextMap title, application;
    std::vector<LanguageTextMap> values(2), menuTitles(1), groups(12);
    LanguageTextFields fields;
    fields.valueTextList = &values;
    fields.menuTitleTextList = &menuTitles;
    fields.applicationNameTexts = &application;
    fields.titleTexts = &title;
    fields.groupNameTextList = &groups;
    const std::vector<Language> one = {{1031, "Deutsch"}};
    const std::vector<std::string> shown = labels(languageRows(fields, one));
    ASSERT_EQ(shown.size(), 17u);
    EXPECT_EQ(shown[0], "Titel");
    EXPECT_EQ(shown[1], "Applikationsname");
    EXPECT_EQ(shown[2], "Gruppenname 01");
    EXPECT_EQ(shown[13], "Gruppenname 12");
    EXPECT_EQ(shown[14], "Menutitel") << "menu titles before values";
    EXPECT_EQ(shown[15], "Wert 01");
    EXPECT_EQ(shown[16], "Wert 02");

    EXPECT_TRUE(storeRowText(fields, 32769, 1033, "zwei"));
    EXPECT_EQ(values[1].at(1033), "zwei");
    EXPECT_TRUE(values[0].empty());
    EXPECT_TRUE(storeRowText(fields, 12288 + 11, 1031, "letzte"));
    EXPECT_EQ(groups[11].at(1031), "letzte");
    EXPECT_TRUE(storeRowText(fields, 4, 1031, "App"));
    EXPECT_EQ(application.at(1031), "App");
    // Types of fields that are not set, or past a list's end, store nothing.
    EXPECT_FALSE(storeRowText(fields, 1, 1031, "links"));
    EXPECT_FALSE(storeRowText(fields, 8192, 1031, "Knopf"));
    EXPECT_FALSE(storeRowText(fields, 32770, 1031, "drei"));
    EXPECT_FALSE(storeRowText(fields, 16385, 1031, "zwei"));
    EXPECT_TRUE(menuTitles[0].empty());
}

TEST(LanguageTextsTest, ReadsThePortalsLanguagesAndItsDefault)
{
    test::TempPortal portal;
    const PortalLanguages read = readLanguages(*portal.session());
    ASSERT_EQ(read.languages.size(), 2u);
    EXPECT_EQ(read.languages[0].id, 1031);
    EXPECT_EQ(read.languages[0].name, "Deutsch");
    EXPECT_EQ(read.languages[1].id, 1033);
    EXPECT_EQ(read.defaultLanguage, 1031);

    server::Ref<server::IFileService> files = server::createObject<server::IFileService>(portal.factory());
    files->AttachSession(portal.session());
    files->ExecuteSql("UPDATE languages SET is_default = (id = 1033)");
    EXPECT_EQ(readLanguages(*portal.session()).defaultLanguage, 1033);
}

} // namespace
} // namespace kw::portalsettings
