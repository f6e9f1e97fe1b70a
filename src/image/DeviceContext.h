// The drawing device as the core sees it: a small, window-system-free interface. The window implements
// it on its painter; tests record the calls.
#pragma once

#include "base/Color.h"
#include "image/Dib.h"

#include <cstdint>
#include <span>
#include <vector>

namespace kw::image {

/// A rectangle by its top-left corner and size.
struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const Rect &, const Rect &) = default;
};

/// Raster operations of the stretch call: how source pixels combine with the destination.
enum class RasterOp : std::uint32_t {
    SrcCopy = 0x00CC0020,   ///< destination = source
    SrcPaint = 0x00EE0086,  ///< destination = source OR destination
    SrcAnd = 0x008800C6,    ///< destination = source AND destination
    SrcInvert = 0x00660046, ///< destination = source XOR destination
    NotSrcCopy = 0x00330008 ///< destination = NOT source
};

/// How the colour table of a bitmap is to be read.
enum class ColorUse { RgbColors = 0, PaletteIndices = 1 };

/// How a device shrinks and stretches pixels.
enum class StretchMode { BlackOnWhite = 1, WhiteOnBlack = 2, ColorOnColor = 3, Halftone = 4 };

/// One entry of a logical palette.
struct PaletteEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t flags = 0;

    friend bool operator==(const PaletteEntry &, const PaletteEntry &) = default;
};

/// A palette the caller asks the device to create.
struct LogicalPalette {
    std::uint16_t version = 0x300;
    std::vector<PaletteEntry> entries;

    friend bool operator==(const LogicalPalette &, const LogicalPalette &) = default;
};

/// A palette object owned by the device; the null handle stands for "no palette".
enum class PaletteHandle : std::uintptr_t { Null = 0 };

/// The operations the core draws with. Devices that show every colour directly (32 bits per pixel)
/// may treat the palette calls as bookkeeping only.
class DeviceContext {
public:
    virtual ~DeviceContext() = default;

    /// Colour depth of the device: 32 for a true-colour device.
    virtual int bitsPerPixel() const = 0;
    /// The current background colour (what transparent picture pixels take).
    virtual Color backgroundColor() const = 0;

    /// Creates a palette object; the caller deletes it with deletePalette.
    virtual PaletteHandle createPalette(const LogicalPalette &palette) = 0;
    /// Creates the device's general-purpose halftone palette.
    virtual PaletteHandle createHalftonePalette() = 0;
    /// Makes a palette current and returns the previous one. A foreground palette (`forceBackground`
    /// false) takes over the device's colours when realised.
    virtual PaletteHandle selectPalette(PaletteHandle palette, bool forceBackground) = 0;
    /// Maps the current palette onto the device; returns how many entries changed.
    virtual unsigned realizePalette() = 0;
    virtual void deletePalette(PaletteHandle palette) = 0;
    /// Sets how stretched bitmaps are resampled; returns the previous mode.
    virtual StretchMode setStretchMode(StretchMode mode) = 0;

    /// Draws the `source` rectangle of a bitmap into the `destination` rectangle, stretching or
    /// shrinking it. `source` is in the picture's own pixels with y counted from the top row, whatever
    /// the row order of `bits`; `bits` holds the rows as the header describes (positive height:
    /// bottom-up, each row padded to 32-bit words). Returns the number of scan lines drawn, 0 when
    /// nothing was drawn.
    virtual int stretchDIBits(const Rect &destination, const Rect &source, const BitmapInfo &info,
                              std::span<const std::uint8_t> bits, ColorUse usage, RasterOp operation) = 0;

protected:
    DeviceContext() = default;
    DeviceContext(const DeviceContext &) = default;
    DeviceContext &operator=(const DeviceContext &) = default;
};

/// The colour of pixel (x, y) of a bitmap as a device receives it, y counted from the top and resolved
/// through the colour table for palette bitmaps. Needs 1, 4, 8, 24 or 32 bits per pixel and a
/// position inside the bitmap; an index outside the colour table gives black.
Color dibPixel(const BitmapInfo &info, std::span<const std::uint8_t> bits, int x, int y);

} // namespace kw::image
