// The page "Eingabefelder" (dialog 12055): colours, border and the mandatory-field picture of the portal's
// entry fields, with the switch for user-defined entry field settings.
#pragma once

#include "layoutmodel/PageValues.h"
#include "pages/ImageField.h"
#include "pages/PropertyPage.h"

#include <array>

class QCheckBox;
class QLineEdit;

namespace kw::controls {
class CBorderStyleBox;
class CKwColorBtn;
class DataExchange;
} // namespace kw::controls

namespace kw::pages {

/// Control IDs of dialog 12055, the controls' object names.
namespace entry {
inline constexpr int IDD = 12055;
inline constexpr int Custom = 1147;
inline constexpr int GeneralHeader = 1184, SelectionHeader = 1181, RequiredHeader = 1183;
inline constexpr int BackgroundColor = 1115, TextColor = 1116, BorderColor = 1129;
inline constexpr int SelectionBackground = 1119, SelectionText = 1120;
inline constexpr int BorderWidth = 1117, BorderStyle = 1132;
inline constexpr int RequiredImage = 1174, ChangeRequiredImage = 1178;
inline constexpr int kMinBorderWidth = 1, kMaxBorderWidth = 100;
} // namespace entry

class CEntryStyleProp final : public CPropertyPage {
public:
    CEntryStyleProp();
    ~CEntryStyleProp() override;

    /// The page's fields: filled by the application page element, read back by it on OK. The switch for
    /// user-defined entry fields is the sheet's `customEntryFields`.
    layout::EntryValues values;
    /// Set when the user chose a different mandatory-field picture.
    bool imageChanged = false;

    bool OnKillActive() override;

protected:
    void OnInitDialog() override;

private:
    void DoDataExchange(controls::DataExchange &dx);
    bool UpdateData(bool saving);
    void applyEnableRule();
    void onCustomClicked();
    void onChangeImage();

    QCheckBox *m_customBox = nullptr;
    /// The colour buttons by the slots of `values.colors`.
    std::array<controls::CKwColorBtn *, layout::EntryValues::kColorSlots> m_colors{};
    QLineEdit *m_borderWidth = nullptr;
    controls::CBorderStyleBox *m_borderStyle = nullptr;
    ImageField m_image;
    bool m_custom = false;
};

} // namespace kw::pages
