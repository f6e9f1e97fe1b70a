// The element windows of a preview pane.
#include "preview/PaneElements.h"

#include "platform/QPainterDeviceContext.h"
#include "platform/QPainterPaintDevice.h"
#include "preview/PortalPagePainting.h"

#include <QPainter>

namespace kw::preview {

namespace {

QRect toQRect(const portalpage::Rect &r)
{
    return {r.x, r.y, r.width, r.height};
}

} // namespace

// --- element window ------------------------------------------------------------------------------

CPreviewElement::CPreviewElement(portalpage::CPreviewElement &element, QWidget *parent)
    : QWidget(parent), m_element(element)
{
    const QString name =
        QString::fromUtf8(element.name().data(), static_cast<qsizetype>(element.name().size()));
    setObjectName(name);
    setWindowTitle(name);
    setProperty(kControlIdProperty, element.controlId());
    // The element paints every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (element.region() == layout::RegionId::KwNavigate)
        setFocusPolicy(Qt::TabFocus);
    setGeometry(0, 0, 0, 0);
}

void CPreviewElement::setSelected(bool on)
{
    if (m_element.selected() == on)
        return;
    m_element.setSelected(on);
    repaint();
}

void CPreviewElement::refresh()
{
    update();
}

void CPreviewElement::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintElement(painter, m_element, width(), height());
}

// --- start page controls -------------------------------------------------------------------------

CLogoPictureCtrl::CLogoPictureCtrl(const portalpage::CAppPageElement &page, QWidget *parent)
    : QWidget(parent), m_page(page)
{
    setObjectName(QStringLiteral("101"));
    setWindowTitle(QStringLiteral("Picture"));
}

void CLogoPictureCtrl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), platform::toQColor(m_page.style().backgroundColor));
    paintLogoControl(painter, m_page.logoPicture(), rect());
}

void CLogoPictureCtrl::mouseDoubleClickEvent(QMouseEvent *event)
{
    QWidget::mouseDoubleClickEvent(event);
    if (onDoubleClick)
        onDoubleClick();
}

CWelcomeTextEdit::CWelcomeTextEdit(QWidget *parent) : QLineEdit(parent)
{
    setObjectName(QStringLiteral("102"));
    setAlignment(Qt::AlignCenter);
    setFrame(true);
    connect(this, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (onEdited)
            onEdited(text.toStdString());
    });
}

void CWelcomeTextEdit::showPage(const portalpage::CAppPageElement &page)
{
    setFont(platform::QPainterPaintDevice::toQFont(page.welcomeFont()));
    QPalette colors = palette();
    colors.setColor(QPalette::Base, platform::toQColor(page.style().backgroundColor));
    colors.setColor(QPalette::Text, platform::toQColor(welcomeTextColor(page)));
    setPalette(colors);
    const QString text = QString::fromStdString(page.welcomeText());
    if (text != this->text())
        setText(text);
}

// --- application page ----------------------------------------------------------------------------

CAppPageWindow::CAppPageWindow(portalpage::CAppPageElement &page, QWidget *parent)
    : CPreviewElement(page, parent), m_page(page)
{
    if (!page.isDefaultStartPage)
        return;
    m_logo = new CLogoPictureCtrl(page, this);
    m_welcome = new CWelcomeTextEdit(this);
    refresh();
}

void CAppPageWindow::refresh()
{
    if (m_welcome)
        m_welcome->showPage(m_page);
    placeControls();
    CPreviewElement::refresh();
}

void CAppPageWindow::resizeEvent(QResizeEvent *event)
{
    CPreviewElement::resizeEvent(event);
    placeControls();
}

void CAppPageWindow::placeControls()
{
    if (!m_page.isDefaultStartPage)
        return;
    m_logo->setGeometry(toQRect(m_page.logoRect(width())));
    m_logo->setVisible(m_page.logoShown);
    m_logo->update();
    m_welcome->setGeometry(toQRect(m_page.welcomeRect(width())));
    m_welcome->setVisible(m_page.welcomeShown);
}

// --- the pane's windows --------------------------------------------------------------------------

PaneElements::PaneElements(portalpage::PortalPane &pane, QWidget *parent)
{
    for (portalpage::CPreviewElement *element : pane.elements()) {
        CPreviewElement *window = nullptr;
        if (element == &pane.appPage()) {
            m_appPage = new CAppPageWindow(pane.appPage(), parent);
            window = m_appPage;
        } else {
            window = new CPreviewElement(*element, parent);
        }
        window->show();
        m_elements.emplace(std::string(element->name()), window);
        m_ordered.push_back(window);
    }
}

CPreviewElement *PaneElements::element(std::string_view name) const
{
    const auto found = m_elements.find(name);
    return found == m_elements.end() ? nullptr : found->second;
}

void PaneElements::place(const portalpage::PaneLayout &layout, QPoint offset)
{
    for (CPreviewElement *window : m_ordered) {
        const QRect target = toQRect(layout[window->element().region()]).translated(-offset);
        if (window->geometry() != target)
            window->setGeometry(target);
        window->update();
    }
    // A hidden pane gets its resize events only when shown; the controls must be right before that.
    if (m_appPage)
        m_appPage->placeControls();
}

void PaneElements::refresh()
{
    for (CPreviewElement *window : m_ordered)
        window->refresh();
}

} // namespace kw::preview
