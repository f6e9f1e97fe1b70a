// The property sheet's cost on the demo portal: from the application page element's properties to the
// sheet painted (offscreen), and from OK to the values back in the layout. Target: 50 ms each.
#include "../BenchPrompters.h"
#include "../QtBenchMain.h"
#include "pages/CWebPagePropSheet.h"
#include "pages/ElementProperties.h"

#include "demo/DemoPortal.h"
#include "layout/LayoutDocument.h"
#include "layoutmodel/GeneralValues.h"
#include "portalpage/PortalPane.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace {

using namespace kw;

/// The demo portal with its active layout open, made once and removed at exit.
struct Demo {
    std::filesystem::path path;
    server::Environment env;
    bench::LoggingPrompter prompter;
    layout::NoLayoutChooser chooser;
    NoWaitIndicator wait;
    std::unique_ptr<layout::LayoutDocument> document;

    Demo()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kwbench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        path = pattern;
        demo::createDemoPortal(path);
        env = server::LocalPortal::open(path);
        document = std::make_unique<layout::LayoutDocument>(env, prompter, chooser, wait);
        document->openLayout("global.css");
    }
    ~Demo()
    {
        document.reset();
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
};

Demo &demoPortal()
{
    static Demo demo;
    return demo;
}

/// The application page's sheet of the start page pane (the largest page set), filled and shown.
std::unique_ptr<pages::CWebPagePropSheet> openSheet(Demo &demo, const portalpage::CPreviewElement &element)
{
    const pages::ElementSheet setup = pages::elementSheet(element);
    auto sheet = std::make_unique<pages::CWebPagePropSheet>(pages::sheetCaption(setup),
                                                            pages::PageContext{demo.env, demo.prompter});
    sheet->generalPage.values = layout::generalValues(demo.document->model(), element.region());
    sheet->Init(setup.kind, setup.withPortal);
    sheet->show();
    return sheet;
}

void BM_OpenApplicationPageSheet(benchmark::State &state)
{
    Demo &demo = demoPortal();
    portalpage::PortalPane pane(layout::Pane::StartPage, demo.document->model());
    for (auto _ : state) {
        auto sheet = openSheet(demo, pane.appPage());
        QPixmap painted = sheet->grab();
        benchmark::DoNotOptimize(painted.cacheKey());
    }
}
BENCHMARK(BM_OpenApplicationPageSheet)->Unit(benchmark::kMillisecond);

void BM_OkApplicationPageSheet(benchmark::State &state)
{
    Demo &demo = demoPortal();
    portalpage::PortalPane pane(layout::Pane::StartPage, demo.document->model());
    for (auto _ : state) {
        state.PauseTiming();
        auto sheet = openSheet(demo, pane.appPage());
        state.ResumeTiming();
        sheet->accept();
        benchmark::DoNotOptimize(layout::storeGeneralValues(
            sheet->generalPage.values, layout::RegionId::KwApplication, demo.document->model()));
    }
}
BENCHMARK(BM_OkApplicationPageSheet)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks<QApplication>(argc, argv);
}
