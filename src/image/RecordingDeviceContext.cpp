// The recording drawing device.
#include "image/RecordingDeviceContext.h"

#include <algorithm>

namespace kw::image {

namespace {

template <class... Ts> struct Overloaded : Ts... {
    using Ts::operator()...;
};
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

} // namespace

std::string_view callName(const RecordedCall &call)
{
    return std::visit(
        Overloaded{
            [](const recorded::CreatePalette &) { return std::string_view("createPalette"); },
            [](const recorded::CreateHalftonePalette &) { return std::string_view("createHalftonePalette"); },
            [](const recorded::SelectPalette &) { return std::string_view("selectPalette"); },
            [](const recorded::RealizePalette &) { return std::string_view("realizePalette"); },
            [](const recorded::DeletePalette &) { return std::string_view("deletePalette"); },
            [](const recorded::SetStretchMode &) { return std::string_view("setStretchMode"); },
            [](const recorded::StretchDIBits &) { return std::string_view("stretchDIBits"); },
        },
        call);
}

PaletteHandle RecordingDeviceContext::newHandle()
{
    const PaletteHandle handle{m_nextHandle++};
    m_live.push_back(handle);
    return handle;
}

PaletteHandle RecordingDeviceContext::createPalette(const LogicalPalette &palette)
{
    const PaletteHandle handle = newHandle();
    m_calls.push_back(recorded::CreatePalette{palette, handle});
    return handle;
}

PaletteHandle RecordingDeviceContext::createHalftonePalette()
{
    const PaletteHandle handle = newHandle();
    m_calls.push_back(recorded::CreateHalftonePalette{handle});
    return handle;
}

PaletteHandle RecordingDeviceContext::selectPalette(PaletteHandle palette, bool forceBackground)
{
    const PaletteHandle previous = m_selected;
    m_selected = palette;
    m_calls.push_back(recorded::SelectPalette{palette, forceBackground, previous});
    return previous;
}

unsigned RecordingDeviceContext::realizePalette()
{
    m_calls.push_back(recorded::RealizePalette{m_selected});
    return 0;
}

void RecordingDeviceContext::deletePalette(PaletteHandle palette)
{
    m_calls.push_back(recorded::DeletePalette{palette});
    m_live.erase(std::remove(m_live.begin(), m_live.end(), palette), m_live.end());
}

StretchMode RecordingDeviceContext::setStretchMode(StretchMode mode)
{
    const StretchMode previous = m_stretchMode;
    m_stretchMode = mode;
    m_calls.push_back(recorded::SetStretchMode{mode, previous});
    return previous;
}

int RecordingDeviceContext::stretchDIBits(const Rect &destination, const Rect &source, const BitmapInfo &info,
                                          std::span<const std::uint8_t> bits, ColorUse usage,
                                          RasterOp operation)
{
    m_calls.push_back(recorded::StretchDIBits{
        destination, source, info, {bits.begin(), bits.end()}, usage, operation, m_selected, m_stretchMode});
    if (source.width == 0 || source.height == 0 || destination.width == 0 || destination.height == 0)
        return 0;
    return source.height < 0 ? -source.height : source.height;
}

std::vector<std::string_view> RecordingDeviceContext::callNames() const
{
    std::vector<std::string_view> names;
    names.reserve(m_calls.size());
    for (const RecordedCall &call : m_calls)
        names.push_back(callName(call));
    return names;
}

} // namespace kw::image
