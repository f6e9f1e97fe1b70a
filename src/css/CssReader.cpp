// The reader works on the bytes directly, in one forward pass (a declaration holding an unquoted url()
// is scanned a second time, to tell it from a rule), and recovers from errors the way browsers do: a
// broken declaration or selector is dropped, an end of text closes whatever is open. Values are brought into
// one canonical form (blanks collapsed, comments removed, strings closed, ';', '{' and '}' inside strings
// escaped) so that writing a value back and reading it again gives the same value.
#include "css/CssReader.h"

#include "css/CssDocument.h"
#include "css/CssSyntax.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace kw::css::detail {

struct ElementAccess {
    static void setProperties(CCssElement &element, PropertyList properties)
    {
        element.m_properties = std::move(properties);
    }
    static void setProperty(CCssElement &element, Property &&property)
    {
        element.m_properties.set(std::move(property));
    }
};

namespace {

using syntax::escapeLength;
using syntax::isNewline;
using syntax::isWhitespace;
using syntax::isWordChar;

constexpr bool isStructural(char c)
{
    return c == ';' || c == '{' || c == '}';
}

// ';', '{' and '}' never stay in a value as they are; inside strings and escapes they become
// hexadecimal escapes, which mean the same.
std::string_view hexEscapeFor(char c)
{
    if (c == ';')
        return "\\3B ";
    if (c == '{')
        return "\\7B ";
    return "\\7D ";
}

// Bytes that a value takes one by one as they are: neither word bytes, blanks, line breaks, nor any of
// ; { } " ' / and backslash. A run of them is taken at once.
constexpr unsigned char kNotOtherPlain = syntax::charclass::kWordChar | syntax::charclass::kWhitespace |
                                         syntax::charclass::kNewline | syntax::charclass::kScanStop;
constexpr bool isOtherPlain(char c)
{
    return !syntax::charclass::hasClass(c, kNotOtherPlain);
}

// Control characters that make an unquoted url() invalid.
constexpr bool isNonPrintable(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u <= 0x08 || u == 0x0B || (u >= 0x0E && u <= 0x1F) || u == 0x7F;
}

// Whether scanTo takes every byte of this piece as a plain one: no ';', '{', '}', quote, backslash or
// comment start in it.
bool isPlainForScan(std::string_view piece)
{
    for (std::size_t i = 0; i < piece.size(); ++i)
        if (syntax::charclass::hasClass(piece[i], syntax::charclass::kScanStop) &&
            (piece[i] != '/' || (i + 1 < piece.size() && piece[i + 1] == '*')))
            return false;
    return true;
}

bool startsWord(std::string_view text, std::size_t pos)
{
    if (pos >= text.size())
        return false;
    return isWordChar(text[pos]) || (text[pos] == '\\' && escapeLength(text, pos) > 0);
}

// Reads a name at pos (word bytes and escapes) and appends it with the escapes decoded.
void appendWord(std::string_view text, std::size_t &pos, std::string &word)
{
    while (pos < text.size()) {
        if (isWordChar(text[pos])) {
            const std::size_t start = pos;
            while (pos < text.size() && isWordChar(text[pos]))
                ++pos;
            word.append(text.substr(start, pos - start));
            continue;
        }
        const std::size_t length = text[pos] == '\\' ? escapeLength(text, pos) : 0;
        if (length == 0)
            break;
        syntax::appendDecodedEscape(text, pos, word);
        pos += length;
    }
}

std::string readWord(std::string_view text, std::size_t &pos)
{
    std::string word;
    appendWord(text, pos, word);
    return word;
}

// The escape at pos as it stays in a value: as written, except that the blank ending a hexadecimal
// escape is always one space.
std::string_view canonicalEscape(std::string_view text, std::size_t pos, std::size_t length,
                                 std::string &buffer)
{
    const std::string_view escape = text.substr(pos, length);
    if (length > 2 && isWhitespace(text[pos + length - 1])) {
        std::size_t digits = 1;
        while (digits < length && syntax::isHexDigit(escape[digits]))
            ++digits;
        buffer.assign(escape.substr(0, digits));
        buffer += ' ';
        return buffer;
    }
    return escape;
}

// Builds a value: one space where blanks or comments stood between two pieces, none at either end.
class ValueBuilder {
public:
    enum class Kind { None, Word, Escape, Other };

