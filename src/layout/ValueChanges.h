// Several value changes of the open layout made as one edit: `kwlayout set`, `kwlayout audit --fix` and
// the contrast window's proposals.
#pragma once

#include "layout/LayoutDocument.h"
#include "layoutmodel/ValueChange.h"

#include <span>
#include <string>

namespace kw::layout {

/// Sets every value as `kwlayout set` names it, as one step `stepName` of the layout's history (which
/// marks the layout modified when a value changed). When one of them does not fit, nothing is changed and
/// std::invalid_argument names it. False when no value changed.
bool applyValueChanges(LayoutDocument &document, std::span<const ValueChange> changes, std::string stepName);

} // namespace kw::layout
