// Elements and their property lists; iterative destruction and comparison for trees of any depth.
#include "css/CssElement.h"

#include <utility>

namespace kw::css {

namespace {

constexpr std::size_t kIndexThreshold = 16; // below this, a linear search is cheaper than hashing
constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);
constexpr std::size_t kFirstCapacity = 8;

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// FNV-1a over the lower-cased bytes.
std::size_t hashIgnoreAsciiCase(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037u;
    for (const char c : text)
        hash = (hash ^ static_cast<unsigned char>(lowerAscii(c))) * 1099511628211u;
    return static_cast<std::size_t>(hash);
}

} // namespace

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

std::size_t PropertyList::indexOf(std::string_view name) const
{
    if (!m_index.empty()) {
        const std::size_t mask = m_index.size() - 1;
        for (std::size_t slot = hashIgnoreAsciiCase(name) & mask;; slot = (slot + 1) & mask) {
            const std::uint32_t entry = m_index[slot];
            if (entry == 0)
                return kNotFound;
            if (EqualsIgnoreAsciiCase(m_items[entry - 1].name, name))
                return entry - 1;
        }
    }
    for (std::size_t i = 0; i < m_items.size(); ++i)
        if (EqualsIgnoreAsciiCase(m_items[i].name, name))
            return i;
    return kNotFound;
}

void PropertyList::rebuildIndex(std::size_t slots)
{
    m_index.assign(slots, 0);
    const std::size_t mask = slots - 1;
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        std::size_t slot = hashIgnoreAsciiCase(m_items[i].name) & mask;
        while (m_index[slot] != 0)
            slot = (slot + 1) & mask;
        m_index[slot] = static_cast<std::uint32_t>(i + 1);
    }
}

void PropertyList::indexLast()
{
    if (m_index.empty()) {
        if (m_items.size() >= kIndexThreshold)
            rebuildIndex(4 * kIndexThreshold);
        return;
    }
    if (2 * m_items.size() > m_index.size()) { // at most half full, so that probe runs stay short
        rebuildIndex(2 * m_index.size());
        return;
    }
    const std::size_t mask = m_index.size() - 1;
    std::size_t slot = hashIgnoreAsciiCase(m_items.back().name) & mask;
    while (m_index[slot] != 0)
        slot = (slot + 1) & mask;
    m_index[slot] = static_cast<std::uint32_t>(m_items.size());
}

const Property *PropertyList::find(std::string_view name) const
{
    const std::size_t i = indexOf(name);
    return i == kNotFound ? nullptr : &m_items[i];
}

void PropertyList::set(std::string_view name, std::string_view value)
{
    if (const std::size_t i = indexOf(name); i != kNotFound) {
        m_items[i].name.assign(name);
        m_items[i].value.assign(value);
        return;
    }
    reserveFirst();
    m_items.push_back(Property{std::string(name), std::string(value)});
    indexLast();
}

void PropertyList::set(Property &&property)
{
    if (const std::size_t i = indexOf(property.name); i != kNotFound) {
        m_items[i] = std::move(property);
        return;
    }
    reserveFirst();
    m_items.push_back(std::move(property));
    indexLast();
}

void PropertyList::reserveFirst()
{
    // Most elements hold a handful of properties: room for them at once instead of growing step by step.
    if (m_items.capacity() == 0)
        m_items.reserve(kFirstCapacity);
}

void PropertyList::clear()
{
    m_items.clear();
    m_index.clear();
}

CCssElement::CCssElement(std::string name, CSSTYPE type) : m_name(std::move(name)), m_type(type) {}

CCssElement::~CCssElement()
{
    Clear();
}

void CCssElement::Clear()
{
    m_properties.clear();
    // Take the subtree apart level by level, so that destroying a very deep tree cannot exhaust the stack.
    std::vector<std::unique_ptr<CCssElement>> pending = std::move(m_children);
    m_children.clear();
    while (!pending.empty()) {
        std::unique_ptr<CCssElement> element = std::move(pending.back());
        pending.pop_back();
        for (auto &child : element->m_children)
            pending.push_back(std::move(child));
        element->m_children.clear();
    }
}

void CCssElement::SetProperty(std::string_view name, std::string_view value)
{
    m_properties.set(name, value);
}

CCssElement *CCssElement::SetChild(CCssElement *child)
{
    return SetChild(std::unique_ptr<CCssElement>(child));
}

CCssElement *CCssElement::SetChild(std::unique_ptr<CCssElement> child)
{
    if (!child)
        return nullptr;
    if (m_children.capacity() == 0) // as with properties: room for a few at once
        m_children.reserve(kFirstCapacity);
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

const std::string *CCssElement::GetProperty(std::string_view name) const
{
    const Property *property = m_properties.find(name);
    return property ? &property->value : nullptr;
}

CCssElement *CCssElement::FindChild(std::string_view name) const
{
    for (const auto &child : m_children)
        if (child->m_name == name)
            return child.get();
    return nullptr;
}

bool CCssElement::operator==(const CCssElement &other) const
{
    std::vector<std::pair<const CCssElement *, const CCssElement *>> pending{{this, &other}};
    while (!pending.empty()) {
        const auto [a, b] = pending.back();
        pending.pop_back();
        if (a->m_type != b->m_type || a->m_name != b->m_name || !(a->m_properties == b->m_properties) ||
            a->m_children.size() != b->m_children.size())
            return false;
        for (std::size_t i = a->m_children.size(); i-- > 0;)
            pending.emplace_back(a->m_children[i].get(), b->m_children[i].get());
    }
    return true;
}

} // namespace kw::css
