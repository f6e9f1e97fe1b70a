// menu.css: the styles of the header and menu regions, with the pseudo-classes of their links.
#pragma once

#include "css/CssDocument.h"
#include "layoutmodel/LayoutModel.h"

#include <functional>

namespace kw::publish {

void buildMenuTree(const layout::LayoutModel &model, bool entryStyleFromCss, css::CCssElement &root,
                   const std::function<void()> &companySettings);

} // namespace kw::publish
