// The open layout as a document: its model, its state, and loading, saving and the layout commands.
// The window, the command line and the tests all run this same code; they talk to the user through
// the Prompter, a LayoutChooser and a WaitIndicator.
#pragma once

#include "base/Prompter.h"
#include "layout/CompanySettings.h"
#include "layout/LayoutHistory.h"
#include "layout/LayoutReader.h"
#include "layout/LayoutValues.h"
#include "layoutmodel/LayoutModel.h"
#include "server/LocalPortal.h"
#include "server/PortalAccess.h"

#include <functional>
#include <optional>
#include <string>

namespace kw::layout {

/// The layout list dialog, seen from the commands.
class LayoutChooser {
public:
    virtual ~LayoutChooser() = default;
    /// Open mode: the chosen layout's file name, or nothing when cancelled.
    virtual std::optional<std::string> chooseForOpen() = 0;
    /// Save mode: NAME.kwc or "global.css", or nothing when cancelled.
    virtual std::optional<std::string> chooseForSave() = 0;
};

/// For callers without a layout list (the command line, headless rendering, benchmarks): they name the
/// layout themselves, so both modes cancel.
class NoLayoutChooser final : public LayoutChooser {
public:
    std::optional<std::string> chooseForOpen() override { return std::nullopt; }
    std::optional<std::string> chooseForSave() override { return std::nullopt; }
};

/// Told when the panes must follow the document.
class DocumentListener {
public:
    virtual ~DocumentListener() = default;
    /// A layout was loaded or reset: apply the switches, rebuild, lay out and repaint.
    virtual void layoutLoaded() {}
    /// The title changed after saving: repaint.
    virtual void layoutSaved() {}
    /// The undo history changed (a step, undo or redo, a load, a save): the modified mark may have too.
    virtual void historyChanged() {}
};

/// Reads a stored layout into the model as loading does: the layout file ("global.css" or NAME.kwc),
/// menu.css and buttonstyles.css beside it, and the favourites of LayoutSettings.asp. Changes nothing on
/// the server; throws ServerError.
void readStoredLayout(const server::PortalConnection &connection, const std::string &fileName,
                      LayoutModel &model, ColorSet &colors, LayoutFlags &flags);

/// The text of the layout file the model is stored as under a name (NAME.kwc in _KwTemplates), as saving
/// writes it.
std::string namedLayoutText(LayoutModel &model, const LayoutFlags &flags);

class LayoutDocument {
public:
    LayoutDocument(server::Environment env, Prompter &prompter, LayoutChooser &chooser, WaitIndicator &wait);

    void setListener(DocumentListener *listener) { m_listener = listener; }

    LayoutModel &model() { return m_model; }
    const LayoutModel &model() const { return m_model; }
    CompanySettings &companySettings() { return m_company; }
    const ColorSet &layoutColors() const { return m_colors; }
    /// The undo history of the open layout; every edit of the layout's values goes through its `record`,
    /// and the modified mark follows it: modified exactly when the values differ from the saved state.
    LayoutHistory &history() { return m_history; }
    const LayoutHistory &history() const { return m_history; }

    // --- state -----------------------------------------------------------------------------------
    const std::string &name() const { return m_name; }
    void setName(std::string fileName) { m_name = std::move(fileName); }
    bool isNew() const { return m_new; }
    void setNew(bool on) { m_new = on; }
    bool isOpen() const { return m_open; }
    void setOpen(bool on) { m_open = on; }
    /// The modified mark, which the history keeps: the values differ from the state last loaded or saved.
    bool isModified() const { return m_history.differsFromSaved(); }
    /// Sets the mark; clearing it makes the values as they are now the saved state of the history, setting
    /// it leaves no saved state until the next save.
    void setModified(bool on);
    bool isActive() const { return m_active; }
    /// `bEntryStyleFromCss` and `bButtonStylesLoaded`.
    LayoutFlags &flags() { return m_flags; }
    const LayoutFlags &flags() const { return m_flags; }
    bool navTopRemoved() const { return m_navTopRemoved; }
    bool saved() const { return m_saved; }
    /// "Aktives Layout", the layout's name, or "Neues Layout".
    const std::string &title() const { return m_title; }
    /// "Layout: <title>", drawn in the application page of the preview.
    std::string layoutLabel() const;

    // --- loading and saving ----------------------------------------------------------------------
    /// Loads the layout the state names (empty: a new layout with the defaults). False when a server
    /// error stopped it (already reported).
    bool load();
    /// The save core: names the layout when needed and writes it; success is recorded in `saved()`.
    void save(bool saveAs);
    /// What every caller uses: `save`, a second, activating save of a layout that was new, then the
    /// portal reloads its language texts.
    void saveLayout(bool saveAs);

    // --- commands --------------------------------------------------------------------------------
    /// Leaves the current layout, asking to save a changed one; afterwards no layout is open.
    void close();
    /// The host closes the window: save a changed layout when the user agrees (and silently after an old
    /// NavTop.asp was removed), then the state of a new layout, not open. The panes are not reloaded.
    void cleanUp();
    void commandNew();
    void commandOpen();
    void commandSave();
    void commandSaveAs();
    void commandSaveAsActive();
    /// Opens a layout by file name without asking (start-up and the command line).
    bool openLayout(const std::string &fileName);

private:
    bool readLayout();
    void saveBeforeLeaving();
    void updateTitle();
    bool writeSettingsScript(const char *fileName, const std::string &text, StringId failure);
    /// Writes the layout's stylesheets; `companySettings` runs where the start page publishes the company
    /// settings.
    bool writeStylesheets(const std::function<void()> &companySettings);
    bool publishActiveLayout();

    server::Environment m_env;
    Prompter &m_prompter;
    LayoutChooser &m_chooser;
    WaitIndicator &m_wait;
    DocumentListener *m_listener = nullptr;

    LayoutModel m_model;
    ColorSet m_colors;
    CompanySettings m_company;

    std::string m_name;
    std::string m_title;
    std::string m_sourceTitle; // the layout the model came from, named in the publishing history
    bool m_new = false;
    bool m_open = false;
    bool m_active = false;
    LayoutFlags m_flags;
    bool m_navTopRemoved = false;
    bool m_commandSave = false;
    bool m_saved = false;
    LayoutHistory m_history{m_model, m_flags, m_company};
};

} // namespace kw::layout
