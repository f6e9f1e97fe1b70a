// The preview tests' application object and demo portal.
#pragma once

#include "preview/LayoutPreview.h"

#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <memory>

namespace kw::preview::test {

/// A fresh demo portal with a layout preview on it (the header's date fixed to 4 December 2026).
class DemoPreview {
public:
    DemoPreview();
    LayoutPreview &preview() { return *m_preview; }
    kw::test::ScriptedPrompter &prompter() { return m_prompter; }
    /// Opens the active layout with the menu column at the left and a main menu.
    void openActiveWithClassicMenu();

private:
    kw::test::TempDir m_dir;
    kw::test::ScriptedPrompter m_prompter;
    std::unique_ptr<LayoutPreview> m_preview;
};

} // namespace kw::preview::test
