// VBScript string expressions: what the scripts get for a typed text, and reading them back.
#include "base/ScriptLiteral.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(ScriptLiteralTest, PlainTextsKeepTheirBytesAndQuotesAreDoubled)
{
    EXPECT_EQ(scriptString("Willkommen im Portal!", ScriptBlock::Asp), "\"Willkommen im Portal!\"");
    EXPECT_EQ(scriptString("", ScriptBlock::Asp), "\"\"");
    EXPECT_EQ(scriptString("a\tb <b>%</b>", ScriptBlock::Asp), "\"a\tb <b>%</b>\"");
    EXPECT_EQ(scriptString("Sag \"Hallo\"", ScriptBlock::Asp), "\"Sag \"\"Hallo\"\"\"");
    EXPECT_EQ(scriptString("\"", ScriptBlock::ScriptElement), "\"\"\"\"");
}

TEST(ScriptLiteralTest, WhatWouldEndTheBlockOrTheLineIsSpelledApart)
{
    EXPECT_EQ(scriptString("a%>b", ScriptBlock::Asp), "\"a%\" & \">b\"");
    EXPECT_EQ(scriptString("%>%>", ScriptBlock::Asp), "\"%\" & \">%\" & \">\"");
    // In a script element only its own end matters.
    EXPECT_EQ(scriptString("a%>b", ScriptBlock::ScriptElement), "\"a%>b\"");
    EXPECT_EQ(scriptString("x</SCRIPT>", ScriptBlock::ScriptElement), "\"x<\" & \"/SCRIPT>\"");
    EXPECT_EQ(scriptString("x</b>", ScriptBlock::Asp), "\"x</b>\"");
    EXPECT_EQ(scriptString("a\r\nb\nc\rd", ScriptBlock::Asp),
              "\"a\" & vbCrLf & \"b\" & vbLf & \"c\" & vbCr & \"d\"");
    EXPECT_EQ(scriptString("\nx\n", ScriptBlock::Asp), "\"\" & vbLf & \"x\" & vbLf");
    EXPECT_EQ(scriptString(std::string("a\0b\x1B", 4), ScriptBlock::Asp), "\"a\" & Chr(0) & \"b\" & Chr(27)");
}

TEST(ScriptLiteralTest, EveryTextIsReadBackExactly)
{
    const std::string texts[] = {
        "",
        "Grüß Gott",
        "Sag \"Hallo\"",
        "\"\"",
        "%>",
        "<%= x %>",
        "a\r\nb",
        "\r\n\r\n",
        "a\rb\nc",
        "ende\n",
        "</script>",
        "%\">\"<%",
        "tab\there",
        std::string("\0\x01\x7F", 3),
        "€ – „gut“",
    };
    for (const std::string &text : texts)
        for (const ScriptBlock block : {ScriptBlock::Asp, ScriptBlock::ScriptElement}) {
            const std::string script = "x = " + scriptString(text, block) + "\r\n%>\r\n";
            EXPECT_EQ(readScriptString(script, 4), text) << script;
        }
}

TEST(ScriptLiteralTest, ReadingIsLenientAboutSpellingAndStopsAtAnythingElse)
{
    EXPECT_EQ(readScriptString("\"a\"&vbcrlf&\"b\"", 0), "a\r\nb");
    EXPECT_EQ(readScriptString("\"a\"  &  VBNEWLINE & vbTab & chr(228)", 0), "a\r\n\tä");
    EXPECT_EQ(readScriptString("\"a\" & vbCrLfX & \"b\"", 0), "a");
    EXPECT_EQ(readScriptString("\"a\" & Chr(256)", 0), "a");
    EXPECT_EQ(readScriptString("\"a\" & \"b", 0), "a"); // an unclosed later literal is not taken
    EXPECT_EQ(readScriptString("\"a\" \"b\"", 0), "a");
    EXPECT_EQ(readScriptString("\"a\"\"", 0), std::nullopt); // the doubled quote leaves it unclosed
    EXPECT_EQ(readScriptString("x", 0), std::nullopt);
    EXPECT_EQ(readScriptString("\"a\"", 3), std::nullopt);
}

TEST(ScriptLiteralTest, NamesInsideStringsAreNotFound)
{
    const std::string script = "a = \"b = 1\"\r\nb = \"\"\"b\"\r\n\"b";
    EXPECT_EQ(findOutsideStrings(script, "b ="), script.find("\nb =") + 1);
    EXPECT_EQ(findOutsideStrings(script, "b", script.size() - 1), std::string::npos); // after an odd quote
    EXPECT_EQ(findOutsideStrings("x", "y"), std::string::npos);
}

TEST(ScriptLiteralTest, TextsWindows1252CannotHoldAreRefusedNamingTheCharacters)
{
    EXPECT_EQ(scriptTextRefusal("Grüße, 5 € – „gut“ \"%>\r\n"), std::nullopt);
    const std::optional<std::string> refusal = scriptTextRefusal("Schnee ☃ und ☃ und 日");
    ASSERT_TRUE(refusal);
    EXPECT_NE(refusal->find("Windows-1252"), std::string::npos) << *refusal;
    EXPECT_NE(refusal->find(": ☃日"), std::string::npos) << *refusal;
}

} // namespace
} // namespace kw
