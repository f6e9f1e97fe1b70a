// The main-menu editor "Hauptnavigation - Menüpunkte -": the page "Allgemein" (12017) with the list of the
// portal's top-level entries and its buttons, and the language page with the entries' names per language.
// Nothing reaches the server before OK; OK writes the whole menu in one transaction.
#pragma once

#include "editors/CLanguageSheet.h"
#include "portalsettings/MainMenu.h"

#include <QDialog>
#include <QWidget>

#include <functional>

class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace kw::controls {
class CKwArrowButton;
}

namespace kw::editors {

namespace res {
inline constexpr int IDD_TOP_LEVEL_MENU = 12017;
inline constexpr int IDC_MENU_LIST = 1061;
inline constexpr int IDC_MENU_UP = 1068;
inline constexpr int IDC_MENU_DOWN = 1069;
inline constexpr int IDC_MENU_NEW = 1051;
inline constexpr int IDC_MENU_RENAME = 1066;
inline constexpr int IDC_MENU_RIGHTS = 1070;
inline constexpr int IDC_MENU_DELETE = 1064;
inline constexpr int IDC_MENU_START_PAGE = 1144;
inline constexpr int IDC_MENU_HELP = 57670;
} // namespace res

/// The editors of the selected entry's access rights and start page. Each gets the page as parent, the
/// entry's record to edit in place and the entry's list text; true when it changed the record. An empty
/// function makes its button do nothing.
struct MenuEntryEditors {
    std::function<bool(QWidget *parent, portalsettings::MenuEntry &entry, const QString &listText)> rights,
        startPage;
};

/// The page "Allgemein": the entries in menu order, labels edited in place.
class CTopLevelMenuPage : public QWidget {
public:
    CTopLevelMenuPage(portalsettings::MainMenuEditor &editor, MenuEntryEditors editors,
                      QWidget *parent = nullptr);

    /// Shows the editor's entries anew and selects `row` (none: no selection).
    void showEntries(std::optional<std::size_t> row);
    QTreeWidget *list() const { return m_list; }
    /// The selected row, or nothing.
    std::optional<std::size_t> selectedRow() const;
    /// Called after the list's texts or order changed (the language page refills its grid).
    std::function<void()> onEntriesChanged;
    /// Opens the label editor of a row.
    void startLabelEdit(std::size_t row);

    // The buttons.
    void newEntry();
    void renameEntry();
    void deleteEntry();
    void moveUp();
    void moveDown();
    void editRights();
    void editStartPage();

protected:
    /// "LanguageData updaten" from the language page.
    bool event(QEvent *event) override;

private:
    class LabelDelegate;
    void buildControls();
    void enableControls();
    void labelEditEnded(std::size_t row, const std::optional<std::string> &text);
    /// Runs an entry editor on the selected entry; what it answers (false without a selection).
    bool runEditor(const decltype(MenuEntryEditors::rights) &edit);

    portalsettings::MainMenuEditor &m_editor;
    MenuEntryEditors m_editors;
    QTreeWidget *m_list = nullptr;
    controls::CKwArrowButton *m_up = nullptr;
    controls::CKwArrowButton *m_down = nullptr;
    QPushButton *m_rename = nullptr;
    QPushButton *m_rights = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_startPage = nullptr;
    std::optional<std::size_t> m_editingRow;
};

/// The sheet (caption 58520): "Allgemein" first, then the language page. The languages are read when it is
/// built (a server error is reported and leaves the language page without languages), then the entries.
class CTopLevelMenuSheet : public QDialog {
public:
    CTopLevelMenuSheet(server::Environment env, Prompter &prompter, MenuEntryEditors editors,
                       QWidget *parent = nullptr);

    /// OK: the save runs (a server error is reported with 12563); the sheet closes in any case, unless a
    /// new entry still has no name (12561, its label is edited again).
    void accept() override;

    portalsettings::MainMenuEditor &editor() { return m_editor; }
    CTopLevelMenuPage &generalPage() { return *m_general; }
    CIFLanguagePage &languagePage() { return *m_language; }
    /// Whether the last OK saved the menu.
    bool saved() const { return m_saved; }

private:
    portalsettings::PortalLanguages m_languages;
    portalsettings::MainMenuEditor m_editor;
    QTabWidget *m_tabs = nullptr;
    CTopLevelMenuPage *m_general = nullptr;
    CIFLanguagePage *m_language = nullptr;
    bool m_saved = false;
};

} // namespace kw::editors
