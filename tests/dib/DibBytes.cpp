// DibBytes.cpp: builders of DIB headers for the DIB tests.
#include "tests/dib/DibBytes.h"

namespace dibtest {

Bytes& Bytes::u8(std::uint8_t v) {
    m_data.push_back(v);
    return *this;
}

Bytes& Bytes::u16(std::uint16_t v) {
    return u8(static_cast<std::uint8_t>(v & 0xFF)).u8(static_cast<std::uint8_t>(v >> 8));
}

Bytes& Bytes::u32(std::uint32_t v) {
    return u16(static_cast<std::uint16_t>(v & 0xFFFF)).u16(static_cast<std::uint16_t>(v >> 16));
}

Bytes& Bytes::zeros(std::size_t n) {
    m_data.insert(m_data.end(), n, 0);
    return *this;
}

Bytes& Bytes::append(std::span<const std::uint8_t> bytes) {
    m_data.insert(m_data.end(), bytes.begin(), bytes.end());
    return *this;
}

Bytes info_header(const InfoFields& f) {
    Bytes b;
    b.u32(f.size).i32(f.width).i32(f.height).u16(f.planes).u16(f.bpp).u32(f.compression);
    b.u32(0).i32(2835).i32(2835).u32(f.colors_used).u32(0);  // size image, density, important
    if (f.size >= 52) {
        b.u32(f.masks[0]).u32(f.masks[1]).u32(f.masks[2]);
        b.zeros(f.size - 52);
    } else if (f.size > 40) {
        b.zeros(f.size - 40);
    }
    return b;
}

Bytes core_header(std::uint16_t width, std::uint16_t height, std::uint16_t bpp,
                  std::uint16_t planes) {
    Bytes b;
    b.u32(12).u16(width).u16(height).u16(planes).u16(bpp);
    return b;
}

}  // namespace dibtest
