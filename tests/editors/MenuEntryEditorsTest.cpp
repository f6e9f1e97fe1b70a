// The editors of a main-menu entry on a temporary demo portal: the access rights dialog with its user
// groups and changed flag, "&Rechte" reading the server once, the start page dialog (12021) with its enable
// rules, "Liste..." and question, and entry 31 opening the portal start page dialog instead.
#include "editors/MenuEntryEditors.h"

#include "EditorsTestSupport.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"
#include "controls/CObjectRightsDlg.h"
#include "controls/CSrvFileSelDlg.h"
#include "editors/CMenuItemStartPageDlg.h"
#include "editors/CPortalStartPageDlg.h"

#include <QListWidget>
#include <QRadioButton>

namespace kw::editors {
namespace {

using namespace kw::editors::test;
using kw::test::whenModal;
using portalsettings::MenuEntry;
using portalsettings::MenuItemStartPage;

constexpr const char *kStandard = "../KwApplications/KwArea/KwArea.asp";

QListWidget *groupList(QWidget &dialog)
{
    auto *list = dialog.findChild<QListWidget *>(QStringLiteral("groups"));
    EXPECT_NE(list, nullptr) << "the rights dialog's group list";
    return list;
}

/// The listed groups as "name" or "[x] name" for a checked one.
QStringList shownGroups(QWidget &dialog)
{
    QStringList rows;
    if (QListWidget *list = groupList(dialog))
        for (int row = 0; row < list->count(); ++row)
            rows << (list->item(row)->checkState() == Qt::Checked ? "[x] " : "") + list->item(row)->text();
    return rows;
}

/// Toggles the check box of a group as the keyboard does: make it current, press the space bar.
void toggle(QWidget &dialog, const QString &name)
{
    QListWidget *list = groupList(dialog);
    ASSERT_NE(list, nullptr);
    const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    list->setFocus();
    list->setCurrentItem(found.front());
    QTest::keyClick(list, Qt::Key_Space);
}

/// Like whenModal, for a dialog that opens after the wait box (whose painting runs the timers early): the
/// step waits until a modal dialog is there.
void whenModalOpens(std::function<void(QDialog &)> step, int tries = 200)
{
    QTimer::singleShot(0, [step = std::move(step), tries]() mutable {
        if (!qobject_cast<QDialog *>(QApplication::activeModalWidget()) && tries > 0) {
            whenModalOpens(std::move(step), tries - 1);
            return;
        }
        whenModal(std::move(step));
    });
}

class MenuEntryEditorsTest : public ::testing::Test {
protected:
    kw::test::TempPortal portal;
    kw::test::ScriptedPrompter prompter;

