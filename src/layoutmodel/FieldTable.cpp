#include "layoutmodel/FieldTable.h"

#include <charconv>

namespace kw::layout {

std::string valueText(Color value)
{
    return formatColor(value);
}
std::string valueText(int value)
{
    return std::to_string(value);
}
std::string valueText(bool value)
{
    return value ? "true" : "false";
}

std::optional<Color> colorFromText(std::string_view text)
{
    // Strict form for people and tests: '#' and six hexadecimal digits.
    if (text.size() != 7 || text[0] != '#')
        return std::nullopt;
    for (char ch : text.substr(1))
        if (!std::isxdigit(static_cast<unsigned char>(ch)))
            return std::nullopt;
    return parseColor(text);
}

std::optional<int> intFromText(std::string_view text)
{
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<bool> boolFromText(std::string_view text)
{
    if (text == "true")
        return true;
    if (text == "false")
        return false;
    return std::nullopt;
}

} // namespace kw::layout