    void space() { m_pendingSpace = true; }

    void append(std::string_view piece, Kind kind)
    {
        const bool freshWord = m_pendingSpace || (m_last != Kind::Word && m_last != Kind::Escape);
        if (m_pendingSpace && !m_text.empty())
            m_text += ' ';
        m_pendingSpace = false;
        m_text += piece;
        m_urlCandidate = kind == Kind::Word && freshWord && EqualsIgnoreAsciiCase(piece, "url");
        m_last = kind;
    }

    /// True when the text so far ends in the word "url" standing on its own, right before a '('.
    bool urlFunctionFollows() const { return m_urlCandidate && !m_pendingSpace; }

    std::string take() { return std::move(m_text); }

private:
    std::string m_text;
    bool m_pendingSpace = false;
    bool m_urlCandidate = false;
    Kind m_last = Kind::None;
};

using Kind = ValueBuilder::Kind;

// A rule's selector list, parsed into buffers that the reader keeps from rule to rule.
class SelectorList {
public:
    struct Part {
        CSSTYPE type;
        std::size_t nameStart; // in the names buffer
        std::size_t nameLength;
    };

    std::size_t size() const { return m_ends.size(); }
    std::span<const Part> selector(std::size_t i) const
    {
        const std::size_t start = i == 0 ? 0 : m_ends[i - 1];
        return std::span<const Part>(m_parts).subspan(start, m_ends[i] - start);
    }
    std::string_view name(const Part &part) const
    {
        return std::string_view(m_names).substr(part.nameStart, part.nameLength);
    }

    // Parses a rule's selector list. Selectors the tree cannot express are left out; the others keep
    // their order.
    void parse(std::string_view text);

private:
    std::size_t partsOfCurrent() const { return m_parts.size() - (m_ends.empty() ? 0 : m_ends.back()); }
    void addPart(CSSTYPE type, std::string_view text, std::size_t &pos)
    {
        const std::size_t start = m_names.size();
        appendWord(text, pos, m_names);
        m_parts.push_back(Part{type, start, m_names.size() - start});
    }

    std::string m_names;
    std::vector<Part> m_parts;
    std::vector<std::size_t> m_ends; // m_ends[i]: one past the last part of selector i
};

void SelectorList::parse(std::string_view text)
{
    m_names.clear();
    m_parts.clear();
    m_ends.clear();
    bool valid = true;
    bool blank = false; // a blank since the last part
    auto finish = [&] {
        if (valid && partsOfCurrent() > 0)
            m_ends.push_back(m_parts.size());
        else
            m_parts.resize(m_ends.empty() ? 0 : m_ends.back());
        valid = true;
        blank = false;
    };

    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = text[pos];
        if (isWhitespace(c)) {
            ++pos;
            blank = true;
            continue;
        }
        if (c == '/' && pos + 1 < text.size() && text[pos + 1] == '*') { // no blank: "TD/**/.x" is "TD.x"
            const std::size_t end = text.find("*/", pos + 2);
            pos = end == std::string_view::npos ? text.size() : end + 2;
            continue;
        }
        if (c == ',') {
            ++pos;
            finish();
            continue;
        }
        if (!valid) { // skip to the next comma, strings and escapes as a whole
            if (c == '"' || c == '\'') {
                ++pos;
                while (pos < text.size() && text[pos] != c && !isNewline(text[pos]))
                    pos += (text[pos] == '\\' && pos + 1 < text.size()) ? 2 : 1;
                if (pos < text.size() && text[pos] == c)
                    ++pos;
            } else {
                const std::size_t length = c == '\\' ? escapeLength(text, pos) : 0;
                pos += length > 0 ? length : 1;
            }
            continue;
        }
        const bool newCompound = partsOfCurrent() == 0 || blank;
        blank = false;
        if (partsOfCurrent() >= static_cast<std::size_t>(kMaxSelectorParts)) {
            valid = false;
            continue;
        }
        if (c == '.' || c == ':') {
            // A class or pseudo-class belongs to the part before it; after a blank it could only
            // stand for "any element", which the tree cannot hold.
            ++pos;
            if ((newCompound && partsOfCurrent() > 0) || !startsWord(text, pos)) {
                valid = false;
                continue;
            }
            addPart(c == '.' ? CSS_CLASS : CSS_PSEUDO, text, pos);
            if (pos < text.size() && text[pos] == '(') // :not(...), :nth-child(...)
                valid = false;
            continue;
        }
        if (startsWord(text, pos) && newCompound) {
            addPart(CSS_TAG, text, pos);
            continue;
        }
        valid = false; // '*', '#', '[', '>', '+', '~', '&', '|', strings, ...
    }
    finish();
}

