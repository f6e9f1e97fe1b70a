#include "server/PortalFileSystem.h"

#include "base/SystemErrorText.h"
#include "base/Values.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <random>
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
    return systemErrorText(errno);
}

[[noreturn]] void throwOutside(const std::string &path)
{
    throw ServerError(ServerError::AccessDenied,
                      "Der Pfad \"" + path + "\" führt aus dem Portalordner hinaus und wird abgelehnt.");
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

PortalFileSystem::PortalFileSystem(const fs::path &root, std::shared_ptr<FileOps> ops)
    : m_ops(ops ? std::move(ops) : std::shared_ptr<FileOps>(&FileOps::system(), [](FileOps *) {}))
{
    std::error_code ec;
    m_root = fs::canonical(root, ec);
    if (ec || !fs::is_directory(m_root))
        throw ServerError(ServerError::NotFound, "Den Portalordner " + root.string() + " gibt es nicht.");
}

void PortalFileSystem::checkConfined(const fs::path &path) const
{
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(path, ec);
    if (ec)
        throw ServerError(ServerError::Fail,
                          "Der Pfad " + path.string() + " lässt sich nicht auflösen: " + systemErrorText(ec));
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
            throw ServerError(ServerError::NotFound,
                              "Den Ordner \"" + serverPath + "\" gibt es im Portal " + rootText + " nicht.");
        current = *found;
        checkConfined(current);
    }
    return current;
}

fs::path PortalFileSystem::resolveFile(const fs::path &folder, const std::string &name) const
{
    if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string::npos)
        throw ServerError(ServerError::InvalidArgument,
                          "\"" + name + "\" ist kein Dateiname (Ordner " + folder.string() + ").");
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
        throw ServerError(ServerError::Fail, "Der Inhalt des Ordners " + folder.string() +
                                                 " kann nicht gelesen werden: " + systemErrorText(ec));
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
        throw ServerError(code, "Die Datei " + file.string() + " kann nicht gelesen werden: " + errnoText());
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
            throw ServerError(ServerError::Fail,
                              "Die Datei " + file.string() + " kann nicht gelesen werden: " + reason);
        }
        if (got == 0)
            break;
        contents.insert(contents.end(), buffer, buffer + got);
    }
    ::close(fd);
    return contents;
}

ServerError PortalFileSystem::writeError(const fs::path &file, const std::string &step)
{
    return ServerError(writeFailureCode(errno), "Die Datei " + file.string() +
                                                    " kann nicht geschrieben werden (" + step +
                                                    "): " + errnoText());
}

fs::path PortalFileSystem::writeTemporary(const fs::path &target, const Bytes &contents) const
{
    std::string pattern = (target.parent_path() / (std::string(kTempPrefix) + "XXXXXX")).string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        throw writeError(target, "beim Anlegen einer temporären Datei im Ordner");
    auto fail = [&](const std::string &step) {
        const ServerError error = writeError(target, step);
        ::close(fd);
        ::unlink(pattern.c_str());
        return error;
    };
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t wrote = m_ops->write(fd, contents.data() + done, contents.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            if (wrote == 0)
                errno = ENOSPC;
            throw fail("beim Schreiben");
        }
        done += static_cast<std::size_t>(wrote);
    }
    // A replaced file keeps its mode and, where this process may give it, its group; a new one is 0644.
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        if (::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
            // Not a member of that group: the file takes this process's group.
        }
        ::fchmod(fd, old.st_mode & 07777);
    } else {
        ::fchmod(fd, 0644);
    }
    if (m_ops->fsync(fd) != 0)
        throw fail("beim Sichern auf den Datenträger");
    ::close(fd);
    return pattern;
}

fs::path PortalFileSystem::temporaryName(const fs::path &target) const
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    for (;;) {
        std::string name(kTempPrefix);
        for (int i = 0; i < 8; ++i)
            name += kLetters[random() % (sizeof kLetters - 1)];
        fs::path candidate = target.parent_path() / name;
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec)))
            return candidate;
    }
}

void PortalFileSystem::rename(const fs::path &from, const fs::path &to, const fs::path &target) const
{
    if (m_ops->rename(from.c_str(), to.c_str()) != 0)
        throw writeError(target, "beim Ersetzen");
}

void PortalFileSystem::link(const fs::path &from, const fs::path &to, const fs::path &target) const
{
    if (m_ops->link(from.c_str(), to.c_str()) != 0)
        throw writeError(target, "beim Aufbewahren der alten Datei");
}

void PortalFileSystem::syncFolder(const fs::path &folder) const
{
    const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        throw writeError(folder, "beim Sichern des Ordners auf den Datenträger");
    if (m_ops->fsync(dirFd) != 0) {
        const ServerError error = writeError(folder, "beim Sichern des Ordners auf den Datenträger");
        ::close(dirFd);
        throw error;
    }
    ::close(dirFd);
}

bool PortalFileSystem::remove(const fs::path &file) const
{
    if (m_ops->unlink(file.c_str()) == 0)
        return true;
    if (errno == ENOENT)
        return false;
    throw ServerError(writeFailureCode(errno),
                      "Die Datei " + file.string() + " kann nicht gelöscht werden: " + errnoText());
}

void PortalFileSystem::writeAtomically(const fs::path &file, const Bytes &contents) const
{
    const fs::path temporary = writeTemporary(file, contents);
    try {
        rename(temporary, file, file);
    } catch (const ServerError &) {
        ::unlink(temporary.c_str());
        throw;
    }
    syncFolder(file.parent_path());
}

bool PortalFileSystem::isTemporaryName(std::string_view name)
{
    return name.starts_with(kTempPrefix);
}

int PortalFileSystem::removeTemporaries() const
{
    int removed = 0;
    std::error_code ec;
    for (auto it =
             fs::recursive_directory_iterator(m_root, fs::directory_options::skip_permission_denied, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_symlink(ec) || !isTemporaryName(it->path().filename().string()))
            continue;
        if (it->is_regular_file(ec) && ::unlink(it->path().c_str()) == 0)
            ++removed;
    }
    return removed;
}

} // namespace kw::server
