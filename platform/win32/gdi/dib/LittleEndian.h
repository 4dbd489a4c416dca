// LittleEndian.h: loads of little-endian integers from unaligned bytes.
#pragma once

#include <cstdint>

namespace gdi::dib {

inline std::uint16_t load_u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t load_u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline std::int32_t load_i32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(load_u32(p));
}

}  // namespace gdi::dib
