// A paint device that draws nothing and records every call, with fixed font metrics for exact tests.
#pragma once

#include "image/RecordingDeviceContext.h"
#include "portalpage/PaintDevice.h"

#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace kw::portalpage {

/// The calls a RecordingPaintDevice keeps. Drawing calls carry the device state they drew with.
namespace painted {
struct FillRect {
    Rect rect;
    Color color;
};
struct SetTextColor {
    Color color;
};
struct SetBackgroundColor {
    Color color;
};
struct SetBackgroundMode {
    BackgroundMode mode;
};
struct SelectFont {
    FontSpec font;
};
struct MeasureText {
    std::string text;
    FontSpec font;
};
struct DrawText {
    std::string text;
    Rect rect;
    TextPlacement placement;
    FontSpec font;
    Color textColor;
    Color backgroundColor;
    BackgroundMode mode;
};
struct DrawFocusRect {
    Rect rect;
    Color textColor;
    Color backgroundColor;
};
struct ExcludeClipRect {
    Rect rect;
};
} // namespace painted

using PaintedCall = std::variant<painted::FillRect, painted::SetTextColor, painted::SetBackgroundColor,
                                 painted::SetBackgroundMode, painted::SelectFont, painted::MeasureText,
                                 painted::DrawText, painted::DrawFocusRect, painted::ExcludeClipRect>;

/// Records every call; pictures go to a RecordingDeviceContext (`pictureCalls()`).
///
/// Font metrics are fixed so that tests can compute every position by hand: each character (UTF-8 code
/// point) is `characterWidth(pixelHeight)` = pixelHeight * 3 / 5 pixels wide (integer division: 6 for
/// 11 pixels, 7 for 13), whatever the face, weight or underline; a line is pixelHeight + 2 pixels high.
/// The device starts with black text on white, opaque, and a default font of 11 pixels.
class RecordingPaintDevice final : public PaintDevice {
public:
    static constexpr int characterWidth(int pixelHeight) { return pixelHeight * 3 / 5; }
    static constexpr int lineHeight(int pixelHeight) { return pixelHeight + 2; }

    RecordingPaintDevice();

    image::DeviceContext &pictures() override { return m_pictures; }
    Color nearestColor(Color color) const override { return color; }
    void fillRect(const Rect &rect, Color color) override;
    Color setTextColor(Color color) override;
    Color setBackgroundColor(Color color) override;
    BackgroundMode setBackgroundMode(BackgroundMode mode) override;
    FontSpec selectFont(const FontSpec &font) override;
    Color textColor() const override { return m_text; }
    Color backgroundColor() const override { return m_pictures.backgroundColor(); }
    BackgroundMode backgroundMode() const override { return m_mode; }
    const FontSpec &font() const override { return m_font; }
    Size measureText(std::string_view text) override;
    void drawText(std::string_view text, const Rect &rect, TextPlacement placement) override;
    void drawFocusRect(const Rect &rect) override;
    void excludeClipRect(const Rect &rect) override;

    const std::vector<PaintedCall> &calls() const { return m_calls; }
    /// Every recorded call of one kind, in order.
    template <class Call> std::vector<Call> callsOf() const
    {
        std::vector<Call> found;
        for (const PaintedCall &call : m_calls)
            if (const Call *match = std::get_if<Call>(&call))
                found.push_back(*match);
        return found;
    }
    /// The picture device with its own record of the pictures drawn.
    const image::RecordingDeviceContext &pictureCalls() const { return m_pictures; }
    void clear();

private:
    template <class Call, class... Args> void record(Args &&...args)
    {
        m_calls.emplace_back(std::in_place_type<Call>, std::forward<Args>(args)...);
    }

    image::RecordingDeviceContext m_pictures;
    Color m_text = rgb(0, 0, 0);
    BackgroundMode m_mode = BackgroundMode::Opaque;
    FontSpec m_font;
    std::vector<PaintedCall> m_calls;
};

} // namespace kw::portalpage
