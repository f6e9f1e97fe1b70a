#include "VbsScriptReader.h"

#include "base/TextCodec.h"

#include <cctype>
#include <optional>
#include <vector>

namespace kw::test {

namespace {

std::string lower(std::string_view text)
{
    std::string out(text);
    for (char &ch : out)
        ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return out;
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool startsWithWord(std::string_view line, std::string_view word)
{
    return lower(line.substr(0, word.size())) == word &&
           (line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '(');
}

// Parses a whole right-hand side as a string expression: literals, "&", the vb constants and Chr(n).
// Returns the decoded text, or sets `error` and returns nothing.
std::optional<std::string> stringExpression(std::string_view rest, std::string &error)
{
    std::string value;
    std::size_t i = 0;
    bool expectTerm = true;
    while (true) {
        while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t'))
            ++i;
        if (i == rest.size()) {
            if (expectTerm)
                error = "an expression ends after \"&\"";
            return expectTerm ? std::nullopt : std::optional(value);
        }
        if (!expectTerm) {
            if (rest[i] != '&') {
                error = "something follows a string: \"" + std::string(rest.substr(i)) + "\"";
                return std::nullopt;
            }
            ++i;
            expectTerm = true;
            continue;
        }
        expectTerm = false;
        if (rest[i] == '"') {
            ++i;
            for (;;) {
                if (i == rest.size()) {
                    error = "a string is not closed on its line";
                    return std::nullopt;
                }
                if (rest[i] == '"') {
                    if (i + 1 < rest.size() && rest[i + 1] == '"') {
                        value += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += rest[i++];
            }
            continue;
        }
        std::size_t end = i;
        while (end < rest.size() && (std::isalnum(static_cast<unsigned char>(rest[end])) || rest[end] == '_'))
            ++end;
        const std::string word = lower(rest.substr(i, end - i));
        i = end;
        if (word == "vbcrlf" || word == "vbnewline")
            value += "\r\n";
        else if (word == "vbcr")
            value += "\r";
        else if (word == "vblf")
            value += "\n";
        else if (word == "vbtab")
            value += "\t";
        else if (word == "chr" && i < rest.size() && rest[i] == '(') {
            const std::size_t close = rest.find(')', i);
            if (close == std::string_view::npos) {
                error = "Chr( is not closed";
                return std::nullopt;
            }
            const int code = std::stoi(std::string(rest.substr(i + 1, close - i - 1)));
            const char byte = static_cast<char>(code);
            value += code < 0x80 ? std::string(1, byte) : cp1252ToUtf8(std::string_view(&byte, 1));
            i = close + 1;
        } else {
            error = "\"" + word + "\" is no part of a string expression";
            return std::nullopt;
        }
    }
}

// One line of a block; false with `error` set when it is no statement the scripts use.
bool statement(std::string_view line, VbsScript &script)
{
    line = trim(line);
    if (line.empty() || startsWithWord(line, "sub") || lower(line) == "end sub" ||
        startsWithWord(line, "execute") || startsWithWord(line, "set"))
        return true;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        script.error = "no statement: \"" + std::string(line) + "\"";
        return false;
    }
    const std::string target(trim(line.substr(0, equals)));
    const std::string_view rest = trim(line.substr(equals + 1));
    const bool plainName = !target.empty() && target.find_first_of(" \"&%<>") == std::string::npos;
    const bool application = target.starts_with("Application(\"") && target.ends_with("\")") &&
                             target.find('"', 13) == target.size() - 2;
    if (!plainName && !application) {
        script.error = "no assignment target: \"" + target + "\"";
        return false;
    }
    if (rest.empty() || rest.front() != '"') {
        script.values[target] = std::string(rest);
        return true;
    }
    std::string error;
    const std::optional<std::string> value = stringExpression(rest, error);
    if (!value) {
        script.error = target + ": " + error;
        return false;
    }
    script.values[target] = *value;
    return true;
}

bool block(std::string_view code, VbsScript &script)
{
    std::size_t start = 0;
    while (start <= code.size()) {
        std::size_t end = code.find('\n', start);
        if (end == std::string_view::npos)
            end = code.size();
        std::string_view line = code.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!statement(line, script))
            return false;
        start = end + 1;
    }
    return true;
}

} // namespace

VbsScript readVbsScript(std::string_view text)
{
    VbsScript script;
    std::size_t at = 0;
    const std::string folded = lower(text);
    while (true) {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
            ++at;
        if (at == text.size())
            return script;
        std::size_t codeStart = 0, codeEnd = 0, next = 0;
        if (text.substr(at, 2) == "<%") {
            // The server ends the block at the first "%>", wherever it stands.
            codeStart = at + 2;
            codeEnd = text.find("%>", codeStart);
            next = codeEnd + 2;
        } else if (folded.compare(at, 7, "<script") == 0) {
            const std::size_t tagEnd = text.find('>', at);
            if (tagEnd == std::string_view::npos ||
                folded.substr(at, tagEnd - at).find("runat=server") == std::string::npos) {
                script.error = "a script element that does not run on the server";
                return script;
            }
            codeStart = tagEnd + 1;
            codeEnd = folded.find("</script", codeStart);
            const std::size_t close = codeEnd == std::string::npos ? codeEnd : text.find('>', codeEnd);
            if (close == std::string_view::npos)
                codeEnd = std::string_view::npos;
            next = close + 1;
        } else {
            script.error = "text outside a script block goes to the browser: \"" +
                           std::string(text.substr(at, 40)) + "\"";
            return script;
        }
        if (codeEnd == std::string_view::npos) {
            script.error = "a script block does not end";
            return script;
        }
        if (!block(text.substr(codeStart, codeEnd - codeStart), script))
            return script;
        at = next;
    }
}

} // namespace kw::test
