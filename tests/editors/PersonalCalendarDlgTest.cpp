// The dialog "Persönlicher Kalender veröffentlichen" on a temporary demo portal: the sorted main menu,
// the current entry, and the database row that OK changes only on a real change.
#include "editors/CPersonalCalendarDlg.h"

#include "EditorsTestSupport.h"
#include "FaultInjection.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <QComboBox>

namespace kw::editors {
namespace {

using namespace kw::editors::test;

class PersonalCalendarDlgTest : public ::testing::Test {
protected:
    kw::test::TempPortal portal;
    kw::test::ScriptedPrompter prompter;

    /// The calendar's entry as the database holds it.
    std::int32_t storedEntry()
    {
        kw::test::ScriptedPrompter quiet;
        portalsettings::PersonalCalendar calendar(portal.env(), quiet);
        calendar.load();
        return calendar.currentEntry();
    }
    static QStringList rows(QComboBox &list)
    {
        QStringList names;
        for (int i = 0; i < list.count(); ++i)
            names << list.itemText(i);
        return names;
    }
};

TEST_F(PersonalCalendarDlgTest, ShowsTheMainMenuAndStoresOnlyAChange)
{
    {
        // OK without a change runs no statement (a failing one would be reported).
        kw::test::FaultPlan noSql;
        noSql.failSql = true;
        CPersonalCalendarDlg dialog(kw::test::withFaults(portal.env(), noSql), prompter);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Persönlicher Kalender veröffentlichen"));
        QComboBox *list = control<QComboBox>(dialog, res::IDC_MAIN_MENU);
        EXPECT_EQ(rows(*list), (QStringList{"Administration", "Aktuelles", "Dokumente", "Projekte",
                                            "Startseite", "Suche", "Team"}));
        EXPECT_EQ(list->currentText(), QStringLiteral("Projekte"));
        EXPECT_EQ(list->currentData().toInt(), 41);
        EXPECT_FALSE(list->accessibleName().isEmpty());
        click(dialog, 1);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
    }

    CPersonalCalendarDlg dialog(portal.env(), prompter);
    dialog.show();
    QComboBox *list = control<QComboBox>(dialog, res::IDC_MAIN_MENU);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Down); // Startseite
    QTest::keyClick(list, Qt::Key_Down); // Suche
    ASSERT_EQ(list->currentData().toInt(), 33);
    click(dialog, 1);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(storedEntry(), 33);
}

TEST_F(PersonalCalendarDlgTest, CancelNeverStores)
{
    CPersonalCalendarDlg dialog(portal.env(), prompter);
    dialog.show();
    QComboBox *list = control<QComboBox>(dialog, res::IDC_MAIN_MENU);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Home);
    click(dialog, 2);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(storedEntry(), 41);
}

TEST_F(PersonalCalendarDlgTest, UnknownCurrentEntryProposesTheFirstRow)
{
    auto files = server::createObject<server::IFileService>(portal.factory());
    files->AttachSession(portal.session());
    files->ExecuteSql("UPDATE krapp SET lnavformid=77 WHERE lid=31");
    CPersonalCalendarDlg dialog(portal.env(), prompter);
    dialog.show();
    EXPECT_EQ(control<QComboBox>(dialog, res::IDC_MAIN_MENU)->currentText(),
              QStringLiteral("Administration"));
    click(dialog, 1);
    EXPECT_EQ(storedEntry(), 32);
}

TEST_F(PersonalCalendarDlgTest, ServerErrorsAreReportedAndHelpShowsItsTopic)
{
    kw::test::TempPortal bare(false);
    {
        CPersonalCalendarDlg dialog(bare.env(), prompter);
        dialog.show();
        EXPECT_EQ(prompter.errorIds(), std::vector<int>{12504});
        EXPECT_EQ(control<QComboBox>(dialog, res::IDC_MAIN_MENU)->count(), 0);
        click(dialog, 1); // stores nothing and closes
        EXPECT_FALSE(dialog.isVisible());
    }

    prompter.clear();
    kw::test::FaultPlan failing;
    failing.failSql = true;
    CPersonalCalendarDlg dialog(kw::test::withFaults(portal.env(), failing), prompter);
    dialog.show();
    RecordedHelp help;
    click(dialog, res::IDC_HELP_BUTTON);
    EXPECT_TRUE(help.shown().contains(QStringLiteral("58.htm"))) << help.shown().join(' ').toStdString();
    EXPECT_TRUE(dialog.isVisible());

    QComboBox *list = control<QComboBox>(dialog, res::IDC_MAIN_MENU);
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    click(dialog, 1);
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12598});
    EXPECT_FALSE(dialog.isVisible()); // the dialog closes all the same
    EXPECT_EQ(storedEntry(), 41);
}

} // namespace
} // namespace kw::editors
