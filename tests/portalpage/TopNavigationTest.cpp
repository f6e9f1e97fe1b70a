// The submenu logo's copying of the portal's top-navigation files.
#include "PortalPageTestSupport.h"

#include "portalpage/Elements.h"
#include "portalpage/TopNavigation.h"
#include "server/PortalStore.h"

namespace kw::portalpage {
namespace {

TEST(TopNavigation, PictureNamedInNavTop)
{
    const struct {
        const char *script;
        const char *picture;
    } cases[] = {
        {"<%\r\nl_strNavTop = \"nav_top.gif\"\r\n%>\r\n", "nav_top.gif"},
        {"<% l_strNavTop=\"..\\..\\secret\\nav.gif\" %>", "nav.gif"}, // a bare name only
        {"<% l_strNavTop = \"\" %>", ""},
        {"<% l_strNavTop = nav.gif %>", ""},
        {"<% l_strOther = \"nav.gif\" %>", ""},
        {"<% l_strNavTop = \"nav.gif %>", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(navTopPicture(c.script), c.picture) << c.script;
}

TEST(TopNavigation, TemplateFolderReplacesThePartFromOrg)
{
    EXPECT_EQ(navigationTemplateFolder("C:\\Inetpub\\org\\firma1\\"), "C:\\Inetpub\\orgtempl\\KwNavigate");
    EXPECT_EQ(navigationTemplateFolder("/srv/portal/ORG/firma/"), "/srv/portal/orgtempl\\KwNavigate");
    EXPECT_EQ(navigationTemplateFolder("/srv/organisation/firma/"), std::nullopt);
    EXPECT_EQ(navigationTemplateFolder("/srv/firma\\"), std::nullopt);
}

class TopNavigationCopy : public ::testing::Test {
protected:
    TopNavigationCopy()
    {
        server::createPortalStore(portalRoot, {"Testportal", false, {}});
        env = server::LocalPortal::open(portalRoot);
    }

    void write(const std::filesystem::path &path, const std::string &bytes)
    {
        std::filesystem::create_directories(path.parent_path());
        kw::test::writeFile(path, bytes);
    }

    kw::test::TempDir dir;
    const std::filesystem::path portalRoot = dir.path() / "org" / "firma";
    const std::filesystem::path templateScript = dir.path() / "orgtempl" / "KwNavigate" / "KwNavigateTop.asp";
    server::Environment env;
};

TEST_F(TopNavigationCopy, CopiesThePictureAndTheNavigationScript)
{
    write(portalRoot / "_KwStyle" / "NavTop.asp", "<%\r\nl_strNavTop = \"nav_top.gif\"\r\n%>\r\n");
    write(portalRoot / "Images" / "TopNavigate" / "nav_top.gif", "GIF89a-bytes");
    write(templateScript, "<% ' navigation %>");
    copyTopNavigationFiles(env);
    EXPECT_EQ(kw::test::readFile(portalRoot / "Images" / "Company" / "nav_top.gif"), "GIF89a-bytes");
    EXPECT_EQ(kw::test::readFile(portalRoot / "KwNavigate" / "KwNavigateTop.asp"), "<% ' navigation %>");
}

TEST_F(TopNavigationCopy, MissingSourcesCopyNothing)
{
    // NavTop.asp names a picture that is not there, and there is no template script.
    write(portalRoot / "_KwStyle" / "NavTop.asp", "<% l_strNavTop = \"gone.gif\" %>");
    copyTopNavigationFiles(env);
    EXPECT_FALSE(std::filesystem::exists(portalRoot / "Images" / "Company" / "gone.gif"));
    EXPECT_FALSE(std::filesystem::exists(portalRoot / "KwNavigate" / "KwNavigateTop.asp"));

    // No NavTop.asp at all: the template script is copied all the same.
    std::filesystem::remove(portalRoot / "_KwStyle" / "NavTop.asp");
    write(templateScript, "x");
    copyTopNavigationFiles(env);
    EXPECT_EQ(kw::test::readFile(portalRoot / "KwNavigate" / "KwNavigateTop.asp"), "x");
}

TEST(TopNavigationRebuild, OnlyTheSubmenuLogoCopies)
{
    test::ElementHarness h(true);
    h.portal().write("_KwStyle\\NavTop.asp", "<% l_strNavTop = \"nav_top.gif\" %>");
    h.portal().write("Images\\TopNavigate\\nav_top.gif", "bytes");
    CSubmenuHeadingElement heading(h.model());
    heading.Rebuild(h.context());
    EXPECT_FALSE(h.portal().exists("Images\\Company\\nav_top.gif"));
    CSubmenuLogoElement logo(h.model());
    logo.Rebuild(h.context());
    EXPECT_EQ(h.portal().read("Images\\Company\\nav_top.gif"), "bytes");
}

} // namespace
} // namespace kw::portalpage
