// The portal page of a preview pane window.
#include "preview/PaneContents.h"

#include "preview/LocaleDate.h"

namespace kw::preview {

PaneContents::PaneContents(layout::Pane kind, layout::LayoutDocument &document, server::Environment env,
                           Prompter &prompter, QWidget *parent, ElementHost *host)
    : m_document(document)
{
    m_pictures = std::make_unique<portalpage::PictureSource>(env);
    m_context = std::make_unique<portalpage::ElementContext>(
        portalpage::ElementContext{env, prompter, m_measure.device(), *m_pictures, headerDateToday()});
    m_pane = std::make_unique<portalpage::PortalPane>(kind, document.model());
    if (kind == layout::Pane::StartPage && env.factory) {
        std::int32_t defaultLanguage = 1031;
        layout::readCompanySettings(env, document.companySettings(), defaultLanguage, prompter);
    }
    takeDocument();
    m_pane->Create(*m_context);
    m_windows = std::make_unique<PaneElements>(*m_pane, parent, host);
}

PaneContents::~PaneContents() = default;

void PaneContents::takeDocument()
{
    m_pane->appPage().setCompany(m_document.companySettings());
    m_pane->appPage().setLayoutLabel(m_document.layoutLabel());
}

void PaneContents::layoutLoaded()
{
    takeDocument();
    applySwitches();
}

void PaneContents::layoutSaved()
{
    takeDocument();
    rebuildAppPage();
}

void PaneContents::companyChanged()
{
    takeDocument();
    // Only the default start page shows the logo and the welcome text.
    if (m_pane->isStartPagePane())
        rebuildAppPage();
}

void PaneContents::mainMenuChanged()
{
    m_pane->mainMenu().LoadEntries(*m_context);
    m_windows->refresh();
}

void PaneContents::rebuildAppPage()
{
    try {
        m_pane->appPage().Rebuild(*m_context);
    } catch (const ServerError &) {
        // A picture the server could not deliver: the page keeps what it had.
    }
    m_windows->refresh();
}

void PaneContents::applySwitches()
{
    m_pane->ApplySwitches(*m_context);
    m_windows->refresh();
}

void PaneContents::rebuild()
{
    m_pane->Rebuild(*m_context);
    m_windows->refresh();
}

portalpage::Size PaneContents::layout(int width, int height, QSize client, QPoint offset)
{
    const portalpage::PaneLayout placed =
        m_pane->Layout(width, height, {client.width(), client.height()}, m_document.isOpen());
    m_windows->place(placed, offset);
    return placed.scrollSize;
}

} // namespace kw::preview
