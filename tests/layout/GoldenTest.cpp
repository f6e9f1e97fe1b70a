// Every published file of the default layout and of a layout where every field differs from its default,
// compared with expected outputs written independently from the description of those files.
#include "css/CssDocument.h"
#include "layout/LayoutValues.h"
#include "publish/ButtonStylesheet.h"
#include "publish/LayoutStylesheet.h"
#include "publish/MenuStylesheet.h"
#include "publish/SettingsScripts.h"

#include "TempPortal.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace kw::layout {
namespace {

const std::filesystem::path kGoldenDir = std::filesystem::path(KW_TEST_DATA_DIR).parent_path() / "golden";

std::string golden(const std::string &layout, const std::string &file)
{
    const auto path = kGoldenDir / layout / file;
    EXPECT_TRUE(std::filesystem::exists(path)) << path;
    return test::readFile(path);
}

struct Published {
    LayoutModel model;
    LayoutFlags flags;
};

Published layoutNamed(const std::string &layout)
{
    Published p;
    if (layout == "changed") {
        std::istringstream lines(golden(layout, "fields.txt"));
        for (std::string line; std::getline(lines, line);) {
            if (line.empty())
                continue;
            const auto eq = line.find('=');
            setLayoutValue(p.model, p.flags, std::string_view(line).substr(0, eq),
                           std::string_view(line).substr(eq + 1));
        }
    }
    return p;
}

std::string dump(const std::function<void(css::CCssElement &)> &build)
{
    css::CCssDocument document;
    document.New();
    build(document.Root());
    return css::DumpTree(document.Root());
}

class GoldenTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenTest, StylesheetTrees)
{
    const std::string layout = GetParam();
    Published p = layoutNamed(layout);
    publish::LayoutTreeOptions options;
    options.active = true;
    options.entryStyleFromCss = p.flags.entryStyleFromCss;
    options.buttonStylesLoaded = p.flags.buttonStylesLoaded;
    EXPECT_EQ(dump([&](css::CCssElement &root) { publish::buildLayoutTree(p.model, options, root); }),
              golden(layout, "global.css.tree"));
    EXPECT_EQ(dump([&](css::CCssElement &root) {
                  publish::buildMenuTree(p.model, p.flags.entryStyleFromCss, root, nullptr);
              }),
              golden(layout, "menu.css.tree"));
    EXPECT_EQ(dump([&](css::CCssElement &root) {
                  publish::buildButtonStylesheet(p.model.buttons(), p.flags.buttonStylesLoaded, root);
              }),
              golden(layout, "buttonstyles.css.tree"));
    if (layout == "changed") {
        options.active = false;
        EXPECT_EQ(dump([&](css::CCssElement &root) { publish::buildLayoutTree(p.model, options, root); }),
                  golden(layout, "named.kwc.tree"));
    }
}

TEST_P(GoldenTest, SettingsScriptsByteForByte)
{
    const std::string layout = GetParam();
    const Published p = layoutNamed(layout);
    EXPECT_EQ(publish::makeKwStyles(p.model), golden(layout, "KwStyles.asp"));
    EXPECT_EQ(publish::makeLayoutSettings(p.model), golden(layout, "LayoutSettings.asp"));
    EXPECT_EQ(publish::makeRollover(p.model), golden(layout, "rollover.asp"));
}

INSTANTIATE_TEST_SUITE_P(Layouts, GoldenTest, ::testing::Values("default", "changed"));

// "true", "false" and an empty border style are published as "none", in the scripts (both forms) and in
// the stylesheet's menu style classes.
TEST(BorderStyleTest, SwitchWordsAndEmptyArePublishedAsNone)
{
    for (const std::string style : {"true", "false", ""}) {
        Published p;
        for (const char *region : {"KwRootNavigate", "KwNavigate", "KwStartNavigate"})
            setLayoutValue(p.model, p.flags, std::string(region) + ".borderStyle", style);
        // Every border style line of the scripts and of the tree must carry "none".
        const auto expectNoneOnBorderLines = [&](const std::string &text) {
            std::istringstream lines(text);
            int found = 0;
            for (std::string line; std::getline(lines, line);) {
                if (line.find("BorderStyle") == std::string::npos)
                    continue;
                ++found;
                EXPECT_NE(line.find("none"), std::string::npos) << style << ": " << line;
            }
            EXPECT_GT(found, 0);
        };
        expectNoneOnBorderLines(publish::makeKwStyles(p.model));
        expectNoneOnBorderLines(
            dump([&](css::CCssElement &root) { publish::buildLayoutTree(p.model, {}, root); }));
    }
}

} // namespace
} // namespace kw::layout