// The most recent element created for each selector path under each container (the root or a settings
// block). The paths form a tree: a path is its parent path with the kind and name of one more part.
// All of them sit in one open-addressed table, so that finding or adding a path allocates nothing
// (but the table's growth). The names are those of the elements, which outlive the reading.
class PathIndex {
public:
    using Path = std::uint32_t; // 0: none

    // A new container's empty path.
    Path addRoot()
    {
        m_paths.push_back(Entry{0, CSS_TAG, {}, nullptr, 0});
        return static_cast<Path>(m_paths.size());
    }

    // The path below `parent` whose last part has this kind and name, or 0.
    Path find(Path parent, CSSTYPE type, std::string_view name) const
    {
        if (m_slots.empty())
            return 0;
        const std::size_t hash = hashOf(parent, type, name);
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const Path path = m_slots[slot];
            if (path == 0)
                return 0;
            const Entry &entry = m_paths[path - 1];
            if (entry.hash == hash && entry.parent == parent && entry.type == type && entry.name == name)
                return path;
        }
    }

    // Makes `element` the most recent element of its path below `parent`; returns the path.
    Path set(Path parent, CCssElement *element)
    {
        const CSSTYPE type = element->GetType();
        const std::string_view name = element->GetName();
        if (const Path path = find(parent, type, name)) {
            m_paths[path - 1].element = element;
            return path;
        }
        if (2 * (m_entries + 1) > m_slots.size())
            grow();
        m_paths.push_back(Entry{parent, type, name, element, hashOf(parent, type, name)});
        const Path path = static_cast<Path>(m_paths.size());
        insert(path);
        ++m_entries;
        return path;
    }

    CCssElement *element(Path path) const { return m_paths[path - 1].element; }

private:
    struct Entry {
        Path parent;
        CSSTYPE type;
        std::string_view name;
        CCssElement *element;
        std::size_t hash;
    };

    static std::size_t hashOf(Path parent, CSSTYPE type, std::string_view name)
    {
        return std::hash<std::string_view>{}(name) ^
               ((std::size_t{parent} << 3 | static_cast<std::size_t>(type)) * 0x9E3779B97F4A7C15u);
    }

    void insert(Path path)
    {
        const std::size_t mask = m_slots.size() - 1;
        std::size_t slot = m_paths[path - 1].hash & mask;
        while (m_slots[slot] != 0)
            slot = (slot + 1) & mask;
        m_slots[slot] = path;
    }

    void grow()
    {
        m_slots.assign(m_slots.empty() ? 64 : 2 * m_slots.size(), 0);
        for (std::size_t i = 0; i < m_paths.size(); ++i)
            if (m_paths[i].element) // container roots are not in the table
                insert(static_cast<Path>(i + 1));
    }

    std::vector<Entry> m_paths; // a path is its position + 1
    std::vector<Path> m_slots;  // 0: free
    std::size_t m_entries = 0;
};

// The root or a settings block, with its empty path in the path index.
struct Container {
    CCssElement *element;
    PathIndex::Path path;
};

// What readDeclaration found: a declaration (or none, when it was broken) or, after all, a rule whose
// '{' is at the current position.
struct RuleFound {
    std::size_t start;
};
using Item = std::variant<std::optional<Property>, RuleFound>;

class Reader {
public:
    Reader(std::string_view text, CCssElement &root)
        : m_text(text), m_root(root), m_copyBudget(8 * text.size() + (std::size_t{1} << 20))
    {
    }

