// The two stylesheet forms of the button styles: appearance rules (under INPUT) and the KwButtonStyles
// block of names and flags.
#pragma once

#include "css/CssDocument.h"
#include "layoutmodel/ButtonStyles.h"

namespace kw::publish {

/// Reads the list: appearance from `buttonStylesRoot` (the parsed buttonstyles.css) when given, else from
/// the layout file; names and flags from the layout file's KwButtonStyles block. Ends with the nine
/// predefined styles present.
void readButtonStyles(layout::ButtonStyleList &list, const css::CCssElement *buttonStylesRoot,
                      const css::CCssElement &layoutRoot);

/// One class rule per style under `parent`.
void writeButtonRules(const layout::ButtonStyleList &list, css::CCssElement &parent);
/// The KwButtonStyles block (kind 5) at the top level of a layout file.
void writeButtonBlock(const layout::ButtonStyleList &list, css::CCssElement &root);
/// The whole buttonstyles.css tree: one INPUT element, filled when `withRules`.
void buildButtonStylesheet(const layout::ButtonStyleList &list, bool withRules, css::CCssElement &root);

/// Finds a settings block by name: a top-level kind-5 element of that name, or a child of that name of a
/// top-level kind-5 element.
const css::CCssElement *findSettingsBlock(const css::CCssElement &root, std::string_view name);

} // namespace kw::publish
