// "Layout exportieren..." and "Layout importieren..." as the menu runs them: Qt's file dialogs worked by
// typing the file name and pressing its button, the wait box, the messages, and the layout list that shows
// the imported layout chosen.
#include "CraftedBundles.h"
#include "ShellTestSupport.h"

#include "bundle/BundleReader.h"
#include "bundle/LayoutTransfer.h"
#include "shell/CChildFrame.h"
#include "shell/CKwLOutTabbedView.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace kw::shell::test {
namespace {

namespace fs = std::filesystem;

// Passes everything to the scripted prompter and notes whether the wait box was open at each message.
class WaitWatchingPrompter final : public Prompter {
public:
    WaitWatchingPrompter(Prompter &inner, const RecordingWait &wait) : m_inner(inner), m_wait(wait) {}
    void tell(std::string_view message) override
    {
        waitOpenAtMessage.push_back(m_wait.open > 0);
        m_inner.tell(message);
    }
    Answer ask(std::string_view question) override { return m_inner.ask(question); }
    void showExtendedError(StringId message, const ServerError &error) override
    {
        waitOpenAtMessage.push_back(m_wait.open > 0);
        m_inner.showExtendedError(message, error);
    }
    std::vector<bool> waitOpenAtMessage;

private:
    Prompter &m_inner;
    const RecordingWait &m_wait;
};

class LayoutTransferCommandsTest : public ModuleTest {
protected:
    void SetUp() override
    {
        console.open();
        frame = console.frame();
        ASSERT_NE(nullptr, frame);
        doc = &console.view()->document();
        // File dialogs are answered here, the layout list by the fixture's scripted steps.
        listRunner = std::exchange(moduleState().dialogRunner, [this](QDialog &dialog) {
            if (auto *nameDialog = dynamic_cast<QInputDialog *>(&dialog))
                return answerName(*nameDialog);
            auto *fileDialog = dynamic_cast<QFileDialog *>(&dialog);
            if (!fileDialog)
                return listRunner(dialog);
            ++fileDialogs;
            caption = fileDialog->windowTitle().toStdString();
            proposal =
                fileDialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->text().toStdString();
            if (answer.empty())
                return static_cast<int>(QDialog::Rejected);
            // As the user does: the file's name typed into the name field, then the dialog's button.
            fileDialog->show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(fileDialog));
            QLineEdit *name = fileDialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            name->clear();
            QTest::keyClicks(name, QString::fromStdString(answer));
            fileDialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))
                ->button(fileDialog->acceptMode() == QFileDialog::AcceptSave ? QDialogButtonBox::Save
                                                                             : QDialogButtonBox::Open)
                ->click();
            return fileDialog->result();
        });
    }
    void TearDown() override { moduleState().dialogRunner = listRunner; }

    // The name dialog of an import: what it proposes is noted, the next of `names` typed in and taken
    // with its button; none left: cancelled.
    int answerName(QInputDialog &dialog)
    {
        dialog.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        QLineEdit *edit = dialog.findChild<QLineEdit *>();
        proposedNames.push_back(edit->text().toStdString());
        if (names.empty()) {
            dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
            return dialog.result();
        }
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromStdString(names.front()));
        names.erase(names.begin());
        QPushButton *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        EXPECT_EQ(ok->text(), QStringLiteral("Importieren"));
        ok->click();
        return dialog.result();
    }

    void run(int command)
    {
        frame->updateCommandStates();
        const QList<QAction *> actions = frame->actionsOf(command);
        ASSERT_FALSE(actions.isEmpty()) << command;
        ASSERT_TRUE(actions.front()->isEnabled()) << command;
        actions.front()->trigger();
    }
    bool enabled(int command)
    {
        frame->updateCommandStates();
        return frame->actionsOf(command).front()->isEnabled();
    }

    // A bundle of "Blau" whose layout differs from the portal's, chosen in the file dialog; returns the
    // bundle's layout file.
    std::string chooseChangedBlauBundle()
    {
        const fs::path file = files.path() / "Blau.kwlayout";
        bundle::Bundle contents = kw::test::demoBundle();
        contents.layout.push_back(' ');
        bundle::writeBundleFile(file, bundle::writeBundle(contents));
        answer = file.string();
        return std::string(contents.layout.begin(), contents.layout.end());
    }

    FakeConsole console;
    CChildFrame *frame = nullptr;
    layout::LayoutDocument *doc = nullptr;
    DialogRunner listRunner;
    kw::test::TempDir files;
    std::string answer; // the file typed into the next file dialog; empty: cancel
    int fileDialogs = 0;
    std::string caption, proposal;
    std::vector<std::string> names;         // typed into the import's name dialogs, in turn
    std::vector<std::string> proposedNames; // what each name dialog proposed
};

