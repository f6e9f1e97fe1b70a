// Zip archives held in memory, through libzip: the members of an archive as its central directory lists
// them, each read on its own; and a new archive written member by member.
#pragma once

#include "bundle/BundleFormat.h"

#include <cstdint>
#include <ctime>
#include <span>
#include <string>

struct zip;
struct zip_source;

namespace kw::bundle {

/// A member as the central directory describes it; nothing of it is inflated yet.
struct ZipEntry {
    std::string name;       // UTF-8 (names without the UTF-8 flag are read as code page 437)
    std::uint64_t size = 0; // unpacked
    std::uint64_t packedSize = 0;
    bool supportedMethod = true; // stored or deflated
    bool encrypted = false;
    bool symbolicLink = false; // a Unix symbolic link by its external attributes
};

class ZipReader {
public:
    /// Opens the archive in `bytes`, which must outlive the reader. Throws BundleRefusal when it is no
    /// zip file or its directory is cut off or inconsistent.
    explicit ZipReader(std::span<const std::uint8_t> bytes);
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    /// How many members the central directory lists.
    std::size_t count() const { return m_count; }
    /// Member `index` as the central directory describes it. Throws BundleRefusal.
    ZipEntry entry(std::size_t index) const;
    /// Inflates member `index`, which must unpack to exactly `entry.size` bytes (never more are inflated).
    /// Throws BundleRefusal for damaged data (a wrong CRC, a wrong size).
    Bytes read(std::size_t index, const ZipEntry &entry) const;

private:
    zip *m_zip = nullptr;
    std::size_t m_count = 0;
};

class ZipWriter {
public:
    ZipWriter();
    ~ZipWriter();
    ZipWriter(const ZipWriter &) = delete;
    ZipWriter &operator=(const ZipWriter &) = delete;

    /// Adds a member, deflated or stored, as a regular Unix file (mode 644) of the given time. The bytes
    /// are read when `finish` runs: they must stay until then.
    void add(const std::string &name, std::span<const std::uint8_t> bytes, bool deflate, std::time_t time);
    /// The archive's bytes. The writer takes no more members afterwards.
    Bytes finish();

private:
    zip_source *m_buffer = nullptr;
    zip *m_zip = nullptr;
};

} // namespace kw::bundle
