// The frame's client: a tabbed view with the two preview panes. It owns the open layout's document and runs
// the layout commands.
#pragma once

#include "layout/LayoutDocument.h"
#include "platform/WaitBox.h"
#include "preview/ElementHooks.h"
#include "shell/Commands.h"
#include "shell/LayoutTransferCommands.h"

#include <QTabWidget>

#include <functional>
#include <memory>

namespace kw::preview {
class CKwLOutView;
}

namespace kw::shell {

class CKwLOutTabbedView : public QTabWidget,
                          public CommandTarget,
                          private layout::LayoutChooser,
                          private layout::DocumentListener {
public:
    /// Takes the server environment of the module as it is now.
    explicit CKwLOutTabbedView(QWidget *parent = nullptr);
    ~CKwLOutTabbedView() override;

    /// The start-up question: unless the module starts idle, the layout list dialog decides which layout
    /// the state names (a stored one, a new one, or none).
    void onCreate();
    /// Inserts a pane as a tab.
    void addPane(preview::CKwLOutView *pane, const QString &title, bool active);
    /// Loads the layout the state names (nothing when none is open) and shows it in the panes.
    void onInitialUpdate();

    layout::LayoutDocument &document() { return *m_document; }
    const layout::LayoutDocument &document() const { return *m_document; }
    preview::CKwLOutView *startPagePane() const { return m_startPagePane; }
    preview::CKwLOutView *appPagesPane() const { return m_appPagesPane; }
    /// The pane of the current tab.
    preview::CKwLOutView *activePane() const;
    /// For one pane the other one (null for anything else).
    preview::CKwLOutView *otherPane(const preview::CKwLOutView *pane) const;
    /// The twin of a window: for an element window of one pane the element window of the same name in the
    /// other pane (null when that pane has none), for a pane the other pane, null for anything else.
    QWidget *GetTwin(const QWidget *window) const;

    /// The dialogs the panes open for their elements; unset hooks open nothing (their commands are greyed).
    preview::ElementHooks &elementHooks() { return m_hooks; }
    const preview::ElementHooks &elementHooks() const { return m_hooks; }
    /// Told whenever what the commands' update requests answer may have changed without a command (a
    /// click moved the selection); the frame brings its menu and toolbar up to date.
    void setCommandStatesListener(std::function<void()> listener)
    {
        m_commandStatesChanged = std::move(listener);
    }
    void commandStatesChanged() const;
    /// Told after every change of what the panes show of the layout: an edit, a switch, loading, saving.
    void setLayoutChangedListener(std::function<void()> listener) { m_layoutChanged = std::move(listener); }
    void notifyLayoutChanged() const;
    /// After an element's values changed through its property sheet: both panes rebuild, lay themselves
    /// out again and repaint.
    void elementsChanged();
    /// After the company logo or welcome text changed: both panes follow.
    void companyChanged();
    /// After the main-menu editor saved: both panes reload and repaint the main menu.
    void mainMenuChanged();

    /// Moves the layout's undo history to a position (undo, redo, a step picked in the history window);
    /// both panes show what changed at once, each keeping its selection. A step that cannot be applied is
    /// reported and changes nothing. Nothing happens while the history is not available.
    void goToHistoryPosition(std::size_t position);
    /// Whether the history may move now: a layout is open and no sheet or dialog is.
    bool historyAvailable() const;
    /// Told after every change of the history, and so of the modified mark.
    void setHistoryListener(std::function<void()> listener) { m_historyListener = std::move(listener); }

    /// The layout commands 32900 to 32905 and the frame's route below the panes.
    bool onCommand(int id) override;
    bool onUpdateCommand(int id, CommandState &state) override;

    /// Leaves the layout as the commands do, asking to save a changed one; afterwards no layout is open.
    void closeLayout();
    /// "KwCleanUpSnapIn": saves a changed layout when the user agrees; the panes stay as they are.
    void cleanUp();
    /// Runs the layout list dialog in delete mode (the dialog deletes).
    void deleteLayouts();

protected:
    bool event(QEvent *event) override;

private:
    std::optional<std::string> chooseForOpen() override;
    std::optional<std::string> chooseForSave() override;
    void layoutLoaded() override;
    void layoutSaved() override;
    void historyChanged() override;
    /// The panes follow what undo or redo changed: switches, values, the logo and welcome text.
    void showHistoryChanges(const layout::LayoutChanges &changes);
    /// Runs a document command, reporting anything unexpected instead of letting it out.
    template <class F> void guarded(F &&command);

    platform::QtWaitBox m_waitBox;
    std::unique_ptr<WaitIndicator> m_wait;
    std::unique_ptr<layout::LayoutDocument> m_document;
    LayoutTransferCommands m_transfer;
    preview::CKwLOutView *m_startPagePane = nullptr;
    preview::CKwLOutView *m_appPagesPane = nullptr;
    preview::ElementHooks m_hooks;
    std::function<void()> m_commandStatesChanged;
    std::function<void()> m_historyListener;
    std::function<void()> m_layoutChanged;
};

} // namespace kw::shell
