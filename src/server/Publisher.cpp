#include "server/Publisher.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

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

// A token no other batch has: time and randomness.
std::string batchToken()
{
    std::random_device random;
    char buffer[48];
    std::snprintf(
        buffer, sizeof buffer, "%llx-%08x%08x",
        static_cast<unsigned long long>(std::chrono::system_clock::now().time_since_epoch().count()),
        random(), random());
    return buffer;
}

// What the administrator is told about a journal that is not followed, with what was found in it (a
// clause that completes "denn ...").
std::string refusedJournal(const fs::path &file, const std::string &found)
{
    return "Das Journal " + file.string() +
           " einer unterbrochenen Aktivierung wurde nicht ausgeführt, denn " + found +
           ". Die veröffentlichten Dateien bleiben, wie sie sind, und es wird nichts veröffentlicht, "
           "bis jemand das Journal geprüft hat: Prüfen Sie die Dateien, die es in _KwStyle und "
           "_KwInclude/KwCompany nennt (die .kwtmp-Dateien daneben enthalten die Kopien der unterbrochenen "
           "Aktivierung), löschen Sie dann das Journal und diese .kwtmp-Dateien, und aktivieren Sie das "
           "Layout, das veröffentlicht sein soll.";
}

// Added to the cause of a failed activation whose undo is left to the next opening of the portal.
constexpr const char *kUndoLater = " Die Aktivierung konnte jetzt nicht rückgängig gemacht werden; das "
                                   "geschieht, wenn das Portal das nächste Mal geöffnet wird.";

// How the notes after a recovery name what was interrupted: an activation, or an import that the
// publishing history does not record.
struct InterruptedWork {
    const char *interrupted; // "Eine unterbrochene Aktivierung"
    const char *failed;      // "Eine fehlgeschlagene Aktivierung"
};
constexpr InterruptedWork kActivation{"Eine unterbrochene Aktivierung", "Eine fehlgeschlagene Aktivierung"};
constexpr InterruptedWork kImport{"Ein unterbrochener Import", "Ein fehlgeschlagener Import"};

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
    for (const fs::path &file : {m_journal, m_undoJournal}) {
        if (!present(file.string()))
            continue;
        std::string found = "es konnte nicht abgeschlossen werden";
        try {
            load(file);
        } catch (const ServerError &error) {
            found = error.what();
        }
        throw ServerError(ServerError::Fail, refusedJournal(file, found));
    }
}

std::int64_t Publisher::publish(const std::vector<WriteBatch::Change> &changes, const PublishEntry &entry,
                                bool recorded)
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
        journal.batch = batchToken();
        journal.entry = entry;
        journal.recorded = recorded;
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
    std::int64_t id = 0;
    try {
        for (const JournalStep &step : steps)
            if (step.kind == Kind::Remove)
                m_files.rename(step.target, step.backup, step.target);
            else
                m_files.rename(step.temporary, step.target, step.target);
        syncFolders(steps);
        if (recorded)
            id = m_history.record(journal.batch, entry, replaced);
    } catch (const ServerError &error) {
        undo(steps, error);
    }
    // Not flushed: a journal that comes back after a crash finishes what is finished already, and its
    // batch is recorded in the history once only.
    removeQuietly(m_journal);
    for (const JournalStep &step : steps)
        if (!step.backup.empty())
            removeQuietly(step.backup);
    return id;
}

void Publisher::undo(const std::vector<JournalStep> &steps, const ServerError &cause)
{
    const std::string what = cause.what();
    try {
        m_files.rename(m_journal, m_undoJournal, m_journal);
        m_files.syncFolder(m_files.root());
    } catch (const ServerError &) {
        throw ServerError(cause.code(), what + kUndoLater);
    }
    try {
        rollBack(steps);
    } catch (const ServerError &) {
        throw ServerError(cause.code(), what + kUndoLater);
    }
    removeQuietly(m_undoJournal);
    try {
        m_files.syncFolder(m_files.root());
    } catch (const ServerError &) {
        // An undo journal that comes back only undoes what is undone already.
    }
    throw ServerError(cause.code(), what);
}

std::vector<PublishedFile> Publisher::rollForward(const std::vector<JournalStep> &steps) const
{
    // The old files are still there under their backup names: the history entry is made of them.
    std::vector<PublishedFile> replaced;
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
        replaced.push_back(
            {portalPath(step.target),
             step.backup.empty() ? std::nullopt : std::optional(PortalFileSystem::readAll(step.backup))});
    return replaced;
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
    Bytes bytes;
    try {
        bytes = PortalFileSystem::readAll(file);
    } catch (const ServerError &error) {
        // Said as the other reasons are: "..., denn es ist nicht lesbar (...)".
        throw ServerError(error.code(), std::string("es ist nicht lesbar (") + error.what() + ")");
    }
    Loaded loaded{parseJournal(std::string(bytes.begin(), bytes.end())), {}};
    for (const JournalStep &step : loaded.journal.steps) {
        JournalStep local = step;
        for (std::string *path : {&local.target, &local.temporary, &local.backup}) {
            if (path->empty())
                continue;
            const fs::path absolute = m_files.root() / *path;
            try {
                m_files.checkConfined(absolute);
                m_files.checkConfined(absolute.parent_path());
            } catch (const ServerError &) {
                throw ServerError(ServerError::AccessDenied, "es nennt den Pfad \"" + *path +
                                                                 "\", der aus dem Portalordner hinausführt");
            }
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
            notes.push_back(refusedJournal(file, error.what()));
            return notes;
        }
        const InterruptedWork &work = loaded.journal.recorded ? kActivation : kImport;
        const std::string layout = " von \"" + loaded.journal.entry.layout + "\"";
        if (undoing) {
            rollBack(loaded.steps);
            notes.push_back(work.failed + layout + " wurde rückgängig gemacht.");
        } else {
            const auto replaced = rollForward(loaded.steps);
            if (loaded.journal.recorded) {
                const std::int64_t id =
                    m_history.record(loaded.journal.batch, loaded.journal.entry, replaced);
                notes.push_back(work.interrupted + layout + " wurde abgeschlossen (Eintrag " +
                                std::to_string(id) + " des Veröffentlichungsverlaufs).");
            } else {
                notes.push_back(work.interrupted + layout + " wurde abgeschlossen.");
            }
        }
        m_files.remove(file);
        m_files.syncFolder(m_files.root());
        for (const JournalStep &step : loaded.steps)
            if (!step.backup.empty())
                m_files.remove(step.backup);
    }
    if (const int removed = m_files.removeTemporaries())
        notes.push_back(removed == 1
                            ? std::string("Eine temporäre Datei eines unterbrochenen Schreibvorgangs "
                                          "wurde gelöscht.")
                            : std::to_string(removed) + " temporäre Dateien unterbrochener "
                                                        "Schreibvorgänge wurden gelöscht.");
    return notes;
}

} // namespace kw::server
