// The journal of a batch of writes: which temporary file replaces which portal file, which portal file
// is removed, and where the old files are kept until the batch is through. Written whole and flushed
// before the first file is replaced; read back by recovery.
#pragma once

#include "server/ServerEnvironment.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kw::server {

struct JournalStep {
    enum class Kind { Replace, Create, Remove };
    Kind kind = Kind::Replace;
    /// Paths relative to the portal folder, '/' between the parts.
    std::string target;
    std::string temporary; // the new contents (Replace, Create)
    std::string backup;    // a second name of the old file (Replace, Remove)
};

struct Journal {
    std::string batch;  // the batch's own token, recorded with its history entry
    PublishEntry entry; // what the history records (the id is given when it is recorded)
    std::vector<JournalStep> steps;
    bool recorded = true; // false: an import, which the history does not record
};

/// The journal as text: a header line, the batch's token and history entry, one line per step, and a
/// closing line with a checksum of everything before it.
std::string formatJournal(const Journal &journal);

/// Reads a journal back. Throws ServerError (Fail) naming the problem when the text is incomplete,
/// damaged (a wrong checksum, an unknown line) or names a path that is not a plain relative path, or a
/// temporary or backup name that is not a temporary file beside its target.
Journal parseJournal(const std::string &text);

} // namespace kw::server
