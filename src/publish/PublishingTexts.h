// Texts of the publishing history shared by the command line and the window.
#pragma once

#include <cstdint>
#include <string>

namespace kw::publish {

/// A history entry as the command line names it: its id, with the layout it published.
inline std::string entryById(std::int64_t id, const std::string &layout)
{
    return std::to_string(id) + (layout.empty() ? "" : " (" + layout + ")");
}

/// The question before rolling the portal back to the state right after the activation named `entry`
/// ("der Aktivierung <entry>").
inline std::string rollbackQuestion(const std::string &entry)
{
    return "Wollen Sie das Portal wirklich auf den Stand direkt nach der Aktivierung " + entry +
           " zurücksetzen? Die Dateien, die spätere Aktivierungen geändert haben, werden wieder so "
           "veröffentlicht, wie sie danach waren.";
}

/// What the history dialog shows when rolling back to an entry changes nothing.
inline constexpr const char *kRollbackChangesNothing =
    "Das Zurücksetzen ändert nichts: veröffentlicht ist der Stand direkt nach dieser Aktivierung.";

} // namespace kw::publish
