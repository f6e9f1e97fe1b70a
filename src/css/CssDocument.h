// The stylesheet document: a tree of CSS elements under one root, read from and written as stylesheet text.
#pragma once

#include "css/CssDump.h"
#include "css/CssElement.h"

#include <string>

namespace kw::css {

/// Settings blocks (kind 5) nested deeper than this are skipped by the reader, with their contents.
inline constexpr int kMaxSettingsDepth = 32;
/// Selectors with more parts than this (tags, classes and pseudo-classes counted one by one) are skipped.
inline constexpr int kMaxSelectorParts = 32;

/// Holds the tree of one stylesheet. The root has no name, kind 0 and no properties of its own in the
/// text; its children are the top-level rules and settings blocks. The text form is described in
/// docs/css-format.md.
///
/// LoadCss(GenerateCss()) gives back the same tree when: every element of kind 1, 2 or 4 has a non-empty
/// name; every property has a non-empty name; blocks (kind 5) sit directly under the root or under other
/// blocks and are nested at most kMaxSettingsDepth deep; no selector, counted from the nearest enclosing
/// block or the root, has more than kMaxSelectorParts parts; and every value outside blocks is one the
/// reader leaves as it is (see docs/css-format.md; true of every value LoadCss produces and of ordinary
/// CSS values). Values inside blocks always come back exactly.
class CCssDocument {
public:
    CCssDocument();
    virtual ~CCssDocument();
    CCssDocument(const CCssDocument &) = delete;
    CCssDocument &operator=(const CCssDocument &) = delete;

    /// Empties the document: the root keeps no properties and no children.
    void New();

    /// Empties the document, then (when parse is true) reads count bytes of UTF-8 stylesheet text into
    /// the tree. Accepts any bytes: what it cannot use it skips the way browsers do, in time linear in
    /// count; it never throws. Returns false, leaving the document empty, for a negative count, for a
    /// null text with a positive count, and when memory runs out; true otherwise.
    bool LoadCss(const char *text, int count, bool parse);

    /// The whole tree as stylesheet text, lines ending in CR LF.
    virtual std::string GenerateCss() const;

    CCssElement &Root() { return m_root; }
    const CCssElement &Root() const { return m_root; }

private:
    CCssElement m_root;
};

} // namespace kw::css
