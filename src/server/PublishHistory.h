// The publishing history in the portal database: per activation the time, the user, the layout and the
// files it replaced (their old contents). The newest entries are kept, by default 50.
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

    /// Creates the history's tables when the portal has none yet.
    explicit PublishHistory(Database &db);

    /// Records an entry that is not yet complete (its batch is still being published); returns its id.
    /// `entry.id` is ignored.
    std::int64_t addPending(const PublishEntry &entry, const std::vector<PublishedFile> &replaced);
    /// The batch of a pending entry was published: the entry counts, and entries beyond the limit go.
    void complete(std::int64_t id);
    /// Forgets a pending entry (its batch was not published).
    void discard(std::int64_t id);
    /// Forgets every pending entry.
    void discardPending();

    /// Completed entries, newest first.
    std::vector<PublishEntry> entries();
    /// The completed entry `id`; throws NotFound.
    PublishEntry entry(std::int64_t id);
    /// The files a completed entry replaced; throws NotFound for an unknown id.
    std::vector<PublishedFile> files(std::int64_t id);
    /// The layout that was active before the entry (what a rollback of it brings back).
    std::string replacedLayout(std::int64_t id);
    /// The layout of the newest completed entry ("" when there is none).
    std::string latestLayout();
    /// How many entries are kept (setting "history_limit", default 50).
    int limit();

private:
    Database &m_db;
};

} // namespace kw::server
