// The start page of one main-menu entry as its dialog edits it: how the entry's page is shown on opening,
// when the dialog counts as changed, and the page that OK hands back.
#pragma once

#include "base/Prompter.h"
#include "portalsettings/MenuEntry.h"
#include "portalsettings/PortalStartPage.h"

#include <string>

namespace kw::portalsettings {

/// The portal folder the "Liste..." button lists, and from which a chosen file's address is built.
inline constexpr const char *kMenuStartPageFolder = "/KwApplications/KwArea";

/// The dialog's fields without its window. `choice` takes the values of `StartChoice`.
struct MenuItemStartPage {
    int choice = 0;
    /// The alternative start page (what the edit shows); after `accept` the page handed back.
    std::string startPage;
    std::string entryName;
    bool changed = false;
    /// No question at OK (an entry created in this editor).
    bool noConfirm = false;
    /// The window title; empty keeps the dialog's own.
    std::string caption;

    /// The fields for an entry shown as `listText` (the caption 12602, its page, no question for a new one).
    static MenuItemStartPage forEntry(const MenuEntry &entry, const std::string &listText);

    /// Classifies `startPage` as the dialog opens: empty is the standard page and counts as changed; the
    /// standard and the custom-content page (any case) choose 0 and 1 and leave the edit empty; anything
    /// else is an alternative page and stays shown.
    void open();
    /// A radio button was chosen.
    void choose(int newChoice);
    /// The edit was typed in.
    void edit(const std::string &page);
    /// The file picked with "Liste...": its address below the area folder.
    void takeListedFile(const std::string &fileName);
    /// The file "Liste..." proposes: the page when it is a bare file name, else nothing.
    std::string proposedFile() const;

    enum class Outcome { Accepted, Declined };
    /// OK: after a change asks 12588 unless `noConfirm` (No: Declined, `startPage` untouched); with Yes or
    /// without the question choice 0 gives 12601. Choice 1 gives the custom-content page in any case.
    Outcome accept(Prompter &prompter);
};

} // namespace kw::portalsettings
