// The portal page's paint device on a QPainter: texts, fills, focus marks and clipping, with the pictures
// going to a QPainterDeviceContext on the same painter.
#pragma once

#include "platform/QPainterDeviceContext.h"
#include "portalpage/PaintDevice.h"

#include <QFont>
#include <QFontMetrics>

#include <map>
#include <tuple>

class QPainter;

namespace kw::platform {

/// Draws the preview's elements through a painter. A true-colour device: every colour shows as it is.
/// Fonts are whatever fontconfig gives for the family (weight 0 is normal); text sizes are the font
/// metrics' advance and height. Opaque text fills the text's own extent with the background colour
/// first; the focus rectangle is a dotted frame in the text colour on the background colour.
class QPainterPaintDevice final : public portalpage::PaintDevice {
public:
    /// The painter must be active and outlive the device. The device starts with black text on white,
    /// opaque, in the default font of 11 pixels.
    explicit QPainterPaintDevice(QPainter &painter);

    image::DeviceContext &pictures() override { return m_pictures; }
    Color nearestColor(Color color) const override { return color; }
    void fillRect(const portalpage::Rect &rect, Color color) override;
    Color setTextColor(Color color) override;
    Color setBackgroundColor(Color color) override;
    portalpage::BackgroundMode setBackgroundMode(portalpage::BackgroundMode mode) override;
    portalpage::FontSpec selectFont(const portalpage::FontSpec &font) override;
    Color textColor() const override { return m_text; }
    Color backgroundColor() const override { return m_pictures.backgroundColor(); }
    portalpage::BackgroundMode backgroundMode() const override { return m_mode; }
    const portalpage::FontSpec &font() const override { return m_font; }
    portalpage::Size measureText(std::string_view text) override;
    void drawText(std::string_view text, const portalpage::Rect &rect,
                  portalpage::TextPlacement placement) override;
    void drawFocusRect(const portalpage::Rect &rect) override;
    void excludeClipRect(const portalpage::Rect &rect) override;

    /// The Qt font for a font description.
    static QFont toQFont(const portalpage::FontSpec &font);

private:
    const QFontMetrics &metrics();

    QPainter &m_painter;
    QPainterDeviceContext m_pictures;
    Color m_text = rgb(0, 0, 0);
    portalpage::BackgroundMode m_mode = portalpage::BackgroundMode::Opaque;
    portalpage::FontSpec m_font;
    QFont m_qfont;
    std::map<std::tuple<std::string, int, int, bool>, QFontMetrics> m_metrics;
};

} // namespace kw::platform
