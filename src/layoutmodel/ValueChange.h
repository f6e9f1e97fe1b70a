// One change of a layout value, named as `kwlayout set` names it: what edits made of several values
// (the contrast fixes) hand to the document to apply together.
#pragma once

#include <string>

namespace kw::layout {

struct ValueChange {
    std::string key;      ///< REGION.field, page.field, switch.field or button.KEY.field
    std::string value;    ///< the new value in the form `set` takes
    std::string previous; ///< the value before, in the same form (for telling the user)

    bool operator==(const ValueChange &) const = default;
};

} // namespace kw::layout
