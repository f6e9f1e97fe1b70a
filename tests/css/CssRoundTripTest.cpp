// Writing a tree and reading it back gives the same tree, and writing that again the same bytes.
#include "CssTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace kw::css {
namespace {

using test::add;

// Generates the tree, reads the text back and checks tree and bytes; returns the text.
std::string expectRoundTrip(const CCssElement &tree)
{
    CCssDocument original;
    test::copyInto(tree, original);
    EXPECT_TRUE(original.Root() == tree);
    const std::string text = original.GenerateCss();
    CCssDocument reread;
    test::load(reread, text);
    EXPECT_TRUE(reread.Root() == tree) << "written:\n" << text << "read back:\n" << DumpTree(reread.Root());
    EXPECT_EQ(reread.GenerateCss(), text);
    return text;
}

TEST(CssRoundTripTest, RichTree)
{
    const auto tree = test::richTree();
    const std::string text = expectRoundTrip(*tree);
    EXPECT_NE(text.find("\r\nTD.KwPortal {\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\n    .MenuStyles.2ndLevel {\r\n"), std::string::npos);
}

TEST(CssRoundTripTest, TopLevelBlocksComeBackAtTheTopWithTheirChildren)
{
    const auto tree = test::richTree();
    CCssDocument document;
    test::copyInto(*tree, document);
    const std::string text = document.GenerateCss();
    test::load(document, text);

    std::vector<const CCssElement *> blocks;
    for (const auto &child : document.Root().GetChildren())
        if (child->GetType() == CSS_BLOCK)
            blocks.push_back(child.get());
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0]->GetName(), "");
    ASSERT_NE(blocks[0]->FindChild("MOUSE"), nullptr);
    const CCssElement *navigate = blocks[0]->FindChild("MOUSE")->FindChild("KwRootNavigate");
    ASSERT_NE(navigate, nullptr);
    EXPECT_EQ(*navigate->GetProperty("color-in"), "#CCCCFF");
    EXPECT_EQ(blocks[1]->GetName(), "KwStyleAsp");
    ASSERT_NE(blocks[1]->FindChild("MenuStyles"), nullptr);
    EXPECT_NE(blocks[1]->FindChild("MenuStyles")->FindChild("2ndLevel"), nullptr);
    EXPECT_EQ(blocks[2]->GetName(), "KwButtonStyles");
    EXPECT_TRUE(blocks[2]->GetChildren().empty());
}

TEST(CssRoundTripTest, ARuleAfterABlockIsStillRead)
{
    auto root = test::newRoot();
    add(add(*root, "KwStyleAsp", CSS_BLOCK), "Appearance", CSS_CLASS, {{"ShowLogo", "true"}});
    add(*root, "Appearance", CSS_CLASS, {{"COLOR", "red"}});
    add(add(*root, "", CSS_BLOCK), "MOUSE", CSS_TAG);
    add(add(*root, "MOUSE", CSS_TAG), "x", CSS_CLASS, {{"k", "v"}});
    expectRoundTrip(*root);

    CCssDocument document;
    test::copyInto(*root, document);
    const std::string text = document.GenerateCss();
    test::load(document, text);
    ASSERT_EQ(document.Root().GetChildren().size(), 4u);
    const CCssElement &after = *document.Root().GetChildren()[1];
    EXPECT_EQ(after.GetType(), CSS_CLASS);
    EXPECT_EQ(*after.GetProperty("COLOR"), "red");
}

TEST(CssRoundTripTest, LayoutStylesheetGolden)
{
    const auto tree = ParseDump(test::readDataFile("layout.dump"));
    const std::string text = expectRoundTrip(*tree);
    EXPECT_EQ(text, test::readDataFile("layout.css"));
}

// Pseudo-random trees: any names, any block values, and the kinds of values outside blocks the layout
// writes (the reader keeps those as they are).
class TreeMaker {
public:
    explicit TreeMaker(unsigned seed) : m_random(seed) {}

    std::unique_ptr<CCssElement> make()
    {
        auto root = test::newRoot();
        fill(*root, 0, 0);
        return root;
    }

private:
    int below(int n) { return static_cast<int>(m_random() % static_cast<unsigned>(n)); }

    std::string name()
    {
        static const std::string pieces[] = {"TD",       "a",
                                             "KwPortal", "2nd",
                                             "-x",       "_",
                                             "\xC3\xA4", " ",
                                             ".",        ":",
                                             "{",        "}",
                                             ";",        "\\",
                                             "\"",       "\n",
                                             "\t",       "@",
                                             "#",        "*",
                                             ">",        "/*",
                                             "0",        "url(",
                                             "\xFF",     std::string(1, '\0')};
        std::string result;
        const int count = 1 + below(3);
        for (int i = 0; i < count; ++i)
            result += pieces[below(static_cast<int>(std::size(pieces)))];
        return result;
    }

    std::string anyValue()
    {
        std::string result;
        const int count = below(12);
        for (int i = 0; i < count; ++i)
            result += static_cast<char>(below(256));
        return result;
    }

    std::string plainValue()
    {
        static const char *values[] = {"#FFFFFF",
                                       "12px",
                                       "Verdana, Arial, sans-serif",
                                       "url(../images/company/logo.gif)",
                                       "url(\"../images/company/my logo.gif\")",
                                       "none",
                                       "",
                                       "1px solid #000000",
                                       "\"Times New Roman\"",
                                       "red !important",
                                       "\xC3\xBC\xC3\x9F",
                                       "100%"};
        return values[below(static_cast<int>(std::size(values)))];
    }

    void fill(CCssElement &parent, int depth, int blockDepth)
    {
        const int children = depth > 4 ? 0 : below(5);
        for (int i = 0; i < children; ++i) {
            const bool container = parent.GetType() == CSS_BLOCK || depth == 0;
            const int pick = below(container && blockDepth < 4 ? 5 : 4);
            static const CSSTYPE kinds[] = {CSS_TAG, CSS_CLASS, CSS_PSEUDO, CSS_TAG, CSS_BLOCK};
            const CSSTYPE kind = kinds[pick];
            const bool inBlock = blockDepth > 0 || kind == CSS_BLOCK;
            CCssElement &child = add(parent, kind == CSS_BLOCK && below(3) == 0 ? "" : name(), kind);
            const int properties = below(4);
            for (int p = 0; p < properties; ++p)
                child.SetProperty(name(), inBlock ? anyValue() : plainValue());
            fill(child, depth + 1, blockDepth + (kind == CSS_BLOCK ? 1 : 0));
        }
    }

    std::mt19937 m_random;
};

TEST(CssRoundTripTest, RandomTrees)
{
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(seed);
        const auto tree = TreeMaker(seed).make();
        expectRoundTrip(*tree);
        if (HasFailure())
            return;
    }
}

// What the text form cannot carry, pinned down so that a change is noticed.
TEST(CssRoundTripTest, DocumentedLimits)
{
    auto root = test::newRoot();
    CCssElement &td = add(*root, "TD", CSS_TAG);
    add(add(td, "Inside", CSS_BLOCK), "x", CSS_CLASS);
    add(td, "after", CSS_CLASS);
    CCssDocument document;
    test::copyInto(*root, document);
    document.Root().SetProperty("not", "written");
    const std::string text = document.GenerateCss();
    EXPECT_EQ(text.find("not"), std::string::npos);
    test::load(document, text);
    // A block below a rule comes back beside it, at the level of the nearest enclosing block or root.
    EXPECT_EQ(DumpTree(document.Root()), "T TD\n  C after\nB Inside\n  C x\n");
}

} // namespace
} // namespace kw::css
