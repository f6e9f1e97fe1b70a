// The portal folder on disk: confined, case-insensitive path resolution and atomic file replacement.
#pragma once

#include "server/ServerEnvironment.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kw::server {

class PortalFileSystem {
public:
    /// `root` must be an existing folder; it is made canonical here.
    explicit PortalFileSystem(const std::filesystem::path &root);

    const std::filesystem::path &root() const { return m_root; }

    /// The local folder of a server path: the portal path (as `GetPortalPath` gives it) or nothing,
    /// then sub-folders separated by '\\' or '/'. Components match case-insensitively. Throws ServerError
    /// when the path leaves the portal folder or the folder does not exist.
    std::filesystem::path resolveFolder(const std::string &serverPath) const;

    /// The local path of a file name inside a resolved folder: an existing entry whose name matches
    /// case-insensitively (an exact match wins), else the name as given. Throws ServerError for names
    /// with separators, "." or "..", and for entries that lead outside the portal (symbolic links).
    std::filesystem::path resolveFile(const std::filesystem::path &folder, const std::string &name) const;

    /// Regular files of a folder, sorted by name ignoring case; temporary files of writes are left out.
    std::vector<std::string> listFiles(const std::filesystem::path &folder) const;

    /// Reads a whole file. Throws ServerError naming the file.
    static Bytes readAll(const std::filesystem::path &file);
    /// Replaces a file atomically: a temporary file in the same folder, written and flushed to disk,
    /// renamed over the target, then the folder flushed. Throws ServerError naming the file; on failure
    /// the target is left as it was.
    static void writeAtomically(const std::filesystem::path &file, const Bytes &contents);

    /// Throws unless `path` (resolved through symbolic links) lies inside the portal folder.
    void checkConfined(const std::filesystem::path &path) const;

private:
    std::optional<std::filesystem::path> findEntry(const std::filesystem::path &folder,
                                                   const std::string &name) const;

    std::filesystem::path m_root;
};

/// The error code of a failed write by the system's error number: a refusal (access or permission
/// denied, a read-only file system) is AccessDenied, anything else a WriteFault.
int writeFailureCode(int errorNumber);

/// Case-insensitive wildcard match with '*' and '?'.
bool wildcardMatch(std::string_view pattern, std::string_view name);

} // namespace kw::server
