// kwlayout as a user runs it: the built binary on a demo portal in a temporary folder.
#include "DemoPortalCliTest.h"

#include <gtest/gtest.h>

namespace kw::test {
namespace {

// What kwlayout printed on standard output and standard error.
Result kwlayout(const std::filesystem::path &portal, const std::string &arguments)
{
    return run(kwlayoutCommand(portal, arguments) + " 2>&1");
}

// The same without --portal.
Result withoutPortal(const std::string &arguments)
{
    return run(std::string(KW_BINARY_DIR) + "/bin/kwlayout " + arguments + " 2>&1");
}

class KwlayoutTest : public DemoPortalCliTest {};

KW_ON_BOTH_BACKENDS(KwlayoutTest);

TEST_P(KwlayoutTest, DemoPortalHasLayoutsAndPictures)
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
    EXPECT_NE(again.out.find("enthält schon ein Portal"), std::string::npos);
}

TEST_P(KwlayoutTest, NewSetActivateShow)
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

TEST_P(KwlayoutTest, RefusalsSayWhy)
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

TEST_P(KwlayoutTest, ANameIsRequiredAndItsExtensionIsOptional)
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

TEST_P(KwlayoutTest, CopyKeepsTheValues)
{
    EXPECT_EQ(kwlayout(portal, "copy \"Aktives Layout\" Kopie").status, 0);
    const Result active = kwlayout(portal, "show \"Aktives Layout\"");
    const Result copy = kwlayout(portal, "show Kopie");
    EXPECT_EQ(active.out, copy.out);
}

class CountrySettingsCliTest : public KwlayoutTest {
protected:
    std::string script() const { return file("_KwInclude/KwCompany/KwDataFormat.asp"); }
};

KW_ON_BOTH_BACKENDS(CountrySettingsCliTest);

TEST_P(CountrySettingsCliTest, ShowsAndChangesTheScript)
{
    // Only showing writes nothing: it says what the dialog would write instead.
    Result r = kwlayout(portal, "country-settings");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("kwlayout: KwDataFormat.asp is missing or names no known date format; the country "
                         "settings dialog (or this command with options) writes it afresh with format 2; "
                         "nothing was changed\n"),
              std::string::npos)
        << r.out;
    EXPECT_NE(r.out.find("format=2\ndecimal=\ngrouping=\nmonetary-decimal=\nmonetary-grouping=\n"),
              std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(portal / "_KwInclude/KwCompany/KwDataFormat.asp"));

    const std::string change =
        "country-settings --format 1 --decimal . --grouping , --monetary-decimal . --monetary-grouping ,";
    r = kwlayout(portal, change); // a change needs an answer
    EXPECT_EQ(r.status, 3) << r.out;
    EXPECT_NE(r.out.find("Wollen Sie die Ländereinstellungen wirklich ändern?"), std::string::npos);
    // Reading for a change writes the fresh script, as opening the dialog does.
    r = kwlayout(portal, change + " --no");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("KwDataFormat.asp stays unchanged"), std::string::npos);
    EXPECT_NE(script().find("\tApplication(\"g_LCID\") = 1031\r\n"), std::string::npos);

    r = kwlayout(portal, change + " --yes");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("Wollen Sie die Ländereinstellungen wirklich ändern? -> Ja (--yes)\n"),
              std::string::npos);
    EXPECT_EQ(script(), "<SCRIPT LANGUAGE=VBScript RUNAT=Server>\r\n\r\nsub SetDataFormat()\r\n"
                        "\tApplication(\"g_LCID\") = 2057\r\n"
                        "\tApplication(\"g_strDecimalSymbol\") = \".\"\r\n"
                        "\tApplication(\"g_strDecimalGroupingSymbol\") = \",\"\r\n"
                        "\tApplication(\"g_strMonetaryDecimalSymbol\") = \".\"\r\n"
                        "\tApplication(\"g_strMonetaryDecimalGroupingSymbol\") = \",\"\r\n"
                        "\r\nend sub\r\n\r\n</Script>\r\n");
    EXPECT_EQ(kwlayout(portal, "country-settings").out,
              "format=1\ndecimal=.\ngrouping=,\nmonetary-decimal=.\nmonetary-grouping=,\n");

    // The symbols as they are, without a format: no change, no question, nothing written.
    r = kwlayout(portal, "country-settings --decimal . --monetary-grouping ,");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.find("Wollen"), std::string::npos);
    // The same format given again is a click on its button: a change.
    EXPECT_EQ(kwlayout(portal, "country-settings --format 1").status, 3);
}

