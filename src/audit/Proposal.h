// Proposals for a failing pair: the colour nearest to a given one (in OKLab) whose luminance passes.
#pragma once

#include "base/Color.h"

#include <functional>
#include <optional>

namespace kw::audit {

/// Whether a candidate colour of this relative luminance would pass. Contrast depends on luminance alone,
/// so every test of a pair (against a colour, against the pixels of a picture) is one of these.
using LuminanceTest = std::function<bool(double luminance)>;

/// A candidate passes against a plain colour of this luminance when the unrounded ratio reaches `needed`.
LuminanceTest passesAgainst(double luminance, double needed);

struct NearestColor {
    Color color = 0;
    double distance = 0; ///< OKLab distance from the colour it replaces
};

/// A hue-keeping candidate is preferred while it is at most this much farther than the nearest of all
/// (about half a just-noticeable difference).
inline constexpr double kHueTolerance = 0.01;

/// The 8-bit colour that passes and lies nearest to `from` in OKLab. Where the colour of the same hue and
/// chroma (chroma reduced only where the sRGB gamut ends) that passes with the least change of lightness is
/// at most kHueTolerance farther, that one is given instead. Nothing when no colour passes at all.
std::optional<NearestColor> nearestPassingColor(Color from, const LuminanceTest &passes);

} // namespace kw::audit
