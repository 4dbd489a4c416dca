// DibBytes.h: DIB headers and tables written field by field, for the tests that build DIBs.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace dibtest {

// Appends little-endian fields, as a DIB lays them out.
struct Bytes {
    std::vector<std::uint8_t> v;
    Bytes& u8(unsigned x) {
        v.push_back(static_cast<std::uint8_t>(x));
        return *this;
    }
    Bytes& u16(unsigned x) { return u8(x & 0xFF).u8((x >> 8) & 0xFF); }
    Bytes& u32(std::uint32_t x) { return u16(x & 0xFFFF).u16(x >> 16); }
    Bytes& i32(std::int32_t x) { return u32(static_cast<std::uint32_t>(x)); }
    Bytes& zeros(std::size_t n) {
        v.insert(v.end(), n, 0);
        return *this;
    }
    // A table entry: blue, green, red and a reserved 0.
    Bytes& quad(unsigned r, unsigned g, unsigned b) { return u8(b).u8(g).u8(r).u8(0); }
};

// An info header of `size` bytes (at least 40), without a table; the masks go at byte 40 of
// headers of 52 bytes or more.
inline Bytes info_header(std::uint32_t size, std::int32_t width, std::int32_t height, unsigned bpp,
                         std::uint32_t compression = 0, std::uint32_t used = 0, std::uint32_t r = 0,
                         std::uint32_t g = 0, std::uint32_t b = 0) {
    Bytes h;
    h.u32(size).i32(width).i32(height).u16(1).u16(bpp).u32(compression);
    h.u32(0).i32(2835).i32(2835).u32(used).u32(0);  // size image, density, important
    if (size >= 52) {
        h.u32(r).u32(g).u32(b);
    }
    h.v.resize(std::max<std::size_t>(size, h.v.size()));
    return h;
}
// A 12-byte core header.
inline Bytes core_header(unsigned width, unsigned height, unsigned bpp, unsigned planes = 1) {
    return Bytes().u32(12).u16(width).u16(height).u16(planes).u16(bpp);
}

}  // namespace dibtest
