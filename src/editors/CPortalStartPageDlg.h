// The dialog "Startseite" (12019): the start page of anonymous visitors and the one of all other users,
// read from the portal's KwStartPage.asp when it opens and written after OK.
#pragma once

#include "portalsettings/PortalStartPage.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kw::editors {

namespace res {
inline constexpr int IDD_PORTAL_START_PAGE = 12019;
inline constexpr int IDC_ANONYMOUS_STANDARD = 1072; // first of the anonymous group
inline constexpr int IDC_ANONYMOUS_CUSTOM = 1211;
inline constexpr int IDC_ANONYMOUS_ALTERNATIVE = 1074;
inline constexpr int IDC_MAIN_STANDARD = 1073; // first of the other users' group
inline constexpr int IDC_MAIN_CUSTOM = 1212;
inline constexpr int IDC_MAIN_ALTERNATIVE = 1075;
inline constexpr int IDC_ANONYMOUS_PAGE = 1076;
inline constexpr int IDC_MAIN_PAGE = 1077;
inline constexpr int IDC_ANONYMOUS_LIST = 1078;
inline constexpr int IDC_MAIN_LIST = 1079;
inline constexpr int IDC_HEADER_ANONYMOUS = 1080;
inline constexpr int IDC_HEADER_MAIN = 1081;
inline constexpr int IDC_START_PAGE_HELP = 57670;
} // namespace res

class CPortalStartPageDlg : public QDialog {
public:
    /// Builds the controls and reads the script (a read error is reported and the dialog opens anyway).
    CPortalStartPageDlg(server::Environment env, Prompter &prompter, QWidget *parent = nullptr);

    /// OK: after a change and a Yes to 12579 the script is written; the dialog closes in any case but for
    /// a page the script cannot hold (told, the dialog stays open).
    void accept() override;

    const portalsettings::PortalStartPage &startPage() const { return m_startPage; }

private:
    /// The controls of one group.
    struct Group {
        std::array<QRadioButton *, 3> choices{};
        QLineEdit *page = nullptr;
        QPushButton *list = nullptr;
    };

    void buildControls();
    void showValues();
    void takeValues();
    void enableAlternatives();
    void chooseFromList(std::size_t group);

    server::Environment m_env;
    Prompter &m_prompter;
    portalsettings::PortalStartPage m_startPage;
    std::array<Group, 2> m_groups{};
};

} // namespace kw::editors
