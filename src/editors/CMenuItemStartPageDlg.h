// The dialog "Startseite des Menüpunkts" (12021): the page a main-menu entry opens, the standard start page,
// the user-defined page content or an alternative page of the portal's area folder.
#pragma once

#include "portalsettings/MenuItemStartPage.h"
#include "server/LocalPortal.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kw::editors {

namespace res {
inline constexpr int IDD_MENU_ITEM_START_PAGE = 12021;
inline constexpr int IDC_MENU_START_HEADER = 1145;
inline constexpr int IDC_MENU_START_STANDARD = 12589; // first of the radio group
inline constexpr int IDC_MENU_START_CUSTOM = 1212;
inline constexpr int IDC_MENU_START_ALTERNATIVE = 1141;
inline constexpr int IDC_MENU_START_EDIT = 1142; // the alternative page's edit
inline constexpr int IDC_MENU_START_LIST = 1143;
inline constexpr int IDC_MENU_START_HELP = 57670;
} // namespace res

class CMenuItemStartPageDlg : public QDialog {
public:
    /// Shows the fields' caption (when not empty) and classifies their start page. The server is only
    /// reached by "Liste..." browsing the area folder.
    CMenuItemStartPageDlg(server::Environment env, Prompter &prompter,
                          portalsettings::MenuItemStartPage values, QWidget *parent = nullptr);

    /// OK: after a change asks 12588 (not for a new entry); No closes the dialog as cancelled.
    void accept() override;

    /// The fields; after Accepted `startPage` is the page to store in the entry.
    const portalsettings::MenuItemStartPage &values() const { return m_values; }

private:
    void buildControls();
    void showValues();
    void enableAlternative();
    void chooseFromList();

    server::Environment m_env;
    Prompter &m_prompter;
    portalsettings::MenuItemStartPage m_values;
    std::array<QRadioButton *, 3> m_choices{};
    QLineEdit *m_page = nullptr;
    QPushButton *m_list = nullptr;
};

} // namespace kw::editors
