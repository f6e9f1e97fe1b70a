// The tests' own reader of the portal's server-side include files, written apart from the program's: it
// checks that a file is made of server-side script blocks only, that every line of them is a statement the
// portal's scripts use, and gives the value of every assignment, string expressions decoded as VBScript
// reads them.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace kw::test {

struct VbsScript {
    /// Empty when the file is valid; else what is wrong, and where.
    std::string error;
    /// Each assignment's value by its left-hand side ("l_strWelcome", "Application(\"g_LCID\")"): a
    /// string expression decoded, anything else as written.
    std::map<std::string, std::string> values;
};

/// Reads `text` (UTF-8, as the portal's Windows-1252 file decoded).
VbsScript readVbsScript(std::string_view text);

} // namespace kw::test
