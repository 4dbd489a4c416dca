// WaveImage.h: builds RIFF/WAVE images byte by byte for the wave tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace wavetest {

using Bytes = std::vector<std::byte>;

inline void put16(Bytes& b, std::uint32_t v) {
    b.push_back(std::byte(v & 0xFF));
    b.push_back(std::byte((v >> 8) & 0xFF));
}

inline void put32(Bytes& b, std::uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

inline void put_id(Bytes& b, const char* id) {
    for (int i = 0; i < 4; ++i) {
        b.push_back(std::byte(id[i]));
    }
}

// A chunk as it is stored: id, the size field, the body, and a pad byte after an odd body
// unless pad is false. size_field overrides the body's length when not ~0.
inline Bytes chunk(const char* id, const Bytes& body, bool pad = true,
                   std::uint32_t size_field = ~0u) {
    Bytes b;
    put_id(b, id);
    put32(b, size_field != ~0u ? size_field : static_cast<std::uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    if (pad && body.size() % 2 == 1) {
        b.push_back(std::byte{0});
    }
    return b;
}

// The fmt body: tag, channels, rate, average bytes, block align, bits, then extra bytes.
inline Bytes fmt_body(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                      std::uint16_t bits, std::size_t length = 18) {
    Bytes b;
    const std::uint16_t align = static_cast<std::uint16_t>(channels * (bits / 8));
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * align);
    put16(b, align);
    put16(b, bits);
    put16(b, 0);  // cbSize
    b.resize(length, std::byte{0});
    return b;
}

inline Bytes samples(std::initializer_list<int> values) {
    Bytes b;
    for (int v : values) {
        b.push_back(std::byte(v));
    }
    return b;
}

// "RIFF" size "WAVE" followed by the chunks; riff_size overrides the computed size.
inline Bytes riff(std::initializer_list<Bytes> chunks, std::uint32_t riff_size = ~0u,
                  const char* form = "WAVE") {
    Bytes body;
    put_id(body, form);
    for (const Bytes& c : chunks) {
        body.insert(body.end(), c.begin(), c.end());
    }
    Bytes b;
    put_id(b, "RIFF");
    put32(b, riff_size != ~0u ? riff_size : static_cast<std::uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

}  // namespace wavetest
