// ByteReader.h: bounds-checked little-endian reads over resource bytes, for the resource tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace test {

// Reads fail softly: past the end a read gives 0 and clears ok(), so a test reports a short
// resource instead of reading outside it.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::byte> bytes) : m_bytes(bytes) {}

    std::uint8_t u8() { return static_cast<std::uint8_t>(take(1)); }
    std::uint16_t u16() { return static_cast<std::uint16_t>(take(2)); }
    std::uint32_t u32() { return static_cast<std::uint32_t>(take(4)); }
    std::int16_t s16() { return static_cast<std::int16_t>(u16()); }
    std::int32_t s32() { return static_cast<std::int32_t>(u32()); }

    // A NUL-terminated UTF-16 string.
    std::u16string wide_string() {
        std::u16string s;
        while (m_ok) {
            const char16_t c = u16();
            if (c == 0 || !m_ok) {
                break;
            }
            s.push_back(c);
        }
        return s;
    }

    std::string tag() {
        std::string s;
        for (int i = 0; i < 4; ++i) {
            s.push_back(static_cast<char>(u8()));
        }
        return s;
    }

    void skip(std::size_t n) {
        if (n > m_bytes.size() - m_pos) {
            m_ok = false;
            m_pos = m_bytes.size();
            return;
        }
        m_pos += n;
    }
    void align4() { skip((4 - m_pos % 4) % 4); }

    std::size_t pos() const { return m_pos; }
    std::size_t left() const { return m_bytes.size() - m_pos; }
    bool ok() const { return m_ok; }

private:
    std::uint64_t take(std::size_t n) {
        if (!m_ok || n > m_bytes.size() - m_pos) {
            m_ok = false;
            return 0;
        }
        std::uint64_t v = 0;
        for (std::size_t i = 0; i < n; ++i) {
            v |= static_cast<std::uint64_t>(std::to_integer<unsigned>(m_bytes[m_pos + i]))
                 << (8 * i);
        }
        m_pos += n;
        return v;
    }

    std::span<const std::byte> m_bytes;
    std::size_t m_pos = 0;
    bool m_ok = true;
};

}  // namespace test
