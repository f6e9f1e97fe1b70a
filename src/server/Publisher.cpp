#include "server/Publisher.h"

#include <algorithm>

namespace kw::server {

namespace fs = std::filesystem;

namespace {

using Kind = JournalStep::Kind;

bool present(const std::string &path)
{
    std::error_code ec;
    return !path.empty() && fs::exists(fs::symlink_status(path, ec));
}

std::vector<fs::path> foldersOf(const std::vector<JournalStep> &steps)
{
    std::vector<fs::path> folders;
    for (const JournalStep &step : steps) {
        const fs::path folder = fs::path(step.target).parent_path();
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    return folders;
}

} // namespace

Publisher::Publisher(const PortalFileSystem &files, PublishHistory &history)
    : m_files(files), m_history(history), m_journal(files.root() / kJournalFile),
      m_undoJournal(files.root() / kUndoJournalFile)
{
}

std::string Publisher::portalPath(const fs::path &local) const
{
    return local.lexically_relative(m_files.root()).generic_string();
}

void Publisher::removeQuietly(const fs::path &file) const
{
    try {
        m_files.remove(file);
    } catch (const ServerError &) {
        // Left for the next recovery, which removes temporary files.
    }
}

void Publisher::syncFolders(const std::vector<JournalStep> &steps) const
{
    for (const fs::path &folder : foldersOf(steps))
        m_files.syncFolder(folder);
}

void Publisher::writeJournal(const Journal &journal) const
{
    const std::string text = formatJournal(journal);
    const fs::path temporary = m_files.writeTemporary(m_journal, Bytes(text.begin(), text.end()));
    try {
        m_files.rename(temporary, m_journal, m_journal);
    } catch (const ServerError &) {
        removeQuietly(temporary);
        throw;
    }
    try {
        m_files.syncFolder(m_files.root());
    } catch (const ServerError &) {
        // Not known to be on disk: the batch does not count as published.
        removeQuietly(m_journal);
        throw;
    }
}

void Publisher::checkNoJournal() const
{
    for (const fs::path &file : {m_journal, m_undoJournal})
        if (present(file.string()))
            throw ServerError(ServerError::Fail,
                              "The journal " + file.string() +
                                  " of an interrupted activation was not followed when the portal was "
                                  "opened; nothing is published until it is checked and removed.");
}

std::int64_t Publisher::publish(const std::vector<WriteBatch::Change> &changes, const PublishEntry &entry)
{
    checkNoJournal();
    Journal journal;
    std::vector<JournalStep> steps; // absolute paths
    std::vector<PublishedFile> replaced;
    auto cleanUp = [&] {
        for (const JournalStep &step : steps) {
            if (step.kind != Kind::Remove)
                removeQuietly(step.temporary);
            if (step.kind == Kind::Replace)
                removeQuietly(step.backup);
        }
        try {
            if (journal.entryId)
                m_history.discard(journal.entryId);
        } catch (const ServerError &) {
            // A pending entry is forgotten by the next recovery.
        }
    };
    try {
        for (const auto &[target, contents] : changes) {
            std::error_code ec;
            const bool exists = fs::is_regular_file(target, ec);
            if (!contents && !exists)
                continue;
            JournalStep step;
            step.kind = !contents ? Kind::Remove : exists ? Kind::Replace : Kind::Create;
            step.target = target.string();
            replaced.push_back({portalPath(target),
                                exists ? std::optional(PortalFileSystem::readAll(target)) : std::nullopt});
            if (contents)
                step.temporary = m_files.writeTemporary(target, *contents).string();
            if (exists)
                step.backup = m_files.temporaryName(target).string();
            steps.push_back(step);
            if (step.kind == Kind::Replace)
                m_files.link(target, step.backup, target);
        }
        if (steps.empty())
            return 0;
        syncFolders(steps);
        journal.entryId = m_history.addPending(entry, replaced);
        for (const JournalStep &step : steps)
            journal.steps.push_back({step.kind, portalPath(step.target),
                                     step.temporary.empty() ? "" : portalPath(step.temporary),
                                     step.backup.empty() ? "" : portalPath(step.backup)});
        writeJournal(journal);
    } catch (const ServerError &) {
        cleanUp();
        throw;
    }

    // From here on the batch counts as published: a crash is finished by recovery.
    try {
        for (const JournalStep &step : steps)
            if (step.kind == Kind::Remove)
                m_files.rename(step.target, step.backup, step.target);
            else
                m_files.rename(step.temporary, step.target, step.target);
        syncFolders(steps);
        m_history.complete(journal.entryId);
    } catch (const ServerError &error) {
        undo(journal, steps, error);
    }
    removeQuietly(m_journal);
    try {
        m_files.syncFolder(m_files.root());
    } catch (const ServerError &) {
        // A journal that comes back after a crash only finishes what is finished already.
    }
    for (const JournalStep &step : steps)
        if (!step.backup.empty())
            removeQuietly(step.backup);
    return journal.entryId;
}

void Publisher::undo(const Journal &journal, const std::vector<JournalStep> &steps, const ServerError &cause)
{
    const std::string what = cause.what();
    try {
        m_files.rename(m_journal, m_undoJournal, m_journal);
        m_files.syncFolder(m_files.root());
    } catch (const ServerError &) {
        throw ServerError(cause.code(), what + " The activation could not be undone now; it is completed "
                                               "when the portal is opened again.");
    }
    try {
        rollBack(steps);
        m_history.discard(journal.entryId);
    } catch (const ServerError &) {
        throw ServerError(cause.code(), what + " The activation could not be undone now; that is done "
                                               "when the portal is opened again.");
    }
    removeQuietly(m_undoJournal);
    try {
        m_files.syncFolder(m_files.root());
    } catch (const ServerError &) {
        // An undo journal that comes back only undoes what is undone already.
    }
    throw ServerError(cause.code(), what);
}

void Publisher::rollForward(const std::vector<JournalStep> &steps) const
{
    for (const JournalStep &step : steps) {
        if (step.kind == Kind::Remove) {
            if (present(step.target))
                m_files.rename(step.target, step.backup, step.target);
        } else if (present(step.temporary)) {
            m_files.rename(step.temporary, step.target, step.target);
        }
    }
    syncFolders(steps);
    for (const JournalStep &step : steps)
        if (!step.backup.empty())
            m_files.remove(step.backup);
}

void Publisher::rollBack(const std::vector<JournalStep> &steps) const
{
    for (const JournalStep &step : steps) {
        switch (step.kind) {
        case Kind::Replace:
        case Kind::Remove:
            if (present(step.backup))
                m_files.rename(step.backup, step.target, step.target);
            // Renaming a second name onto the file itself leaves both names.
            if (present(step.backup))
                m_files.remove(step.backup);
            break;
        case Kind::Create:
            // Without its temporary file the new file was renamed into place already.
            if (!present(step.temporary) && present(step.target))
                m_files.remove(step.target);
            break;
        }
        if (step.kind != Kind::Remove && present(step.temporary))
            m_files.remove(step.temporary);
    }
    syncFolders(steps);
}

Publisher::Loaded Publisher::load(const fs::path &file) const
{
    const Bytes bytes = PortalFileSystem::readAll(file);
    Loaded loaded{parseJournal(std::string(bytes.begin(), bytes.end())), {}};
    for (const JournalStep &step : loaded.journal.steps) {
        JournalStep local = step;
        for (std::string *path : {&local.target, &local.temporary, &local.backup}) {
            if (path->empty())
                continue;
            const fs::path absolute = m_files.root() / *path;
            m_files.checkConfined(absolute);
            m_files.checkConfined(absolute.parent_path());
            *path = absolute.string();
        }
        loaded.steps.push_back(std::move(local));
    }
    return loaded;
}

std::vector<std::string> Publisher::recover()
{
    std::vector<std::string> notes;
    for (const bool undoing : {true, false}) {
        const fs::path &file = undoing ? m_undoJournal : m_journal;
        if (!present(file.string()))
            continue;
        Loaded loaded;
        try {
            loaded = load(file);
        } catch (const ServerError &error) {
            notes.push_back("The journal " + file.string() +
                            " of an interrupted activation was not followed (" + error.what() +
                            "); the published files were left as they are. Check them, then "
                            "remove the journal.");
            return notes;
        }
        const std::string entry = std::to_string(loaded.journal.entryId);
        if (undoing) {
            rollBack(loaded.steps);
            m_history.discard(loaded.journal.entryId);
            notes.push_back("An activation that had failed was undone (history entry " + entry + ").");
        } else {
            rollForward(loaded.steps);
            m_history.complete(loaded.journal.entryId);
            notes.push_back("An interrupted activation was completed (history entry " + entry + ").");
        }
        m_files.remove(file);
        m_files.syncFolder(m_files.root());
    }
    m_history.discardPending();
    if (const int removed = m_files.removeTemporaries())
        notes.push_back(std::to_string(removed) + " temporary file(s) of interrupted writes were removed.");
    return notes;
}

} // namespace kw::server
