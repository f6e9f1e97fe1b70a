// Seekable byte sources for pictures: a file on disk or a block of memory that grows as it is written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace kw::image {

/// A failure of the file itself (opening, reading, seeking), as opposed to a picture that cannot be
/// decoded.
class FileError : public std::runtime_error {
public:
    explicit FileError(const std::string &text) : std::runtime_error(text) {}
};

enum class SeekOrigin { Begin, Current, End };

/// An open file that can be read from any position.
class SeekableFile {
public:
    virtual ~SeekableFile() = default;

    /// Reads up to `buffer.size()` bytes at the current position and moves past them; returns how many
    /// were read, fewer only at the end of the file. Throws FileError when the file cannot be read.
    virtual std::size_t read(std::span<std::uint8_t> buffer) = 0;
    /// Moves the position and returns the new one. Throws FileError for a position before the start.
    virtual std::uint64_t seek(std::int64_t offset, SeekOrigin origin = SeekOrigin::Begin) = 0;
    virtual std::uint64_t position() const = 0;
    virtual std::uint64_t length() const = 0;
    /// The whole contents when the file is held in memory, so that readers can use them without a copy;
    /// no value for files that must be read.
    virtual std::optional<std::span<const std::uint8_t>> inMemory() const { return std::nullopt; }

protected:
    SeekableFile() = default;
    SeekableFile(const SeekableFile &) = default;
    SeekableFile &operator=(const SeekableFile &) = default;
};

/// A file on disk, opened for reading.
class DiskFile final : public SeekableFile {
public:
    /// Opens the file; throws FileError naming the file and the reason when it cannot be opened.
    explicit DiskFile(const std::filesystem::path &path);
    ~DiskFile() override;
    DiskFile(const DiskFile &) = delete;
    DiskFile &operator=(const DiskFile &) = delete;

    std::size_t read(std::span<std::uint8_t> buffer) override;
    std::uint64_t seek(std::int64_t offset, SeekOrigin origin = SeekOrigin::Begin) override;
    std::uint64_t position() const override;
    std::uint64_t length() const override;

private:
    std::FILE *m_file = nullptr;
    std::string m_name;
};

/// A file in memory. Writing past the end grows it; its storage grows in whole blocks of `growBy` bytes.
/// Seeking past the end is allowed; a later write fills the gap with zeros.
class MemoryFile final : public SeekableFile {
public:
    explicit MemoryFile(std::size_t growBy = 1024);
    /// A memory file holding a copy of `bytes`, positioned at its start.
    MemoryFile(std::span<const std::uint8_t> bytes, std::size_t growBy = 1024);

    std::size_t read(std::span<std::uint8_t> buffer) override;
    std::uint64_t seek(std::int64_t offset, SeekOrigin origin = SeekOrigin::Begin) override;
    std::uint64_t position() const override { return m_position; }
    std::uint64_t length() const override { return m_length; }
    std::optional<std::span<const std::uint8_t>> inMemory() const override { return bytes(); }

    /// Writes the bytes at the current position and moves past them.
    void write(std::span<const std::uint8_t> bytes);
    /// The file's contents.
    std::span<const std::uint8_t> bytes() const { return {m_storage.data(), m_length}; }
    /// Bytes reserved for the contents: always a whole number of blocks.
    std::size_t capacity() const { return m_storage.size(); }

private:
    std::size_t m_growBy;
    std::vector<std::uint8_t> m_storage;
    std::size_t m_length = 0;
    std::size_t m_position = 0;
};

} // namespace kw::image
