// The module's frame inside a console sub-window: no caption or border, always maximised, deaf to system
// commands. It holds the tabbed view, the module's menu and the toolbar that the console docks.
#pragma once

#include "shell/Commands.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <map>
#include <memory>

class QAction;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace kw::shell {

class CHistoryDlg;
class CKwLOutDoc;
class CKwLOutTabbedView;
class ContrastTools;

class CChildFrame : public QWidget, public CommandTarget {
public:
    explicit CChildFrame(QWidget *parent = nullptr);
    /// Closes the open layout (asking to save a changed one) before the windows go, and takes the
    /// toolbar along wherever the console docked it.
    ~CChildFrame() override;

    CKwLOutDoc *document() const { return m_document; }
    CKwLOutTabbedView *tabbedView() const { return m_tabbedView; }
    QToolBar *toolBar() const;
    /// The contrast audit of the open layout, its window and the sample page (null before the client).
    ContrastTools *contrastTools() const { return m_contrastTools.get(); }
    /// The title announced to the console: "Layout Manager", followed by " *" while the open layout is
    /// modified. The tabbed view's text is "Layout Manager".
    const QString &title() const { return m_title; }
    /// The window "Änderungsverlauf" (null until it was first shown).
    CHistoryDlg *historyWindow() const;
    bool toolBarWanted() const { return m_toolBarWanted; }
    /// The drop-downs of menu 12000 in order, owned by the frame.
    const QList<QMenu *> &menus() const { return m_menus; }
    /// The menu and toolbar actions of a command.
    QList<QAction *> actionsOf(int command) const;

    /// Creates the tabbed view (asking the start-up question), its two panes and the toolbar, then
    /// announces itself and hands the toolbar to the console. False when the toolbar cannot be made.
    bool onCreateClient();
    /// Settles the frame into its sub-window: no frame, maximised, system commands ignored.
    void attachToHost(QMdiSubWindow &host);
    /// Announces the title, then shows the frame.
    void activateFrame();
    /// Posts "KwShowFrameTitle" to the console.
    void onUpdateFrameTitle();

    /// A command on its route: the active pane (which passes on what it does not handle to the tabbed
    /// view), then the frame. False when nobody handled it. Never throws.
    bool routeCommand(int id);
    /// The command's state as its route answers it; nothing answered greys it.
    CommandState commandState(int id);
    /// Brings every menu item and toolbar button of the module up to date.
    void updateCommandStates();

    /// The frame's own commands: 32910 (toolbar shown or hidden), 32932 (the history window shown or
    /// hidden) and help.
    bool onCommand(int id) override;
    bool onUpdateCommand(int id, CommandState &state) override;

    /// Shows the docked toolbar exactly when it is wanted, the frame is shown and the console has docked
    /// it (its parent is no longer the frame); otherwise hides it.
    void applyToolBarRule(bool frameShown);

    /// The console's main window (the main window this frame lives in, else the application's first).
    QWidget *consoleMainWindow() const;

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void buildMenus();
    bool createToolBar();
    /// Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo, wherever the focus is in the console's window.
    void createHistoryShortcuts();
    /// Puts the history window where it covers nothing the user works on: beside the main window, or
    /// where the screen has no room for that, at the right edge of the preview below the page's top part.
    void placeHistoryWindow();
    /// After the layout's history changed: the title's modified mark, the history window, the commands.
    void historyChanged();
    /// Whether the frame's sub-window is the active one of its area (or stands alone).
    bool isActiveHost() const;

    CKwLOutDoc *m_document;
    CKwLOutTabbedView *m_tabbedView = nullptr;
    const QString m_baseTitle;
    QString m_title;
    QPointer<QToolBar> m_toolBar;
    QPointer<CHistoryDlg> m_historyWindow;
    bool m_toolBarWanted = true;
    QList<QMenu *> m_menus;
    std::multimap<int, QAction *> m_actions;
    QPointer<QMdiSubWindow> m_host;
    std::unique_ptr<ContrastTools> m_contrastTools;
    const QObject *m_hostObject = nullptr;
};

} // namespace kw::shell
