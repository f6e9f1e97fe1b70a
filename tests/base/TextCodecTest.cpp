// Windows-1252 <-> UTF-8.
#include "base/TextCodec.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

TEST(TextCodecTest, UmlautsAndEuroRoundTrip)
{
    const std::string text = "Begrüßungstext für Ärzte: 5 € – „gut“";
    const std::vector<std::uint8_t> bytes = utf8ToCp1252(text);
    EXPECT_EQ(bytes.size(), 37u); // one byte per character
    EXPECT_EQ(bytes[4], 0xFC);    // ü
    EXPECT_EQ(cp1252ToUtf8(bytes), text);
}

TEST(TextCodecTest, EveryByteSurvives)
{
    std::vector<std::uint8_t> all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<std::uint8_t>(b));
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(TextCodecTest, UnencodableAndMalformedBecomeQuestionMarks)
{
    EXPECT_EQ(utf8ToCp1252("a\xE4\xB8\xAD"
                           "b"),
              (std::vector<std::uint8_t>{'a', '?', 'b'}));             // CJK
    EXPECT_EQ(utf8ToCp1252("\xC3"), (std::vector<std::uint8_t>{'?'})); // truncated
    EXPECT_EQ(utf8ToCp1252("\xFF"
                           "x"),
              (std::vector<std::uint8_t>{'?', 'x'}));
}

} // namespace
} // namespace kw
