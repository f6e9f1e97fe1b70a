// The values the further property pages of a layout edit, and how the preview elements fill them from the
// layout model and take them back. The slot tables say once which model field each page value stands for.
#pragma once

#include "base/Color.h"
#include "layoutmodel/LayoutModel.h"

#include <array>
#include <string>

namespace kw::layout {

/// One heading level of the Headings page. Weights are drop-down indexes (0..8, -1 none).
struct HeadingLevel {
    Color color = 0;
    std::string font;
    int weight = -1;
    int size = 0;
    std::string bullet; // outline symbol picture; levels 1 and 2 only
    bool operator==(const HeadingLevel &) const = default;
};

struct HeadingValues {
    std::array<HeadingLevel, 3> levels;
    bool operator==(const HeadingValues &) const = default;
};

HeadingValues headingValues(const PageStyle &page);
void storeHeadingValues(const HeadingValues &values, PageStyle &page);

/// The Links page: colours of all links, font of highlighted links.
struct LinkValues {
    Color linkColor = 0;
    Color linkHoverColor = 0;
    std::string emphasisFont;
    int emphasisWeight = -1;
    int emphasisSize = 0;
    bool operator==(const LinkValues &) const = default;
};

LinkValues linkValues(const PageStyle &page);
void storeLinkValues(const LinkValues &values, PageStyle &page);

/// The Tables and the Portal page: eleven colour slots, two font groups and one further value.
struct GridValues {
    static constexpr int kColorSlots = 11;
    std::array<Color, kColorSlots> colors{};
    std::string titleFont;
    int titleSize = 0;
    int titleWeight = -1;
    std::string secondFont;
    int secondSize = 0;
    int secondWeight = -1;
    int borderWidth = 2;     // Tables only
    bool showShadow = false; // Portal only
    bool operator==(const GridValues &) const = default;
};

GridValues tableValues(const PageStyle &page);
void storeTableValues(const GridValues &values, PageStyle &page);
GridValues portalValues(const PageStyle &page);
void storePortalValues(const GridValues &values, PageStyle &page);

/// The Entry fields page. Colour slots: 0 background, 1 text, 2 selection background, 3 selection text,
/// 4 border.
struct EntryValues {
    static constexpr int kColorSlots = 5;
    std::array<Color, kColorSlots> colors{};
    int borderWidth = 1;
    std::string borderStyle;
    std::string requiredImage;
    bool operator==(const EntryValues &) const = default;
};

EntryValues entryValues(const PageStyle &page);
void storeEntryValues(const EntryValues &values, PageStyle &page);

/// The Special settings page of a menu region. Colour slots: 0 mouse-over, 1 mouse-over border, 2 click,
/// 3 click border.
struct MenuSpecialValues {
    static constexpr int kColorSlots = 4;
    bool buttonEffects = false;
    std::array<Color, kColorSlots> effectColors{};
    std::string effectBorderStyle;
    std::string imageNormal;
    std::string imageSelected;
    std::string imageHover;
    std::string linkImage;
    std::string separatorImage;
    bool operator==(const MenuSpecialValues &) const = default;
};

MenuSpecialValues menuSpecialValues(const RegionStyle &region);
void storeMenuSpecialValues(const MenuSpecialValues &values, RegionStyle &region);

/// The Tree menu page: collapse, open leaf, closed leaf and login button pictures, in that order.
struct TreeMenuValues {
    std::array<std::string, 4> images;
    bool operator==(const TreeMenuValues &) const = default;
};

TreeMenuValues treeMenuValues(const RegionStyle &region);
void storeTreeMenuValues(const TreeMenuValues &values, RegionStyle &region);

/// The five switches of the portal's global search.
struct GlobalSearchValues {
    bool enableGlobalSearch = false;
    bool searchEmployees = false;
    bool searchEmployeesAnonymous = false;
    bool searchApplications = false;
    bool searchApplicationsAnonymous = false;
    bool operator==(const GlobalSearchValues &) const = default;
};

GlobalSearchValues globalSearchValues(const PaneSwitches &switches);
/// Stores the five switches into both panes when any differs from `reference` (the switches the dialog
/// was opened with); true when they were stored, false when nothing changed.
bool storeGlobalSearchValues(const GlobalSearchValues &values, const PaneSwitches &reference,
                             LayoutModel &model);

} // namespace kw::layout
