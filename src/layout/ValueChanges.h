// Several value changes of the open layout made as one edit (the contrast fixes of the window and of
// `kwlayout audit --fix`).
#pragma once

#include "layout/LayoutDocument.h"
#include "layoutmodel/ValueChange.h"

#include <span>

namespace kw::layout {

/// Sets every value as `kwlayout set` sets it and marks the layout modified. When one of them does not
/// fit, nothing is changed and std::invalid_argument names it.
void applyValueChanges(LayoutDocument &document, std::span<const ValueChange> changes);

} // namespace kw::layout
