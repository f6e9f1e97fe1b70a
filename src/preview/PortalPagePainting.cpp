// Painting the portal page with Qt.
#include "preview/PortalPagePainting.h"

#include "platform/QPainterPaintDevice.h"

#include <QPainter>

namespace kw::preview {

using portalpage::CAppPageElement;
using portalpage::PortalPane;

struct MeasureDevice::Impl {
    QImage image{1, 1, QImage::Format_ARGB32_Premultiplied};
    QPainter painter{&image};
    platform::QPainterPaintDevice device{painter};
};

MeasureDevice::MeasureDevice() : m_impl(std::make_unique<Impl>()) {}
MeasureDevice::~MeasureDevice() = default;

portalpage::PaintDevice &MeasureDevice::device()
{
    return m_impl->device;
}

void paintElement(QPainter &painter, const portalpage::CPreviewElement &element, int width, int height)
{
    platform::QPainterPaintDevice device(painter);
    element.Paint(device, {0, 0, width, height});
}

void paintLogoControl(QPainter &painter, const image::CLayoutImage *logo, const QRect &rect)
{
    if (!logo || logo->Width() < 1 || rect.isEmpty())
        return;
    platform::QPainterDeviceContext dc(painter);
    logo->Draw(dc, rect.x(), rect.y(), logo->Width(), logo->Height(), 0, 0, logo->Width(), logo->Height(),
               image::RasterOp::SrcCopy, image::PaletteMode::Logical);
}

Color welcomeTextColor(const CAppPageElement &page)
{
    return page.model().page().heading1Color;
}

void paintWelcomeControl(QPainter &painter, const CAppPageElement &page, const QRect &rect)
{
    if (rect.isEmpty())
        return;
    painter.save();
    painter.fillRect(rect, platform::toQColor(page.style().backgroundColor));
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.setFont(platform::QPainterPaintDevice::toQFont(page.welcomeFont()));
    painter.setPen(platform::toQColor(welcomeTextColor(page)));
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine, QString::fromStdString(page.welcomeText()));
    painter.restore();
}

void paintPane(QPainter &painter, const PortalPane &pane, const portalpage::PaneLayout &layout)
{
    for (const portalpage::CPreviewElement *element : pane.elements()) {
        const portalpage::Rect &r = layout[element->region()];
        if (r.width < 1 || r.height < 1)
            continue;
        painter.save();
        painter.translate(r.x, r.y);
        painter.setClipRect(0, 0, r.width, r.height);
        paintElement(painter, *element, r.width, r.height);
        painter.restore();
    }
    if (!pane.isStartPagePane())
        return;
    const CAppPageElement &page = pane.appPage();
    const portalpage::Rect &r = layout[page.region()];
    if (r.width < 1 || r.height < 1)
        return;
    painter.save();
    painter.translate(r.x, r.y);
    painter.setClipRect(0, 0, r.width, r.height);
    const portalpage::Rect logo = page.logoRect(r.width);
    paintLogoControl(painter, page.logoPicture(), QRect(logo.x, logo.y, logo.width, logo.height));
    const portalpage::Rect welcome = page.welcomeRect(r.width);
    paintWelcomeControl(painter, page, QRect(welcome.x, welcome.y, welcome.width, welcome.height));
    painter.restore();
}

QImage renderPane(const PortalPane &pane, const portalpage::PaneLayout &layout, QSize size,
                  const image::CLayoutImage *idle)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    bool anything = false;
    for (const portalpage::Rect &r : layout.rects)
        anything = anything || (r.width > 0 && r.height > 0);
    QPainter painter(&image);
    if (anything) {
        paintPane(painter, pane, layout);
    } else if (idle && idle->Width() > 0) {
        platform::QPainterDeviceContext dc(painter);
        idle->Draw(dc, (size.width() - idle->Width()) / 2, (size.height() - idle->Height()) / 2,
                   idle->Width(), idle->Height(), 0, 0, idle->Width(), idle->Height(),
                   image::RasterOp::SrcCopy, image::PaletteMode::Logical);
    }
    painter.end();
    return image;
}

} // namespace kw::preview
