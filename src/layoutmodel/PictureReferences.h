// The pictures a layout names: every picture field of its regions, its page block and its button styles,
// found through the field tables.
#pragma once

#include "layoutmodel/LayoutModel.h"

#include <string>
#include <vector>

namespace kw::layout {

/// The picture file names the model holds, each once (names that differ only in case are one file of
/// the portal), in the order the field tables meet them: the regions in registration order, the page
/// block, the button styles in list order. Empty names and values that are no bare file name are left out.
std::vector<std::string> referencedPictures(const LayoutModel &model);

} // namespace kw::layout
