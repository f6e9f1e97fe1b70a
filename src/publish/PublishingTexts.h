// Texts of the publishing history shared by the command line and the window.
#pragma once

#include <cstdint>
#include <string>

namespace kw::publish {

/// The question before rolling the portal back to the state right after history entry `id`, which
/// published `layout`.
inline std::string rollbackQuestion(std::int64_t id, const std::string &layout)
{
    return "Wollen Sie das Portal wirklich auf den Stand direkt nach der Aktivierung " + std::to_string(id) +
           (layout.empty() ? "" : " (" + layout + ")") +
           " zurücksetzen? Die Dateien, die spätere Aktivierungen geändert haben, werden wieder so "
           "veröffentlicht, wie sie danach waren.";
}

/// What the history dialog shows when rolling back to an entry changes nothing.
inline constexpr const char *kRollbackChangesNothing =
    "Das Zurücksetzen ändert nichts: veröffentlicht ist der Stand direkt nach dieser Aktivierung.";

} // namespace kw::publish
