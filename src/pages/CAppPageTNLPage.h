// The page "Tabellen" (dialog 12013): border, title, column headings and rows of the portal's data tables.
#pragma once

#include "pages/CGridStylePage.h"

namespace kw::pages {

/// Control IDs of dialog 12013 that tests and callers name.
namespace tables {
inline constexpr int IDD = 12013;
inline constexpr int HeadNormal = 1034, BorderColor = 1037, TitleFont = 1153, TitleSize = 1156,
                     SecondFont = 1155, SecondSize = 1032, BorderWidth = 1157;
} // namespace tables

class CAppPageTNLPage final : public CGridStylePage {
public:
    CAppPageTNLPage();
};

} // namespace kw::pages
