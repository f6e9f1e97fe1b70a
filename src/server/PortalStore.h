// Creating a local portal store: its folders, its database schema and the demo portal's data.
#pragma once

#include "server/Database.h"

#include <filesystem>
#include <string>
#include <vector>

namespace kw::server {

/// The folders every portal has, in server notation.
inline constexpr const char *kPortalFolders[] = {
    "_KwStyle",   "_KwTemplates",          "_KwInclude\\KwCompany", "Images\\Company", "Images\\TopNavigate",
    "KwNavigate", "KwApplications\\KwArea"};

struct PortalCreateOptions {
    std::string portalName = "Portal";
    /// Replace the database of a folder that already holds a portal (its files stay).
    bool overwrite = false;
    /// The PostgreSQL database to keep the portal's data in (a libpq address); empty: the embedded
    /// database file inside the folder.
    std::string database;
};

/// Creates the folders and an empty database in `folder` (created when missing): the embedded file, or the
/// tables in `options.database`, named then in KwPortal.conf. Throws ServerError when the folder already
/// holds a portal and `overwrite` is not set, when the PostgreSQL database holds tables already (with
/// `overwrite` a portal's tables are dropped), or when anything cannot be created.
void createPortalStore(const std::filesystem::path &folder, const PortalCreateOptions &options);

/// Adds the demo portal's data: languages German (1031, default) and English (1033), an administrator
/// with access and a user without, user groups, built-in main-menu entries of types 1 to 3, four normal
/// entries named in both languages, applications in `krapp` (among them the personal calendar, 31), and
/// the welcome text. Pictures and the active layout are written by the caller.
void addDemoData(const std::filesystem::path &folder);

struct PortalDatabaseInfo {
    DatabaseBackend backend;
    std::string location; // the file, or the address (never with a password)
    int schemaVersion;
};

/// Which database the portal in `folder` uses, and its schema version.
PortalDatabaseInfo describePortalDatabase(const std::filesystem::path &folder);

struct TableCount {
    std::string table;
    std::int64_t source, target; // rows in the embedded database and in the copy
};

/// Copies the embedded database of the portal in `folder` into the empty PostgreSQL database at
/// `address` in one transaction, compares the row count of every table on both sides, then points
/// KwPortal.conf at it; the embedded file is left as it was. A target with tables, a portal that is not
/// embedded or any failure change nothing and throw ServerError saying why.
std::vector<TableCount> migratePortalDatabase(const std::filesystem::path &folder,
                                              const std::string &address);

} // namespace kw::server
