#include "controls/CKwPictureCtrl.h"

#include "image/LayoutImage.h"
#include "image/SeekableFile.h"
#include "platform/QPainterDeviceContext.h"

#include <QPainter>

namespace kw::controls {

CKwPictureCtrl::CKwPictureCtrl(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
}

bool CKwPictureCtrl::loadPicture(std::span<const std::uint8_t> bytes, int type)
{
    image::CLayoutImage picture;
    image::MemoryFile file(bytes);
    if (!picture.LoadFromFile(&file, type) || picture.Width() <= 0 || picture.Height() <= 0) {
        m_lastError = picture.lastError().empty() ? std::string("unknown picture type") : picture.lastError();
        clear();
        return false;
    }
    m_lastError.clear();
    setPicture(picture);
    return true;
}

void CKwPictureCtrl::setPicture(const image::CLayoutImage &picture)
{
    if (picture.Width() <= 0 || picture.Height() <= 0) {
        clear();
        return;
    }
    QImage drawn(picture.Width(), picture.Height(), QImage::Format_ARGB32);
    drawn.fill(Qt::white);
    {
        QPainter painter(&drawn);
        platform::QPainterDeviceContext dc(painter);
        picture.Draw(dc, 0, 0, picture.Width(), picture.Height(), 0, 0, picture.Width(), picture.Height(),
                     image::RasterOp::SrcCopy, image::PaletteMode::Logical);
    }
    m_picture = std::move(drawn);
    updateGeometry();
    update();
}

void CKwPictureCtrl::clear()
{
    m_picture = QImage();
    updateGeometry();
    update();
}

void CKwPictureCtrl::setText(const QString &text)
{
    m_text = text;
    update();
}

void CKwPictureCtrl::setFit(Fit fit)
{
    m_fit = fit;
    updateGeometry();
    update();
}

QSize CKwPictureCtrl::sizeHint() const
{
    const int frame = 2 * frameWidth();
    if (m_fit == Fit::OwnSize && !m_picture.isNull())
        return m_picture.size() + QSize(frame, frame);
    return QSize(160, 120);
}

void CKwPictureCtrl::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    if (m_picture.isNull()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, m_text);
        return;
    }
    QSize size = m_picture.size();
    if (m_fit == Fit::ShrinkToFit && (size.width() > area.width() || size.height() > area.height()))
        size.scale(area.size(), Qt::KeepAspectRatio);
    const QRect target(area.x() + (area.width() - size.width()) / 2,
                       area.y() + (area.height() - size.height()) / 2, size.width(), size.height());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_picture);
}

} // namespace kw::controls
