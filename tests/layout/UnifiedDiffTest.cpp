// The unified diff of published files against GNU diff -u on the same texts: hunks, context, merged and
// separate changes, files that do not exist, a missing last line break.
#include "publish/UnifiedDiff.h"

#include "TempPortal.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>

namespace kw::publish {
namespace {

// diff -u's hunks (its two header lines dropped).
std::string gnuHunks(const std::string &before, const std::string &after)
{
    test::TempDir dir;
    test::writeFile(dir.path() / "a", before);
    test::writeFile(dir.path() / "b", after);
    const std::string command =
        "diff -u '" + (dir.path() / "a").string() + "' '" + (dir.path() / "b").string() + "'";
    std::string out;
    FILE *pipe = ::popen(command.c_str(), "r");
    std::array<char, 4096> buffer;
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        out.append(buffer.data(), n);
    ::pclose(pipe);
    for (int line = 0; line < 2 && !out.empty(); ++line)
        out.erase(0, out.find('\n') + 1);
    // The window is German: its diffs say what diff says in a German locale (diffutils' own catalogue).
    const std::string english = "\\ No newline at end of file\n";
    for (std::size_t at; (at = out.find(english)) != std::string::npos;)
        out.replace(at, english.size(), "\\ Kein Zeilenumbruch am Dateiende.\n");
    return out;
}

std::string numbered(int from, int to, const std::string &suffix = "")
{
    std::string text;
    for (int i = from; i <= to; ++i)
        text += "line " + std::to_string(i) + suffix + "\n";
    return text;
}

TEST(UnifiedDiffTest, HunksAreThoseOfDiff)
{
    const std::string base = numbered(1, 30);
    const std::pair<std::string, std::string> cases[] = {
        {base, numbered(1, 14) + "changed\n" + numbered(16, 30)},                    // one line in the middle
        {base, "new first\n" + base},                                                // at the start
        {base, base + "new last\n"},                                                 // at the end
        {base, numbered(1, 5) + "x\n" + numbered(7, 25) + "y\n" + numbered(27, 30)}, // far apart: two hunks
        {base, numbered(1, 10) + "x\n" + numbered(12, 15) + "y\n" + numbered(17, 30)}, // close: one hunk
        {base, numbered(1, 10) + numbered(21, 30)},                                    // lines removed
        {"a\nb", "a\nc"},                                                              // no last line break
        {"a\nb", "a\nb\n"},
        {"", "only\n"},
        {"x\ny\n", ""},
    };
    for (const auto &[before, after] : cases) {
        const std::string ours = unifiedDiff("_KwStyle/global.css", before, after);
        ASSERT_TRUE(ours.starts_with("--- a/_KwStyle/global.css\n+++ b/_KwStyle/global.css\n")) << ours;
        EXPECT_EQ(ours.substr(ours.find("@@")), gnuHunks(before, after)) << before << "\n=>\n" << after;
    }
}

TEST(UnifiedDiffTest, MissingFilesAndEqualOrBinaryContents)
{
    EXPECT_EQ(unifiedDiff("_KwStyle/menu.css", std::string("same\n"), std::string("same\n")), "");
    EXPECT_EQ(unifiedDiff("_KwStyle/menu.css", std::nullopt, std::nullopt), "");
    EXPECT_EQ(unifiedDiff("_KwStyle/menu.css", std::nullopt, std::string("a\n")),
              "--- /dev/null\n+++ b/_KwStyle/menu.css\n@@ -0,0 +1 @@\n+a\n");
    EXPECT_EQ(unifiedDiff("_KwStyle/menu.css", std::string("a\nb\n"), std::nullopt),
              "--- a/_KwStyle/menu.css\n+++ /dev/null\n@@ -1,2 +0,0 @@\n-a\n-b\n");
    EXPECT_EQ(unifiedDiff("Images/Company/logo.png", std::string("P\0x", 3), std::string("P\0y", 3)),
              "Binärdateien a/Images/Company/logo.png und b/Images/Company/logo.png sind verschieden.\n");
}

} // namespace
} // namespace kw::publish
