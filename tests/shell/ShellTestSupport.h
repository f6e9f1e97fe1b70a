// Fixtures of the module's window tests: a demo portal, the module state wired to a scripted prompter,
// scripted layout list dialogs and a recording wait box, and helpers that work the dialog's controls.
#pragma once

#include "server/LocalPortal.h"
#include "shell/CLayoutListDlg.h"
#include "shell/ModuleContract.h"

#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <QMainWindow>
#include <QStringList>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QMdiArea;
class QPushButton;
class QToolBar;

namespace kw::platform {
class HelpLauncher;
}

namespace kw::shell {
class CChildFrame;
class CKwLOutTabbedView;
} // namespace kw::shell

namespace kw::shell::test {

/// The demo portal (layouts "Aktives Layout", "Baummenue", "Blau", "Herbst") in a temporary folder.
class DemoPortal {
public:
    explicit DemoPortal(const std::string &user = {});
    const server::Environment &env() const { return m_env; }
    /// Local path of a portal file in server notation ("_KwTemplates\\Blau.kwc").
    std::filesystem::path local(const std::string &serverPath) const;
    bool exists(const std::string &serverPath) const;
    std::string read(const std::string &serverPath) const;
    void write(const std::string &serverPath, const std::string &bytes) const;

private:
    kw::test::TempDir m_dir;
    server::Environment m_env;
};

/// Records what the wait box was asked to show.
class RecordingWait final : public WaitIndicator {
public:
    void show(std::string_view text) override
    {
        shown.emplace_back(text);
        ++open;
    }
    void close() override { --open; }
    std::vector<std::string> shown;
    int open = 0;
};

/// One run of the layout list dialog: works the controls and returns the dialog's result.
using DialogStep = std::function<int(CLayoutListDlg &)>;

/// The module state wired to a demo portal, a scripted prompter, scripted dialogs, a recording wait box and a
/// help launcher without a viewer that counts its searches. Everything is put back at the end.
class ModuleTest : public ::testing::Test {
protected:
    ModuleTest();
    ~ModuleTest() override;

    /// Queues the next run of the layout list dialog; a run without a queued step fails the test.
    void expectDialog(DialogStep step) { m_steps.push_back(std::move(step)); }
    bool allDialogsRun() const { return m_steps.empty(); }
    /// The modes the dialog ran in, in order.
    const std::vector<CLayoutListDlg::Mode> &dialogModes() const { return m_modes; }
    /// Help paths the launcher was asked to show.
    const std::vector<QString> &helpShown() const { return m_help; }

    DemoPortal portal;
    kw::test::ScriptedPrompter prompter;
    RecordingWait wait;

private:
    std::deque<DialogStep> m_steps;
    std::vector<CLayoutListDlg::Mode> m_modes;
    std::vector<QString> m_help;
    std::unique_ptr<platform::HelpLauncher> m_previousLauncher;
};

// --- working the layout list dialog's controls (found by their IDs) ------------------------------------
QListWidget *listOf(CLayoutListDlg &dialog);
QLineEdit *nameEditOf(CLayoutListDlg &dialog);
QPushButton *buttonOf(CLayoutListDlg &dialog, int id);
/// The rows' texts.
std::vector<std::string> rowsOf(CLayoutListDlg &dialog);
/// Selects the row with this text (fails the test when there is none).
void selectRow(CLayoutListDlg &dialog, const std::string &text);
/// Types a name into the edit, key by key, as the user does.
void typeName(CLayoutListDlg &dialog, const std::string &text);
/// Clicks a button; the dialog's result afterwards (0 while it stays open).
int press(CLayoutListDlg &dialog, int id);

/// Which step of the server environment fails (with a ServerError).
struct ServerFaults {
    bool createObject = false; ///< the factory cannot make the file service
    bool attachSession = false;
    bool search = false; ///< FirstMatch in any folder
    bool hasFile = false;
    bool removeFile = false;
};

/// A server environment that passes everything to `inner` except the steps `faults` names (read at the
/// moment of each call, so a test can break a step after the dialog was initialised).
server::Environment withServerFaults(const server::Environment &inner, const ServerFaults &faults);

/// A console as small as the module needs: an MDI area that holds the module's windows, and the console's
/// side of the registered messages (it docks the toolbar it receives and keeps the titles).
class FakeConsole : public QMainWindow {
public:
    FakeConsole();
    /// Opens a module window from a template of this module; the frame is null when that failed.
    ModuleWindow open();
    CChildFrame *frame() const;
    CKwLOutTabbedView *view() const;
    QMdiSubWindow *window() const { return m_window; }

    QMdiArea *mdi = nullptr;
    int announced = 0;
    QWidget *announcedFrame = nullptr;
    QList<QToolBar *> docked;
    QStringList titles;

protected:
    bool event(QEvent *event) override;

private:
    std::unique_ptr<CPaneTemplate> m_template;
    QMdiSubWindow *m_window = nullptr;
    ModuleWindow m_opened;
};

} // namespace kw::shell::test
