// Reading hand-written stylesheets: what is kept, what is skipped, how errors are recovered.
#include "CssTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace kw::css {
namespace {

using test::loadToDump;

struct ReadCase {
    const char *what;
    std::string css;
    std::string dump; // the expected tree
};

// Reading must also leave a tree that survives writing and reading again.
void expectStableRoundTrip(std::string_view css, const std::string &what)
{
    CCssDocument first;
    test::load(first, css);
    const std::string text = first.GenerateCss();
    CCssDocument second;
    test::load(second, text);
    EXPECT_TRUE(second.Root() == first.Root()) << what << "\n" << text;
    EXPECT_EQ(second.GenerateCss(), text) << what;
}

void runCases(const std::vector<ReadCase> &cases)
{
    for (const ReadCase &c : cases) {
        EXPECT_EQ(loadToDump(c.css), c.dump) << c.what;
        expectStableRoundTrip(c.css, c.what);
    }
}

TEST(CssReaderTest, HandWrittenSyntax)
{
    runCases({
        {"comments anywhere",
         "/* head */ TD /* a */ . KwX, TD/**/.KwPortal /* b */ { /* c */ COLOR /* d */ : /* e */ "
         "red /* f */ ; /* g */ }",
         "T TD\n  C KwPortal\n    COLOR=red\n"},
        {"any whitespace", "\tTD.KwPortal\r\n\f{\r\n\tCOLOR\t:\tred\r\n;\r\n}\r\n",
         "T TD\n  C KwPortal\n    COLOR=red\n"},
        {"values trimmed, inner blanks collapsed",
         "A { FONT-FAMILY :   Verdana,\n      Arial,\t sans-serif   ; }",
         "T A\n  FONT-FAMILY=Verdana, Arial, sans-serif\n"},
        {"!important is part of the value", "A { COLOR: red !important; X: blue!important }",
         "T A\n  COLOR=red !important\n  X=blue!important\n"},
        {"property names keep their case", "A { Color: red; BACKGROUND-color: blue }",
         "T A\n  Color=red\n  BACKGROUND-color=blue\n"},
        {"later declaration replaces an earlier one in place", "A { color: red; width: 1px; COLOR: blue }",
         "T A\n  COLOR=blue\n  width=1px\n"},
        {"strings keep their quotes; ; { } inside them are escaped",
         "A { content: \"a;b{c}\"; quotes: 'it\\'s' \"x\" }",
         "T A\n  content=\"a\\3B b\\7B c\\7D \"\n  quotes='it\\'s' \"x\"\n"},
        {"a comment start inside a string is text", "A { content: \"/* no */\"; x: y }",
         "T A\n  content=\"/* no */\"\n  x=y\n"},
        {"url() without quotes may hold ; and comment marks",
         "A { b: url(data:image/png;base64,iVBOR/*x*/==); c: url( img.gif ); d: URL(\"q.gif\") }",
         "T A\n  b=url(\"data:image/png\\3B base64,iVBOR/*x*/==\")\n  c=url(img.gif)\n  d=URL(\"q.gif\")\n"},
        {"escapes in names are decoded", ".a\\.b, .\\32 ndLevel, T\\44 { x: 1 }",
         "C a.b\n  x=1\nC 2ndLevel\n  x=1\nT TD\n  x=1\n"},
        {"escapes in values stay", "A { x: \\31 0px; y: a\\;b }", "T A\n  x=\\31 0px\n  y=a\\3B b\n"},
        {"grouped selectors each get the properties", "H1, TD.KwPortal , A:hover{COLOR:red}",
         "T H1\n  COLOR=red\nT TD\n  C KwPortal\n    COLOR=red\nT A\n  P hover\n    COLOR=red\n"},
        {"missing ancestors are made once and reused",
         "TD.KwPortal { x: 1 } TD.KwGrid { y: 2 } TD { z: 3 } TD.KwPortal { w: 4 }",
         "T TD\n  C KwPortal\n    x=1\n  C KwGrid\n    y=2\nT TD\n  z=3\n  C KwPortal\n    w=4\n"},
        {"duplicate rules become separate elements", "TD { a: 1 } TD { b: 2 } TD { }",
         "T TD\n  a=1\nT TD\n  b=2\nT TD\n"},
        {"descendants and pseudo-classes", "TH A:link { COLOR: red } TH A:visited { }",
         "T TH\n  T A\n    P link\n      COLOR=red\n    P visited\n"},
        {"names are case-sensitive", "td.X { } TD.x { }", "T td\n  C X\nT TD\n  C x\n"},
        {"HTML comment marks around the sheet", "<!-- A { x: 1 } -->", "T A\n  x=1\n"},
        {"a declaration with an empty value is kept", "A { x: ; y:}", "T A\n  x=\n  y=\n"},
        {"empty text", "", ""},
        {"only comments and blanks", " /* a */ \r\n /* b", ""},
    });
}

TEST(CssReaderTest, UnknownAtRulesAreSkippedWithTheirBlocks)
{
    runCases({
        {"@media", "@media screen and (max-width: 600px) { A { x: 1 } B { y: 2 } } C { z: 3 }",
         "T C\n  z=3\n"},
        {"@import and @charset", "@charset \"UTF-8\"; @import url(\"a.css\") screen; A { x: 1 }",
         "T A\n  x=1\n"},
        {"@font-face", "@font-face{font-family:X;src:url(x.woff)}A{x:1}", "T A\n  x=1\n"},
        {"@supports nested", "@supports (display: grid) { @media print { A { x: 1 } } } B { }", "T B\n"},
        {"@page with a selector", "@page :first { margin: 1in } A { }", "T A\n"},
        {"a braced string does not end the block", "@media x { A { content: \"}\" } } B { }", "T B\n"},
        {"an at-rule inside a rule", "A { @media print { x: 1 } y: 2 }", "T A\n  y=2\n"},
        {"a nested rule inside a rule", "A { B { x: 1 } y: 2; }", "T A\n  y=2\n"},
        {"a bare @", "@ { A { x: 1 } } B { }", "T B\n"},
        {"an unfinished at-rule", "A { } @import \"x.css\"", "T A\n"},
    });
}

TEST(CssReaderTest, SelectorsTheTreeCannotHoldAreSkipped)
{
    const std::vector<std::string> unsupported = {"A[href]",   "A[title=\"x,y\"]",
                                                  "UL > LI",   "H1 + P",
                                                  "H1 ~ P",    "*",
                                                  "*.x",       "#main",
                                                  "DIV#main",  "P::first-line",
                                                  "A:not(.x)", "LI:nth-child(2n+1)",
                                                  "TD .x",     "TD :hover",
                                                  "svg|rect",  "&:hover",
                                                  ".",         "A:",
                                                  "A..b",      "'quoted'",
                                                  "TD.x>A",    "A:hover::before",
                                                  ". x",       "A/**/B"};
    std::vector<ReadCase> cases;
    for (const std::string &selector : unsupported) {
        // Alone the rule disappears; in a group the other selectors still apply.
        cases.push_back({selector.c_str(), selector + " { x: 1 } B { y: 2 }", "T B\n  y=2\n"});
        cases.push_back({selector.c_str(), "P, " + selector + ", Q { x: 1 }", "T P\n  x=1\nT Q\n  x=1\n"});
    }
    runCases(cases);
}

TEST(CssReaderTest, ErrorsAreRecoveredAsBrowsersDo)
{
    runCases({
        {"declaration without colon", "A { color red; x: 1; y }", "T A\n  x=1\n"},
        {"declaration without name", "A { : red; *zoom: 1; _hack: 2; x: 3 }", "T A\n  _hack=2\n  x=3\n"},
        {"no semicolon before }", "A { x: 1 } B { y: 2 }", "T A\n  x=1\nT B\n  y=2\n"},
        {"stray semicolons", "A { ;; x: 1;; ; }", "T A\n  x=1\n"},
        {"end of text inside a block", "A { x: 1; y: 2", "T A\n  x=1\n  y=2\n"},
        {"end of text inside a prelude", "A { x: 1 } B, C", "T A\n  x=1\n"},
        {"end of text inside a string", "A { x: \"abc", "T A\n  x=\"abc\"\n"},
        {"a line break ends a string", "A { x: \"abc\n; y: 2 }", "T A\n  x=\"abc\"\n  y=2\n"},
        {"line continuation in a string", "A { x: \"ab\\\ncd\" }", "T A\n  x=\"abcd\"\n"},
        {"end of text inside a comment", "A { x: 1 } /* B { y: 2 }", "T A\n  x=1\n"},
        {"unbalanced parenthesis", "A { x: f(1; y: 2 }", "T A\n  x=f(1\n  y=2\n"},
        {"a brace block in a value drops the declaration", "A { x: {1}; y: 2 }", "T A\n  y=2\n"},
        {"a broken url() drops the declaration", "A { x: url(a b); y: 2 }", "T A\n  y=2\n"},
        {"a stray } at the top belongs to the next prelude", "} A { x: 1 } B { y: 2 }", "T B\n  y=2\n"},
        {"a top-level declaration takes the next rule with it", "color: red; A { x: 1 } B { y: 2 }",
         "T B\n  y=2\n"},
        {"a backslash at the very end", "A { x: y\\", "T A\n  x=y\n"},
        {"a block opened twice", "A { { x: 1 } y: 2 }", "T A\n  y=2\n"},
        {"bad UTF-8 passes through", "A.\xFF\xC3 { x: \xC0\xAF\xFE; }",
         "T A\n  C \xFF\xC3\n    x=\xC0\xAF\xFE\n"},
        {"zero bytes pass through", std::string("A { x: a\0b }", 12), std::string("T A\n  x=a\0b\n", 12)},
    });
}

// An unquoted url() is broken by a non-printable character (0x00 to 0x08, 0x0B, 0x0E to 0x1F, 0x7F) and
// by white space before its end; other bytes are part of the address.
TEST(CssReaderTest, ControlCharactersInAnUnquotedUrl)
{
    std::vector<ReadCase> cases;
    std::vector<std::string> names;
    names.reserve(256); // the cases point into it
    for (int c = 0; c < 256; ++c) {
        // Quotes, parentheses and the backslash have rules of their own; ';' and '}' are kept but written
        // in the quoted form (below); '{' opens a block there too, which drops the declaration.
        if (c == ')' || c == '(' || c == '"' || c == '\'' || c == '\\' || c == ';' || c == '{' || c == '}')
            continue;
        const bool nonPrintable = c <= 0x08 || c == 0x0B || (c >= 0x0E && c <= 0x1F) || c == 0x7F;
        const bool whiteSpace = c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
        const std::string byte(1, static_cast<char>(c));
        names.push_back("byte " + std::to_string(c));
        cases.push_back(
            {names.back().c_str(), "A { x: url(a" + byte + "b); y: 2 }",
             nonPrintable || whiteSpace ? "T A\n  y=2\n" : "T A\n  x=url(a" + byte + "b)\n  y=2\n"});
    }
    // White space at the ends is no part of the address.
    cases.push_back({"blanks around", "A { x: url(\t a.gif \r\n); }", "T A\n  x=url(a.gif)\n"});
    cases.push_back({"a separator in the address", "A { x: url(a;b}c); y: 2 }",
                     "T A\n  x=url(\"a\\3B b\\7D c\")\n  y=2\n"});
    // A quoted address is a string argument: blanks around it collapse but stay.
    cases.push_back(
        {"blanks before a quoted address", "A { x: url(  \"q r.gif\"  ) }", "T A\n  x=url( \"q r.gif\" )\n"});
    runCases(cases);
}

TEST(CssReaderTest, EscapesLineEndsAndTheEndOfTheText)
{
    runCases({
        // Code points at the boundaries of the UTF-8 lengths.
        {"escape 7F", ".x\\7F { a: 1 }", "C x\x7F\n  a=1\n"},
        {"escape 80", ".x\\80 { a: 1 }", "C x\xC2\x80\n  a=1\n"},
        {"escape 7FF", ".x\\7FF { a: 1 }", "C x\xDF\xBF\n  a=1\n"},
        {"escape 800", ".x\\800 { a: 1 }", "C x\xE0\xA0\x80\n  a=1\n"},
        {"a backslash as the very last character of a name", ".x\\", ""},
        {"CR LF is one line end in a string continuation", "A { x: \"ab\\\r\ncd\" }", "T A\n  x=\"abcd\"\n"},
        {"a lone CR is a line end too", "A { x: \"ab\\\rcd\" }", "T A\n  x=\"abcd\"\n"},
        {"a lone CR at the end of the text", "A { x: 1 }\r", "T A\n  x=1\n"},
        {"a lone CR ending a string at the end of the text", "A { x: \"ab\r", "T A\n  x=\"ab\"\n"},
    });
}

TEST(CssReaderTest, SettingsBlocks)
{
    runCases({
        {"unnamed block with a rule", "@kw-settings { MOUSE.KwRootNavigate { COLOR-IN: \"#CCCCFF\"; } }",
         "B (unnamed)\n  T MOUSE\n    C KwRootNavigate\n      COLOR-IN=#CCCCFF\n"},
        {"named block, own properties and non-identifier names",
         "@kw-settings KwStyleAsp { Version: \"10\"; .MenuStyles.2ndLevel { CloseLeafs: leaf.gif } }",
         "B KwStyleAsp\n  Version=10\n  C MenuStyles\n    C 2ndLevel\n      CloseLeafs=leaf.gif\n"},
        {"only a single string is unquoted",
         "@kw-settings { .A { a: \"x\\\"y\\A z\"; b: \"x\" \"y\"; c: 'q'; d: \"\"; e: \"\\3B\" } }",
         "B (unnamed)\n  C A\n    a=x\"y\nz\n    b=\"x\" \"y\"\n    c=q\n    d=\n    e=;\n"},
        {"paths start again in each block", "TD { } @kw-settings { TD.x { } } TD.y { }",
         "T TD\n  C y\nB (unnamed)\n  T TD\n    C x\n"},
        {"a rule after a block lands at the top", "@kw-settings X { .a { } } .a.b { k: 1 }",
         "B X\n  C a\nC a\n  C b\n    k=1\n"},
        {"nested blocks", "@kw-settings A { @kw-settings B { .c { } } .d { } }",
         "B A\n  B B\n    C c\n  C d\n"},
        {"the at-keyword ignores case", "@KW-Settings X { }", "B X\n"},
        {"a block without name or blank", "@kw-settings{.a{}}", "B (unnamed)\n  C a\n"},
        {"a malformed prelude skips the block", "@kw-settings \"X\" { .a { } } @kw-settings a b { } .c { }",
         "C c\n"},
        {"a block ended by the end of text", "@kw-settings X { .a { k: \"v", "B X\n  C a\n    k=v\n"},
        {"a stray } inside a rule prelude closes the block", "@kw-settings X { .a } .b { } .c { }",
         "B X\nC b\nC c\n"},
        {"unknown at-rules inside a block", "@kw-settings X { @media print { .a { } } .b { } }",
         "B X\n  C b\n"},
        {"a different at-keyword", "@kw-settingsX { .a { } } .b { }", "C b\n"},
    });
}

std::string repeat(std::string_view piece, std::size_t times)
{
    std::string result;
    result.reserve(piece.size() * times);
    for (std::size_t i = 0; i < times; ++i)
        result += piece;
    return result;
}

std::size_t depthOf(const CCssElement &root)
{
    std::size_t depth = 0;
    const CCssElement *e = &root;
    while (!e->GetChildren().empty()) {
        e = e->GetChildren().front().get();
        ++depth;
    }
    return depth;
}

TEST(CssReaderLimitsTest, SettingsNestingIsCapped)
{
    const std::size_t levels = 200000;
    const std::string css =
        repeat("@kw-settings{", levels) + ".inner { }" + repeat("}", levels) + "A { x: 1 }";
    CCssDocument document;
    test::load(document, css);
    const auto &top = document.Root().GetChildren();
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(depthOf(document.Root()), static_cast<std::size_t>(kMaxSettingsDepth)); // the rest is skipped
    EXPECT_EQ(top[1]->GetName(), "A");

    // Exactly at the limit everything stays.
    const auto n = static_cast<std::size_t>(kMaxSettingsDepth);
    test::load(document, repeat("@kw-settings{", n) + ".inner { }");
    EXPECT_EQ(depthOf(document.Root()), n + 1);
}

TEST(CssReaderLimitsTest, OverlongSelectorsAreSkipped)
{
    const auto n = static_cast<std::size_t>(kMaxSelectorParts);
    CCssDocument document;
    test::load(document, repeat("A ", n - 1) + "B { x: 1 }" + repeat(".c", n + 1) + " { y: 2 }");
    EXPECT_EQ(depthOf(document.Root()), n);
    EXPECT_EQ(document.Root().GetChildren().size(), 1u);
}

TEST(CssReaderLimitsTest, GroupsCannotMultiplyTheInputWithoutBound)
{
    // 100000 selectors sharing 2000 declarations would make 200 million properties.
    std::string css = repeat("A,", 100000) + "A {";
    for (int i = 0; i < 2000; ++i)
        css += "X" + std::to_string(i) + ": 123456789;";
    css += "}";
    CCssDocument document;
    test::load(document, css);
    std::size_t stored = 0;
    for (const auto &child : document.Root().GetChildren())
        for (const Property &property : child->GetProperties())
            stored += property.name.size() + property.value.size();
    EXPECT_GE(document.Root().GetChildren().size(), 10u); // the first few selectors are served
    EXPECT_LE(stored, 9 * css.size() + (1u << 20));
}

// Inputs that would take quadratic time or deep recursion in a careless reader. Each must finish quickly;
// a slow reader makes the test time out.
TEST(CssReaderLimitsTest, PathologicalInputsFinishAndStayConsistent)
{
    const std::size_t n = 1 << 20;
    const std::vector<std::pair<const char *, std::string>> inputs = {
        {"open braces", repeat("{", n)},
        {"close braces", repeat("}", n)},
        {"open parentheses in a value", "A { x: " + repeat("(", n)},
        {"unclosed strings", repeat("A { x: \"", n / 8)},
        {"comment starts", repeat("/*", n)},
        {"url starts", "A { x: " + repeat("url(", n / 4)},
        {"block starts", repeat("@kw-settings X {", n / 16)},
        {"descendant chain", repeat("a ", n) + "{ }"},
        {"long class chain", repeat(".a", n) + "{ }"},
        {"many declarations", "A {" + repeat("x: 1;", n / 4) + "}"},
        {"many distinct declarations",
         [] {
             std::string s = "A {";
             for (int i = 0; i < 100000; ++i)
                 s += "p" + std::to_string(i) + ": v;";
             return s + "}";
         }()},
        {"declarations in a block", "@kw-settings {" + repeat("k: \"v\";", n / 8) + "}"},
        {"semicolons in a block", "@kw-settings {" + repeat(";", n) + "}"},
        {"colons in a block", "@kw-settings {" + repeat("a:", n / 2)},
        {"escapes", "A { x: " + repeat("\\", n)},
        {"at signs", repeat("@", n)},
        {"commas", repeat(",", n) + "{}"},
    };
    for (const auto &[what, css] : inputs) {
        const auto start = std::chrono::steady_clock::now();
        expectStableRoundTrip(css, what);
        const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_LT(seconds, 60.0) << what;
    }
}

std::size_t countElements(const CCssElement &root)
{
    std::size_t count = 0;
    std::vector<const CCssElement *> pending{&root};
    while (!pending.empty()) {
        const CCssElement *e = pending.back();
        pending.pop_back();
        count += e->GetChildren().size();
        for (const auto &child : e->GetChildren())
            pending.push_back(child.get());
    }
    return count;
}

TEST(CssReaderLimitsTest, LargeRealisticInput)
{
    std::string css;
    int rules = 0;
    for (; css.size() < 20u * 1024 * 1024; ++rules)
        css += "/* rule " + std::to_string(rules) + " */\nTD.KwClass" + std::to_string(rules) +
               " A:hover, TH.x { COLOR: #FF00" + std::to_string(rules % 10) +
               "0; FONT-FAMILY: Verdana, Arial; BACKGROUND: url(../images/company/p.gif) no-repeat; }\n";
    CCssDocument document;
    test::load(document, css);
    // Every rule adds TD.KwClassN, its A and its :hover, and another TH.x.
    EXPECT_EQ(countElements(document.Root()), 4u * static_cast<std::size_t>(rules) + 2);
}

TEST(CssReaderTest, RealisticHandWrittenSheet)
{
    const std::string css = test::readDataFile("handwritten.css");
    EXPECT_EQ(loadToDump(css), test::readDataFile("handwritten.dump"));
    expectStableRoundTrip(css, "handwritten.css");
}

} // namespace
} // namespace kw::css
