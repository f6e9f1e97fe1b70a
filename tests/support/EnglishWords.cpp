#include "EnglishWords.h"

#include <algorithm>
#include <cctype>

namespace kw::test {

namespace {

// Words that German never uses and English messages always do ("was" and "die" are German words too).
constexpr std::string_view kEnglish[] = {"the",  "is",   "are",   "be",    "been",  "cannot", "could",
                                         "does", "not",  "of",    "and",   "which", "there",  "has",
                                         "have", "this", "would", "while", "with",  "its",    "it"};

// The bytes of a UTF-8 umlaut belong to their word: "Prüfsumme" is one word, not "Pr" and "fsumme".
bool isLetter(char ch)
{
    const auto byte = static_cast<unsigned char>(ch);
    return byte >= 0x80 || std::isalpha(byte) != 0;
}

} // namespace

std::vector<std::string> englishWordsIn(std::string_view text)
{
    std::vector<std::string> found;
    for (std::size_t i = 0; i < text.size();) {
        if (!isLetter(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && isLetter(text[end]))
            ++end;
        std::string word(text.substr(i, end - i));
        std::transform(word.begin(), word.end(), word.begin(), [](char ch) {
            return static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        });
        const bool english = std::find(std::begin(kEnglish), std::end(kEnglish), word) != std::end(kEnglish);
        if (english && std::find(found.begin(), found.end(), word) == found.end())
            found.push_back(std::move(word));
        i = end;
    }
    return found;
}

} // namespace kw::test
