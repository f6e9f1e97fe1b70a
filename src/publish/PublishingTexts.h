// Texts of the publishing history shared by the command line and the window.
#pragma once

#include <cstdint>
#include <string>

namespace kw::publish {

/// The question before a rollback of history entry `id`, which published `layout`.
inline std::string rollbackQuestion(std::int64_t id, const std::string &layout)
{
    return "Wollen Sie die Aktivierung " + std::to_string(id) + (layout.empty() ? "" : " (" + layout + ")") +
           " wirklich zurücksetzen? Die Dateien, die sie ersetzt hat, werden wieder veröffentlicht.";
}

} // namespace kw::publish
