// The country settings: the script's exact bytes, lenient reading, the checks at OK and when the script
// is written, on a real temporary portal.
#include "portalsettings/CountrySettings.h"

#include "FaultInjection.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <gtest/gtest.h>

namespace kw::test {
namespace {

using namespace kw::portalsettings;

constexpr const char *kScriptPath = "_KwInclude\\KwCompany\\KwDataFormat.asp";

std::string expectedScript(const std::string &lcid, const CountrySymbols &s)
{
    return "<SCRIPT LANGUAGE=VBScript RUNAT=Server>\r\n"
           "\r\n"
           "sub SetDataFormat()\r\n"
           "\tApplication(\"g_LCID\") = " +
           lcid +
           "\r\n"
           "\tApplication(\"g_strDecimalSymbol\") = \"" +
           s.decimal +
           "\"\r\n"
           "\tApplication(\"g_strDecimalGroupingSymbol\") = \"" +
           s.grouping +
           "\"\r\n"
           "\tApplication(\"g_strMonetaryDecimalSymbol\") = \"" +
           s.monetaryDecimal +
           "\"\r\n"
           "\tApplication(\"g_strMonetaryDecimalGroupingSymbol\") = \"" +
           s.monetaryGrouping +
           "\"\r\n"
           "\r\n"
           "end sub\r\n"
           "\r\n"
           "</Script>\r\n";
}

TEST(DataFormatScript, ExactBytesForEachFormat)
{
    const CountrySymbols symbols{".", ",", ".", ","};
    const std::pair<int, std::string> cases[] = {{0, "1033"}, {1, "2057"}, {2, "1031"}};
    for (const auto &[format, lcid] : cases)
        EXPECT_EQ(composeDataFormatScript(format, symbols), expectedScript(lcid, symbols)) << format;
    // Twelve lines, each ended by CR LF, and nothing after the last one.
    const std::string text = composeDataFormatScript(1, symbols);
    std::size_t lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 12u);
    EXPECT_EQ(text.substr(text.size() - 11), "</Script>\r\n");

