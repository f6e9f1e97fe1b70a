// The shared backend: one libpq connection to a PostgreSQL database.
//
// A transaction takes the portal's write lock at once (a transaction-level advisory lock), as SQLite's
// BEGIN IMMEDIATE does, so writers follow each other and read what the one before wrote. A statement that
// writes outside a transaction runs as a transaction of its own. Waiting for the lock follows the
// thread's message filter; a transaction lost to a deadlock or a serialization failure is run again
// within the same limits. A lost connection fails the statement; the next statement outside a
// transaction connects again.
#pragma once

#include "server/Database.h"

#include <memory>
#include <optional>
#include <string>

struct pg_conn;
struct pg_result;

namespace kw::server {

class PostgresDatabase final : public Database {
public:
    /// Connects to `address`, a libpq connection URI ("postgresql:///portal?host=/run/postgresql") or
    /// key=value string ("service=portal"). Throws ServerError with libpq's message when the server cannot
    /// be reached, and before connecting when the address carries a password.
    explicit PostgresDatabase(const std::string &address);
    ~PostgresDatabase() override;

    /// Key of the advisory lock every writing transaction takes (the portal's write lock).
    static constexpr const char *kWriteLockKey = "4921848227154690671";

    /// Throws ServerError when `address` cannot be parsed or carries a password: passwords belong in
    /// libpq's password file. The message never repeats the address.
    static void checkAddress(const std::string &address);

    DatabaseBackend backend() const override { return DatabaseBackend::Postgres; }
    std::string location() const override { return m_address; }
    long execute(const std::string &sql) override;
    std::vector<SqlRow> query(const std::string &sql, const std::vector<SqlValue> &params = {}) override;
    long run(const std::string &sql, const std::vector<SqlValue> &params = {}) override;
    void executeSchema(const std::string &sql) override;
    void resetGeneratedIds() override;
    std::vector<std::string> tables() override;

    /// Runs one statement by itself, outside any transaction (CREATE DATABASE cannot run in one).
    void executeAlone(const std::string &sql);
    /// The server process serving this connection (pg_backend_pid()).
    int serverProcessId() const;

protected:
    void begin() override;
    void commit() override;
    void rollbackQuietly() override;
    bool mayRunAgain(const ServerError &error, int attempt) override;

private:
    struct ConnectionCloser {
        void operator()(pg_conn *connection) const;
    };
    struct ResultClearer {
        void operator()(pg_result *result) const;
    };
    using Result = std::unique_ptr<pg_result, ResultClearer>;

    void connect();
    void ensureConnected();
    Result exec(const std::string &sql, const std::vector<SqlValue> &params, bool withParams);
    [[noreturn]] void fail(const std::string &sql, const pg_result *result) const;
    long changedRows(const pg_result *result) const;
    std::vector<SqlRow> rowsOf(const pg_result *result) const;

    std::string m_address;
    std::unique_ptr<pg_conn, ConnectionCloser> m_connection;
    std::optional<BusyWait> m_retryWait;
};

} // namespace kw::server
