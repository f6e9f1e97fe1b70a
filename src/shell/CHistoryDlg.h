// The window "Änderungsverlauf": the steps of the open layout's undo history, the saved one marked;
// picking a step goes back or forward to it.
#pragma once

#include <QDialog>

#include <functional>

class QListWidget;

namespace kw::shell {

class CKwLOutTabbedView;

class CHistoryDlg final : public QDialog {
public:
    /// `runCommand` takes undo and redo typed while the window has the focus along the module's route.
    CHistoryDlg(CKwLOutTabbedView &view, std::function<void(int)> runCommand, QWidget *parent = nullptr);

    /// Shows the history as it is now: "Ausgangszustand" and the steps, the current one selected, those
    /// that would be redone greyed, the saved one marked.
    void refresh();
    QListWidget *list() const { return m_list; }

private:
    CKwLOutTabbedView &m_view;
    QListWidget *m_list;
    bool m_refreshing = false;
};

} // namespace kw::shell