    static MenuEntry existing(std::int32_t id, const std::string &startPage = kStandard)
    {
        MenuEntry entry;
        entry.id = id;
        entry.startPage = startPage;
        return entry;
    }
    static bool checked(QWidget &dialog, int id) { return control<QRadioButton>(dialog, id)->isChecked(); }
    static bool enabled(QWidget &dialog, int id) { return control<QWidget>(dialog, id)->isEnabled(); }
    static QString text(QWidget &dialog, int id) { return control<QLineEdit>(dialog, id)->text(); }
};

TEST_F(MenuEntryEditorsTest, RightsDialogEditsTheListInPlace)
{
    std::vector<std::int32_t> groups = {7, 3};
    controls::CObjectRightsDlg dialog(portal.env(), prompter);
    dialog.setWindowTitle(QStringLiteral("Rechte"));
    dialog.setGroups(groups);
    whenModal([](QDialog &shown) {
        // The portal's groups by name, the unknown group 7 kept after them.
        EXPECT_EQ(shownGroups(shown), (QStringList{"Administratoren", QString::fromUtf8("Gäste"),
                                                   "[x] Mitarbeiter", "Redaktion", "[x] Gruppe 7"}));
        EXPECT_FALSE(groupList(shown)->accessibleName().isEmpty());
        toggle(shown, QStringLiteral("Gruppe 7"));
        toggle(shown, QStringLiteral("Redaktion"));
        toggle(shown, QStringLiteral("Administratoren"));
        click(shown, 1);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_TRUE(dialog.changed());
    // Group 3 keeps its place; the new ones follow in the order listed.
    EXPECT_EQ(groups, (std::vector<std::int32_t>{3, 1, 2}));
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(MenuEntryEditorsTest, RightsDialogChangesOnlyWhenTheSetChanges)
{
    std::vector<std::int32_t> groups = {4, 3};
    {
        // Unchecked and checked again: the same set, the list and its order stay.
        controls::CObjectRightsDlg dialog(portal.env(), prompter);
        dialog.setGroups(groups);
        whenModal([](QDialog &shown) {
            toggle(shown, QStringLiteral("Mitarbeiter"));
            toggle(shown, QStringLiteral("Mitarbeiter"));
            click(shown, 1);
        });
        EXPECT_EQ(dialog.exec(), QDialog::Accepted);
        EXPECT_FALSE(dialog.changed());
        EXPECT_EQ(groups, (std::vector<std::int32_t>{4, 3}));
    }
    {
        controls::CObjectRightsDlg dialog(portal.env(), prompter);
        dialog.setGroups(groups);
        whenModal([](QDialog &shown) {
            toggle(shown, QString::fromUtf8("Gäste"));
            click(shown, 2);
        });
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_FALSE(dialog.changed());
        EXPECT_EQ(groups, (std::vector<std::int32_t>{4, 3}));
    }
}

TEST_F(MenuEntryEditorsTest, RightsOfAnExistingEntryAreReadOnce)
{
    MenuEntry entry = existing(41);
    whenModalOpens([](QDialog &shown) {
        EXPECT_EQ(shown.windowTitle(), QString::fromUtf8("Zugriffsrechte für Menüpunkt \"Projekte\""));
        EXPECT_EQ(shownGroups(shown), (QStringList{"Administratoren", QString::fromUtf8("Gäste"),
                                                   "[x] Mitarbeiter", "Redaktion"}));
        toggle(shown, QStringLiteral("Redaktion"));
        click(shown, 1);
    });
    EXPECT_TRUE(editMenuEntryRights(nullptr, portal.env(), prompter, entry, QStringLiteral("Projekte")));
    EXPECT_EQ(entry.accessGroups, (std::vector<std::int32_t>{3, 2}));
    EXPECT_TRUE(entry.rightsChanged);

    // The server's groups change; the second run shows the record's list, not the server's.
    auto files = server::createObject<server::IFileService>(portal.factory());
    files->AttachSession(portal.session());
    files->ExecuteSql("DELETE FROM navigation_groups WHERE nav_id=41");
    whenModal([](QDialog &shown) {
        EXPECT_EQ(shownGroups(shown), (QStringList{"Administratoren", QString::fromUtf8("Gäste"),
                                                   "[x] Mitarbeiter", "[x] Redaktion"}));
        click(shown, 1);
    });
    // OK without a change: no change reported, and rightsChanged is never cleared.
    EXPECT_FALSE(editMenuEntryRights(nullptr, portal.env(), prompter, entry, QStringLiteral("Projekte")));
    EXPECT_EQ(entry.accessGroups, (std::vector<std::int32_t>{3, 2}));
    EXPECT_TRUE(entry.rightsChanged);
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(MenuEntryEditorsTest, RightsOfANewEntryAndAReadError)
{
    MenuEntry fresh;
    fresh.isNew = true;
    fresh.rightsChanged = true;
    fresh.accessGroups = {3, 4};
    whenModal([](QDialog &shown) {
        EXPECT_EQ(shownGroups(shown), (QStringList{"Administratoren", QString::fromUtf8("[x] Gäste"),
                                                   "[x] Mitarbeiter", "Redaktion"}));
        click(shown, 1);
    });
    EXPECT_FALSE(editMenuEntryRights(nullptr, portal.env(), prompter, fresh, QStringLiteral("Neu")));
    EXPECT_EQ(fresh.accessGroups, (std::vector<std::int32_t>{3, 4}));

    // An entry the server does not know: 12566 and no dialog (one would be closed and fail the test; the
    // guard is due only after the wait box has run the timers).
    QObject guard;
    QTimer::singleShot(50, &guard, [] {
        if (QWidget *open = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "a dialog opened after the read error";
            open->close();
        }
    });
    MenuEntry gone = existing(99);
    EXPECT_FALSE(editMenuEntryRights(nullptr, portal.env(), prompter, gone, QStringLiteral("Weg")));
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12566});
    EXPECT_TRUE(gone.accessGroups.empty());
    EXPECT_FALSE(gone.rightsChanged);
}

TEST_F(MenuEntryEditorsTest, StartPageDialogShowsTheEntryAndEnablesTheAlternative)
{
    CMenuItemStartPageDlg dialog(portal.env(), prompter,
                                 MenuItemStartPage::forEntry(existing(40), "Aktuelles"));
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Startseite des Menüpunkts \"Aktuelles\""));
    EXPECT_TRUE(checked(dialog, res::IDC_MENU_START_STANDARD));
    EXPECT_EQ(text(dialog, res::IDC_MENU_START_EDIT), QString());
    EXPECT_FALSE(enabled(dialog, res::IDC_MENU_START_EDIT));
    EXPECT_FALSE(enabled(dialog, res::IDC_MENU_START_LIST));
    EXPECT_FALSE(control<QLineEdit>(dialog, res::IDC_MENU_START_EDIT)->accessibleName().isEmpty());
    EXPECT_FALSE(dialog.values().changed);

    click(dialog, res::IDC_MENU_START_ALTERNATIVE);
    EXPECT_TRUE(enabled(dialog, res::IDC_MENU_START_EDIT));
    EXPECT_TRUE(enabled(dialog, res::IDC_MENU_START_LIST));
    EXPECT_TRUE(dialog.values().changed);
    click(dialog, res::IDC_MENU_START_CUSTOM);
    EXPECT_FALSE(enabled(dialog, res::IDC_MENU_START_EDIT));
    EXPECT_FALSE(enabled(dialog, res::IDC_MENU_START_LIST));

    RecordedHelp help;
    click(dialog, res::IDC_MENU_START_HELP);
    EXPECT_TRUE(help.shown().contains(QStringLiteral("74_2.htm"))) << help.shown().join(' ').toStdString();
}

TEST_F(MenuEntryEditorsTest, StartPageTypedIsConfirmedAndStored)
{
    const std::string question = "Wollen Sie die Startseite des Menüpunkts \"Aktuelles\" wirklich ändern.";
    MenuEntry entry = existing(40);
    auto typeAlternative = [](QDialog &shown) {
        click(shown, res::IDC_MENU_START_ALTERNATIVE);
        type(shown, res::IDC_MENU_START_EDIT, QStringLiteral("Own.asp"));
        click(shown, 1);
    };
    prompter.answerNo();
    whenModal(typeAlternative);
    EXPECT_FALSE(editMenuEntryStartPage(nullptr, portal.env(), prompter, entry, QStringLiteral("Aktuelles")));
    EXPECT_EQ(entry.startPage, kStandard);
    EXPECT_EQ(prompter.questions(), std::vector<std::string>{question});

    prompter.clear();
    prompter.answerYes();
    whenModal(typeAlternative);
    EXPECT_TRUE(editMenuEntryStartPage(nullptr, portal.env(), prompter, entry, QStringLiteral("Aktuelles")));
    EXPECT_EQ(entry.startPage, "Own.asp");
    EXPECT_EQ(prompter.questions(), std::vector<std::string>{question});

    // A new entry is not asked about.
    prompter.clear();
    MenuEntry fresh;
    fresh.isNew = true;
    whenModal([](QDialog &shown) {
        EXPECT_TRUE(checked(shown, res::IDC_MENU_START_STANDARD));
        click(shown, res::IDC_MENU_START_CUSTOM);
        click(shown, 1);
    });
    EXPECT_TRUE(editMenuEntryStartPage(nullptr, portal.env(), prompter, fresh, QStringLiteral("Neu")));
    EXPECT_EQ(fresh.startPage, "../KwApplications/KwArea/KwCustomMenu.asp");
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

// Abbrechen after an edit leaves the entry as it was; Return in the page's field is OK.
TEST_F(MenuEntryEditorsTest, StartPageAbbrechenKeepsTheEntryAndReturnIsOk)
{
    MenuEntry entry = existing(40);
    whenModal([](QDialog &shown) {
        click(shown, res::IDC_MENU_START_ALTERNATIVE);
        type(shown, res::IDC_MENU_START_EDIT, QStringLiteral("Own.asp"));
        click(shown, 2);
        EXPECT_FALSE(shown.isVisible());
    });
    EXPECT_FALSE(editMenuEntryStartPage(nullptr, portal.env(), prompter, entry, QStringLiteral("Aktuelles")));
    EXPECT_EQ(entry.startPage, kStandard);
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();

    prompter.answerYes();
    whenModal([](QDialog &shown) {
        click(shown, res::IDC_MENU_START_ALTERNATIVE);
        type(shown, res::IDC_MENU_START_EDIT, QStringLiteral("Own.asp"));
        QTest::keyClick(control<QLineEdit>(shown, res::IDC_MENU_START_EDIT), Qt::Key_Return);
        EXPECT_FALSE(shown.isVisible());
    });
    EXPECT_TRUE(editMenuEntryStartPage(nullptr, portal.env(), prompter, entry, QStringLiteral("Aktuelles")));
    EXPECT_EQ(entry.startPage, "Own.asp");
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST_F(MenuEntryEditorsTest, ListPicksAPageOfTheAreaFolder)
{
    portal.write("KwApplications\\KwArea\\Home.asp", "<% %>");
    portal.write("KwApplications\\KwArea\\Info.htm", "<html>");
    portal.write("KwApplications\\KwArea\\logo.gif", "GIF89a");
    MenuEntry entry = existing(43, "Home.asp");
    whenModal([](QDialog &shown) {
        EXPECT_TRUE(checked(shown, res::IDC_MENU_START_ALTERNATIVE));
        EXPECT_EQ(text(shown, res::IDC_MENU_START_EDIT), QStringLiteral("Home.asp"));
        whenModal([](QDialog &files) {
            EXPECT_EQ(static_cast<controls::CSrvFileSelDlg &>(files).listedFiles(),
                      (std::vector<std::string>{"Home.asp", "Info.htm"}));
            auto *list = files.findChild<QListWidget *>(QStringLiteral("files"));
            ASSERT_NE(list->currentItem(), nullptr);
            EXPECT_EQ(list->currentItem()->text(), QStringLiteral("Home.asp")); // the bare page proposed
            list->setCurrentRow(1);
            click(files, 1);
        });
        click(shown, res::IDC_MENU_START_LIST);
        EXPECT_EQ(text(shown, res::IDC_MENU_START_EDIT), QStringLiteral("../KwApplications/KwArea/Info.htm"));
        click(shown, 1);
    });
    prompter.answerYes();
    EXPECT_TRUE(editMenuEntryStartPage(nullptr, portal.env(), prompter, entry, QStringLiteral("Team")));
    EXPECT_EQ(entry.startPage, "../KwApplications/KwArea/Info.htm");
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST_F(MenuEntryEditorsTest, EntryThirtyOneOpensThePortalStartPageDialog)
{
    MenuEntry home = existing(31, "../KwApplications/KwArea/KwPortlets.asp");
    home.accessGroups = {3, 4};
    bool opened = false;
    whenModal([&opened](QDialog &shown) {
        opened = dynamic_cast<CPortalStartPageDlg *>(&shown) != nullptr;
        EXPECT_EQ(shown.objectName(), QStringLiteral("12019"));
        click(shown, 2);
    });
    EXPECT_FALSE(editMenuEntryStartPage(nullptr, portal.env(), prompter, home, QStringLiteral("Startseite")));
    EXPECT_TRUE(opened);
    EXPECT_EQ(home.startPage, "../KwApplications/KwArea/KwPortlets.asp");
    EXPECT_EQ(home.accessGroups, (std::vector<std::int32_t>{3, 4}));
}

} // namespace
} // namespace kw::editors
