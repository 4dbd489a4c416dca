// DibBytes.h: builders of DIB headers for the DIB tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace dibtest {

// Appends little-endian fields, as a DIB lays them out.
class Bytes {
public:
    Bytes& u8(std::uint8_t v);
    Bytes& u16(std::uint16_t v);
    Bytes& u32(std::uint32_t v);
    Bytes& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
    Bytes& zeros(std::size_t n);
    Bytes& append(std::span<const std::uint8_t> bytes);
    // Entries of a table: blue, green, red (and a reserved 0 unless core).
    Bytes& quad(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return u8(b).u8(g).u8(r).u8(0); }
    Bytes& triple(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return u8(b).u8(g).u8(r); }

    const std::vector<std::uint8_t>& data() const { return m_data; }
    std::size_t size() const { return m_data.size(); }

private:
    std::vector<std::uint8_t> m_data;
};

struct InfoFields {
    std::uint32_t size = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t planes = 1;
    std::uint16_t bpp = 8;
    std::uint32_t compression = 0;
    std::uint32_t colors_used = 0;
    std::uint32_t masks[3] = {0, 0, 0};  // written at byte 40 of 108- and 124-byte headers
};

// An info header of fields.size bytes (at least 40), without a table; masks from 52 bytes on.
Bytes info_header(const InfoFields& f);
// A 12-byte core header.
Bytes core_header(std::uint16_t width, std::uint16_t height, std::uint16_t bpp,
                  std::uint16_t planes = 1);

}  // namespace dibtest
