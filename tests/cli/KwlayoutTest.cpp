// kwlayout as a user runs it: the built binary on a demo portal in a temporary folder.
#include "TempPortal.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace kw::test {
namespace {

struct Result {
    int status = -1;
    std::string out; // standard output and standard error
};

Result kwlayout(const std::filesystem::path &portal, const std::string &arguments)
{
    const std::string command = std::string(KW_BINARY_DIR) + "/bin/kwlayout --portal '" + portal.string() +
                                "' " + arguments + " 2>&1";
    Result result;
    FILE *pipe = ::popen(command.c_str(), "r");
    std::array<char, 4096> buffer;
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        result.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

class KwlayoutTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path portal = dir.path() / "portal";

    void SetUp() override { ASSERT_EQ(kwlayout(portal, "portal-init --demo").status, 0); }
    std::string file(const std::string &relative) const { return readFile(portal / relative); }
};

TEST_F(KwlayoutTest, DemoPortalHasLayoutsAndPictures)
{
    const Result list = kwlayout(portal, "list");
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "Aktives Layout\nBaummenue\nBlau\nHerbst\n");
    for (const char *picture : {"logo.png", "header.jpg", "backgrnd_CornerImage.gif"})
        EXPECT_TRUE(std::filesystem::exists(portal / "Images/Company" / picture)) << picture;
    EXPECT_FALSE(std::filesystem::exists(portal / "_KwStyle/NavTop.asp"));
    // Each demo layout has its own switches: the tree menu of "Baummenue" does not leak into the others.
    const Result active = kwlayout(portal, "show \"Aktives Layout\"");
    EXPECT_NE(active.out.find("\nswitch.useTreeMenu=false\n"), std::string::npos);
    EXPECT_NE(active.out.find("\nswitch.showLogo=true\n"), std::string::npos);
    EXPECT_NE(kwlayout(portal, "show Baummenue").out.find("\nswitch.useTreeMenu=true\n"), std::string::npos);
    const Result again = kwlayout(portal, "portal-init --demo");
    EXPECT_NE(again.status, 0);
    EXPECT_NE(again.out.find("already holds a portal"), std::string::npos);
}

TEST_F(KwlayoutTest, NewSetActivateShow)
{
    const std::string before = file("_KwStyle/global.css");
    EXPECT_EQ(kwlayout(portal, "new Test").status, 0);
    EXPECT_TRUE(std::filesystem::exists(portal / "_KwTemplates/Test.kwc"));
    EXPECT_EQ(file("_KwStyle/global.css"), before); // a new layout is not made active

    EXPECT_EQ(kwlayout(portal, "set Test KwRootNavigate.hoverColor=#123456").status, 0);
    EXPECT_NE(file("_KwTemplates/Test.kwc").find("COLOR-IN: \"#123456\""), std::string::npos);
    EXPECT_EQ(file("_KwStyle/global.css"), before);

    const Result activate = kwlayout(portal, "activate Test");
    EXPECT_EQ(activate.status, 0) << activate.out;
    EXPECT_NE(activate.out.find("Wollen Sie dieses Layout wirklich als aktives Layout speichern? -> Ja"),
              std::string::npos);
    EXPECT_NE(file("_KwStyle/rollover.asp").find("Application(\"Top_MouseIn\") = \"#123456\""),
              std::string::npos);
    EXPECT_NE(file("_KwInclude/KwCompany/KwStyles.asp").find("g_bShowButtonTLEffect"), std::string::npos);

    const Result show = kwlayout(portal, "show \"Aktives Layout\"");
    EXPECT_EQ(show.status, 0);
    EXPECT_NE(show.out.find("\nKwRootNavigate.hoverColor=#123456\n"), std::string::npos);
    const Result json = kwlayout(portal, "--json show Test");
    EXPECT_NE(json.out.find("\"KwRootNavigate.hoverColor\": \"#123456\""), std::string::npos);
}

TEST_F(KwlayoutTest, RefusalsSayWhy)
{
    Result r = kwlayout(portal, "set Blau KwRootNavigate.hoverColor=blue");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("KwRootNavigate.hoverColor"), std::string::npos);
    r = kwlayout(portal, "delete \"Aktives Layout\"");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("Das aktive Layout kann nicht gelöscht werden."), std::string::npos);
    r = kwlayout(portal, "delete Nirgends");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("Layoutdatei wurde nicht gefunden."), std::string::npos);
    r = kwlayout(portal, "show Nirgends");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Layout konnte nicht gelesen werden."), std::string::npos);
    r = kwlayout(portal, "new Blau");
    EXPECT_EQ(r.status, 2); // exists: only --yes replaces it
    EXPECT_EQ(kwlayout(portal, "--yes new Blau").status, 0);
    EXPECT_EQ(kwlayout(portal, "delete Blau").status, 0);
    EXPECT_FALSE(std::filesystem::exists(portal / "_KwTemplates/Blau.kwc"));
}

TEST_F(KwlayoutTest, ANameIsRequiredAndItsExtensionIsOptional)
{
    for (const char *nameless : {"new ''", "new .kwc", "new .KWC"}) {
        const Result r = kwlayout(portal, nameless);
        EXPECT_EQ(r.status, 2) << nameless;
        EXPECT_NE(r.out.find("Sie haben keinen Layoutnamen angegeben."), std::string::npos) << r.out;
    }
    EXPECT_FALSE(std::filesystem::exists(portal / "_KwTemplates/.kwc"));
    EXPECT_FALSE(std::filesystem::exists(portal / "_KwTemplates/.kwc.kwc"));
    EXPECT_EQ(kwlayout(portal, "new A.kwc").status, 0);
    EXPECT_EQ(kwlayout(portal, "new Bunt").status, 0);
    EXPECT_TRUE(std::filesystem::exists(portal / "_KwTemplates/A.kwc"));
    EXPECT_EQ(kwlayout(portal, "list").out, "Aktives Layout\nA\nBaummenue\nBlau\nBunt\nHerbst\n");
}

TEST(KwlayoutPortalInit, APlainPortalHasAnActiveLayoutAndOpensWithoutComplaint)
{
    TempDir dir;
    const std::filesystem::path portal = dir.path() / "plain";
    ASSERT_EQ(kwlayout(portal, "portal-init").status, 0);
    for (const char *published :
         {"_KwStyle/global.css", "_KwStyle/menu.css", "_KwStyle/buttonstyles.css", "_KwStyle/rollover.asp",
          "_KwInclude/KwCompany/KwStyles.asp", "_KwInclude/KwCompany/LayoutSettings.asp"})
        EXPECT_TRUE(std::filesystem::exists(portal / published)) << published;
    EXPECT_EQ(kwlayout(portal, "list").out, "Aktives Layout\n");
    const Result show = kwlayout(portal, "show \"Aktives Layout\"");
    EXPECT_EQ(show.status, 0) << show.out;
    // The default layout, which has no corner picture: that is given to layouts made new only.
    EXPECT_NE(show.out.find("\nKwPics.backgroundImage=\n"), std::string::npos) << show.out;
}

TEST_F(KwlayoutTest, CopyKeepsTheValues)
{
    EXPECT_EQ(kwlayout(portal, "copy \"Aktives Layout\" Kopie").status, 0);
    const Result active = kwlayout(portal, "show \"Aktives Layout\"");
    const Result copy = kwlayout(portal, "show Kopie");
    EXPECT_EQ(active.out, copy.out);
}

} // namespace
} // namespace kw::test
