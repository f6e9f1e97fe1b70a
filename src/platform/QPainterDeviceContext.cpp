#include "platform/QPainterDeviceContext.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace kw::platform {

using namespace kw::image;

namespace {

// Whether any fourth byte of 32-bit pixels is not zero.
bool hasAlpha(std::span<const std::uint8_t> bits)
{
    for (std::size_t i = 3; i < bits.size(); i += 4)
        if (bits[i] != 0)
            return true;
    return false;
}

} // namespace

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
    // 32-bit pictures of the image object carry alpha (255 where the picture has none): transparent pixels
    // let the background show. A bitmap whose fourth bytes are all zero keeps the old meaning of that byte
    // (unused) and is opaque.
    const std::size_t stride = dibStride(width, bitCount);
    const bool withAlpha = bitCount == 32 && hasAlpha(bits.first(stride * static_cast<std::size_t>(height)));
    QImage image(right - left, bottom - top, withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = top; y < bottom; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y - top));
        const int storedRow = h.height > 0 ? height - 1 - y : y;
        const std::uint8_t *stored = bits.data() + static_cast<std::size_t>(storedRow) * stride;
        for (int x = left; x < right; ++x) {
            const Color c = dibPixel(info, bits, x, y);
            const int alpha = withAlpha ? stored[4 * x + 3] : 255;
            line[x - left] = qRgba(static_cast<int>(redOf(c)), static_cast<int>(greenOf(c)),
                                   static_cast<int>(blueOf(c)), alpha);
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
    // A source copy blends by the picture's alpha; opaque pictures replace what is below them exactly.
    QPainter::CompositionMode mode = QPainter::CompositionMode_SourceOver;
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
