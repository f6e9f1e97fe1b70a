// The dump form used by tests and golden files, both ways.
#include "CssTestSupport.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kw::css {
namespace {

using test::add;

const char kExample[] = "T BODY\n"
                        "  BACKGROUND-COLOR=#FFFFFF\n"
                        "  C KwRootTop\n"
                        "    BACKGROUND-COLOR=#489088\n"
                        "B (unnamed)\n"
                        "  T MOUSE\n"
                        "    C KwRootNavigate\n"
                        "      COLOR-IN=#CCCCFF\n";

std::unique_ptr<CCssElement> exampleTree()
{
    auto root = test::newRoot();
    CCssElement &body = add(*root, "BODY", CSS_TAG, {{"BACKGROUND-COLOR", "#FFFFFF"}});
    add(body, "KwRootTop", CSS_CLASS, {{"BACKGROUND-COLOR", "#489088"}});
    add(add(add(*root, "", CSS_BLOCK), "MOUSE", CSS_TAG), "KwRootNavigate", CSS_CLASS,
        {{"COLOR-IN", "#CCCCFF"}});
    return root;
}

TEST(CssDumpTest, WritesTheExample)
{
    EXPECT_EQ(DumpTree(*exampleTree()), kExample);
}

TEST(CssDumpTest, ReadsTheExampleWithEitherLineEnd)
{
    EXPECT_TRUE(*ParseDump(kExample) == *exampleTree());
    std::string crlf;
    for (const char c : std::string(kExample))
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_TRUE(*ParseDump(crlf) == *exampleTree());
    EXPECT_TRUE(*ParseDump(std::string(kExample) + "\n\n") == *exampleTree());
}

TEST(CssDumpTest, KindsEmptyValuesAndNamesWithBlanks)
{
    auto root = test::newRoot();
    CCssElement &a = add(*root, "A", CSS_TAG, {{"EMPTY", ""}, {"EQ", "a=b"}, {"SP", " x "}});
    add(a, "hover", CSS_PSEUDO);
    add(*root, "Kw Style Asp", CSS_BLOCK);
    add(*root, "odd", static_cast<CSSTYPE>(3));
    const std::string dump = DumpTree(*root);
    EXPECT_EQ(dump, "T A\n  EMPTY=\n  EQ=a=b\n  SP= x \n  P hover\nB Kw Style Asp\n3 odd\n");
    EXPECT_TRUE(*ParseDump(dump) == *root);
}

TEST(CssDumpTest, RichTreeBothWays)
{
    // Line breaks cannot be carried, so they are left out of this copy.
    auto root = test::richTree();
    CCssDocument document;
    test::copyInto(*root, document);
    CCssElement *texts = document.Root().FindChild("KwStyleAsp")->FindChild("Texts");
    ASSERT_NE(texts, nullptr);
    texts->SetProperty("Description", "no breaks");
    const std::string dump = DumpTree(document.Root());
    EXPECT_TRUE(*ParseDump(dump) == document.Root());
    EXPECT_EQ(DumpTree(*ParseDump(dump)), dump);
}

TEST(CssDumpTest, MalformedDumpsAreRefused)
{
    const std::pair<const char *, const char *> cases[] = {
        {"odd indent", "T A\n   x=1\n"},
        {"element two levels deeper", "T A\n    C b\n"},
        {"first element indented", "  T A\n"},
        {"property at the top", "x=1\n"},
        {"property after a child", "T A\n  C b\n  x=1\n"},
        {"property too deep", "T A\n    x=1\n"},
        {"property without '='", "T A\n  x\n"},
        {"unknown kind letter", "X A\n"},
        {"kind without blank", "TA\n"},
        {"blanks only", "T A\n  \n"},
    };
    for (const auto &[what, dump] : cases)
        EXPECT_THROW(ParseDump(dump), std::runtime_error) << what;
}

} // namespace
} // namespace kw::css
