#include "shell/CKwLOutView.h"

#include "editors/CCountrySettingsDlg.h"
#include "editors/CPersonalCalendarDlg.h"
#include "platform/QPainterDeviceContext.h"
#include "preview/PaneContents.h"
#include "shell/CKwLOutTabbedView.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QCoreApplication>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>
#include <exception>

namespace kw::preview {

namespace {

// Commands 32792 and 32801: the country settings and the personal calendar dialogs, run modally on the
// module's server environment.
void runPortalSettingsEditor(int id, QWidget *parent)
{
    const server::Environment env = shell::moduleEnvironment();
    Prompter &prompter = shell::modulePrompter();
    if (!env.factory || !env.session) {
        prompter.showExtendedError(
            StringId::ServerEnvironmentNotLoaded,
            ServerError(ServerError::NullPointer, "The module has no server environment."));
        return;
    }
    try {
        if (id == shell::res::ID_COUNTRY_SETTINGS) {
            editors::CCountrySettingsDlg dialog(env, prompter, parent);
            shell::runModal(dialog);
        } else {
            editors::CPersonalCalendarDlg dialog(env, prompter, parent);
            shell::runModal(dialog);
        }
    } catch (const std::exception &error) {
        prompter.tell(error.what());
    }
}

} // namespace

CKwLOutView::CKwLOutView(bool isStartPagePane, QWidget *parent)
    : QAbstractScrollArea(parent), m_isStartPagePane(isStartPagePane)
{
    setObjectName(isStartPagePane ? QStringLiteral("startPagePane") : QStringLiteral("appPagesPane"));
    setFrameShape(QFrame::NoFrame);
    m_idlePicture.LoadFromResource(std::to_string(shell::res::IDB_IDLEPICTURE), 4);
}

CKwLOutView::~CKwLOutView() = default;

void CKwLOutView::setTabbedView(shell::CKwLOutTabbedView *view)
{
    m_tabbedView = view;
    if (!view || m_contents)
        return;
    m_contents = std::make_unique<PaneContents>(
        m_isStartPagePane ? layout::Pane::StartPage : layout::Pane::ApplicationPages, view->document(),
        shell::moduleEnvironment(), shell::modulePrompter(), viewport());
    Layout(viewport()->width(), viewport()->height());
}

const std::map<std::string, CPreviewElement *, std::less<>> &CKwLOutView::elements() const
{
    static const std::map<std::string, CPreviewElement *, std::less<>> none;
    return m_contents ? m_contents->windows().elements() : none;
}

CPreviewElement *CKwLOutView::element(std::string_view name) const
{
    return m_contents ? m_contents->windows().element(name) : nullptr;
}

void CKwLOutView::Layout(int width, int height)
{
    m_requestedWidth = width;
    m_requestedHeight = height;
    placeElements();
}

void CKwLOutView::placeElements()
{
    if (!m_contents)
        return;
    const QSize client = viewport()->size();
    const QPoint offset(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const portalpage::Size scroll = m_contents->layout(m_requestedWidth, m_requestedHeight, client, offset);
    horizontalScrollBar()->setRange(0, std::max(0, scroll.width - client.width()));
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setRange(0, std::max(0, scroll.height - client.height()));
    verticalScrollBar()->setPageStep(client.height());
    // Changing a range may have moved the scroll position: place once more for it.
    const QPoint moved(horizontalScrollBar()->value(), verticalScrollBar()->value());
    if (moved != offset)
        m_contents->layout(m_requestedWidth, m_requestedHeight, client, moved);
}

void CKwLOutView::ApplySwitches()
{
    if (!m_contents)
        return;
    m_contents->applySwitches();
    Layout(viewport()->width(), viewport()->height());
    viewport()->update();
}

void CKwLOutView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    Layout(viewport()->width(), viewport()->height());
    if (QWidget *top = window(); top && top->isMaximized())
        QCoreApplication::postEvent(this, new RelayoutEvent(viewport()->width(), viewport()->height()));
}

void CKwLOutView::scrollContentsBy(int, int)
{
    placeElements();
}

bool CKwLOutView::event(QEvent *event)
{
    if (event->type() == RelayoutEvent::kType) {
        const auto *relayout = static_cast<RelayoutEvent *>(event);
        Layout(relayout->width, relayout->height);
        return true;
    }
    return QAbstractScrollArea::event(event);
}

bool CKwLOutView::layoutOpen() const
{
    return m_tabbedView && m_tabbedView->document().isOpen();
}

bool CKwLOutView::onCommand(int id)
{
    if (id == shell::res::ID_COUNTRY_SETTINGS || id == shell::res::ID_EDIT_CALENDAR) {
        runPortalSettingsEditor(id, this);
        return true;
    }
    return m_tabbedView && m_tabbedView->onCommand(id);
}

bool CKwLOutView::onUpdateCommand(int id, shell::CommandState &state)
{
    if (id == shell::res::ID_COUNTRY_SETTINGS || id == shell::res::ID_EDIT_CALENDAR)
        return true;
    return m_tabbedView && m_tabbedView->onUpdateCommand(id, state);
}

void CKwLOutView::layoutChanged()
{
    if (m_contents)
        m_contents->layoutLoaded();
    Layout(viewport()->width(), viewport()->height());
    viewport()->update();
}

void CKwLOutView::layoutSaved()
{
    if (m_contents)
        m_contents->layoutSaved();
    Layout(viewport()->width(), viewport()->height());
    viewport()->update();
}

void CKwLOutView::drawIdlePicture(image::DeviceContext &dc, int clientWidth, int clientHeight) const
{
    const int width = m_idlePicture.Width();
    const int height = m_idlePicture.Height();
    m_idlePicture.Draw(dc, (clientWidth - width) / 2, (clientHeight - height) / 2, width, height, 0, 0, width,
                       height, image::RasterOp::SrcCopy, image::PaletteMode::Logical);
}

void CKwLOutView::paintEvent(QPaintEvent *)
{
    if (layoutOpen())
        return;
    QPainter painter(viewport());
    platform::QPainterDeviceContext dc(painter);
    drawIdlePicture(dc, viewport()->width(), viewport()->height());
}

} // namespace kw::preview
