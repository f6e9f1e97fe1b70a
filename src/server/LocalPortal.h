// The local server environment: a portal folder on disk with its database, an SQLite file inside the
// folder or the PostgreSQL database KwPortal.conf names.
#pragma once

#include "server/FileOps.h"
#include "server/PortalConfig.h"
#include "server/ServerEnvironment.h"

#include <filesystem>
#include <memory>
#include <string>

namespace kw::server {

/// The two objects the host hands to the module.
struct Environment {
    Ref<IObjectFactory> factory;
    Ref<ISession> session;
};

class LocalPortal {
public:
    /// Name of the embedded database file inside the portal folder.
    static constexpr const char *kDatabaseFile = kEmbeddedDatabaseFile;

    /// Opens the portal in `folder` for a user (by login name, ignoring case); with an empty name the
    /// first user of the portal. Throws ServerError when the folder or its database cannot be opened or
    /// the user is unknown. Opening finishes or undoes a batch of writes that a crash interrupted and
    /// removes temporary files left behind (`IPublishing::RecoveryNotes` tells what it did). Files are
    /// changed through `fileOps` (the plain system calls when none is given).
    static Environment open(const std::filesystem::path &folder, const std::string &userLogin = {},
                            std::shared_ptr<FileOps> fileOps = {});

    /// Whether `folder` already holds a portal (an embedded database or KwPortal.conf).
    static bool holdsPortal(const std::filesystem::path &folder);
};

} // namespace kw::server
