#include "base/Color.h"

#include <cctype>
#include <cstdio>

namespace kw {

std::string formatColor(Color c)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", redOf(c), greenOf(c), blueOf(c));
    return buffer;
}

namespace {

int hexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

// One "%02lx": optional white space, then one or two hexadecimal digits.
std::optional<unsigned> scanHexPair(std::string_view text, std::size_t &pos)
{
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
        ++pos;
    unsigned value = 0;
    int digits = 0;
    while (digits < 2 && pos < text.size()) {
        const int d = hexDigit(text[pos]);
        if (d < 0)
            break;
        value = value * 16 + static_cast<unsigned>(d);
        ++pos;
        ++digits;
    }
    if (digits == 0)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<Color> parseColor(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    std::size_t pos = 1;
    const auto r = scanHexPair(text, pos);
    if (!r)
        return std::nullopt;
    const auto g = scanHexPair(text, pos);
    if (!g)
        return std::nullopt;
    const auto b = scanHexPair(text, pos);
    if (!b)
        return std::nullopt;
    return rgb(*r, *g, *b);
}

} // namespace kw
