#include "server/PortalFileSystem.h"

#include "base/Values.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw::server {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTempPrefix = ".kwtmp-";

std::vector<std::string> splitPath(std::string_view path)
{
    std::vector<std::string> parts;
    std::string current;
    for (const char ch : path) {
        if (ch == '/' || ch == '\\') {
            if (!current.empty())
                parts.push_back(std::move(current));
            current.clear();
        } else {
            current += ch;
        }
    }
    if (!current.empty())
        parts.push_back(std::move(current));
    return parts;
}

std::string errnoText()
{
    return std::strerror(errno);
}

[[noreturn]] void throwOutside(const std::string &path)
{
    throw ServerError(ServerError::AccessDenied,
                      "The path \"" + path + "\" leads outside the portal folder and is refused.");
}

} // namespace

int writeFailureCode(int errorNumber)
{
    return errorNumber == EACCES || errorNumber == EPERM || errorNumber == EROFS ? ServerError::AccessDenied
                                                                                 : ServerError::WriteFault;
}

bool wildcardMatch(std::string_view pattern, std::string_view name)
{
    // Iterative matcher with back-tracking to the last '*'.
    std::size_t p = 0, n = 0, starP = std::string_view::npos, starN = 0;
    auto same = [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    };
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], name[n]))) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

PortalFileSystem::PortalFileSystem(const fs::path &root)
{
    std::error_code ec;
    m_root = fs::canonical(root, ec);
    if (ec || !fs::is_directory(m_root))
        throw ServerError(ServerError::NotFound, "The portal folder " + root.string() + " does not exist.");
}

void PortalFileSystem::checkConfined(const fs::path &path) const
{
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(path, ec);
    if (ec)
        throw ServerError(ServerError::Fail,
                          "The path " + path.string() + " cannot be resolved: " + ec.message());
    const auto [rootEnd, realIt] = std::mismatch(m_root.begin(), m_root.end(), real.begin(), real.end());
    if (rootEnd != m_root.end())
        throwOutside(path.string());
}

std::optional<fs::path> PortalFileSystem::findEntry(const fs::path &folder, const std::string &name) const
{
    std::error_code ec;
    if (fs::exists(fs::symlink_status(folder / name, ec)))
        return folder / name;
    for (const auto &entry : fs::directory_iterator(folder, ec)) {
        const std::string entryName = entry.path().filename().string();
        if (equalsIgnoringCase(entryName, name))
            return entry.path();
    }
    return std::nullopt;
}

fs::path PortalFileSystem::resolveFolder(const std::string &serverPath) const
{
    std::string rest = serverPath;
    std::replace(rest.begin(), rest.end(), '\\', '/');
    const std::string rootText = m_root.string();
    if (rest.compare(0, rootText.size(), rootText) == 0 &&
        (rest.size() == rootText.size() || rest[rootText.size()] == '/')) {
        rest.erase(0, rootText.size());
    } else if (!rest.empty() && rest.front() == '/') {
        throwOutside(serverPath);
    }
    fs::path current = m_root;
    for (const std::string &part : splitPath(rest)) {
        if (part == ".")
            continue;
        if (part == "..")
            throwOutside(serverPath);
        const auto found = findEntry(current, part);
        if (!found || !fs::is_directory(*found))
            throw ServerError(ServerError::NotFound, "The folder \"" + serverPath +
                                                         "\" does not exist in the portal " + rootText + ".");
        current = *found;
        checkConfined(current);
    }
    return current;
}

fs::path PortalFileSystem::resolveFile(const fs::path &folder, const std::string &name) const
{
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos)
        throw ServerError(ServerError::InvalidArgument,
                          "\"" + name + "\" is not a file name (folder " + folder.string() + ").");
    const fs::path path = findEntry(folder, name).value_or(folder / name);
    checkConfined(path);
    return path;
}

std::vector<std::string> PortalFileSystem::listFiles(const fs::path &folder) const
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto &entry : fs::directory_iterator(folder, ec)) {
        std::string name = entry.path().filename().string();
        if (name.starts_with(kTempPrefix) || !entry.is_regular_file(ec))
            continue;
        names.push_back(std::move(name));
    }
    if (ec)
        throw ServerError(ServerError::Fail,
                          "The folder " + folder.string() + " cannot be listed: " + ec.message());
    std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        const std::string la = toLowerAscii(a), lb = toLowerAscii(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

Bytes PortalFileSystem::readAll(const fs::path &file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int code = errno == ENOENT ? ServerError::NotFound : ServerError::AccessDenied;
        throw ServerError(code, "The file " + file.string() + " cannot be read: " + errnoText());
    }
    Bytes contents;
    std::uint8_t buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const std::string reason = errnoText();
            ::close(fd);
            throw ServerError(ServerError::Fail, "The file " + file.string() + " cannot be read: " + reason);
        }
        if (got == 0)
            break;
        contents.insert(contents.end(), buffer, buffer + got);
    }
    ::close(fd);
    return contents;
}

void PortalFileSystem::writeAtomically(const fs::path &file, const Bytes &contents)
{
    const fs::path folder = file.parent_path();
    std::string pattern = (folder / (std::string(kTempPrefix) + "XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    auto failure = [&](const std::string &step) {
        return ServerError(writeFailureCode(errno),
                           "The file " + file.string() + " cannot be written (" + step + "): " + errnoText());
    };
    if (fd < 0)
        throw failure("no temporary file in the folder");
    auto discard = [&] {
        ::close(fd);
        ::unlink(pattern.c_str());
    };
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t wrote = ::write(fd, contents.data() + done, contents.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            const ServerError error = failure("write");
            discard();
            throw error;
        }
        done += static_cast<std::size_t>(wrote);
    }
    ::fchmod(fd, 0644);
    if (::fsync(fd) != 0) {
        const ServerError error = failure("flush");
        discard();
        throw error;
    }
    ::close(fd);
    if (::rename(pattern.c_str(), file.c_str()) != 0) {
        const ServerError error = failure("replace");
        ::unlink(pattern.c_str());
        throw error;
    }
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0 || ::fsync(dirFd) != 0) {
        const ServerError error = failure("flush folder");
        if (dirFd >= 0)
            ::close(dirFd);
        throw error;
    }
    ::close(dirFd);
}

} // namespace kw::server