    void run()
    {
        Container top{&m_root, m_paths.addRoot()};
        readRuleList(top, 0);
    }

private:
    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek(std::size_t ahead = 0) const
    {
        return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : '\0';
    }
    bool lookingAt(std::string_view s) const { return m_text.substr(m_pos).starts_with(s); }

    void skipComment() // at "/*"
    {
        const std::size_t end = m_text.find("*/", m_pos + 2);
        m_pos = end == std::string_view::npos ? m_text.size() : end + 2;
    }

    void skipWhitespaceAndComments()
    {
        while (!atEnd()) {
            if (isWhitespace(m_text[m_pos]))
                ++m_pos;
            else if (m_text[m_pos] == '/' && peek(1) == '*')
                skipComment();
            else
                return;
        }
    }

    // At a quote: to after the closing quote, or to a line break (not taken) or the end.
    void skipString()
    {
        const char quote = m_text[m_pos++];
        while (!atEnd()) {
            const char c = m_text[m_pos];
            if (!syntax::charclass::hasClass(c, syntax::charclass::kScanStop | syntax::charclass::kNewline)) {
                ++m_pos;
                continue;
            }
            if (c == quote) {
                ++m_pos;
                return;
            }
            if (isNewline(c))
                return;
            if (c == '\\') {
                const std::size_t length = escapeLength(m_text, m_pos);
                m_pos += length > 0 ? length : 1 + syntax::newlineLength(m_text, m_pos + 1);
                continue;
            }
            ++m_pos;
        }
    }

    // Moves to the first of the stop characters (some of ';', '{', '}') outside strings, comments and
    // escapes (not taken); returns it, or '\0' at the end of the text.
    char scanTo(std::string_view stops)
    {
        while (!atEnd()) {
            m_pos = syntax::skipPlain(m_text, m_pos);
            if (atEnd())
                break;
            const char c = m_text[m_pos];
            if (isStructural(c) && stops.find(c) != std::string_view::npos)
                return c;
            if (c == '"' || c == '\'') {
                skipString();
            } else if (c == '/' && peek(1) == '*') {
                skipComment();
            } else if (c == '\\') {
                const std::size_t length = escapeLength(m_text, m_pos);
                m_pos += length > 0 ? length : 1;
            } else {
                ++m_pos;
            }
        }
        return '\0';
    }

    // At '{': past the matching '}', or to the end.
    void skipBlock()
    {
        ++m_pos;
        std::size_t depth = 1;
        while (depth > 0) {
            const char c = scanTo("{}");
            if (c == '\0')
                return;
            ++m_pos;
            depth += c == '{' ? 1 : -1;
        }
    }

    // After an at-rule's name: its prelude and its block, or up to its ';'. Inside a block, a '}'
    // ends the at-rule and is left for the block.
    void skipAtRuleRest(bool nested)
    {
        const char stop = scanTo(nested ? ";{}" : ";{");
        if (stop == ';')
            ++m_pos;
        else if (stop == '{')
            skipBlock();
    }

    // The rest of a broken declaration that started at `start`: up to and with the next ';', or up to
    // the '}' ending the rule. When a '{' comes first, the item was a rule after all.
    Item skipBrokenDeclaration(std::size_t start)
    {
        const char stop = scanTo(";{}");
        if (stop == '{')
            return RuleFound{start};
        if (stop == ';')
            ++m_pos;
        return std::optional<Property>();
    }

    void readRuleList(Container &container, int depth)
    {
        for (;;) {
            skipWhitespaceAndComments();
            if (atEnd())
                return;
            const char c = m_text[m_pos];
            if (depth == 0 && (lookingAt("<!--") || lookingAt("-->"))) { // HTML comment marks, ignored
                m_pos += c == '<' ? 4 : 3;
                continue;
            }
            if (depth > 0 && c == '}') {
                ++m_pos;
                return;
            }
            if (c == '@') {
                readAtRule(container, depth);
                continue;
            }
            if (depth > 0) {
                if (c == ';') {
                    ++m_pos;
                    continue;
                }
                Item item = readDeclaration(true);
                if (auto *property = std::get_if<std::optional<Property>>(&item)) { // of the block itself
                    if (*property)
                        ElementAccess::setProperty(*container.element, std::move(**property));
                } else {
                    readRule(container, depth, std::get<RuleFound>(item).start);
                }
                continue;
            }
            readQualifiedRule(container, depth);
        }
    }

