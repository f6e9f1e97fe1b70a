#include "portalsettings/MainMenu.h"

#include "base/Values.h"

#include <algorithm>
#include <cstdio>
#include <utility>

namespace kw::portalsettings {

namespace {

/// The groups a new entry may be seen by.
const std::vector<std::int32_t> kNewEntryGroups = {3, 4};
/// The navigation type whose content rights the save leaves alone.
constexpr int kStartPageEntryType = 1;

server::Ref<server::INavEntryCollection> mainMenuEntries(server::Environment &env,
                                                         server::Ref<server::INavigation> &navigation)
{
    navigation = server::createObject<server::INavigation>(*env.factory);
    navigation->NavInit(env.session, 1);
    return navigation->NavEntries();
}

} // namespace

std::string menuApplicationsStatement(std::int32_t entryId)
{
    char statement[96];
    std::snprintf(statement, sizeof statement, kMenuApplicationsStatement, static_cast<int>(entryId));
    return statement;
}

std::string cleanMenuLabel(std::string_view text)
{
    std::string cleaned(text);
    std::replace_if(
        cleaned.begin(), cleaned.end(),
        [](char ch) { return ch == '"' || ch == '\'' || ch == '<' || ch == '>' || ch == '%'; }, '_');
    return cleaned;
}

bool isBuiltInMenuType(int type)
{
    return type >= 1 && type <= 3;
}

MainMenuEditor::MainMenuEditor(server::Environment env, Prompter &prompter)
    : m_env(std::move(env)), m_prompter(prompter)
{
}

std::optional<std::int64_t> MainMenuEditor::versionNow()
{
    try {
        return currentVersion();
    } catch (const ServerError &) {
        return std::nullopt;
    }
}

void MainMenuEditor::adoptOwnChange(std::optional<std::int64_t> before)
{
    if (!before || m_loadedVersion != before)
        return;
    if (const std::optional<std::int64_t> after = versionNow(); after && *after == *before + 1)
        m_loadedVersion = after;
}

bool MainMenuEditor::load()
{
    m_items.clear();
    m_names.clear();
    try {
        // The version first: a change made while the entries are read then shows at the save.
        m_loadedVersion = currentVersion();
        server::Ref<server::INavigation> navigation;
        server::Ref<server::INavEntryCollection> entries = mainMenuEntries(m_env, navigation);
        auto translation = server::createObject<server::ITranslation>(*m_env.factory);
        translation->AttachSession(m_env.session);
        const int count = entries->NavItemCount();
        for (int index = 0; index < count; ++index) {
            server::NavItemInfo info = entries->NavItemInfoAt(index);
            MainMenuItem item;
            item.text = std::move(info.name);
            item.type = info.type;
            item.entry.id = info.id;
            item.entry.deletable = !isBuiltInMenuType(info.type);
            item.entry.startPage = entries->NavItemAt(index)->EntryGetStartPage();
            LanguageTextMap names = translation->TextsLoad(kMenuTitleKey, info.id);
            m_items.push_back(std::move(item));
            m_names.push_back(std::move(names));
        }
        return true;
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::TopLevelNavigationNotLoaded, error);
        return false;
    }
}

std::optional<std::size_t> MainMenuEditor::find(std::string_view text) const
{
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [text](const MainMenuItem &item) { return item.text == text; });
    if (found == m_items.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - m_items.begin());
}

std::optional<std::size_t> MainMenuEditor::findId(std::int32_t id) const
{
    const auto found = std::find_if(m_items.begin(), m_items.end(),
                                    [id](const MainMenuItem &item) { return item.entry.id == id; });
    if (found == m_items.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - m_items.begin());
}

std::size_t MainMenuEditor::insertNew(std::optional<std::size_t> selected)
{
    std::size_t index = m_items.empty() ? 0 : m_items.size() - 1;
    if (selected && *selected < m_items.size())
        index = *selected;
    MainMenuItem item;
    item.entry.id = 0;
    item.entry.rightsChanged = true;
    item.entry.deletable = true;
    item.entry.isNew = true;
    item.entry.accessGroups = kNewEntryGroups;
    const auto at = static_cast<std::ptrdiff_t>(index);
    m_items.insert(m_items.begin() + at, std::move(item));
    m_names.insert(m_names.begin() + at, LanguageTextMap{});
    return index;
}

