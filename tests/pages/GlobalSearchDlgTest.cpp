// The dialog "Globale Suche": its enable rule and when it marks the layout modified.
#include "pages/CGlobalSearchDlg.h"

#include "layout/LayoutDocument.h"

#include "PagesTestSupport.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

namespace kw::pages {
namespace {

using namespace kw::pages::test;
using layout::GlobalSearchValues;
using layout::Pane;

class GlobalSearchDlgTest : public ::testing::Test {
protected:
    kw::test::TempPortal portal{false};
    kw::test::ScriptedPrompter prompter;
    layout::NoLayoutChooser chooser;
    NoWaitIndicator wait;
    layout::LayoutDocument document{portal.env(), prompter, chooser, wait};
};

bool enabled(QWidget &dialog, int id)
{
    return control<QCheckBox>(dialog, id)->isEnabled();
}

TEST_F(GlobalSearchDlgTest, SubSwitchesFollowTheirSearchAndKeepTheirValues)
{
    GlobalSearchValues values;
    values.enableGlobalSearch = true;
    values.searchEmployees = true;
    values.searchEmployeesAnonymous = true;
    CGlobalSearchDlg dialog(values);
    dialog.show();
    EXPECT_EQ(kw::test::misplacedControls(dialog).join(", ").toStdString(), "");
    EXPECT_TRUE(enabled(dialog, res::IDC_SEARCH_EMPLOYEES));
    EXPECT_TRUE(enabled(dialog, res::IDC_SEARCH_EMPLOYEES_ANONYMOUS));
    EXPECT_TRUE(enabled(dialog, res::IDC_SEARCH_APPLICATIONS));
    EXPECT_FALSE(enabled(dialog, res::IDC_SEARCH_APPLICATIONS_ANONYMOUS));

    click(dialog, res::IDC_SEARCH_APPLICATIONS);
    EXPECT_TRUE(enabled(dialog, res::IDC_SEARCH_APPLICATIONS_ANONYMOUS));

    click(dialog, res::IDC_ENABLE_GLOBAL_SEARCH);
    for (int id : {res::IDC_SEARCH_EMPLOYEES, res::IDC_SEARCH_EMPLOYEES_ANONYMOUS,
                   res::IDC_SEARCH_APPLICATIONS, res::IDC_SEARCH_APPLICATIONS_ANONYMOUS})
        EXPECT_FALSE(enabled(dialog, id)) << id;
    GlobalSearchValues expected = values;
    expected.enableGlobalSearch = false;
    expected.searchApplications = true;
    EXPECT_EQ(dialog.values(), expected);
}

TEST_F(GlobalSearchDlgTest, OkMarksTheLayoutModifiedOnlyOnARealChange)
{
    document.model().setSwitch(&layout::PaneSwitches::enableGlobalSearch, true);
    const layout::LayoutModel before = document.model();

    // Flipping a switch and back is no change.
    whenModal([](QDialog &dialog) {
        click(dialog, res::IDC_SEARCH_EMPLOYEES);
        click(dialog, res::IDC_SEARCH_EMPLOYEES);
        click(dialog, 1);
    });
    EXPECT_FALSE(editGlobalSearch(document, Pane::ApplicationPages, nullptr));
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.model(), before);

    // Cancel discards a change.
    whenModal([](QDialog &dialog) {
        click(dialog, res::IDC_SEARCH_EMPLOYEES);
        click(dialog, 2);
    });
    EXPECT_FALSE(editGlobalSearch(document, Pane::ApplicationPages, nullptr));
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.model(), before);

    whenModal([](QDialog &dialog) {
        click(dialog, res::IDC_SEARCH_EMPLOYEES);
        click(dialog, res::IDC_SEARCH_EMPLOYEES_ANONYMOUS);
        click(dialog, 1);
    });
    EXPECT_TRUE(editGlobalSearch(document, Pane::StartPage, nullptr));
    EXPECT_TRUE(document.isModified());
    for (Pane pane : {Pane::StartPage, Pane::ApplicationPages}) {
        EXPECT_TRUE(document.model().switches(pane).enableEmplSearch);
        EXPECT_TRUE(document.model().switches(pane).enableEmplSearchAno);
        EXPECT_FALSE(document.model().switches(pane).enableAppSearch);
    }
}

} // namespace
} // namespace kw::pages
