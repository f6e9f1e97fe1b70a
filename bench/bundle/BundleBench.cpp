// Speed of moving a layout between portals: the largest demo layout (with its pictures) exported to a
// bundle file, the file checked in memory, and imported into a fresh portal, each in milliseconds; the
// checks of the bundle are part of the import.
#include "bundle/BundleReader.h"
#include "bundle/LayoutTransfer.h"
#include "demo/DemoPortal.h"
#include "layout/LayoutList.h"
#include "server/PortalStore.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace kw;

// A demo portal and a fresh empty one in a temporary folder, removed at exit.
class Portals {
public:
    Portals()
    {
        std::string pattern = (fs::temp_directory_path() / "kwbench-XXXXXX").string();
        m_folder = ::mkdtemp(pattern.data());
        demo::createDemoPortal(demoFolder());
        server::createPortalStore(freshFolder(), {"Leer", false, {}});
        demo::publishInitialLayout(freshFolder());
        const server::Environment env = server::LocalPortal::open(demoFolder());
        // The largest layout: the most bytes of layout file and pictures together.
        std::size_t largest = 0;
        for (const layout::LayoutEntry &entry : layout::LayoutList(*env.factory, env.session).list()) {
            const bundle::Bundle contents = bundle::exportLayout(env, entry.fileName);
            std::size_t size = contents.layout.size();
            for (const bundle::BundlePicture &picture : contents.pictures)
                size += picture.bytes.size();
            if (size > largest) {
                largest = size;
                m_largest = entry.fileName;
            }
        }
    }
    ~Portals()
    {
        std::error_code ec;
        fs::remove_all(m_folder, ec);
    }
    fs::path demoFolder() const { return m_folder / "demo"; }
    fs::path freshFolder() const { return m_folder / "fresh"; }
    fs::path bundleFile() const { return m_folder / "largest.kwlayout"; }
    const std::string &largest() const { return m_largest; }

private:
    fs::path m_folder;
    std::string m_largest;
};

Portals &portals()
{
    static Portals made;
    return made;
}

// Reads the layout from the portal, writes the bundle file.
void ExportLargestDemoLayout(benchmark::State &state)
{
    const server::Environment env = server::LocalPortal::open(portals().demoFolder());
    std::size_t bytes = 0;
    for (auto _ : state) {
        const bundle::Bytes file = bundle::writeBundle(bundle::exportLayout(env, portals().largest()));
        bundle::writeBundleFile(portals().bundleFile(), file);
        bytes = file.size();
    }
    state.SetLabel(portals().largest() + ", " + std::to_string(bytes) + " bytes");
}
BENCHMARK(ExportLargestDemoLayout)->Unit(benchmark::kMillisecond);

// Every check of a bundle from outside, on the bytes in memory.
void CheckLargestBundle(benchmark::State &state)
{
    const server::Environment env = server::LocalPortal::open(portals().demoFolder());
    const bundle::Bytes file = bundle::writeBundle(bundle::exportLayout(env, portals().largest()));
    for (auto _ : state)
        benchmark::DoNotOptimize(bundle::readBundle(file, "largest.kwlayout").pictures.size());
}
BENCHMARK(CheckLargestBundle)->Unit(benchmark::kMillisecond);

// Reads and checks the file, compares it with the portal and writes the layout and its pictures as one
// batch into a portal that has none of them.
void ImportLargestDemoLayout(benchmark::State &state)
{
    {
        const server::Environment env = server::LocalPortal::open(portals().demoFolder());
        bundle::writeBundleFile(portals().bundleFile(),
                                bundle::writeBundle(bundle::exportLayout(env, portals().largest())));
    }
    const server::Environment env = server::LocalPortal::open(portals().freshFolder());
    for (auto _ : state) {
        const bundle::Bundle contents = bundle::readBundleFile(portals().bundleFile());
        const bundle::ImportPlan plan = bundle::planImport(env, contents, std::nullopt);
        bundle::applyImport(env, contents, plan);
        state.PauseTiming();
        fs::remove(portals().freshFolder() / "_KwTemplates" / plan.layoutFile);
        for (const bundle::BundlePicture &picture : contents.pictures)
            fs::remove(portals().freshFolder() / "Images" / "Company" / picture.name);
        state.ResumeTiming();
    }
}
BENCHMARK(ImportLargestDemoLayout)->Unit(benchmark::kMillisecond);

} // namespace
