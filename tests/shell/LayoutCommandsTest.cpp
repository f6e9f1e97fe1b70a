// The six layout commands as the menu and toolbar run them, with the files on disk changing as they should.
#include "ShellTestSupport.h"

#include "shell/CChildFrame.h"
#include "shell/CKwLOutTabbedView.h"
#include "shell/CKwLOutView.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QAction>

#include <filesystem>

namespace kw::shell::test {
namespace {

constexpr int IDOK = res::IDOK;
const std::string kAskSave(loadString(StringId::AskSaveChangedLayout));
const std::string kAskActive(loadString(StringId::AskSaveAsActive));

class LayoutCommands : public ModuleTest {
protected:
    FakeConsole console;
    CChildFrame *frame = nullptr;
    layout::LayoutDocument *doc = nullptr;

    void SetUp() override
    {
        console.open();
        frame = console.frame();
        ASSERT_NE(nullptr, frame);
        doc = &console.view()->document();
    }
    // Runs a command as its menu item does.
    void run(int command)
    {
        const QList<QAction *> actions = frame->actionsOf(command);
        ASSERT_FALSE(actions.isEmpty()) << command;
        actions.front()->trigger();
    }
    void openChanged(const std::string &file)
    {
        ASSERT_TRUE(doc->openLayout(file));
        doc->model().region(layout::RegionId::KwRootTop).backgroundColor = rgb(1, 2, 3);
        doc->setModified(true);
    }
    static DialogStep pick(std::string row)
    {
        return [row](CLayoutListDlg &d) {
            selectRow(d, row);
            return press(d, IDOK);
        };
    }
    static DialogStep type(std::string name)
    {
        return [name](CLayoutListDlg &d) {
            typeName(d, name);
            return press(d, IDOK);
        };
    }
    static DialogStep cancel()
    {
        return [](CLayoutListDlg &d) { return press(d, res::IDCANCEL); };
    }
    bool changedOnDisk(const std::string &file) const
    {
        return portal.read(file).find("#010203") != std::string::npos;
    }
};

TEST_F(LayoutCommands, NewAsksAboutAnUnsavedChangeAndSavesOnlyOnYes)
{
    for (const bool yes : {false, true}) {
        openChanged("Blau.kwc");
        yes ? prompter.answerYes() : prompter.answerNo();
        run(res::ID_LAYOUT_NEW);
        EXPECT_EQ(yes, changedOnDisk("_KwTemplates\\Blau.kwc")) << yes;
        EXPECT_TRUE(doc->isNew());
        EXPECT_TRUE(doc->isOpen());
        EXPECT_FALSE(doc->isModified());
        EXPECT_EQ("Neues Layout", doc->title());
    }
    EXPECT_EQ((std::vector<std::string>{kAskSave, kAskSave}), prompter.questions());
    EXPECT_TRUE(dialogModes().empty());
}

TEST_F(LayoutCommands, OpenRunsTheListInOpenModeAndCancelLeavesNoLayoutOpen)
{
    openChanged("Blau.kwc");
    prompter.answerNo();
    expectDialog(cancel());
    run(res::ID_LAYOUT_OPEN);
    EXPECT_FALSE(doc->isOpen());
    EXPECT_FALSE(changedOnDisk("_KwTemplates\\Blau.kwc"));
    EXPECT_FALSE(console.view()->startPagePane()->layoutOpen());

    wait.shown.clear();
    expectDialog(pick("Herbst"));
    run(res::ID_LAYOUT_OPEN);
    EXPECT_TRUE(doc->isOpen());
    EXPECT_EQ("Herbst.kwc", doc->name());
    EXPECT_EQ((std::vector<std::string>{std::string(loadString(StringId::LayoutLoading))}), wait.shown);
    EXPECT_EQ((std::vector<CLayoutListDlg::Mode>{CLayoutListDlg::Mode::Open, CLayoutListDlg::Mode::Open}),
              dialogModes());
    EXPECT_EQ((std::vector<std::string>{kAskSave}), prompter.questions());
}

TEST_F(LayoutCommands, SaveAndSaveAsWriteTheNamedFiles)
{
    openChanged("Herbst.kwc");
    run(res::ID_LAYOUT_SAVE);
    EXPECT_TRUE(changedOnDisk("_KwTemplates\\Herbst.kwc"));
    EXPECT_FALSE(doc->isModified());

    expectDialog(type("Kopie"));
    run(res::ID_LAYOUT_SAVE_AS);
    EXPECT_TRUE(changedOnDisk("_KwTemplates\\Kopie.kwc"));
    EXPECT_EQ("Kopie.kwc", doc->name());
    EXPECT_EQ((std::vector<CLayoutListDlg::Mode>{CLayoutListDlg::Mode::Save}), dialogModes());
    EXPECT_TRUE(prompter.questions().empty()) << prompter.describe();
}

TEST_F(LayoutCommands, SaveAsActiveAsksOnlyForAnotherLayout)
{
    const auto written = [&] {
        return std::filesystem::last_write_time(portal.local("_KwStyle\\global.css"));
    };
    openChanged("global.css");
    auto before = written();
    run(res::ID_LAYOUT_SAVE_AS_ACTIVE);
    EXPECT_TRUE(prompter.questions().empty()) << prompter.describe();
    EXPECT_GT(written(), before);
    EXPECT_TRUE(changedOnDisk("_KwStyle\\global.css"));

    openChanged("Blau.kwc");
    before = written();
    prompter.answerNo();
    run(res::ID_LAYOUT_SAVE_AS_ACTIVE);
    EXPECT_EQ(before, written());
    EXPECT_EQ("Blau.kwc", doc->name());
    EXPECT_EQ((std::vector<std::string>{kAskActive}), prompter.questions());
    doc->setModified(false);
}

TEST_F(LayoutCommands, DeleteRefusesTheActiveLayoutAndLeavesTheOpenOneAlone)
{
    ASSERT_TRUE(doc->openLayout("global.css"));
    expectDialog([](CLayoutListDlg &d) {
        selectRow(d, "Aktives Layout");
        press(d, res::IDC_DELETELAYOUT);
        selectRow(d, "Herbst");
        press(d, res::IDC_DELETELAYOUT);
        return press(d, res::IDCANCEL);
    });
    prompter.answerYes();
    run(res::ID_LAYOUT_DELETE);
    EXPECT_EQ((std::vector<CLayoutListDlg::Mode>{CLayoutListDlg::Mode::Delete}), dialogModes());
    EXPECT_EQ((std::vector<std::string>{std::string(loadString(StringId::ActiveLayoutNotDeletable))}),
              prompter.messages());
    EXPECT_TRUE(portal.exists("_KwStyle\\global.css"));
    EXPECT_FALSE(portal.exists("_KwTemplates\\Herbst.kwc"));
    EXPECT_TRUE(doc->isOpen());
    EXPECT_EQ("global.css", doc->name());
}

TEST_F(LayoutCommands, AfterTheOldNavigationScriptWasRemovedTheLayoutIsSavedWithoutAQuestion)
{
    portal.write("_KwStyle\\NavTop.asp", "<% ' old navigation %>");
    ASSERT_TRUE(doc->openLayout("Blau.kwc"));
    EXPECT_FALSE(portal.exists("_KwStyle\\NavTop.asp"));
    const auto before = std::filesystem::last_write_time(portal.local("_KwTemplates\\Blau.kwc"));
    run(res::ID_LAYOUT_NEW);
    EXPECT_GT(std::filesystem::last_write_time(portal.local("_KwTemplates\\Blau.kwc")), before);
    EXPECT_TRUE(prompter.questions().empty()) << prompter.describe();
    EXPECT_TRUE(doc->isNew());
}

TEST_F(LayoutCommands, WithoutAServerTheCommandsSaySoInsteadOfFailing)
{
    moduleState().factory.reset();
    // The layout commands and the portal settings editors alike; no dialog is scripted, so one that
    // opened anyway would fail the test.
    for (const int command :
         {res::ID_LAYOUT_OPEN, res::ID_EDIT_MAIN_MENU, res::ID_EDIT_START_PAGE, res::ID_EDIT_CALENDAR})
        run(command);
    EXPECT_EQ((std::vector<int>(4, 12501)), prompter.errorIds()) << prompter.describe();
}

} // namespace
} // namespace kw::shell::test
