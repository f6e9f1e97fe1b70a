#include "server/PublishHistory.h"

namespace kw::server {

namespace {

constexpr const char *kSchema = R"SQL(
CREATE TABLE IF NOT EXISTS publish_history(
    id INTEGER PRIMARY KEY AUTOINCREMENT, -- never given twice
    time TEXT NOT NULL,
    user TEXT NOT NULL,
    layout TEXT NOT NULL,
    replaced_layout TEXT NOT NULL DEFAULT '',
    rollback_of INTEGER NOT NULL DEFAULT 0,
    pending INTEGER NOT NULL DEFAULT 0);
CREATE TABLE IF NOT EXISTS publish_history_files(
    entry_id INTEGER NOT NULL REFERENCES publish_history(id) ON DELETE CASCADE,
    path TEXT NOT NULL,
    contents BLOB, -- NULL: the file did not exist
    PRIMARY KEY(entry_id, path));
)SQL";

constexpr const char *kEntryColumns = "SELECT id, time, user, layout, rollback_of FROM publish_history ";

PublishEntry entryOf(const SqlRow &row)
{
    return {sqlInt(row[0]), sqlText(row[1]), sqlText(row[2]), sqlText(row[3]), sqlInt(row[4])};
}

} // namespace

PublishHistory::PublishHistory(Database &db) : m_db(db)
{
    m_db.execute(kSchema);
}

std::int64_t PublishHistory::addPending(const PublishEntry &entry, const std::vector<PublishedFile> &replaced)
{
    std::int64_t id = 0;
    const std::string previous = latestLayout();
    m_db.transaction([&] {
        m_db.run("INSERT INTO publish_history(time, user, layout, replaced_layout, rollback_of, pending) "
                 "VALUES(?1, ?2, ?3, ?4, ?5, 1)",
                 {entry.time, entry.user, entry.layout, previous, entry.rollbackOf});
        id = m_db.lastInsertId();
        for (const PublishedFile &file : replaced) {
            SqlValue contents;
            if (file.contents)
                contents = std::string(file.contents->begin(), file.contents->end());
            m_db.run("INSERT INTO publish_history_files(entry_id, path, contents) VALUES(?1, ?2, CAST(?3 AS "
                     "BLOB))",
                     {id, file.path, contents});
        }
    });
    return id;
}

void PublishHistory::complete(std::int64_t id)
{
    const std::int64_t keep = limit();
    m_db.transaction([&] {
        m_db.run("UPDATE publish_history SET pending=0 WHERE id=?1", {id});
        m_db.run("DELETE FROM publish_history WHERE pending=0 AND id NOT IN "
                 "(SELECT id FROM publish_history WHERE pending=0 ORDER BY id DESC LIMIT ?1)",
                 {keep});
    });
}

void PublishHistory::discard(std::int64_t id)
{
    m_db.run("DELETE FROM publish_history WHERE id=?1 AND pending=1", {id});
}

void PublishHistory::discardPending()
{
    m_db.run("DELETE FROM publish_history WHERE pending=1");
}

std::vector<PublishEntry> PublishHistory::entries()
{
    std::vector<PublishEntry> list;
    for (const SqlRow &row : m_db.query(std::string(kEntryColumns) + "WHERE pending=0 ORDER BY id DESC"))
        list.push_back(entryOf(row));
    return list;
}

PublishEntry PublishHistory::entry(std::int64_t id)
{
    const auto rows = m_db.query(std::string(kEntryColumns) + "WHERE pending=0 AND id=?1", {id});
    if (rows.empty())
        throw ServerError(ServerError::NotFound,
                          "The publishing history has no entry " + std::to_string(id) + ".");
    return entryOf(rows[0]);
}

std::vector<PublishedFile> PublishHistory::files(std::int64_t id)
{
    entry(id);
    std::vector<PublishedFile> list;
    for (const SqlRow &row : m_db.query(
             "SELECT path, contents FROM publish_history_files WHERE entry_id=?1 ORDER BY rowid", {id})) {
        PublishedFile file{sqlText(row[0]), std::nullopt};
        if (const auto *bytes = std::get_if<std::string>(&row[1]))
            file.contents = Bytes(bytes->begin(), bytes->end());
        list.push_back(std::move(file));
    }
    return list;
}

std::string PublishHistory::replacedLayout(std::int64_t id)
{
    const auto rows = m_db.query("SELECT replaced_layout FROM publish_history WHERE id=?1", {id});
    return rows.empty() ? std::string() : sqlText(rows[0][0]);
}

std::string PublishHistory::latestLayout()
{
    const auto rows =
        m_db.query("SELECT layout FROM publish_history WHERE pending=0 ORDER BY id DESC LIMIT 1");
    return rows.empty() ? std::string() : sqlText(rows[0][0]);
}

int PublishHistory::limit()
{
    const auto rows = m_db.query("SELECT value FROM settings WHERE key='history_limit'");
    const std::int64_t value = rows.empty() ? kDefaultLimit : sqlInt(rows[0][0]);
    return value > 0 ? static_cast<int>(value) : kDefaultLimit;
}

} // namespace kw::server
