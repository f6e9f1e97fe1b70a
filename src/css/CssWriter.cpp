// Writes the tree in pre-order: rules with full selectors, settings blocks as @kw-settings at-rules.
#include "css/CssWriter.h"

#include "css/CssSyntax.h"

#include <vector>

namespace kw::css::detail {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kIndentStep = 4;

// Outside settings blocks values are written as held, without the characters that could end the
// declaration or the rule early.
void appendPlainValue(std::string &out, std::string_view value)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == ';' || c == '{' || c == '}' || c == '\r' || c == '\n') {
            out.append(value.substr(start, i - start));
            start = i + 1;
        }
    }
    out.append(value.substr(start));
}

void appendProperties(std::string &out, const CCssElement &element, std::size_t indent, bool inBlock)
{
    for (const Property &property : element.GetProperties()) {
        out.append(indent, ' ');
        syntax::appendEscapedName(out, property.name);
        out += ": ";
        if (inBlock)
            syntax::appendQuoted(out, property.value);
        else
            appendPlainValue(out, property.value);
        out += ';';
        out += kLineEnd;
    }
}

// This element's part of a selector: ".NAME" for a class, ":NAME" for a pseudo-class, the name for a
// tag (with a blank before it when it stands below another element).
void appendSelectorPart(std::string &selector, const CCssElement &element, bool underContainer)
{
    const CSSTYPE type = element.GetType();
    if (type == CSS_CLASS)
        selector += '.';
    else if (type == CSS_PSEUDO)
        selector += ':';
    else if (!underContainer) // a tag; any other kind is written as a tag too
        selector += ' ';
    syntax::appendEscapedName(selector, element.GetName());
}

struct Frame {
    const CCssElement *element;
    std::size_t nextChild = 0;
    bool container = false;         // the root or a block: its children start new selectors
    std::size_t selectorLength = 0; // the selector's length before this element's part
    std::string outerSelector;      // for a block: the selector in force around it
};

} // namespace

std::string WriteStylesheet(const CCssElement &root)
{
    std::string out;
    std::string selector;
    std::size_t indent = 0;
    std::vector<Frame> stack;
    stack.push_back(Frame{&root, 0, true, 0, {}});

    while (!stack.empty()) {
        Frame &top = stack.back();
        const auto &children = top.element->GetChildren();
        if (top.nextChild == children.size()) {
            if (stack.size() > 1 && top.container) { // a block closes
                indent -= kIndentStep;
                out.append(indent, ' ');
                out += '}';
                out += kLineEnd;
                selector = std::move(top.outerSelector);
            } else {
                selector.resize(top.selectorLength);
            }
            stack.pop_back();
            continue;
        }

        const CCssElement &child = *children[top.nextChild++];
        const bool underContainer = top.container;
        if (child.GetType() == CSS_BLOCK) {
            out.append(indent, ' ');
            out += "@kw-settings";
            if (!child.GetName().empty()) {
                out += ' ';
                syntax::appendEscapedName(out, child.GetName());
            }
            out += " {";
            out += kLineEnd;
            indent += kIndentStep;
            appendProperties(out, child, indent, true);
            stack.push_back(Frame{&child, 0, true, 0, std::move(selector)});
            selector.clear();
            continue;
        }

        const std::size_t before = selector.size();
        appendSelectorPart(selector, child, underContainer);
        out.append(indent, ' ');
        out += selector;
        out += " {";
        out += kLineEnd;
        const bool inBlock = indent > 0; // blocks, and only blocks, indent their contents
        appendProperties(out, child, indent + kIndentStep, inBlock);
        out.append(indent, ' ');
        out += '}';
        out += kLineEnd;
        stack.push_back(Frame{&child, 0, false, before, {}});
    }
    return out;
}

} // namespace kw::css::detail
