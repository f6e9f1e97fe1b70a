#include "server/PortalStore.h"

#include "base/ServerError.h"
#include "base/SystemErrorText.h"
#include "server/Database.h"
#include "server/LocalPortal.h"
#include "server/PortalConfig.h"
#include "server/PortalSchema.h"
#include "server/PostgresDatabase.h"
#include "server/SqliteDatabase.h"

#include <algorithm>
#include <memory>

namespace kw::server {

namespace fs = std::filesystem;

namespace {

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

std::string joined(const std::vector<std::string> &names)
{
    std::string out;
    for (const std::string &name : names)
        out += (out.empty() ? "" : ", ") + name;
    return out;
}

// A database for a new portal must hold no tables of one (with `overwrite`, they are dropped first).
void prepareTarget(Database &db, bool overwrite)
{
    const std::vector<std::string> present = db.tables();
    if (present.empty())
        return;
    if (!overwrite)
        throw ServerError(ServerError::AccessDenied, "Die Datenbank " + db.location() +
                                                         " ist nicht leer (sie hat die Tabellen " +
                                                         joined(present) + "); es wurde nichts geändert.");
    db.transaction([&] {
        const auto &tables = portalTables();
        for (auto it = tables.rbegin(); it != tables.rend(); ++it)
            db.execute("DROP TABLE IF EXISTS " + *it);
    });
    if (!db.tables().empty())
        throw ServerError(ServerError::AccessDenied, "Die Datenbank " + db.location() +
                                                         " enthält andere Tabellen als die eines Portals (" +
                                                         joined(db.tables()) + "); sie bleibt, wie sie ist.");
}

} // namespace

void createPortalStore(const fs::path &folder, const PortalCreateOptions &options)
{
    if (LocalPortal::holdsPortal(folder) && !options.overwrite)
        throw ServerError(
            ServerError::AccessDenied,
            "Der Ordner " + folder.string() +
                " enthält schon ein Portal; es bleibt, wie es ist (mit --force wird es neu angelegt).");
    // The database is reached and checked first, so that a refused one leaves no folders behind.
    std::unique_ptr<PostgresDatabase> shared;
    if (!options.database.empty()) {
        shared = std::make_unique<PostgresDatabase>(options.database);
        prepareTarget(*shared, options.overwrite);
    }
    std::error_code ec;
    for (const char *serverFolder : kPortalFolders) {
        std::string local = serverFolder;
        std::replace(local.begin(), local.end(), '\\', '/');
        fs::create_directories(folder / local, ec);
        if (ec)
            throw ServerError(ServerError::AccessDenied,
                              "Der Ordner " + (folder / local).string() +
                                  " kann nicht angelegt werden: " + systemErrorText(ec));
    }
    const auto fill = [&](Database &db) {
        db.transaction([&] {
            createPortalSchema(db);
            db.run("INSERT INTO settings(key, value) VALUES('portal_name', ?1)", {options.portalName});
        });
    };
    const fs::path dbFile = folder / LocalPortal::kDatabaseFile;
    if (shared) {
        fill(*shared);
        shared.reset();
        writeConfiguredDatabase(folder, options.database);
        fs::remove(dbFile, ec);
        return;
    }
    const fs::path fresh = folder / (std::string(LocalPortal::kDatabaseFile) + ".new");
    fs::remove(fresh, ec);
    {
        SqliteDatabase db(fresh, true);
        fill(db);
    }
    // The finished database replaces an old one in one step.
    fs::rename(fresh, dbFile, ec);
    if (ec)
        throw ServerError(ServerError::WriteFault,
                          "Die Datenbank des Portals " + dbFile.string() +
                              " kann nicht geschrieben werden: " + systemErrorText(ec));
    writeConfiguredDatabase(folder, {});
}

void addDemoData(const fs::path &folder)
{
    const std::unique_ptr<Database> db = openPortalDatabase(folder);
    db->transaction([&] {
        db->execute(kDemoData);
        db->resetGeneratedIds();
    });
}

PortalDatabaseInfo describePortalDatabase(const fs::path &folder)
{
    if (!LocalPortal::holdsPortal(folder))
        throw ServerError(ServerError::NotFound, "Der Ordner " + folder.string() + " enthält kein Portal.");
    const std::unique_ptr<Database> db = openPortalDatabase(folder);
    return {db->backend(), db->location(), portalSchemaVersion(*db)};
}

std::vector<TableCount> migratePortalDatabase(const fs::path &folder, const std::string &address)
{
    if (!LocalPortal::holdsPortal(folder))
        throw ServerError(ServerError::NotFound, "Der Ordner " + folder.string() + " enthält kein Portal.");
    if (const auto configured = configuredDatabase(folder))
        throw ServerError(
            ServerError::InvalidArgument,
            "Das Portal hat seine Datenbank schon in " + *configured +
                "; umgezogen wird nur ein Portal mit eingebetteter Datenbank. Es wurde nichts geändert.");
    PostgresDatabase::checkAddress(address);
    SqliteDatabase source(folder / LocalPortal::kDatabaseFile, false);
    PostgresDatabase target(address);
    prepareTarget(target, false);
    const std::vector<std::string> present = source.tables();
    std::vector<TableCount> counts;
    target.transaction([&] {
        createPortalSchema(target);
        for (const std::string &table : portalTables()) {
            TableCount count{table, 0, 0};
            if (std::find(present.begin(), present.end(), table) != present.end()) {
                std::vector<std::string> columns;
                for (const SqlRow &row : source.query("SELECT name FROM pragma_table_info(?1)", {table}))
                    columns.push_back("\"" + sqlText(row[0]) + "\"");
                const std::string list = joined(columns);
                std::string marks;
                for (std::size_t i = 1; i <= columns.size(); ++i)
                    marks += (i > 1 ? ", ?" : "?") + std::to_string(i);
                // Settings are copied as they are; the schema version is set after the copy.
                if (table == "settings")
                    target.run("DELETE FROM settings");
                const std::string insert = "INSERT INTO " + table + "(" + list + ") VALUES(" + marks + ")";
                for (const SqlRow &row :
                     source.query("SELECT " + list + " FROM " + table + " ORDER BY rowid"))
                    target.run(insert, row);
                count.source = sqlInt(source.query("SELECT count(*) FROM " + table)[0][0]);
            }
            count.target = sqlInt(target.query("SELECT count(*) FROM " + table)[0][0]);
            if (count.target != count.source)
                throw ServerError(ServerError::DatabaseError,
                                  "Die Tabelle " + table + " hat im Portal " + std::to_string(count.source) +
                                      " Zeilen, in der Kopie aber " + std::to_string(count.target) +
                                      "; es wurde nichts geändert.");
            counts.push_back(count);
        }
        target.run("UPDATE settings SET value=?1 WHERE key='schema_version'",
                   {std::to_string(kSchemaVersion)});
        if (target.query("SELECT 1 FROM settings WHERE key='schema_version'").empty())
            target.run("INSERT INTO settings(key, value) VALUES('schema_version', ?1)",
                       {std::to_string(kSchemaVersion)});
        target.resetGeneratedIds();
    });
    writeConfiguredDatabase(folder, address);
    return counts;
}

} // namespace kw::server
