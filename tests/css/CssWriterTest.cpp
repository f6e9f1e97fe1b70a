// The exact text GenerateCss writes.
#include "CssTestSupport.h"

#include <gtest/gtest.h>

namespace kw::css {
namespace {

using test::add;

std::string generate(const CCssElement &tree)
{
    CCssDocument document;
    test::copyInto(tree, document);
    return document.GenerateCss();
}

TEST(CssWriterTest, SelectorsCombineAnElementWithItsAncestors)
{
    auto root = test::newRoot();
    add(add(*root, "TD", CSS_TAG), "KwPortal", CSS_CLASS, {{"COLOR", "#000000"}});
    add(add(add(*root, "A", CSS_TAG), "KwMainLink", CSS_CLASS), "link", CSS_PSEUDO);
    add(add(add(*root, "TH", CSS_TAG), "A", CSS_TAG), "hover", CSS_PSEUDO);
    add(*root, "KwNavigate", CSS_CLASS);
    add(*root, "hover", CSS_PSEUDO);
    add(add(*root, "P", CSS_PSEUDO), "B", CSS_TAG);
    EXPECT_EQ(generate(*root), "TD {\r\n}\r\n"
                               "TD.KwPortal {\r\n    COLOR: #000000;\r\n}\r\n"
                               "A {\r\n}\r\n"
                               "A.KwMainLink {\r\n}\r\n"
                               "A.KwMainLink:link {\r\n}\r\n"
                               "TH {\r\n}\r\n"
                               "TH A {\r\n}\r\n"
                               "TH A:hover {\r\n}\r\n"
                               ".KwNavigate {\r\n}\r\n"
                               ":hover {\r\n}\r\n"
                               ":P {\r\n}\r\n"
                               ":P B {\r\n}\r\n");
}

TEST(CssWriterTest, PropertiesKeepInsertionOrderAndValuesLoseOnlyWhatWouldBreakOut)
{
    auto root = test::newRoot();
    CCssElement &body = add(*root, "BODY", CSS_TAG);
    body.SetProperty("Z-INDEX", "2");
    body.SetProperty("BACKGROUND", "url(a.gif) no-repeat !important");
    body.SetProperty("EVIL", "red; } x { color: blue\r\n");
    body.SetProperty("FONT-FAMILY", "\"Times New Roman\", 'Arial'");
    body.SetProperty("EMPTY", "");
    EXPECT_EQ(generate(*root), "BODY {\r\n"
                               "    Z-INDEX: 2;\r\n"
                               "    BACKGROUND: url(a.gif) no-repeat !important;\r\n"
                               "    EVIL: red  x  color: blue;\r\n"
                               "    FONT-FAMILY: \"Times New Roman\", 'Arial';\r\n"
                               "    EMPTY: ;\r\n"
                               "}\r\n");
}

TEST(CssWriterTest, BlocksAreSkippableAtRulesWithQuotedValues)
{
    auto root = test::newRoot();
    add(add(add(*root, "", CSS_BLOCK), "MOUSE", CSS_TAG), "KwRootNavigate", CSS_CLASS,
        {{"COLOR-IN", "#CCCCFF"}});
    CCssElement &settings = add(*root, "KwStyleAsp", CSS_BLOCK, {{"Note", "say \"hi\"\\\nbye\r\f"}});
    add(add(settings, "MenuStyles", CSS_CLASS), "2ndLevel", CSS_CLASS, {{"ShowButtonEffect", "true"}});
    add(add(settings, "Nested", CSS_BLOCK), "A", CSS_TAG, {{"k", "v"}});
    add(*root, "TABLE", CSS_TAG, {{"WIDTH", "100%"}});
    EXPECT_EQ(generate(*root), "@kw-settings {\r\n"
                               "    MOUSE {\r\n"
                               "    }\r\n"
                               "    MOUSE.KwRootNavigate {\r\n"
                               "        COLOR-IN: \"#CCCCFF\";\r\n"
                               "    }\r\n"
                               "}\r\n"
                               "@kw-settings KwStyleAsp {\r\n"
                               "    Note: \"say \\\"hi\\\"\\\\\\A bye\\D \\C \";\r\n"
                               "    .MenuStyles {\r\n"
                               "    }\r\n"
                               "    .MenuStyles.2ndLevel {\r\n"
                               "        ShowButtonEffect: \"true\";\r\n"
                               "    }\r\n"
                               "    @kw-settings Nested {\r\n"
                               "        A {\r\n"
                               "            k: \"v\";\r\n"
                               "        }\r\n"
                               "    }\r\n"
                               "}\r\n"
                               "TABLE {\r\n"
                               "    WIDTH: 100%;\r\n"
                               "}\r\n");
}

TEST(CssWriterTest, NamesThatAreNoIdentifiersAreEscaped)
{
    auto root = test::newRoot();
    add(*root, "a b", CSS_TAG);
    add(*root, "x.y:z", CSS_CLASS, {{"my key", "1"}, {"\xC3\xA4-_9", "2"}});
    add(*root, "new\nline", CSS_BLOCK);
    add(*root, "--weird\\", CSS_PSEUDO);
    EXPECT_EQ(generate(*root), "a\\20 b {\r\n}\r\n"
                               ".x\\.y\\:z {\r\n    my\\20 key: 1;\r\n    \xC3\xA4-_9: 2;\r\n}\r\n"
                               "@kw-settings new\\A line {\r\n}\r\n"
                               ":--weird\\\\ {\r\n}\r\n");
}

} // namespace
} // namespace kw::css
