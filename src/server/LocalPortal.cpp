#include "server/LocalPortal.h"

#include "base/TextCodec.h"
#include "base/Values.h"
#include "server/Database.h"
#include "server/PortalAccess.h"
#include "server/PortalConfig.h"
#include "server/PortalFileSystem.h"
#include "server/PortalLock.h"
#include "server/PortalSchema.h"
#include "server/PublishHistory.h"
#include "server/Publisher.h"
#include "server/WriteBatch.h"

#include <algorithm>
#include <ctime>
#include <map>
#include <memory>
#include <type_traits>

namespace kw::server {

namespace fs = std::filesystem;

namespace {

// What the administrator is told before the reason when an interrupted activation could not be finished.
constexpr const char *kRecoveryFailed = "Eine unterbrochene Aktivierung konnte nicht abgeschlossen werden: ";

// Everything the objects of one opened portal share.
struct PortalState {
    PortalState(const fs::path &folder, const std::string &login, std::shared_ptr<FileOps> ops)
        : files(folder, std::move(ops)), database(openPortalDatabase(files.root())), db(*database),
          history(db), lock(files.root()), userLogin(login)
    {
        upgradePortalSchema(db);
    }

    Publisher publisher() { return Publisher(files, history); }

    // Finishes or undoes what another program left unfinished, and removes stray temporary files; what
    // was done is kept for `RecoveryNotes`. A journal that is not followed is noted and stays.
    void recover()
    {
        // A journal that is not followed stays, and every later lock finds it again: what the last
        // recovery noted already is not noted twice.
        std::vector<std::string> notes = publisher().recover();
        for (const std::string &note : notes)
            if (std::find(lastRecovery.begin(), lastRecovery.end(), note) == lastRecovery.end())
                recoveryNotes.push_back(note);
        lastRecovery = std::move(notes);
    }
    // Takes the write lock. Whenever this program did not hold it yet, another one may have died in the
    // middle of a batch since: that batch is recovered first, so every write starts from one layout.
    void acquireWriteLock()
    {
        const bool taken = lock.held();
        lock.acquire();
        if (taken)
            return;
        try {
            recover();
        } catch (const ServerError &error) {
            lock.release();
            throw ServerError(error.code(), std::string(kRecoveryFailed) + error.what());
        }
    }
    class WriteLockScope {
    public:
        explicit WriteLockScope(PortalState &state) : m_state(state) { m_state.acquireWriteLock(); }
        ~WriteLockScope() { m_state.lock.release(); }
        WriteLockScope(const WriteLockScope &) = delete;
        WriteLockScope &operator=(const WriteLockScope &) = delete;

    private:
        PortalState &m_state;
    };

    // Every change of a file goes into the open batch, or is made at once under the portal's lock.
    void writeFile(const fs::path &path, const Bytes &contents)
    {
        if (batch) {
            batch->write(path, contents);
            return;
        }
        WriteLockScope scope(*this);
        files.writeAtomically(path, contents);
    }
    void removeFile(const fs::path &path)
    {
        if (batch) {
            batch->remove(path);
            return;
        }
        WriteLockScope scope(*this);
        files.remove(path);
    }
    // Reads and checks see what the open batch wrote.
    bool fileExists(const fs::path &path) const
    {
        if (const std::optional<Bytes> *staged = batch ? batch->find(path) : nullptr)
            return staged->has_value();
        std::error_code ec;
        return fs::is_regular_file(path, ec);
    }
    Bytes readFile(const fs::path &path) const
    {
        if (const std::optional<Bytes> *staged = batch ? batch->find(path) : nullptr) {
            if (!*staged)
                throw ServerError(ServerError::NotFound, "Die Datei " + path.string() +
                                                             " kann nicht gelesen werden, denn sie "
                                                             "wurde gelöscht.");
            return **staged;
        }
        return PortalFileSystem::readAll(path);
    }

