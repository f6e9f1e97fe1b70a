// The layout file: the layout's element tree, which is at once the stored layout (.kwc) and, for the
// active layout, the portal's global.css.
#pragma once

#include "css/CssDocument.h"
#include "layoutmodel/LayoutModel.h"

#include <functional>

namespace kw::publish {

struct LayoutTreeOptions {
    bool active = false;                   // written as global.css (button rules go to buttonstyles.css)
    bool entryStyleFromCss = false;        // the INPUT element carried the entry-field style
    bool buttonStylesLoaded = false;       // button style rules were found when the layout was loaded
    std::function<void()> companySettings; // runs where the start page's content region contributes
};

/// Builds the layout tree under `root`. The model is not const: an empty table-head link font takes the
/// grid title font as the tree is written.
void buildLayoutTree(layout::LayoutModel &model, const LayoutTreeOptions &options, css::CCssElement &root);

} // namespace kw::publish
