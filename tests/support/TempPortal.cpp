#include "TempPortal.h"

#include "server/PortalStore.h"
#include "server/PostgresDatabase.h"

#include <algorithm>
#include <atomic>
#include <chrono>
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

std::string backendName(Backend backend)
{
    return backend == Backend::Postgres ? "Postgres" : "Sqlite";
}

namespace {

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::string unavailableReason(Backend backend)
{
    if (backend == Backend::Postgres && environment("KW_TEST_POSTGRES").empty())
        return "PostgreSQL case skipped: KW_TEST_POSTGRES names no test server (run the tests under "
               "scripts/with-test-postgres.sh)";
    return {};
}

bool backendRequired()
{
    return environment("KW_REQUIRE_POSTGRES") == "1";
}

std::string testDatabaseAddress(const std::string &name)
{
    const std::string base = environment("KW_TEST_POSTGRES");
    const std::size_t scheme = base.find("://");
    if (scheme == std::string::npos)
        return base + " dbname=" + name; // key=value form
    const std::size_t path = base.find('/', scheme + 3);
    const std::size_t query = base.find('?', scheme + 3);
    const std::size_t hostEnd = std::min(path, query);
    if (hostEnd == std::string::npos)
        return base + "/" + name;
    const std::size_t nameEnd = query == std::string::npos ? base.size() : query;
    return base.substr(0, hostEnd) + "/" + name + base.substr(nameEnd);
}

TempPostgresDatabase::TempPostgresDatabase()
{
    static std::atomic<int> counter{0};
    m_name = "kwtest_" + std::to_string(::getpid()) + "_" + std::to_string(counter++) + "_" +
             std::to_string(std::chrono::steady_clock::now().time_since_epoch().count() % 1000000);
    server::PostgresDatabase admin(environment("KW_TEST_POSTGRES"));
    admin.executeAlone("CREATE DATABASE " + m_name);
    m_address = testDatabaseAddress(m_name);
}

TempPostgresDatabase::~TempPostgresDatabase()
{
    try {
        server::PostgresDatabase admin(environment("KW_TEST_POSTGRES"));
        admin.executeAlone("DROP DATABASE IF EXISTS " + m_name + " WITH (FORCE)");
    } catch (const ServerError &) {
        // The server went away: the throwaway cluster goes with it.
    }
}

TempPortal::TempPortal(bool demo, const std::string &user, Backend backend) : m_user(user)
{
    if (backend == Backend::Postgres)
        m_database = std::make_unique<TempPostgresDatabase>();
    server::PortalCreateOptions options{"Testportal", false, databaseAddress()};
    server::createPortalStore(root(), options);
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
