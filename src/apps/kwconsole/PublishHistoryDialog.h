// "Veröffentlichungsverlauf": the portal's publishing history, the changes that going back to the state
// right after the selected activation would make to what is published now, and "Zurücksetzen" to make them.
#pragma once

#include "base/Prompter.h"
#include "server/LocalPortal.h"

#include <QDialog>

#include <vector>

class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

namespace kw::console {

class PublishHistoryDialog final : public QDialog {
public:
    PublishHistoryDialog(server::Environment env, Prompter &prompter, QWidget *parent = nullptr);

    QTreeWidget *list() const { return m_list; }
    QPlainTextEdit *diffView() const { return m_diff; }

private:
    void reload();
    void showSelected();
    void rollBackSelected();
    /// The selected entry, or nullptr.
    const server::PublishEntry *selected() const;

    server::Environment m_env;
    Prompter &m_prompter;
    std::vector<server::PublishEntry> m_entries;
    QTreeWidget *m_list = nullptr;
    QPlainTextEdit *m_diff = nullptr;
    QPushButton *m_rollback = nullptr;
};

} // namespace kw::console
