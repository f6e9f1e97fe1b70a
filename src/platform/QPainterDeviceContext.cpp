#include "platform/QPainterDeviceContext.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace kw::platform {

using namespace kw::image;

QColor toQColor(Color color)
{
    return QColor(static_cast<int>(redOf(color)), static_cast<int>(greenOf(color)),
                  static_cast<int>(blueOf(color)));
}

Color fromQColor(const QColor &color)
{
    return rgb(static_cast<unsigned>(color.red()), static_cast<unsigned>(color.green()),
               static_cast<unsigned>(color.blue()));
}

QPainterDeviceContext::QPainterDeviceContext(QPainter &painter) : m_painter(painter) {}

Color QPainterDeviceContext::backgroundColor() const
{
    return fromQColor(m_painter.background().color());
}

void QPainterDeviceContext::setBackgroundColor(Color color)
{
    m_painter.setBackground(toQColor(color));
}

PaletteHandle QPainterDeviceContext::newPalette(LogicalPalette palette)
{
    const std::uintptr_t handle = m_nextHandle++;
    m_palettes.emplace(handle, std::move(palette));
    return PaletteHandle{handle};
}

PaletteHandle QPainterDeviceContext::createPalette(const LogicalPalette &palette)
{
    return newPalette(palette);
}

PaletteHandle QPainterDeviceContext::createHalftonePalette()
{
    return newPalette({});
}

PaletteHandle QPainterDeviceContext::selectPalette(PaletteHandle palette, bool)
{
    return std::exchange(m_selected, palette);
}

void QPainterDeviceContext::deletePalette(PaletteHandle palette)
{
    m_palettes.erase(static_cast<std::uintptr_t>(palette));
}

StretchMode QPainterDeviceContext::setStretchMode(StretchMode mode)
{
    return std::exchange(m_stretchMode, mode);
}

QImage QPainterDeviceContext::dibToImage(const BitmapInfo &info, std::span<const std::uint8_t> bits,
                                         const Rect &source)
{
    const BitmapInfoHeader &h = info.header;
    const int bitCount = h.bitCount;
    if (h.width <= 0 || h.height == 0 || h.compression != DibCompression::Rgb ||
        (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24 && bitCount != 32))
        return {};
    const int width = h.width;
    const int height = std::abs(h.height);
    if (bits.size() / dibStride(width, bitCount) < static_cast<std::size_t>(height))
        return {};
    const int left = std::max(source.x, 0);
    const int top = std::max(source.y, 0);
    const int right = std::min(source.x + source.width, width);
    const int bottom = std::min(source.y + source.height, height);
    if (left >= right || top >= bottom)
        return {};
    QImage image(right - left, bottom - top, QImage::Format_RGB32);
    for (int y = top; y < bottom; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y - top));
        for (int x = left; x < right; ++x) {
            const Color c = dibPixel(info, bits, x, y);
            line[x - left] =
                qRgb(static_cast<int>(redOf(c)), static_cast<int>(greenOf(c)), static_cast<int>(blueOf(c)));
        }
    }
    return image;
}

int QPainterDeviceContext::stretchDIBits(const Rect &destination, const Rect &source, const BitmapInfo &info,
                                         std::span<const std::uint8_t> bits, ColorUse, RasterOp operation)
{
    if (destination.width == 0 || destination.height == 0 || source.width <= 0 || source.height <= 0)
        return 0;
    QImage image = dibToImage(info, bits, source);
    if (image.isNull())
        return 0;
    // The clipped part keeps its place inside the destination: scale the clip as the whole is scaled.
    const double sx = static_cast<double>(destination.width) / source.width;
    const double sy = static_cast<double>(destination.height) / source.height;
    const int clipLeft = std::max(source.x, 0) - source.x;
    const int clipTop = std::max(source.y, 0) - source.y;
    QRectF target(destination.x + clipLeft * sx, destination.y + clipTop * sy, image.width() * sx,
                  image.height() * sy);
    if (target.width() < 0 || target.height() < 0) {
        image = image.mirrored(target.width() < 0, target.height() < 0);
        target = target.normalized();
    }

    const bool rasterOps =
        m_painter.paintEngine() && m_painter.paintEngine()->hasFeature(QPaintEngine::RasterOpModes);
    QPainter::CompositionMode mode = QPainter::CompositionMode_Source;
    if (rasterOps) {
        switch (operation) {
        case RasterOp::SrcCopy:
            break;
        case RasterOp::SrcPaint:
            mode = QPainter::RasterOp_SourceOrDestination;
            break;
        case RasterOp::SrcAnd:
            mode = QPainter::RasterOp_SourceAndDestination;
            break;
        case RasterOp::SrcInvert:
            mode = QPainter::RasterOp_SourceXorDestination;
            break;
        case RasterOp::NotSrcCopy:
            mode = QPainter::RasterOp_NotSource;
            break;
        }
    }
    m_painter.save();
    m_painter.setCompositionMode(mode);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, m_stretchMode == StretchMode::Halftone);
    m_painter.drawImage(target, image);
    m_painter.restore();
    return image.height();
}

} // namespace kw::platform
