#include "platform/PictureImages.h"

#include "image/LayoutImage.h"
#include "platform/QPainterDeviceContext.h"

#include <QPainter>
#include <QPixmap>

namespace kw::platform {

QImage builtinPicture(std::string_view name, int type, bool magentaTransparent)
{
    image::CLayoutImage picture;
    if (!picture.LoadFromResource(name, type) || picture.Width() <= 0 || picture.Height() <= 0)
        return {};
    QImage out(picture.Width(), picture.Height(), QImage::Format_ARGB32);
    out.fill(Qt::white);
    {
        QPainter painter(&out);
        QPainterDeviceContext dc(painter);
        picture.Draw(dc, 0, 0, picture.Width(), picture.Height(), 0, 0, picture.Width(), picture.Height(),
                     image::RasterOp::SrcCopy, image::PaletteMode::Logical);
    }
    if (magentaTransparent) {
        for (int y = 0; y < out.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
            for (int x = 0; x < out.width(); ++x)
                if ((line[x] & 0x00FFFFFFu) == 0x00FF00FFu)
                    line[x] = 0;
        }
    }
    return out;
}

QList<QIcon> iconStrip(const QImage &strip, int pieceWidth)
{
    QList<QIcon> icons;
    if (pieceWidth <= 0)
        return icons;
    for (int x = 0; x + pieceWidth <= strip.width(); x += pieceWidth)
        icons.append(QIcon(QPixmap::fromImage(strip.copy(x, 0, pieceWidth, strip.height()))));
    return icons;
}

} // namespace kw::platform
