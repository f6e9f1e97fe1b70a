// The server-side settings scripts the running portal includes: KwStyles.asp, LayoutSettings.asp and
// rollover.asp (VBScript, CR LF line ends, UTF-8 here and Windows-1252 on disk).
#pragma once

#include "layoutmodel/LayoutModel.h"

#include <optional>
#include <string>
#include <string_view>

namespace kw::publish {

std::string makeKwStyles(const layout::LayoutModel &model);
std::string makeLayoutSettings(const layout::LayoutModel &model);
std::string makeRollover(const layout::LayoutModel &model);

/// The two favourite switches as read back from LayoutSettings.asp by a text search; no value for a
/// switch whose line is missing.
struct FavoriteSwitches {
    std::optional<bool> infoFavorites;        // g_bShowInfoFav: the page header's showFavorites
    std::optional<bool> secondLevelFavorites; // g_bShowSecondLevelFav: the submenu's showFavorites
};
FavoriteSwitches readLayoutSettings(std::string_view text);

/// The border style as the scripts and stylesheets write it: "none" for an empty style, "true" or "false".
std::string scriptBorderStyle(std::string_view style);
/// The border style of the clicked state: groove and ridge, inset and outset turned over.
std::string clickedBorderStyle(std::string_view style);

} // namespace kw::publish
