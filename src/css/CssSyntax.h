// Character classes and escapes of the stylesheet text, shared by the reader and the writer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kw::css::syntax {

namespace charclass {

// One byte of flags per byte value, so that the character classes below are a single lookup each.
enum CharClass : unsigned char {
    kNewline = 1,
    kWhitespace = 2,
    kHexDigit = 4,
    kWordChar = 8,
    kScanStop = 16, // a byte that ends a run of plain bytes for the reader: ; { } " ' / and backslash
};

constexpr unsigned char classify(unsigned char u)
{
    unsigned char flags = 0;
    if (u == '\n' || u == '\r' || u == '\f')
        flags |= kNewline | kWhitespace;
    if (u == ' ' || u == '\t')
        flags |= kWhitespace;
    if ((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F'))
        flags |= kHexDigit;
    if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u == '-' ||
        u >= 0x80)
        flags |= kWordChar;
    if (u == ';' || u == '{' || u == '}' || u == '"' || u == '\'' || u == '/' || u == '\\')
        flags |= kScanStop;
    return flags;
}

struct CharTable {
    unsigned char flags[256];
    constexpr CharTable() : flags()
    {
        for (int i = 0; i < 256; ++i)
            flags[i] = classify(static_cast<unsigned char>(i));
    }
};

inline constexpr CharTable kCharTable;

constexpr bool hasClass(char c, unsigned char flags)
{
    return (kCharTable.flags[static_cast<unsigned char>(c)] & flags) != 0;
}

} // namespace charclass

/// CR, LF and FF end a line (CR LF counts as one line break).
constexpr bool isNewline(char c)
{
    return charclass::hasClass(c, charclass::kNewline);
}
constexpr bool isWhitespace(char c)
{
    return charclass::hasClass(c, charclass::kWhitespace);
}
constexpr bool isHexDigit(char c)
{
    return charclass::hasClass(c, charclass::kHexDigit);
}

/// Bytes that make up names without escaping: ASCII letters, digits, '_', '-' and every byte from 0x80 up
/// (UTF-8 or not, passed through as it is). Names may start with a digit ("2ndLevel").
constexpr bool isWordChar(char c)
{
    return charclass::hasClass(c, charclass::kWordChar);
}

/// The first position from pos on holding one of ; { } " ' / or a backslash, or text.size(): the bytes
/// before it can neither end nor open anything.
inline std::size_t skipPlain(std::string_view text, std::size_t pos)
{
    const char *p = text.data() + pos;
    const char *const end = text.data() + text.size();
    while (p != end && !charclass::hasClass(*p, charclass::kScanStop))
        ++p;
    return static_cast<std::size_t>(p - text.data());
}

/// The first position from pos on whose byte has none of the classes in `flags`, or text.size().
inline std::size_t skipWithout(std::string_view text, std::size_t pos, unsigned char flags)
{
    const char *p = text.data() + pos;
    const char *const end = text.data() + text.size();
    while (p != end && !charclass::hasClass(*p, flags))
        ++p;
    return static_cast<std::size_t>(p - text.data());
}

/// The first position from pos on that holds no word byte, or text.size().
inline std::size_t skipWord(std::string_view text, std::size_t pos)
{
    const char *p = text.data() + pos;
    const char *const end = text.data() + text.size();
    while (p != end && isWordChar(*p))
        ++p;
    return static_cast<std::size_t>(p - text.data());
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
