// The preview's cost: opening the demo portal's active layout into both panes (load, rebuild, lay out,
// first paint of each) and repainting one pane at 1280 x 800.
#include "../BenchPrompters.h"
#include "../QtBenchMain.h"
#include "preview/LayoutPreview.h"

#include "demo/DemoPortal.h"

#include <QGuiApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace {

using namespace kw;

const QSize kSize(1280, 800);

// The demo portal in a temporary folder, made once and removed at exit.
const std::filesystem::path &demoPortal()
{
    static const struct Portal {
        std::filesystem::path path;
        Portal()
        {
            std::string pattern = (std::filesystem::temp_directory_path() / "kwbench-XXXXXX").string();
            if (!::mkdtemp(pattern.data()))
                throw std::runtime_error("cannot create a temporary folder");
            path = pattern;
            demo::createDemoPortal(path);
        }
        ~Portal()
        {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    } portal;
    return portal.path;
}

void BM_OpenDemoLayout(benchmark::State &state)
{
    bench::LoggingPrompter prompter;
    const server::Environment env = server::LocalPortal::open(demoPortal());
    for (auto _ : state) {
        preview::LayoutPreview preview(env, prompter);
        if (!preview.open("Aktives Layout"))
            state.SkipWithError("the demo layout could not be opened");
        QImage start = preview.render(layout::Pane::StartPage, kSize);
        QImage application = preview.render(layout::Pane::ApplicationPages, kSize);
        benchmark::DoNotOptimize(start.constBits());
        benchmark::DoNotOptimize(application.constBits());
    }
}
BENCHMARK(BM_OpenDemoLayout)->Unit(benchmark::kMillisecond);

void BM_RepaintPane(benchmark::State &state)
{
    bench::LoggingPrompter prompter;
    preview::LayoutPreview preview(server::LocalPortal::open(demoPortal()), prompter);
    preview.open("Aktives Layout");
    const layout::Pane kind = state.range(0) == 0 ? layout::Pane::StartPage : layout::Pane::ApplicationPages;
    const portalpage::PaneLayout layout = preview.layoutFor(kind, kSize);
    QImage image(kSize, QImage::Format_RGB32);
    const int decodesBefore = preview.pictures().decodeCount();
    for (auto _ : state) {
        QPainter painter(&image);
        preview::paintPane(painter, preview.pane(kind), layout);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    if (preview.pictures().decodeCount() != decodesBefore)
        state.SkipWithError("painting decoded pictures");
    state.SetLabel(kind == layout::Pane::StartPage ? "start page pane" : "application pages pane");
}
BENCHMARK(BM_RepaintPane)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks<QGuiApplication>(argc, argv);
}
