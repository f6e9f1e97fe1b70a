// Text over a background picture: the picture placed as the portal's pages place it (at the region's top
// left corner, tiled as its repeat keyword says, the background colour wherever it does not reach or is
// transparent), and the luminances of the pixels under the text.
#pragma once

#include "audit/Proposal.h"
#include "base/Color.h"
#include "image/BitmapImage.h"
#include "image/DeviceContext.h"

#include <span>
#include <string_view>
#include <vector>

namespace kw::audit {

using image::Rect;

/// The share of the text area's pixels that must reach the needed ratio.
inline constexpr double kPixelShare = 0.95;

/// Which ways a picture is tiled from its place at the region's top left corner.
struct Tiling {
    bool across = false;
    bool down = false;
};

/// The tiling a browser gives a `background-repeat` keyword (case-insensitive): "repeat", "space" and
/// "round" both ways, "repeat-x" across, "repeat-y" down, "no-repeat" none, two keywords one per axis.
/// A keyword a browser does not take is dropped by it, leaving the initial "repeat": so are an empty one
/// and any other.
Tiling tilingOf(std::string_view keyword);

/// How a picture lies in its region.
struct PicturePlacement {
    const image::BitmapImage *picture = nullptr;
    Tiling tiling;
    int regionWidth = 0; ///< the region's size: text beyond it is not drawn
    int regionHeight = 0;
};

/// The relative luminances of the pixels under the text areas (region coordinates), sorted.
class PixelLuminances {
public:
    PixelLuminances(const PicturePlacement &placement, Color background, std::span<const Rect> textAreas);

    bool empty() const { return m_sorted.empty(); }
    std::size_t size() const { return m_sorted.size(); }
    /// The ratio that `kPixelShare` of the pixels reach against a text of this luminance.
    double shareRatio(double textLuminance) const;
    /// The ratio of the worst pixel.
    double worstRatio(double textLuminance) const;
    /// Whether a text of that luminance reaches `needed` on `kPixelShare` of the pixels.
    bool passes(double textLuminance, double needed) const;
    LuminanceTest test(double needed) const;

private:
    std::vector<double> ratios(double textLuminance) const;
    std::vector<double> m_sorted;
};

} // namespace kw::audit
