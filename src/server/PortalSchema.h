// The tables of a portal database, written once for both backends, and the version the schema carries
// in `settings` (key "schema_version") so that every later change has one path on both.
#pragma once

#include "server/Database.h"

#include <string>
#include <vector>

namespace kw::server {

/// The version a portal created now has.
inline constexpr int kSchemaVersion = 1;

/// The portal's tables, each one after the tables it refers to.
const std::vector<std::string> &portalTables();

/// Creates every table of a portal in `db` (inside the caller's transaction, if any) and records the
/// schema version.
void createPortalSchema(Database &db);

/// The schema version of an opened portal database. A portal from before versions were recorded is
/// version 0. Throws ServerError with the database's message when the portal's tables are missing.
int portalSchemaVersion(Database &db);

/// Brings an older portal database up to kSchemaVersion, in one transaction; nothing when it is current.
/// Throws ServerError for a portal newer than this program.
void upgradePortalSchema(Database &db);

} // namespace kw::server
