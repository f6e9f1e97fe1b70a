// Reading stylesheet text into an element tree (used by CCssDocument::LoadCss).
#pragma once

#include "css/CssElement.h"

#include <string_view>

namespace kw::css::detail {

/// Appends the rules and settings blocks of text to root. Skips what it cannot use, never fails; only
/// running out of memory throws (std::bad_alloc).
void ReadStylesheet(std::string_view text, CCssElement &root);

} // namespace kw::css::detail
