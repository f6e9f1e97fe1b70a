// The page "Portal" (dialog 12022): frame, title, intermediate headings, entries and links of the portlets
// on the default start page.
#pragma once

#include "pages/CGridStylePage.h"

namespace kw::pages {

/// Control IDs of dialog 12022 that tests and callers name.
namespace portal {
inline constexpr int IDD = 12022;
inline constexpr int LinkNormal = 1034, BorderColor = 1037, TitleFont = 1153, TitleSize = 1156,
                     SecondFont = 1155, ShowShadow = 1216;
} // namespace portal

class CKwAppPortalProp final : public CGridStylePage {
public:
    CKwAppPortalProp();
};

} // namespace kw::pages
