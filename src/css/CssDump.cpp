// The dump form: one line per element and property, indented by depth.
#include "css/CssDump.h"

#include <charconv>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace kw::css {

namespace {

constexpr std::string_view kUnnamed = "(unnamed)";

void appendKind(std::string &out, CSSTYPE type)
{
    switch (type) {
    case CSS_TAG:
        out += 'T';
        return;
    case CSS_CLASS:
        out += 'C';
        return;
    case CSS_PSEUDO:
        out += 'P';
        return;
    case CSS_BLOCK:
        out += 'B';
        return;
    }
    out += std::to_string(static_cast<int>(type));
}

// The kind at the start of an element line ("T ", "C ", ..., or digits and a blank), with the length of
// the text before the blank; nothing when the line is not an element line.
std::optional<std::pair<CSSTYPE, std::size_t>> kindOfLine(std::string_view content)
{
    if (content.size() >= 2 && content[1] == ' ') {
        switch (content[0]) {
        case 'T':
            return std::pair{CSS_TAG, std::size_t{1}};
        case 'C':
            return std::pair{CSS_CLASS, std::size_t{1}};
        case 'P':
            return std::pair{CSS_PSEUDO, std::size_t{1}};
        case 'B':
            return std::pair{CSS_BLOCK, std::size_t{1}};
        default:
            break;
        }
    }
    int number = 0;
    const auto [end, ec] = std::from_chars(content.data(), content.data() + content.size(), number);
    const auto digits = static_cast<std::size_t>(end - content.data());
    if (ec != std::errc() || digits >= content.size() || content[digits] != ' ')
        return std::nullopt;
    return std::pair{static_cast<CSSTYPE>(number), digits};
}

[[noreturn]] void fail(std::size_t lineNumber, const std::string &what)
{
    throw std::runtime_error("element dump, line " + std::to_string(lineNumber) + ": " + what);
}

} // namespace

std::string DumpTree(const CCssElement &root)
{
    std::string out;
    std::vector<std::pair<const CCssElement *, std::size_t>> pending; // element, depth
    for (auto it = root.GetChildren().rbegin(); it != root.GetChildren().rend(); ++it)
        pending.emplace_back(it->get(), 0);
    while (!pending.empty()) {
        const auto [element, depth] = pending.back();
        pending.pop_back();
        out.append(2 * depth, ' ');
        appendKind(out, element->GetType());
        out += ' ';
        out += element->GetName().empty() ? kUnnamed : std::string_view(element->GetName());
        out += '\n';
        for (const Property &property : element->GetProperties()) {
            out.append(2 * depth + 2, ' ');
            out += property.name;
            out += '=';
            out += property.value;
            out += '\n';
        }
        const auto &children = element->GetChildren();
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            pending.emplace_back(it->get(), depth + 1);
    }
    return out;
}

std::unique_ptr<CCssElement> ParseDump(std::string_view dump)
{
    auto root = std::make_unique<CCssElement>(std::string(), static_cast<CSSTYPE>(0));
    // open[0] is the root, open[d + 1] the most recent element at depth d.
    std::vector<CCssElement *> open{root.get()};
    std::size_t lineNumber = 0;
    while (!dump.empty()) {
        ++lineNumber;
        const std::size_t eol = dump.find('\n');
        std::string_view line = dump.substr(0, eol);
        dump.remove_prefix(eol == std::string_view::npos ? dump.size() : eol + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;

        const std::size_t spaces = line.find_first_not_of(' ');
        if (spaces == std::string_view::npos)
            fail(lineNumber, "line of blanks only");
        if (spaces % 2 != 0)
            fail(lineNumber, "odd indent");
        const std::size_t depth = spaces / 2;
        const std::string_view content = line.substr(spaces);

        if (const auto kind = kindOfLine(content)) {
            if (depth + 1 > open.size())
                fail(lineNumber, "element indented more than one level below the one before");
            std::string_view name = content.substr(kind->second + 1);
            if (name == kUnnamed)
                name = {};
            open.resize(depth + 1);
            open.push_back(
                open.back()->SetChild(std::make_unique<CCssElement>(std::string(name), kind->first)));
            continue;
        }
        if (depth == 0 || depth + 1 != open.size())
            fail(lineNumber, "property line not directly after its element");
        const std::size_t equals = content.find('=');
        if (equals == std::string_view::npos)
            fail(lineNumber, "property line without '='");
        open.back()->SetProperty(content.substr(0, equals), content.substr(equals + 1));
    }
    return root;
}

} // namespace kw::css
