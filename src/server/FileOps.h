// The few system calls through which the portal store changes files, behind one seam so that tests can
// make the Nth write, flush or rename fail.
#pragma once

#include <cstddef>
#include <sys/types.h>

namespace kw::server {

class FileOps {
public:
    virtual ~FileOps() = default;
    /// As the system calls: -1 with errno set on failure.
    virtual ssize_t write(int fd, const void *data, std::size_t size);
    virtual int fsync(int fd);
    virtual int rename(const char *from, const char *to);
    virtual int link(const char *from, const char *to);
    virtual int unlink(const char *path);

    /// The plain system calls, shared by every portal that was given no seam of its own.
    static FileOps &system();
};

} // namespace kw::server