    PortalFileSystem files;
    std::unique_ptr<Database> database;
    Database &db;
    PublishHistory history;
    PortalLock lock;
    std::string userLogin;
    // Files opened with "deny others write", by local path, with their number of open handles.
    std::map<std::string, int> denyWrite;
    std::optional<WriteBatch> batch;
    std::vector<std::string> recoveryNotes;
    std::vector<std::string> lastRecovery; // the notes of the latest recovery, noted or not
};
using StatePtr = std::shared_ptr<PortalState>;

std::string inQuotes(const std::string &text)
{
    return "\"" + text + "\"";
}

// Files are named case-insensitively, so their write locks are too.
std::string lockKey(const fs::path &path)
{
    return toLowerAscii(path.string());
}

// Every change of the main menu moves the navigation version, in the change's own transaction.
void bumpNavigationVersion(Database &db)
{
    // Once per transaction, however many entries it changes.
    db.beforeCommit("navigation_version", [&db] {
        db.run(
            "INSERT INTO settings(key, value) VALUES('navigation_version', '1') ON CONFLICT(key) DO UPDATE "
            "SET value = CAST(CAST(settings.value AS INTEGER) + 1 AS TEXT)");
    });
}

// ---------------------------------------------------------------------------------------------------
// Session side

class LocalPortalObject final : public IPortal {
public:
    explicit LocalPortalObject(StatePtr state) : m_state(std::move(state)) {}
    std::string GetPortalPath() override { return m_state->files.root().string(); }
    std::string GetPortalName() override
    {
        const auto rows = m_state->db.query("SELECT value FROM settings WHERE key='portal_name'");
        return rows.empty() ? std::string() : sqlText(rows[0][0]);
    }

private:
    StatePtr m_state;
};

class LocalUser final : public IUser {
public:
    LocalUser(std::string p1, std::string p2, std::string p3, bool access)
        : m_parts{std::move(p1), std::move(p2), std::move(p3)}, m_access(access)
    {
    }
    bool GetAccessFlag() override { return m_access; }
    std::string UserNamePart1() override { return m_parts[0]; }
    std::string UserNamePart2() override { return m_parts[1]; }
    std::string UserNamePart3() override { return m_parts[2]; }

private:
    std::string m_parts[3];
    bool m_access;
};

class LocalLanguageList final : public ILanguageList {
public:
    explicit LocalLanguageList(std::vector<SqlRow> rows) : m_rows(std::move(rows)) {}
    int LanguageCount() override { return static_cast<int>(m_rows.size()); }
    std::int32_t LanguageId(int index) override { return static_cast<std::int32_t>(sqlInt(row(index)[0])); }
    std::string LanguageName(int index) override { return sqlText(row(index)[1]); }
    bool LanguageIsDefault(int index) override { return sqlInt(row(index)[2]) != 0; }

private:
    const SqlRow &row(int index) const
    {
        if (index < 0 || index >= static_cast<int>(m_rows.size()))
            throw ServerError(ServerError::InvalidArgument,
                              "Im Portal gibt es keine Sprache mit der Nummer " + std::to_string(index) +
                                  ".");
        return m_rows[static_cast<std::size_t>(index)];
    }
    std::vector<SqlRow> m_rows;
};

class LocalSession final : public ISession {
public:
    explicit LocalSession(StatePtr state) : m_state(std::move(state)) {}

    Ref<IPortal> GetPortal() override { return makeRef<LocalPortalObject>(m_state); }
    Ref<IUser> GetCurrentUser() override
    {
        const auto rows = m_state->userLogin.empty()
                              ? m_state->db.query("SELECT name_part1, name_part2, name_part3, has_access "
                                                  "FROM users ORDER BY id LIMIT 1")
                              : m_state->db.query("SELECT name_part1, name_part2, name_part3, has_access "
                                                  "FROM users WHERE login=?1",
                                                  {m_state->userLogin});
        if (rows.empty())
            throw ServerError(ServerError::NotFound, m_state->userLogin.empty()
                                                         ? "Das Portal hat keine Benutzer."
                                                         : "Der Benutzer " + inQuotes(m_state->userLogin) +
                                                               " ist in diesem Portal nicht bekannt.");
        const SqlRow &r = rows[0];
        return makeRef<LocalUser>(sqlText(r[0]), sqlText(r[1]), sqlText(r[2]), sqlInt(r[3]) != 0);
    }
    std::string GetSessionName() override
    {
        return m_state->userLogin.empty() ? m_state->files.root().filename().string() : m_state->userLogin;
    }
    Ref<ILanguageList> GetLanguages(int) override
    {
        return makeRef<LocalLanguageList>(
            m_state->db.query("SELECT id, name, is_default FROM languages ORDER BY position, id"));
    }
    bool ReloadLanguageTexts(int) override
    {
        try {
            m_state->db.query("SELECT count(*) FROM texts");
            return true;
        } catch (const ServerError &) {
            return false;
        }
    }
    void RunAsOneTransaction(const std::function<void()> &work) override { m_state->db.transaction(work); }

    const StatePtr &state() const { return m_state; }

private:
    StatePtr m_state;
};

// Every object that needs a session checks that it got one of this portal.
const StatePtr &stateOf(const Ref<ISession> &session)
{
    const auto *local = dynamic_cast<const LocalSession *>(session.get());
    if (!local)
        throw ServerError(ServerError::NullPointer, "Es wurde keine Sitzung dieses Portals übergeben.");
    return local->state();
}

// ---------------------------------------------------------------------------------------------------
// Files

class LocalFile final : public IServerFile {
public:
    LocalFile(StatePtr state, fs::path path, std::uint32_t mode)
        : m_state(std::move(state)), m_path(std::move(path)), m_mode(mode)
    {
        if (m_mode == ModeCreateDenyWrite)
            ++m_state->denyWrite[lockKey(m_path)];
    }
    ~LocalFile() override
    {
        if (m_mode == ModeCreateDenyWrite && --m_state->denyWrite[lockKey(m_path)] == 0)
            m_state->denyWrite.erase(lockKey(m_path));
    }

