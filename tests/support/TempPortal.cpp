#include "TempPortal.h"

#include "server/PortalStore.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace kw::test {

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::string pattern = (fs::temp_directory_path() / "kwtest-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    m_path = pattern;
}

TempDir::~TempDir()
{
    std::error_code ec;
    // Undo permission changes of tests so that everything can be removed.
    for (auto it = fs::recursive_directory_iterator(m_path, ec);
         !ec && it != fs::recursive_directory_iterator(); ++it)
        if (it->is_directory(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
}

TempPortal::TempPortal(bool demo, const std::string &user) : m_user(user)
{
    server::createPortalStore(root(), {"Testportal", false});
    if (demo)
        server::addDemoData(root());
    m_env = server::LocalPortal::open(root(), user);
}

server::Environment &TempPortal::reopen(std::shared_ptr<server::FileOps> ops)
{
    m_env = {};
    m_env = server::LocalPortal::open(root(), m_user, std::move(ops));
    return m_env;
}

std::vector<std::string> TempPortal::leftovers() const
{
    std::vector<std::string> found;
    for (const auto &entry : fs::recursive_directory_iterator(root())) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(".kwtmp-") || name.starts_with("KwPortal.journal"))
            found.push_back(entry.path().lexically_relative(root()).string());
    }
    return found;
}

fs::path TempPortal::local(const std::string &serverPath) const
{
    std::string path = serverPath;
    std::replace(path.begin(), path.end(), '\\', '/');
    return root() / path;
}

bool TempPortal::exists(const std::string &serverPath) const
{
    return fs::exists(local(serverPath));
}
std::string TempPortal::read(const std::string &serverPath) const
{
    return readFile(local(serverPath));
}
void TempPortal::write(const std::string &serverPath, const std::string &bytes) const
{
    writeFile(local(serverPath), bytes);
}

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

void writeFile(const fs::path &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

} // namespace kw::test