    void readAtRule(Container &container, int depth)
    {
        ++m_pos; // '@'
        const std::string name = readWord(m_text, m_pos);
        if (!EqualsIgnoreAsciiCase(name, "kw-settings")) {
            skipAtRuleRest(depth > 0);
            return;
        }
        skipWhitespaceAndComments();
        std::string blockName;
        if (startsWord(m_text, m_pos)) {
            blockName = readWord(m_text, m_pos);
            skipWhitespaceAndComments();
        }
        if (peek() != '{' || atEnd()) { // anything else before the block: not ours
            skipAtRuleRest(depth > 0);
            return;
        }
        if (depth >= kMaxSettingsDepth) {
            skipBlock();
            return;
        }
        ++m_pos;
        CCssElement *block =
            container.element->SetChild(std::make_unique<CCssElement>(std::move(blockName), CSS_BLOCK));
        Container inner{block, m_paths.addRoot()};
        readRuleList(inner, depth + 1);
    }

    void readQualifiedRule(Container &container, int depth)
    {
        const std::size_t start = m_pos;
        if (scanTo(depth > 0 ? "{}" : "{") != '{')
            return; // the end of the text, or the '}' closing the block: the rule is dropped
        readRule(container, depth, start);
    }

    // At the '{' of a rule whose selector list starts at `start`.
    void readRule(Container &container, int depth, std::size_t start)
    {
        const std::string_view prelude = m_text.substr(start, m_pos - start);
        ++m_pos;
        PropertyList properties = readDeclarationBlock(depth > 0);
        m_selectors.parse(prelude);

        std::size_t copyCost = 0;
        for (const Property &property : properties)
            copyCost += property.name.size() + property.value.size() + 32;
        for (std::size_t i = 0; i < m_selectors.size(); ++i) {
            // Each further selector of a group gets its own copy of the declarations. So that a short
            // text cannot grow into a huge tree, these copies draw on a budget proportional to the text.
            if (i > 0) {
                if (copyCost > m_copyBudget)
                    return;
                m_copyBudget -= copyCost;
            }
            CCssElement *element = createElement(container, m_selectors.selector(i));
            if (i + 1 == m_selectors.size())
                ElementAccess::setProperties(*element, std::move(properties));
            else
                ElementAccess::setProperties(*element, properties);
        }
    }

    // Creates the element for a selector under the most recent element of the selector's path without
    // its last part, creating missing ancestors (without properties) on the way.
    CCssElement *createElement(const Container &container, std::span<const SelectorList::Part> selector)
    {
        // The paths that have an element form a tree, so the longest such leading part is found from
        // the front.
        PathIndex::Path path = container.path;
        CCssElement *parent = container.element;
        std::size_t existing = 0; // number of leading parts with an element
        for (; existing + 1 < selector.size(); ++existing) {
            const SelectorList::Part &part = selector[existing];
            const PathIndex::Path next = m_paths.find(path, part.type, m_selectors.name(part));
            if (next == 0)
                break;
            path = next;
            parent = m_paths.element(next);
        }
        for (std::size_t i = existing; i < selector.size(); ++i) {
            const SelectorList::Part &part = selector[i];
            parent = parent->SetChild(
                std::make_unique<CCssElement>(std::string(m_selectors.name(part)), part.type));
            path = m_paths.set(path, parent);
        }
        return parent;
    }

    // After a rule's '{': its declarations up to and with the closing '}'. Nested rules and at-rules
    // are skipped.
    PropertyList readDeclarationBlock(bool inBlock)
    {
        PropertyList properties;
        for (;;) {
            skipWhitespaceAndComments();
            if (atEnd())
                return properties;
            const char c = m_text[m_pos];
            if (c == '}') {
                ++m_pos;
                return properties;
            }
            if (c == ';') {
                ++m_pos;
                continue;
            }
            if (c == '@') {
                ++m_pos;
                readWord(m_text, m_pos);
                skipAtRuleRest(true);
                continue;
            }
            Item item = readDeclaration(inBlock);
            if (auto *property = std::get_if<std::optional<Property>>(&item)) {
                if (*property)
                    properties.set(std::move(**property));
            } else {
                skipBlock(); // a nested rule
            }
        }
    }

