// Text over a background picture: the picture placed as the preview places it (at the region's top left
// corner, tiled when it repeats, the background colour wherever it does not reach or is transparent), and
// the luminances of the pixels under the text.
#pragma once

#include "audit/Proposal.h"
#include "base/Color.h"
#include "image/BitmapImage.h"
#include "image/DeviceContext.h"

#include <span>
#include <vector>

namespace kw::audit {

using image::Rect;

/// The share of the text area's pixels that must reach the needed ratio.
inline constexpr double kPixelShare = 0.95;

/// How a picture lies in its region.
struct PicturePlacement {
    const image::BitmapImage *picture = nullptr;
    bool repeat = false; ///< tiled over the region (the repeat keyword is exactly "repeat")
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