    Bytes GetBytes() override
    {
        if (isCreateMode())
            return m_written.value_or(Bytes());
        return m_state->readFile(m_path);
    }
    void PutBytes(const Bytes &contents) override
    {
        if (!isCreateMode())
            throw ServerError(ServerError::AccessDenied,
                              "Die Datei " + m_path.string() +
                                  " wurde zum Lesen geöffnet und kann nicht ersetzt werden.");
        m_state->writeFile(m_path, contents);
        m_written = contents;
    }
    std::string GetFileName() override { return m_path.filename().string(); }
    void AppendText(const std::string &text) override
    {
        if (m_mode == ModeRead)
            throw ServerError(ServerError::AccessDenied,
                              "Die Datei " + m_path.string() +
                                  " wurde zum Lesen geöffnet; an sie kann nichts angehängt werden.");
        // A file opened for creation starts empty; one opened for appending keeps its contents.
        Bytes contents = isCreateMode() ? m_written.value_or(Bytes()) : m_state->readFile(m_path);
        const Bytes added = utf8ToCp1252(text);
        contents.insert(contents.end(), added.begin(), added.end());
        m_state->writeFile(m_path, contents);
        if (isCreateMode())
            m_written = std::move(contents);
    }

private:
    bool isCreateMode() const { return m_mode == ModeCreateWrite || m_mode == ModeCreateDenyWrite; }

    StatePtr m_state;
    fs::path m_path;
    std::uint32_t m_mode;
    std::optional<Bytes> m_written; // what this handle wrote (create modes start from nothing)
};

class LocalFolder final : public IServerFolder {
public:
    LocalFolder(StatePtr state, fs::path folder) : m_state(std::move(state)), m_folder(std::move(folder)) {}

    bool HasFile(const std::string &name) override
    {
        return m_state->fileExists(m_state->files.resolveFile(m_folder, name));
    }
    void RemoveFile(const std::string &name) override
    {
        const fs::path path = m_state->files.resolveFile(m_folder, name);
        if (!m_state->fileExists(path))
            throw ServerError(ServerError::NotFound, "Die Datei " + inQuotes(name) + " ist im Ordner " +
                                                         m_folder.string() + " nicht vorhanden.");
        m_state->removeFile(path);
    }
    Ref<IServerFile> GetFile(const std::string &name, std::uint32_t mode) override
    {
        const fs::path path = m_state->files.resolveFile(m_folder, name);
        std::error_code ec;
        switch (mode) {
        case ModeRead:
        case ModeReadAppend:
            if (!m_state->fileExists(path))
                throw ServerError(ServerError::NotFound, "Die Datei " + inQuotes(name) + " ist im Ordner " +
                                                             m_folder.string() + " nicht vorhanden.");
            break;
        case ModeCreateWrite:
        case ModeCreateDenyWrite:
            if (fs::is_directory(path, ec))
                throw ServerError(ServerError::AccessDenied,
                                  path.string() +
                                      " ist ein Ordner und kann nicht als Datei geschrieben werden.");
            if (m_state->denyWrite.count(lockKey(path)))
                throw ServerError(ServerError::SharingViolation,
                                  "Die Datei " + path.string() +
                                      " wird gerade von jemand anderem geschrieben.");
            break;
        default:
            throw ServerError(ServerError::InvalidArgument, "Unbekannte Art 0x" + toHex(mode) +
                                                                ", die Datei " + path.string() +
                                                                " zu öffnen.");
        }
        return makeRef<LocalFile>(m_state, path, mode);
    }
    Ref<IServerFile> NewFile(const std::string &baseName, const std::string &extension) override
    {
        std::string name = baseName + extension;
        for (int number = 1; HasFile(name); ++number)
            name = baseName + "_" + std::to_string(number) + extension;
        return makeRef<LocalFile>(m_state, m_state->files.resolveFile(m_folder, name), ModeCreateWrite);
    }
    std::string FirstMatch(const std::string &pattern) override
    {
        m_matches.clear();
        for (std::string &name : m_state->files.listFiles(m_folder))
            if (wildcardMatch(pattern, name))
                m_matches.push_back(std::move(name));
        m_next = 0;
        return NextMatch();
    }
    std::string NextMatch() override
    {
        if (m_next >= m_matches.size()) {
            m_done = true;
            return {};
        }
        m_done = false;
        return m_matches[m_next++];
    }
    int SearchDone() override { return m_done ? 1 : 0; }
    void EndMatch() override
    {
        m_matches.clear();
        m_next = 0;
        m_done = true;
    }

private:
    static std::string toHex(std::uint32_t value)
    {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%X", value);
        return buffer;
    }

