#include "shell/MenuResource.h"

#include "shell/Resource.h"

namespace kw::shell {

namespace {

using namespace res;
constexpr HandledBy C = HandledBy::Console;
constexpr HandledBy M = HandledBy::Module;
constexpr MenuItemData kSeparator{"", 0, HandledBy::Module, false};

constexpr MenuItemData kFile[] = {
    {"&Neue Firma\tStrg+N", ID_COMPANY_NEW, C, false},
    {"Firma &importieren...", ID_COMPANY_IMPORT, C, false},
    {"Firma e&xportieren...", ID_COMPANY_EXPORT, C, false},
    {"Firma &öffnen...\tStrg+F", ID_COMPANY_OPEN, C, false},
    {"Firma  &schließen", ID_COMPANY_CLOSE, C, false},
    {"Firma &löschen...", ID_COMPANY_DELETE, C, false},
    kSeparator,
    {"Firmen&eigenschaften", ID_COMPANY_PROPERTIES, C, false},
    kSeparator,
    {"Sicher&heitseinstellungen", ID_SECURITY_SETTINGS, C, false},
    {"System&monitor", ID_SYSTEM_MONITOR, C, false},
    {"Server &wechseln...", ID_SERVER_CHANGE, C, false},
    kSeparator,
    {"Neues L&ayout", ID_LAYOUT_NEW, M, false},
    {"Lay&out öffnen", ID_LAYOUT_OPEN, M, false},
    {"Layout s&peichern", ID_LAYOUT_SAVE, M, false},
    {"Layout speichern a&ls ...", ID_LAYOUT_SAVE_AS, M, false},
    {"Als a&ktives Layout speichern", ID_LAYOUT_SAVE_AS_ACTIVE, M, false},
    {"La&yout löschen ...", ID_LAYOUT_DELETE, M, false},
    {"Layout expor&tieren...", ID_LAYOUT_EXPORT, M, false},
    {"Layout impo&rtieren...", ID_LAYOUT_IMPORT, M, false},
    kSeparator,
    {"&Beenden", ID_APP_EXIT, C, false},
};

constexpr MenuItemData kEdit[] = {
    // The layout's undo history; the update requests put the step's name into the texts.
    {"Rüc&kgängig\tStrg+Z", ID_EDIT_UNDO, M, false, false},
    {"&Wiederholen\tStrg+Y", ID_EDIT_REDO, M, false, false},
    {"", 0, M, false, false},
    {"&Hauptmenü", ID_EDIT_MAIN_MENU, M, false},
    {"&Startseite", ID_EDIT_START_PAGE, M, false},
    {"&Persönlicher Kalender", ID_EDIT_CALENDAR, M, false},
    kSeparator,
    {"&Layout", ID_EDIT_LAYOUT, M, false},
    {"&Grafik", ID_EDIT_GRAPHIC, M, false},
    kSeparator,
    {"&Infoleiste anzeigen", ID_SHOW_INFO_BAR, M, true},
    {"L&ogo anzeigen", ID_SHOW_LOGO, M, true},
    {"&Begrüssungstext anzeigen", ID_SHOW_WELCOME, M, true},
    {"&Anwendungsinfoleiste anzeigen", ID_SHOW_APP_INFO_BAR, M, true},
    {"Bil&d anzeigen", ID_SHOW_PICTURE, M, true},
    {"Baummenü &verwenden", ID_USE_TREE_MENU, M, true},
    {"Menü &rechts anzeigen", ID_MENU_RIGHT, M, true},
    kSeparator,
    {"&Globale Suche", ID_EDIT_GLOBAL_SEARCH, M, false},
};

constexpr MenuItemData kView[] = {
    {"&Halvering-Manager Leiste", ID_VIEW_CONSOLE_BAR, C, true},
    {"&Layoutdesigner Leiste", ID_VIEW_LAYOUT_BAR, M, true},
    {"Än&derungsverlauf", ID_VIEW_HISTORY, M, true},
    kSeparator,
    {"Im &Browser ansehen", ID_VIEW_IN_BROWSER, M, false},
};

constexpr MenuItemData kHelp[] = {
    {"&Inhalt", ID_HELP_FINDER, C, false},
    {"&Suchen", ID_HELP_SEARCH, C, false},
    {"Inde&x", ID_HELP_INDEX, C, false},
    kSeparator,
    {"&Über Halvering-Manager", ID_APP_ABOUT, C, false},
};

constexpr DropDownData kMenu[] = {
    {"&Datei", kFile},
    {"&Bearbeiten", kEdit},
    {"&Ansicht", kView},
    {"&Hilfe", kHelp},
};

constexpr ToolBarButtonData kToolBar[] = {
    {ID_LAYOUT_NEW, 0},
    {ID_LAYOUT_OPEN, 1},
    {ID_LAYOUT_SAVE, 2},
    {ID_LAYOUT_SAVE_AS_ACTIVE, 3},
    {0, -1},
    {ID_EDIT_LAYOUT, 4},
    {ID_EDIT_GRAPHIC, 5},
    {0, -1},
    {ID_EDIT_UNDO, 6},
    {ID_EDIT_REDO, 7},
};

} // namespace

std::span<const DropDownData> menuResource()
{
    return kMenu;
}

std::span<const ToolBarButtonData> toolBarResource()
{
    return kToolBar;
}

const MenuItemData *menuItem(int command)
{
    for (const DropDownData &dropDown : kMenu)
        for (const MenuItemData &item : dropDown.items)
            if (item.command != 0 && item.command == command)
                return &item;
    return nullptr;
}

QString toolTipText(int command)
{
    const MenuItemData *item = menuItem(command);
    if (!item)
        return {};
    QString text = QString::fromUtf8(item->text);
    if (const qsizetype tab = text.indexOf(QLatin1Char('\t')); tab >= 0)
        text.truncate(tab);
    text.remove(QLatin1Char('&'));
    while (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text.trimmed();
}

} // namespace kw::shell
