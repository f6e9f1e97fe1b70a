// The page "Links" (dialog 12056): the colours of all links and the font of highlighted links.
#pragma once

#include "layoutmodel/PageValues.h"
#include "pages/FontGroupControls.h"
#include "pages/PropertyPage.h"

namespace kw::controls {
class DataExchange;
}

namespace kw::pages {

/// Control IDs of dialog 12056, the controls' object names.
namespace links {
inline constexpr int IDD = 12056;
inline constexpr int AllLinksHeader = 1083, LinkColor = 1037, LinkHoverColor = 1041;
inline constexpr int EmphasisFont = 1153, EmphasisSize = 1048, EmphasisWeight = 1049;
} // namespace links

class CAppPageLinkPage final : public CPropertyPage {
public:
    CAppPageLinkPage();
    ~CAppPageLinkPage() override;

    /// The page's fields: filled by the application page element, read back by it on OK.
    layout::LinkValues values;

    bool OnKillActive() override;

protected:
    void OnInitDialog() override;

private:
    void DoDataExchange(controls::DataExchange &dx);
    bool UpdateData(bool saving);

    controls::CKwColorBtn *m_color = nullptr;
    controls::CKwColorBtn *m_hoverColor = nullptr;
    FontGroupControls m_emphasis;
    /// The colours and the font name as the page opened with them.
    layout::LinkValues m_opened;
    /// True while the fields are shown in the controls, so that showing them marks nothing.
    bool m_showing = false;
};

} // namespace kw::pages
