// ResourceImageBuilder.h: writes small .res images byte by byte for the resource tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace test {

// A type or name field: an integer, or a UTF-16 string.
struct ResId {
    ResId(int n) : integer(true), id(static_cast<std::uint16_t>(n)) {}
    ResId(const char16_t* s) : integer(false), name(s) {}
    bool integer;
    std::uint16_t id = 0;
    std::u16string name;
};

class ResourceImageBuilder {
public:
    // Every .res image opens with the empty entry.
    ResourceImageBuilder() { add(0, 0, {}); }

    ResourceImageBuilder& add(ResId type, ResId name, std::vector<std::uint8_t> data,
                              std::uint16_t language = 0x0415) {
        const std::size_t start = m_bytes.size();
        put32(static_cast<std::uint32_t>(data.size()));
        put32(0);  // header size, patched below
        put_id(type);
        put_id(name);
        pad();
        put32(0);       // DataVersion
        put16(0x1030);  // MemoryFlags
        put16(language);
        put32(0);  // Version
        put32(0);  // Characteristics
        const auto header_size = static_cast<std::uint32_t>(m_bytes.size() - start);
        for (int i = 0; i < 4; ++i) {
            m_bytes[start + 4 + i] = static_cast<std::byte>(header_size >> (8 * i));
        }
        m_data_offsets.push_back(m_bytes.size());
        for (std::uint8_t b : data) {
            m_bytes.push_back(static_cast<std::byte>(b));
        }
        pad();
        return *this;
    }

    const std::vector<std::byte>& bytes() const { return m_bytes; }
    // Offset of the data of entry i (0 is the leading empty entry).
    std::size_t data_offset(std::size_t i) const { return m_data_offsets[i]; }

private:
    void put16(std::uint16_t v) {
        m_bytes.push_back(static_cast<std::byte>(v & 0xFF));
        m_bytes.push_back(static_cast<std::byte>(v >> 8));
    }
    void put32(std::uint32_t v) {
        put16(static_cast<std::uint16_t>(v & 0xFFFF));
        put16(static_cast<std::uint16_t>(v >> 16));
    }
    void put_id(const ResId& id) {
        if (id.integer) {
            put16(0xFFFF);
            put16(id.id);
            return;
        }
        for (char16_t c : id.name) {
            put16(c);
        }
        put16(0);
    }
    void pad() {
        while (m_bytes.size() % 4 != 0) {
            m_bytes.push_back(std::byte{0});
        }
    }

    std::vector<std::byte> m_bytes;
    std::vector<std::size_t> m_data_offsets;
};

// A string-table block: 16 strings, each a length and its UTF-16 units.
inline std::vector<std::uint8_t> string_block(const std::vector<std::u16string>& strings) {
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i < 16; ++i) {
        const std::u16string s = i < strings.size() ? strings[i] : u"";
        out.push_back(static_cast<std::uint8_t>(s.size() & 0xFF));
        out.push_back(static_cast<std::uint8_t>(s.size() >> 8));
        for (char16_t c : s) {
            out.push_back(static_cast<std::uint8_t>(c & 0xFF));
            out.push_back(static_cast<std::uint8_t>(c >> 8));
        }
    }
    return out;
}

}  // namespace test
