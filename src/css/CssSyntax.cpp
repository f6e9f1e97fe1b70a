// Character classes, escapes and quoting of the stylesheet text.
#include "css/CssSyntax.h"

namespace kw::css::syntax {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

unsigned hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<unsigned>(c - 'a' + 10);
    return static_cast<unsigned>(c - 'A' + 10);
}

void appendUtf8(std::string &out, std::uint32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void appendHexEscape(std::string &out, unsigned char c)
{
    out += '\\';
    if (c >= 0x10)
        out += kHexDigits[c >> 4];
    out += kHexDigits[c & 0x0F];
    out += ' ';
}

// Number of hexadecimal digits (at most six) of the escape whose backslash is at pos.
std::size_t hexDigitCount(std::string_view text, std::size_t pos)
{
    std::size_t n = 0;
    while (n < 6 && pos + 1 + n < text.size() && isHexDigit(text[pos + 1 + n]))
        ++n;
    return n;
}

} // namespace

std::size_t newlineLength(std::string_view text, std::size_t pos)
{
    if (pos >= text.size() || !isNewline(text[pos]))
        return 0;
    return (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ? 2 : 1;
}

std::size_t escapeLength(std::string_view text, std::size_t pos)
{
    if (pos + 1 >= text.size() || isNewline(text[pos + 1]))
        return 0;
    const std::size_t digits = hexDigitCount(text, pos);
    if (digits == 0)
        return 2;
    std::size_t end = pos + 1 + digits;
    if (end < text.size() && isWhitespace(text[end]))
        end += text[end] == '\r' ? newlineLength(text, end) : 1;
    return end - pos;
}

void appendDecodedEscape(std::string_view text, std::size_t pos, std::string &out)
{
    const std::size_t digits = hexDigitCount(text, pos);
    if (digits == 0) {
        out += text[pos + 1];
        return;
    }
    std::uint32_t cp = 0;
    for (std::size_t i = 0; i < digits; ++i)
        cp = cp * 16 + hexValue(text[pos + 1 + i]);
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        cp = 0xFFFD;
    appendUtf8(out, cp);
}

void appendEscapedName(std::string &out, std::string_view name)
{
    for (std::size_t pos = 0; pos < name.size();) {
        if (const std::size_t end = skipWord(name, pos); end > pos) { // a run of word bytes as it is
            out.append(name.substr(pos, end - pos));
            pos = end;
            continue;
        }
        const char c = name[pos++];
        const auto u = static_cast<unsigned char>(c);
        if (u > 0x20 && u < 0x7F) {
            out += '\\';
            out += c;
        } else {
            appendHexEscape(out, u);
        }
    }
}

void appendQuoted(std::string &out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (isNewline(c)) {
            appendHexEscape(out, static_cast<unsigned char>(c));
        } else {
            out += c;
        }
    }
    out += '"';
}

std::string unquoteIfString(std::string_view text)
{
    if (text.size() < 2 || (text.front() != '"' && text.front() != '\''))
        return std::string(text);
    const char quote = text.front();
    std::size_t pos = 1;
    while (pos < text.size() && text[pos] != quote)
        pos += (text[pos] == '\\' && pos + 1 < text.size()) ? 2 : 1;
    if (pos != text.size() - 1)
        return std::string(text);

    std::string result;
    result.reserve(text.size());
    const std::string_view body = text.substr(0, text.size() - 1); // escapes must not reach the quote
    for (pos = 1; pos < body.size();) {
        if (body[pos] != '\\') {
            result += body[pos++];
            continue;
        }
        const std::size_t length = escapeLength(body, pos);
        if (length == 0) { // a line continuation or a trailing backslash stands for nothing
            pos += 1 + newlineLength(body, pos + 1);
            continue;
        }
        appendDecodedEscape(body, pos, result);
        pos += length;
    }
    return result;
}

} // namespace kw::css::syntax
