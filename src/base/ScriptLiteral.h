// VBScript string expressions in the portal's server-side scripts: a text written so that the script stays
// valid and the expression means exactly that text, and such an expression read back.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kw {

/// The kind of server-side block an expression stands in: an ASP block ("<%" ... "%>") ends at the first
/// "%>" wherever it stands, a script element (<SCRIPT RUNAT=Server> ... </SCRIPT>) at the first "</script".
enum class ScriptBlock { Asp, ScriptElement };

/// The VBScript expression that means exactly `text`: a string literal with every double quote doubled.
/// What would end the block or the line is spelled apart: "%>" as "%" & ">" (in a script element "</" as
/// "<" & "/"), line breaks as vbCrLf, vbCr and vbLf, other control characters but the tab as Chr(n). The
/// expression always starts with a literal; a text without any of these keeps its bytes between the quotes.
std::string scriptString(std::string_view text, ScriptBlock block);

/// Reads the string expression whose first literal opens at the double quote at `quote`: literals (a
/// doubled quote is one quote), joined by "&" with further literals, vbCrLf, vbNewLine, vbCr, vbLf, vbTab
/// and Chr(n). Reading ends at anything else. Nothing when `quote` is no double quote or the first literal
/// is not closed.
std::optional<std::string> readScriptString(std::string_view script, std::size_t quote);
/// The string expression that opens at the first double quote at or after `from` (npos: none), read as
/// `readScriptString` does.
std::optional<std::string> readScriptStringAfter(std::string_view script, std::size_t from);

/// The first occurrence of `what` at or after `from` that does not stand inside a string literal (an odd
/// number of double quotes before it on its line), or npos: a name that a written text happens to hold is
/// not taken for the script's own.
std::size_t findOutsideStrings(std::string_view script, std::string_view what, std::size_t from = 0);

/// Why `text` cannot be written into one of the portal's scripts, as the German message for the user; nothing
/// when it can. The scripts are stored as Windows-1252, so characters outside it are refused.
std::optional<std::string> scriptTextRefusal(std::string_view text);

} // namespace kw
