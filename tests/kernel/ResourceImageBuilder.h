// ResourceImageBuilder.h: writes small .res images byte by byte for the resource tests.
#pragma once

#include "tests/user/TemplateBytes.h"

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace test {

// A type or name field: an integer, or a UTF-16 string.
using ResId = std::variant<int, const char16_t*>;

class ResourceImageBuilder {
public:
    // Every .res image opens with the empty entry.
    ResourceImageBuilder() { add(0, 0, {}); }

    ResourceImageBuilder& add(ResId type, ResId name, std::vector<std::uint8_t> data,
                              std::uint16_t language = 0x0415) {
        TemplateBytes names;  // the header after its two sizes, which keep it aligned
        for (const ResId& id : {type, name}) {
            id.index() == 0 ? names.ordinal(std::get<0>(id)) : names.units(std::get<1>(id)).u16(0);
        }
        // DataVersion, MemoryFlags, LanguageId, Version, Characteristics.
        names.align4().u32(0).u16(0x1030).u16(language).u32(0).u32(0);
        m_bytes.u32(data.size()).u32(8 + names.bytes().size()).raw(names.bytes()).raw(data);
        m_bytes.align4();
        return *this;
    }

    const std::vector<std::byte>& bytes() const { return m_bytes.bytes(); }

private:
    TemplateBytes m_bytes;
};

// A string-table block: 16 strings, each a length and its UTF-16 units; the given ones from
// slot `first` on, the rest empty.
inline std::vector<std::uint8_t> string_block(std::vector<std::u16string> strings,
                                              std::size_t first = 0) {
    strings.insert(strings.begin(), first, u"");
    strings.resize(16);
    TemplateBytes block;
    for (const std::u16string& s : strings) {
        block.u16(s.size()).units(s);
    }
    return block.octets();
}

}  // namespace test
