// Every script the portal gets from what an administrator types: texts with double quotes, "%>", a script
// element's end and line breaks are published by kwlayout, then each script is read by the tests' own
// VBScript reader, which must find it valid and holding exactly the typed texts; kwlayout reads them back
// the same.
#include "BackendTest.h"
#include "KwlayoutRun.h"
#include "TempPortal.h"
#include "VbsScriptReader.h"

#include "base/TextCodec.h"
#include "server/LocalPortal.h"

#include <gtest/gtest.h>

namespace kw::test {
namespace {

namespace fs = std::filesystem;

class PublishedScriptsTest : public BackendTest {
protected:
    TempDir dir;
    fs::path portal = dir.path() / "portal";

    void SetUp() override
    {
        BackendTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_EQ(kwlayout("portal-init --demo" + databaseOption()).status, 0);
    }
    Result kwlayout(const std::string &arguments) const
    {
        return run(kwlayoutCommand(portal, "--yes " + arguments) + " 2>&1");
    }
    /// The script as the tests' reader sees it; a script it finds broken fails the case.
    VbsScript script(const std::string &relative) const
    {
        const VbsScript read = readVbsScript(cp1252ToUtf8(readFile(portal / relative)));
        EXPECT_EQ(read.error, "") << relative << ":\n" << readFile(portal / relative);
        return read;
    }
};

KW_ON_BOTH_BACKENDS(PublishedScriptsTest);

TEST_P(PublishedScriptsTest, EveryScriptIsValidAndHoldsExactlyTheTypedTexts)
{
    const std::string welcome = "Sag \"Hallo\" %> <% Response.End %>\r\nzweite Zeile\nGrüße</SCRIPT>";
    const std::string logo = "Firma \"A\" %>.gif";
    const std::string mainPage = "Seite \"1\" %>.asp";
    const std::string anonymousPage = "sub/\"x\"%>.asp";
    const std::string bullet = "Kugel \"groß\" %> </script>.gif";
    writeFile(portal / "Images/Company" / logo, "GIF89a");

    Result r = kwlayout("welcome --language 1031 " + shellWord(welcome));
    ASSERT_EQ(r.status, 0) << r.out;
    r = kwlayout("logo " + shellWord(logo)); // publishes MainLogo.asp and welcome.asp in the literal form
    ASSERT_EQ(r.status, 0) << r.out;
    r = kwlayout("start-page --main " + shellWord("page:" + mainPage) + " --anonymous " +
                 shellWord("page:" + anonymousPage));
    ASSERT_EQ(r.status, 0) << r.out;
    r = kwlayout("country-settings --format 0 --decimal % --grouping '>' --monetary-decimal '<' "
                 "--monetary-grouping /");
    ASSERT_EQ(r.status, 0) << r.out;
    r = kwlayout("set 'Aktives Layout' " + shellWord("page.bulletBigPath=" + bullet));
    ASSERT_EQ(r.status, 0) << r.out;

    EXPECT_EQ(script("_KwStyle/welcome.asp").values["l_strWelcome"], welcome);
    EXPECT_EQ(script("_KwStyle/MainLogo.asp").values["strCompanyLogo"], logo);
    const VbsScript startPage = script("_KwInclude/KwCompany/KwStartPage.asp");
    EXPECT_EQ(startPage.values.at("l_strMainTarget"), "KwApplications/KwArea/" + mainPage);
    EXPECT_EQ(startPage.values.at("l_strAnoTarget"), anonymousPage);
    const VbsScript country = script("_KwInclude/KwCompany/KwDataFormat.asp");
    EXPECT_EQ(country.values.at("Application(\"g_LCID\")"), "1033");
    EXPECT_EQ(country.values.at("Application(\"g_strDecimalSymbol\")"), "%");
    EXPECT_EQ(country.values.at("Application(\"g_strDecimalGroupingSymbol\")"), ">");
    EXPECT_EQ(country.values.at("Application(\"g_strMonetaryDecimalSymbol\")"), "<");
    EXPECT_EQ(country.values.at("Application(\"g_strMonetaryDecimalGroupingSymbol\")"), "/");
    EXPECT_EQ(script("_KwInclude/KwCompany/KwStyles.asp").values["Application(\"g_strBigBulletPath\")"],
              "../../images/company/" + bullet);
    script("_KwInclude/KwCompany/LayoutSettings.asp");
    script("_KwStyle/rollover.asp");

    // The program reads back what it wrote.
    EXPECT_EQ(run(kwlayoutCommand(portal, "logo") + " 2>/dev/null").out, logo + "\n");
    EXPECT_EQ(run(kwlayoutCommand(portal, "start-page") + " 2>/dev/null").out,
              "anonymous=page:" + anonymousPage + "\nmain=page:" + mainPage + "\n");
    EXPECT_EQ(run(kwlayoutCommand(portal, "country-settings") + " 2>/dev/null").out,
              "format=0\ndecimal=%\ngrouping=>\nmonetary-decimal=<\nmonetary-grouping=/\n");
    // Without the language texts the welcome text comes from the literal welcome.asp: all of it.
    {
        const server::Environment env = server::LocalPortal::open(portal);
        auto files = server::createObject<server::IFileService>(*env.factory);
        files->AttachSession(env.session);
        files->ExecuteSql("DELETE FROM texts WHERE text_key='lc_WelcomeMsg'");
    }
    EXPECT_EQ(run(kwlayoutCommand(portal, "welcome") + " 2>/dev/null").out,
              "1031\tDeutsch*\tSag \"Hallo\" %> <% Response.End %>\\nzweite Zeile\\nGrüße</SCRIPT>\n"
              "1033\tEnglish\t\n"); // all texts were removed
}

// The reader of these tests finds what the program once wrote broken: it is no stand-in that accepts
// anything.
TEST(VbsScriptReaderTest, FindsBrokenScripts)
{
    EXPECT_NE(readVbsScript("<%\r\nl_strWelcome = \"a %> b\"\r\n%>\r\n").error, "");
    EXPECT_NE(readVbsScript("<%\r\nl_strWelcome = \"a\r\nb\"\r\n%>\r\n").error, "");
    EXPECT_NE(readVbsScript("<%\r\nl_strWelcome = \"Sag \"Hallo\"\"\r\n%>\r\n").error, "");
    EXPECT_NE(readVbsScript("<SCRIPT RUNAT=Server>\r\nx = \"</script>\"\r\n</SCRIPT>\r\n").error, "");
    EXPECT_NE(readVbsScript("Hallo <% x = 1 %>").error, "");
    const VbsScript good = readVbsScript("<%\r\nx = \"a\"\"b\" & vbCrLf & \"c\"\r\n%>\r\n");
    EXPECT_EQ(good.error, "");
    EXPECT_EQ(good.values.at("x"), "a\"b\r\nc");
}

} // namespace
} // namespace kw::test
