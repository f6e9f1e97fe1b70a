// Resource 12000 as data: the module's menu (which stands in the console's menu bar while the module's
// window is active, so it carries the console's commands too) and its toolbar.
#pragma once

#include <QString>

#include <span>

namespace kw::shell {

enum class HandledBy { Console, Module };

/// One menu item; command 0 is a separator.
struct MenuItemData {
    const char *text;
    int command;
    HandledBy handledBy;
    bool checkable;
    /// Whether the preview's context menu, made of the second drop-down, shows the item too.
    bool inContextMenu = true;
};

struct DropDownData {
    const char *title;
    std::span<const MenuItemData> items;
};

/// One toolbar button; command 0 is a separator. `picture` is the button's index in the toolbar's
/// pictures: bitmap 12000, then the undo and redo pictures of bitmap 32930.
struct ToolBarButtonData {
    int command;
    int picture;
};

/// The four drop-downs "&Datei", "&Bearbeiten", "&Ansicht", "&Hilfe" in order.
std::span<const DropDownData> menuResource();
/// The toolbar buttons in order.
std::span<const ToolBarButtonData> toolBarResource();
/// The menu item of a command (null when the menu has none).
const MenuItemData *menuItem(int command);
/// The text a toolbar button shows as its tip: its menu item's text without mnemonic, accelerator and
/// trailing dots.
QString toolTipText(int command);

} // namespace kw::shell
