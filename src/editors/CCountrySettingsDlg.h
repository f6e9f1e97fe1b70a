// The dialog "Ländereinstellungen" (12018): the date and time format and the four symbols of the
// portal's KwDataFormat.asp, read when it opens and written after OK.
#pragma once

#include "portalsettings/CountrySettings.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QRadioButton;

namespace kw::editors {

namespace res {
inline constexpr int IDD_COUNTRY_SETTINGS = 12018;
inline constexpr int IDC_FORMAT_US = 1085; // first of the radio group
inline constexpr int IDC_FORMAT_UK = 1086;
inline constexpr int IDC_FORMAT_DE = 1087;
inline constexpr int IDC_HEADER_DATE = 1208;
inline constexpr int IDC_HEADER_NUMBERS = 1209;
inline constexpr int IDC_HEADER_CURRENCY = 1212;
inline constexpr int IDC_DECIMAL = 1213;
inline constexpr int IDC_GROUPING = 1215;
inline constexpr int IDC_MONETARY_DECIMAL = 1216;
inline constexpr int IDC_MONETARY_GROUPING = 1217;
} // namespace res

class CCountrySettingsDlg : public QDialog {
public:
    /// Builds the controls and reads the script (a missing or unreadable one is replaced at once).
    CCountrySettingsDlg(server::Environment env, Prompter &prompter, QWidget *parent = nullptr);

    /// OK: the checks (a refusal keeps the dialog open), then the dialog closes and the script is written
    /// when something changed, after the question 12584.
    void accept() override;

    const portalsettings::CountrySettings &settings() const { return m_settings; }

private:
    void buildControls();
    /// The core's control values into the widgets, and back.
    void showValues();
    void takeValues();

    portalsettings::CountrySettings m_settings;
    std::array<QRadioButton *, 3> m_formats{};
    std::array<QLineEdit *, 4> m_symbols{};
};

} // namespace kw::editors
