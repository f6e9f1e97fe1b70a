// The portal's write lock: one program at a time changes the portal's files (a lock file beside the
// database, held with flock, so it is released when the program ends in any way). The lock file is only
// ever opened for reading, so a user who may read the portal but not write it can still take the lock
// for a command that only shows something.
#pragma once

#include <filesystem>

namespace kw::server {

class PortalLock {
public:
    static constexpr const char *kLockFile = "KwPortal.lock";

    explicit PortalLock(const std::filesystem::path &root);
    ~PortalLock();
    PortalLock(const PortalLock &) = delete;
    PortalLock &operator=(const PortalLock &) = delete;

    /// Takes the lock (again, when this object holds it already), waiting up to `waitMs` for another
    /// program to release it. Throws ServerError (SharingViolation) when it stays taken.
    void acquire(int waitMs = 10000);
    /// Takes the lock only when it is free at once; false otherwise.
    bool tryAcquire();
    /// Releases one `acquire`.
    void release();
    /// Whether this object holds the lock.
    bool held() const { return m_depth > 0; }

private:
    std::filesystem::path m_file;
    int m_fd = -1;
    int m_depth = 0;
};

/// Holds the lock for a scope.
class PortalLockScope {
public:
    explicit PortalLockScope(PortalLock &lock) : m_lock(lock) { m_lock.acquire(); }
    ~PortalLockScope() { m_lock.release(); }
    PortalLockScope(const PortalLockScope &) = delete;
    PortalLockScope &operator=(const PortalLockScope &) = delete;

private:
    PortalLock &m_lock;
};

} // namespace kw::server
