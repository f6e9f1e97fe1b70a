// The drawing device on a QPainter: a true-colour device (32 bits per pixel) for the image object and the
// preview.
#pragma once

#include "image/DeviceContext.h"

#include <QImage>

#include <cstdint>
#include <map>

class QPainter;

namespace kw::platform {

/// Draws through a QPainter. Every colour shows as it is, so palettes are bookkeeping only: they can be
/// created, selected and deleted, and realising one changes nothing. The background colour is the
/// painter's background brush colour.
class QPainterDeviceContext final : public image::DeviceContext {
public:
    /// The painter must be active and outlive the device.
    explicit QPainterDeviceContext(QPainter &painter);

    int bitsPerPixel() const override { return 32; }
    Color backgroundColor() const override;
    void setBackgroundColor(Color color);

    image::PaletteHandle createPalette(const image::LogicalPalette &palette) override;
    image::PaletteHandle createHalftonePalette() override;
    image::PaletteHandle selectPalette(image::PaletteHandle palette, bool forceBackground) override;
    unsigned realizePalette() override { return 0; }
    void deletePalette(image::PaletteHandle palette) override;
    /// Halftone stretching draws smoothly; every other mode takes the nearest pixel.
    image::StretchMode setStretchMode(image::StretchMode mode) override;

    /// Converts the source rectangle of the bitmap to an image and draws it stretched into the
    /// destination (a negative destination width or height mirrors it). Copies for SrcCopy; the other
    /// raster operations combine with the destination where the painter supports raster operations (an
    /// image or a raster pixmap) and copy elsewhere. Returns the number of source rows drawn; 0 for an
    /// empty rectangle, a rectangle outside the bitmap, a bitmap whose header the device does not
    /// understand or whose bits are too short.
    int stretchDIBits(const image::Rect &destination, const image::Rect &source,
                      const image::BitmapInfo &info, std::span<const std::uint8_t> bits,
                      image::ColorUse usage, image::RasterOp operation) override;

    /// The part `source` (y from the top) of a bitmap as an opaque image; a null image when the header or
    /// the bits are unusable or the rectangle lies outside the bitmap (it is clipped to the bitmap first).
    static QImage dibToImage(const image::BitmapInfo &info, std::span<const std::uint8_t> bits,
                             const image::Rect &source);

    image::PaletteHandle currentPalette() const { return m_selected; }
    std::size_t livePalettes() const { return m_palettes.size(); }

private:
    image::PaletteHandle newPalette(image::LogicalPalette palette);

    QPainter &m_painter;
    std::map<std::uintptr_t, image::LogicalPalette> m_palettes;
    image::PaletteHandle m_selected = image::PaletteHandle{1};
    std::uintptr_t m_nextHandle = 100;
    image::StretchMode m_stretchMode = image::StretchMode::ColorOnColor;
};

/// Qt's colour for a portal colour, and back.
QColor toQColor(Color color);
Color fromQColor(const QColor &color);

} // namespace kw::platform
