// A fixture for tests of the panes in the module's window: the console shown and active, the layout "Blau"
// open with the menu column at the left, logo and welcome text shown, the dialogs the preview opens
// replaced by the test.
#pragma once

#include "ShellTestSupport.h"

#include "preview/ElementHooks.h"
#include "preview/PaneContents.h"
#include "preview/PaneElements.h"
#include "shell/CKwLOutTabbedView.h"
#include "shell/CKwLOutView.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace kw::preview::test {

inline void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

/// Hands the popup menu that the events to come open to `use` while it is open; the flag returned tells
/// afterwards whether one opened.
inline std::shared_ptr<bool> whenPopupMenu(std::function<void(QMenu &)> use)
{
    auto shown = std::make_shared<bool>(false);
    QTimer::singleShot(0, [shown, use = std::move(use)] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            *shown = true;
            use(*menu);
        }
    });
    return shown;
}

class OpenedPanes : public shell::test::ModuleTest {
protected:
    void SetUp() override
    {
        console.open();
        view = console.view();
        ASSERT_NE(view, nullptr);
        // The tests stand in for the dialogs themselves; the module's own are kept for those that drive them.
        realHooks = view->elementHooks();
        view->elementHooks() = {};
        start = view->startPagePane();
        application = view->appPagesPane();
        console.resize(1200, 900);
        console.show();
        console.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&console));
        settle();
        layout::LayoutDocument &doc = view->document();
        ASSERT_TRUE(doc.openLayout("Blau.kwc")) << prompter.describe();
        doc.model().setSwitch(&layout::PaneSwitches::useTreeMenu, false);
        doc.model().setSwitch(&layout::PaneSwitches::menuRight, false);
        doc.model().setSwitch(&layout::PaneSwitches::showLogo, true);
        doc.model().setSwitch(&layout::PaneSwitches::showWelcome, true);
        start->ApplySwitches();
        application->ApplySwitches();
        settle();
    }
    // Closing the window would ask to save what a test changed.
    void TearDown() override
    {
        if (view)
            view->document().setModified(false);
    }

    CAppPageWindow &startPage() const { return *start->contents()->windows().appPage(); }

    shell::test::FakeConsole console;
    shell::CKwLOutTabbedView *view = nullptr;
    CKwLOutView *start = nullptr;
    CKwLOutView *application = nullptr;
    ElementHooks realHooks;
};

} // namespace kw::preview::test