MainMenuEditor::LabelEnd MainMenuEditor::endLabelEdit(std::size_t index,
                                                      const std::optional<std::string> &text)
{
    MainMenuItem &item = m_items.at(index);
    if (!text) {
        // A new entry that never got a name cannot be left so.
        if (!item.text.empty())
            return LabelEnd::Done;
        m_prompter.tell(StringId::MenuEntryNameMissing);
        return LabelEnd::EditAgain;
    }
    if (text->empty()) {
        m_prompter.tell(StringId::MenuEntryNameMissing);
        return LabelEnd::EditAgain;
    }
    const std::string cleaned = cleanMenuLabel(*text);
    for (std::size_t other = 0; other < m_items.size(); ++other)
        if (other != index && (m_items[other].text == *text || m_items[other].text == cleaned)) {
            m_prompter.tell(StringId::MenuEntryNameNotUnique);
            return LabelEnd::EditAgain;
        }
    item.text = cleaned;
    m_names.at(index)[defaultLanguage] = cleaned;
    return LabelEnd::Done;
}

MainMenuEditor::Move MainMenuEditor::moveUp(std::size_t index)
{
    if (!canMoveUp(index))
        return Move::NotPossible;
    if (index + 1 == m_items.size()) {
        m_prompter.tell(StringId::EntryNotMovable);
        return Move::Refused;
    }
    std::swap(m_items[index - 1], m_items[index]);
    std::swap(m_names[index - 1], m_names[index]);
    return Move::Moved;
}

MainMenuEditor::Move MainMenuEditor::moveDown(std::size_t index)
{
    if (index >= m_items.size())
        return Move::NotPossible;
    if (!canMoveDown(index)) {
        m_prompter.tell(StringId::EntryNotMovable);
        return Move::Refused;
    }
    std::swap(m_items[index], m_items[index + 1]);
    std::swap(m_names[index], m_names[index + 1]);
    return Move::Moved;
}

MainMenuEditor::Removal MainMenuEditor::remove(std::size_t index)
{
    Removal result;
    if (index >= m_items.size())
        return result;
    const MenuEntry &entry = m_items[index].entry;
    if (!entry.deletable) {
        m_prompter.tell(StringId::MenuEntryNotDeletable);
        result.selection = index;
        return result;
    }
    // An entry made in this editor has no applications yet.
    if (entry.id != 0) {
        try {
            auto query = server::createObject<server::IQuery>(*m_env.factory);
            query->QueryRun(0, menuApplicationsStatement(entry.id));
            if (query->QueryRowCount() >= 1) {
                m_prompter.tell(StringId::MenuEntryHasApplications);
                result.selection = index;
                return result;
            }
        } catch (const ServerError &error) {
            m_prompter.showExtendedError(StringId::TopLevelNavigationNotLoaded, error);
            result.selection = index;
            return result;
        }
    }
    const auto at = static_cast<std::ptrdiff_t>(index);
    m_items.erase(m_items.begin() + at);
    m_names.erase(m_names.begin() + at);
    result.removed = true;
    if (!m_items.empty())
        result.selection = std::min(index, m_items.size() - 1);
    return result;
}

bool MainMenuEditor::languageDataUpdated(std::int32_t language)
{
    if (language != defaultLanguage)
        return false;
    bool changed = false;
    for (std::size_t index = 0; index < m_items.size(); ++index) {
        const auto name = m_names[index].find(language);
        if (name != m_names[index].end() && m_items[index].text != name->second) {
            m_items[index].text = name->second;
            changed = true;
        }
    }
    return changed;
}

void MainMenuEditor::readAccessGroups(std::size_t index)
{
    MenuEntry &entry = m_items.at(index).entry;
    if (entry.id == 0 || !entry.accessGroups.empty())
        return;
    server::Ref<server::INavigation> navigation = server::createObject<server::INavigation>(*m_env.factory);
    navigation->NavInit(m_env.session, 1);
    server::Ref<server::INavEntry> navEntry = navigation->NavNewEntry();
    navEntry->EntryInit(m_env.session, entry.id);
    entry.accessGroups = navEntry->EntryGetGroups();
}

namespace {
/// Ends a save whose menu someone else changed since the load; nothing was written.
struct ChangedElsewhere {};
/// Ends a save that the administrator called off at that question; nothing was written.
struct SaveCalledOff {};
} // namespace

std::optional<std::int64_t> menuVersion(server::INavigation &navigation)
{
    try {
        return navigation.NavVersion();
    } catch (const ServerError &error) {
        if (error.code() != ServerError::Fail)
            throw;
        return std::nullopt;
    }
}

std::optional<std::int64_t> MainMenuEditor::currentVersion()
{
    server::Ref<server::INavigation> navigation = server::createObject<server::INavigation>(*m_env.factory);
    navigation->NavInit(m_env.session, 1);
    return menuVersion(*navigation);
}

