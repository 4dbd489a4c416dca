// TemplateBytes.h: little-endian bytes written field by field: the dialog tests' templates and
// the resource tests' images.
#pragma once

#include "platform/win32/windows.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace test {

// Appends little-endian fields; items are aligned by the caller with align4().
class TemplateBytes {
public:
    TemplateBytes& u8(std::uint8_t v) {
        m_bytes.push_back(static_cast<std::byte>(v));
        return *this;
    }
    TemplateBytes& u16(std::uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
    TemplateBytes& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    // A string field: UTF-16 units of an ASCII text, then the terminator.
    TemplateBytes& text(const char* s) {
        for (; *s != '\0'; ++s) {
            u16(static_cast<std::uint8_t>(*s));
        }
        return u16(0);
    }
    TemplateBytes& units(std::u16string_view s) {
        for (const char16_t c : s) {
            u16(c);
        }
        return *this;
    }
    // Bytes as they are, of any byte-sized type.
    TemplateBytes& raw(const auto& bytes) {
        for (const auto b : bytes) {
            u8(static_cast<std::uint8_t>(b));
        }
        return *this;
    }
    TemplateBytes& ordinal(std::uint16_t id) { return u16(0xFFFF).u16(id); }
    TemplateBytes& align4() {
        while (m_bytes.size() % 4 != 0) {
            u8(0);
        }
        return *this;
    }

    // DLGTEMPLATEEX head up to the item count; then x, y, cx, cy follow.
    TemplateBytes& extended_head(std::uint32_t style, std::uint32_t ex_style, std::uint16_t count,
                                 short x, short y, short cx, short cy) {
        return u16(1).u16(0xFFFF).u32(0).u32(ex_style).u32(style).u16(count).rect(x, y, cx, cy);
    }
    // Extended font fields: point size, weight, italic, charset, face.
    TemplateBytes& extended_font(std::uint16_t points, const char* face) {
        return u16(points).u16(0).u8(0).u8(0xEE).text(face);
    }
    // DLGITEMTEMPLATEEX up to its class field, aligned first.
    TemplateBytes& extended_item(std::uint32_t style, short x, short y, short cx, short cy,
                                 std::uint32_t id) {
        return align4().u32(0).u32(0).u32(style).rect(x, y, cx, cy).u32(id);
    }
    TemplateBytes& rect(short x, short y, short cx, short cy) {
        return u16(x).u16(y).u16(cx).u16(cy);
    }

    const std::vector<std::byte>& bytes() const { return m_bytes; }
    std::vector<std::uint8_t> octets() const {
        const auto* p = reinterpret_cast<const std::uint8_t*>(m_bytes.data());
        return {p, p + m_bytes.size()};
    }
    // For the indirect calls: DWORD-aligned storage of the bytes.
    const DLGTEMPLATE* as_template() {
        m_aligned.assign((m_bytes.size() + 3) / 4, 0);
        std::memcpy(m_aligned.data(), m_bytes.data(), m_bytes.size());
        return reinterpret_cast<const DLGTEMPLATE*>(m_aligned.data());
    }

private:
    std::vector<std::byte> m_bytes;
    std::vector<std::uint32_t> m_aligned;
};

}  // namespace test
