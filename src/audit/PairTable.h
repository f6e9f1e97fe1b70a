// Every text/background pair that the portal's pages show, as data: which field gives the text colour,
// which the background, which the text's size and weight, and when the pair is shown at all.
#pragma once

#include "base/Color.h"
#include "layoutmodel/LayoutModel.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kw::audit {

/// What must be on for a pair to be shown; a pair is shown when all its requirements hold.
enum Requirement : unsigned {
    kAlways = 0,
    kInfoBar = 1u << 0,       ///< "Infoleiste anzeigen": the page header
    kAppInfoBar = 1u << 1,    ///< "Anwendungsinfoleiste anzeigen": the application title bar
    kNoTreeMenu = 1u << 2,    ///< the main menu and the submenu heading, which the tree menu replaces
    kTreeMenu = 1u << 3,      ///< the tree menu's sub-entries
    kButtonEffect = 1u << 4,  ///< the menu region's entries drawn as buttons (focus and click fills)
    kCustomButtons = 1u << 5, ///< user-defined button styles
    kWelcome = 1u << 6,       ///< "Begrüssungstext anzeigen" on the start page
};

/// What the audit needs beyond the model: the layout's own switch for user-defined buttons.
struct AuditSwitches {
    bool customButtons = false;
};

/// One row of the table. Fields are named as `kwlayout set` takes them: `REGION.field`, `page.field`, and
/// for the button rows `button.*.field`, where `*` stands for each style's key. An empty weight is normal
/// (400).
struct PairSpec {
    layout::RegionId region;
    std::string_view state;
    std::string_view foreground;
    std::string_view background;
    std::string_view size;
    std::string_view weight;
    unsigned requirements;
    layout::Pane pane; ///< the preview pane that shows the pair (and whose sheet edits it)
};

/// The table, in the order the audit lists it; the button row stands once, for every style.
std::span<const PairSpec> pairTable();

/// A row of the table for one layout (the button row expanded to each style, in list order).
struct Pair {
    layout::RegionId region;
    std::string state;
    std::string foreground;
    std::string background;
    std::string size;
    std::string weight;
    unsigned requirements = kAlways;
    layout::Pane pane = layout::Pane::ApplicationPages;

    /// "REGION/STATE".
    std::string id() const;
    /// Whether the text stands on the region's own background (and so over its background picture).
    bool onRegionBackground() const;
};

std::vector<Pair> layoutPairs(const layout::LayoutModel &model);

/// Whether the pair is shown with the model's switches (the application pages pane's, the welcome text's
/// from the start page pane, the menu region's button effect).
bool isShown(const Pair &pair, const layout::LayoutModel &model, const AuditSwitches &switches);

/// Field values by the names the table uses; nothing for a name that is no field of that kind.
std::optional<Color> colorField(const layout::LayoutModel &model, std::string_view key);
std::optional<int> intField(const layout::LayoutModel &model, std::string_view key);
std::optional<std::string> textField(const layout::LayoutModel &model, std::string_view key);
/// A weight field as a CSS weight: weight texts as the weight drop-downs read them ("bold" 700, "normal"
/// 400), a button style's index as (index + 1) * 100; 400 for an empty name or anything unreadable.
int weightField(const layout::LayoutModel &model, std::string_view key);
/// Sets a colour field by its name; false (and nothing changed) when the name is no colour field.
bool setColorField(layout::LayoutModel &model, std::string_view key, Color color);

} // namespace kw::audit
