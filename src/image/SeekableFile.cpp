// Disk and memory files for the image object.
#include "image/SeekableFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#include <sys/stat.h>

namespace kw::image {

namespace {

std::string reason(const std::string &what, const std::string &name)
{
    return what + " \"" + name + "\": " + std::strerror(errno);
}

std::uint64_t checkedTarget(std::int64_t offset, std::uint64_t base, const std::string &name)
{
    const auto signedBase = static_cast<std::int64_t>(base);
    if (offset < -signedBase ||
        (offset > 0 && signedBase > std::numeric_limits<std::int64_t>::max() - offset))
        throw FileError("Seek outside the file \"" + name + "\"");
    return static_cast<std::uint64_t>(signedBase + offset);
}

} // namespace

DiskFile::DiskFile(const std::filesystem::path &path) : m_name(path.string())
{
    m_file = std::fopen(path.c_str(), "rb");
    if (!m_file)
        throw FileError(reason("Cannot open", m_name));
    struct stat status {};
    if (fstat(fileno(m_file), &status) != 0 || !S_ISREG(status.st_mode)) {
        std::fclose(m_file);
        m_file = nullptr;
        throw FileError("Cannot open \"" + m_name + "\": not a regular file");
    }
}

DiskFile::~DiskFile()
{
    if (m_file)
        std::fclose(m_file);
}

std::size_t DiskFile::read(std::span<std::uint8_t> buffer)
{
    const std::size_t count = std::fread(buffer.data(), 1, buffer.size(), m_file);
    if (count < buffer.size() && std::ferror(m_file))
        throw FileError(reason("Cannot read", m_name));
    return count;
}

std::uint64_t DiskFile::seek(std::int64_t offset, SeekOrigin origin)
{
    const std::uint64_t base =
        origin == SeekOrigin::Begin ? 0 : (origin == SeekOrigin::Current ? position() : length());
    const std::uint64_t target = checkedTarget(offset, base, m_name);
    if (fseeko(m_file, static_cast<off_t>(target), SEEK_SET) != 0)
        throw FileError(reason("Cannot seek in", m_name));
    return target;
}

std::uint64_t DiskFile::position() const
{
    const off_t at = ftello(m_file);
    if (at < 0)
        throw FileError(reason("Cannot tell the position in", m_name));
    return static_cast<std::uint64_t>(at);
}

std::uint64_t DiskFile::length() const
{
    struct stat status {};
    if (fstat(fileno(m_file), &status) != 0)
        throw FileError(reason("Cannot tell the length of", m_name));
    return static_cast<std::uint64_t>(status.st_size);
}

MemoryFile::MemoryFile(std::size_t growBy) : m_growBy(std::max<std::size_t>(growBy, 1)) {}

MemoryFile::MemoryFile(std::span<const std::uint8_t> bytes, std::size_t growBy) : MemoryFile(growBy)
{
    write(bytes);
    m_position = 0;
}

std::size_t MemoryFile::read(std::span<std::uint8_t> buffer)
{
    if (m_position >= m_length)
        return 0;
    const std::size_t count = std::min(buffer.size(), m_length - m_position);
    std::copy_n(m_storage.begin() + static_cast<std::ptrdiff_t>(m_position), count, buffer.begin());
    m_position += count;
    return count;
}

std::uint64_t MemoryFile::seek(std::int64_t offset, SeekOrigin origin)
{
    const std::uint64_t base =
        origin == SeekOrigin::Begin ? 0 : (origin == SeekOrigin::Current ? m_position : m_length);
    const std::uint64_t target = checkedTarget(offset, base, "memory file");
    if (target > std::numeric_limits<std::size_t>::max() / 2)
        throw FileError("Seek outside the file \"memory file\"");
    m_position = static_cast<std::size_t>(target);
    return target;
}

void MemoryFile::write(std::span<const std::uint8_t> bytes)
{
    if (bytes.empty())
        return;
    const std::size_t end = m_position + bytes.size();
    if (end > m_storage.size()) {
        const std::size_t blocks = (end + m_growBy - 1) / m_growBy;
        m_storage.resize(blocks * m_growBy, 0);
    }
    if (m_position > m_length)
        std::fill(m_storage.begin() + static_cast<std::ptrdiff_t>(m_length),
                  m_storage.begin() + static_cast<std::ptrdiff_t>(m_position), std::uint8_t{0});
    std::copy(bytes.begin(), bytes.end(), m_storage.begin() + static_cast<std::ptrdiff_t>(m_position));
    m_position = end;
    m_length = std::max(m_length, end);
}

} // namespace kw::image
