#include "Commands.h"

#include "layout/ValueChanges.h"

#include "CliInteraction.h"
#include "demo/DemoPortal.h"

#include "base/StringTable.h"
#include "base/Values.h"
#include "layout/LayoutDocument.h"
#include "layout/LayoutList.h"
#include "layout/LayoutValues.h"
#include "server/LocalPortal.h"
#include "server/MessageFilter.h"
#include "server/PortalStore.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <ostream>

namespace kw::cli {

std::string jsonString(std::string_view text)
{
    std::string out = "\"";
    for (const char ch : text) {
        switch (ch) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(ch) < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", ch);
                out += buffer;
            } else {
                out += ch;
            }
        }
    }
    return out + "\"";
}

/// "Aktives Layout" (or global.css) is the active layout; anything else a named layout.
std::string fileOfLayout(const std::string &name)
{
    if (layout::isActiveLayoutFile(name))
        return std::string(layout::kActiveLayoutFile);
    const bool hasExtension =
        name.size() >= layout::kLayoutExtension.size() &&
        equalsIgnoringCase(std::string_view(name).substr(name.size() - layout::kLayoutExtension.size()),
                           layout::kLayoutExtension);
    // A name that is only the extension names no layout, as an empty one.
    if (name.size() == (hasExtension ? layout::kLayoutExtension.size() : 0))
        throw std::invalid_argument(std::string(loadString(StringId::NoLayoutName)));
    return hasExtension ? name : layout::layoutFileFromName(name);
}

namespace {

/// The portals a command opened, and how many of each one's recovery notes were told already.
struct OpenedPortal {
    server::Ref<server::IPublishing> publishing;
    std::size_t told = 0;
};
std::vector<OpenedPortal> &openedPortals()
{
    static std::vector<OpenedPortal> portals;
    return portals;
}

/// Tells what recovery did since the portals were opened (another program's interrupted batch, found
/// when this one took the write lock), and forgets the portals.
void tellLateRecoveryNotes()
{
    for (OpenedPortal &portal : openedPortals()) {
        try {
            const std::vector<std::string> notes = portal.publishing->RecoveryNotes();
            for (std::size_t i = portal.told; i < notes.size(); ++i)
                std::cerr << "kwlayout: " << notes[i] << "\n";
        } catch (const ServerError &error) {
            std::cerr << "kwlayout: " << error.what() << "\n";
        }
    }
    openedPortals().clear();
}

} // namespace

server::Environment openPortal(const Invocation &invocation)
{
    // Another program changing the portal at the same moment is waited for, as a patient user would,
    // instead of failing at once as busy.
    server::MessageFilterSettings &filter = server::threadMessageFilter();
    filter.busyDialogEnabled = false;
    filter.retryReplyMs = 20;
    filter.messagePendingDelayMs = 30000;
    server::Environment env = server::LocalPortal::open(invocation.portal, invocation.user);
    try {
        server::Ref<server::IPublishing> publishing = server::createObject<server::IPublishing>(*env.factory);
        publishing->AttachSession(env.session);
        const std::vector<std::string> notes = publishing->RecoveryNotes();
        for (const std::string &note : notes)
            std::cerr << "kwlayout: " << note << "\n";
        openedPortals().push_back({publishing, notes.size()});
    } catch (const ServerError &error) {
        std::cerr << "kwlayout: " << error.what() << "\n";
    }
    return env;
}

PortalSession::PortalSession(const Invocation &invocation)
    : m_prompter(invocation.answer, std::cerr), m_env(openPortal(invocation)),
      m_document(m_env, m_prompter, m_chooser, m_wait)
{
}

bool PortalSession::open(const std::string &name)
{
    const bool ok = m_document.openLayout(fileOfLayout(name)) && !m_prompter.failed();
    if (ok && m_document.navTopRemoved()) {
        // Loading removed the portal's old navigation script; the layout is written again, as the
        // designer does when a layout is left.
        std::cerr << "kwlayout: the portal's old NavTop.asp was removed; the layout is saved again\n";
        m_document.saveLayout(false);
    }
    return ok;
}

