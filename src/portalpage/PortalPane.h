// One preview pane without a window: its elements, their switches, rebuilding and layout.
#pragma once

#include "portalpage/Elements.h"
#include "portalpage/PaneLayout.h"

#include <span>
#include <string_view>
#include <vector>

namespace kw::portalpage {

/// The elements of one pane over the shared model. Every pane has all eight element objects; the title
/// bar and the application menu are registered (and so created, rebuilt, laid out and painted) only in
/// the application pages pane.
class PortalPane {
public:
    PortalPane(layout::Pane kind, const layout::LayoutModel &model);
    PortalPane(const PortalPane &) = delete;
    PortalPane &operator=(const PortalPane &) = delete;

    layout::Pane kind() const { return m_kind; }
    bool isStartPagePane() const { return m_kind == layout::Pane::StartPage; }
    const layout::LayoutModel &model() const { return m_model; }

    /// The registered elements in creation order: page header, main menu, submenu logo, submenu heading,
    /// submenu, (title bar, application menu,) application page.
    std::span<CPreviewElement *const> elements() const { return m_registered; }
    /// A registered element by name or region; null when the pane has none of that name.
    CPreviewElement *element(std::string_view name) const;
    CPreviewElement *element(layout::RegionId region) const;

    CPageHeaderElement &header() { return m_header; }
    CMainMenuElement &mainMenu() { return m_mainMenu; }
    CSubmenuLogoElement &submenuLogo() { return m_submenuLogo; }
    CSubmenuHeadingElement &submenuHeading() { return m_submenuHeading; }
    CSubmenuElement &submenu() { return m_submenu; }
    CAppTitleElement &appTitle() { return m_appTitle; }
    CAppMenuElement &appMenu() { return m_appMenu; }
    CAppPageElement &appPage() { return m_appPage; }
    const CAppPageElement &appPage() const { return m_appPage; }

    /// Creates the registered elements in order: each reads its texts and rebuilds.
    void Create(ElementContext &context);
    /// Copies the pane's display switches into the elements (info bars, tree menu, picture, logo,
    /// welcome text, menu right) and rebuilds every registered element.
    void ApplySwitches(ElementContext &context);
    /// Rebuilds every registered element. A server error ends the rebuild of the element it happened in;
    /// the others are rebuilt all the same. Returns false when any element's rebuild failed.
    bool Rebuild(ElementContext &context);

    /// The element rectangles for a requested size and the pane's client size.
    PaneLayout Layout(int width, int height, Size client, bool layoutOpen) const;

private:
    layout::Pane m_kind;
    const layout::LayoutModel &m_model;
    CPageHeaderElement m_header;
    CMainMenuElement m_mainMenu;
    CSubmenuLogoElement m_submenuLogo;
    CSubmenuHeadingElement m_submenuHeading;
    CSubmenuElement m_submenu;
    CAppTitleElement m_appTitle;
    CAppMenuElement m_appMenu;
    CAppPageElement m_appPage;
    std::vector<CPreviewElement *> m_registered;
};

} // namespace kw::portalpage
