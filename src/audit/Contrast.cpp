#include "audit/Contrast.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace kw::audit {

namespace {

std::array<double, 256> makeLinearTable()
{
    std::array<double, 256> table{};
    for (unsigned v = 0; v < 256; ++v) {
        const double c = v / 255.0;
        table[v] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    return table;
}

} // namespace

std::string_view levelName(Level level)
{
    return level == Level::AAA ? "AAA" : "AA";
}

std::optional<Level> levelByName(std::string_view name)
{
    if (name == "AA")
        return Level::AA;
    if (name == "AAA")
        return Level::AAA;
    return std::nullopt;
}

double linearChannel(unsigned value)
{
    static const std::array<double, 256> table = makeLinearTable();
    return table[value & 0xFFu];
}

double relativeLuminance(Color color)
{
    return 0.2126 * linearChannel(redOf(color)) + 0.7152 * linearChannel(greenOf(color)) +
           0.0722 * linearChannel(blueOf(color));
}

double contrastRatio(double luminanceA, double luminanceB)
{
    const auto [darker, lighter] = std::minmax(luminanceA, luminanceB);
    return (lighter + 0.05) / (darker + 0.05);
}

double contrastRatio(Color a, Color b)
{
    return contrastRatio(relativeLuminance(a), relativeLuminance(b));
}

bool isLargeText(int pixelSize, int weight)
{
    return pixelSize >= 24 || (pixelSize >= 18.66 && weight >= 700);
}

double requiredRatio(Level level, bool largeText)
{
    if (level == Level::AAA)
        return largeText ? 4.5 : 7.0;
    return largeText ? 3.0 : 4.5;
}

std::string formatRatio(double ratio)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", ratio);
    return buffer;
}

} // namespace kw::audit
