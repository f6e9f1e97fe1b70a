// A layout opened for the preview without a window.
#include "preview/LayoutPreview.h"

#include "base/Values.h"
#include "layout/LayoutList.h"
#include "preview/LocaleDate.h"

namespace kw::preview {

using layout::Pane;

namespace {

bool endsWith(const std::string &text, std::string_view end)
{
    return text.size() >= end.size() &&
           equalsIgnoringCase(std::string_view(text).substr(text.size() - end.size()), end);
}

} // namespace

std::string layoutFileOf(const std::string &name)
{
    if (layout::isActiveLayoutFile(name) || endsWith(name, layout::kLayoutExtension))
        return name;
    return layout::layoutFileFromName(name);
}

LayoutPreview::LayoutPreview(server::Environment env, Prompter &prompter,
                             std::optional<portalpage::HeaderDate> date)
    : m_env(std::move(env)), m_prompter(prompter), m_chooser(std::make_unique<layout::NoLayoutChooser>())
{
    m_document = std::make_unique<layout::LayoutDocument>(m_env, prompter, *m_chooser, m_wait);
    m_pictures = std::make_unique<portalpage::PictureSource>(m_env);
    m_context = std::make_unique<portalpage::ElementContext>(portalpage::ElementContext{
        m_env, prompter, m_measure.device(), *m_pictures, date ? *date : headerDateToday()});
    m_start = std::make_unique<portalpage::PortalPane>(Pane::StartPage, m_document->model());
    m_application = std::make_unique<portalpage::PortalPane>(Pane::ApplicationPages, m_document->model());
    m_idle.LoadFromResource("12061", 4);
    if (m_env.factory)
        layout::readCompanySettings(m_env, m_document->companySettings(), m_defaultLanguage, prompter);
    for (portalpage::PortalPane *pane : {m_start.get(), m_application.get()}) {
        pane->appPage().setCompany(m_document->companySettings());
        pane->appPage().setLayoutLabel(m_document->layoutLabel());
        pane->Create(*m_context);
    }
    m_document->setListener(this);
}

LayoutPreview::~LayoutPreview()
{
    m_document->setListener(nullptr);
}

bool LayoutPreview::open(const std::string &name)
{
    return m_document->openLayout(layoutFileOf(name));
}

void LayoutPreview::layoutLoaded()
{
    for (portalpage::PortalPane *pane : {m_start.get(), m_application.get()}) {
        pane->appPage().setCompany(m_document->companySettings());
        pane->appPage().setLayoutLabel(m_document->layoutLabel());
        pane->ApplySwitches(*m_context);
    }
}

void LayoutPreview::applySwitches()
{
    m_start->ApplySwitches(*m_context);
    m_application->ApplySwitches(*m_context);
}

portalpage::PortalPane &LayoutPreview::pane(Pane kind)
{
    return kind == Pane::StartPage ? *m_start : *m_application;
}

portalpage::PaneLayout LayoutPreview::layoutFor(Pane kind, QSize size)
{
    return pane(kind).Layout(size.width(), size.height(), {size.width(), size.height()},
                             m_document->isOpen());
}

QImage LayoutPreview::render(Pane kind, QSize size)
{
    return renderPane(pane(kind), layoutFor(kind, size), size, &m_idle);
}

} // namespace kw::preview
