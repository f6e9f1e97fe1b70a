// The image chooser behind every "Ändern..." button that picks a picture of the layout.
#pragma once

#include "pages/PropertyPage.h"

#include <optional>
#include <string>

namespace kw::pages {

/// Opens the server file dialog on the portal folder Images\Company with the picture extensions and the
/// filter text 12555, `current` proposed. The chosen file name, or nothing when cancelled (or when the
/// folder could not be listed, which the dialog reported).
std::optional<std::string> chooseCompanyImage(const PageContext &context, const std::string &current,
                                              QWidget *parent);

} // namespace kw::pages