    StatePtr m_state;
    fs::path m_folder;
    std::vector<std::string> m_matches;
    std::size_t m_next = 0;
    bool m_done = true;
};

class LocalFileService final : public IFileService {
public:
    void AttachSession(const Ref<ISession> &session) override { m_state = stateOf(session); }
    Ref<IServerFolder> GetFolder(const std::string &path) override
    {
        return makeRef<LocalFolder>(state(), state()->files.resolveFolder(path));
    }
    long ExecuteSql(const std::string &statement) override { return state()->db.execute(statement); }

private:
    const StatePtr &state() const
    {
        if (!m_state)
            throw ServerError(ServerError::NullPointer, "Der Dateidienst ist mit keiner Sitzung verbunden.");
        return m_state;
    }
    StatePtr m_state;
};

// ---------------------------------------------------------------------------------------------------
// Navigation

class LocalNavEntry final : public INavEntry {
public:
    explicit LocalNavEntry(StatePtr state, std::int32_t id = 0) : m_state(std::move(state)), m_id(id) {}

    void EntryInit(const Ref<ISession> &session, std::int32_t id) override
    {
        m_state = stateOf(session);
        if (m_state->db.query("SELECT 1 FROM navigation WHERE id=?1", {std::int64_t{id}}).empty())
            throw ServerError(ServerError::NotFound,
                              "Den Navigationseintrag " + std::to_string(id) + " gibt es nicht.");
        m_id = id;
        m_pending = {};
    }
    std::int32_t EntryId() override { return bound(); }
    int EntryType() override { return static_cast<int>(sqlInt(column("type"))); }
    std::string EntryGetStartPage() override { return sqlText(column("start_page")); }
    void EntrySetName(const std::string &name) override { m_pending.name = name; }
    void EntrySetStartPage(const std::string &page) override { m_pending.startPage = page; }
    void EntrySetPosition(long position) override { m_pending.position = position; }
    std::vector<std::int32_t> EntryGetGroups() override
    {
        std::vector<std::int32_t> groups;
        for (const SqlRow &row :
             m_state->db.query("SELECT group_id FROM navigation_groups WHERE nav_id=?1 ORDER BY ord",
                               {std::int64_t{bound()}}))
            groups.push_back(static_cast<std::int32_t>(sqlInt(row[0])));
        return groups;
    }
    void EntrySetGroups(const std::vector<std::int32_t> &groups) override { m_pending.groups = groups; }
    void EntryCommit() override
    {
        const std::int64_t id = bound();
        Database &db = m_state->db;
        db.transaction([&] {
            if (m_pending.name || m_pending.startPage || m_pending.position) {
                const auto given = [](const auto &value) -> SqlValue {
                    if (!value)
                        return std::monostate{};
                    if constexpr (std::is_same_v<std::decay_t<decltype(*value)>, std::string>)
                        return *value;
                    else
                        return std::int64_t{*value};
                };
                db.run("UPDATE navigation SET name=coalesce(?1, name), start_page=coalesce(?2, start_page), "
                       "position=coalesce(?3, position) WHERE id=?4",
                       {given(m_pending.name), given(m_pending.startPage), given(m_pending.position), id});
            }
            if (m_pending.groups) {
                db.run("DELETE FROM navigation_groups WHERE nav_id=?1", {id});
                std::string sql = "INSERT INTO navigation_groups(nav_id, group_id, ord) VALUES";
                std::vector<SqlValue> params{id};
                for (std::size_t ord = 0; ord < m_pending.groups->size(); ++ord) {
                    const std::string at = std::to_string(params.size() + 1);
                    sql += (ord ? ", (?1, ?" : " (?1, ?") + at + ", " + std::to_string(ord) + ")";
                    params.emplace_back(std::int64_t{(*m_pending.groups)[ord]});
                }
                if (!m_pending.groups->empty())
                    db.run(sql, params);
            }
            if (m_pending.name || m_pending.startPage || m_pending.position || m_pending.groups)
                bumpNavigationVersion(db);
        });
        m_pending = {};
    }

private:
    std::int32_t bound() const
    {
        if (!m_state || m_id == 0)
            throw ServerError(ServerError::NullPointer, "Der Navigationseintrag ist nicht initialisiert.");
        return m_id;
    }
    SqlValue column(const char *name)
    {
        const auto rows = m_state->db.query(std::string("SELECT ") + name + " FROM navigation WHERE id=?1",
                                            {std::int64_t{bound()}});
        if (rows.empty())
            throw ServerError(ServerError::NotFound,
                              "Den Navigationseintrag " + std::to_string(m_id) + " gibt es nicht mehr.");
        return rows[0][0];
    }

    struct Pending {
        std::optional<std::string> name, startPage;
        std::optional<long> position;
        std::optional<std::vector<std::int32_t>> groups;
    };
    StatePtr m_state;
    std::int32_t m_id;
    Pending m_pending;
};

class LocalNavCollection final : public INavEntryCollection {
public:
    explicit LocalNavCollection(StatePtr state, bool mainMenu)
        : m_state(std::move(state)), m_mainMenu(mainMenu)
    {
    }

