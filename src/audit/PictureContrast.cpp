#include "audit/PictureContrast.h"

#include "audit/Contrast.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

namespace kw::audit {

namespace {

// A picture pixel as it shows over the background colour: transparent colour-map entries take the
// background, alpha blends over it (in sRGB, as the window's painter blends).
Color shownPixel(const image::BitmapImage &picture, int x, int y, Color background)
{
    const bool palette = picture.bitsPerPixel <= 8;
    if (palette && picture.transparentIndex >= 0 && picture.indexAt(x, y) == picture.transparentIndex)
        return background;
    const image::RgbQuad pixel = picture.pixelAt(x, y);
    const unsigned alpha = picture.bitsPerPixel == 32 ? pixel.reserved : 255;
    auto blend = [alpha](unsigned over, unsigned under) {
        return (over * alpha + under * (255 - alpha) + 127) / 255;
    };
    return rgb(blend(pixel.red, redOf(background)), blend(pixel.green, greenOf(background)),
               blend(pixel.blue, blueOf(background)));
}

// One keyword of `background-repeat` for one axis; nothing for a keyword that is none.
std::optional<bool> tilesAlongAxis(std::string_view keyword)
{
    if (keyword == "repeat" || keyword == "space" || keyword == "round")
        return true;
    if (keyword == "no-repeat")
        return false;
    return std::nullopt;
}

} // namespace

Tiling tilingOf(std::string_view keyword)
{
    std::string text(keyword);
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return std::tolower(c); });
    std::istringstream words(text);
    std::vector<std::string> parts{std::istream_iterator<std::string>(words), {}};
    const Tiling initial{true, true};
    if (parts.size() == 1) {
        if (parts[0] == "repeat-x")
            return {true, false};
        if (parts[0] == "repeat-y")
            return {false, true};
        const std::optional<bool> both = tilesAlongAxis(parts[0]);
        return both ? Tiling{*both, *both} : initial;
    }
    if (parts.size() == 2) {
        const std::optional<bool> across = tilesAlongAxis(parts[0]);
        const std::optional<bool> down = tilesAlongAxis(parts[1]);
        if (across && down)
            return {*across, *down};
    }
    return initial;
}

PixelLuminances::PixelLuminances(const PicturePlacement &placement, Color background,
                                 std::span<const Rect> textAreas)
{
    const image::BitmapImage *picture = placement.picture;
    const bool hasPicture = picture && !picture->empty();
    const double backgroundLuminance = relativeLuminance(background);
    for (const Rect &area : textAreas) {
        const int left = std::max(0, area.x);
        const int top = std::max(0, area.y);
        const int right = std::min(placement.regionWidth, area.x + area.width);
        const int bottom = std::min(placement.regionHeight, area.y + area.height);
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                const bool covered = hasPicture && (placement.tiling.across || x < picture->width) &&
                                     (placement.tiling.down || y < picture->height);
                m_sorted.push_back(covered ? relativeLuminance(shownPixel(*picture, x % picture->width,
                                                                          y % picture->height, background))
                                           : backgroundLuminance);
            }
        }
    }
    std::sort(m_sorted.begin(), m_sorted.end());
}

std::vector<double> PixelLuminances::ratios(double textLuminance) const
{
    std::vector<double> out;
    out.reserve(m_sorted.size());
    for (const double luminance : m_sorted)
        out.push_back(contrastRatio(textLuminance, luminance));
    return out;
}

double PixelLuminances::shareRatio(double textLuminance) const
{
    if (m_sorted.empty())
        return 1;
    std::vector<double> all = ratios(textLuminance);
    // At most this many pixels may fall below the figure.
    const auto below = static_cast<std::size_t>(std::floor(all.size() * (1 - kPixelShare)));
    std::nth_element(all.begin(), all.begin() + static_cast<std::ptrdiff_t>(below), all.end());
    return all[below];
}

double PixelLuminances::worstRatio(double textLuminance) const
{
    if (m_sorted.empty())
        return 1;
    // The worst pixel is the one of luminance nearest to the text's: a neighbour of its place in the order.
    const auto at = std::lower_bound(m_sorted.begin(), m_sorted.end(), textLuminance);
    double worst = 21;
    if (at != m_sorted.end())
        worst = std::min(worst, contrastRatio(textLuminance, *at));
    if (at != m_sorted.begin())
        worst = std::min(worst, contrastRatio(textLuminance, *(at - 1)));
    return worst;
}

bool PixelLuminances::passes(double textLuminance, double needed) const
{
    if (m_sorted.empty())
        return true;
    // Pixels pass when they are dark enough or light enough beside the text: two ends of the order.
    const double darkLimit = (textLuminance + 0.05) / needed - 0.05;
    const double lightLimit = needed * (textLuminance + 0.05) - 0.05;
    const auto dark = std::upper_bound(m_sorted.begin(), m_sorted.end(), darkLimit) - m_sorted.begin();
    const auto light = m_sorted.end() - std::lower_bound(m_sorted.begin(), m_sorted.end(), lightLimit);
    const auto passing = static_cast<std::size_t>(dark + light);
    const auto allowedBelow = static_cast<std::size_t>(std::floor(m_sorted.size() * (1 - kPixelShare)));
    return passing + allowedBelow >= m_sorted.size();
}

LuminanceTest PixelLuminances::test(double needed) const
{
    return [this, needed](double luminance) { return passes(luminance, needed); };
}

} // namespace kw::audit
