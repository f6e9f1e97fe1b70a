// A plain, line-per-item view of an element tree, for tests and golden files.
#pragma once

#include "css/CssElement.h"

#include <memory>
#include <string>
#include <string_view>

namespace kw::css {

/// Writes the tree below root (root itself is not printed). Each element is a line "<indent><K> <name>"
/// with K = T (tag), C (class), P (pseudo-class), B (block), or the kind's number for any other kind, and
/// "(unnamed)" for an empty name; its properties follow as "<indent+2><NAME>=<value>", then its children
/// at indent+2. Indent is two spaces per depth, 0 for top-level elements; lines end with "\n".
/// Names and values holding line breaks, property names holding '=' and an element named "(unnamed)"
/// cannot be told apart in this form.
std::string DumpTree(const CCssElement &root);

/// Reads the form DumpTree writes (also with "\r\n" line ends; empty lines are ignored) into a new root
/// (empty name, kind 0). Throws std::runtime_error naming the line for malformed input: an odd indent,
/// an element more than one level deeper than the one before, a property line that does not directly
/// follow its element or its element's other properties, a property line without '='.
std::unique_ptr<CCssElement> ParseDump(std::string_view dump);

} // namespace kw::css