// Options are checked before the portal is read: reading would write the missing script afresh, and a
// refused option must not leave that behind.
TEST_P(CountrySettingsCliTest, ARefusedOptionWritesNoFreshScript)
{
    for (const char *options : {"--decimal '₹'", "--format 7", "--decimal , --colour ,"}) {
        const Result r = kwlayout(portal, std::string("--yes country-settings ") + options);
        EXPECT_NE(r.status, 0) << options << ": " << r.out;
        EXPECT_FALSE(std::filesystem::exists(portal / "_KwInclude/KwCompany/KwDataFormat.asp")) << options;
    }
}

TEST_P(CountrySettingsCliTest, RefusalsLeaveTheScriptUntouched)
{
    ASSERT_EQ(kwlayout(portal, "--yes country-settings --decimal , --grouping . --monetary-decimal , "
                               "--monetary-grouping .")
                  .status,
              0);
    const std::string before = script();
    const std::pair<std::string, std::string> cases[] = {
        {"--decimal ''", "Das Dezimaltrennzeichen darf nicht leer sein."},
        {"--monetary-decimal ''", "Das Dezimaltrennzeichen darf nicht leer sein."},
        {"--grouping 1", "enthält nicht erlaubte Zeichen, z.B. Ziffern, Vorzeichen"},
        {"--monetary-grouping -", "enthält nicht erlaubte Zeichen"},
        {"--decimal '\"'", "enthält nicht erlaubte Zeichen"},
        {"--grouping ,", "Das Tausendertrennzeichen darf nicht im Dezimaltrennzeichen enthalten sein."},
        {"--monetary-grouping ''",
         "Diese Kombination von Tausender- und Dezimaltrennzeichen ist nicht erlaubt."},
        {"--decimal ab", "--decimal takes at most one character"},
        {"--decimal ☃", "cannot be written into KwDataFormat.asp"},
        {"--format 3", "--format is 0"},
        {"--format x", "--format needs a number"},
        {"--colour ,", "unknown option \"--colour\""},
        {"--grouping", "--grouping needs a value"},
    };
    for (const auto &[options, message] : cases) {
        const Result r = kwlayout(portal, "--yes country-settings " + options);
        EXPECT_NE(r.status, 0) << options;
        EXPECT_NE(r.out.find(message), std::string::npos) << options << ": " << r.out;
        EXPECT_EQ(r.out.find("Wollen"), std::string::npos) << options;
    }
    EXPECT_EQ(script(), before);
}

