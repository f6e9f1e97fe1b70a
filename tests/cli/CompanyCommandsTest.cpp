// `kwlayout welcome` and `kwlayout logo` on a fresh demo portal: printing, storing, the question before
// the logo is published, and refusals that write nothing.
#include "DemoPortalCliTest.h"

#include <gtest/gtest.h>

namespace kw::test {
namespace {

class CompanyCommandsTest : public DemoPortalCliTest {
protected:
    Result kwlayout(const std::string &arguments) const
    {
        return run(kwlayoutCommand(portal, arguments) + " 2>&1");
    }
    Result quiet(const std::string &arguments) const
    {
        return run(kwlayoutCommand(portal, arguments) + " 2>/dev/null");
    }
};

KW_ON_BOTH_BACKENDS(CompanyCommandsTest);

TEST_P(CompanyCommandsTest, WelcomePrintsAndStoresTheTextsPerLanguage)
{
    Result r = quiet("welcome");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "1031\tDeutsch*\tWillkommen im Demo-Portal!\n1033\tEnglish\tWelcome to the demo portal!\n");

    const std::string tricky = "Say \"hi\" <b>%> it's 100%\nline 2";
    r = quiet("welcome --language 1033 " + shellWord(tricky) + " --language 1031 " + shellWord("Grüß Gott"));
    EXPECT_EQ(r.status, 0);
    const std::string expected =
        "1031\tDeutsch*\tGrüß Gott\n1033\tEnglish\tSay \"hi\" <b>%> it's 100%\\nline 2\n";
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(quiet("welcome").out, expected) << "stored in the portal";
    // The texts live in the translation: the scripts are not touched.
    EXPECT_EQ(file("_KwStyle/welcome.asp").find("Say"), std::string::npos);

    // Refusals store nothing, not even the valid part before them.
    for (const char *bad : {"--language 9999 x", "--language 1031 Neu --language 1033", "--language abc x",
                            "--language 1031 Neu extra"}) {
        r = kwlayout(std::string("welcome ") + bad);
        EXPECT_NE(r.status, 0) << bad;
        EXPECT_NE(r.out.find("kwlayout: "), std::string::npos) << bad;
        EXPECT_EQ(quiet("welcome").out, expected) << bad;
    }
}

TEST_P(CompanyCommandsTest, LogoIsPublishedAfterTheQuestion)
{
    EXPECT_EQ(quiet("logo").out, "logo.png\n");
    const std::string logoBefore = file("_KwStyle/MainLogo.asp");
    const std::string welcomeBefore = file("_KwStyle/welcome.asp");

    Result r = kwlayout("logo header.jpg");
    EXPECT_EQ(r.status, 3) << "the question needs an answer";
    r = quiet("--no logo header.jpg");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "MainLogo.asp stays unchanged\n");
    EXPECT_EQ(file("_KwStyle/MainLogo.asp"), logoBefore);
    EXPECT_EQ(file("_KwStyle/welcome.asp"), welcomeBefore);

    r = quiet("--yes logo header.jpg");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "header.jpg\n");
    EXPECT_EQ(file("_KwStyle/MainLogo.asp"), "<%\r\nstrCompanyLogo = \"header.jpg\"\r\n%>\r\n");
    EXPECT_EQ(file("_KwStyle/welcome.asp"), "<%\r\nl_strWelcome = \"Willkommen im Demo-Portal!\"\r\n%>\r\n");
    EXPECT_EQ(quiet("logo").out, "header.jpg\n");
}

TEST_P(CompanyCommandsTest, LogoRefusesWhatIsNoPictureOfTheFolder)
{
    writeFile(portal / "Images/Company/notes.txt", "text");
    writeFile(portal / "Images/Company/a\"b.gif", "GIF89a");
    const std::string before = file("_KwStyle/MainLogo.asp");
    for (const char *bad : {"missing.gif", "notes.txt", "../logo.png", "'x%>.gif'", "'<b>.gif'", "'☃.gif'"}) {
        const Result r = kwlayout(std::string("--yes logo ") + bad);
        EXPECT_EQ(r.status, 2) << bad << ": " << r.out;
        EXPECT_NE(r.out.find("kwlayout: "), std::string::npos) << bad;
        EXPECT_EQ(file("_KwStyle/MainLogo.asp"), before) << bad;
    }
    EXPECT_EQ(quiet("logo").out, "logo.png\n");

    // A picture whose name holds a double quote is a picture of the folder: the name is written doubled.
    EXPECT_EQ(quiet("--yes logo 'a\"b.gif'").status, 0);
    EXPECT_EQ(file("_KwStyle/MainLogo.asp"), "<%\r\nstrCompanyLogo = \"a\"\"b.gif\"\r\n%>\r\n");
    EXPECT_EQ(quiet("logo").out, "a\"b.gif\n");
}

TEST_P(CompanyCommandsTest, AMainLogoWithoutItsQuotesKeepsNoLogo)
{
    writeFile(portal / "_KwStyle/MainLogo.asp", "<%\r\nstrCompanyLogo = \"firma.gif\r\n%>\r\n");
    Result r = quiet("logo");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "\n");
    writeFile(portal / "_KwStyle/MainLogo.asp", "<% Response.Write(1) %>");
    EXPECT_EQ(quiet("logo").out, "\n");
}

} // namespace
} // namespace kw::test
