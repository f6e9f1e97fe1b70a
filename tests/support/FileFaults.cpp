#include "FileFaults.h"

#include <cerrno>

namespace kw::test {

void FileFaults::failAt(Op op, int n, int error)
{
    reset();
    m_op = op;
    m_at = n;
    m_error = error;
}

void FileFaults::crashAt(Op op, int n)
{
    failAt(op, n);
    m_crash = true;
}

void FileFaults::reset()
{
    m_counts = {};
    m_at = 0;
    m_crash = false;
    m_fired = false;
}

bool FileFaults::hit(Op op)
{
    ++m_counts[static_cast<std::size_t>(op)];
    const int n = ++m_counts[static_cast<std::size_t>(Op::Any)];
    if (m_at == 0 || m_fired || (m_op != Op::Any && m_op != op))
        return false;
    if ((m_op == Op::Any ? n : m_counts[static_cast<std::size_t>(op)]) != m_at)
        return false;
    m_fired = true;
    if (m_crash)
        throw SimulatedCrash();
    errno = m_error;
    return true;
}

ssize_t FileFaults::write(int fd, const void *data, std::size_t size)
{
    return hit(Op::Write) ? -1 : FileOps::write(fd, data, size);
}

int FileFaults::fsync(int fd)
{
    return hit(Op::Fsync) ? -1 : FileOps::fsync(fd);
}

int FileFaults::rename(const char *from, const char *to)
{
    return hit(Op::Rename) ? -1 : FileOps::rename(from, to);
}

int FileFaults::link(const char *from, const char *to)
{
    return hit(Op::Link) ? -1 : FileOps::link(from, to);
}

int FileFaults::unlink(const char *path)
{
    return hit(Op::Unlink) ? -1 : FileOps::unlink(path);
}

} // namespace kw::test
