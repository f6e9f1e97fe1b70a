// Windows-1252 <-> UTF-8: portal text files are 8-bit Windows-1252 on disk, the program works in UTF-8.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

/// Decodes Windows-1252 bytes. The five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90,
/// 0x9D) become the control characters of the same number, so that every byte survives a round trip.
std::string cp1252ToUtf8(std::span<const std::uint8_t> bytes);
std::string cp1252ToUtf8(std::string_view bytes);

/// Encodes UTF-8 text as Windows-1252. Characters the code page cannot hold, and malformed UTF-8
/// sequences, become '?'.
std::vector<std::uint8_t> utf8ToCp1252(std::string_view text);

} // namespace kw
