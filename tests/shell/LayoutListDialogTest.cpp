// The layout list dialog in its four modes: what it lists, how it looks, what OK, "Neu", "Löschen" and a
// double click choose, and what it says when a name or the server lets it down.
#include "ShellTestSupport.h"

#include "shell/Resource.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>

namespace kw::shell::test {
namespace {

using Mode = CLayoutListDlg::Mode;
constexpr int IDOK = res::IDOK;
constexpr int IDCANCEL = res::IDCANCEL;

class LayoutListDialog : public ModuleTest {
protected:
    std::unique_ptr<CLayoutListDlg> open(void (CLayoutListDlg::*setMode)() = nullptr,
                                         const server::Environment *env = nullptr)
    {
        auto dialog = std::make_unique<CLayoutListDlg>(env ? *env : portal.env(), prompter);
        if (setMode)
            (dialog.get()->*setMode)();
        dialog->initDialog();
        return dialog;
    }
    std::vector<int> told() const
    {
        std::vector<int> ids;
        for (const std::string &message : prompter.messages())
            for (int id : {12545, 12548, 12549, 12573})
                if (message == loadString(id))
                    ids.push_back(id);
        return ids;
    }
};

TEST_F(LayoutListDialog, ListsTheActiveLayoutFirstAndOffersEverythingAtStartUp)
{
    auto dialog = open();
    EXPECT_EQ(Mode::StartUp, dialog->mode());
    EXPECT_EQ((std::vector<std::string>{"Aktives Layout", "Baummenue", "Blau", "Herbst"}), rowsOf(*dialog));
    EXPECT_EQ((std::vector<std::string>{"global.css", "Baummenue.kwc", "Blau.kwc", "Herbst.kwc"}),
              dialog->fileNames());
    EXPECT_FALSE(listOf(*dialog)->item(0)->icon().isNull());
    EXPECT_EQ(QStringLiteral("Layoutmanager"), dialog->windowTitle());
    EXPECT_EQ(QStringLiteral("Öffnen"), buttonOf(*dialog, IDOK)->text());
    for (int id : {IDOK, res::IDC_NEWLAYOUT, res::IDC_DELETELAYOUT, IDCANCEL})
        EXPECT_TRUE(buttonOf(*dialog, id)->isEnabled()) << id;
    EXPECT_TRUE(nameEditOf(*dialog)->isEnabled());
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();

    // Picking a row shows its name; a double click takes it at once.
    selectRow(*dialog, "Blau");
    EXPECT_EQ(QStringLiteral("Blau"), nameEditOf(*dialog)->text());
    EXPECT_EQ("Blau.kwc", dialog->chosenFile());
    emit listOf(*dialog)->itemDoubleClicked(listOf(*dialog)->item(3));
    EXPECT_EQ(IDOK, dialog->result());
    EXPECT_EQ("Herbst.kwc", dialog->chosenFile());

    auto other = open();
    other->onDoubleClick(-1); // outside any row
    EXPECT_EQ(0, other->result());
    EXPECT_EQ(CLayoutListDlg::ResultNew, press(*other, res::IDC_NEWLAYOUT));
    EXPECT_EQ(IDCANCEL, press(*open(), IDCANCEL));
}

TEST_F(LayoutListDialog, EachModeHasItsCaptionButtonAndDisabledControls)
{
    struct Case {
        std::vector<void (CLayoutListDlg::*)()> setters;
        Mode mode;
        const char *caption;
        const char *okText;
        bool newEnabled, deleteEnabled, editEnabled;
    };
    const Case cases[] = {
        {{&CLayoutListDlg::setOpenMode}, Mode::Open, "Layout laden", "Öffnen", false, false, true},
        {{&CLayoutListDlg::setSaveMode}, Mode::Save, "Layout speichern", "Speichern", false, false, true},
        {{&CLayoutListDlg::setDeleteMode}, Mode::Delete, "Layout löschen", "Schließen", false, true, false},
        {{&CLayoutListDlg::setSaveMode, &CLayoutListDlg::setOpenMode},
         Mode::Open,
         "Layout laden",
         "Öffnen",
         false,
         false,
         true},
        {{&CLayoutListDlg::setDeleteMode, &CLayoutListDlg::setSaveMode},
         Mode::Save,
         "Layout speichern",
         "Speichern",
         false,
         false,
         true},
    };
    for (const Case &c : cases) {
        CLayoutListDlg dialog(portal.env(), prompter);
        for (auto setter : c.setters)
            (dialog.*setter)();
        dialog.initDialog();
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(c.mode, dialog.mode());
        EXPECT_EQ(QString::fromUtf8(c.caption), dialog.windowTitle());
        EXPECT_EQ(QString::fromUtf8(c.okText), buttonOf(dialog, IDOK)->text());
        EXPECT_EQ(c.newEnabled, buttonOf(dialog, res::IDC_NEWLAYOUT)->isEnabled());
        EXPECT_EQ(c.deleteEnabled, buttonOf(dialog, res::IDC_DELETELAYOUT)->isEnabled());
        EXPECT_EQ(c.editEnabled, nameEditOf(dialog)->isEnabled());
        EXPECT_TRUE(buttonOf(dialog, IDCANCEL)->isEnabled());
    }
}

TEST_F(LayoutListDialog, TypedNamesAreCheckedOnTheServerOutsideSaveMode)
{
    auto dialog = open(&CLayoutListDlg::setOpenMode);
    typeName(*dialog, "Gibtsnicht");
    EXPECT_EQ(0, press(*dialog, IDOK));
    EXPECT_EQ(0, press(*dialog, IDOK)) << "every further OK checks again";
    EXPECT_EQ((std::vector<int>{12573, 12573}), told());
    EXPECT_EQ("", dialog->chosenFile());

    typeName(*dialog, "Blau");
    EXPECT_EQ(IDOK, press(*dialog, IDOK));
    EXPECT_EQ("Blau.kwc", dialog->chosenFile());

    // A picked row is taken as it is, without asking the server; so is "Aktives Layout" typed.
    auto picked = open(&CLayoutListDlg::setOpenMode);
    selectRow(*picked, "Herbst");
    std::filesystem::remove(portal.local("_KwTemplates\\Herbst.kwc"));
    EXPECT_EQ(IDOK, press(*picked, IDOK));
    EXPECT_EQ("Herbst.kwc", picked->chosenFile());

    std::filesystem::remove(portal.local("_KwStyle\\global.css"));
    auto active = open();
    typeName(*active, "Aktives Layout");
    EXPECT_EQ(IDOK, press(*active, IDOK));
    EXPECT_EQ("global.css", active->chosenFile());

    // Typing after picking a row replaces the row's choice.
    auto retyped = open(&CLayoutListDlg::setOpenMode);
    selectRow(*retyped, "Blau");
    typeName(*retyped, "Blau2");
    EXPECT_EQ(0, press(*retyped, IDOK));
    EXPECT_EQ((std::vector<int>{12573, 12573, 12573}), told());
}

TEST_F(LayoutListDialog, AnEmptyPortalListsNothingAndFindsNoTypedName)
{
    kw::test::TempPortal empty(false);
    auto dialog = open(nullptr, &empty.env());
    EXPECT_TRUE(rowsOf(*dialog).empty());
    EXPECT_EQ(0, press(*dialog, IDOK)) << "no name";
    typeName(*dialog, "Blau");
    EXPECT_EQ(0, press(*dialog, IDOK));
    EXPECT_EQ((std::vector<int>{12545, 12573}), told());
}

TEST_F(LayoutListDialog, SaveModeNeedsANameButNoExistingFile)
{
    auto dialog = open(&CLayoutListDlg::setSaveMode);
    EXPECT_EQ(0, press(*dialog, IDOK));
    EXPECT_EQ((std::vector<int>{12545}), told());
    typeName(*dialog, "Neu1");
    EXPECT_EQ(IDOK, press(*dialog, IDOK));
    EXPECT_EQ("Neu1.kwc", dialog->chosenFile());
    EXPECT_FALSE(portal.exists("_KwTemplates\\Neu1.kwc"));

    auto active = open(&CLayoutListDlg::setSaveMode);
    selectRow(*active, "Aktives Layout");
    EXPECT_EQ(IDOK, press(*active, IDOK));
    EXPECT_EQ("global.css", active->chosenFile());
}

TEST_F(LayoutListDialog, DeleteModeDeletesAfterAskingAndNeverTheActiveLayout)
{
    auto dialog = open(&CLayoutListDlg::setDeleteMode);
    EXPECT_EQ(QStringLiteral("Schließen"), buttonOf(*dialog, IDOK)->text());
    press(*dialog, res::IDC_DELETELAYOUT);
    EXPECT_EQ((std::vector<int>{12549}), told());

    selectRow(*dialog, "Aktives Layout");
    press(*dialog, res::IDC_DELETELAYOUT);
    EXPECT_EQ((std::vector<int>{12549, 12548}), told());
    EXPECT_TRUE(portal.exists("_KwStyle\\global.css"));

    selectRow(*dialog, "Blau");
    prompter.answerNo();
    press(*dialog, res::IDC_DELETELAYOUT);
    EXPECT_TRUE(portal.exists("_KwTemplates\\Blau.kwc"));
    EXPECT_EQ(4u, rowsOf(*dialog).size());

    prompter.answerYes();
    press(*dialog, res::IDC_DELETELAYOUT);
    EXPECT_EQ((std::vector<std::string>{"Wollen Sie das Layout \"Blau\" wirklich löschen?",
                                        "Wollen Sie das Layout \"Blau\" wirklich löschen?"}),
              prompter.questions());
    EXPECT_FALSE(portal.exists("_KwTemplates\\Blau.kwc"));
    EXPECT_TRUE(portal.exists("_KwTemplates\\Herbst.kwc"));
    EXPECT_EQ((std::vector<std::string>{"Aktives Layout", "Baummenue", "Herbst"}), rowsOf(*dialog));
    EXPECT_EQ((std::vector<std::string>{"global.css", "Baummenue.kwc", "Herbst.kwc"}), dialog->fileNames());
    EXPECT_EQ("", dialog->chosenFile());

    // "Schließen" right after the deletion: nothing chosen, on every press; "Abbrechen" closes.
    EXPECT_EQ(0, press(*dialog, IDOK));
    EXPECT_EQ(0, press(*dialog, IDOK));
    EXPECT_EQ((std::vector<int>{12549, 12548, 12573, 12573}), told());
    EXPECT_EQ(IDCANCEL, press(*dialog, IDCANCEL));
}

TEST_F(LayoutListDialog, ServerErrorsAreReportedAndLeaveEverythingAsItWas)
{
    ServerFaults faults;
    const server::Environment broken = withServerFaults(portal.env(), faults);

    faults.createObject = true;
    auto noService = open(&CLayoutListDlg::setOpenMode, &broken);
    EXPECT_TRUE(rowsOf(*noService).empty());
    EXPECT_EQ(QStringLiteral("Layoutmanager"), noService->windowTitle()) << "the mode's look is not applied";
    faults.createObject = false;

    faults.search = true;
    auto noList = open(&CLayoutListDlg::setOpenMode, &broken);
    EXPECT_TRUE(rowsOf(*noList).empty());
    faults.search = false;
    EXPECT_EQ((std::vector<int>{12501, 12502}), prompter.errorIds());

    auto deleting = open(&CLayoutListDlg::setDeleteMode, &broken);
    selectRow(*deleting, "Blau");
    faults.removeFile = true;
    prompter.answerYes();
    press(*deleting, res::IDC_DELETELAYOUT);
    EXPECT_EQ((std::vector<int>{12501, 12502, 12547}), prompter.errorIds());
    EXPECT_EQ(4u, rowsOf(*deleting).size());
    EXPECT_TRUE(portal.exists("_KwTemplates\\Blau.kwc"));

    // A failing check of a typed name is reported, and the dialog closes with the typed name all the same.
    auto checking = open(&CLayoutListDlg::setOpenMode, &broken);
    faults.hasFile = true;
    typeName(*checking, "Blau");
    EXPECT_EQ(IDOK, press(*checking, IDOK));
    EXPECT_EQ("Blau.kwc", checking->chosenFile());
    EXPECT_EQ((std::vector<int>{12501, 12502, 12547, 12575}), prompter.errorIds());
}

TEST_F(LayoutListDialog, HelpOpensItsOwnTopic)
{
    auto dialog = open();
    QShortcut *help = dialog->findChild<QShortcut *>();
    ASSERT_NE(nullptr, help);
    EXPECT_EQ(QKeySequence(QKeySequence::HelpContents), help->key());
    emit help->activated();
    ASSERT_EQ(1u, helpShown().size());
    EXPECT_TRUE(helpShown()[0].startsWith(QStringLiteral("-showPage 57.htm ")));
    EXPECT_TRUE(helpShown()[0].endsWith(QStringLiteral("/tarvelune.chm")));
}

} // namespace
} // namespace kw::shell::test