    int NavItemCount() override { return static_cast<int>(items().size()); }
    NavItemInfo NavItemInfoAt(int index) override
    {
        const SqlRow row = itemAt(index);
        return {static_cast<std::int32_t>(sqlInt(row[0])), sqlText(row[1]), static_cast<int>(sqlInt(row[2]))};
    }
    Ref<INavEntry> NavItemAt(int index) override
    {
        return makeRef<LocalNavEntry>(m_state, static_cast<std::int32_t>(sqlInt(itemAt(index)[0])));
    }
    Ref<INavEntry> NavAdd(const std::string &name, int) override
    {
        if (!m_mainMenu)
            throw ServerError(ServerError::InvalidArgument,
                              "Einträge können nur dem Hauptmenü hinzugefügt werden.");
        std::int64_t id = 0;
        m_state->db.transaction([&] {
            id = m_state->db.insert(
                "INSERT INTO navigation(parent_id, type, position, name) VALUES(NULL, 0, "
                "(SELECT coalesce(max(position), 0) + 1 FROM navigation WHERE parent_id IS NULL), ?1)",
                {name});
            bumpNavigationVersion(m_state->db);
        });
        return makeRef<LocalNavEntry>(m_state, static_cast<std::int32_t>(id));
    }
    void NavRemove(std::int32_t id) override
    {
        m_state->db.transaction([&] {
            if (m_state->db.run("DELETE FROM navigation WHERE id=?1 AND parent_id IS NULL",
                                {std::int64_t{id}}) == 0)
                throw ServerError(ServerError::NotFound,
                                  "Den Hauptmenüeintrag " + std::to_string(id) + " gibt es nicht.");
            bumpNavigationVersion(m_state->db);
        });
    }

private:
    std::vector<SqlRow> items()
    {
        if (!m_mainMenu)
            return {};
        return m_state->db.query(
            "SELECT id, name, type FROM navigation WHERE parent_id IS NULL ORDER BY position, id");
    }
    SqlRow itemAt(int index)
    {
        auto rows = items();
        if (index < 0 || index >= static_cast<int>(rows.size()))
            throw ServerError(ServerError::InvalidArgument,
                              "Es gibt keinen Hauptmenüeintrag mit der Nummer " + std::to_string(index) +
                                  ".");
        return std::move(rows[static_cast<std::size_t>(index)]);
    }

