// Test fixtures: a temporary folder, and a fresh local portal inside one.
#pragma once

#include "server/LocalPortal.h"
#include "server/PortalAccess.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kw::test {

/// A folder under the system's temporary folder, removed with everything in it at destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;
    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

/// A new portal store (optionally with the demo data), opened for its first user.
class TempPortal {
public:
    explicit TempPortal(bool demo = true, const std::string &user = {});

    const std::filesystem::path &root() const { return m_dir.path(); }
    server::Environment &env() { return m_env; }
    server::IObjectFactory &factory() { return *m_env.factory; }
    const server::Ref<server::ISession> &session() const { return m_env.session; }

    /// Opens the portal anew (as another program would, recovering an interrupted batch), changing files
    /// through `ops` from now on.
    server::Environment &reopen(std::shared_ptr<server::FileOps> ops = {});
    /// The portal's temporary files and journals: what an interrupted write leaves behind.
    std::vector<std::string> leftovers() const;

    /// Local path of a portal file given in server notation ("_KwStyle\\global.css").
    std::filesystem::path local(const std::string &serverPath) const;
    bool exists(const std::string &serverPath) const;
    /// Raw bytes of a portal file as a string ("" when missing).
    std::string read(const std::string &serverPath) const;
    void write(const std::string &serverPath, const std::string &bytes) const;

private:
    std::string m_user;
    TempDir m_dir;
    server::Environment m_env;
};

/// Reads a whole local file as bytes.
std::string readFile(const std::filesystem::path &path);
void writeFile(const std::filesystem::path &path, const std::string &bytes);

} // namespace kw::test