MainMenuEditor::Save MainMenuEditor::save()
{
    bool overwrite = false;
    try {
        std::vector<std::int32_t> ids;
        auto write = [&] {
            // The check and the writes are one transaction, so no change can come between them.
            if (!overwrite && m_loadedVersion && currentVersion() != m_loadedVersion)
                throw ChangedElsewhere{};
            ids = writeItems();
        };
        try {
            m_env.session->RunAsOneTransaction(write);
        } catch (const ChangedElsewhere &) {
            // Asked with no transaction open: nobody waits for the answer.
            const Prompter::Answer answer = m_prompter.askWithCancel(StringId::MainMenuChangedElsewhere);
            if (answer == Prompter::Answer::Cancel)
                throw SaveCalledOff{};
            if (answer != Prompter::Answer::Yes)
                throw;
            overwrite = true;
            m_env.session->RunAsOneTransaction(write);
        }
        for (std::size_t index = 0; index < m_items.size(); ++index) {
            MenuEntry &entry = m_items[index].entry;
            if (entry.isNew && entry.startPage.empty())
                entry.startPage = loadString(StringId::StandardStartPageAddress);
            entry.id = ids[index];
            entry.isNew = false;
        }
        // A further save from this editor compares with its own change (nothing to compare with when the
        // version cannot be read).
        try {
            m_loadedVersion = currentVersion();
        } catch (const ServerError &) {
            m_loadedVersion.reset();
        }
        return Save::Saved;
    } catch (const ChangedElsewhere &) {
        load();
        return Save::ChangedElsewhere;
    } catch (const SaveCalledOff &) {
        return Save::Kept;
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::MainMenuNotSaved, error);
        return Save::NotSaved;
    }
}

std::vector<std::int32_t> MainMenuEditor::writeItems()
{
    server::Ref<server::INavigation> navigation;
    server::Ref<server::INavEntryCollection> collection = mainMenuEntries(m_env, navigation);
    auto rights = server::createObject<server::IRights>(*m_env.factory);
    rights->RightsInit(m_env.session, 1);
    auto translation = server::createObject<server::ITranslation>(*m_env.factory);
    translation->AttachSession(m_env.session);

    // Removals first: the server's entries that are not built in and that no item carries any more.
    std::vector<std::int32_t> removed;
    const int count = collection->NavItemCount();
    for (int index = 0; index < count; ++index) {
        const server::NavItemInfo info = collection->NavItemInfoAt(index);
        if (!isBuiltInMenuType(info.type) && !findId(info.id))
            removed.push_back(info.id);
    }
    for (const std::int32_t id : removed) {
        collection->NavRemove(id);
        rights->RightsRemove(id, kMenuContentRightsKind);
    }

    // The items' ids (new items get theirs here), taken over once the whole transaction holds.
    std::vector<std::int32_t> ids(m_items.size());
    for (std::size_t index = 0; index < m_items.size(); ++index) {
        const MainMenuItem &item = m_items[index];
        const MenuEntry &record = item.entry;
        server::Ref<server::INavEntry> navEntry;
        std::string startPage = record.startPage;
        int type = 0;
        if (record.id < 1) {
            if (startPage.empty())
                startPage = loadString(StringId::StandardStartPageAddress);
            navEntry = collection->NavAdd(item.text, 1);
            navEntry->EntrySetStartPage(startPage);
        } else {
            navEntry = navigation->NavNewEntry();
            navEntry->EntryInit(m_env.session, record.id);
            navEntry->EntrySetName(item.text);
            type = navEntry->EntryType();
            // Also an empty page: an existing entry is written as its record says.
            navEntry->EntrySetStartPage(startPage);
        }
        const std::int32_t id = navEntry->EntryId();
        ids[index] = id;
        translation->TextsSave(kMenuTitleKey, id, m_names[index]);
        if (type != kStartPageEntryType) {
            if (equalsIgnoringCase(startPage, kMenuCustomStartPage)) {
                if (!rights->RightsHas(id, kMenuContentRightsKind))
                    rights->RightsCreate(id, kMenuContentRightsKind, 0)->RecordCommit();
            } else {
                rights->RightsRemove(id, kMenuContentRightsKind);
            }
        }
        navEntry->EntrySetPosition(static_cast<long>(index) + 1);
        if (record.rightsChanged)
            navEntry->EntrySetGroups(record.accessGroups);
        navEntry->EntryCommit();
    }
    return ids;
}

} // namespace kw::portalsettings
