#include "base/ScriptLiteral.h"

#include "base/StringTable.h"
#include "base/TextCodec.h"
#include "base/Values.h"

#include <algorithm>
#include <array>

namespace kw {

namespace {

/// The named constants a string expression may use, longest first where one begins another.
struct NamedText {
    std::string_view name;
    std::string_view text;
};
constexpr std::array<NamedText, 5> kNamedTexts = {{
    {"vbCrLf", "\r\n"},
    {"vbNewLine", "\r\n"},
    {"vbCr", "\r"},
    {"vbLf", "\n"},
    {"vbTab", "\t"},
}};

bool isBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

bool isWordCharacter(char ch)
{
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_';
}

std::size_t skipBlanks(std::string_view script, std::size_t at)
{
    while (at < script.size() && isBlank(script[at]))
        ++at;
    return at;
}

/// The literal opening at `at` (a double quote); `at` moves past its closing quote. Nothing when unclosed.
std::optional<std::string> readLiteral(std::string_view script, std::size_t &at)
{
    std::string text;
    for (std::size_t i = at + 1; i < script.size(); ++i) {
        if (script[i] != '"') {
            text += script[i];
        } else if (i + 1 < script.size() && script[i + 1] == '"') {
            text += '"';
            ++i;
        } else {
            at = i + 1;
            return text;
        }
    }
    return std::nullopt;
}

/// Chr(n) at `at`, n from 0 to 255; `at` moves past it.
std::optional<std::string> readChr(std::string_view script, std::size_t &at)
{
    constexpr std::string_view kChr = "Chr(";
    if (!equalsIgnoringCase(script.substr(at, kChr.size()), kChr))
        return std::nullopt;
    std::size_t i = at + kChr.size();
    int value = 0;
    const std::size_t digits = i;
    while (i < script.size() && script[i] >= '0' && script[i] <= '9' && i - digits < 3)
        value = value * 10 + (script[i++] - '0');
    if (i == digits || i >= script.size() || script[i] != ')' || value > 255)
        return std::nullopt;
    at = i + 1;
    const char byte = static_cast<char>(value);
    return value < 0x80 ? std::string(1, byte) : cp1252ToUtf8(std::string_view(&byte, 1));
}

/// One term after "&": a literal, a named constant or Chr(n); `at` moves past it.
std::optional<std::string> readTerm(std::string_view script, std::size_t &at)
{
    if (at >= script.size())
        return std::nullopt;
    if (script[at] == '"')
        return readLiteral(script, at);
    for (const NamedText &named : kNamedTexts) {
        const std::size_t end = at + named.name.size();
        if (equalsIgnoringCase(script.substr(at, named.name.size()), named.name) &&
            (end >= script.size() || !isWordCharacter(script[end]))) {
            at = end;
            return std::string(named.text);
        }
    }
    return readChr(script, at);
}

/// The length of the UTF-8 sequence starting with `lead` (1 for a stray byte).
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0)
        return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

} // namespace

std::string scriptString(std::string_view text, ScriptBlock block)
{
    // The pair that would end the block: it is split after its first character.
    const char first = block == ScriptBlock::Asp ? '%' : '<';
    const char second = block == ScriptBlock::Asp ? '>' : '/';
    std::string out = "\"";
    bool open = true; // a literal is open
    auto spelled = [&](std::string_view term) {
        if (open)
            out += '"';
        open = false;
        out += " & ";
        out += term;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            spelled("vbCrLf");
            ++i;
        } else if (ch == '\r') {
            spelled("vbCr");
        } else if (ch == '\n') {
            spelled("vbLf");
        } else if (static_cast<unsigned char>(ch) < 0x20 && ch != '\t') {
            spelled("Chr(" + std::to_string(static_cast<unsigned char>(ch)) + ")");
        } else {
            if (!open)
                out += " & \"";
            open = true;
            out += ch;
            if (ch == '"')
                out += '"';
            if (ch == first && i + 1 < text.size() && text[i + 1] == second) {
                out += '"';
                open = false;
            }
        }
    }
    if (open)
        out += '"';
    return out;
}

std::optional<std::string> readScriptStringAfter(std::string_view script, std::size_t from)
{
    return readScriptString(script, script.find('"', from));
}

std::optional<std::string> readScriptString(std::string_view script, std::size_t quote)
{
    if (quote >= script.size() || script[quote] != '"')
        return std::nullopt;
    std::size_t at = quote;
    std::optional<std::string> text = readLiteral(script, at);
    if (!text)
        return std::nullopt;
    for (;;) {
        std::size_t next = skipBlanks(script, at);
        if (next >= script.size() || script[next] != '&')
            return text;
        next = skipBlanks(script, next + 1);
        const std::optional<std::string> term = readTerm(script, next);
        if (!term)
            return text;
        *text += *term;
        at = next;
    }
}

std::size_t findOutsideStrings(std::string_view script, std::string_view what, std::size_t from)
{
    for (std::size_t at = script.find(what, from); at != std::string_view::npos;
         at = script.find(what, at + 1)) {
        const std::size_t lineStart = script.rfind('\n', at);
        const std::string_view before =
            script.substr(lineStart == std::string_view::npos ? 0 : lineStart + 1,
                          at - (lineStart == std::string_view::npos ? 0 : lineStart + 1));
        if (std::count(before.begin(), before.end(), '"') % 2 == 0)
            return at;
    }
    return std::string_view::npos;
}

std::optional<std::string> scriptTextRefusal(std::string_view text)
{
    std::string refused;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length =
            std::min(sequenceLength(static_cast<unsigned char>(text[i])), text.size() - i);
        const std::string_view character = text.substr(i, length);
        if (cp1252ToUtf8(utf8ToCp1252(character)) != character &&
            refused.find(character) == std::string::npos)
            refused += character;
        i += length;
    }
    if (refused.empty())
        return std::nullopt;
    return formatString(StringId::ScriptTextNotWritable, refused);
}

} // namespace kw
