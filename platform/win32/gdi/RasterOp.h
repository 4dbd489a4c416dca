// RasterOp.h: ternary raster operations over pixel values.
#pragma once

#include <cstdint>

namespace gdi {

// The operation code's bit at index (P << 2 | S << 1 | D) is the result bit for that
// combination; applied bit by bit across whole values.
constexpr std::uint32_t apply_rop3(std::uint8_t code, std::uint32_t p, std::uint32_t s,
                                   std::uint32_t d) {
    std::uint32_t result = 0;
    for (int i = 0; i < 8; ++i) {
        if ((code >> i) & 1) {
            result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
        }
    }
    return result;
}

constexpr std::uint8_t rop3_code(std::uint32_t rop) {
    return static_cast<std::uint8_t>(rop >> 16);
}
// Whether the result depends on the source / on the pattern.
constexpr bool rop3_uses_source(std::uint8_t code) {
    return (((code >> 2) ^ code) & 0x33) != 0;
}
constexpr bool rop3_uses_pattern(std::uint8_t code) {
    return (((code >> 4) ^ code) & 0x0F) != 0;
}
// A pen's binary operation (R2_*) as the ternary code with the pen as pattern.
constexpr std::uint8_t rop2_to_rop3(int rop2) {
    const auto t = static_cast<std::uint8_t>((rop2 - 1) & 0xF);  // bit (P << 1 | D)
    std::uint8_t code = 0;
    for (int i = 0; i < 8; ++i) {
        const int p = (i >> 2) & 1;
        const int d = i & 1;
        if ((t >> (p << 1 | d)) & 1) {
            code = static_cast<std::uint8_t>(code | (1 << i));
        }
    }
    return code;
}

}  // namespace gdi
