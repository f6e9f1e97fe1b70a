#include "server/SqliteDatabase.h"

#include "server/MessageFilter.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

namespace kw::server {

namespace {

// SQLite's busy handler: follows the calling thread's message-filter settings. SQLite counts the calls for
// one lock in `attempt`; the start of the wait is kept in the connection.
int busyHandler(void *context, int attempt)
{
    auto &start = *static_cast<std::chrono::steady_clock::time_point *>(context);
    const MessageFilterSettings &filter = threadMessageFilter();
    if (filter.retryReplyMs <= 0)
        return 0; // rejected calls are cancelled
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0)
        start = now;
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(now - start).count();
    if (waited >= filter.messagePendingDelayMs)
        return 0;
    // At once (a short pause) during the first retry interval, then once per interval.
    const auto pause = waited < filter.retryReplyMs ? std::chrono::milliseconds(5)
                                                    : std::chrono::milliseconds(filter.retryReplyMs);
    std::this_thread::sleep_for(pause);
    return 1;
}

// Why SQLite refused, in German, with SQLite's own words in brackets (they name the table, column or
// constraint concerned).
std::string reason(int rc, const char *message)
{
    struct PrimaryText {
        int code;
        const char *text;
    };
    static constexpr PrimaryText kTexts[] = {
        {SQLITE_ERROR, "Fehler in der Anweisung oder im Schema"},
        {SQLITE_PERM, "Zugriff verweigert"},
        {SQLITE_BUSY, "Die Datenbank ist gesperrt"},
        {SQLITE_LOCKED, "Eine Tabelle ist gesperrt"},
        {SQLITE_NOMEM, "Nicht genug Speicher"},
        {SQLITE_READONLY, "Die Datenbank darf nicht geschrieben werden"},
        {SQLITE_IOERR, "Ein-/Ausgabefehler des Datenträgers"},
        {SQLITE_CORRUPT, "Die Datenbankdatei ist beschädigt"},
        {SQLITE_FULL, "Der Datenträger ist voll"},
        {SQLITE_CANTOPEN, "Die Datenbankdatei lässt sich nicht öffnen"},
        {SQLITE_CONSTRAINT, "Eine Bedingung der Datenbank ist verletzt"},
        {SQLITE_MISMATCH, "Ein Wert passt nicht zum Typ seiner Spalte"},
        {SQLITE_NOTADB, "Die Datei ist keine Datenbank"},
    };
    std::string text = "Fehler " + std::to_string(rc);
    for (const PrimaryText &entry : kTexts)
        if (entry.code == (rc & 0xFF))
            text = entry.text;
    return text + " (SQLite: " + (message ? message : sqlite3_errstr(rc)) + ")";
}

struct StatementDeleter {
    void operator()(sqlite3_stmt *stmt) const { sqlite3_finalize(stmt); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

} // namespace

SqliteDatabase::SqliteDatabase(const std::filesystem::path &file, bool create) : m_file(file)
{
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0) | SQLITE_OPEN_NOMUTEX;
    const int rc = sqlite3_open_v2(file.c_str(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = reason(rc, m_db ? sqlite3_errmsg(m_db) : nullptr);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw ServerError(ServerError::DatabaseError, "Die Datenbank des Portals " + file.string() +
                                                          " konnte nicht geöffnet werden: " + message);
    }
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_handler(m_db, &busyHandler, &m_busyStart);
    try {
        // Reading the schema here turns a file that is no database into an error now, not later.
        execute("PRAGMA foreign_keys=ON; PRAGMA synchronous=FULL; PRAGMA journal_mode=DELETE;");
        query("SELECT count(*) FROM sqlite_master");
    } catch (...) {
        sqlite3_close(m_db);
        m_db = nullptr;
        throw;
    }
}

SqliteDatabase::~SqliteDatabase()
{
    sqlite3_close(m_db);
}

void SqliteDatabase::fail(const std::string &what, int rc) const
{
    const int primary = rc & 0xFF;
    const bool busy = primary == SQLITE_BUSY || primary == SQLITE_LOCKED;
    std::string message = "Die Datenbank des Portals " + m_file.string() + " " + what + ": " +
                          reason(rc, sqlite3_errmsg(m_db)) + ".";
    if (busy)
        message += kDatabaseInUse;
    throw ServerError(busy ? ServerError::DatabaseBusy : ServerError::DatabaseError, message);
}

long SqliteDatabase::execute(const std::string &sql)
{
    char *error = nullptr;
    const int rc = sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error);
    sqlite3_free(error);
    if (rc != SQLITE_OK)
        fail("hat die Anweisung \"" + sql + "\" abgelehnt", rc);
    return sqlite3_changes(m_db);
}

sqlite3_stmt *SqliteDatabase::prepare(const std::string &sql)
{
    sqlite3_stmt *stmt = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql.c_str(), static_cast<int>(sql.size()), &stmt, nullptr);
    if (rc != SQLITE_OK)
        fail("hat die Anweisung \"" + sql + "\" abgelehnt", rc);
    return stmt;
}

std::vector<SqlRow> SqliteDatabase::query(const std::string &sql, const std::vector<SqlValue> &params)
{
    Statement stmt(prepare(sql));
    for (std::size_t i = 0; i < params.size(); ++i) {
        const int index = static_cast<int>(i + 1);
        const SqlValue &value = params[i];
        if (const auto *number = std::get_if<std::int64_t>(&value))
            sqlite3_bind_int64(stmt.get(), index, *number);
        else if (const auto *real = std::get_if<double>(&value))
            sqlite3_bind_double(stmt.get(), index, *real);
        else if (const auto *text = std::get_if<std::string>(&value))
            sqlite3_bind_text(stmt.get(), index, text->c_str(), static_cast<int>(text->size()),
                              SQLITE_TRANSIENT);
        else
            sqlite3_bind_null(stmt.get(), index);
    }
    std::vector<SqlRow> rows;
    for (;;) {
        const int rc = sqlite3_step(stmt.get());
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            fail("konnte die Anweisung \"" + sql + "\" nicht ausführen", rc);
        const int columns = sqlite3_column_count(stmt.get());
        SqlRow row;
        row.reserve(static_cast<std::size_t>(columns));
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(stmt.get(), c)) {
            case SQLITE_INTEGER:
                row.emplace_back(static_cast<std::int64_t>(sqlite3_column_int64(stmt.get(), c)));
                break;
            case SQLITE_FLOAT:
                row.emplace_back(sqlite3_column_double(stmt.get(), c));
                break;
            case SQLITE_NULL:
                row.emplace_back(std::monostate{});
                break;
            default: {
                const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(stmt.get(), c));
                row.emplace_back(std::string(text ? text : "",
                                             static_cast<std::size_t>(sqlite3_column_bytes(stmt.get(), c))));
            }
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

long SqliteDatabase::run(const std::string &sql, const std::vector<SqlValue> &params)
{
    query(sql, params);
    return sqlite3_changes(m_db);
}

std::vector<std::string> SqliteDatabase::tables()
{
    std::vector<std::string> names;
    for (const SqlRow &row : query(
             "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY name"))
        names.push_back(sqlText(row[0]));
    return names;
}

void SqliteDatabase::rollbackQuietly()
{
    sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

} // namespace kw::server
