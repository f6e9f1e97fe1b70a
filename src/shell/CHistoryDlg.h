// The window "Änderungsverlauf": the steps of the open layout's undo history, the saved one marked;
// picking a step goes back or forward to it.
#pragma once

#include <QDialog>

class QListWidget;

namespace kw::shell {

class CKwLOutTabbedView;

class CHistoryDlg final : public QDialog {
public:
    /// A tool window of `parent` (the frame): while it is active, the frame's Ctrl+Z and Ctrl+Y still work.
    CHistoryDlg(CKwLOutTabbedView &view, QWidget *parent);

    /// Shows the history as it is now: "Ausgangszustand" and the steps, the current one selected, those
    /// that would be redone greyed and in italics (and read out "(rückgängig gemacht)"), the saved one
    /// marked.
    void refresh();
    QListWidget *list() const { return m_list; }

private:
    CKwLOutTabbedView &m_view;
    QListWidget *m_list;
    bool m_refreshing = false;
};

} // namespace kw::shell
