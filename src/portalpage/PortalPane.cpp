// A preview pane's elements.
#include "portalpage/PortalPane.h"

namespace kw::portalpage {

using layout::Pane;
using layout::RegionId;

PortalPane::PortalPane(Pane kind, const layout::LayoutModel &model)
    : m_kind(kind), m_model(model), m_header(model), m_mainMenu(model), m_submenuLogo(model),
      m_submenuHeading(model), m_submenu(model), m_appTitle(model), m_appMenu(model),
      m_appPage(model, kind == Pane::StartPage)
{
    m_registered = {&m_header, &m_mainMenu, &m_submenuLogo, &m_submenuHeading, &m_submenu};
    if (kind == Pane::ApplicationPages) {
        m_registered.push_back(&m_appTitle);
        m_registered.push_back(&m_appMenu);
    }
    m_registered.push_back(&m_appPage);
}

CPreviewElement *PortalPane::element(std::string_view name) const
{
    for (CPreviewElement *element : m_registered)
        if (element->name() == name)
            return element;
    return nullptr;
}

CPreviewElement *PortalPane::element(RegionId region) const
{
    for (CPreviewElement *element : m_registered)
        if (element->region() == region)
            return element;
    return nullptr;
}

void PortalPane::Create(ElementContext &context)
{
    for (CPreviewElement *element : m_registered) {
        try {
            element->Create(context);
        } catch (const ServerError &) {
            // A picture the server could not deliver: the element keeps what it had.
        }
    }
}

void PortalPane::ApplySwitches(ElementContext &context)
{
    const layout::PaneSwitches &sw = m_model.switches(m_kind);
    m_header.infoBarShown = sw.showInfoBar;
    m_appTitle.infoBarShown = sw.showAppInfoBar;
    m_submenu.treeMenuShown = sw.useTreeMenu;
    m_appMenu.pictureShown = sw.showPicture;
    m_appPage.logoShown = sw.showLogo;
    m_appPage.welcomeShown = sw.showWelcome;
    m_appPage.appInfoBarShown = sw.showAppInfoBar;
    m_appPage.menuRight = sw.menuRight;
    Rebuild(context);
}

bool PortalPane::Rebuild(ElementContext &context)
{
    bool complete = true;
    for (CPreviewElement *element : m_registered) {
        try {
            element->Rebuild(context);
        } catch (const ServerError &) {
            complete = false;
        }
    }
    return complete;
}

PaneLayout PortalPane::Layout(int width, int height, Size client, bool layoutOpen) const
{
    PaneLayoutInput input;
    input.layoutOpen = layoutOpen;
    input.applicationPane = m_kind == Pane::ApplicationPages;
    input.switches = m_model.switches(m_kind);
    input.client = client;
    for (const CPreviewElement *element : m_registered)
        input.preferredOf(element->region()) = element->GetPreferredSize();
    PaneLayout result = layoutPane(input, width, height);
    // Elements without a window in this pane stay where they are: nowhere.
    for (RegionId id : layout::kAllRegions)
        if (!element(id))
            result.rects[static_cast<std::size_t>(id)] = {};
    return result;
}

} // namespace kw::portalpage
