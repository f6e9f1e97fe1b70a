// Contrast of two colours as WCAG 2.2 measures it: relative luminance of sRGB colours and their ratio, and
// the ratios that levels AA and AAA require of normal and large text.
#pragma once

#include "base/Color.h"

#include <optional>
#include <string>
#include <string_view>

namespace kw::audit {

enum class Level { AA, AAA };

/// "AA" or "AAA".
std::string_view levelName(Level level);
/// The level of "AA" or "AAA" (exactly so), nothing for anything else.
std::optional<Level> levelByName(std::string_view name);

/// The relative luminance of one 8-bit sRGB channel value, linearised (0 for 0, 1 for 255).
double linearChannel(unsigned value);
/// The relative luminance of a colour: 0.2126 R + 0.7152 G + 0.0722 B of the linearised channels.
double relativeLuminance(Color color);
/// (L1 + 0.05) / (L2 + 0.05) with L1 the lighter of the two luminances: from 1 to 21.
double contrastRatio(double luminanceA, double luminanceB);
double contrastRatio(Color a, Color b);

/// Large text: at least 24 pixels, or at least 18.66 pixels (14 points) and bold (weight 700 or more).
bool isLargeText(int pixelSize, int weight);
/// The ratio a level requires: AA 4.5 (large text 3), AAA 7 (large text 4.5).
double requiredRatio(Level level, bool largeText);

/// A ratio with two decimals ("4.48"); the comparison with what is needed is made on the unrounded value.
std::string formatRatio(double ratio);

} // namespace kw::audit
