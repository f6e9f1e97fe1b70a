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

/// The database a test portal keeps its data in.
enum class Backend { Sqlite, Postgres };
/// "Sqlite" or "Postgres" (names of parameterised cases).
std::string backendName(Backend backend);
/// Why cases of `backend` cannot run here; empty when they can. PostgreSQL cases need the address of a
/// server in KW_TEST_POSTGRES (scripts/with-test-postgres.sh starts a throwaway one and sets it).
std::string unavailableReason(Backend backend);
/// Whether a case that cannot run fails instead of being skipped (KW_REQUIRE_POSTGRES=1, as CI sets).
bool backendRequired();

/// A new, empty database on the test server (KW_TEST_POSTGRES), dropped again at destruction.
class TempPostgresDatabase {
public:
    TempPostgresDatabase();
    ~TempPostgresDatabase();
    TempPostgresDatabase(const TempPostgresDatabase &) = delete;
    TempPostgresDatabase &operator=(const TempPostgresDatabase &) = delete;
    const std::string &name() const { return m_name; }
    /// Its libpq address.
    const std::string &address() const { return m_address; }

private:
    std::string m_name;
    std::string m_address;
};

/// The libpq address of database `name` on the test server.
std::string testDatabaseAddress(const std::string &name);

/// A new portal store (optionally with the demo data), opened for its first user, with its database in
/// the folder or in a fresh PostgreSQL database.
class TempPortal {
public:
    explicit TempPortal(bool demo = true, const std::string &user = {}, Backend backend = Backend::Sqlite);

    Backend backend() const { return m_database ? Backend::Postgres : Backend::Sqlite; }
    /// The PostgreSQL database's address ("" for an embedded portal).
    std::string databaseAddress() const { return m_database ? m_database->address() : std::string(); }

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
    std::unique_ptr<TempPostgresDatabase> m_database; // dropped after the folder's portal is closed
    TempDir m_dir;
    server::Environment m_env;
};

/// Reads a whole local file as bytes.
std::string readFile(const std::filesystem::path &path);
void writeFile(const std::filesystem::path &path, const std::string &bytes);

} // namespace kw::test