    // A line break or a double quote in a symbol keeps the script valid and is read back as it was.
    const CountrySymbols odd{"\n", "<", "/", "\""};
    const std::string oddText = composeDataFormatScript(2, odd);
    EXPECT_NE(oddText.find("\tApplication(\"g_strDecimalSymbol\") = \"\" & vbLf\r\n"), std::string::npos)
        << oddText;
    EXPECT_NE(oddText.find("Symbol\") = \"\"\"\"\r\n"), std::string::npos) << oddText;
    EXPECT_EQ(parseDataFormatScript(oddText).symbols, odd);
}

TEST(DataFormatScript, ReadingFollowsTheSearchRules)
{
    struct Case {
        const char *name;
        std::string text;
        bool hasLocaleKey;
        std::optional<int> format;
        CountrySymbols symbols;
    };
    const Case cases[] = {
        {"own script", expectedScript("2057", {"'", " ", ";", "_"}), true, 1, {"'", " ", ";", "_"}},
        {"missing symbol keys take the defaults",
         "Application(\"g_LCID\") = 1033",
         true,
         0,
         {",", ".", ",", "."}},
        {"only the grouping key missing",
         "(\"g_LCID\") = 1031 g_strDecimalSymbol = \";\" g_strMonetaryDecimalSymbol=\"a\" "
         "g_strMonetaryDecimalGroupingSymbol=\"b\"",
         true,
         2,
         {";", ".", "a", "b"}},
        {"unknown locale",
         "(\"g_LCID\") = 1040 g_strDecimalSymbol = \"x\"",
         true,
         std::nullopt,
         {"x", ".", ",", "."}},
        {"lower-case key is another key", "(\"g_lcid\") = 1031", false, std::nullopt, {",", ".", ",", "."}},
        {"key in other case is not found",
         "(\"g_LCID\") = 1031 G_STRDECIMALSYMBOL = \"x\"",
         true,
         2,
         {",", ".", ",", "."}},
        {"keys in other order, junk around",
         "junk g_strMonetaryDecimalGroupingSymbol junk = junk \"4\" junk\n"
         "g_strDecimalGroupingSymbol=\"2\"; x (\"g_LCID\") =  2057 garbage g_strDecimalSymbol==\"1\"\n"
         "g_strMonetaryDecimalSymbol = '' \"3\" \"",
         true,
         std::nullopt, // the four characters two after "=" are " 205"
         {"1", "2", "3", "4"}},
        {"first occurrence wins",
         "(\"g_LCID\") = 1033 (\"g_LCID\") = 1031 g_strDecimalSymbol=\"a\" "
         "g_strDecimalSymbol=\"b\"",
         true,
         0,
         {"a", ".", ",", "."}},
        {"key without quotes takes the default",
         "(\"g_LCID\") = 1031 g_strDecimalSymbol = ;",
         true,
         2,
         {",", ".", ",", "."}},
        {"text ends after the equals sign", "(\"g_LCID\") =", true, std::nullopt, {",", ".", ",", "."}},
        {"empty text", "", false, std::nullopt, {",", ".", ",", "."}},
    };
    for (const Case &c : cases) {
        const ParsedDataFormat parsed = parseDataFormatScript(c.text);
        EXPECT_EQ(parsed.hasLocaleKey, c.hasLocaleKey) << c.name;
        EXPECT_EQ(parsed.format, c.format) << c.name;
        EXPECT_EQ(parsed.symbols, c.symbols) << c.name;
    }
}

TEST(DataFormatScript, ChecksInTheirOrder)
{
    struct Case {
        CountrySymbols symbols;
        std::optional<StringId> refusal;
    };
    const Case cases[] = {
        {{",", ".", ",", "."}, std::nullopt},
        {{"'", "", "'", ""}, StringId::SeparatorCombinationNotAllowed}, // an empty grouping symbol
        {{"", ".", ",", "."}, StringId::DecimalSymbolEmpty},
        {{",", ".", "", "."}, StringId::DecimalSymbolEmpty},
        {{"", "1", "", ""}, StringId::DecimalSymbolEmpty}, // emptiness is checked first
        {{"1", ".", ",", "."}, StringId::SeparatorCharacterNotAllowed},
        {{",", "+", ",", "."}, StringId::SeparatorCharacterNotAllowed},
        {{",", ".", "-", "."}, StringId::SeparatorCharacterNotAllowed},
        {{",", ".", ",", "\""}, StringId::SeparatorCharacterNotAllowed},
        {{",", ",", "9", ","}, StringId::SeparatorCharacterNotAllowed}, // characters before combinations
        {{",", ",", ",", "."}, StringId::SeparatorCombinationNotAllowed},
        {{",", ".", ".", "."}, StringId::SeparatorCombinationNotAllowed},
        {{",", ".", ",", "☃"}, StringId::CountrySymbolNotWritable},
        {{"☃", "☃", ",", "."}, StringId::SeparatorCombinationNotAllowed}, // the script's own checks first
        {{"\n", "%", "<", "/"}, std::nullopt},                            // spelled safely in the script
    };
    for (const Case &c : cases)
        EXPECT_EQ(checkSymbols(c.symbols), c.refusal)
            << c.symbols.decimal << c.symbols.grouping << c.symbols.monetaryDecimal
            << c.symbols.monetaryGrouping;
}

class CountrySettingsTest : public ::testing::Test {
protected:
    TempPortal portal;
    ScriptedPrompter prompter;

