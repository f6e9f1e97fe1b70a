// The recording paint device.
#include "portalpage/RecordingPaintDevice.h"

#include <utility>

namespace kw::portalpage {

namespace {

// Code points of UTF-8 text: every byte that does not continue a sequence.
int codePoints(std::string_view text)
{
    int count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0u) != 0x80u)
            ++count;
    return count;
}

} // namespace

RecordingPaintDevice::RecordingPaintDevice()
{
    m_font.pixelHeight = 11;
}

void RecordingPaintDevice::fillRect(const Rect &rect, Color color)
{
    record<painted::FillRect>(rect, color);
}

Color RecordingPaintDevice::setTextColor(Color color)
{
    record<painted::SetTextColor>(color);
    return std::exchange(m_text, color);
}

Color RecordingPaintDevice::setBackgroundColor(Color color)
{
    record<painted::SetBackgroundColor>(color);
    const Color previous = m_pictures.backgroundColor();
    m_pictures.setBackgroundColor(color);
    return previous;
}

BackgroundMode RecordingPaintDevice::setBackgroundMode(BackgroundMode mode)
{
    record<painted::SetBackgroundMode>(mode);
    return std::exchange(m_mode, mode);
}

FontSpec RecordingPaintDevice::selectFont(const FontSpec &font)
{
    record<painted::SelectFont>(font);
    return std::exchange(m_font, font);
}

Size RecordingPaintDevice::measureText(std::string_view text)
{
    record<painted::MeasureText>(std::string(text), m_font);
    const int height = m_font.pixelHeight < 0 ? -m_font.pixelHeight : m_font.pixelHeight;
    return {codePoints(text) * characterWidth(height), lineHeight(height)};
}

void RecordingPaintDevice::drawText(std::string_view text, const Rect &rect, TextPlacement placement)
{
    record<painted::DrawText>(std::string(text), rect, placement, m_font, m_text,
                              m_pictures.backgroundColor(), m_mode);
}

void RecordingPaintDevice::drawFocusRect(const Rect &rect)
{
    record<painted::DrawFocusRect>(rect, m_text, m_pictures.backgroundColor());
}

void RecordingPaintDevice::excludeClipRect(const Rect &rect)
{
    record<painted::ExcludeClipRect>(rect);
}

void RecordingPaintDevice::clear()
{
    m_calls.clear();
    m_pictures.clearCalls();
}

} // namespace kw::portalpage
