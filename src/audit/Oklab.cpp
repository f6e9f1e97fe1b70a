#include "audit/Oklab.h"

#include "audit/Contrast.h"

#include <algorithm>
#include <cmath>

namespace kw::audit {

namespace {

double encode(double linear)
{
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
}

} // namespace

Lab toOklab(Color color)
{
    const double r = linearChannel(redOf(color));
    const double g = linearChannel(greenOf(color));
    const double b = linearChannel(blueOf(color));
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

std::optional<Color> fromOklab(const Lab &lab)
{
    const double l = std::pow(lab.L + 0.3963377774 * lab.a + 0.2158037573 * lab.b, 3);
    const double m = std::pow(lab.L - 0.1055613458 * lab.a - 0.0638541728 * lab.b, 3);
    const double s = std::pow(lab.L - 0.0894841775 * lab.a - 1.2914855480 * lab.b, 3);
    const double linear[3] = {4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s,
                              -1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s,
                              -0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s};
    unsigned channel[3];
    for (int i = 0; i < 3; ++i) {
        constexpr double kMargin = 1e-4;
        if (linear[i] < -kMargin || linear[i] > 1 + kMargin)
            return std::nullopt;
        const double value = std::round(encode(std::clamp(linear[i], 0.0, 1.0)) * 255);
        channel[i] = static_cast<unsigned>(value);
    }
    return rgb(channel[0], channel[1], channel[2]);
}

double distance(const Lab &x, const Lab &y)
{
    return std::sqrt((x.L - y.L) * (x.L - y.L) + (x.a - y.a) * (x.a - y.a) + (x.b - y.b) * (x.b - y.b));
}

} // namespace kw::audit
