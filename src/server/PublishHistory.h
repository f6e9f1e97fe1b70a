// The publishing history in the portal database: per activation the time, the user, the layout and the
// files it replaced (their old contents). The newest entries are kept, by default 50. An entry is written
// once its batch is published, in one transaction.
#pragma once

#include "server/Database.h"
#include "server/ServerEnvironment.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kw::server {

class PublishHistory {
public:
    static constexpr int kDefaultLimit = 50;

    /// The history in `db` (its tables are part of the portal's schema).
    explicit PublishHistory(Database &db);

    /// Records a published batch with the files it replaced, and drops the entries beyond the limit; the
    /// new entry's id. A batch already recorded (by its token) is not recorded again: its id is returned.
    /// `entry.id` is ignored.
    std::int64_t record(const std::string &batch, const PublishEntry &entry,
                        const std::vector<PublishedFile> &replaced);

    /// The entries, newest first.
    std::vector<PublishEntry> entries();
    /// The entry `id`; throws NotFound.
    PublishEntry entry(std::int64_t id);
    /// The files an entry replaced; throws NotFound for an unknown id.
    std::vector<PublishedFile> files(std::int64_t id);
    /// The state right after entry `id`: every file a later entry changed, as it was then (what the first
    /// of those entries replaced), in the order they were first changed. Throws NotFound for an unknown id.
    std::vector<PublishedFile> stateAfter(std::int64_t id);
    /// How many entries are kept (setting "history_limit", default 50).
    int limit();

private:
    Database &m_db;
};

} // namespace kw::server
