#include "publish/UnifiedDiff.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kw::publish {

namespace {

// Lines with their line break; the last may lack one.
std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, next - start));
        start = next;
    }
    return lines;
}

enum class Edit { Keep, Remove, Add };

// The shortest edit script by the longest common subsequence (the files are small).
std::vector<Edit> editScript(const std::vector<std::string_view> &a, const std::vector<std::string_view> &b)
{
    const std::size_t n = a.size(), m = b.size();
    std::vector<std::uint32_t> lcs((n + 1) * (m + 1), 0);
    auto at = [&](std::size_t i, std::size_t j) -> std::uint32_t & { return lcs[i * (m + 1) + j]; };
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            at(i, j) = a[i] == b[j] ? at(i + 1, j + 1) + 1 : std::max(at(i + 1, j), at(i, j + 1));
    std::vector<Edit> script;
    std::size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && a[i] == b[j]) {
            script.push_back(Edit::Keep);
            ++i;
            ++j;
        } else if (i < n && (j == m || at(i + 1, j) >= at(i, j + 1))) {
            script.push_back(Edit::Remove); // removed lines before added ones, as diff prints them
            ++i;
        } else {
            script.push_back(Edit::Add);
            ++j;
        }
    }
    return script;
}

std::string range(std::size_t start, std::size_t count)
{
    // An empty range names the line before it.
    std::string text = std::to_string(count == 0 ? start : start + 1);
    if (count != 1)
        text += "," + std::to_string(count);
    return text;
}

void appendLine(std::string &out, char mark, std::string_view line)
{
    out += mark;
    out += line;
    if (line.empty() || line.back() != '\n')
        out += "\n\\ Kein Zeilenumbruch am Dateiende.\n";
}

} // namespace

std::string unifiedDiff(const std::string &path, const std::optional<std::string> &before,
                        const std::optional<std::string> &after, int context)
{
    if (before == after)
        return {};
    const std::string from = before ? "a/" + path : "/dev/null";
    const std::string to = after ? "b/" + path : "/dev/null";
    const std::string_view oldText = before ? std::string_view(*before) : std::string_view();
    const std::string_view newText = after ? std::string_view(*after) : std::string_view();
    if (oldText.find('\0') != std::string_view::npos || newText.find('\0') != std::string_view::npos)
        return "Binärdateien " + from + " und " + to + " sind verschieden.\n";

    const auto a = splitLines(oldText), b = splitLines(newText);
    const std::vector<Edit> script = editScript(a, b);
    std::string out = "--- " + from + "\n+++ " + to + "\n";
    const std::size_t ctx = static_cast<std::size_t>(std::max(context, 0));
    std::size_t k = 0;
    while (k < script.size()) {
        if (script[k] == Edit::Keep) {
            ++k;
            continue;
        }
        // A hunk: from `ctx` lines before this change to `ctx` lines after the last change that is no
        // more than 2 * ctx unchanged lines away.
        std::size_t first = k;
        for (std::size_t back = 0; back < ctx && first > 0 && script[first - 1] == Edit::Keep; ++back)
            --first;
        std::size_t last = k;
        for (std::size_t scan = k; scan < script.size(); ++scan) {
            if (script[scan] == Edit::Keep)
                continue;
            std::size_t gap = 0;
            for (std::size_t g = last + 1; g < scan; ++g)
                gap += script[g] == Edit::Keep ? 1 : 0;
            if (scan != k && gap > 2 * ctx)
                break;
            last = scan;
        }
        std::size_t end = last + 1;
        for (std::size_t fwd = 0; fwd < ctx && end < script.size() && script[end] == Edit::Keep; ++fwd)
            ++end;
        std::size_t aStart = 0, bStart = 0;
        for (std::size_t e = 0; e < first; ++e) {
            aStart += script[e] != Edit::Add ? 1 : 0;
            bStart += script[e] != Edit::Remove ? 1 : 0;
        }
        std::size_t aCount = 0, bCount = 0;
        std::string body;
        std::size_t ai = aStart, bi = bStart;
        for (std::size_t e = first; e < end; ++e) {
            switch (script[e]) {
            case Edit::Keep:
                appendLine(body, ' ', a[ai++]);
                ++bi;
                ++aCount;
                ++bCount;
                break;
            case Edit::Remove:
                appendLine(body, '-', a[ai++]);
                ++aCount;
                break;
            case Edit::Add:
                appendLine(body, '+', b[bi++]);
                ++bCount;
                break;
            }
        }
        out += "@@ -" + range(aStart, aCount) + " +" + range(bStart, bCount) + " @@\n" + body;
        k = end;
    }
    return out;
}

} // namespace kw::publish
