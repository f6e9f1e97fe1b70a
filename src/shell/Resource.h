// Resource numbers of the module: menus and toolbar, dialogs and their controls, pictures, commands.
#pragma once

namespace kw::shell::res {

// --- resources ------------------------------------------------------------------------------------
/// The module's menu, toolbar and toolbar bitmap.
inline constexpr unsigned IDR_KWLOUTMAN = 12000;
/// The layout list dialog.
inline constexpr int IDD_LAYOUTLIST = 12014;
/// Bitmap of the layout list: active layout, stored layout (16 x 16 each).
inline constexpr int IDB_LAYOUTLIST = 12024;
/// The picture the panes show while no layout is open (PNG).
inline constexpr int IDB_IDLEPICTURE = 12061;
/// The shortcut's 16 x 16 picture.
inline constexpr unsigned IDB_SHORTCUT = 12065;

// --- controls of the layout list dialog (12014) ----------------------------------------------------
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDC_LAYOUTLIST = 1050;
inline constexpr int IDC_NEWLAYOUT = 1051;
inline constexpr int IDC_LAYOUTNAME = 1053;
inline constexpr int IDC_DELETELAYOUT = 1055;

// --- commands of the console (in the module's menu, handled by the console) -------------------------
inline constexpr int ID_COMPANY_NEW = 32773;
inline constexpr int ID_COMPANY_IMPORT = 32784;
inline constexpr int ID_COMPANY_EXPORT = 32785;
inline constexpr int ID_COMPANY_OPEN = 32772;
inline constexpr int ID_COMPANY_CLOSE = 32775;
inline constexpr int ID_COMPANY_DELETE = 32774;
inline constexpr int ID_COMPANY_PROPERTIES = 32779;
inline constexpr int ID_SECURITY_SETTINGS = 32780;
inline constexpr int ID_SYSTEM_MONITOR = 32781;
inline constexpr int ID_SERVER_CHANGE = 32783;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_VIEW_CONSOLE_BAR = 32788;
inline constexpr int ID_HELP_FINDER = 57667;
inline constexpr int ID_HELP_SEARCH = 32782;
inline constexpr int ID_HELP_INDEX = 57666;
inline constexpr int ID_APP_ABOUT = 57664;

// --- layout commands -------------------------------------------------------------------------------
inline constexpr int ID_LAYOUT_OPEN = 32900;
inline constexpr int ID_LAYOUT_NEW = 32901;
inline constexpr int ID_LAYOUT_DELETE = 32902;
inline constexpr int ID_LAYOUT_SAVE = 32903;
inline constexpr int ID_LAYOUT_SAVE_AS = 32904;
inline constexpr int ID_LAYOUT_SAVE_AS_ACTIVE = 32905;
/// A layout with its pictures to a bundle file, and a bundle file into the portal.
inline constexpr int ID_LAYOUT_EXPORT = 32950;
inline constexpr int ID_LAYOUT_IMPORT = 32951;

// --- pane commands ---------------------------------------------------------------------------------
inline constexpr int ID_EDIT_GRAPHIC = 32906;
inline constexpr int ID_EDIT_LAYOUT = 32907;
inline constexpr int ID_EDIT_MAIN_MENU = 32908;
inline constexpr int ID_EDIT_START_PAGE = 32791;
inline constexpr int ID_COUNTRY_SETTINGS = 32792;
inline constexpr int ID_EDIT_CALENDAR = 32801;
inline constexpr int ID_EDIT_GLOBAL_SEARCH = 32911;
inline constexpr int ID_SHOW_INFO_BAR = 12050;
inline constexpr int ID_SHOW_LOGO = 12051;
inline constexpr int ID_SHOW_WELCOME = 12052;
inline constexpr int ID_SHOW_APP_INFO_BAR = 32912;
inline constexpr int ID_SHOW_PICTURE = 32913;
inline constexpr int ID_USE_TREE_MENU = 32914;
inline constexpr int ID_MENU_RIGHT = 32915;

// --- the layout's undo history ---------------------------------------------------------------------
/// Undo and redo: the pictures of their toolbar buttons are bitmap 32930.
inline constexpr int ID_EDIT_UNDO = 32930;
inline constexpr int ID_EDIT_REDO = 32931;
/// The window "Änderungsverlauf" shown or hidden.
inline constexpr int ID_VIEW_HISTORY = 32932;
inline constexpr unsigned IDB_UNDO_REDO = 32930;

// --- frame commands --------------------------------------------------------------------------------
inline constexpr int ID_VIEW_LAYOUT_BAR = 32910;
/// The contrast check window (from the console's "Extras") and the sample page in the browser.
inline constexpr int ID_CONTRAST_CHECK = 32940;
inline constexpr int ID_VIEW_IN_BROWSER = 32941;
inline constexpr int ID_HELP = 57670;

} // namespace kw::shell::res
