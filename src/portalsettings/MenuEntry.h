// One entry of the portal's main menu as the main-menu editor holds it until OK: which navigation item it
// is, where it leads, who may see it, and what the editor did to it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kw::portalsettings {

/// The standard start page of a menu entry, and the page that shows the user-defined page content.
inline constexpr const char *kMenuStandardStartPage = "../KwApplications/KwArea/KwArea.asp";
inline constexpr const char *kMenuCustomStartPage = "../KwApplications/KwArea/KwCustomMenu.asp";
/// The entry whose start page is the portal's own start page (edited by the portal start page dialog).
inline constexpr std::int32_t kPortalStartPageEntryId = 31;

struct MenuEntry {
    /// The navigation object's identifier; 0 for an entry created in this editor.
    std::int32_t id = 0;
    std::string startPage;
    /// The user groups allowed to see the entry, in order.
    std::vector<std::int32_t> accessGroups;
    bool rightsChanged = false;
    /// False for the portal's built-in entries (types 1, 2 and 3).
    bool deletable = true;
    bool isNew = false;
};

} // namespace kw::portalsettings