    // "NAME: value" up to and with its ';' (a '}' is left for the rule). Values inside settings blocks
    // that are one quoted string are unquoted. An item is a rule instead when a '{' comes before any ';'
    // or '}' (outside strings, comments and escapes); then the position is left at that '{'.
    Item readDeclaration(bool inBlock)
    {
        const std::size_t start = m_pos;
        if (!startsWord(m_text, m_pos))
            return skipBrokenDeclaration(start);
        std::string name = readWord(m_text, m_pos);
        skipWhitespaceAndComments();
        if (peek() != ':' || atEnd())
            return skipBrokenDeclaration(start);
        ++m_pos;
        std::string value;
        bool scannedAlike = true;
        const ValueEnd end = readValue(value, scannedAlike);
        // Up to here the value was read in the same pieces as scanTo takes them, unless an unquoted
        // url() held bytes that scanTo would take otherwise; then scanTo tells.
        if (end == ValueEnd::Brace || (!scannedAlike && firstStopIsBrace(start)))
            return RuleFound{start};
        if (end == ValueEnd::Invalid)
            return std::optional<Property>();
        if (inBlock && !value.empty() && (value.front() == '"' || value.front() == '\''))
            return Property{std::move(name), syntax::unquoteIfString(value)};
        return Property{std::move(name), std::move(value)};
    }

    // Whether the first ';', '{' or '}' from `start` on is a '{'; if so the position is left there.
    bool firstStopIsBrace(std::size_t start)
    {
        const std::size_t end = m_pos;
        m_pos = start;
        if (scanTo(";{}") == '{')
            return true;
        m_pos = end;
        return false;
    }

    enum class ValueEnd { Value, Invalid, Brace };

    // A declaration's value in canonical form, up to and with its ';' (a '}' is left). Invalid when the
    // value holds a broken url() or, after an unquoted url() that scanTo would not take as plain bytes
    // (`scannedAlike` is then cleared), a '{' block. Any other '{' ends the value, left where it is.
    ValueEnd readValue(std::string &value, bool &scannedAlike)
    {
        ValueBuilder out;
        bool valid = true;
        std::string buffer;
        while (!atEnd()) {
            const char c = m_text[m_pos];
            // Words and runs of other plain bytes (',', '#', '.', '%', ...) first, as most of a value is
            // made of them; a '(' right after the word "url" is left for the branches below.
            if (isWordChar(c)) {
                const std::size_t start = m_pos;
                m_pos = syntax::skipWord(m_text, m_pos);
                out.append(m_text.substr(start, m_pos - start), Kind::Word);
                continue;
            }
            if (isOtherPlain(c) && !(c == '(' && out.urlFunctionFollows())) {
                const std::size_t start = m_pos;
                m_pos = syntax::skipWithout(m_text, m_pos + 1, kNotOtherPlain);
                out.append(m_text.substr(start, m_pos - start), Kind::Other);
                continue;
            }
            if (c == ';') {
                ++m_pos;
                break;
            }
            if (c == '}')
                break;
            if (c == '{') {
                if (scannedAlike)
                    return ValueEnd::Brace;
                valid = false;
                skipBlock();
                out.space();
            } else if (isWhitespace(c)) {
                ++m_pos;
                out.space();
            } else if (c == '/' && peek(1) == '*') {
                skipComment();
                out.space();
            } else if (c == '"' || c == '\'') {
                out.append(readString(), Kind::Other);
            } else if (c == '\\') {
                const std::size_t length = escapeLength(m_text, m_pos);
                if (length == 0) { // a backslash before a line break or at the end stands for nothing
                    ++m_pos;
                    continue;
                }
                if (isStructural(m_text[m_pos + 1]))
                    out.append(hexEscapeFor(m_text[m_pos + 1]), Kind::Escape);
                else
                    out.append(canonicalEscape(m_text, m_pos, length, buffer), Kind::Escape);
                m_pos += length;
            } else if (c == '(' && out.urlFunctionFollows()) {
                ++m_pos;
                const std::size_t start = m_pos;
                valid = readUrl(out) && valid;
                scannedAlike = scannedAlike && isPlainForScan(m_text.substr(start, m_pos - start));
            } else {
                out.append(m_text.substr(m_pos, 1), Kind::Other);
                ++m_pos;
            }
        }
        if (!valid)
            return ValueEnd::Invalid;
        value = out.take();
        return ValueEnd::Value;
    }

