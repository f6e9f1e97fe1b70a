// Little- and big-endian reads from byte buffers, for the readers' binary headers.
#pragma once

#include <cstdint>

namespace kw::image::bytes {

inline std::uint16_t le16(const std::uint8_t *p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t le32(const std::uint8_t *p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::int32_t le32s(const std::uint8_t *p)
{
    return static_cast<std::int32_t>(le32(p));
}

} // namespace kw::image::bytes
