// DialogTemplate.h: reading in-memory dialog templates, plain and extended, within bounds.
#pragma once

#include "platform/win32/windows.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace user {

// A menu, class or title field: absent, an ordinal (0xFFFF then a number) or a string.
struct TemplateName {
    enum class Kind : std::uint8_t { None, Ordinal, Text } kind = Kind::None;
    WORD ordinal = 0;
    std::u16string text;
};

struct DialogItem {
    DWORD help_id = 0;
    DWORD style = 0;
    DWORD ex_style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;  // a WORD in plain templates
    TemplateName window_class;
    TemplateName title;
    std::vector<std::byte> creation_data;
};

struct DialogTemplate {
    bool extended = false;
    DWORD help_id = 0;
    DWORD style = 0;
    DWORD ex_style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    TemplateName menu;
    TemplateName window_class;
    std::u16string title;
    bool has_font = false;  // DS_SETFONT: the fields below were present
    WORD point_size = 0;
    WORD weight = 0;   // extended only
    BYTE italic = 0;   // extended only
    BYTE charset = 0;  // extended only
    std::u16string face;
    std::vector<DialogItem> items;
};

enum class TemplateError : std::uint8_t {
    None,
    Truncated,         // a fixed field or an item's alignment runs past the end
    UnterminatedText,  // a string field has no terminating NUL before the end
    BadVersion,        // extended signature with a version other than 1
    DataPastEnd,       // an item's creation data is longer than what is left
};

const char* describe(TemplateError error);

// Reads `bytes` as DLGTEMPLATEEX (version 1, signature 0xFFFF) or DLGTEMPLATE. Nothing is read
// outside the span; on failure `out` is left as it was.
TemplateError read_dialog_template(std::span<const std::byte> bytes, DialogTemplate& out);

// The size to read an in-memory template with when nobody knows its length (the indirect
// calls): reading is sequential and stops at the end of its last item.
inline constexpr std::size_t kUnsizedTemplate = std::size_t{1} << 30;

}  // namespace user
