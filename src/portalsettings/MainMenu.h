// The main-menu editor without its window: the portal's top-level navigation entries as a list, the rules
// for new, renamed, moved and deleted entries, and the save that writes the whole list in one transaction.
// The editor's window and `kwlayout menu` both run on it.
#pragma once

#include "base/Prompter.h"
#include "portalsettings/LanguageTexts.h"
#include "portalsettings/MenuEntry.h"
#include "server/LocalPortal.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kw::portalsettings {

/// The text key of the menu entries' names in the text translation.
inline constexpr const char *kMenuTitleKey = "menutitle";
/// The rights record that the user-defined page content of an entry needs.
inline constexpr int kMenuContentRightsKind = 1;
/// The statement that asks for the applications shown under a main-menu entry (%d: its id).
inline constexpr const char *kMenuApplicationsStatement = "SELECT lid FROM krapp WHERE lnavformid=%d";

/// The statement for one entry.
std::string menuApplicationsStatement(std::int32_t entryId);
/// The label as stored: every double quote, apostrophe, less-than, greater-than and percent sign
/// replaced by an underscore (the length stays).
std::string cleanMenuLabel(std::string_view text);
/// Whether a navigation type is one of the portal's built-in entries (1, 2, 3).
bool isBuiltInMenuType(int type);

/// One line of the list: the text shown (the name in the default language), the record, and the
/// navigation type read from the server (0 for a new entry).
struct MainMenuItem {
    std::string text;
    MenuEntry entry;
    int type = 0;
};

/// The main menu's version (`NavVersion`), or nothing from a server that cannot tell. Other server errors
/// pass to the caller.
std::optional<std::int64_t> menuVersion(server::INavigation &navigation);

class MainMenuEditor {
public:
    MainMenuEditor(server::Environment env, Prompter &prompter);
    MainMenuEditor(MainMenuEditor &&other) noexcept = default;
    MainMenuEditor &operator=(MainMenuEditor &&) = delete;

    /// The language whose names the list shows; set before `load`.
    std::int32_t defaultLanguage = 0;

    /// Reads the entries in the collection's order with their start pages and their names in every
    /// language, and the menu's version for the check at `save`; a second load starts afresh. A server
    /// error is reported (12504); what was read stays. False after an error.
    bool load();

    const std::vector<MainMenuItem> &items() const { return m_items; }
    std::size_t count() const { return m_items.size(); }
    MenuEntry &entry(std::size_t index) { return m_items.at(index).entry; }
    /// The names per language, one map per item in list order; the language page edits them in place.
    std::vector<LanguageTextMap> &names() { return m_names; }
    const std::vector<LanguageTextMap> &names() const { return m_names; }
    /// The index of the item showing exactly `text`, or nothing.
    std::optional<std::size_t> find(std::string_view text) const;
    std::optional<std::size_t> findId(std::int32_t id) const;
    /// The first item without a name (a new entry whose label edit never ended), or nothing.
    std::optional<std::size_t> firstUnnamed() const { return find(""); }

    /// Whether the arrows are enabled for a selected item.
    bool canMoveUp(std::size_t index) const { return index >= 1 && index < count(); }
    bool canMoveDown(std::size_t index) const { return index + 2 < count(); }

    /// "Neu": inserts an unnamed new entry (groups 3 and 4) at the selected index, or with nothing
    /// selected at the last index (0 for an empty list); returns its index.
    std::size_t insertNew(std::optional<std::size_t> selected);

    enum class LabelEnd { Done, EditAgain };
    /// The end of a label edit (`text` nothing: cancelled). An empty label (12561) or one that another
    /// item shows already (12562) is refused with its message and asks for a new edit; otherwise the
    /// cleaned label becomes the item's text and its name in the default language.
    LabelEnd endLabelEdit(std::size_t index, const std::optional<std::string> &text);

    enum class Move { Moved, Refused, NotPossible };
    /// Up: the last entry never moves (12596); the first cannot go further. The moved item's new index is
    /// `index - 1`.
    Move moveUp(std::size_t index);
    /// Down: no entry moves below the last one (12596). The moved item's new index is `index + 1`.
    Move moveDown(std::size_t index);

    struct Removal {
        bool removed = false;
        /// What is selected afterwards: the item now at the index, the one before it, or none.
        std::optional<std::size_t> selection;
    };
    /// "Löschen": refuses built-in entries (12577) and entries with applications (12581, asked of the
    /// server); otherwise drops the item from the list. Nothing is written before `save`.
    Removal remove(std::size_t index);

    /// "LanguageData updaten": for the default language every item with a name in it shows that name.
    /// True when a text changed.
    bool languageDataUpdated(std::int32_t language);

    /// The access groups of an existing entry whose list is still empty, read from the server. Server
    /// errors pass to the caller.
    void readAccessGroups(std::size_t index);

    enum class Save { Saved, NotSaved, ChangedElsewhere, Kept };
    /// OK: removes the server's entries that no item carries (with their content rights), then writes
    /// every item in list order (names, start page, content rights, position, groups when changed), all
    /// in one transaction. A server error is reported (12563) and leaves the server as it was. When
    /// someone else changed the menu since `load`, the administrator is asked first (59012, outside the
    /// transaction): Yes saves over that change, No writes nothing and loads the menu again
    /// (ChangedElsewhere), Cancel writes nothing and keeps the items as they are (Kept). After a save new
    /// items carry their ids.
    Save save();

    /// The menu's version now; nothing when the server cannot tell or fails to.
    std::optional<std::int64_t> versionNow();
    /// After a dialog of this editor changed the menu on the server (the portal start page dialog of entry
    /// 31 changes its page-content record): when the version moved by exactly one change since `before`
    /// and the editor compared with `before`, it compares with the version now, so that its save does not
    /// take its own dialog's change for another administrator's. A further change by someone else keeps
    /// the comparison as it was, so the save asks.
    void adoptOwnChange(std::optional<std::int64_t> before);

private:
    /// The menu's version now, or nothing from a server that cannot tell (then no save is refused).
    std::optional<std::int64_t> currentVersion();
    /// The save's steps inside the transaction; the ids of the items in list order.
    std::vector<std::int32_t> writeItems();

    server::Environment m_env;
    Prompter &m_prompter;
    std::vector<MainMenuItem> m_items;
    std::vector<LanguageTextMap> m_names;
    std::optional<std::int64_t> m_loadedVersion;
};

} // namespace kw::portalsettings
