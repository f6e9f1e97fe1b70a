// The OKLab colour space, in which the proposals are the nearest colours: Euclidean distance there follows
// perceived difference closely (a difference of about 0.02 is just noticeable).
#pragma once

#include "base/Color.h"

#include <optional>

namespace kw::audit {

struct Lab {
    double L = 0; ///< lightness, 0 (black) to 1 (white)
    double a = 0;
    double b = 0;
};

Lab toOklab(Color color);
/// The 8-bit sRGB colour of an OKLab colour, nothing when it lies outside the sRGB gamut (beyond a rounding
/// margin).
std::optional<Color> fromOklab(const Lab &lab);
/// Euclidean distance in OKLab.
double distance(const Lab &x, const Lab &y);

} // namespace kw::audit
