// A static page of a layout for any browser: the stylesheets the activation would publish, with their
// pictures, applied the way the portal's pages apply their classes, one frame per region, every region and
// state the preview shows with a sample.
#pragma once

#include "layout/LayoutDocument.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace kw::layout {

/// The element id of a pair's sample on the page ("KwRootNavigate/hover" is "KwRootNavigate-hover").
std::string sampleId(std::string_view pairId);

/// Writes the page of the open layout (with its unsaved changes) into `folder`, which is created when
/// missing: `index.html`, the region frames `frames/REGION.html`, `css/global.css`, `css/menu.css`,
/// `css/buttonstyles.css`, `css/sample-states.css` (the colours the portal's scripts give on mouse contact,
/// selection and in table rows) and the pictures the stylesheets name under `images/company`. Returns
/// the path of `index.html`. Server errors while reading pictures throw ServerError; files that cannot be
/// written throw std::runtime_error.
std::filesystem::path writeSamplePage(const LayoutDocument &document, const server::Environment &env,
                                      const std::filesystem::path &folder);

} // namespace kw::layout