    StatePtr m_state;
    bool m_mainMenu;
};

class LocalNavigation final : public INavigation {
public:
    void NavInit(const Ref<ISession> &session, std::int32_t element) override
    {
        m_state = stateOf(session);
        if (element != kMainMenu &&
            m_state->db.query("SELECT 1 FROM krapp WHERE lid=?1", {std::int64_t{element}}).empty())
            throw ServerError(ServerError::NotFound,
                              "Das Portal hat keine Anwendung " + std::to_string(element) + ".");
        m_element = element;
    }
    Ref<INavEntryCollection> NavEntries() override
    {
        return makeRef<LocalNavCollection>(state(), m_element == kMainMenu);
    }
    std::int32_t NavParentId() override
    {
        if (m_element == kMainMenu)
            return 0;
        const auto rows =
            state()->db.query("SELECT lnavformid FROM krapp WHERE lid=?1", {std::int64_t{m_element}});
        return rows.empty() ? 0 : static_cast<std::int32_t>(sqlInt(rows[0][0]));
    }
    Ref<INavEntry> NavNewEntry() override { return makeRef<LocalNavEntry>(m_state); }
    std::int64_t NavVersion() override
    {
        const auto rows = state()->db.query("SELECT value FROM settings WHERE key='navigation_version'");
        return rows.empty() ? 0 : sqlInt(rows[0][0]);
    }

private:
    static constexpr std::int32_t kMainMenu = 1;
    const StatePtr &state() const
    {
        if (!m_state)
            throw ServerError(ServerError::NullPointer, "Das Navigationsobjekt ist nicht initialisiert.");
        return m_state;
    }
    StatePtr m_state;
    std::int32_t m_element = 0;
};

// ---------------------------------------------------------------------------------------------------
// Query, rights, translation

class LocalQuery final : public IQuery {
public:
    explicit LocalQuery(StatePtr state) : m_state(std::move(state)) {}
    void QueryRun(int, const std::string &statement) override { m_rows = m_state->db.query(statement); }
    long QueryRowCount() override { return static_cast<long>(m_rows.size()); }
    std::string QueryValue(long row, int column) override
    {
        if (row < 0 || row >= static_cast<long>(m_rows.size()) || column < 0 ||
            column >= static_cast<int>(m_rows[static_cast<std::size_t>(row)].size()))
            throw ServerError(ServerError::InvalidArgument, "Diese Zelle gibt es im Abfrageergebnis nicht.");
        return sqlText(m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]);
    }

private:
    StatePtr m_state;
    std::vector<SqlRow> m_rows;
};

class LocalRightsRecord final : public IRightsRecord {
public:
    LocalRightsRecord(StatePtr state, int scope, std::int32_t id, int kind)
        : m_state(std::move(state)), m_scope(scope), m_id(id), m_kind(kind)
    {
    }
    void RecordCommit() override
    {
        Database &db = m_state->db;
        db.transaction([&] {
            db.run(
                "INSERT INTO access_rights(scope, object_id, kind) VALUES(?1, ?2, ?3) ON CONFLICT DO NOTHING",
                {std::int64_t{m_scope}, std::int64_t{m_id}, std::int64_t{m_kind}});
            bumpNavigationVersion(db);
        });
    }

private:
    StatePtr m_state;
    int m_scope;
    std::int32_t m_id;
    int m_kind;
};

class LocalRights final : public IRights {
public:
    void RightsInit(const Ref<ISession> &session, int scope) override
    {
        m_state = stateOf(session);
        m_scope = scope;
    }
    bool RightsHas(std::int32_t id, int kind) override
    {
        return !state()
                    ->db
                    .query("SELECT 1 FROM access_rights WHERE scope=?1 AND object_id=?2 AND kind=?3",
                           {std::int64_t{m_scope}, std::int64_t{id}, std::int64_t{kind}})
                    .empty();
    }
    Ref<IRightsRecord> RightsCreate(std::int32_t id, int kind, int) override
    {
        return makeRef<LocalRightsRecord>(state(), m_scope, id, kind);
    }
    void RightsRemove(std::int32_t id, int kind) override
    {
        Database &db = state()->db;
        db.transaction([&] {
            db.run("DELETE FROM access_rights WHERE scope=?1 AND object_id=?2 AND kind=?3",
                   {std::int64_t{m_scope}, std::int64_t{id}, std::int64_t{kind}});
            bumpNavigationVersion(db);
        });
    }

private:
    const StatePtr &state() const
    {
        if (!m_state)
            throw ServerError(ServerError::NullPointer, "Das Rechteobjekt ist nicht initialisiert.");
        return m_state;
    }
    StatePtr m_state;
    int m_scope = 0;
};

class LocalTranslation final : public ITranslation {
public:
    void AttachSession(const Ref<ISession> &session) override { m_state = stateOf(session); }
    void TranslationOpen(const Ref<ISession> &session, int, std::int32_t objectId, const std::string &key,
                         int category) override
    {
        m_state = stateOf(session);
        m_open = Entry{key, objectId, category};
        m_pending.reset();
    }
    LanguageTexts TranslationGetTexts() override
    {
        const Entry &entry = openEntry();
        LanguageTexts texts;
        for (const auto &[language, text] : TextsLoad(entry.key, entry.objectId))
            texts.emplace_back(language, text);
        return texts;
    }
    void TranslationSetTexts(const LanguageTexts &texts) override
    {
        openEntry();
        m_pending = texts;
    }
    void TranslationCommit() override
    {
        const Entry &entry = openEntry();
        if (!m_pending)
            return;
        std::map<std::int32_t, std::string> texts(m_pending->begin(), m_pending->end());
        save(entry.key, entry.objectId, texts, entry.category);
        m_pending.reset();
    }
    std::map<std::int32_t, std::string> TextsLoad(const std::string &key, std::int32_t objectId) override
    {
        std::map<std::int32_t, std::string> texts;
        for (const SqlRow &row :
             state()->db.query("SELECT language_id, text FROM texts WHERE text_key=?1 AND object_id=?2",
                               {key, std::int64_t{objectId}}))
            texts[static_cast<std::int32_t>(sqlInt(row[0]))] = sqlText(row[1]);
        return texts;
    }
    void TextsSave(const std::string &key, std::int32_t objectId,
                   const std::map<std::int32_t, std::string> &texts) override
    {
        save(key, objectId, texts, 0);
    }

private:
    struct Entry {
        std::string key;
        std::int32_t objectId;
        int category;
    };
    void save(const std::string &key, std::int32_t objectId, const std::map<std::int32_t, std::string> &texts,
              int category)
    {
        Database &db = state()->db;
        db.transaction([&] {
            db.run("DELETE FROM texts WHERE text_key=?1 AND object_id=?2", {key, std::int64_t{objectId}});
            for (const auto &[language, text] : texts)
                db.run("INSERT INTO texts(text_key, object_id, language_id, category, text) "
                       "VALUES(?1,?2,?3,?4,?5)",
                       {key, std::int64_t{objectId}, std::int64_t{language}, std::int64_t{category}, text});
            if (key == "menutitle")
                bumpNavigationVersion(db);
        });
    }
    const Entry &openEntry() const
    {
        if (!m_open)
            throw ServerError(ServerError::NullPointer, "Es ist kein Texteintrag geöffnet.");
        return *m_open;
    }
    const StatePtr &state() const
    {
        if (!m_state)
            throw ServerError(ServerError::NullPointer,
                              "Das Übersetzungsobjekt ist mit keiner Sitzung verbunden.");
        return m_state;
    }
    StatePtr m_state;
    std::optional<Entry> m_open;
    std::optional<LanguageTexts> m_pending;
};

// ---------------------------------------------------------------------------------------------------
// Publishing: batches and their history

// The login of the session's user as the portal spells it ("" for a portal without users).
std::string currentLogin(PortalState &state)
{
    const auto rows = state.userLogin.empty()
                          ? state.db.query("SELECT login FROM users ORDER BY id LIMIT 1")
                          : state.db.query("SELECT login FROM users WHERE login=?1", {state.userLogin});
    return rows.empty() ? state.userLogin : sqlText(rows[0][0]);
}

class LocalPublishing final : public IPublishing {
public:
    void AttachSession(const Ref<ISession> &session) override { m_state = stateOf(session); }

