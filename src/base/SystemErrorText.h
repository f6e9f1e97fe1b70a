// German texts for the operating system's error numbers, for messages that name why a file access failed.
#pragma once

#include <string>
#include <system_error>

namespace kw {

/// What went wrong, in German, for an error number of the operating system (`errno`), e.g. ENOSPC:
/// "Auf dem Datenträger ist kein Platz mehr". Numbers without a text of their own give "Systemfehler N".
std::string systemErrorText(int errorNumber);

/// The same for an error code of the standard library; codes of other categories keep their own text.
std::string systemErrorText(const std::error_code &error);

} // namespace kw
