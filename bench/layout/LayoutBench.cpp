// Speed of the layout engine on the demo portal: stylesheet text of the active layout parsed and
// generated (MB/s), a whole load and a whole activation against a local portal, and the six published
// files written one by one against the same files written as one batch (milliseconds).
#include "../BenchPrompters.h"
#include "css/CssDocument.h"
#include "demo/DemoPortal.h"
#include "layout/LayoutDocument.h"
#include "server/PortalAccess.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The demo portal, created once in a temporary folder and removed at exit.
class DemoPortal {
public:
    DemoPortal()
    {
        std::string pattern = (fs::temp_directory_path() / "kwbench-XXXXXX").string();
        m_folder = ::mkdtemp(pattern.data());
        kw::demo::createDemoPortal(m_folder);
    }
    ~DemoPortal()
    {
        std::error_code ec;
        fs::remove_all(m_folder, ec);
    }
    const fs::path &folder() const { return m_folder; }
    std::string globalCss() const
    {
        kw::server::Environment env = kw::server::LocalPortal::open(m_folder);
        kw::server::PortalConnection connection(*env.factory, env.session);
        return kw::server::readTextFile(*connection.folder(kw::server::folders::Style), "global.css");
    }

private:
    fs::path m_folder;
};

DemoPortal &demo()
{
    static DemoPortal portal;
    return portal;
}

void ParseDemoLayout(benchmark::State &state)
{
    const std::string text = demo().globalCss();
    for (auto _ : state) {
        kw::css::CCssDocument document;
        document.New();
        document.LoadCss(text.data(), static_cast<int>(text.size()), true);
        benchmark::DoNotOptimize(document.Root().GetChildren().size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(ParseDemoLayout);

void GenerateDemoLayout(benchmark::State &state)
{
    const std::string text = demo().globalCss();
    kw::css::CCssDocument document;
    document.New();
    document.LoadCss(text.data(), static_cast<int>(text.size()), true);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string generated = document.GenerateCss();
        bytes += generated.size();
        benchmark::DoNotOptimize(generated.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(GenerateDemoLayout);

struct Session {
    kw::bench::AgreeingPrompter prompter;
    kw::layout::NoLayoutChooser chooser;
    kw::NoWaitIndicator wait;
    kw::layout::LayoutDocument document{kw::server::LocalPortal::open(demo().folder()), prompter, chooser,
                                        wait};
};

void LoadActiveLayout(benchmark::State &state)
{
    Session session;
    for (auto _ : state)
        benchmark::DoNotOptimize(session.document.openLayout("global.css"));
}
BENCHMARK(LoadActiveLayout)->Unit(benchmark::kMillisecond);

void LoadAndActivate(benchmark::State &state)
{
    Session session;
    for (auto _ : state) {
        session.document.openLayout("Blau.kwc");
        session.document.commandSaveAsActive();
    }
}
BENCHMARK(LoadAndActivate)->Unit(benchmark::kMillisecond);

// The files an activation publishes, with the demo's active contents.
struct PublishedText {
    const char *folder;
    const char *name;
    std::string text;
};
std::vector<PublishedText> publishedTexts(const kw::server::PortalConnection &connection)
{
    using namespace kw::server;
    std::vector<PublishedText> files = {{folders::CompanySettings, "KwStyles.asp", {}},
                                        {folders::CompanySettings, "LayoutSettings.asp", {}},
                                        {folders::Style, "global.css", {}},
                                        {folders::Style, "menu.css", {}},
                                        {folders::Style, "buttonstyles.css", {}},
                                        {folders::Style, "rollover.asp", {}}};
    for (PublishedText &file : files)
        file.text = readTextFile(*connection.folder(file.folder), file.name);
    return files;
}

// The six files written one after the other, each replaced atomically and its folder flushed (what an
// activation did before it became one batch).
void PublishSixFilesOneByOne(benchmark::State &state)
{
    const kw::server::Environment env = kw::server::LocalPortal::open(demo().folder());
    const kw::server::PortalConnection connection(*env.factory, env.session);
    const auto files = publishedTexts(connection);
    for (auto _ : state)
        for (const PublishedText &file : files)
            kw::server::writeTextFile(*connection.folder(file.folder), file.name, file.text);
}
BENCHMARK(PublishSixFilesOneByOne)->Unit(benchmark::kMillisecond);

// The same six files as one batch: temporary files, journal, renames, one flush per folder, the history.
void PublishSixFilesAsOneBatch(benchmark::State &state)
{
    const kw::server::Environment env = kw::server::LocalPortal::open(demo().folder());
    const kw::server::PortalConnection connection(*env.factory, env.session);
    const auto files = publishedTexts(connection);
    for (auto _ : state) {
        kw::server::PublishScope batch(*env.factory, env.session, "Blau");
        for (const PublishedText &file : files)
            kw::server::writeTextFile(*connection.folder(file.folder), file.name, file.text);
        batch.commit();
    }
}
BENCHMARK(PublishSixFilesAsOneBatch)->Unit(benchmark::kMillisecond);

} // namespace
