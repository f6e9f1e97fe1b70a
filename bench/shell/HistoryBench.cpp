// Undo and redo in the module's window on the demo portal (offscreen): from the key (Ctrl+Z, Ctrl+Y) to
// both panes repainted, for a sheet's step and for a switch of both panes, on each demo layout; and the
// heap that 100 steps of sheet edits hold. Targets: 16 ms per key, 5 MB for 100 steps.
#include "../BenchPrompters.h"
#include "../QtBenchMain.h"
#include "demo/DemoPortal.h"
#include "layout/LayoutDocument.h"
#include "layoutmodel/GeneralValues.h"
#include "layoutmodel/PageValues.h"
#include "shell/CChildFrame.h"
#include "shell/CKwLOutTabbedView.h"
#include "shell/CKwLOutView.h"
#include "shell/DocTemplate.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <benchmark/benchmark.h>

#include <array>
#include <filesystem>
#include <iostream>
#include <malloc.h>
#include <unistd.h>

namespace {

using namespace kw;

constexpr std::array<const char *, 4> kDemoLayouts = {"global.css", "Blau.kwc", "Herbst.kwc",
                                                      "Baummenue.kwc"};

/// The demo portal in a temporary folder and the module's window on it, in a console of its own; made once.
struct Demo {
    std::filesystem::path path;
    server::Environment env;
    bench::LoggingPrompter prompter;
    QMainWindow console;
    std::unique_ptr<shell::CKwLOutDocTemplate> documentTemplate;
    shell::ModuleWindow window;

    Demo()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kwbench-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        path = pattern;
        demo::createDemoPortal(path);
        env = server::LocalPortal::open(path);
        shell::ModuleState &state = shell::moduleState();
        state.factory = env.factory;
        state.session = env.session;
        state.idleInit = true;
        state.prompter = &prompter;
        auto *mdi = new QMdiArea(&console);
        console.setCentralWidget(mdi);
        console.resize(1280, 900);
        console.show();
        auto *host = new QMdiSubWindow;
        mdi->addSubWindow(host);
        documentTemplate = std::make_unique<shell::CKwLOutDocTemplate>(shell::moduleResources());
        window = documentTemplate->openDocumentFile(*host);
        console.activateWindow();
        if (!QTest::qWaitForWindowActive(&console))
            throw std::runtime_error("the console's window did not become active");
    }
    ~Demo()
    {
        view().document().setModified(false);
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    shell::CKwLOutTabbedView &view() const { return *dynamic_cast<shell::CKwLOutTabbedView *>(window.view); }
};

std::unique_ptr<Demo> &demoSlot()
{
    static std::unique_ptr<Demo> demo;
    return demo;
}

Demo &demoWindow()
{
    if (!demoSlot())
        demoSlot() = std::make_unique<Demo>();
    return *demoSlot();
}

/// The values a sheet's OK on the application page changes: background, text, fonts, the table colours.
void sheetEdit(layout::LayoutModel &model, int n)
{
    layout::GeneralValues general = layout::generalValues(model, layout::RegionId::KwApplication);
    general.backgroundColor = rgb(n & 0xFF, 0x40, 0x80);
    general.textColor = rgb(0x10, n & 0xFF, 0x20);
    general.fontFamily = n % 2 ? "Tahoma" : "Verdana";
    general.fontSize = 10 + n % 7;
    layout::storeGeneralValues(general, layout::RegionId::KwApplication, model);
    layout::GridValues tables = layout::tableValues(model.page());
    for (Color &color : tables.colors)
        color = rgb(n & 0xFF, (n * 3) & 0xFF, 0x55);
    tables.titleFont = n % 2 ? "Arial" : "Courier";
    layout::storeTableValues(tables, model.page());
}

/// One key per iteration, undo and redo in turn, each followed by both panes painted in full. Arguments:
/// the demo layout, and the step (0: a sheet's values, 1: a switch of both panes).
void BM_UndoRedoToBothPanesRepainted(benchmark::State &state)
{
    Demo &demo = demoWindow();
    shell::CKwLOutTabbedView &view = demo.view();
    layout::LayoutDocument &document = view.document();
    document.setModified(false);
    if (!document.openLayout(kDemoLayouts[state.range(0)])) {
        state.SkipWithError("the demo layout could not be opened");
        return;
    }
    preview::CKwLOutView *start = view.startPagePane();
    preview::CKwLOutView *application = view.appPagesPane();
    if (state.range(1) == 0) {
        document.history().record("Anwendungsseite bearbeiten", [&] { sheetEdit(document.model(), 7); });
        view.elementsChanged();
    } else {
        start->onCommand(shell::res::ID_MENU_RIGHT);
    }
    // The wait box shown while loading took the activation; the window manager gives it back.
    demo.console.activateWindow();
    if (!QTest::qWaitForWindowActive(&demo.console)) {
        state.SkipWithError("the console's window is not active");
        return;
    }
    QImage startImage(start->size(), QImage::Format_RGB32);
    QImage applicationImage(application->size(), QImage::Format_RGB32);
    QWidget *keyTarget = start->element("KwNavigate");
    // The keys reach the history: one undo and one redo before the measuring.
    QTest::keyClick(keyTarget, Qt::Key_Z, Qt::ControlModifier);
    const bool undone = document.history().position() == 0 && !document.isModified();
    QTest::keyClick(keyTarget, Qt::Key_Y, Qt::ControlModifier);
    if (!undone || document.history().position() != 1) {
        state.SkipWithError("the keys do not undo and redo");
        return;
    }
    bool undo = true;
    for (auto _ : state) {
        QTest::keyClick(keyTarget, undo ? Qt::Key_Z : Qt::Key_Y, Qt::ControlModifier);
        QApplication::processEvents();
        start->render(&startImage);
        application->render(&applicationImage);
        benchmark::DoNotOptimize(startImage.constBits());
        benchmark::DoNotOptimize(applicationImage.constBits());
        undo = !undo;
    }
    state.SetLabel(std::string(kDemoLayouts[state.range(0)]) +
                   (state.range(1) == 0 ? ", sheet" : ", switch"));
}
BENCHMARK(BM_UndoRedoToBothPanesRepainted)
    ->ArgsProduct({{0, 1, 2, 3}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

/// The heap that 100 steps of sheet edits hold in the history of a document, against none.
void BM_HundredSheetSteps(benchmark::State &state)
{
    bench::LoggingPrompter prompter;
    layout::NoLayoutChooser chooser;
    NoWaitIndicator wait;
    const Demo &demo = demoWindow();
    for (auto _ : state) {
        layout::LayoutDocument document(demo.env, prompter, chooser, wait);
        document.openLayout("global.css");
        const std::size_t before = mallinfo2().uordblks;
        for (int n = 1; n <= 100; ++n)
            document.history().record("Anwendungsseite bearbeiten", [&] { sheetEdit(document.model(), n); });
        const std::size_t after = mallinfo2().uordblks;
        state.counters["history_bytes"] = static_cast<double>(after - before);
        state.counters["steps"] = static_cast<double>(document.history().steps().size());
    }
}
BENCHMARK(BM_HundredSheetSteps)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    return runQtBenchmarks<QApplication>(argc, argv, [] { demoSlot().reset(); });
}
