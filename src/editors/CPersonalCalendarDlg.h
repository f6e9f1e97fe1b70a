// The dialog "Persönlicher Kalender veröffentlichen" (12020): the main-menu entry under which the portal
// shows the personal calendar, stored on OK when it changed.
#pragma once

#include "portalsettings/PersonalCalendar.h"

#include <QDialog>

class QComboBox;

namespace kw::editors {

namespace res {
inline constexpr int IDD_PERSONAL_CALENDAR = 12020;
inline constexpr int IDC_MAIN_MENU = 1146;
inline constexpr int IDC_HELP_BUTTON = 57670;
} // namespace res

class CPersonalCalendarDlg : public QDialog {
public:
    /// Builds the controls and fills the list with the main menu, the calendar's entry selected.
    CPersonalCalendarDlg(server::Environment env, Prompter &prompter, QWidget *parent = nullptr);

    /// OK: stores the selected entry when it differs from the current one, then closes (also after a
    /// server error, which is reported).
    void accept() override;

    const portalsettings::PersonalCalendar &calendar() const { return m_calendar; }

private:
    void buildControls();
    void fillList();

    portalsettings::PersonalCalendar m_calendar;
    QComboBox *m_list = nullptr;
};

} // namespace kw::editors
