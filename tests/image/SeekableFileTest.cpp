// Disk and memory files, and the type codes of file names.
#include "image/SeekableFile.h"
#include "TestPictures.h"
#include "image/ImageType.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

namespace kw::image {
namespace {

using testing::Bytes;
using testing::bytesOf;

std::string readText(SeekableFile &file, std::size_t count)
{
    std::string text(count, '\0');
    const std::size_t got = file.read({reinterpret_cast<std::uint8_t *>(text.data()), count});
    text.resize(got);
    return text;
}

TEST(MemoryFile, GrowsInWholeBlocks)
{
    MemoryFile file(1024);
    EXPECT_EQ(file.capacity(), 0u);
    file.write(bytesOf("x"));
    EXPECT_EQ(file.capacity(), 1024u);
    file.write(Bytes(1024, 1));
    EXPECT_EQ(file.capacity(), 2048u);
    EXPECT_EQ(file.length(), 1025u);

    MemoryFile small(100);
    small.write(Bytes(250, 2));
    EXPECT_EQ(small.capacity(), 300u);
}

TEST(MemoryFile, ReadsWritesAndSeeksLikeAFile)
{
    MemoryFile file;
    file.write(bytesOf("hello world"));
    EXPECT_EQ(file.position(), 11u);
    EXPECT_EQ(readText(file, 4), "");
    file.seek(6);
    EXPECT_EQ(readText(file, 10), "world");
    file.seek(-3, SeekOrigin::End);
    EXPECT_EQ(readText(file, 2), "rl");
    file.seek(-4, SeekOrigin::Current);
    EXPECT_EQ(readText(file, 3), "wor");
    EXPECT_THROW(file.seek(-1), FileError);

    file.seek(13);
    file.write(bytesOf("!"));
    EXPECT_EQ(std::string(file.bytes().begin(), file.bytes().end()), std::string("hello world\0\0!", 14));

    MemoryFile copy(bytesOf("abc"));
    EXPECT_EQ(copy.position(), 0u);
    EXPECT_EQ(readText(copy, 5), "abc");
}

TEST(DiskFile, ReadsAndReportsFailures)
{
    // One folder per process: builds on the same machine may run this test at the same time.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kw_disk_file_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / "bytes.bin";
    testing::writeFile(path.string(), bytesOf("0123456789"));
    {
        DiskFile file(path);
        EXPECT_EQ(file.length(), 10u);
        file.seek(-4, SeekOrigin::End);
        EXPECT_EQ(readText(file, 10), "6789");
        EXPECT_EQ(file.position(), 10u);
        EXPECT_THROW(file.seek(-11, SeekOrigin::End), FileError);
    }
    try {
        DiskFile missing(folder / "missing.png");
        ADD_FAILURE() << "opened a missing file";
    } catch (const FileError &error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot open \"" + (folder / "missing.png").string() + "\": No such file or directory");
    }
    EXPECT_THROW(DiskFile{folder}, FileError);
    std::filesystem::remove_all(folder);
}

TEST(ImageType, ByExtensionIgnoringCase)
{
    const std::pair<const char *, int> cases[] = {
        {"a.bmp", 1},           {"A.BMP", 1},        {"photo.jpg", 2},     {"photo.JPEG", 2},
        {"photo.Jpe", 2},       {"anim.gif", 3},     {"logo.png", 4},      {"LOGO.PnG", 4},
        {"cursor.xbm", 5},      {"x.tiff", 0},       {"png", 0},           {"", 0},
        {"name.", 0},           {"dir.png/file", 0}, {"dir.gif\\file", 0}, {"Images\\Company\\Logo.GIF", 3},
        {"archive.png.zip", 0}, {"weird.png ", 0},
    };
    for (const auto &[name, code] : cases)
        EXPECT_EQ(KwGetImageType(name), code) << name;
}

TEST(ImageType, ResourceTypeNames)
{
    const char *names[] = {"10", "BMP", "JPEG", "GIF", "PNG", "XBM", "10"};
    for (int code = 0; code <= 6; ++code)
        EXPECT_EQ(resourceTypeName(code), names[code]) << code;
    EXPECT_EQ(resourceTypeName(-3), "10");
}

} // namespace
} // namespace kw::image
