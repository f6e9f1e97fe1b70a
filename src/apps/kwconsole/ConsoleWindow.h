// The console's main window: a multiple-document area for the module's windows, the console's menus and
// the shortcut bar, and the console's side of the registered messages.
#pragma once

#include "ModuleHost.h"
#include "base/Prompter.h"

#include <QList>
#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <vector>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;

namespace kw::console {

class ConsoleWindow : public QMainWindow {
public:
    /// Asks the module for its shortcut at once (the module wants that before its template).
    ConsoleWindow(ModuleHost &host, Prompter &prompter, QWidget *parent = nullptr);
    ~ConsoleWindow() override;

    /// Opens a portal folder for a user and hands its server environment to the module. False, after
    /// saying why, when the portal cannot be opened or the user may not use the module; the console then
    /// stays usable without module windows.
    bool openPortal(const QString &folder, const QString &user);
    /// Whether the module accepted the current session.
    bool moduleAllowed() const { return m_moduleAllowed; }
    const QString &portalFolder() const { return m_portalFolder; }
    /// The open portal's server environment, shared with the module (empty before one is open).
    const server::Environment &environment() const { return m_env; }

    /// Opens a module window (with `idle`, without the start-up question). Null, after saying why, when
    /// the module is refused or could not make its window.
    QMdiSubWindow *openModuleWindow(bool idle);
    /// Sends "KwCleanUpSnapIn" to the window's view (which asks to save a changed layout), then closes it.
    void closeModuleWindow(QMdiSubWindow *window);
    void closeAllModuleWindows();
    /// The module's shortcut ("Layout öffnen"): opens a module window when there is none and sends the
    /// shortcut's command to the active one.
    void runShortCut();
    /// Sends a command to the active module window's pane; false when none handled it.
    bool sendCommandToActivePane(int command);
    /// "Firma öffnen...": picks another portal folder, closes the module windows and opens the module on
    /// the new portal.
    void chooseCompany();

    QMdiArea *mdiArea() const { return m_mdi; }
    QToolBar *shortCutBar() const { return m_shortCutBar; }
    /// The module windows that are open, in the order they were made.
    QList<QMdiSubWindow *> moduleWindows() const;
    /// The toolbars the module handed over and the console docked.
    QList<QToolBar *> dockedToolBars() const;
    /// The last title a module frame announced.
    const QString &moduleTitle() const { return m_moduleTitle; }
    /// Frames that announced themselves with "KwGetDockStateName".
    int announcedFrames() const { return m_announced; }

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    /// Tells the recovery notes that were not told yet: what opening the portal, or any later taking of its
    /// write lock, found and did about an interrupted batch. `quiet`: an error reading them is not told.
    void tellRecoveryNotes(bool quiet = false);
    void showPublishHistory();
    struct ModuleWindowRecord {
        QPointer<QMdiSubWindow> window;
        QPointer<QWidget> frame;
        QPointer<QWidget> view;
        QList<QPointer<QMenu>> menus;
    };

    void buildMenus();
    void connectConsoleItems(const QList<QMenu *> &menus);
    void updateMenuBar();
    void updateTitle();
    void onWindowActivated(QMdiSubWindow *window);
    ModuleWindowRecord *recordOf(const QMdiSubWindow *window);
    /// The module window the user works in: the last one activated that still exists.
    ModuleWindowRecord *currentRecord();
    ModuleWindowRecord *recordOfFrame(const QObject *frame);
    void forgetClosedWindows();

    ModuleHost &m_host;
    Prompter &m_prompter;
    ModuleHost::ShortCut m_shortCut;
    server::Environment m_env;
    QString m_portalFolder;
    QString m_portalName;
    bool m_moduleAllowed = false;
    std::size_t m_notesTold = 0; // of the open portal's recovery notes
    QTimer *m_recoveryWatch = nullptr;
    std::unique_ptr<shell::CPaneTemplate> m_template;

    QMdiArea *m_mdi = nullptr;
    QToolBar *m_shortCutBar = nullptr;
    QList<QMenu *> m_consoleMenus;
    QMenu *m_extrasMenu = nullptr;
    QAction *m_shortCutAction = nullptr;
    std::vector<ModuleWindowRecord> m_windows;
    QPointer<QMdiSubWindow> m_current;
    QList<QPointer<QToolBar>> m_docked;
    QString m_moduleTitle;
    int m_announced = 0;
};

} // namespace kw::console
