// The page "Spezialeinstellungen" (dialog 12057) of the three menus: the button effects of the menu entries
// and the pictures before links and between entries.
#pragma once

#include "layoutmodel/PageValues.h"
#include "pages/ImageField.h"
#include "pages/PropertyPage.h"

#include <array>

class QCheckBox;
class QLabel;

namespace kw::controls {
class CBorderStyleBox;
class CKwColorBtn;
class CKwNiceStatic;
} // namespace kw::controls

namespace kw::pages {

/// Control IDs of dialog 12057, the controls' object names.
namespace specials {
inline constexpr int IDD = 12057;
inline constexpr int EffectsHeader = 1190, LinksHeader = 1191, SeparatorHeader = 1192;
inline constexpr int ButtonEffects = 1193;
inline constexpr int HoverColor = 1119, ClickColor = 1120, HoverBorderColor = 1131, ClickBorderColor = 1132;
inline constexpr int BorderStyle = 1133;
inline constexpr int ImageNormal = 1205, ChangeImageNormal = 1206;
inline constexpr int ImageSelected = 1208, ChangeImageSelected = 1209;
inline constexpr int ImageHover = 1211, ChangeImageHover = 1212;
inline constexpr int LinkImage = 1199, ChangeLinkImage = 1200;
inline constexpr int SeparatorImage = 1202, ChangeSeparatorImage = 1203, SeparatorLabel = 1204;
/// The submenu's kind: its page has no separator group.
inline constexpr int kSubmenuKind = 3;
} // namespace specials

class CMenuSpecials final : public CPropertyPage {
public:
    CMenuSpecials();
    ~CMenuSpecials() override;

    /// The page's fields: filled by the menu elements from their region, read back by them on OK.
    layout::MenuSpecialValues values;
    /// Set when the user chose a different picture; cleared when the page opens.
    bool imageChanged = false;

    bool OnKillActive() override;

protected:
    void OnInitDialog() override;

private:
    enum Picture { Normal, Selected, Hover, Link, Separator, kPictures };

    void showFields();
    void takeFields();
    void applyEnableRule();
    void onChangeImage(Picture picture);
    std::string &pictureValue(Picture picture);

    QCheckBox *m_effectsBox = nullptr;
    /// The colour buttons and their labels by the slots of `values.effectColors`.
    std::array<controls::CKwColorBtn *, layout::MenuSpecialValues::kColorSlots> m_colors{};
    std::array<QLabel *, layout::MenuSpecialValues::kColorSlots> m_colorLabels{};
    controls::CBorderStyleBox *m_borderStyle = nullptr;
    QLabel *m_borderStyleLabel = nullptr;
    std::array<ImageField, kPictures> m_images;
    controls::CKwNiceStatic *m_separatorHeader = nullptr;
};

} // namespace kw::pages
