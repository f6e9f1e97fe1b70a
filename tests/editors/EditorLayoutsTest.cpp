// The portal settings editors and the access rights dialog on a temporary demo portal, each on every one of
// its tabs: every control has a place of its own, none lies over another or stays unshown (the main-menu
// editor's test is beside its other tests).
#include "controls/CObjectRightsDlg.h"
#include "editors/CCountrySettingsDlg.h"
#include "editors/CMenuItemStartPageDlg.h"
#include "editors/CPersonalCalendarDlg.h"
#include "editors/CPortalStartPageDlg.h"
#include "editors/CWelcomeTextSheet.h"

#include "EditorsTestSupport.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

namespace kw::editors {
namespace {

TEST(EditorLayouts, EveryControlHasAPlaceOfItsOwn)
{
    kw::test::TempPortal portal;
    kw::test::ScriptedPrompter prompter;
    layout::CompanySettings company;
    std::int32_t defaultLanguage = 0;
    layout::readCompanySettings(portal.env(), company, defaultLanguage, prompter);
    portal.write("_KwInclude\\KwCompany\\KwStartPage.asp",
                 "<%\r\nl_strAnoTarget = \"\"\r\nl_strMainTarget = \"\"\r\n%>\r\n");
    portalsettings::MenuEntry entry;
    entry.id = 40;
    const std::pair<const char *, std::function<std::unique_ptr<QDialog>()>> editors[] = {
        {"portal start page", [&] { return std::make_unique<CPortalStartPageDlg>(portal.env(), prompter); }},
        {"menu entry start page",
         [&] {
             return std::make_unique<CMenuItemStartPageDlg>(
                 portal.env(), prompter, portalsettings::MenuItemStartPage::forEntry(entry, "Aktuelles"));
         }},
        {"country settings", [&] { return std::make_unique<CCountrySettingsDlg>(portal.env(), prompter); }},
        {"personal calendar", [&] { return std::make_unique<CPersonalCalendarDlg>(portal.env(), prompter); }},
        {"access rights",
         [&] { return std::make_unique<controls::CObjectRightsDlg>(portal.env(), prompter); }},
        {"welcome text",
         [&] {
             return std::make_unique<CWelcomeTextSheet>(portal.env(), prompter, company, defaultLanguage);
         }},
    };
    for (const auto &[name, make] : editors) {
        SCOPED_TRACE(name);
        const std::unique_ptr<QDialog> dialog = make();
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        EXPECT_EQ(test::misplacedOnEveryTab(*dialog).join(", ").toStdString(), "");
        dialog->reject();
    }
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

} // namespace
} // namespace kw::editors
