// The dialog "Startseite" on a temporary portal: what it shows after reading, the enable rules, "Liste"
// through the server file dialog, and OK's question and write.
#include "editors/CPortalStartPageDlg.h"

#include "EditorsTestSupport.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"
#include "controls/CSrvFileSelDlg.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace kw::editors {
namespace {

using namespace kw::editors::test;
using kw::test::whenModal;

constexpr const char *kScriptPath = "_KwInclude\\KwCompany\\KwStartPage.asp";
constexpr const char *kQuestion = "Wollen Sie die Startseite(n) wirklich ändern?";

std::string script(const std::string &anonymous, const std::string &main)
{
    return "<%\r\nl_strAnoTarget = \"" + anonymous + "\"\r\nl_strMainTarget = \"" + main + "\"\r\n%>\r\n";
}

class PortalStartPageDlgTest : public ::testing::Test {
protected:
    kw::test::TempPortal portal{false};
    kw::test::ScriptedPrompter prompter;

    std::string stored() const { return portal.read(kScriptPath); }
    static bool checked(QWidget &dialog, int id) { return control<QRadioButton>(dialog, id)->isChecked(); }
    static bool enabled(QWidget &dialog, int id) { return control<QWidget>(dialog, id)->isEnabled(); }
    static QString text(QWidget &dialog, int id) { return control<QLineEdit>(dialog, id)->text(); }
};

TEST_F(PortalStartPageDlgTest, ShowsTheScriptAndEnablesOnlyTheAlternativeGroup)
{
    portal.write(kScriptPath,
                 script("kwapplications/kwarea/kwportlets.asp", "KwApplications/KwArea/Home.asp"));
    CPortalStartPageDlg dialog(portal.env(), prompter);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Startseite"));
    EXPECT_TRUE(checked(dialog, res::IDC_ANONYMOUS_STANDARD));
    EXPECT_TRUE(checked(dialog, res::IDC_MAIN_ALTERNATIVE));
    EXPECT_EQ(text(dialog, res::IDC_MAIN_PAGE), QStringLiteral("Home.asp"));
    EXPECT_FALSE(enabled(dialog, res::IDC_ANONYMOUS_PAGE));
    EXPECT_FALSE(enabled(dialog, res::IDC_ANONYMOUS_LIST));
    EXPECT_TRUE(enabled(dialog, res::IDC_MAIN_PAGE));
    EXPECT_TRUE(enabled(dialog, res::IDC_MAIN_LIST));
    for (int id : {res::IDC_ANONYMOUS_PAGE, res::IDC_MAIN_PAGE})
        EXPECT_FALSE(control<QLineEdit>(dialog, id)->accessibleName().isEmpty()) << id;
    EXPECT_EQ(control<QWidget>(dialog, res::IDC_HEADER_ANONYMOUS)->findChild<QLabel *>()->text(),
              QString::fromUtf8(" Startseite für &anonymen Benutzer"));
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();

    // The radio buttons switch the edit and "Liste" of their own group only.
    click(dialog, res::IDC_ANONYMOUS_ALTERNATIVE);
    EXPECT_TRUE(enabled(dialog, res::IDC_ANONYMOUS_PAGE));
    EXPECT_TRUE(enabled(dialog, res::IDC_ANONYMOUS_LIST));
    click(dialog, res::IDC_MAIN_CUSTOM);
    EXPECT_FALSE(enabled(dialog, res::IDC_MAIN_PAGE));
    EXPECT_FALSE(enabled(dialog, res::IDC_MAIN_LIST));
    EXPECT_TRUE(enabled(dialog, res::IDC_ANONYMOUS_PAGE));
    EXPECT_TRUE(dialog.startPage().changed());
}

TEST_F(PortalStartPageDlgTest, OkWithoutChangeWritesNothingAndAReadErrorIsReported)
{
    CPortalStartPageDlg dialog(portal.env(), prompter);
    dialog.show();
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12578}); // no script yet
    EXPECT_TRUE(checked(dialog, res::IDC_ANONYMOUS_STANDARD));
    EXPECT_TRUE(checked(dialog, res::IDC_MAIN_STANDARD));
    prompter.clear();
    click(dialog, 1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(portal.exists(kScriptPath));
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(PortalStartPageDlgTest, TypingAndNoThenYesWritesTheScript)
{
    portal.write(kScriptPath,
                 script("KwApplications/KwArea/KwPortlets.asp", "KwApplications/KwArea/KwPortlets.asp"));
    const std::string before = stored();
    {
        CPortalStartPageDlg declined(portal.env(), prompter);
        declined.show();
        click(declined, res::IDC_MAIN_ALTERNATIVE);
        type(declined, res::IDC_MAIN_PAGE, QStringLiteral("Own.asp"));
        prompter.answerNo();
        click(declined, 1);
        EXPECT_FALSE(declined.isVisible());
        EXPECT_EQ(prompter.questions(), std::vector<std::string>{kQuestion});
        EXPECT_EQ(stored(), before);
    }
    prompter.clear();
    CPortalStartPageDlg dialog(portal.env(), prompter);
    dialog.show();
    click(dialog, res::IDC_ANONYMOUS_ALTERNATIVE);
    type(dialog, res::IDC_ANONYMOUS_PAGE, QStringLiteral("../Public/Entry.htm"));
    click(dialog, res::IDC_MAIN_ALTERNATIVE);
    type(dialog, res::IDC_MAIN_PAGE, QStringLiteral("Own.asp"));
    prompter.answerYes();
    click(dialog, 1);
    EXPECT_EQ(prompter.questions(), std::vector<std::string>{kQuestion});
    EXPECT_EQ(stored(), script("../Public/Entry.htm", "KwApplications/KwArea/Own.asp"));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(PortalStartPageDlgTest, ListPicksAPageOfTheAreaFolder)
{
    portal.write("KwApplications\\KwArea\\Home.asp", "<% %>");
    portal.write("KwApplications\\KwArea\\Info.HTM", "<html>");
    portal.write("KwApplications\\KwArea\\logo.gif", "GIF89a");
    portal.write(kScriptPath,
                 script("KwApplications/KwArea/Home.asp", "KwApplications/KwArea/KwCustomMenu.asp"));
    CPortalStartPageDlg dialog(portal.env(), prompter);
    dialog.show();
    whenModal([](QDialog &shown) {
        auto &files = static_cast<kw::controls::CSrvFileSelDlg &>(shown);
        // Web pages only, the current page proposed.
        EXPECT_EQ(files.listedFiles(), (std::vector<std::string>{"Home.asp", "Info.HTM"}));
        auto *list = shown.findChild<QListWidget *>(QStringLiteral("files"));
        ASSERT_NE(list->currentItem(), nullptr);
        EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Home.asp"));
        list->setCurrentRow(1);
        click(shown, 1);
    });
    click(dialog, res::IDC_ANONYMOUS_LIST);
    EXPECT_EQ(text(dialog, res::IDC_ANONYMOUS_PAGE), QStringLiteral("Info.HTM"));
    EXPECT_TRUE(dialog.startPage().changed());

    // Cancelling the file dialog keeps the page.
    whenModal([](QDialog &shown) { shown.reject(); });
    click(dialog, res::IDC_ANONYMOUS_LIST);
    EXPECT_EQ(text(dialog, res::IDC_ANONYMOUS_PAGE), QStringLiteral("Info.HTM"));

    prompter.answerYes();
    click(dialog, 1);
    EXPECT_EQ(stored(), script("KwApplications/KwArea/Info.HTM", "KwApplications/KwArea/KwCustomMenu.asp"));
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST_F(PortalStartPageDlgTest, HelpShowsItsTopic)
{
    RecordedHelp help;
    portal.write(kScriptPath, script("", ""));
    CPortalStartPageDlg dialog(portal.env(), prompter);
    dialog.show();
    click(dialog, res::IDC_START_PAGE_HELP);
    EXPECT_TRUE(help.shown().contains(QStringLiteral("74.htm"))) << help.shown().join(' ').toStdString();
}

} // namespace
} // namespace kw::editors
