// Character classes and escapes of the stylesheet text, shared by the reader and the writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kw::css::syntax {

/// CR, LF and FF end a line (CR LF counts as one line break).
constexpr bool isNewline(char c)
{
    return c == '\n' || c == '\r' || c == '\f';
}
constexpr bool isWhitespace(char c)
{
    return c == ' ' || c == '\t' || isNewline(c);
}
constexpr bool isHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

/// Bytes that make up names without escaping: ASCII letters, digits, '_', '-' and every byte from 0x80 up
/// (UTF-8 or not, passed through as it is). Names may start with a digit ("2ndLevel").
constexpr bool isWordChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' ||
           u == '-' || u >= 0x80;
}

/// Length of the line break at text[pos] (2 for CR LF, 1 for CR, LF or FF, 0 when there is none).
std::size_t newlineLength(std::string_view text, std::size_t pos);

/// Length of the escape starting with the backslash at text[pos]: a backslash and up to six hexadecimal
/// digits with one following whitespace (a line break counts as one), or a backslash and one other byte.
/// A backslash before a line break or at the end is not an escape and gives 0.
std::size_t escapeLength(std::string_view text, std::size_t pos);

/// Appends what the escape at text[pos] (escapeLength > 0) stands for. A hexadecimal escape gives the
/// code point in UTF-8; 0 gives a zero byte (so that every byte a writer escapes comes back), surrogates
/// and values above U+10FFFF give U+FFFD. Any other escape gives the escaped byte.
void appendDecodedEscape(std::string_view text, std::size_t pos, std::string &out);

/// Appends a name so that reading it gives it back: word bytes as they are, other printable ASCII as a
/// backslash and the character, blanks and control characters as a hexadecimal escape with a space.
void appendEscapedName(std::string &out, std::string_view name);

/// Appends a double-quoted string holding any text: '"' and '\' are escaped with a backslash, CR, LF
/// and FF as hexadecimal escapes ("\D ", "\A ", "\C ").
void appendQuoted(std::string &out, std::string_view text);

/// When the text is exactly one quoted string (as the reader leaves values: closed, no line breaks),
/// gives its contents with the escapes decoded; otherwise gives the text unchanged.
std::string unquoteIfString(std::string_view text);

} // namespace kw::css::syntax
