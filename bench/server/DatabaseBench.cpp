// Speed of the portal database on both backends (milliseconds): opening a portal (connecting, checking
// the schema, reading the user), and a main-menu save of 20 entries (name, position and groups of each,
// in one transaction). PostgreSQL runs against the server KW_TEST_POSTGRES names (a local socket with
// scripts/with-test-postgres.sh); without it those cases report themselves skipped.
#include "server/LocalPortal.h"
#include "server/PortalStore.h"
#include "server/PostgresDatabase.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace kw::server;

constexpr int kEntries = 20;

// A demo portal with 20 main-menu entries, on SQLite (0) or PostgreSQL (1), removed at the end.
class BenchPortal {
public:
    explicit BenchPortal(bool postgres)
    {
        std::string pattern = (fs::temp_directory_path() / "kwbench-XXXXXX").string();
        m_folder = ::mkdtemp(pattern.data());
        PortalCreateOptions options{"Bench", false, {}};
        if (postgres) {
            const char *server = std::getenv("KW_TEST_POSTGRES");
            m_database = "kwbench_" + std::to_string(::getpid());
            PostgresDatabase admin(server);
            admin.executeAlone("DROP DATABASE IF EXISTS " + m_database + " WITH (FORCE)");
            admin.executeAlone("CREATE DATABASE " + m_database);
            options.database = std::string(server);
            const std::size_t path = options.database.find('/', options.database.find("://") + 3);
            const std::size_t query = options.database.find('?');
            options.database = options.database.substr(0, path) + "/" + m_database +
                               (query == std::string::npos ? "" : options.database.substr(query));
        }
        createPortalStore(m_folder, options);
        addDemoData(m_folder);
        Environment env = LocalPortal::open(m_folder);
        Ref<INavEntryCollection> entries = mainMenu(env);
        while (entries->NavItemCount() < kEntries)
            entries->NavAdd("Eintrag " + std::to_string(entries->NavItemCount()), 0)->EntryCommit();
    }
    ~BenchPortal()
    {
        std::error_code ec;
        fs::remove_all(m_folder, ec);
        if (!m_database.empty())
            PostgresDatabase(std::getenv("KW_TEST_POSTGRES"))
                .executeAlone("DROP DATABASE IF EXISTS " + m_database + " WITH (FORCE)");
    }
    const fs::path &folder() const { return m_folder; }

    static Ref<INavEntryCollection> mainMenu(Environment &env)
    {
        Ref<INavigation> nav = createObject<INavigation>(*env.factory);
        nav->NavInit(env.session, 1);
        return nav->NavEntries();
    }

private:
    fs::path m_folder;
    std::string m_database;
};

bool skipped(benchmark::State &state)
{
    const bool postgres = state.range(0) == 1;
    state.SetLabel(postgres ? "postgresql" : "sqlite");
    if (postgres && !std::getenv("KW_TEST_POSTGRES")) {
        state.SkipWithError("KW_TEST_POSTGRES names no PostgreSQL server");
        return true;
    }
    return false;
}

void OpenPortal(benchmark::State &state)
{
    if (skipped(state))
        return;
    BenchPortal portal(state.range(0) == 1);
    for (auto _ : state) {
        Environment env = LocalPortal::open(portal.folder());
        benchmark::DoNotOptimize(env.session->GetCurrentUser()->GetAccessFlag());
    }
}
BENCHMARK(OpenPortal)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void SaveMainMenu20(benchmark::State &state)
{
    if (skipped(state))
        return;
    BenchPortal portal(state.range(0) == 1);
    Environment env = LocalPortal::open(portal.folder());
    Ref<INavEntryCollection> entries = BenchPortal::mainMenu(env);
    long round = 0;
    for (auto _ : state) {
        ++round;
        env.session->RunAsOneTransaction([&] {
            for (int i = 0; i < kEntries; ++i) {
                Ref<INavEntry> entry = entries->NavItemAt(i);
                entry->EntrySetName("Eintrag " + std::to_string(i) + "." + std::to_string(round));
                entry->EntrySetPosition(i + 1);
                entry->EntrySetGroups({3, static_cast<std::int32_t>(1 + round % 4)});
                entry->EntryCommit();
            }
        });
    }
}
BENCHMARK(SaveMainMenu20)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
