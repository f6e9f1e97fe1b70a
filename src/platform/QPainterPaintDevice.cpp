// The portal page's paint device on a QPainter.
#include "platform/QPainterPaintDevice.h"

#include "platform/QtStrings.h"

#include <QPaintDevice>
#include <QPainter>

#include <utility>

namespace kw::platform {

using portalpage::BackgroundMode;
using portalpage::FontSpec;
using portalpage::Rect;
using portalpage::TextPlacement;

namespace {

QRect toQRect(const Rect &rect)
{
    return {rect.x, rect.y, rect.width, rect.height};
}

int alignmentOf(TextPlacement placement)
{
    switch (placement) {
    case TextPlacement::Left:
        return Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    case TextPlacement::Centered:
        return Qt::AlignCenter | Qt::TextSingleLine;
    case TextPlacement::TopLeft:
        return Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    }
    return Qt::AlignLeft | Qt::TextSingleLine;
}

} // namespace

QFont QPainterPaintDevice::toQFont(const FontSpec &spec)
{
    QFont font;
    if (!spec.family.empty())
        font.setFamilies({QString::fromStdString(spec.family)});
    const int height = spec.pixelHeight < 0 ? -spec.pixelHeight : spec.pixelHeight;
    font.setPixelSize(height > 0 ? height : 1);
    font.setWeight(spec.weight >= 100 && spec.weight <= 900 ? static_cast<QFont::Weight>(spec.weight)
                                                            : QFont::Normal);
    font.setUnderline(spec.underline);
    return font;
}

QPainterPaintDevice::QPainterPaintDevice(QPainter &painter) : m_painter(painter), m_pictures(painter)
{
    m_font.pixelHeight = 11;
    m_qfont = toQFont(m_font);
    m_painter.setFont(m_qfont);
    m_pictures.setBackgroundColor(rgb(255, 255, 255));
}

const QFontMetrics &QPainterPaintDevice::metrics()
{
    const auto key = std::make_tuple(m_font.family, m_font.pixelHeight, m_font.weight, m_font.underline);
    auto found = m_metrics.find(key);
    if (found == m_metrics.end())
        found = m_metrics.emplace(key, QFontMetrics(m_qfont, m_painter.device())).first;
    return found->second;
}

void QPainterPaintDevice::fillRect(const Rect &rect, Color color)
{
    m_painter.fillRect(toQRect(rect), toQColor(color));
}

Color QPainterPaintDevice::setTextColor(Color color)
{
    return std::exchange(m_text, color);
}

Color QPainterPaintDevice::setBackgroundColor(Color color)
{
    const Color previous = m_pictures.backgroundColor();
    m_pictures.setBackgroundColor(color);
    return previous;
}

BackgroundMode QPainterPaintDevice::setBackgroundMode(BackgroundMode mode)
{
    return std::exchange(m_mode, mode);
}

FontSpec QPainterPaintDevice::selectFont(const FontSpec &font)
{
    if (font == m_font)
        return font;
    FontSpec previous = std::exchange(m_font, font);
    m_qfont = toQFont(m_font);
    m_painter.setFont(m_qfont);
    return previous;
}

portalpage::Size QPainterPaintDevice::measureText(std::string_view text)
{
    const QFontMetrics &fm = metrics();
    return {fm.horizontalAdvance(qt(text)), fm.height()};
}

void QPainterPaintDevice::drawText(std::string_view text, const Rect &rect, TextPlacement placement)
{
    const QString string = qt(text);
    const int flags = alignmentOf(placement);
    const QRect target = toQRect(rect);
    if (m_mode == BackgroundMode::Opaque) {
        const QRect extent = m_painter.boundingRect(target, flags, string).intersected(target);
        m_painter.fillRect(extent, toQColor(backgroundColor()));
    }
    m_painter.setPen(toQColor(m_text));
    m_painter.drawText(target, flags, string);
}

void QPainterPaintDevice::drawFocusRect(const Rect &rect)
{
    if (rect.width < 1 || rect.height < 1)
        return;
    m_painter.save();
    m_painter.setBrush(Qt::NoBrush);
    m_painter.setBackgroundMode(Qt::OpaqueMode);
    m_painter.setBackground(toQColor(backgroundColor()));
    m_painter.setPen(QPen(toQColor(m_text), 1, Qt::DotLine));
    m_painter.drawRect(QRect(rect.x, rect.y, rect.width - 1, rect.height - 1));
    m_painter.restore();
}

void QPainterPaintDevice::excludeClipRect(const Rect &rect)
{
    QRegion area;
    if (m_painter.hasClipping()) {
        area = m_painter.clipRegion();
    } else {
        const QPaintDevice *device = m_painter.device();
        const QRect all(0, 0, device->width(), device->height());
        area = QRegion(m_painter.transform().inverted().mapRect(all));
    }
    m_painter.setClipRegion(area.subtracted(QRegion(toQRect(rect))));
}

} // namespace kw::platform
