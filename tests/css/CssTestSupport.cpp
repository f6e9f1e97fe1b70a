// Building trees and loading text for the stylesheet library tests.
#include "CssTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kw::css::test {

CCssElement &add(CCssElement &parent, std::string name, CSSTYPE type, Props props)
{
    CCssElement &child = *parent.SetChild(std::make_unique<CCssElement>(std::move(name), type));
    for (const auto &[key, value] : props)
        child.SetProperty(key, value);
    return child;
}

std::unique_ptr<CCssElement> newRoot()
{
    return std::make_unique<CCssElement>("", static_cast<CSSTYPE>(0));
}

void load(CCssDocument &document, std::string_view text)
{
    ASSERT_TRUE(document.LoadCss(text.data(), static_cast<int>(text.size()), true));
}

std::string loadToDump(std::string_view text)
{
    CCssDocument document;
    load(document, text);
    return DumpTree(document.Root());
}

namespace {

void copyChildren(const CCssElement &from, CCssElement &to)
{
    for (const auto &child : from.GetChildren()) {
        CCssElement &copy = add(to, child->GetName(), child->GetType());
        for (const Property &property : child->GetProperties())
            copy.SetProperty(property.name, property.value);
        copyChildren(*child, copy);
    }
}

} // namespace

void copyInto(const CCssElement &source, CCssDocument &document)
{
    document.New();
    copyChildren(source, document.Root());
}

std::string readDataFile(const std::string &name)
{
    std::ifstream file(std::string(KW_TEST_DATA_DIR) + "/" + name, std::ios::binary);
    if (!file)
        throw std::runtime_error("missing test data file " + name);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}

std::unique_ptr<CCssElement> richTree()
{
    auto root = newRoot();
    CCssElement &body = add(*root, "BODY", CSS_TAG, {{"BACKGROUND-COLOR", "#FFFFFF"}, {"COLOR", "#000000"}});
    add(body, "KwRootTop", CSS_CLASS, {{"BACKGROUND-IMAGE", "url(../images/company/top.gif)"}});

    CCssElement &td1 = add(*root, "TD", CSS_TAG);
    add(td1, "KwPortal", CSS_CLASS, {{"FONT-FAMILY", "Verdana, Arial"}, {"FONT-SIZE", "11px"}});
    add(td1, "KwPortal", CSS_CLASS, {{"FONT-WEIGHT", "700"}}); // same name twice under one parent
    add(*root, "TABLE", CSS_TAG);                              // empty
    CCssElement &td2 = add(*root, "TD", CSS_TAG, {{"TEXT-ALIGN", "left"}});
    add(td2, "H1", CSS_CLASS, {{"COLOR", "#FF0000"}, {"BORDER", ""}}); // an empty value

    CCssElement &a = add(*root, "A", CSS_TAG);
    add(a, "hover", CSS_PSEUDO, {{"TEXT-DECORATION", "underline"}});
    CCssElement &mainLink = add(a, "KwMainLink", CSS_CLASS);
    add(mainLink, "link", CSS_PSEUDO, {{"COLOR", "#0000FF"}, {"font-family", "\"Times New Roman\", serif"}});
    add(mainLink, "visited", CSS_PSEUDO, {{"COLOR", "#0000FF !important"}});
    CCssElement &th = add(*root, "TH", CSS_TAG);
    CCssElement &thA = add(th, "A", CSS_TAG);
    add(thA, "hover", CSS_PSEUDO, {{"COLOR", "#123456"}});
    add(*root, "KwTopLevelClass", CSS_CLASS, {{"WIDTH", "100%"}});
    add(*root, "first-child", CSS_PSEUDO);

    CCssElement &mouseBlock = add(*root, "", CSS_BLOCK);
    CCssElement &mouse = add(mouseBlock, "MOUSE", CSS_TAG);
    add(mouse, "KwRootNavigate", CSS_CLASS, {{"COLOR-IN", "#CCCCFF"}, {"COLOR-CLICKED", "#FFFFFF"}});

    CCssElement &settings = add(*root, "KwStyleAsp", CSS_BLOCK, {{"Version", "10"}});
    add(settings, "Appearance", CSS_CLASS, {{"ShowInfoBar", "true"}, {"ShowLogo", "false"}});
    CCssElement &menu = add(settings, "MenuStyles", CSS_CLASS);
    add(menu, "Top", CSS_CLASS, {{"BorderStyle", "none"}});
    add(menu, "2ndLevel", CSS_CLASS, {{"CloseLeafs", "leaf.gif"}});
    add(menu, "App", CSS_CLASS);
    CCssElement &texts = add(settings, "Texts", CSS_CLASS);
    texts.SetProperty("Description", "Zeile 1\nZeile 2\r\n\"Zitat\" mit \\ und ; { } /* kein Kommentar */");
    texts.SetProperty("Empty", "");
    texts.SetProperty("Spaces", "  padded  ");
    texts.SetProperty("Umlauts", "Begr\xC3\xBC\xC3\x9Fung \xE2\x82\xAC");
    texts.SetProperty("BadUtf8", "\xFF\xFE\x80");
    texts.SetProperty("Controls", std::string("tab\tnul\0bell\a", 13));
    CCssElement &inner = add(settings, "Inner", CSS_BLOCK, {{"Depth", "2"}});
    add(inner, "MOUSE", CSS_TAG, {{"x", "'single'"}});
    add(add(inner, "", CSS_BLOCK), "Deepest", CSS_CLASS, {{"k", "v"}});
    add(settings, "AfterInner", CSS_CLASS, {{"k", "v"}});

    add(*root, "KwButtonStyles", CSS_BLOCK);
    add(*root, "BODY", CSS_TAG, {{"MARGIN", "0px"}}); // a second top-level BODY after the blocks
    add(*root, "odd name.x:y z", CSS_CLASS, {{"odd key: 1", "v"}});
    return root;
}

} // namespace kw::css::test
