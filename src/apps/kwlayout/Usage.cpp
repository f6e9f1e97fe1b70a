#include "Usage.h"

namespace kw::cli {

void printUsage(std::ostream &out)
{
    out << "usage: kwlayout --portal DIR [--user NAME] [--json] [--yes|--no] COMMAND [ARGS]\n"
           "       kwlayout COMMAND --help | --help | --version\n\ncommands:\n";
    for (const Command &command : commands())
        out << "  " << command.usage << "\n      " << command.help << "\n";
}

void printCommandHelp(std::ostream &out, const Command &command)
{
    out << "usage: kwlayout " << (command.needsPortal ? "--portal DIR " : "") << command.usage << "\n  "
        << command.help << "\n";
}

} // namespace kw::cli