TEST(StartPageCli, ShowsAndWritesTheStartPagesOfAFreshPortal)
{
    TempDir dir;
    const std::filesystem::path portal = dir.path() / "portal";
    ASSERT_EQ(kwlayout(portal, "portal-init").status, 0);
    const std::filesystem::path script = portal / "_KwInclude/KwCompany/KwStartPage.asp";
    // The page-content record of the user-defined page content.
    auto pageContentRecord = [&] {
        const server::Environment env = server::LocalPortal::open(portal);
        server::Ref<server::IRights> rights = server::createObject<server::IRights>(*env.factory);
        rights->RightsInit(env.session, 1);
        return rights->RightsHas(31, 1);
    };

    // No script yet: reported, shown as the standard start pages.
    Result r = kwlayout(portal, "start-page");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("Die Startseiteninformation konnte nicht gelesen werden."), std::string::npos);
    EXPECT_NE(r.out.find("anonymous=standard\nmain=standard\n"), std::string::npos) << r.out;

    // A change needs an answer; No writes nothing.
    r = kwlayout(portal, "start-page --main page:Home.asp");
    EXPECT_EQ(r.status, 3) << r.out;
    EXPECT_NE(r.out.find("Wollen Sie die Startseite(n) wirklich ändern?"), std::string::npos);
    r = kwlayout(portal, "--no start-page --main page:Home.asp");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("KwStartPage.asp stays unchanged"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(script));

    r = kwlayout(portal, "--yes start-page --anonymous custom --main page:Home.asp");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(readFile(script), "<%\r\nl_strAnoTarget = \"KwApplications/KwArea/KwCustomMenu.asp\"\r\n"
                                "l_strMainTarget = \"KwApplications/KwArea/Home.asp\"\r\n%>\r\n");
    EXPECT_TRUE(pageContentRecord());
    r = kwlayout(portal, "start-page");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "anonymous=custom\nmain=page:Home.asp\n");

    // One group given: the other keeps its choice; a page with a path is written as given.
    r = kwlayout(portal, "--yes start-page --anonymous page:../Public/Entry.htm");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(kwlayout(portal, "start-page").out, "anonymous=page:../Public/Entry.htm\nmain=page:Home.asp\n");
    EXPECT_FALSE(pageContentRecord());

    // Refusals: a message, a non-zero status, nothing asked or written.
    const std::string before = readFile(script);
    const std::pair<std::string, std::string> cases[] = {
        {"--main everyone", "--main is standard, custom or page:NAME"},
        {"--anonymous page:", "needs the name of a page"},
        {"--main page:☃.asp", "Zeichensatz Windows-1252 gespeichert, der diese Zeichen nicht enthält: ☃"},
        {"--start x", "unknown option \"--start\""},
        {"--main", "--main needs a value"},
    };
    for (const auto &[options, message] : cases) {
        r = kwlayout(portal, "--yes start-page " + options);
        EXPECT_NE(r.status, 0) << options;
        EXPECT_NE(r.out.find(message), std::string::npos) << options << ": " << r.out;
        EXPECT_EQ(r.out.find("Wollen"), std::string::npos) << options;
    }
    EXPECT_EQ(readFile(script), before);

    // A double quote is written doubled and read back as typed.
    r = kwlayout(portal, "--yes start-page --main 'page:a\"b.asp'");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(readFile(script).find("l_strMainTarget = \"KwApplications/KwArea/a\"\"b.asp\"\r\n"),
              std::string::npos);
    EXPECT_EQ(kwlayout(portal, "start-page").out, "anonymous=page:../Public/Entry.htm\nmain=page:a\"b.asp\n");
}

TEST_P(KwlayoutTest, CalendarListsAndMovesThePersonalCalendar)
{
    auto listing = [&](int current) {
        std::string out;
        for (const char *line : {"32 Administration", "40 Aktuelles", "42 Dokumente", "41 Projekte",
                                 "31 Startseite", "33 Suche", "43 Team"})
            out += (std::stoi(line) == current ? "* " : "  ") + std::string(line) + "\n";
        return out;
    };
    Result r = kwlayout(portal, "calendar");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, listing(41));
    r = kwlayout(portal, "calendar --json");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("{\"id\": 41, \"name\": \"Projekte\", \"current\": true}"), std::string::npos);
    EXPECT_NE(r.out.find("{\"id\": 43, \"name\": \"Team\", \"current\": false}"), std::string::npos);

    r = kwlayout(portal, "calendar --entry 43");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out, "The personal calendar is now published under \"Team\" (43)\n");
    EXPECT_EQ(kwlayout(portal, "calendar").out, listing(43));
    r = kwlayout(portal, "calendar --entry 43");
    EXPECT_EQ(r.out, "The personal calendar stays under \"Team\" (43)\n");

    r = kwlayout(portal, "calendar --entry 999");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("the main menu has no entry with the id 999"), std::string::npos);
    EXPECT_NE(kwlayout(portal, "calendar --entry Team").status, 0);
    EXPECT_NE(kwlayout(portal, "calendar --json --entry").status, 0);
    EXPECT_EQ(kwlayout(portal, "calendar").out, listing(43));
}

TEST_P(KwlayoutTest, ImageInfoNeedsNoPortal)
{
    const std::string logo = (portal / "Images/Company/logo.png").string();
    Result r = withoutPortal("image-info '" + logo + "'");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.rfind("type=", 0), 0u) << r.out;
    EXPECT_EQ(r.out, kwlayout(portal, "image-info '" + logo + "'").out);
    r = withoutPortal("image-info '" + (dir.path() / "missing.png").string() + "'");
    EXPECT_EQ(r.status, 1);
    // A command on a portal still needs one.
    r = withoutPortal("calendar");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.out.find("--portal DIR is required"), std::string::npos);
}

} // namespace
} // namespace kw::test
