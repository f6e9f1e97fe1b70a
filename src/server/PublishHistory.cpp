#include "server/PublishHistory.h"

#include <set>

namespace kw::server {

namespace {

constexpr const char *kEntryColumns = "SELECT id, time, \"user\", layout, rollback_of FROM publish_history ";

PublishEntry entryOf(const SqlRow &row)
{
    return {sqlInt(row[0]), sqlText(row[1]), sqlText(row[2]), sqlText(row[3]), sqlInt(row[4])};
}

} // namespace

PublishHistory::PublishHistory(Database &db) : m_db(db) {}

std::int64_t PublishHistory::record(const std::string &batch, const PublishEntry &entry,
                                    const std::vector<PublishedFile> &replaced)
{
    std::int64_t id = 0;
    const std::int64_t keep = limit();
    m_db.transaction([&] {
        if (const auto known = m_db.query("SELECT id FROM publish_history WHERE batch=?1", {batch});
            !known.empty()) {
            id = sqlInt(known[0][0]);
            return;
        }
        id = m_db.insert(
            "INSERT INTO publish_history(time, \"user\", layout, replaced_layout, rollback_of, batch) "
            "VALUES(?1, ?2, ?3, coalesce((SELECT layout FROM publish_history ORDER BY id DESC LIMIT 1), ''), "
            "?4, ?5)",
            {entry.time, entry.user, entry.layout, entry.rollbackOf, batch});
        for (const PublishedFile &file : replaced) {
            SqlValue contents;
            if (file.contents)
                contents = std::string(file.contents->begin(), file.contents->end());
            m_db.run("INSERT INTO publish_history_files(entry_id, path, contents) VALUES(?1, ?2, CAST(?3 AS "
                     "BLOB))",
                     {id, file.path, contents});
        }
        m_db.run("DELETE FROM publish_history WHERE id NOT IN "
                 "(SELECT id FROM publish_history ORDER BY id DESC LIMIT ?1)",
                 {keep});
    });
    return id;
}

std::vector<PublishEntry> PublishHistory::entries()
{
    std::vector<PublishEntry> list;
    for (const SqlRow &row : m_db.query(std::string(kEntryColumns) + "ORDER BY id DESC"))
        list.push_back(entryOf(row));
    return list;
}

PublishEntry PublishHistory::entry(std::int64_t id)
{
    const auto rows = m_db.query(std::string(kEntryColumns) + "WHERE id=?1", {id});
    if (rows.empty())
        throw ServerError(ServerError::NotFound,
                          "Der Veröffentlichungsverlauf hat keinen Eintrag " + std::to_string(id) + ".");
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

std::vector<PublishedFile> PublishHistory::stateAfter(std::int64_t id)
{
    entry(id);
    std::vector<PublishedFile> list;
    std::set<std::string> seen;
    for (const SqlRow &row : m_db.query("SELECT path, contents FROM publish_history_files WHERE entry_id>?1 "
                                        "ORDER BY entry_id, rowid",
                                        {id})) {
        PublishedFile file{sqlText(row[0]), std::nullopt};
        if (!seen.insert(file.path).second)
            continue; // a later entry's record is of a later state
        if (const auto *bytes = std::get_if<std::string>(&row[1]))
            file.contents = Bytes(bytes->begin(), bytes->end());
        list.push_back(std::move(file));
    }
    return list;
}

int PublishHistory::limit()
{
    const auto rows = m_db.query("SELECT value FROM settings WHERE key='history_limit'");
    const std::int64_t value = rows.empty() ? kDefaultLimit : sqlInt(rows[0][0]);
    return value > 0 ? static_cast<int>(value) : kDefaultLimit;
}

} // namespace kw::server
