// Helpers shared by every paint device.
#include "portalpage/PaintDevice.h"

namespace kw::portalpage {

TextStateScope::TextStateScope(PaintDevice &device)
    : m_device(device), m_text(device.textColor()), m_background(device.backgroundColor()),
      m_mode(device.backgroundMode()), m_font(device.font())
{
}

TextStateScope::~TextStateScope()
{
    m_device.selectFont(m_font);
    m_device.setTextColor(m_text);
    m_device.setBackgroundColor(m_background);
    m_device.setBackgroundMode(m_mode);
}

Size measureIn(PaintDevice &device, const FontSpec &font, std::string_view text)
{
    const FontSpec previous = device.selectFont(font);
    const Size size = device.measureText(text);
    device.selectFont(previous);
    return size;
}

} // namespace kw::portalpage
