// Creating a local portal store: its folders, its database schema and the demo portal's data.
#pragma once

#include <filesystem>
#include <string>

namespace kw::server {

/// The folders every portal has, in server notation.
inline constexpr const char *kPortalFolders[] = {
    "_KwStyle",   "_KwTemplates",          "_KwInclude\\KwCompany", "Images\\Company", "Images\\TopNavigate",
    "KwNavigate", "KwApplications\\KwArea"};

struct PortalCreateOptions {
    std::string portalName = "Portal";
    /// Replace the database of a folder that already holds a portal (its files stay).
    bool overwrite = false;
};

/// Creates the folders and an empty database in `folder` (created when missing). Throws ServerError when
/// the folder already holds a portal and `overwrite` is not set, or when anything cannot be created.
void createPortalStore(const std::filesystem::path &folder, const PortalCreateOptions &options);

/// Adds the demo portal's data: languages German (1031, default) and English (1033), an administrator
/// with access and a user without, user groups, built-in main-menu entries of types 1 to 3, four normal
/// entries named in both languages, applications in `krapp` (among them the personal calendar, 31), and
/// the welcome text. Pictures and the active layout are written by the caller.
void addDemoData(const std::filesystem::path &folder);

} // namespace kw::server
