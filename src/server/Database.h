// The portal database as the store uses it: statements with bound parameters, transactions and the
// busy retry that follows the thread's message-filter settings. Two backends implement it: SqliteDatabase
// (a file inside the portal folder) and PostgresDatabase (a shared server reached through libpq).
//
// Statements are written once, in SQLite's spelling with parameters as ?1, ?2 ...; each backend turns
// them into its own dialect (SqlDialect.h keeps the differences in one place).
#pragma once

#include "base/ServerError.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace kw::server {

using SqlValue = std::variant<std::monostate, std::int64_t, double, std::string>;
using SqlRow = std::vector<SqlValue>;

/// Added to the message of a statement that failed because another program holds the database.
inline constexpr const char *kDatabaseInUse =
    " Die Datenbank wird gerade von einem anderen Programm benutzt; versuchen Sie es später noch einmal.";

/// Text form of a value (empty for NULL).
std::string sqlText(const SqlValue &value);
std::int64_t sqlInt(const SqlValue &value);

enum class DatabaseBackend { Sqlite, Postgres };

class Database {
public:
    virtual ~Database() = default;
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    virtual DatabaseBackend backend() const = 0;
    /// Where the database is: the file, or the connection address (which never holds a password).
    virtual std::string location() const = 0;

    /// Runs one or more statements without parameters; returns the rows changed by the last one.
    virtual long execute(const std::string &sql) = 0;
    /// Runs one statement with parameters and returns every row.
    virtual std::vector<SqlRow> query(const std::string &sql, const std::vector<SqlValue> &params = {}) = 0;
    /// Runs one statement with parameters, ignoring rows; returns the rows changed.
    virtual long run(const std::string &sql, const std::vector<SqlValue> &params = {}) = 0;
    /// Runs an INSERT into a table with an `id` column and returns the id of the new row.
    std::int64_t insert(const std::string &sql, const std::vector<SqlValue> &params = {});

    /// Runs schema statements (CREATE TABLE ...) written in SQLite's spelling.
    virtual void executeSchema(const std::string &sql) = 0;
    /// Lets generated ids continue after the largest id of each table (after rows were written with
    /// their ids given, as the demo data and a migration do).
    virtual void resetGeneratedIds() {}
    /// The tables the database holds (in its default schema), by name.
    virtual std::vector<std::string> tables() = 0;

    /// Runs `work` in one transaction that takes the database's write lock at once (as SQLite's BEGIN
    /// IMMEDIATE), committed at the end and rolled back on an exception. Inside a transaction already
    /// open, `work` becomes part of it: the outermost one commits or rolls back all. A backend that can
    /// lose a transaction to another writer (a deadlock on PostgreSQL) runs the outermost `work` again,
    /// within the thread's message-filter limits.
    template <class F> void transaction(F &&work)
    {
        if (m_transactionDepth > 0) {
            ++m_transactionDepth;
            try {
                work();
            } catch (...) {
                --m_transactionDepth;
                throw;
            }
            --m_transactionDepth;
            return;
        }
        for (int attempt = 0;; ++attempt) {
            begin();
            m_transactionDepth = 1;
            try {
                work();
                runBeforeCommit();
                m_transactionDepth = 0;
                commit();
                return;
            } catch (const ServerError &error) {
                m_transactionDepth = 0;
                m_beforeCommit.clear();
                rollbackQuietly();
                if (!mayRunAgain(error, attempt))
                    throw;
            } catch (...) {
                m_transactionDepth = 0;
                m_beforeCommit.clear();
                rollbackQuietly();
                throw;
            }
        }
    }
    bool inTransaction() const { return m_transactionDepth > 0; }
    /// Runs `step` at the end of the open transaction, before it commits, once per `key` however often it
    /// is asked for (outside a transaction at once).
    void beforeCommit(const std::string &key, std::function<void()> step);

protected:
    Database() = default;
    virtual void begin() = 0;
    virtual void commit() = 0;
    virtual void rollbackQuietly() = 0;
    /// Whether a transaction that failed with `error` is run again (after waiting as the message filter
    /// says); `attempt` counts from 0.
    virtual bool mayRunAgain(const ServerError &, int) { return false; }

private:
    void runBeforeCommit();

    int m_transactionDepth = 0;
    std::vector<std::pair<std::string, std::function<void()>>> m_beforeCommit;
};

/// The waiting rule of the message filter for a call the database refused as busy: retried at once (a
/// short pause) during the first `retryReplyMs`, then once per `retryReplyMs`, until
/// `messagePendingDelayMs` have passed; never with `retryReplyMs` 0.
class BusyWait {
public:
    BusyWait();
    /// Waits before the next try; false when no further try is allowed.
    bool waitBeforeRetry();

private:
    long long m_startMs;
};

} // namespace kw::server
