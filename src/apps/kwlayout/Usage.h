// What `kwlayout --help` and `kwlayout COMMAND --help` print, from the command table.
#pragma once

#include "Commands.h"

#include <ostream>

namespace kw::cli {

/// The synopsis and every command with its usage and help line, in table order.
void printUsage(std::ostream &out);
/// One command's usage and help line.
void printCommandHelp(std::ostream &out, const Command &command);

} // namespace kw::cli
