#include "server/PortalLock.h"

#include "base/ServerError.h"
#include "base/SystemErrorText.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace kw::server {

PortalLock::PortalLock(const std::filesystem::path &root) : m_file(root / kLockFile) {}

PortalLock::~PortalLock()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool PortalLock::tryAcquire()
{
    if (m_depth > 0) {
        ++m_depth;
        return true;
    }
    if (m_fd < 0) {
        // Opened for writing, as flock over NFS needs; a user who may only read the portal still gets
        // the lock through a read-only descriptor, which is all a local flock needs.
        m_fd = ::open(m_file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        int error = errno;
        if (m_fd < 0 && (error == EACCES || error == EROFS)) {
            m_fd = ::open(m_file.c_str(), O_RDONLY | O_CLOEXEC);
            if (m_fd < 0 && errno != ENOENT)
                error = errno; // a missing file that may not be created: the first error says why
        }
        if (m_fd < 0)
            throw ServerError(ServerError::AccessDenied,
                              "Die Sperrdatei " + m_file.string() +
                                  " des Portals kann nicht geöffnet werden: " + systemErrorText(error));
    }
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0)
        return false;
    m_depth = 1;
    return true;
}

void PortalLock::acquire(int waitMs)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    while (!tryAcquire()) {
        if (std::chrono::steady_clock::now() >= until)
            throw ServerError(
                ServerError::SharingViolation,
                "Die Dateien des Portals werden gerade von einem anderen Programm geschrieben (" +
                    m_file.string() + " ist gesperrt). Versuchen Sie es später noch einmal.");
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

void PortalLock::release()
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    ::flock(m_fd, LOCK_UN);
}

} // namespace kw::server
