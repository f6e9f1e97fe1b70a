// Writing an element tree as stylesheet text (used by CCssDocument::GenerateCss).
#pragma once

#include "css/CssElement.h"

#include <string>

namespace kw::css::detail {

/// The children of root as rules and settings blocks; root's own name, kind and properties are not written.
std::string WriteStylesheet(const CCssElement &root);

} // namespace kw::css::detail
