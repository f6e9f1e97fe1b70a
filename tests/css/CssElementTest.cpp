// Elements, property lists, tree comparison and the document's own operations.
#include "CssTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kw::css {
namespace {

using test::add;
using test::newRoot;

std::vector<std::string> namesOf(const PropertyList &list)
{
    std::vector<std::string> names;
    for (const Property &property : list)
        names.push_back(property.name + "=" + property.value);
    return names;
}

TEST(CssPropertyTest, SetReplacesInPlaceIgnoringCaseAndTakesTheNewSpelling)
{
    CCssElement element("TD", CSS_TAG);
    element.SetProperty("COLOR", "red");
    element.SetProperty("Width", "1px");
    element.SetProperty("color", "blue");
    EXPECT_EQ(namesOf(element.GetProperties()), (std::vector<std::string>{"color=blue", "Width=1px"}));
    ASSERT_NE(element.GetProperty("CoLoR"), nullptr);
    EXPECT_EQ(*element.GetProperty("CoLoR"), "blue");
    EXPECT_EQ(element.GetProperty("COLOUR"), nullptr);
    EXPECT_EQ(element.GetProperty(""), nullptr);
}

TEST(CssPropertyTest, OnlyAsciiLettersFoldCase)
{
    CCssElement element("TD", CSS_TAG);
    element.SetProperty("\xC3\x84rger", "1"); // "Ärger": the umlaut must not fold
    element.SetProperty("\xC3\xA4rger", "2");
    EXPECT_EQ(element.GetProperties().size(), 2u);
    EXPECT_TRUE(EqualsIgnoreAsciiCase("Font-Size", "FONT-SIZE"));
    EXPECT_FALSE(EqualsIgnoreAsciiCase("FONT-SIZE", "FONT_SIZE"));
    EXPECT_FALSE(EqualsIgnoreAsciiCase("@", "`")); // 0x40 and 0x60 are no letters
}

TEST(CssPropertyTest, LongListsKeepOrderAndFindEveryName)
{
    PropertyList list;
    for (int i = 0; i < 1000; ++i)
        list.set("P" + std::to_string(i), std::to_string(i));
    list.set("p500", "changed");
    list.set("NEW", "last");
    ASSERT_EQ(list.size(), 1001u);
    EXPECT_EQ(list[500].name, "p500");
    EXPECT_EQ(list[500].value, "changed");
    EXPECT_EQ(list[1000].name, "NEW");
    for (int i = 0; i < 1000; ++i) {
        const Property *found = list.find("p" + std::to_string(i));
        ASSERT_NE(found, nullptr) << i;
        EXPECT_EQ(found, &list[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(list.find("new"), &list[1000]);
    list.clear();
    EXPECT_EQ(list.find("P1"), nullptr);
    list.set("a", "1");
    EXPECT_EQ(list.size(), 1u);
}

TEST(CssElementTest, FindChildIsExactAndTakesTheFirst)
{
    CCssElement parent("A", CSS_TAG);
    CCssElement *first = &add(parent, "link", CSS_PSEUDO);
    CCssElement *lower = &add(parent, "kwmainlink", CSS_CLASS);
    add(parent, "link", CSS_CLASS);
    EXPECT_EQ(parent.FindChild("link"), first);
    EXPECT_EQ(parent.FindChild("kwmainlink"), lower);
    EXPECT_EQ(parent.FindChild("KwMainLink"), nullptr);
    EXPECT_EQ(parent.FindChild(""), nullptr);
}

TEST(CssElementTest, SetChildTakesOwnershipAndKeepsOrder)
{
    CCssElement parent("TD", CSS_TAG);
    auto *raw = new CCssElement("KwPortal", CSS_CLASS);
    EXPECT_EQ(parent.SetChild(raw), raw);
    auto owned = std::make_unique<CCssElement>("H1", CSS_CLASS);
    CCssElement *expected = owned.get();
    EXPECT_EQ(parent.SetChild(std::move(owned)), expected);
    EXPECT_EQ(parent.SetChild(nullptr), nullptr);
    EXPECT_EQ(parent.SetChild(std::unique_ptr<CCssElement>()), nullptr);
    ASSERT_EQ(parent.GetChildren().size(), 2u);
    EXPECT_EQ(parent.GetChildren()[0].get(), raw);
    EXPECT_EQ(parent.GetChildren()[1].get(), expected);
    EXPECT_EQ(raw->GetName(), "KwPortal");
    EXPECT_EQ(raw->GetType(), CSS_CLASS);
}

TEST(CssElementTest, EqualityLooksAtEverything)
{
    auto build = [](int variant) {
        auto root = newRoot();
        CCssElement &td = add(*root, variant == 1 ? "TH" : "TD", variant == 2 ? CSS_CLASS : CSS_TAG);
        if (variant == 3) {
            td.SetProperty("B", "2");
            td.SetProperty("A", "1");
        } else {
            td.SetProperty(variant == 4 ? "a" : "A", "1");
            td.SetProperty("B", variant == 5 ? "3" : "2");
        }
        if (variant == 6) {
            add(td, "y", CSS_CLASS);
            add(td, "x", CSS_CLASS);
        } else {
            add(td, "x", CSS_CLASS);
            add(td, "y", CSS_CLASS);
        }
        if (variant == 7)
            add(td, "z", CSS_CLASS);
        CCssElement &deep = add(add(*root, "", CSS_BLOCK), "MOUSE", CSS_TAG);
        deep.SetProperty("COLOR-IN", variant == 8 ? "#000001" : "#000000");
        return root;
    };
    const auto reference = build(0);
    EXPECT_TRUE(*build(0) == *reference);
    const char *what[] = {"",        "name",        "kind",        "property order", "property name case",
                          "a value", "child order", "extra child", "deep value"};
    for (int variant = 1; variant <= 8; ++variant)
        EXPECT_FALSE(*build(variant) == *reference) << what[variant];
}

TEST(CssElementTest, VeryDeepTreesCompareAndDestroyWithoutRecursion)
{
    auto chain = [] {
        auto root = newRoot();
        CCssElement *last = root.get();
        for (int i = 0; i < 300000; ++i) // far deeper than recursion could go
            last = &add(*last, "A", CSS_TAG);
        return root;
    };
    auto a = chain();
    auto b = chain();
    EXPECT_TRUE(*a == *b);
    CCssElement *tip = b.get();
    while (!tip->GetChildren().empty())
        tip = tip->GetChildren().front().get();
    tip->SetProperty("x", "y");
    EXPECT_FALSE(*a == *b);
}

TEST(CssDocumentTest, NewEmptiesTheRootInPlace)
{
    CCssDocument document;
    CCssElement &root = document.Root();
    EXPECT_EQ(root.GetName(), "");
    EXPECT_EQ(static_cast<int>(root.GetType()), 0);
    add(root, "BODY", CSS_TAG, {{"COLOR", "red"}});
    root.SetProperty("stray", "1");
    document.New();
    EXPECT_EQ(&document.Root(), &root);
    EXPECT_TRUE(root.GetChildren().empty());
    EXPECT_TRUE(root.GetProperties().empty());
    EXPECT_EQ(document.GenerateCss(), "");
}

TEST(CssDocumentTest, LoadCssChecksItsArgumentsAndAlwaysStartsEmpty)
{
    CCssDocument document;
    const char text[] = "BODY { COLOR: red }";
    const int length = static_cast<int>(std::strlen(text));
    auto fill = [&] { add(document.Root(), "OLD", CSS_TAG); };

    fill();
    EXPECT_FALSE(document.LoadCss(text, -1, true));
    EXPECT_TRUE(document.Root().GetChildren().empty());
    fill();
    EXPECT_FALSE(document.LoadCss(nullptr, 5, true));
    EXPECT_TRUE(document.Root().GetChildren().empty());
    fill();
    EXPECT_TRUE(document.LoadCss(nullptr, 0, true));
    EXPECT_TRUE(document.Root().GetChildren().empty());
    fill();
    EXPECT_TRUE(document.LoadCss(text, length, false));
    EXPECT_TRUE(document.Root().GetChildren().empty());
    fill();
    EXPECT_TRUE(document.LoadCss(text, length, true));
    ASSERT_EQ(document.Root().GetChildren().size(), 1u);
    EXPECT_EQ(document.Root().GetChildren()[0]->GetName(), "BODY");
}

TEST(CssDocumentTest, LoadCssReadsExactlyCountBytes)
{
    const std::string buffer = "A { x: 1 }B { y: 2 }"; // the count ends the text after the first rule
    CCssDocument document;
    ASSERT_TRUE(document.LoadCss(buffer.data(), 10, true));
    EXPECT_EQ(DumpTree(document.Root()), "T A\n  x=1\n");
    ASSERT_TRUE(document.LoadCss(buffer.data(), 8, true)); // cut inside the value
    EXPECT_EQ(DumpTree(document.Root()), "T A\n  x=1\n");
    ASSERT_TRUE(document.LoadCss(buffer.data(), 7, true));
    EXPECT_EQ(DumpTree(document.Root()), "T A\n  x=\n");
}

} // namespace
} // namespace kw::css
