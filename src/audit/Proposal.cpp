#include "audit/Proposal.h"

#include "audit/Contrast.h"
#include "audit/Oklab.h"

#include <array>
#include <cmath>
#include <vector>

namespace kw::audit {

namespace {

// The coarse grid every search starts on: each channel in steps of 8 (and 255), its OKLab coordinates and
// luminance computed once.
struct GridColor {
    Color color;
    Lab lab;
    double luminance;
};

const std::vector<GridColor> &coarseGrid()
{
    static const std::vector<GridColor> grid = [] {
        std::vector<unsigned> levels;
        for (unsigned v = 0; v < 256; v += 8)
            levels.push_back(v);
        levels.push_back(255);
        std::vector<GridColor> colors;
        colors.reserve(levels.size() * levels.size() * levels.size());
        for (unsigned r : levels)
            for (unsigned g : levels)
                for (unsigned b : levels) {
                    const Color c = rgb(r, g, b);
                    colors.push_back({c, toOklab(c), relativeLuminance(c)});
                }
        return colors;
    }();
    return grid;
}

struct Best {
    std::optional<NearestColor> found;
    void offer(Color color, double d)
    {
        if (!found || d < found->distance)
            found = NearestColor{color, d};
    }
};

// Every colour within `radius` of `centre` in each channel, one step at a time.
void refineAround(Color centre, int radius, const Lab &from, const LuminanceTest &passes, Best &best)
{
    auto range = [&](unsigned value) {
        return std::pair{std::max(0, static_cast<int>(value) - radius),
                         std::min(255, static_cast<int>(value) + radius)};
    };
    const auto [r0, r1] = range(redOf(centre));
    const auto [g0, g1] = range(greenOf(centre));
    const auto [b0, b1] = range(blueOf(centre));
    for (int r = r0; r <= r1; ++r)
        for (int g = g0; g <= g1; ++g)
            for (int b = b0; b <= b1; ++b) {
                const Color c = rgb(r, g, b);
                if (!passes(relativeLuminance(c)))
                    continue;
                best.offer(c, distance(from, toOklab(c)));
            }
}

// Along the colour's own hue: lightness moved up or down in small steps, chroma reduced only as far as the
// gamut needs, until the 8-bit colour passes.
std::optional<NearestColor> sameHue(Color color, const Lab &from, const LuminanceTest &passes)
{
    Best best;
    for (const double direction : {-1.0, 1.0}) {
        for (double L = from.L; L >= 0 && L <= 1; L += direction * 0.002) {
            // The largest share of the chroma that stays inside the gamut at this lightness.
            std::optional<Color> inGamut = fromOklab({L, from.a, from.b});
            if (!inGamut) {
                double low = 0, high = 1;
                for (int i = 0; i < 20; ++i) {
                    const double mid = (low + high) / 2;
                    (fromOklab({L, from.a * mid, from.b * mid}) ? low : high) = mid;
                }
                inGamut = fromOklab({L, from.a * low, from.b * low});
            }
            if (inGamut && *inGamut != color && passes(relativeLuminance(*inGamut))) {
                best.offer(*inGamut, distance(from, toOklab(*inGamut)));
                break;
            }
        }
    }
    return best.found;
}

} // namespace

LuminanceTest passesAgainst(double luminance, double needed)
{
    return [luminance, needed](double candidate) { return contrastRatio(candidate, luminance) >= needed; };
}

std::optional<NearestColor> nearestPassingColor(Color from, const LuminanceTest &passes)
{
    const Lab origin = toOklab(from);
    const double ownLuminance = relativeLuminance(from);
    // The nearest grid colours darker and lighter than the colour: the two sides of the failing band.
    Best darker, lighter;
    for (const GridColor &g : coarseGrid()) {
        if (!passes(g.luminance))
            continue;
        (g.luminance < ownLuminance ? darker : lighter).offer(g.color, distance(origin, g.lab));
    }
    Best nearest;
    for (const Best *side : {&darker, &lighter})
        if (side->found)
            refineAround(side->found->color, 8, origin, passes, nearest);
    if (!nearest.found)
        return std::nullopt;
    if (const auto hue = sameHue(from, origin, passes);
        hue && hue->distance <= nearest.found->distance + kHueTolerance)
        return hue;
    return nearest.found;
}

} // namespace kw::audit
