// Speed of the contrast audit on the demo portal's four layouts, each with background pictures behind the
// page header, the submenu and the page: the whole audit (the preview's texts walked, every pair measured,
// the pictures' pixels under the texts included) and the proposals for every failing pair.
#include "../BenchPrompters.h"
#include "audit/Audit.h"
#include "demo/DemoPortal.h"
#include "layout/LayoutDocument.h"
#include "layout/LayoutValues.h"
#include "portalpage/PreviewContrast.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace kw;

constexpr const char *kLayouts[] = {"global.css", "Blau.kwc", "Herbst.kwc", "Baummenue.kwc"};

// One demo layout opened with its pictures and both panes rebuilt (pictures decoded), as the window has it
// when the audit runs.
struct OpenLayout {
    bench::AgreeingPrompter prompter;
    layout::NoLayoutChooser chooser;
    NoWaitIndicator wait;
    server::Environment env;
    std::unique_ptr<layout::LayoutDocument> document;
    std::unique_ptr<portalpage::HeadlessPreview> preview;

    OpenLayout(const fs::path &portal, const char *file) : env(server::LocalPortal::open(portal))
    {
        document = std::make_unique<layout::LayoutDocument>(env, prompter, chooser, wait);
        document->openLayout(file);
        for (const auto &[key, value] : std::initializer_list<std::pair<const char *, const char *>>{
                 {"KwRootTop.backgroundImage", "header.jpg"},
                 {"KwRootTop.backgroundRepeat", "repeat"},
                 {"KwNavigate.backgroundImage", "header.jpg"},
                 {"KwApplication.backgroundImage", "header.jpg"},
                 {"KwApplication.backgroundRepeat", "repeat"}})
            layout::setLayoutValue(document->model(), document->flags(), key, value);
        preview = std::make_unique<portalpage::HeadlessPreview>(env, prompter, document->model());
    }

    audit::AuditResult audit() const
    {
        const portalpage::PreviewBackdrops backdrops(preview->pane(layout::Pane::StartPage),
                                                     preview->pane(layout::Pane::ApplicationPages));
        return audit::runAudit(document->model(), {document->flags().buttonStylesLoaded}, audit::Level::AA,
                               &backdrops);
    }
};

const fs::path &demoPortal()
{
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "kwauditbench-XXXXXX").string();
        const fs::path made = ::mkdtemp(pattern.data());
        demo::createDemoPortal(made / "portal");
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(demoPortal().parent_path(), ec);
        });
        return made / "portal";
    }();
    return folder;
}

OpenLayout &layoutAt(std::int64_t index)
{
    static std::unique_ptr<OpenLayout> open[std::size(kLayouts)];
    auto &slot = open[index];
    if (!slot)
        slot = std::make_unique<OpenLayout>(demoPortal(), kLayouts[index]);
    return *slot;
}

void WholeAudit(benchmark::State &state)
{
    const OpenLayout &layout = layoutAt(state.range(0));
    std::size_t pictured = 0;
    for (auto _ : state) {
        audit::AuditResult result = layout.audit();
        pictured = static_cast<std::size_t>(
            std::ranges::count_if(result.pairs, [](const audit::PairResult &p) { return p.overPicture(); }));
        benchmark::DoNotOptimize(result);
    }
    state.SetLabel(std::string(kLayouts[state.range(0)]) + ", " + std::to_string(pictured) +
                   " pairs over pictures");
}
BENCHMARK(WholeAudit)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void ProposalsForEveryFailingPair(benchmark::State &state)
{
    const audit::AuditResult measured = layoutAt(state.range(0)).audit();
    for (auto _ : state) {
        audit::AuditResult result = measured;
        audit::addProposals(result);
        benchmark::DoNotOptimize(result);
    }
    state.SetLabel(std::string(kLayouts[state.range(0)]) + ", " +
                   std::to_string(measured.count(audit::Verdict::Fail)) + " failing pairs");
}
BENCHMARK(ProposalsForEveryFailingPair)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace
