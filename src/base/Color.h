// Colour values as the portal stores them: red in the lowest byte, then green, then blue.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kw {

using Color = std::uint32_t;

constexpr Color rgb(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned redOf(Color c)
{
    return c & 0xFFu;
}
constexpr unsigned greenOf(Color c)
{
    return (c >> 8) & 0xFFu;
}
constexpr unsigned blueOf(Color c)
{
    return (c >> 16) & 0xFFu;
}

/// "#RRGGBB" with upper-case hexadecimal digits, red first.
std::string formatColor(Color c);

/// Reads a colour the way stylesheets are read: the first character is skipped (normally '#'), then three
/// hexadecimal numbers of one or two digits each (red, green, blue), each after optional blanks, as the
/// C format "%02lx%02lx%02lx" scans them. Upper- and lower-case digits read the same. Text after the
/// third number is ignored. Gives no value when any of the three numbers is missing.
std::optional<Color> parseColor(std::string_view text);

} // namespace kw