    // At a quote: the string in canonical form, always closed (a line break or the end of the text
    // closes it, the line break is left), line continuations removed.
    std::string readString()
    {
        const char quote = m_text[m_pos++];
        std::string result(1, quote);
        std::string buffer;
        while (!atEnd()) {
            const char c = m_text[m_pos];
            if (c == quote) {
                ++m_pos;
                break;
            }
            if (isNewline(c))
                break;
            if (c == '\\') {
                const std::size_t length = escapeLength(m_text, m_pos);
                if (length == 0) {
                    m_pos += 1 + syntax::newlineLength(m_text, m_pos + 1);
                    continue;
                }
                if (isStructural(m_text[m_pos + 1]))
                    result += hexEscapeFor(m_text[m_pos + 1]);
                else
                    result += canonicalEscape(m_text, m_pos, length, buffer);
                m_pos += length;
                continue;
            }
            if (isStructural(c))
                result += hexEscapeFor(c);
            else
                result += c;
            ++m_pos;
        }
        result += quote;
        return result;
    }

    // After "url(": a quoted argument is left to the caller; an unquoted address is read up to ')'
    // and appended with its parentheses (quoted when it holds ';', '{' or '}'). Returns false for a
    // broken address (blanks inside, quotes, '(' or control characters), after skipping to its ')'.
    bool readUrl(ValueBuilder &out)
    {
        std::size_t p = m_pos;
        while (p < m_text.size() && isWhitespace(m_text[p]))
            ++p;
        if (p < m_text.size() && (m_text[p] == '"' || m_text[p] == '\'')) {
            out.append("(", Kind::Other);
            if (p > m_pos)
                out.space();
            m_pos = p;
            return true;
        }
        m_pos = p;
        std::string address;
        std::string buffer;
        bool quote = false;
        while (!atEnd()) {
            const char c = m_text[m_pos];
            if (c == ')') {
                ++m_pos;
                break;
            }
            if (isWhitespace(c)) {
                while (!atEnd() && isWhitespace(m_text[m_pos]))
                    ++m_pos;
                if (atEnd())
                    break;
                if (m_text[m_pos] == ')') {
                    ++m_pos;
                    break;
                }
                skipBadUrlRest();
                return false;
            }
            if (c == '"' || c == '\'' || c == '(' || isNonPrintable(c)) {
                skipBadUrlRest();
                return false;
            }
            if (c == '\\') {
                const std::size_t length = escapeLength(m_text, m_pos);
                if (length == 0) {
                    if (m_pos + 1 >= m_text.size()) { // a backslash at the very end is dropped
                        ++m_pos;
                        break;
                    }
                    skipBadUrlRest();
                    return false;
                }
                if (isStructural(m_text[m_pos + 1])) {
                    address += hexEscapeFor(m_text[m_pos + 1]);
                    quote = true;
                } else {
                    address += canonicalEscape(m_text, m_pos, length, buffer);
                }
                m_pos += length;
                continue;
            }
            if (isStructural(c)) {
                address += hexEscapeFor(c);
                quote = true;
            } else {
                address += c;
            }
            ++m_pos;
        }
        const std::string piece = quote ? "(\"" + address + "\")" : "(" + address + ")";
        out.append(piece, Kind::Other);
        return true;
    }

    void skipBadUrlRest()
    {
        while (!atEnd() && m_text[m_pos] != ')') {
            const std::size_t length = m_text[m_pos] == '\\' ? escapeLength(m_text, m_pos) : 0;
            m_pos += length > 0 ? length : 1;
        }
        if (!atEnd())
            ++m_pos;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
    CCssElement &m_root;
    std::size_t m_copyBudget;
    PathIndex m_paths;
    SelectorList m_selectors;
};

} // namespace

void ReadStylesheet(std::string_view text, CCssElement &root)
{
    Reader(text, root).run();
}

} // namespace kw::css::detail