    void BatchBegin(const std::string &layout) override { begin(layout, WriteBatch::Kind::Activation); }
    void BatchBeginImport(const std::string &layout) override { begin(layout, WriteBatch::Kind::Import); }
    void BatchBeginTrial(const std::string &layout) override { begin(layout, WriteBatch::Kind::Trial); }
    std::vector<PendingChange> BatchPending() override
    {
        PortalState &s = openBatch();
        std::vector<PendingChange> pending;
        for (const auto &[path, contents] : s.batch->changes()) {
            std::error_code ec;
            std::optional<Bytes> before;
            if (fs::is_regular_file(path, ec))
                before = PortalFileSystem::readAll(path);
            if (before || contents)
                pending.push_back({s.publisher().portalPath(path), std::move(before), contents});
        }
        return pending;
    }
    std::int64_t BatchCommit() override
    {
        PortalState &s = openBatch();
        if (s.batch->openParts() > 0) {
            s.batch->endPart(true);
            return 0;
        }
        if (s.batch->trial())
            throw ServerError(
                ServerError::InvalidArgument,
                "Ein Probelauf zeigt nur, was geschrieben würde; er wird nicht veröffentlicht.");
        const std::vector<WriteBatch::Change> changes = s.batch->changes();
        const PublishEntry entry{0, utcTimestamp(), currentLogin(s), s.batch->layout(), 0};
        const bool recorded = s.batch->recorded();
        PortalLockScope held(s.lock); // kept while the batch's own hold ends
        close(s);
        return s.publisher().publish(changes, entry, recorded);
    }
    void BatchDiscard() override
    {
        PortalState &s = state();
        if (!s.batch)
            return;
        if (s.batch->openParts() > 0)
            s.batch->endPart(false);
        else
            close(s);
    }

