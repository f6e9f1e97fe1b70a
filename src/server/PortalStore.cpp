#include "server/PortalStore.h"

#include "base/ServerError.h"
#include "server/Database.h"
#include "server/LocalPortal.h"

#include <algorithm>

namespace kw::server {

namespace fs = std::filesystem;

namespace {

// The schema is described in docs/portal-store.md.
constexpr const char *kSchema = R"SQL(
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

constexpr const char *kDemoData = R"SQL(
INSERT INTO languages(id, name, is_default, position) VALUES
    (1031, 'Deutsch', 1, 1),
    (1033, 'English', 0, 2);
INSERT INTO users(id, login, name_part1, name_part2, name_part3, has_access) VALUES
    (1, 'admin', 'Dr.', 'Anna', 'Lindqvist', 1),
    (2, 'gast', '', 'Gustav', 'Gast', 0);
INSERT INTO user_groups(id, name) VALUES
    (1, 'Administratoren'), (2, 'Redaktion'), (3, 'Mitarbeiter'), (4, 'Gäste');
INSERT INTO group_members(group_id, user_id) VALUES (1, 1), (3, 1), (4, 2);
INSERT INTO navigation(id, parent_id, type, position, name, start_page) VALUES
    (31, NULL, 1, 1, 'Startseite', '../KwApplications/KwArea/KwPortlets.asp'),
    (32, NULL, 2, 2, 'Administration', '../KwApplications/KwAdmin/KwAdmin.asp'),
    (40, NULL, 0, 3, 'Aktuelles', '../KwApplications/KwArea/KwArea.asp'),
    (41, NULL, 0, 4, 'Projekte', '../KwApplications/KwArea/KwArea.asp'),
    (42, NULL, 0, 5, 'Dokumente', '../KwApplications/KwArea/KwCustomMenu.asp'),
    (43, NULL, 0, 6, 'Team', '../KwApplications/KwArea/KwArea.asp'),
    (33, NULL, 3, 7, 'Suche', '../KwApplications/KwSearch/KwSearch.asp');
INSERT INTO navigation_groups(nav_id, group_id, ord) VALUES
    (31, 3, 0), (31, 4, 1), (40, 3, 0), (40, 4, 1), (41, 3, 0), (42, 3, 0), (42, 2, 1), (43, 3, 0);
INSERT INTO access_rights(scope, object_id, kind) VALUES (1, 42, 1);
INSERT INTO texts(text_key, object_id, language_id, category, text) VALUES
    ('menutitle', 31, 1031, 0, 'Startseite'), ('menutitle', 31, 1033, 0, 'Home'),
    ('menutitle', 32, 1031, 0, 'Administration'), ('menutitle', 32, 1033, 0, 'Administration'),
    ('menutitle', 33, 1031, 0, 'Suche'), ('menutitle', 33, 1033, 0, 'Search'),
    ('menutitle', 40, 1031, 0, 'Aktuelles'), ('menutitle', 40, 1033, 0, 'News'),
    ('menutitle', 41, 1031, 0, 'Projekte'), ('menutitle', 41, 1033, 0, 'Projects'),
    ('menutitle', 42, 1031, 0, 'Dokumente'), ('menutitle', 42, 1033, 0, 'Documents'),
    ('menutitle', 43, 1031, 0, 'Team'), ('menutitle', 43, 1033, 0, 'Team'),
    ('lc_WelcomeMsg', -1, 1031, 4, 'Willkommen im Demo-Portal!'),
    ('lc_WelcomeMsg', -1, 1033, 4, 'Welcome to the demo portal!');
INSERT INTO krapp(lid, lnavformid, name) VALUES
    (31, 41, 'Persönlicher Kalender'),
    (50, 40, 'Nachrichten'),
    (51, 41, 'Aufgaben'),
    (52, 42, 'Ablage');
)SQL";

} // namespace

void createPortalStore(const fs::path &folder, const PortalCreateOptions &options)
{
    if (LocalPortal::holdsPortal(folder) && !options.overwrite)
        throw ServerError(
            ServerError::AccessDenied,
            "The folder " + folder.string() +
                " already holds a portal; it is left as it is (use --force to create it anew).");
    std::error_code ec;
    for (const char *serverFolder : kPortalFolders) {
        std::string local = serverFolder;
        std::replace(local.begin(), local.end(), '\\', '/');
        fs::create_directories(folder / local, ec);
        if (ec)
            throw ServerError(ServerError::AccessDenied, "The folder " + (folder / local).string() +
                                                             " cannot be created: " + ec.message());
    }
    const fs::path dbFile = folder / LocalPortal::kDatabaseFile;
    const fs::path fresh = folder / (std::string(LocalPortal::kDatabaseFile) + ".new");
    fs::remove(fresh, ec);
    {
        Database db(fresh, true);
        db.transaction([&] {
            db.execute(kSchema);
            db.run("INSERT INTO settings(key, value) VALUES('portal_name', ?1)", {options.portalName});
        });
    }
    // The finished database replaces an old one in one step.
    fs::rename(fresh, dbFile, ec);
    if (ec)
        throw ServerError(ServerError::WriteFault,
                          "The portal database " + dbFile.string() + " cannot be written: " + ec.message());
}

void addDemoData(const fs::path &folder)
{
    Database db(folder / LocalPortal::kDatabaseFile, false);
    db.transaction([&] { db.execute(kDemoData); });
}

} // namespace kw::server
