#include "controls/CKwNiceStatic.h"

#include <QLinearGradient>
#include <QPainter>

namespace kw::controls {

namespace {
constexpr int kPadding = 3;
}

CKwNiceStatic::CKwNiceStatic(const QString &text, QWidget *parent) : QLabel(text, parent) {}

void CKwNiceStatic::setHeaderMode(bool on)
{
    if (on == m_header)
        return;
    m_header = on;
    QFont bold = font();
    bold.setBold(on);
    setFont(bold);
    setSizePolicy(on ? QSizePolicy::Expanding : QSizePolicy::Preferred, QSizePolicy::Fixed);
    updateGeometry();
    update();
}

QSize CKwNiceStatic::sizeHint() const
{
    if (!m_header)
        return QLabel::sizeHint();
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(text()) + 4 * kPadding, metrics.height() + 2 * kPadding};
}

void CKwNiceStatic::paintEvent(QPaintEvent *event)
{
    if (!m_header) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QLinearGradient shade(rect().topLeft(), rect().topRight());
    shade.setColorAt(0, palette().color(QPalette::Mid));
    shade.setColorAt(1, palette().color(QPalette::Window));
    painter.fillRect(rect(), shade);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(rect().bottomLeft(), rect().bottomRight());
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(rect().adjusted(kPadding, 0, -kPadding, 0),
                     Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic, text());
}

} // namespace kw::controls
