// Where a portal's database is: KwPortal.conf in the portal folder names a PostgreSQL database with the
// line "database=URL"; without it the portal uses the embedded SQLite file KwPortal.sqlite.
#pragma once

#include "server/Database.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace kw::server {

/// Name of the configuration file inside the portal folder.
inline constexpr const char *kPortalConfigFile = "KwPortal.conf";
/// Name of the embedded database file inside the portal folder.
inline constexpr const char *kEmbeddedDatabaseFile = "KwPortal.sqlite";

/// The database address KwPortal.conf names; none when the file is missing or names none. Throws
/// ServerError when the file cannot be read or the address carries a password.
std::optional<std::string> configuredDatabase(const std::filesystem::path &folder);

/// Writes KwPortal.conf naming `address` (replacing the file in one step); an empty address removes the
/// file, so that the embedded database is used.
void writeConfiguredDatabase(const std::filesystem::path &folder, const std::string &address);

/// Opens the database of the portal in `folder`: the configured one, or the embedded file.
std::unique_ptr<Database> openPortalDatabase(const std::filesystem::path &folder);

} // namespace kw::server
