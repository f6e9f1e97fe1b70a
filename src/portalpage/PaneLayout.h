// Where the elements of a preview pane go: a pure function of their preferred sizes and the pane's
// display switches.
#pragma once

#include "layoutmodel/LayoutModel.h"
#include "portalpage/PaintDevice.h"

#include <array>

namespace kw::portalpage {

/// What the layout of a pane depends on.
struct PaneLayoutInput {
    bool layoutOpen = true;
    bool applicationPane = false; ///< the title bar and the application menu take room only here
    layout::PaneSwitches switches;
    /// Preferred sizes, by region.
    std::array<Size, 8> preferred{};
    /// The pane's client size.
    Size client;

    Size &preferredOf(layout::RegionId id) { return preferred[static_cast<std::size_t>(id)]; }
    const Size &preferredOf(layout::RegionId id) const { return preferred[static_cast<std::size_t>(id)]; }
};

/// The element rectangles (pane coordinates) and the pane's scroll size.
struct PaneLayout {
    std::array<Rect, 8> rects{};
    Size scrollSize;

    const Rect &operator[](layout::RegionId id) const { return rects[static_cast<std::size_t>(id)]; }
};

/// Lays a pane out for a requested size (normally the client size):
///
/// - the minimum size is the widest of page header, main menu and application page by the sum of the
///   heights of page header, main menu, (in the application pane) title bar and application menu, and
///   application page; the requested size raised to it is the scroll size, and the client rectangle
///   raised to it is the area laid out (width W, bottom B);
/// - with no layout open every rectangle is empty;
/// - the page header spans the top (its preferred height), the main menu below it (no height with the
///   tree menu);
/// - the menu column (the submenu logo's preferred width) lies left, or right with `menuRight`: the
///   submenu logo on top (55 high, none with `showPicture` off), then the submenu heading (none with the
///   tree menu), then the submenu down to B;
/// - the content beside the column: in the application pane the title bar and the application menu at
///   their preferred heights, then the application page down to B; in the start page pane the application
///   page alone from the main menu's bottom.
///
/// With the tree menu the submenu heading gets an empty rectangle at the column's top edge below the
/// logo, so that nothing of it shows anywhere.
PaneLayout layoutPane(const PaneLayoutInput &input, int width, int height);

} // namespace kw::portalpage
