// Value syntax shared by the layout file, the published stylesheets and the settings scripts.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kw {

/// Screen resolution used to turn points into pixels.
inline constexpr int kDotsPerInch = 96;

/// Whole pixels written as "%dpx".
std::string formatPx(int pixels);

/// A size as stylesheets give it: "<number>px" gives the number (its whole part), "<number>pt" the number
/// converted at 96 dots per inch and rounded. Any other unit, or no number before the unit, gives no value.
std::optional<int> parseSize(std::string_view text);

/// The simpler reading used for a few sizes: the number before the last two characters, whatever they
/// are, without conversion ("11px" and "11pt" both give 11). No value when no number stands there.
std::optional<int> parseSizeDroppingUnit(std::string_view text);

/// Leading integer of a text (optional blanks and sign, then digits); no value without digits.
std::optional<int> parseLeadingInt(std::string_view text);

/// "true" or "false".
std::string_view formatSwitch(bool on);
/// True exactly for "true".
bool parseSwitch(std::string_view text);
/// True for "true" in any case.
bool parseSwitchIgnoringCase(std::string_view text);

/// The nine entries of every weight drop-down; index i stands for weight (i + 1) * 100.
inline constexpr std::array<std::string_view, 9> kWeightChoices = {
    "100", "200", "300", "400 (normal)", "500", "600", "700 (fett)", "800", "900"};

/// Weight text ("700", "bold", "normal", "400 (normal)") to a drop-down index 0..8; -1 when the text holds
/// no weight. "bold" (any case) is 700 and "normal" (any case) is 400; otherwise the leading number counts.
/// Numbers outside 100..900 are clamped to the nearest index.
int weightIndexFromText(std::string_view text);
/// Drop-down index to the weight number as text ("700" for index 6).
std::string weightTextFromIndex(int index);

/// The border style keywords in their fixed order (also the picture order of the border style boxes).
inline constexpr std::array<std::string_view, 9> kBorderStyles = {
    "none", "solid", "dotted", "dashed", "double", "groove", "ridge", "inset", "outset"};
/// Index of a border style keyword (exact comparison), or -1.
int borderStyleIndex(std::string_view keyword);

/// The model keeps bare picture file names. This reduces any picture reference to one: an empty path, a
/// path holding * ? < > | or ", or one ending in ':', '/' or '\\' gives the empty name; otherwise the text
/// after the later of the last '\\' and the last '/', or after the last ':' when it holds neither.
std::string reducePictureName(std::string_view path);

/// Compare two texts ignoring ASCII case.
bool equalsIgnoringCase(std::string_view a, std::string_view b);
/// ASCII lower-case copy.
std::string toLowerAscii(std::string_view text);
/// The time now in UTC as "2026-12-07T01:23:45Z".
std::string utcTimestamp();
/// Text without leading and trailing blanks (spaces and tabs).
std::string_view trimBlanks(std::string_view text);

} // namespace kw
