// The commands of the kwlayout command-line tool.
#pragma once

#include "server/LocalPortal.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kw::cli {

/// Options shared by every command, and the command's own arguments.
struct Invocation {
    std::string portal;            // --portal DIR
    std::string user;              // --user NAME
    bool json = false;             // --json
    bool demo = false;             // --demo (portal-init)
    bool force = false;            // --force (portal-init)
    std::optional<bool> answer;    // --yes / --no: the answer to every question
    std::vector<std::string> args; // after the command name
};

struct Command {
    const char *name;
    const char *usage;
    const char *help;
    int minArgs;
    int maxArgs; // -1: any number
    int (*run)(const Invocation &, std::ostream &out);
    /// Whether the command works on a portal (and so needs --portal).
    bool needsPortal = true;
};

/// Opens the portal the invocation names; what opening recovered is told on standard error.
server::Environment openPortal(const Invocation &invocation);
/// The file of a layout named on the command line ("Aktives Layout", NAME or NAME.kwc).
std::string fileOfLayout(const std::string &name);
/// A JSON string literal.
std::string jsonString(std::string_view text);

/// `history [--json]`, `rollback ID`, `diff NAME` and `diff --history ID` (PublishCommands.cpp).
int history(const Invocation &invocation, std::ostream &out);
int rollback(const Invocation &invocation, std::ostream &out);
/// Exit status as diff's: 0 nothing would change, 1 something would, 2 an error.
int diff(const Invocation &invocation, std::ostream &out);

/// `export NAME FILE` and `import FILE [--as NAME]`: a layout with its pictures as one bundle file
/// (BundleCommands.cpp).
int exportLayout(const Invocation &invocation, std::ostream &out);
int importLayout(const Invocation &invocation, std::ostream &out);

/// `image-info FILE`: decodes a picture and prints its properties (ImageInfoCommand.cpp).
int imageInfo(const Invocation &invocation, std::ostream &out);

/// `country-settings [--format N] [--decimal C] ...`: shows or changes KwDataFormat.asp
/// (PortalSettingsCommands.cpp).
int countrySettings(const Invocation &invocation, std::ostream &out);
/// `calendar [--json]` and `calendar --entry ID`: the personal calendar's main-menu entry.
int calendar(const Invocation &invocation, std::ostream &out);
/// `welcome [--language ID TEXT]...` and `logo [FILE]`: the start page's company settings
/// (CompanyCommands.cpp).
int welcome(const Invocation &invocation, std::ostream &out);
int logo(const Invocation &invocation, std::ostream &out);
/// `start-page [--anonymous CHOICE] [--main CHOICE]`: shows or changes KwStartPage.asp
/// (StartPageCommands.cpp).
int startPage(const Invocation &invocation, std::ostream &out);
/// `menu list|add|rename|move|delete|start-page|rights|name ...`: the main menu on the main-menu editor's
/// core (MenuCommands.cpp).
int menu(const Invocation &invocation, std::ostream &out);

/// `audit NAME [--level AA|AAA] [--fix]`: status 0 every shown pair passes, 1 one fails, 2 an error;
/// `sample-page NAME DIR` (AuditCommands.cpp).
int audit(const Invocation &invocation, std::ostream &out);
int samplePage(const Invocation &invocation, std::ostream &out);

/// `database info` and `database migrate URL` (DatabaseCommands.cpp).
int database(const Invocation &invocation, std::ostream &out);
/// The URL of `--database URL` among a command's arguments ("" without it); throws
/// std::invalid_argument for anything else there.
std::string databaseOption(const Invocation &invocation);

/// Every command, in the order the help lists them.
const std::vector<Command> &commands();

/// Runs a command; refusals (bad names, values, unanswered questions) end with a message and status 2
/// or 3, server errors with status 1.
int runWithAnswers(const Command &command, const Invocation &invocation, std::ostream &out);

} // namespace kw::cli
