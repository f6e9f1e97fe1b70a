// The embedded backend: one SQLite connection to the database file inside the portal folder.
#pragma once

#include "server/Database.h"

#include <chrono>
#include <filesystem>

struct sqlite3;
struct sqlite3_stmt;

namespace kw::server {

class SqliteDatabase final : public Database {
public:
    /// Opens (and with `create` creates) the database file. Throws ServerError naming the file.
    SqliteDatabase(const std::filesystem::path &file, bool create);
    ~SqliteDatabase() override;

    DatabaseBackend backend() const override { return DatabaseBackend::Sqlite; }
    std::string location() const override { return m_file.string(); }
    long execute(const std::string &sql) override;
    std::vector<SqlRow> query(const std::string &sql, const std::vector<SqlValue> &params = {}) override;
    long run(const std::string &sql, const std::vector<SqlValue> &params = {}) override;
    void executeSchema(const std::string &sql) override { execute(sql); }
    std::vector<std::string> tables() override;

    const std::filesystem::path &file() const { return m_file; }

protected:
    void begin() override { execute("BEGIN IMMEDIATE"); }
    void commit() override { execute("COMMIT"); }
    void rollbackQuietly() override;

private:
    [[noreturn]] void fail(const std::string &what, int rc) const;
    sqlite3_stmt *prepare(const std::string &sql);

    std::filesystem::path m_file;
    sqlite3 *m_db = nullptr;
    std::chrono::steady_clock::time_point m_busyStart;
};

} // namespace kw::server
