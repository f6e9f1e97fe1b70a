#include "server/PortalSchema.h"

namespace kw::server {

namespace {

// The schema is described in docs/portal-store.md; SqlDialect.cpp gives PostgreSQL's spelling.
constexpr const char *kTables = R"SQL(
CREATE TABLE settings(key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE languages(
    id INTEGER PRIMARY KEY,              -- Windows locale identifier
    name TEXT NOT NULL,
    is_default INTEGER NOT NULL DEFAULT 0,
    position INTEGER NOT NULL DEFAULT 0);
CREATE TABLE users(
    id INTEGER PRIMARY KEY,
    login TEXT NOT NULL UNIQUE COLLATE NOCASE,
    name_part1 TEXT NOT NULL DEFAULT '',
    name_part2 TEXT NOT NULL DEFAULT '',
    name_part3 TEXT NOT NULL DEFAULT '',
    has_access INTEGER NOT NULL DEFAULT 0);
CREATE TABLE user_groups(id INTEGER PRIMARY KEY, name TEXT NOT NULL);
CREATE TABLE group_members(
    group_id INTEGER NOT NULL REFERENCES user_groups(id) ON DELETE CASCADE,
    user_id INTEGER NOT NULL REFERENCES users(id) ON DELETE CASCADE,
    PRIMARY KEY(group_id, user_id));
CREATE TABLE navigation(
    id INTEGER PRIMARY KEY,
    parent_id INTEGER REFERENCES navigation(id) ON DELETE CASCADE, -- NULL for main-menu entries
    type INTEGER NOT NULL DEFAULT 0,     -- 1, 2, 3: built-in entries; 0: normal entries
    position INTEGER NOT NULL DEFAULT 0,
    name TEXT NOT NULL,
    start_page TEXT NOT NULL DEFAULT '');
CREATE TABLE navigation_groups(
    nav_id INTEGER NOT NULL REFERENCES navigation(id) ON DELETE CASCADE,
    group_id INTEGER NOT NULL,
    ord INTEGER NOT NULL,
    PRIMARY KEY(nav_id, ord));
CREATE TABLE access_rights(
    scope INTEGER NOT NULL,
    object_id INTEGER NOT NULL,
    kind INTEGER NOT NULL,
    PRIMARY KEY(scope, object_id, kind));
CREATE TABLE texts(
    text_key TEXT NOT NULL,
    object_id INTEGER NOT NULL,
    language_id INTEGER NOT NULL,
    category INTEGER NOT NULL DEFAULT 0,
    text TEXT NOT NULL,
    PRIMARY KEY(text_key, object_id, language_id));
CREATE TABLE krapp(
    lid INTEGER PRIMARY KEY,             -- application
    lnavformid INTEGER NOT NULL DEFAULT 0, -- main-menu entry that shows it
    name TEXT NOT NULL DEFAULT '');
)SQL";

// The publishing history: per activation the time, the user, the layout and the files it replaced.
// Portals from before schema versions got these tables when they were first opened.
constexpr const char *kHistoryTables = R"SQL(
CREATE TABLE IF NOT EXISTS publish_history(
    id INTEGER PRIMARY KEY AUTOINCREMENT, -- never given twice
    time TEXT NOT NULL,
    "user" TEXT NOT NULL,
    layout TEXT NOT NULL,
    replaced_layout TEXT NOT NULL DEFAULT '',
    rollback_of INTEGER NOT NULL DEFAULT 0,
    batch TEXT UNIQUE);              -- the token of the batch it records
CREATE TABLE IF NOT EXISTS publish_history_files(
    entry_id INTEGER NOT NULL REFERENCES publish_history(id) ON DELETE CASCADE,
    path TEXT NOT NULL,
    contents BLOB, -- NULL: the file did not exist
    PRIMARY KEY(entry_id, path));
)SQL";

void recordVersion(Database &db, int version)
{
    db.run("DELETE FROM settings WHERE key='schema_version'");
    db.run("INSERT INTO settings(key, value) VALUES('schema_version', ?1)", {std::to_string(version)});
}

} // namespace

const std::vector<std::string> &portalTables()
{
    static const std::vector<std::string> tables = {"settings",
                                                    "languages",
                                                    "users",
                                                    "user_groups",
                                                    "group_members",
                                                    "navigation",
                                                    "navigation_groups",
                                                    "access_rights",
                                                    "texts",
                                                    "krapp",
                                                    "publish_history",
                                                    "publish_history_files"};
    return tables;
}

void createPortalSchema(Database &db)
{
    db.transaction([&] {
        db.executeSchema(kTables);
        db.executeSchema(kHistoryTables);
        recordVersion(db, kSchemaVersion);
    });
}

int portalSchemaVersion(Database &db)
{
    const auto rows = db.query("SELECT value FROM settings WHERE key='schema_version'");
    return rows.empty() ? 0 : static_cast<int>(sqlInt(rows[0][0]));
}

void upgradePortalSchema(Database &db)
{
    const int version = portalSchemaVersion(db);
    if (version == kSchemaVersion)
        return;
    if (version > kSchemaVersion)
        throw ServerError(
            ServerError::DatabaseError,
            "Die Datenbank des Portals " + db.location() + " hat die Schemaversion " +
                std::to_string(version) + ", die neuer ist als die, die dieses Programm kennt (" +
                std::to_string(kSchemaVersion) + "). Verwenden Sie eine neuere Version des Programms.");
    db.transaction([&] {
        // Version 0 to 1: the publishing history's tables.
        if (version < 1)
            db.executeSchema(kHistoryTables);
        recordVersion(db, kSchemaVersion);
    });
}

} // namespace kw::server
