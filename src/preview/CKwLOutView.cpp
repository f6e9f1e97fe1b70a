#include "preview/CKwLOutView.h"

#include "platform/QPainterDeviceContext.h"
#include "shell/CKwLOutTabbedView.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QPainter>

namespace kw::preview {

namespace {

// Until the country settings dialog exists, its command says so instead of doing nothing.
constexpr std::string_view kCountrySettingsMissing =
    "Die Ländereinstellungen können in dieser Version noch nicht bearbeitet werden.";

} // namespace

CKwLOutView::CKwLOutView(bool isStartPagePane, QWidget *parent)
    : QAbstractScrollArea(parent), m_isStartPagePane(isStartPagePane)
{
    setObjectName(isStartPagePane ? QStringLiteral("startPagePane") : QStringLiteral("appPagesPane"));
    setFrameShape(QFrame::NoFrame);
    m_idlePicture.LoadFromResource(std::to_string(shell::res::IDB_IDLEPICTURE), 4);
}

CKwLOutView::~CKwLOutView() = default;

bool CKwLOutView::layoutOpen() const
{
    return m_tabbedView && m_tabbedView->document().isOpen();
}

bool CKwLOutView::onCommand(int id)
{
    if (id == shell::res::ID_COUNTRY_SETTINGS) {
        shell::modulePrompter().tell(kCountrySettingsMissing);
        return true;
    }
    return m_tabbedView && m_tabbedView->onCommand(id);
}

bool CKwLOutView::onUpdateCommand(int id, shell::CommandState &state)
{
    if (id == shell::res::ID_COUNTRY_SETTINGS)
        return true;
    return m_tabbedView && m_tabbedView->onUpdateCommand(id, state);
}

void CKwLOutView::layoutChanged()
{
    viewport()->update();
}

void CKwLOutView::layoutSaved()
{
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