    std::vector<PublishEntry> HistoryEntries() override { return state().history.entries(); }
    std::vector<PublishedFile> HistoryFiles(std::int64_t id) override { return state().history.files(id); }
    std::vector<PendingChange> HistoryRollbackPending(std::int64_t id) override
    {
        PortalState &s = state();
        std::vector<PendingChange> pending;
        for (auto &[path, contents] : rollbackPlan(s, id)) {
            std::optional<Bytes> now;
            if (s.fileExists(path))
                now = s.readFile(path);
            pending.push_back({s.publisher().portalPath(path), std::move(now), std::move(contents)});
        }
        return pending;
    }
    std::int64_t HistoryRollback(std::int64_t id) override
    {
        PortalState &s = state();
        if (s.batch)
            throw ServerError(ServerError::InvalidArgument,
                              "Ein Zurücksetzen kann nicht Teil eines anderen Schreibvorgangs sein.");
        PortalState::WriteLockScope held(s);
        // Checked under the lock: what is published now decides whether the rollback would delete a file.
        const std::vector<WriteBatch::Change> changes = rollbackPlan(s, id);
        const PublishEntry entry{0, utcTimestamp(), currentLogin(s), s.history.entry(id).layout, id};
        return s.publisher().publish(changes, entry);
    }
    std::vector<std::string> RecoveryNotes() override { return state().recoveryNotes; }

private:
    // What brings the portal back to the state right after entry `id`: every file a later entry changed,
    // as it was then. A file that did not exist then but is published now would have to be deleted; such a
    // rollback is refused, as it could leave the portal without the files it serves.
    static std::vector<WriteBatch::Change> rollbackPlan(PortalState &s, std::int64_t id)
    {
        std::vector<WriteBatch::Change> changes;
        for (PublishedFile &file : s.history.stateAfter(id)) {
            fs::path path = localPathOf(s, id, file.path);
            if (!file.contents && s.fileExists(path))
                throw ServerError(ServerError::InvalidArgument,
                                  rollbackRefusal(std::to_string(id),
                                                  file.path +
                                                      " gab es damals noch nicht, und das Zurücksetzen "
                                                      "würde die Datei aus dem laufenden Portal löschen. "
                                                      "Wählen Sie eine spätere Aktivierung."));
            // Files that are as they were then need no step.
            std::optional<Bytes> now;
            if (s.fileExists(path))
                now = s.readFile(path);
            if (now != file.contents)
                changes.emplace_back(std::move(path), std::move(file.contents));
        }
        return changes;
    }
    // Takes the write lock (recovering what an interrupted batch left) and opens a batch of `kind`; a trial
    // takes nothing, as it is never published.
    void begin(const std::string &layout, WriteBatch::Kind kind)
    {
        PortalState &s = state();
        if (s.batch) {
            s.batch->beginPart();
            return;
        }
        if (kind == WriteBatch::Kind::Trial) {
            s.batch.emplace(layout, kind); // nothing is published: no lock, no journal to look at
            return;
        }
        s.acquireWriteLock();
        try {
            s.publisher().checkNoJournal();
        } catch (const ServerError &) {
            s.lock.release();
            throw;
        }
        s.batch.emplace(layout, kind);
    }
    // A history entry's path must name a file in an existing folder inside the portal.
    static fs::path localPathOf(PortalState &s, std::int64_t id, const std::string &path)
    {
        const std::size_t slash = path.rfind('/');
        try {
            if (path.empty() || path.front() == '/' || slash == std::string::npos)
                throw ServerError(ServerError::AccessDenied,
                                  "Er führt zu keiner Datei in einem Ordner des Portals.");
            const fs::path folder = s.files.resolveFolder(path.substr(0, slash));
            return s.files.resolveFile(folder, path.substr(slash + 1));
        } catch (const ServerError &error) {
            throw ServerError(ServerError::AccessDenied,
                              "Der Eintrag " + std::to_string(id) +
                                  " des Veröffentlichungsverlaufs nennt den Pfad \"" + path +
                                  "\", der abgelehnt wird: " + error.what());
        }
    }
    static void close(PortalState &s)
    {
        const bool locked = !s.batch->trial();
        s.batch.reset();
        if (locked)
            s.lock.release();
    }
    PortalState &openBatch()
    {
        PortalState &s = state();
        if (!s.batch)
            throw ServerError(ServerError::InvalidArgument, "Es wurde kein Schreibvorgang begonnen.");
        return s;
    }
    PortalState &state() const
    {
        if (!m_state)
            throw ServerError(ServerError::NullPointer,
                              "Das Veröffentlichungsobjekt ist mit keiner Sitzung verbunden.");
        return *m_state;
    }
    StatePtr m_state;
};

class LocalFactory final : public IObjectFactory {
public:
    explicit LocalFactory(StatePtr state) : m_state(std::move(state)) {}
    Ref<IServerObject> CreateObject(ServerClass cls) override
    {
        switch (cls) {
        case ServerClass::FileService:
            return makeRef<LocalFileService>();
        case ServerClass::Navigation:
            return makeRef<LocalNavigation>();
        case ServerClass::Translation:
            return makeRef<LocalTranslation>();
        case ServerClass::Rights:
            return makeRef<LocalRights>();
        case ServerClass::Query:
            return makeRef<LocalQuery>(m_state);
        case ServerClass::Publishing:
            return makeRef<LocalPublishing>();
        }
        throw ServerError(ServerError::InvalidArgument, "Unbekannte Klasse eines Serverobjekts.");
    }

private:
    StatePtr m_state;
};

} // namespace

Environment LocalPortal::open(const fs::path &folder, const std::string &userLogin,
                              std::shared_ptr<FileOps> fileOps)
{
    if (!holdsPortal(folder))
        throw ServerError(ServerError::NotFound, "Der Ordner " + folder.string() +
                                                     " enthält kein Portal (weder " + kDatabaseFile +
                                                     " noch " + kPortalConfigFile + ").");
    auto state = std::make_shared<PortalState>(folder, userLogin, std::move(fileOps));
    // Another program that holds the lock is in the middle of its own writes: nothing to recover then (the
    // next write of this one recovers when it gets the lock). A user who may not write the portal cannot
    // recover anything; opening still works for reading.
    bool locked = false;
    try {
        locked = state->lock.tryAcquire();
    } catch (const ServerError &) {
    }
    if (locked) {
        try {
            state->recover();
        } catch (const ServerError &error) {
            state->recoveryNotes.push_back(std::string(kRecoveryFailed) + error.what());
        }
        state->lock.release();
    }
    return {makeRef<LocalFactory>(state), makeRef<LocalSession>(state)};
}

bool LocalPortal::holdsPortal(const fs::path &folder)
{
    std::error_code ec;
    return fs::is_regular_file(folder / kDatabaseFile, ec) ||
           fs::is_regular_file(folder / kPortalConfigFile, ec);
}

} // namespace kw::server
