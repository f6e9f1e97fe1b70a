// Publishing a batch of file changes all at once, and finishing or undoing one that a crash interrupted.
//
// The steps of `publish`: every new file is written whole to a flushed temporary file beside its target;
// every file that will be replaced or removed gets a second name (a hard link, the backup); the folders
// are flushed; the journal naming every step (and the history entry to record) is written, flushed and
// renamed into place: from here on the batch counts as published; the renames; the folders are flushed
// once each; the history entry is recorded (one transaction); the journal and the backups are removed.
// A failure before the journal leaves every file as it was. A failure after it renames the journal to
// the undo journal and puts the backups back. docs/portal-store.md says what a crash at each step leaves.
#pragma once

#include "server/Database.h"
#include "server/PortalFileSystem.h"
#include "server/PublishHistory.h"
#include "server/PublishJournal.h"
#include "server/WriteBatch.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kw::server {

class Publisher {
public:
    static constexpr const char *kJournalFile = "KwPortal.journal";
    static constexpr const char *kUndoJournalFile = "KwPortal.journal-undo";

    /// The caller holds the portal's write lock for every call.
    Publisher(const PortalFileSystem &files, PublishHistory &history);

    /// Publishes the changes and, when `recorded`, records `entry` with the files they replace; the
    /// entry's id, or 0 when nothing would change or nothing is recorded. Throws ServerError; the
    /// published files are then as they were.
    std::int64_t publish(const std::vector<WriteBatch::Change> &changes, const PublishEntry &entry,
                         bool recorded = true);

    /// Finishes a batch whose journal is complete, undoes one whose undo journal is there, and removes
    /// the temporary files of any other interrupted write. A damaged journal, or one naming paths outside
    /// the portal, is not followed: it and the temporary files stay. Returns what was done, for the user.
    std::vector<std::string> recover();

    /// Throws ServerError unless the portal is free of journals (a refused one stays until removed); the
    /// message says what was found in the journal and what the administrator can do.
    void checkNoJournal() const;

    /// The portal path ("_KwStyle/global.css") of a local path inside the portal.
    std::string portalPath(const std::filesystem::path &local) const;

private:
    struct Loaded {
        Journal journal;
        std::vector<JournalStep> steps; // with absolute paths
    };
    Loaded load(const std::filesystem::path &file) const;
    /// Finishes the renames; the files they replaced (read from the backups).
    std::vector<PublishedFile> rollForward(const std::vector<JournalStep> &steps) const;
    void rollBack(const std::vector<JournalStep> &steps) const;
    void syncFolders(const std::vector<JournalStep> &steps) const;
    void writeJournal(const Journal &journal) const;
    void removeQuietly(const std::filesystem::path &file) const;
    [[noreturn]] void undo(const std::vector<JournalStep> &steps, const ServerError &cause);

    const PortalFileSystem &m_files;
    PublishHistory &m_history;
    std::filesystem::path m_journal, m_undoJournal;
};

} // namespace kw::server
