// The drawing device of the portal page: what the preview's elements draw with beyond pictures.
#pragma once

#include "base/Color.h"
#include "image/DeviceContext.h"

#include <string>
#include <string_view>

namespace kw::portalpage {

using image::Rect;

/// A width and a height in pixels.
struct Size {
    int width = 0;
    int height = 0;

    friend bool operator==(const Size &, const Size &) = default;
};

/// A font as the elements describe it; the device makes whatever font its platform has for it.
struct FontSpec {
    std::string family;  ///< one face name; empty for the device's default face
    int pixelHeight = 0; ///< character height in pixels
    int weight = 0;      ///< CSS weight (400 normal, 700 bold); 0 for the device's normal weight
    bool underline = false;

    friend bool operator==(const FontSpec &, const FontSpec &) = default;
};

/// Whether text cells are filled with the background colour before the glyphs are drawn.
enum class BackgroundMode { Transparent, Opaque };

/// Where a single line of text goes in its rectangle.
enum class TextPlacement {
    Left,     ///< left-aligned, vertically centred
    Centered, ///< centred both ways
    TopLeft   ///< left- and top-aligned
};

/// The operations the elements draw with. Pictures are drawn through `pictures()`, the image object's
/// device; the colours set here are the ones the picture device sees too (a transparent picture pixel
/// takes the background colour).
///
/// Texts are single lines, drawn as they are (no prefix characters, no wrapping) and clipped to nothing
/// but the device's clip region: a text longer than its rectangle runs over it.
class PaintDevice {
public:
    virtual ~PaintDevice() = default;

    /// The device that draws pictures (CLayoutImage::Draw).
    virtual image::DeviceContext &pictures() = 0;

    /// The colour the device shows for `color`; a true-colour device shows every colour as it is.
    virtual Color nearestColor(Color color) const = 0;
    /// Fills the rectangle with the colour.
    virtual void fillRect(const Rect &rect, Color color) = 0;

    /// Set the colour of text (and of the focus rectangle's dots) and return the previous one.
    virtual Color setTextColor(Color color) = 0;
    /// Set the colour behind opaque text (and that transparent picture pixels take); return the previous.
    virtual Color setBackgroundColor(Color color) = 0;
    virtual BackgroundMode setBackgroundMode(BackgroundMode mode) = 0;
    /// Makes the font current for measuring and drawing text and returns the previous one.
    virtual FontSpec selectFont(const FontSpec &font) = 0;

    virtual Color textColor() const = 0;
    virtual Color backgroundColor() const = 0;
    virtual BackgroundMode backgroundMode() const = 0;
    virtual const FontSpec &font() const = 0;

    /// Width and line height of a single line in the current font. An empty text has width 0 and the
    /// font's line height.
    virtual Size measureText(std::string_view text) = 0;
    /// Draws a single line in the current font and text colour.
    virtual void drawText(std::string_view text, const Rect &rect, TextPlacement placement) = 0;
    /// The inverting dotted frame that marks the selected element.
    virtual void drawFocusRect(const Rect &rect) = 0;
    /// Removes the rectangle from the area that later drawing may touch, until the device is reset.
    virtual void excludeClipRect(const Rect &rect) = 0;

protected:
    PaintDevice() = default;
    PaintDevice(const PaintDevice &) = default;
    PaintDevice &operator=(const PaintDevice &) = default;
};

/// Text colour, background colour, background mode and font of a device, restored when it ends.
class TextStateScope {
public:
    explicit TextStateScope(PaintDevice &device);
    ~TextStateScope();
    TextStateScope(const TextStateScope &) = delete;
    TextStateScope &operator=(const TextStateScope &) = delete;

private:
    PaintDevice &m_device;
    Color m_text;
    Color m_background;
    BackgroundMode m_mode;
    FontSpec m_font;
};

/// The size of `text` in `font`, measured on `device` (whose current font stays as it was).
Size measureIn(PaintDevice &device, const FontSpec &font, std::string_view text);

} // namespace kw::portalpage
