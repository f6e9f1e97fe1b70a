// "Layout exportieren..." and "Layout importieren..." of the module's menu: the open layout's saved state
// written to a bundle file, and a bundle file checked and added to the portal, through Qt's file dialogs on
// the local file system, with the wait box while the files are worked on.
#pragma once

#include "base/Prompter.h"
#include "layout/LayoutDocument.h"

#include <QString>

#include <optional>
#include <string>

class QWidget;

namespace kw::shell {

class LayoutTransferCommands {
public:
    /// The commands work on `document`; their dialogs open over `parent`.
    LayoutTransferCommands(QWidget *parent, layout::LayoutDocument &document, WaitIndicator &wait);

    /// Whether `id` is one of the two commands.
    static bool handles(int id);
    /// Export needs a stored layout (open and not new); import is always there.
    bool enabled(int id) const;
    /// Runs the command; server errors and refused bundles are reported, nothing escapes.
    void run(int id);

    /// Export: the open layout as stored (after saying so when it was changed since) into a file the
    /// user names.
    void exportLayout();
    /// Import: a bundle file the user chooses, checked, another name offered when the layout's name is
    /// taken, the questions it raises, one batch; then the layout list opens with the imported layout
    /// chosen, and "Öffnen" opens it.
    void importLayout();

private:
    /// Asks for the name to import under when `taken` names a layout of the portal already, proposing a
    /// free one; nothing when cancelled.
    std::optional<std::string> chooseImportName(const std::string &taken, const server::Environment &env);
    /// Runs Qt's file dialog; the chosen file, or empty when cancelled.
    QString chooseFile(int command, bool save, const QString &proposal);

    QWidget *m_parent;
    layout::LayoutDocument &m_document;
    WaitIndicator &m_wait;
};

} // namespace kw::shell
