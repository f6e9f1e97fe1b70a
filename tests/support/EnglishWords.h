// Finds English in a text the user reads in German: the words an English message cannot do without.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kw::test {

/// The English function words in `text` ("the", "cannot", "does", ...), each once, in the order found;
/// empty for a German text. Take out paths with random parts (temporary folders) first.
std::vector<std::string> englishWordsIn(std::string_view text);

} // namespace kw::test