bool PortalSession::openInTrial(const std::string &name)
{
    const bool ok = m_document.openLayout(fileOfLayout(name)) && !m_prompter.failed();
    if (ok && m_document.navTopRemoved())
        std::cerr << "kwlayout: the portal still has its old NavTop.asp; activating would remove it and save "
                     "the layout again; nothing was changed\n";
    return ok;
}

bool PortalSession::openToShow(const std::string &name)
{
    bool ok = false;
    {
        DiscardedBatch batch(m_env, name);
        ok = m_document.openLayout(fileOfLayout(name)) && !m_prompter.failed();
    }
    if (ok && m_document.navTopRemoved())
        std::cerr
            << "kwlayout: the portal still has its old NavTop.asp; a command that changes or activates a "
               "layout (or the designer) removes it and saves the layout again; nothing was changed\n";
    return ok;
}

namespace {

using layout::LayoutDocument;
using server::Ref;

int portalInit(const Invocation &invocation, std::ostream &out)
{
    const std::filesystem::path folder(invocation.portal);
    server::PortalCreateOptions options;
    options.portalName = invocation.demo ? "Demo-Portal" : folder.filename().string();
    options.overwrite = invocation.force;
    options.database = databaseOption(invocation);
    // A portal that is refused is still opened, so that an interrupted activation in it is recovered.
    if (server::LocalPortal::holdsPortal(folder) && !invocation.force) {
        try {
            openPortal(invocation);
        } catch (const ServerError &error) {
            std::cerr << "kwlayout: " << error.what() << "\n";
        }
    }
    server::createPortalStore(folder, options);
    if (invocation.demo)
        demo::fillDemoPortal(folder);
    else
        demo::publishInitialLayout(folder);
    out << "Portal created in " << folder.string() << (invocation.demo ? " (demo)" : "") << "\n";
    return 0;
}

int listLayouts(const Invocation &invocation, std::ostream &out)
{
    const server::Environment env = openPortal(invocation);
    const auto entries = layout::LayoutList(*env.factory, env.session).list();
    if (invocation.json) {
        out << "[";
        for (std::size_t i = 0; i < entries.size(); ++i)
            out << (i ? ",\n " : "") << "{\"name\": " << jsonString(entries[i].title)
                << ", \"file\": " << jsonString(entries[i].fileName)
                << ", \"active\": " << (entries[i].active ? "true" : "false") << "}";
        out << "]\n";
        return 0;
    }
    for (const layout::LayoutEntry &entry : entries)
        out << entry.title << "\n";
    return 0;
}

int showLayout(const Invocation &invocation, std::ostream &out)
{
    PortalSession session(invocation);
    if (!session.openToShow(invocation.args[0]))
        return 1;
    const auto values = layout::layoutValues(session.document().model(), session.document().flags());
    if (invocation.json) {
        out << "{";
        for (std::size_t i = 0; i < values.size(); ++i)
            out << (i ? ",\n " : "") << jsonString(values[i].first) << ": " << jsonString(values[i].second);
        out << "}\n";
    } else {
        for (const auto &[key, value] : values)
            out << key << "=" << value << "\n";
    }
    return session.status();
}

// Writes the document under a named layout's file, and only that file.
int saveNamedCopy(PortalSession &session, const std::string &name, const Invocation &invocation,
                  std::ostream &out)
{
    const std::string file = fileOfLayout(name);
    if (layout::isActiveLayoutFile(file))
        throw std::invalid_argument("the active layout is written with \"activate\", not under a name");
    const layout::LayoutList list(*session.env().factory, session.env().session);
    if (list.namedLayoutExists(file) && invocation.answer != true)
        throw std::invalid_argument("the layout \"" + layout::layoutTitle(file) +
                                    "\" exists already; repeat with --yes to replace it");
    LayoutDocument &document = session.document();
    document.setNew(false);
    document.setName(file);
    document.save(false);
    if (session.status() == 0)
        out << "Saved " << layout::layoutTitle(file) << "\n";
    return session.status();
}

int newLayout(const Invocation &invocation, std::ostream &out)
{
    PortalSession session(invocation);
    session.document().load(); // no name: the defaults
    layout::giveNewLayoutPictures(session.document().model());
    return saveNamedCopy(session, invocation.args[0], invocation, out);
}

int copyLayout(const Invocation &invocation, std::ostream &out)
{
    PortalSession session(invocation);
    if (!session.open(invocation.args[0]))
        return 1;
    return saveNamedCopy(session, invocation.args[1], invocation, out);
}

int setValues(const Invocation &invocation, std::ostream &out)
{
    PortalSession session(invocation);
    if (!session.open(invocation.args[0]))
        return 1;
    LayoutDocument &document = session.document();
    std::vector<layout::ValueChange> changes;
    for (std::size_t i = 1; i < invocation.args.size(); ++i) {
        const std::string &assignment = invocation.args[i];
        const auto equals = assignment.find('=');
        if (equals == std::string::npos)
            throw std::invalid_argument("\"" + assignment + "\" is not of the form FIELD=VALUE");
        changes.push_back({assignment.substr(0, equals), assignment.substr(equals + 1), {}});
    }
    // All values as one step of the layout's history, as an edit in the window: a bad one changes none.
    layout::applyValueChanges(document, changes, "Werte setzen");
    document.saveLayout(false);
    if (session.status() == 0)
        out << "Saved " << document.title() << (document.isActive() ? " (published)" : "") << "\n";
    return session.status();
}

int activateLayout(const Invocation &invocation, std::ostream &out)
{
    PortalSession session(invocation);
    if (!session.open(invocation.args[0]))
        return 1;
    session.prompter().implyYes(StringId::AskSaveAsActive);
    session.document().commandSaveAsActive();
    if (session.status() == 0 && session.document().isActive())
        out << "Activated " << layout::layoutTitle(fileOfLayout(invocation.args[0])) << "\n";
    return session.status();
}

int deleteLayout(const Invocation &invocation, std::ostream &out)
{
    const std::string file = fileOfLayout(invocation.args[0]);
    if (layout::isActiveLayoutFile(file))
        throw std::invalid_argument(std::string(loadString(StringId::ActiveLayoutNotDeletable)));
    const server::Environment env = openPortal(invocation);
    const layout::LayoutList list(*env.factory, env.session);
    if (!list.namedLayoutExists(file))
        throw std::invalid_argument(std::string(loadString(StringId::LayoutFileNotFound)) + " (" + file +
                                    ")");
    list.remove(file);
    out << "Deleted " << layout::layoutTitle(file) << "\n";
    return 0;
}

} // namespace

