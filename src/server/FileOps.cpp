#include "server/FileOps.h"

#include <cstdio>
#include <unistd.h>

namespace kw::server {

ssize_t FileOps::write(int fd, const void *data, std::size_t size)
{
    return ::write(fd, data, size);
}

int FileOps::fsync(int fd)
{
    return ::fsync(fd);
}

int FileOps::rename(const char *from, const char *to)
{
    return std::rename(from, to);
}

int FileOps::link(const char *from, const char *to)
{
    return ::link(from, to);
}

int FileOps::unlink(const char *path)
{
    return ::unlink(path);
}

FileOps &FileOps::system()
{
    static FileOps ops;
    return ops;
}

} // namespace kw::server
