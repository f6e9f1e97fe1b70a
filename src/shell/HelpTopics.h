// The help topic of every window of the module that offers help.
#pragma once

#include <string_view>

namespace kw::shell::help {

inline constexpr std::string_view Frame = "::/48.htm";
inline constexpr std::string_view LayoutList = "::/57.htm";            // dialog 12014
inline constexpr std::string_view PersonalCalendar = "::/58.htm";      // dialog 12020
inline constexpr std::string_view MainMenuEditor = "::/73.htm";        // page 12017
inline constexpr std::string_view PortalStartPage = "::/74.htm";       // dialog 12019
inline constexpr std::string_view CountrySettings = "::/74_1.htm";     // dialog 12018
inline constexpr std::string_view MenuItemStartPage = "::/74_2.htm";   // dialog 12021
inline constexpr std::string_view GeneralPage = "::/87_1.htm";         // page 12011
inline constexpr std::string_view HeadingsPage = "::/87_2.htm";        // page 12012
inline constexpr std::string_view TablesPage = "::/87_3.htm";          // page 12013
inline constexpr std::string_view EntryFieldsPage = "::/87_4.htm";     // page 12055
inline constexpr std::string_view PortalPage = "::/87_5.htm";          // page 12022
inline constexpr std::string_view ButtonsPage = "::/87_6.htm";         // page 12023
inline constexpr std::string_view LinksPage = "::/87_7.htm";           // page 12056
inline constexpr std::string_view SpecialSettingsPage = "::/87_8.htm"; // page 12057
inline constexpr std::string_view TreeMenuPage = "::/256.htm";         // page 12062

} // namespace kw::shell::help
