// A drawing device that records every call with its arguments, for exact tests of drawing code.
#pragma once

#include "image/DeviceContext.h"

#include <cstddef>
#include <string_view>
#include <variant>
#include <vector>

namespace kw::image {

/// The calls a RecordingDeviceContext keeps, one struct per operation of DeviceContext.
namespace recorded {
struct CreatePalette {
    LogicalPalette palette;
    PaletteHandle result;
};
struct CreateHalftonePalette {
    PaletteHandle result;
};
struct SelectPalette {
    PaletteHandle palette;
    bool forceBackground;
    PaletteHandle previous;
};
struct RealizePalette {
    PaletteHandle current;
};
struct DeletePalette {
    PaletteHandle palette;
};
struct SetStretchMode {
    StretchMode mode;
    StretchMode previous;
};
struct StretchDIBits {
    Rect destination;
    Rect source;
    BitmapInfo info;
    std::vector<std::uint8_t> bits; ///< a copy of the pixels handed over
    ColorUse usage;
    RasterOp operation;
    PaletteHandle palette;   ///< the palette current during the call
    StretchMode stretchMode; ///< the stretch mode current during the call
};
} // namespace recorded

using RecordedCall = std::variant<recorded::CreatePalette, recorded::CreateHalftonePalette,
                                  recorded::SelectPalette, recorded::RealizePalette, recorded::DeletePalette,
                                  recorded::SetStretchMode, recorded::StretchDIBits>;

/// The name of a recorded call's operation, as the DeviceContext member is called ("createPalette").
std::string_view callName(const RecordedCall &call);

/// A device that draws nothing and remembers everything. Its depth and background colour are whatever the
/// test sets (32 bits and white to begin with); it starts with its default palette selected and the
/// colour-on-colour stretch mode.
class RecordingDeviceContext final : public DeviceContext {
public:
    static constexpr PaletteHandle kDefaultPalette = PaletteHandle{1};

    void setBitsPerPixel(int bits) { m_bitsPerPixel = bits; }
    void setBackgroundColor(Color color) { m_background = color; }

    int bitsPerPixel() const override { return m_bitsPerPixel; }
    Color backgroundColor() const override { return m_background; }
    PaletteHandle createPalette(const LogicalPalette &palette) override;
    PaletteHandle createHalftonePalette() override;
    PaletteHandle selectPalette(PaletteHandle palette, bool forceBackground) override;
    unsigned realizePalette() override;
    void deletePalette(PaletteHandle palette) override;
    StretchMode setStretchMode(StretchMode mode) override;
    /// Records the call and reports the source rectangle's height as drawn (0 for an empty rectangle).
    int stretchDIBits(const Rect &destination, const Rect &source, const BitmapInfo &info,
                      std::span<const std::uint8_t> bits, ColorUse usage, RasterOp operation) override;

    const std::vector<RecordedCall> &calls() const { return m_calls; }
    /// The operation names of the calls in order, for comparing sequences at a glance.
    std::vector<std::string_view> callNames() const;
    /// Every recorded call of one kind, in order.
    template <class Call> std::vector<Call> callsOf() const
    {
        std::vector<Call> found;
        for (const RecordedCall &call : m_calls)
            if (const Call *match = std::get_if<Call>(&call))
                found.push_back(*match);
        return found;
    }
    void clearCalls() { m_calls.clear(); }

    PaletteHandle currentPalette() const { return m_selected; }
    StretchMode stretchMode() const { return m_stretchMode; }
    /// Palettes created and not yet deleted.
    std::size_t livePalettes() const { return m_live.size(); }

private:
    PaletteHandle newHandle();

    int m_bitsPerPixel = 32;
    Color m_background = rgb(255, 255, 255);
    PaletteHandle m_selected = kDefaultPalette;
    StretchMode m_stretchMode = StretchMode::ColorOnColor;
    std::uintptr_t m_nextHandle = 100;
    std::vector<PaletteHandle> m_live;
    std::vector<RecordedCall> m_calls;
};

} // namespace kw::image
