#include "controls/CKwColorBtn.h"

#include "platform/QPainterDeviceContext.h"

#include <QColorDialog>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace kw::controls {

namespace {

std::vector<Color> &offeredColors()
{
    static std::vector<Color> colors;
    return colors;
}

constexpr int kSwatchMargin = 5;

} // namespace

CKwColorBtn::CKwColorBtn(QWidget *parent) : QPushButton(parent)
{
    connect(this, &QPushButton::clicked, this, [this] { pick(); });
}

void CKwColorBtn::setColor(Color color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void CKwColorBtn::SetColors(std::span<const Color> colors)
{
    offeredColors().assign(colors.begin(), colors.end());
}

std::vector<Color> CKwColorBtn::colors()
{
    return offeredColors();
}

QSize CKwColorBtn::sizeHint() const
{
    const QSize base = QPushButton::sizeHint();
    return {std::max(base.height() * 2, 48), base.height()};
}

void CKwColorBtn::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    const QRect swatch = rect().adjusted(kSwatchMargin, kSwatchMargin, -kSwatchMargin, -kSwatchMargin);
    if (!swatch.isValid())
        return;
    // A disabled button still shows its colour, veiled, so that a colour that follows another one can be
    // seen.
    painter.setPen(palette().color(isEnabled() ? QPalette::WindowText : QPalette::Mid));
    painter.setBrush(platform::toQColor(m_color));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    if (!isEnabled()) {
        QColor veil = palette().color(QPalette::Window);
        veil.setAlpha(110);
        painter.fillRect(swatch.adjusted(1, 1, -1, -1), veil);
    }
}

void CKwColorBtn::pick()
{
    const std::vector<Color> &offered = offeredColors();
    const int customSlots = QColorDialog::customCount();
    for (int i = 0; i < customSlots; ++i)
        QColorDialog::setCustomColor(i, i < static_cast<int>(offered.size())
                                            ? platform::toQColor(offered[static_cast<std::size_t>(i)])
                                            : QColor(Qt::white));

    QColorDialog dialog(platform::toQColor(m_color), this);
    dialog.setObjectName(QStringLiteral("colorPicker"));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (!accessibleName().isEmpty())
        dialog.setWindowTitle(accessibleName().remove(QLatin1Char('&')));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const Color picked = platform::fromQColor(dialog.selectedColor());
    if (picked == m_color)
        return;
    setColor(picked);
    if (onColorChanged)
        onColorChanged(picked);
}

} // namespace kw::controls
