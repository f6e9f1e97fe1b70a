// A fixture for tests of the content area's property sheet: a fresh portal and layout, the sheet opened as
// the preview opens it and worked from inside its event loop.
#pragma once

#include "pages/CWebPagePropSheet.h"
#include "pages/ElementProperties.h"

#include "layout/LayoutDocument.h"
#include "portalpage/PortalPane.h"

#include "PagesTestSupport.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <functional>

namespace kw::pages::test {

class AppPageSheetTest : public ::testing::Test {
protected:
    /// Opens the sheet of the content area of `pane`, runs `step` on it, then presses OK (or Abbrechen when
    /// `ok` is false) unless the step closed it. Returns what editing reported.
    bool editSheet(const std::function<void(CWebPagePropSheet &)> &step, bool ok = true,
                   layout::Pane pane = layout::Pane::StartPage)
    {
        portalpage::PortalPane preview(pane, document.model());
        whenModal([&](QDialog &dialog) {
            step(static_cast<CWebPagePropSheet &>(dialog));
            if (dialog.isVisible())
                click(dialog, ok ? 1 : 2);
        });
        return editElementProperties(nullptr, *preview.element(layout::RegionId::KwApplication), document,
                                     portal.env(), prompter);
    }
    /// The same on the page with tab `caption`.
    bool editPage(const char *caption, const std::function<void(QWidget &)> &step, bool ok = true)
    {
        return editSheet(
            [&](CWebPagePropSheet &sheet) {
                ASSERT_TRUE(showTab(sheet, caption)) << caption;
                step(*sheet.activePage());
            },
            ok);
    }

    kw::test::TempPortal portal{false};
    kw::test::ScriptedPrompter prompter;
    layout::NoLayoutChooser chooser;
    NoWaitIndicator wait;
    layout::LayoutDocument document{portal.env(), prompter, chooser, wait};
};

} // namespace kw::pages::test
