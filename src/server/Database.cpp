#include "server/Database.h"

#include "server/MessageFilter.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace kw::server {

std::string sqlText(const SqlValue &value)
{
    if (const auto *text = std::get_if<std::string>(&value))
        return *text;
    if (const auto *number = std::get_if<std::int64_t>(&value))
        return std::to_string(*number);
    if (const auto *real = std::get_if<double>(&value))
        return std::to_string(*real);
    return {};
}

std::int64_t sqlInt(const SqlValue &value)
{
    if (const auto *number = std::get_if<std::int64_t>(&value))
        return *number;
    if (const auto *real = std::get_if<double>(&value))
        return static_cast<std::int64_t>(*real);
    if (const auto *text = std::get_if<std::string>(&value))
        return std::strtoll(text->c_str(), nullptr, 10);
    return 0;
}

std::int64_t Database::insert(const std::string &sql, const std::vector<SqlValue> &params)
{
    const auto rows = query(sql + " RETURNING id", params);
    if (rows.empty() || rows[0].empty())
        throw ServerError(ServerError::DatabaseError, "Die Datenbank des Portals " + location() +
                                                          " hat für die neue Zeile keine ID geliefert.");
    return sqlInt(rows[0][0]);
}

void Database::beforeCommit(const std::string &key, std::function<void()> step)
{
    if (!inTransaction()) {
        step();
        return;
    }
    for (const auto &[known, _] : m_beforeCommit)
        if (known == key)
            return;
    m_beforeCommit.emplace_back(key, std::move(step));
}

void Database::runBeforeCommit()
{
    // A step may itself ask for others; each runs once.
    for (std::size_t i = 0; i < m_beforeCommit.size(); ++i) {
        const std::function<void()> step = m_beforeCommit[i].second;
        step();
    }
    m_beforeCommit.clear();
}

namespace {

long long nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

BusyWait::BusyWait() : m_startMs(nowMs()) {}

bool BusyWait::waitBeforeRetry()
{
    const MessageFilterSettings &filter = threadMessageFilter();
    if (filter.retryReplyMs <= 0)
        return false; // rejected calls are cancelled
    const long long waited = nowMs() - m_startMs;
    if (waited >= filter.messagePendingDelayMs)
        return false;
    std::this_thread::sleep_for(
        std::chrono::milliseconds(waited < filter.retryReplyMs ? 5 : filter.retryReplyMs));
    return true;
}

} // namespace kw::server
