// `kwlayout menu ...`: the portal's main menu on the core of the main-menu editor. Every changing
// subcommand is one run of the editor: load, one edit with the editor's rules, the editor's save.
#include "CliInteraction.h"
#include "Commands.h"

#include "base/Values.h"
#include "portalsettings/MainMenu.h"
#include "portalsettings/PortalStartPage.h"

#include <algorithm>
#include <iostream>
#include <map>
#include <ostream>
#include <sstream>
#include <stdexcept>

namespace kw::cli {

namespace {

using portalsettings::MainMenuEditor;

/// What one run has at hand.
struct MenuRun {
    const Invocation &invocation;
    CliPrompter &prompter;
    server::Environment &env;
    portalsettings::PortalLanguages &languages;
    MainMenuEditor &editor;
};

/// The portal's user groups, id → name (empty when the portal keeps none).
std::map<std::int32_t, std::string> userGroups(server::Environment &env)
{
    std::map<std::int32_t, std::string> groups;
    auto query = server::createObject<server::IQuery>(*env.factory);
    query->QueryRun(0, "SELECT id, name FROM user_groups ORDER BY id");
    for (long row = 0; row < query->QueryRowCount(); ++row)
        groups[std::stoi(query->QueryValue(row, 0))] = query->QueryValue(row, 1);
    return groups;
}

/// ENTRY: `#ID` or the entry's name in the default language, exactly.
std::size_t entryIndex(const MainMenuEditor &editor, const std::string &entry)
{
    std::optional<std::size_t> index;
    if (entry.size() > 1 && entry[0] == '#' &&
        std::all_of(entry.begin() + 1, entry.end(), [](char ch) { return ch >= '0' && ch <= '9'; }))
        index = editor.findId(std::stoi(entry.substr(1)));
    else
        index = editor.find(entry);
    if (!index)
        throw std::invalid_argument("the main menu has no entry \"" + entry +
                                    "\" (\"menu list\" shows them)");
    return *index;
}

std::string joined(const std::vector<std::int32_t> &groups)
{
    std::string out;
    for (const std::int32_t group : groups)
        out += (out.empty() ? "" : ",") + std::to_string(group);
    return out;
}

/// Reads every entry's access groups (the editor reads them only when asked for).
void readGroups(MenuRun &run)
{
    for (std::size_t index = 0; index < run.editor.count(); ++index)
        run.editor.readAccessGroups(index);
}

/// `ID<TAB>TYPE<TAB>NAME<TAB>START-PAGE<TAB>GROUPS` and `LANGUAGE=NAME` for each language, or JSON.
void printMenu(MenuRun &run, std::ostream &out)
{
    readGroups(run);
    const std::vector<portalsettings::MainMenuItem> &items = run.editor.items();
    if (!run.invocation.json) {
        for (std::size_t index = 0; index < items.size(); ++index) {
            const portalsettings::MainMenuItem &item = items[index];
            out << item.entry.id << "\t" << item.type << "\t" << item.text << "\t" << item.entry.startPage
                << "\t" << joined(item.entry.accessGroups);
            for (const portalsettings::Language &language : run.languages.languages)
                out << "\t" << language.id << "="
                    << portalsettings::textFor(run.editor.names()[index], language.id, {});
            out << "\n";
        }
        return;
    }
    const std::map<std::int32_t, std::string> groups = userGroups(run.env);
    out << "[";
    for (std::size_t index = 0; index < items.size(); ++index) {
        const portalsettings::MainMenuItem &item = items[index];
        out << (index ? ",\n " : "") << "{\"id\": " << item.entry.id << ", \"type\": " << item.type
            << ", \"name\": " << jsonString(item.text)
            << ", \"startPage\": " << jsonString(item.entry.startPage)
            << ", \"deletable\": " << (item.entry.deletable ? "true" : "false") << ", \"accessGroups\": [";
        for (std::size_t g = 0; g < item.entry.accessGroups.size(); ++g) {
            const std::int32_t group = item.entry.accessGroups[g];
            const auto name = groups.find(group);
            out << (g ? ", " : "") << "{\"id\": " << group
                << ", \"name\": " << (name == groups.end() ? std::string("null") : jsonString(name->second))
                << "}";
        }
        out << "], \"names\": {";
        bool first = true;
        for (const auto &[language, text] : run.editor.names()[index]) {
            out << (first ? "" : ", ") << "\"" << language << "\": " << jsonString(text);
            first = false;
        }
        out << "}}";
    }
    out << "]\n";
}

/// A label through the editor's rules; false (the message is on standard error) when refused.
bool label(MainMenuEditor &editor, std::size_t index, const std::string &text)
{
    return editor.endLabelEdit(index, text) == MainMenuEditor::LabelEnd::Done;
}

bool add(MenuRun &run)
{
    const std::vector<std::string> &args = run.invocation.args;
    std::optional<std::size_t> before;
    if (args.size() == 4 && args[2] == "--before")
        before = entryIndex(run.editor, args[3]);
    else if (args.size() != 2)
        throw std::invalid_argument("usage: menu add NAME [--before ENTRY]");
    return label(run.editor, run.editor.insertNew(before), args[1]);
}

bool rename(MenuRun &run)
{
    return label(run.editor, entryIndex(run.editor, run.invocation.args[1]), run.invocation.args[2]);
}

bool move(MenuRun &run)
{
    const std::string &entry = run.invocation.args[1];
    const std::string &direction = run.invocation.args[2];
    const std::size_t index = entryIndex(run.editor, entry);
    MainMenuEditor::Move result;
    if (direction == "up")
        result = run.editor.moveUp(index);
    else if (direction == "down")
        result = run.editor.moveDown(index);
    else
        throw std::invalid_argument("menu move takes up or down, not \"" + direction + "\"");
    if (result == MainMenuEditor::Move::NotPossible)
        throw std::invalid_argument("\"" + entry + "\" is the first entry already");
    return result == MainMenuEditor::Move::Moved;
}

bool remove(MenuRun &run)
{
    return run.editor.remove(entryIndex(run.editor, run.invocation.args[1])).removed;
}

/// PAGE: `standard`, `custom`, a bare file name of KwApplications/KwArea, or an address as it stands.
std::string startPageAddress(const std::string &page)
{
    if (page == "standard")
        return std::string(loadString(StringId::StandardStartPageAddress));
    if (page == "custom")
        return portalsettings::kMenuCustomStartPage;
    if (page.empty())
        throw std::invalid_argument("menu start-page needs standard, custom or a page");
    if (page.find_first_of("/\\") == std::string::npos)
        return std::string("../") + portalsettings::kStartPageFolder + "/" + page;
    return page;
}

bool startPage(MenuRun &run)
{
    const std::size_t index = entryIndex(run.editor, run.invocation.args[1]);
    portalsettings::MenuEntry &entry = run.editor.entry(index);
    if (entry.id == portalsettings::kPortalStartPageEntryId)
        throw std::invalid_argument("the start page of \"" + run.editor.items()[index].text +
                                    "\" is the portal's start page: use \"kwlayout start-page\"");
    entry.startPage = startPageAddress(run.invocation.args[2]);
    return true;
}

bool rights(MenuRun &run)
{
    const std::size_t index = entryIndex(run.editor, run.invocation.args[1]);
    const std::map<std::int32_t, std::string> groups = userGroups(run.env);
    std::vector<std::int32_t> chosen;
    const std::string &list = run.invocation.args[2];
    for (std::size_t start = 0; start <= list.size();) {
        const std::size_t end = std::min(list.find(',', start), list.size());
        const std::string word = list.substr(start, end - start);
        start = end + 1;
        auto found = std::find_if(groups.begin(), groups.end(), [&](const auto &group) {
            return std::to_string(group.first) == word || equalsIgnoringCase(group.second, word);
        });
        if (found == groups.end())
            throw std::invalid_argument("the portal has no user group \"" + word + "\"");
        if (std::find(chosen.begin(), chosen.end(), found->first) == chosen.end())
            chosen.push_back(found->first);
    }
    portalsettings::MenuEntry &entry = run.editor.entry(index);
    entry.accessGroups = chosen;
    entry.rightsChanged = true;
    return true;
}

bool name(MenuRun &run)
{
    const std::vector<std::string> &args = run.invocation.args;
    const std::size_t index = entryIndex(run.editor, args[1]);
    const auto &languages = run.languages.languages;
    const auto language =
        std::find_if(languages.begin(), languages.end(),
                     [&](const portalsettings::Language &l) { return std::to_string(l.id) == args[2]; });
    if (language == languages.end())
        throw std::invalid_argument("the portal has no language " + args[2]);
    // The name in the default language is the entry's label, with the label's rules.
    if (language->id == run.languages.defaultLanguage)
        return label(run.editor, index, args[3]);
    run.editor.names()[index][language->id] = args[3];
    return true;
}

struct Subcommand {
    const char *name;
    std::size_t minArgs, maxArgs; // the subcommand's name included
    bool (*edit)(MenuRun &);      // null: list
};
constexpr Subcommand kSubcommands[] = {
    {"list", 1, 1, nullptr},   {"add", 2, 4, &add},       {"rename", 3, 3, &rename},
    {"move", 3, 3, &move},     {"delete", 2, 2, &remove}, {"start-page", 3, 3, &startPage},
    {"rights", 3, 3, &rights}, {"name", 4, 4, &name},
};

/// Ends a run inside its transaction when the edit was refused or the save failed (the message is out).
struct NothingSaved {};

/// One run of the editor: load, then the listing or one edit and the save. Returns the exit status.
int runMenu(server::Environment &env, CliPrompter &prompter, const Invocation &invocation,
            bool (*edit)(MenuRun &), std::ostream &out)
{
    portalsettings::PortalLanguages languages = portalsettings::readLanguages(*env.session);
    MainMenuEditor editor(env, prompter);
    editor.defaultLanguage = languages.defaultLanguage;
    MenuRun run{invocation, prompter, env, languages, editor};
    if (!editor.load())
        return 1;
    if (edit) {
        // A refusal has told its message.
        if (!edit(run))
            return 2;
        if (editor.save() != MainMenuEditor::Save::Saved)
            return 1;
        out << "Saved the main menu\n";
    }
    printMenu(run, out);
    return 0;
}

} // namespace

int menu(const Invocation &invocation, std::ostream &out)
{
    const std::string &word = invocation.args.at(0);
    const auto found = std::find_if(std::begin(kSubcommands), std::end(kSubcommands),
                                    [&](const Subcommand &s) { return word == s.name; });
    if (found == std::end(kSubcommands))
        throw std::invalid_argument("unknown menu command \"" + word +
                                    "\" (list, add, rename, move, delete, "
                                    "start-page, rights, name)");
    if (invocation.args.size() < found->minArgs || invocation.args.size() > found->maxArgs)
        throw std::invalid_argument("wrong number of arguments for menu " + word +
                                    " (see kwlayout menu --help)");

    CliPrompter prompter(invocation.answer, std::cerr);
    server::Environment env = openPortal(invocation);
    if (!found->edit)
        return runMenu(env, prompter, invocation, nullptr, out);
    // From the reading to the last write one transaction: a command running at the same moment waits for
    // it and then reads what it wrote, so neither loses the other's change. A run that ends without a save
    // rolls back. What it prints is kept until the transaction holds, as a retried run starts again.
    int status = 0;
    std::ostringstream printed;
    try {
        env.session->RunAsOneTransaction([&] {
            printed.str({});
            status = runMenu(env, prompter, invocation, found->edit, printed);
            if (status != 0)
                throw NothingSaved{};
        });
    } catch (const NothingSaved &) {
    }
    out << printed.str();
    return status;
}

} // namespace kw::cli