TEST_F(LayoutTransferCommandsTest, ExportIsThereForAStoredLayoutAndImportAlways)
{
    EXPECT_FALSE(enabled(res::ID_LAYOUT_EXPORT));
    EXPECT_TRUE(enabled(res::ID_LAYOUT_IMPORT));
    doc->commandNew();
    EXPECT_FALSE(enabled(res::ID_LAYOUT_EXPORT));
    ASSERT_TRUE(doc->openLayout("Herbst.kwc"));
    EXPECT_TRUE(enabled(res::ID_LAYOUT_EXPORT));
    EXPECT_EQ(frame->actionsOf(res::ID_LAYOUT_EXPORT).front()->text(),
              QStringLiteral("Layout expor&tieren..."));
    EXPECT_EQ(frame->actionsOf(res::ID_LAYOUT_IMPORT).front()->text(),
              QStringLiteral("Layout impo&rtieren..."));
}

TEST_F(LayoutTransferCommandsTest, ExportWritesTheSavedStateAfterSayingSoAndNamesThePicturesLeftOut)
{
    ASSERT_TRUE(doc->openLayout("Blau.kwc"));
    doc->model().region(layout::RegionId::KwRootTop).backgroundColor = rgb(1, 2, 3);
    doc->setModified(true);
    const fs::path file = files.path() / "Blau-Kopie.kwlayout";
    answer = file.string();
    wait.shown.clear();
    run(res::ID_LAYOUT_EXPORT);

    EXPECT_EQ(caption, "Layout exportieren");
    EXPECT_EQ(proposal, "Blau.kwlayout");
    EXPECT_EQ(wait.shown, (std::vector<std::string>{std::string(loadString(StringId::LayoutExporting))}));
    EXPECT_EQ(wait.open, 0);
    const std::vector<std::string> messages = prompter.messages();
    ASSERT_EQ(messages.size(), 2u) << prompter.describe();
    EXPECT_EQ(messages[0], loadString(StringId::ExportSavedState));
    EXPECT_NE(messages[1].find("closeall.gif: fehlt im Portal"), std::string::npos) << messages[1];

    const bundle::Bundle written = bundle::readBundleFile(file);
    EXPECT_EQ(std::string(written.layout.begin(), written.layout.end()),
              portal.read("_KwTemplates\\Blau.kwc"));
    EXPECT_EQ(written.pictures.size(), 5u);
    EXPECT_TRUE(doc->isModified()); // the change stays the user's, unsaved

    // A cancelled dialog writes nothing and says nothing more.
    prompter.clear();
    doc->setModified(false);
    answer.clear();
    run(res::ID_LAYOUT_EXPORT);
    EXPECT_EQ(fileDialogs, 2);
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(LayoutTransferCommandsTest, ImportAddsTheLayoutAndTheListShowsItChosenForOpening)
{
    ASSERT_TRUE(doc->openLayout("Herbst.kwc"));
    bundle::Bundle contents = kw::test::demoBundle();
    contents.manifest.layout = "Meer";
    const fs::path file = files.path() / "Meer.kwlayout";
    bundle::writeBundleFile(file, bundle::writeBundle(contents));
    answer = file.string();
    wait.shown.clear();
    std::string chosen;
    expectDialog([&chosen](CLayoutListDlg &dialog) {
        const QList<QListWidgetItem *> selected = listOf(dialog)->selectedItems();
        if (!selected.isEmpty())
            chosen = selected.front()->text().toStdString();
        return press(dialog, res::IDOK);
    });
    run(res::ID_LAYOUT_IMPORT);

    EXPECT_EQ(caption, "Layout importieren");
    EXPECT_EQ(chosen, "Meer");
    EXPECT_EQ(dialogModes(), (std::vector<CLayoutListDlg::Mode>{CLayoutListDlg::Mode::Open}));
    EXPECT_EQ(portal.read("_KwTemplates\\Meer.kwc"),
              std::string(contents.layout.begin(), contents.layout.end()));
    EXPECT_EQ(doc->name(), "Meer.kwc");
    EXPECT_EQ(wait.shown.front(), loadString(StringId::LayoutImporting));
    EXPECT_EQ(wait.open, 0);
    // The demo portal has the bundle's pictures with the same bytes: no question; the tree pictures are
    // in neither.
    EXPECT_TRUE(prompter.questions().empty()) << prompter.describe();
    ASSERT_EQ(prompter.messages().size(), 1u) << prompter.describe();
    EXPECT_NE(prompter.messages()[0].find("closeall.gif"), std::string::npos);
}

TEST_F(LayoutTransferCommandsTest, AnExistingLayoutIsAQuestionAndNoWritesNothing)
{
    chooseChangedBlauBundle();
    const std::string before = portal.read("_KwTemplates\\Blau.kwc");
    names = {"Blau"}; // the name kept: the question whether to replace it
    prompter.answerNo();
    run(res::ID_LAYOUT_IMPORT);
    EXPECT_EQ(proposedNames, std::vector<std::string>{"Blau 2"});
    EXPECT_EQ(prompter.questions(),
              (std::vector<std::string>{"Das Layout \"Blau\" gibt es schon. Wollen Sie es ersetzen?"}));
    EXPECT_EQ(portal.read("_KwTemplates\\Blau.kwc"), before);
    EXPECT_TRUE(dialogModes().empty());

    // The name dialog cancelled: nothing asked, nothing written.
    prompter.clear();
    proposedNames.clear();
    run(res::ID_LAYOUT_IMPORT);
    EXPECT_EQ(proposedNames, std::vector<std::string>{"Blau 2"});
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
    EXPECT_FALSE(fs::exists(portal.local("_KwTemplates\\Blau 2.kwc")));
    EXPECT_TRUE(dialogModes().empty());
}

TEST_F(LayoutTransferCommandsTest, ATakenNameCanBeChangedToAFreeOne)
{
    const std::string imported = chooseChangedBlauBundle();
    const std::string before = portal.read("_KwTemplates\\Blau.kwc");
    // A name with a path is refused and the dialog comes again; "Herbst" is taken too; then a free one.
    names = {"../Blau", "Herbst", "Blau am Meer"};
    expectDialog([](CLayoutListDlg &dialog) { return press(dialog, res::IDCANCEL); });
    run(res::ID_LAYOUT_IMPORT);

    EXPECT_EQ(proposedNames, (std::vector<std::string>{"Blau 2", "Blau 2", "Herbst 2"}));
    ASSERT_EQ(prompter.messages().size(), 2u) << prompter.describe();
    EXPECT_NE(prompter.messages()[0].find("\"../Blau\" taugt nicht"), std::string::npos)
        << prompter.describe();
    EXPECT_TRUE(prompter.questions().empty()) << prompter.describe();
    EXPECT_EQ(portal.read("_KwTemplates\\Blau am Meer.kwc"), imported);
    EXPECT_EQ(portal.read("_KwTemplates\\Blau.kwc"), before);
    EXPECT_EQ(dialogModes(), (std::vector<CLayoutListDlg::Mode>{CLayoutListDlg::Mode::Open}));
}

TEST_F(LayoutTransferCommandsTest, ABadBundleIsRefusedNamingTheFileAndTheReason)
{
    const fs::path file = files.path() / "kaputt.kwlayout";
    kw::test::writeFile(file, "kein Zip");
    answer = file.string();
    WaitWatchingPrompter watching(prompter, wait);
    moduleState().prompter = &watching;
    run(res::ID_LAYOUT_IMPORT);
    moduleState().prompter = &prompter;
    // The message comes after the wait box has closed, so nothing covers it.
    EXPECT_EQ(watching.waitOpenAtMessage, std::vector<bool>{false});
    ASSERT_EQ(prompter.messages().size(), 1u) << prompter.describe();
    const std::string message = prompter.messages()[0];
    EXPECT_TRUE(message.starts_with(std::string(loadString(StringId::LayoutNotImported)) + "\n\n"))
        << message;
    EXPECT_NE(message.find("\"" + file.string() + "\""), std::string::npos) << message;
    EXPECT_NE(message.find("es ist keine Zip-Datei"), std::string::npos) << message;
    EXPECT_TRUE(dialogModes().empty());
    EXPECT_EQ(wait.open, 0);
}

} // namespace
} // namespace kw::shell::test
