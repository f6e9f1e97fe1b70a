// One node of a stylesheet tree: a tag, class, pseudo-class or settings block with its properties.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kw::css {

/// The kind of an element. Kinds 1, 2 and 4 print as parts of a CSS selector, kind 5 as a settings block
/// that browsers skip (see docs/css-format.md).
enum CSSTYPE : int { CSS_TAG = 1, CSS_CLASS = 2, CSS_PSEUDO = 4, CSS_BLOCK = 5 };

/// True when the two texts are equal ignoring the case of ASCII letters (other bytes compare exactly).
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

struct Property {
    std::string name;
    std::string value;

    bool operator==(const Property &) const = default;
};

/// The properties of one element in insertion order. Names are looked up ignoring ASCII case; a list
/// never holds two names that differ only in case. Lookups stay fast for long lists.
class PropertyList {
public:
    using const_iterator = std::vector<Property>::const_iterator;

    /// The property with this name (ignoring ASCII case), or nullptr.
    const Property *find(std::string_view name) const;

    /// Replaces the name and value of the property with this name (ignoring ASCII case) where it stands;
    /// otherwise appends a new property.
    void set(std::string_view name, std::string_view value);
    /// The same, taking over the property's strings.
    void set(Property &&property);

    void clear();
    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    const Property &operator[](std::size_t i) const { return m_items[i]; }
    const_iterator begin() const { return m_items.begin(); }
    const_iterator end() const { return m_items.end(); }

    /// Same names (exact case) and values in the same order.
    bool operator==(const PropertyList &other) const { return m_items == other.m_items; }

private:
    std::size_t indexOf(std::string_view name) const;
    void reserveFirst(); // before an append
    void indexLast();    // after an append
    void rebuildIndex(std::size_t slots);

    std::vector<Property> m_items;
    // Positions + 1 (0: a free slot) in an open-addressed table hashed on the names ignoring ASCII case;
    // kept only once the list grows beyond a few entries. Lookups need no copy of the name.
    std::vector<std::uint32_t> m_index;
};

namespace detail {
struct ElementAccess;
} // namespace detail

class CCssElement {
public:
    CCssElement(std::string name, CSSTYPE type);
    ~CCssElement();
    CCssElement(const CCssElement &) = delete;
    CCssElement &operator=(const CCssElement &) = delete;

    /// Sets a property; an existing one with the same name (ignoring ASCII case) is replaced in place,
    /// keeping its position, and takes the new spelling of the name.
    void SetProperty(std::string_view name, std::string_view value);

    /// Appends a child and takes ownership of it (it must have been created with new). Returns the child;
    /// a null child is ignored and gives nullptr.
    CCssElement *SetChild(CCssElement *child);
    CCssElement *SetChild(std::unique_ptr<CCssElement> child);

    const std::vector<std::unique_ptr<CCssElement>> &GetChildren() const { return m_children; }
    const PropertyList &GetProperties() const { return m_properties; }

    /// The value of the property with this name (ignoring ASCII case), or nullptr.
    const std::string *GetProperty(std::string_view name) const;

    const std::string &GetName() const { return m_name; }
    CSSTYPE GetType() const { return m_type; }

    /// The first child with exactly this name (case-sensitive, any kind), or nullptr.
    CCssElement *FindChild(std::string_view name) const;

    /// Equal names, kinds, properties (in order, names compared exactly) and children (in order), all the
    /// way down. Works without recursion, so any depth is fine.
    bool operator==(const CCssElement &other) const;

private:
    friend class CCssDocument;
    friend struct detail::ElementAccess; // the reader hands over whole property lists
    void Clear();                        // removes all properties and children

    std::string m_name;
    CSSTYPE m_type;
    PropertyList m_properties;
    std::vector<std::unique_ptr<CCssElement>> m_children;
};

} // namespace kw::css
