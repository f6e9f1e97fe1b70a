// The portal's write lock: its file is opened for writing (flock over NFS needs that), and a user who may
// only read the portal still takes it through a read-only descriptor.
#include "server/PortalLock.h"

#include "TempPortal.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace kw::server {
namespace {

namespace fs = std::filesystem;

/// The access mode (O_RDONLY, O_WRONLY or O_RDWR) of this process's descriptor of `file`, or -1.
int accessModeOf(const fs::path &file)
{
    for (const auto &entry : fs::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        if (fs::read_symlink(entry.path(), ec) != file)
            continue;
        std::ifstream info("/proc/self/fdinfo/" + entry.path().filename().string());
        for (std::string key; info >> key;) {
            if (key != "flags:")
                continue;
            std::string octal;
            info >> octal;
            return static_cast<int>(std::stol(octal, nullptr, 8) & O_ACCMODE);
        }
    }
    return -1;
}

TEST(PortalLockTest, TheLockFileIsOpenedForWriting)
{
    test::TempDir dir;
    PortalLock lock(dir.path());
    lock.acquire();
    EXPECT_TRUE(lock.held());
    EXPECT_EQ(accessModeOf(fs::canonical(dir.path()) / PortalLock::kLockFile), O_RDWR);
    lock.release();
}

TEST(PortalLockTest, AReaderTakesItThroughAReadOnlyDescriptor)
{
    test::TempDir dir;
    {
        std::ofstream(dir.path() / PortalLock::kLockFile);
    }
    fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    fs::permissions(dir.path() / PortalLock::kLockFile, fs::perms::owner_read | fs::perms::others_read);
    const fs::path file = fs::canonical(dir.path()) / PortalLock::kLockFile;
    // A child process without the right to write the file (root may write whatever the modes say, so it
    // becomes "nobody"): exit code 0 when it took the lock through a read-only descriptor.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        try {
            PortalLock lock(dir.path());
            lock.acquire(0);
            ::_exit(accessModeOf(file) == O_RDONLY ? 0 : 1);
        } catch (...) {
            ::_exit(2);
        }
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: not read-only, 2: refused, 3: could not drop the rights";
}

} // namespace
} // namespace kw::server
