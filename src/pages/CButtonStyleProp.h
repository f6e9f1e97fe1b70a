// The page "Schaltflächen" (dialog 12023): the portal's named button styles, one shown at a time, and the
// switch for user-defined buttons.
#pragma once

#include "layoutmodel/ButtonStyles.h"
#include "pages/FontGroupControls.h"
#include "pages/PropertyPage.h"

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kw::controls {
class CBorderStyleBox;
class CKwColorBtn;
class DataExchange;
} // namespace kw::controls

namespace kw::pages {

/// Control IDs of dialog 12023, the controls' object names.
namespace buttons {
inline constexpr int IDD = 12023;
inline constexpr int CustomButtons = 1140, StyleName = 1149, NewStyle = 1150, DeleteStyle = 1151;
inline constexpr int BackgroundHeader = 1175, BackgroundColor = 1119, ImageFile = 1174, ChangeImage = 1178;
inline constexpr int TextHeader = 1170, Font = 1153, Size = 1156, Weight = 1154, TextColor = 1125,
                     Alignment = 1159;
inline constexpr int MarginTop = 1160, MarginLeft = 1182, MarginBottom = 1184, MarginRight = 1161;
inline constexpr int PaddingTop = 1162, PaddingLeft = 1188, PaddingBottom = 1190, PaddingRight = 1186;
inline constexpr int BorderHeader = 1171, BorderStyle = 1133, BorderTopLeft = 1131, BorderBottomRight = 1132;
inline constexpr int BorderWidth = 1120, Height = 1180;
/// The border width is stored within these bounds, whatever was typed.
inline constexpr int kMinBorderWidth = 1, kMaxBorderWidth = 100;
} // namespace buttons

class CButtonStyleProp final : public CPropertyPage {
public:
    CButtonStyleProp();
    ~CButtonStyleProp() override;

    /// The page's copy of the button style list: filled by the application page, read back by it on OK.
    layout::ButtonStyleList styles;
    /// The user picked another background picture for a style.
    bool imageChanged = false;

    bool OnKillActive() override;
    void OnOK() override;

protected:
    void OnInitDialog() override;

private:
    void buildControls();
    void DoDataExchange(controls::DataExchange &dx);
    bool UpdateData(bool saving);
    /// The name box: its entries and text to the controls, or the typed name into the current style.
    void exchangeName(controls::DataExchange &dx);
    void applyEnableRule();
    /// What depends on the current style: "Löschen" and the editable name only for a style of the user's.
    void applyStyleRule();

    void customButtonsClicked();
    void newStyle();
    void deleteStyle();
    void nameChosen(int position);
    void chooseImage();

    bool m_customButtons = false;
    /// A style added with "Neu" is re-keyed from its name when the values are next taken.
    bool m_newStylePending = false;
    /// The name as shown or typed for the current style; the box's own text already shows the next style
    /// when another entry is chosen.
    QString m_name;

    QCheckBox *m_custom = nullptr;
    QComboBox *m_nameBox = nullptr;
    QPushButton *m_new = nullptr, *m_delete = nullptr, *m_change = nullptr;
    std::array<controls::CKwColorBtn *, 4> m_colors{}; // background, text, top left, bottom right
    QLineEdit *m_image = nullptr;
    FontGroupControls m_text;
    QComboBox *m_alignment = nullptr;
    controls::CBorderStyleBox *m_borderStyle = nullptr;
    /// The number fields in the order of the page's number table.
    std::array<QLineEdit *, 10> m_numbers{};
};

} // namespace kw::pages
