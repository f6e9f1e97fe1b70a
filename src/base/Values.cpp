#include "base/Values.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <ctime>

namespace kw {

std::string formatPx(int pixels)
{
    return std::to_string(pixels) + "px";
}

namespace {

bool endsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// Leading decimal number (blanks, sign, digits, optional fraction), like strtod without exponents.
std::optional<double> parseLeadingNumber(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos])))
        ++pos;
    text.remove_prefix(pos);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto [end, ec] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    if (ec != std::errc())
        return std::nullopt;
    return value;
}

} // namespace

std::optional<int> parseLeadingInt(std::string_view text)
{
    const auto number = parseLeadingNumber(text);
    if (!number || std::abs(*number) > 1e9)
        return std::nullopt;
    return static_cast<int>(*number); // whole part, as atoi would give
}

std::optional<int> parseSize(std::string_view text)
{
    text = trimBlanks(text);
    if (endsWith(text, "px"))
        return parseLeadingInt(text.substr(0, text.size() - 2));
    if (endsWith(text, "pt")) {
        const auto points = parseLeadingNumber(text.substr(0, text.size() - 2));
        if (!points || std::abs(*points) > 1e8)
            return std::nullopt;
        return static_cast<int>(std::lround(*points * kDotsPerInch / 72.0));
    }
    return std::nullopt;
}

std::optional<int> parseSizeDroppingUnit(std::string_view text)
{
    if (text.size() < 2)
        return std::nullopt;
    return parseLeadingInt(text.substr(0, text.size() - 2));
}

std::string_view formatSwitch(bool on)
{
    return on ? "true" : "false";
}
bool parseSwitch(std::string_view text)
{
    return text == "true";
}
bool parseSwitchIgnoringCase(std::string_view text)
{
    return equalsIgnoringCase(text, "true");
}

int weightIndexFromText(std::string_view text)
{
    const std::string_view trimmed = trimBlanks(text);
    int weight = 0;
    if (equalsIgnoringCase(trimmed, "bold"))
        weight = 700;
    else if (equalsIgnoringCase(trimmed, "normal"))
        weight = 400;
    else if (const auto number = parseLeadingInt(trimmed))
        weight = *number;
    else
        return -1;
    return std::clamp(weight / 100 - 1, 0, 8);
}

std::string weightTextFromIndex(int index)
{
    return std::to_string((std::clamp(index, 0, 8) + 1) * 100);
}

int borderStyleIndex(std::string_view keyword)
{
    const auto it = std::find(kBorderStyles.begin(), kBorderStyles.end(), keyword);
    return it == kBorderStyles.end() ? -1 : static_cast<int>(it - kBorderStyles.begin());
}

std::string reducePictureName(std::string_view path)
{
    if (path.empty() || path.find_first_of("*?<>|\"") != std::string_view::npos)
        return {};
    const char last = path.back();
    if (last == ':' || last == '/' || last == '\\')
        return {};
    const std::size_t slash = path.find_last_of("/\\");
    if (slash != std::string_view::npos)
        return std::string(path.substr(slash + 1));
    const std::size_t colon = path.rfind(':');
    if (colon != std::string_view::npos)
        return std::string(path.substr(colon + 1));
    return std::string(path);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string toLowerAscii(std::string_view text)
{
    std::string out(text);
    for (char &ch : out)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return out;
}

std::string_view trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

std::string utcTimestamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    gmtime_r(&now, &parts);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return buffer;
}

} // namespace kw
