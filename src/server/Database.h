// Thin RAII wrapper over one SQLite connection with the portal's error and busy-retry rules.
#pragma once

#include "base/ServerError.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace kw::server {

using SqlValue = std::variant<std::monostate, std::int64_t, double, std::string>;
using SqlRow = std::vector<SqlValue>;

/// Text form of a value (empty for NULL).
std::string sqlText(const SqlValue &value);
std::int64_t sqlInt(const SqlValue &value);

class Database {
public:
    /// Opens (and with `create` creates) the database file. Throws ServerError naming the file.
    Database(const std::filesystem::path &file, bool create);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    /// Runs one or more statements without parameters; returns the rows changed by the last one.
    long execute(const std::string &sql);
    /// Runs one statement with parameters and returns every row.
    std::vector<SqlRow> query(const std::string &sql, const std::vector<SqlValue> &params = {});
    /// Runs one statement with parameters, ignoring rows; returns the rows changed.
    long run(const std::string &sql, const std::vector<SqlValue> &params = {});
    std::int64_t lastInsertId() const;

    /// Runs `work` in one transaction (BEGIN IMMEDIATE ... COMMIT, rolled back on an exception). Inside a
    /// transaction already open, `work` becomes part of it: the outermost one commits or rolls back all.
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
        execute("BEGIN IMMEDIATE");
        m_transactionDepth = 1;
        try {
            work();
        } catch (...) {
            m_transactionDepth = 0;
            rollbackQuietly();
            throw;
        }
        m_transactionDepth = 0;
        execute("COMMIT");
    }
    bool inTransaction() const { return m_transactionDepth > 0; }

    const std::filesystem::path &file() const { return m_file; }

private:
    [[noreturn]] void fail(const std::string &what, int rc) const;
    sqlite3_stmt *prepare(const std::string &sql);
    void rollbackQuietly();

    std::filesystem::path m_file;
    sqlite3 *m_db = nullptr;
    std::chrono::steady_clock::time_point m_busyStart;
    int m_transactionDepth = 0;
};

} // namespace kw::server