    CountrySettings opened(const server::Environment &env)
    {
        CountrySettings settings(env, prompter);
        settings.read();
        return settings;
    }
    CountrySettings opened() { return opened(portal.env()); }
    std::string script() const { return portal.read(kScriptPath); }
};

TEST_F(CountrySettingsTest, MissingScriptIsReplacedAtOnceAndNotWrittenAgain)
{
    ASSERT_FALSE(portal.exists(kScriptPath));
    CountrySettings settings = opened();
    EXPECT_EQ(script(), expectedScript("1031", {}));
    EXPECT_EQ(settings.controls, (CountryValues{2, {}}));
    EXPECT_TRUE(settings.rewrittenAtRead());
    EXPECT_FALSE(settings.writeNeeded());

    // OK without a change writes nothing more.
    portal.write(kScriptPath, "marker");
    EXPECT_TRUE(settings.accept());
    settings.write();
    EXPECT_EQ(script(), "marker");
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();

    // Any change now runs the checks, and the empty decimal symbol is refused.
    settings.controls.symbols.grouping = ".";
    EXPECT_FALSE(settings.accept());
    EXPECT_EQ(prompter.messages(), std::vector<std::string>{"Das Dezimaltrennzeichen darf nicht leer sein."});
}

TEST_F(CountrySettingsTest, ScriptWithoutReadableLocaleIsReplaced)
{
    // No locale key at all: the fresh script, and reading ends there.
    portal.write(kScriptPath, "g_strDecimalSymbol = \";\"");
    CountrySettings noKey = opened();
    EXPECT_EQ(script(), expectedScript("1031", {}));
    EXPECT_EQ(noKey.controls, (CountryValues{2, {}}));

    // An unknown locale: the fresh script is written with the symbols not yet read, then reading goes on.
    portal.write(kScriptPath, expectedScript("1040", {";", "'", ";", "'"}));
    CountrySettings unknown = opened();
    EXPECT_EQ(script(), expectedScript("1031", {}));
    EXPECT_EQ(unknown.controls, (CountryValues{2, {";", "'", ";", "'"}}));
    EXPECT_EQ(unknown.readSymbols(), (CountrySymbols{";", "'", ";", "'"}));
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

// Reading only to show: a script the dialog would replace stays as it is, and what the dialog would do is
// told through `freshScriptDue`.
TEST_F(CountrySettingsTest, ReadingToShowWritesNothing)
{
    CountrySettings missing(portal.env(), prompter);
    missing.read(CountrySettings::Unreadable::Leave);
    EXPECT_FALSE(portal.exists(kScriptPath));
    EXPECT_TRUE(missing.freshScriptDue());
    EXPECT_EQ(missing.controls, (CountryValues{2, {}}));

    for (const std::string &text :
         {std::string("g_strDecimalSymbol = \";\""), expectedScript("1040", {";", "'", ";", "'"})}) {
        portal.write(kScriptPath, text);
        CountrySettings settings(portal.env(), prompter);
        settings.read(CountrySettings::Unreadable::Leave);
        EXPECT_EQ(script(), text);
        EXPECT_TRUE(settings.freshScriptDue());
        EXPECT_FALSE(settings.writeNeeded());
    }
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();

    portal.write(kScriptPath, expectedScript("2057", {".", ",", ".", ","}));
    CountrySettings readable(portal.env(), prompter);
    readable.read(CountrySettings::Unreadable::Leave);
    EXPECT_FALSE(readable.freshScriptDue());
    EXPECT_EQ(readable.controls, (CountryValues{1, {".", ",", ".", ","}}));
}

TEST_F(CountrySettingsTest, ReadsTheScriptAndItsDefaults)
{
    portal.write(kScriptPath, "<%\r\nApplication(\"g_LCID\") = 2057\r\n"
                              "Application(\"g_strDecimalSymbol\") = \"\xB7\"\r\n%>");
    CountrySettings settings = opened();
    // The middle dot comes from the Windows-1252 file as UTF-8; missing keys give "," and ".".
    EXPECT_EQ(settings.controls, (CountryValues{1, {"\u00B7", ".", ",", "."}}));
    EXPECT_FALSE(settings.rewrittenAtRead());
    EXPECT_FALSE(settings.writeNeeded());
}

TEST_F(CountrySettingsTest, RefusedSymbolsKeepTheDialogOpenAndTheScriptUntouched)
{
    portal.write(kScriptPath, expectedScript("1031", {",", ".", ",", "."}));
    const std::pair<CountrySymbols, std::string> cases[] = {
        {{",", ".", "", "."}, "Das Dezimaltrennzeichen darf nicht leer sein."},
        {{"1", ".", ",", "."},
         "Das Dezimal- oder Tausendertrennzeichen enthält nicht erlaubte Zeichen, z.B. Ziffern, Vorzeichen"},
        {{",", ",", ",", "."},
         "Diese Kombination von Tausender- und Dezimaltrennzeichen ist nicht erlaubt. Das "
         "Tausendertrennzeichen darf nicht im Dezimaltrennzeichen enthalten sein."},
    };
    for (const auto &[symbols, message] : cases) {
        prompter.clear();
        CountrySettings settings = opened();
        settings.controls.symbols = symbols;
        EXPECT_FALSE(settings.accept());
        EXPECT_EQ(prompter.messages(), std::vector<std::string>{message});
        EXPECT_TRUE(settings.userChanged());
    }
    EXPECT_EQ(script(), expectedScript("1031", {",", ".", ",", "."}));
}

TEST_F(CountrySettingsTest, ChangeAsksFirstAndNoLeavesTheScript)
{
    const std::string before = expectedScript("1033", {",", ".", ",", "."});
    portal.write(kScriptPath, before);
    const std::string question = "Wollen Sie die Ländereinstellungen wirklich ändern?";

    // Clicking the format button already selected counts as a change.
    CountrySettings declined = opened();
    declined.formatClicked();
    ASSERT_TRUE(declined.accept());
    prompter.answerNo();
    declined.write();
    EXPECT_EQ(prompter.questions(), std::vector<std::string>{question});
    EXPECT_EQ(script(), before);

    prompter.clear();
    CountrySettings accepted = opened();
    accepted.controls = {1, {".", ",", ".", ","}};
    ASSERT_TRUE(accepted.accept());
    prompter.answerYes();
    accepted.write();
    EXPECT_EQ(prompter.questions(), std::vector<std::string>{question});
    EXPECT_EQ(script(), expectedScript("2057", {".", ",", ".", ","}));
    EXPECT_FALSE(accepted.userChanged());
    EXPECT_FALSE(accepted.writeNeeded());
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST_F(CountrySettingsTest, ServerErrorsAreReported)
{
    // Reading fails: 12582, and the controls keep what the dialog started with.
    portal.write(kScriptPath, expectedScript("2057", {".", ",", ".", ","}));
    FaultPlan unreadable;
    unreadable.failReads = {"KwDataFormat.asp"};
    CountrySettings notRead = opened(withFaults(portal.env(), unreadable));
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12582});
    EXPECT_EQ(notRead.controls, CountryValues{});

    // Writing the fresh script fails: 12583; OK then writes it without a question, nothing changed.
    prompter.clear();
    portal.write(kScriptPath, "no locale here");
    FaultPlan unwritable;
    unwritable.failWrites = {"kwdataformat.asp"};
    CountrySettings pending = opened(withFaults(portal.env(), unwritable));
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12583});
    EXPECT_TRUE(pending.writeNeeded());
    EXPECT_EQ(script(), "no locale here");

    // The dialog that opened so: once the server takes the script, OK writes it without a question,
    // although nothing was changed.
    prompter.clear();
    unwritable.failWrites.clear();
    ASSERT_TRUE(pending.accept());
    pending.write();
    EXPECT_TRUE(prompter.questions().empty()) << prompter.describe();
    EXPECT_EQ(script(), expectedScript("1031", {}));
    EXPECT_FALSE(pending.writeNeeded());
}

} // namespace
} // namespace kw::test
