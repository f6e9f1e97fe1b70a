#include "portalsettings/MenuItemStartPage.h"

#include "base/Values.h"

namespace kw::portalsettings {

MenuItemStartPage MenuItemStartPage::forEntry(const MenuEntry &entry, const std::string &listText)
{
    MenuItemStartPage values;
    values.caption = formatString(StringId::MenuEntryStartPageCaption, listText);
    values.startPage = entry.startPage;
    values.entryName = listText;
    values.noConfirm = entry.isNew;
    return values;
}

void MenuItemStartPage::open()
{
    if (startPage.empty()) {
        choice = StandardStartPage;
        changed = true;
    } else if (equalsIgnoringCase(startPage, kMenuStandardStartPage)) {
        choice = StandardStartPage;
        startPage.clear();
    } else if (equalsIgnoringCase(startPage, kMenuCustomStartPage)) {
        choice = CustomPageContent;
        startPage.clear();
    } else {
        choice = AlternativeStartPage;
    }
}

void MenuItemStartPage::choose(int newChoice)
{
    choice = newChoice;
    changed = true;
}

void MenuItemStartPage::edit(const std::string &page)
{
    startPage = page;
    changed = true;
}

void MenuItemStartPage::takeListedFile(const std::string &fileName)
{
    startPage = std::string("..") + kMenuStartPageFolder + "/" + fileName;
    changed = true;
}

std::string MenuItemStartPage::proposedFile() const
{
    return proposedListFile(startPage);
}

MenuItemStartPage::Outcome MenuItemStartPage::accept(Prompter &prompter)
{
    if (changed) {
        if (!noConfirm && prompter.ask(formatString(StringId::AskChangeMenuEntryStartPage, entryName)) !=
                              Prompter::Answer::Yes)
            return Outcome::Declined;
        if (choice == StandardStartPage)
            startPage = loadString(StringId::StandardStartPageAddress);
    }
    if (choice == CustomPageContent)
        startPage = kMenuCustomStartPage;
    return Outcome::Accepted;
}

} // namespace kw::portalsettings
