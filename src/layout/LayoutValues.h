// Every value of a layout by name, as `kwlayout show` prints them and `kwlayout set` changes them:
// REGION.field, page.field, switch.field, button.KEY.field and doc.flag.
#pragma once

#include "layoutmodel/LayoutModel.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kw::layout {

/// Document flags that decide what a saved layout file holds.
struct LayoutFlags {
    bool entryStyleFromCss = false;  // the entry-field style came from the stylesheets
    bool buttonStylesLoaded = false; // button style rules were found when loading

    bool operator==(const LayoutFlags &) const = default;
};

/// All values, one per field, in table order (regions, page, switches, button styles, flags).
std::vector<std::pair<std::string, std::string>> layoutValues(const LayoutModel &model,
                                                              const LayoutFlags &flags);

/// Sets one value. Switches are set in both panes. Throws std::invalid_argument with a message naming
/// the key when the key is unknown or the value does not fit the field.
void setLayoutValue(LayoutModel &model, LayoutFlags &flags, std::string_view key, std::string_view value);

} // namespace kw::layout
