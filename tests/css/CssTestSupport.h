// Helpers shared by the stylesheet library tests: building trees, reading text, test data.
#pragma once

#include "css/CssDocument.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace kw::css::test {

using Props = std::initializer_list<std::pair<std::string_view, std::string_view>>;

/// Appends a child with these properties and returns it.
CCssElement &add(CCssElement &parent, std::string name, CSSTYPE type, Props props = {});

/// An empty root as the document has it (no name, kind 0).
std::unique_ptr<CCssElement> newRoot();

/// Loads the text into a fresh document and returns the dump of its tree.
std::string loadToDump(std::string_view text);

/// Loads the text into the document and checks the result.
void load(CCssDocument &document, std::string_view text);

/// Copies the tree below source into the root of the document.
void copyInto(const CCssElement &source, CCssDocument &document);

/// The contents of a file in the test data folder.
std::string readDataFile(const std::string &name);

/// A tree with every kind, duplicates, empty elements, nested and unnamed blocks and awkward values.
std::unique_ptr<CCssElement> richTree();

} // namespace kw::css::test
