// The portal folder on disk: confined, case-insensitive path resolution and atomic file replacement.
#pragma once

#include "server/FileOps.h"
#include "server/ServerEnvironment.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kw::server {

class PortalFileSystem {
public:
    /// `root` must be an existing folder; it is made canonical here. Files are changed through `ops`
    /// (the plain system calls when none is given).
    explicit PortalFileSystem(const std::filesystem::path &root, std::shared_ptr<FileOps> ops = {});

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
    void writeAtomically(const std::filesystem::path &file, const Bytes &contents) const;

    /// A temporary file beside `target`, written whole and flushed to disk, with the mode and (where the
    /// process may) the group of an existing `target` (0644 for a new one); the caller renames or removes
    /// it. Throws ServerError naming the target; nothing is left behind then.
    std::filesystem::path writeTemporary(const std::filesystem::path &target, const Bytes &contents) const;
    /// A free temporary name beside `target` (nothing is created).
    std::filesystem::path temporaryName(const std::filesystem::path &target) const;
    /// rename(2), link(2) and the flush of a folder's entries; each throws ServerError naming `target`,
    /// the portal file the step was for.
    void rename(const std::filesystem::path &from, const std::filesystem::path &to,
                const std::filesystem::path &target) const;
    void link(const std::filesystem::path &from, const std::filesystem::path &to,
              const std::filesystem::path &target) const;
    void syncFolder(const std::filesystem::path &folder) const;
    /// Removes a file; false when it was not there. Throws ServerError on any other failure.
    bool remove(const std::filesystem::path &file) const;

    /// Whether a file name is one of the temporary files of writes (".kwtmp-...").
    static bool isTemporaryName(std::string_view name);
    /// Removes every temporary file in the portal's folders (symbolic links are not followed); returns
    /// how many were removed.
    int removeTemporaries() const;

    /// Throws unless `path` (resolved through symbolic links) lies inside the portal folder.
    void checkConfined(const std::filesystem::path &path) const;

private:
    static ServerError writeError(const std::filesystem::path &file, const std::string &step);
    std::optional<std::filesystem::path> findEntry(const std::filesystem::path &folder,
                                                   const std::string &name) const;

    std::filesystem::path m_root;
    std::shared_ptr<FileOps> m_ops;
};

/// The error code of a failed write by the system's error number: a refusal (access or permission
/// denied, a read-only file system) is AccessDenied, anything else a WriteFault.
int writeFailureCode(int errorNumber);

/// Case-insensitive wildcard match with '*' and '?'.
bool wildcardMatch(std::string_view pattern, std::string_view name);

} // namespace kw::server
