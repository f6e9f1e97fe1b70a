// Style elements written for regions, shared by the layout file and menu.css.
#pragma once

#include "css/CssDocument.h"
#include "layoutmodel/LayoutModel.h"

#include <functional>

namespace kw::publish {

/// TD > R: colour and main font, then the text keywords that are set.
void writeRegionText(css::CCssElement &td, std::string_view name, const layout::RegionStyle &region);

/// The page's COLOR, FONT-FAMILY, FONT-SIZE, FONT-WEIGHT.
void writePageFont(css::CCssElement &element, const layout::RegionStyle &page);

/// What the regions add to a style tree when it is saved (the rules of the header, the menus and the
/// submenu heading). `companySettings` runs first, where the start page's content region contributes:
/// it publishes changed company settings (logo, welcome text) after asking the user.
void addRegionContributions(css::CCssElement &root, const layout::LayoutModel &model,
                            const std::function<void()> &companySettings);

/// The entry-field border form: colour, width and style joined by blanks.
std::string entryBorder(const layout::PageStyle &page);

} // namespace kw::publish
