// The page "Baummenü" (dialog 12062) of the submenu with the tree menu on: the four pictures of the tree
// view.
#pragma once

#include "layoutmodel/PageValues.h"
#include "pages/ImageField.h"
#include "pages/PropertyPage.h"

#include <array>

namespace kw::pages {

/// Control IDs of dialog 12062, the controls' object names.
namespace tree {
inline constexpr int IDD = 12062;
inline constexpr int Header = 1216;
inline constexpr int CollapseImage = 1234, ChangeCollapseImage = 1222;
inline constexpr int OpenLeafImage = 1233, ChangeOpenLeafImage = 1220;
inline constexpr int ClosedLeafImage = 1232, ChangeClosedLeafImage = 1218;
inline constexpr int LoginButtonImage = 1235, ChangeLoginButtonImage = 1224;
} // namespace tree

class CTreeMenu final : public CPropertyPage {
public:
    CTreeMenu();
    ~CTreeMenu() override;

    /// The four pictures: filled by the submenu element from its region, read back by it on OK.
    layout::TreeMenuValues values;
    /// Set when the user chose a different picture.
    bool imageChanged = false;

protected:
    void OnInitDialog() override;

private:
    std::array<ImageField, 4> m_images;
};

} // namespace kw::pages