const std::vector<Command> &commands()
{
    static const std::vector<Command> table = {
        {"portal-init", "portal-init [--demo] [--force] [--database URL]",
         "creates a portal store in DIR (its tables in the PostgreSQL database URL); --demo fills it with "
         "the "
         "demo portal",
         0, 2, &portalInit},
        {"list", "list [--json]", "the layouts: \"Aktives Layout\" first, then the named ones", 0, 0,
         &listLayouts},
        {"show", "show NAME [--json]",
         "every value of a layout, FIELD=VALUE (NAME may be \"Aktives Layout\")", 1, 1, &showLayout},
        {"new", "new NAME [--yes]", "saves the default layout as NAME.kwc (--yes replaces an existing one)",
         1, 1, &newLayout},
        {"copy", "copy FROM TO [--yes]", "loads FROM and saves it as TO", 2, 2, &copyLayout},
        {"set", "set NAME FIELD=VALUE...",
         "changes values and saves the layout (the active layout is published)", 2, -1, &setValues},
        {"activate", "activate NAME", "saves a layout as the active layout, publishing every file", 1, 1,
         &activateLayout},
        {"delete", "delete NAME", "deletes a named layout (never the active one)", 1, 1, &deleteLayout},
        {"export", "export NAME FILE [--json]",
         "writes layout NAME with its pictures into the bundle FILE (.kwlayout) for another portal", 2, 2,
         &exportLayout},
        {"import", "import FILE [--as NAME] [--yes|--no] [--json]",
         "checks the bundle FILE, then adds its layout (as NAME) and pictures in one batch; never activates",
         1, 3, &importLayout},
        {"history", "history [--json]",
         "the activations, newest first: ID, time, user and layout, separated by tabs", 0, 0, &history},
        {"rollback", "rollback ID [--yes|--no]",
         "puts the portal back to the state right after activation ID, as an activation of its own (refused "
         "when a file published now did not exist then)",
         1, 1, &rollback},
        {"diff", "diff NAME | diff --history ID",
         "what activating NAME (or rolling back to the state after ID) would change, as a unified diff; "
         "status 0 none, 1 some, 2 error",
         1, 2, &diff},
        {"audit", "audit NAME [--level AA|AAA] [--json] [--fix [--yes|--no]]",
         "the contrast of every text/background pair: ratio, needed, pass/FAIL/not shown and the nearest "
         "passing colours; --fix applies the text colours; status 0 all pass, 1 some fail, 2 error",
         1, 4, &audit},
        {"sample-page", "sample-page NAME DIR",
         "writes a static HTML page of the layout with its stylesheets and pictures into DIR", 2, 2,
         &samplePage},
        {"image-info", "image-info FILE",
         "decodes a picture and prints type, size, bits per pixel, colours and transparent index", 1, 1,
         &imageInfo, false},
        {"country-settings",
         "country-settings [--format 0|1|2] [--decimal C] [--grouping C] [--monetary-decimal C] "
         "[--monetary-grouping C] [--yes|--no]",
         "shows or changes the date format and the symbols of KwDataFormat.asp", 0, -1, &countrySettings},
        {"calendar", "calendar [--json] | calendar --entry ID",
         "lists the main-menu entries (* marks the personal calendar's) or publishes the calendar under one",
         0, 2, &calendar},
        {"welcome", "welcome [--language ID TEXT]...",
         "prints the start page's welcome text per language (* marks the default) or sets them", 0, -1,
         &welcome},
        {"logo", "logo [FILE]", "prints the company logo or publishes FILE of Images\\Company as the logo", 0,
         1, &logo},
        {"start-page", "start-page [--anonymous CHOICE] [--main CHOICE] [--yes|--no]",
         "shows or changes the start pages of KwStartPage.asp; CHOICE is standard, custom or page:NAME", 0, 4,
         &startPage},
        {"menu",
         "menu list [--json] | menu add NAME [--before ENTRY] | menu rename ENTRY NAME | "
         "menu move ENTRY up|down | menu delete ENTRY | menu start-page ENTRY PAGE | "
         "menu rights ENTRY GROUP[,GROUP...] | menu name ENTRY LANGUAGE-ID TEXT",
         "lists or edits the main menu as the main-menu editor does (ENTRY: a name or #ID; PAGE: standard, "
         "custom or a page)",
         1, 4, &menu},
        {"database", "database info | database migrate URL",
         "the portal's database (backend, location, schema version), or copies an embedded one into the "
         "empty PostgreSQL database URL and switches to it",
         1, 2, &database},
    };
    return table;
}

int runWithAnswers(const Command &command, const Invocation &invocation, std::ostream &out)
{
    struct TellAtEnd {
        ~TellAtEnd() { tellLateRecoveryNotes(); }
    } tellAtEnd;
    try {
        return command.run(invocation, out);
    } catch (const UnansweredQuestion &question) {
        std::cerr << "kwlayout: " << question.what() << "\n";
        return 3;
    } catch (const std::invalid_argument &refusal) {
        std::cerr << "kwlayout: " << refusal.what() << "\n";
        return 2;
    }
}

} // namespace kw::cli
