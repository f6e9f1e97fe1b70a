// The layout of a preview pane.
#include "portalpage/PaneLayout.h"

#include <algorithm>

namespace kw::portalpage {

using layout::RegionId;

PaneLayout layoutPane(const PaneLayoutInput &input, int width, int height)
{
    const Size header = input.preferredOf(RegionId::KwRootTop);
    const Size menu = input.preferredOf(RegionId::KwRootNavigate);
    const Size title = input.applicationPane ? input.preferredOf(RegionId::KwStartTop) : Size{};
    const Size appMenu = input.applicationPane ? input.preferredOf(RegionId::KwStartNavigate) : Size{};
    const Size page = input.preferredOf(RegionId::KwApplication);

    const int minWidth = std::max({header.width, menu.width, page.width});
    const int minHeight = header.height + menu.height + title.height + appMenu.height + page.height;

    PaneLayout result;
    result.scrollSize = {std::max(width, minWidth), std::max(height, minHeight)};
    if (!input.layoutOpen)
        return result;

    const int w = std::max(input.client.width, minWidth);
    const int bottom = std::max(input.client.height, minHeight);
    const layout::PaneSwitches &sw = input.switches;
    auto place = [&](RegionId id, Rect rect) { result.rects[static_cast<std::size_t>(id)] = rect; };

    place(RegionId::KwRootTop, {0, 0, w, header.height});
    const int menuHeight = sw.useTreeMenu ? 0 : menu.height;
    place(RegionId::KwRootNavigate, {0, header.height, w, menuHeight});
    const int menuBottom = header.height + menuHeight;

    const int column = input.preferredOf(RegionId::KwPics).width;
    const int columnLeft = sw.menuRight ? w - column : 0;
    const int contentLeft = sw.menuRight ? 0 : column;
    const int contentWidth = w - column;

    int y = menuBottom;
    const int logoHeight = sw.showPicture ? input.preferredOf(RegionId::KwPics).height : 0;
    place(RegionId::KwPics, {columnLeft, y, column, logoHeight});
    y += logoHeight;
    if (sw.useTreeMenu) {
        place(RegionId::KwNavigateHeader, {columnLeft, y, column, 0});
    } else {
        const int headingHeight = input.preferredOf(RegionId::KwNavigateHeader).height;
        place(RegionId::KwNavigateHeader, {columnLeft, y, column, headingHeight});
        y += headingHeight;
    }
    place(RegionId::KwNavigate, {columnLeft, y, column, std::max(0, bottom - y)});

    int top = menuBottom;
    if (input.applicationPane) {
        place(RegionId::KwStartTop, {contentLeft, top, contentWidth, title.height});
        top += title.height;
        place(RegionId::KwStartNavigate, {contentLeft, top, contentWidth, appMenu.height});
        top += appMenu.height;
    }
    place(RegionId::KwApplication, {contentLeft, top, contentWidth, std::max(0, bottom - top)});
    return result;
}

} // namespace kw::portalpage
