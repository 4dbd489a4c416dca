// DialogTemplate.cpp: the bounded reader of DLGTEMPLATEEX and DLGTEMPLATE.
#include "platform/win32/user/DialogTemplate.h"

namespace user {
namespace {

constexpr WORD kOrdinalMark = 0xFFFF;
constexpr WORD kExtendedSignature = 0xFFFF;

// A little-endian reader that remembers the first failure and then reads only zeros.
class Cursor {
public:
    explicit Cursor(std::span<const std::byte> bytes) : m_bytes(bytes) {}

    bool ok() const { return m_error == TemplateError::None; }
    TemplateError error() const { return m_error; }
    void fail(TemplateError error) {
        if (ok()) {
            m_error = error;
        }
    }

    std::uint32_t read(std::size_t n) {
        if (!ok() || m_bytes.size() - m_pos < n) {
            fail(TemplateError::Truncated);
            return 0;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < n; ++i) {
            value |= static_cast<std::uint32_t>(m_bytes[m_pos + i]) << (8 * i);
        }
        m_pos += n;
        return value;
    }
    BYTE u8() { return static_cast<BYTE>(read(1)); }
    WORD u16() { return static_cast<WORD>(read(2)); }
    DWORD u32() { return read(4); }
    short s16() { return static_cast<short>(u16()); }

    // A NUL-terminated UTF-16 string whose first unit was already read as `first`.
    std::u16string rest_of_text(char16_t first) {
        std::u16string text;
        char16_t unit = first;
        while (ok() && unit != 0) {
            text.push_back(unit);
            if (m_bytes.size() - m_pos < 2) {
                fail(TemplateError::UnterminatedText);
                break;
            }
            unit = static_cast<char16_t>(u16());
        }
        return text;
    }
    std::u16string text() {
        if (m_bytes.size() - m_pos < 2) {
            fail(TemplateError::UnterminatedText);
            return {};
        }
        return rest_of_text(static_cast<char16_t>(u16()));
    }

    TemplateName name() {
        TemplateName field;
        if (m_bytes.size() - m_pos < 2) {
            fail(TemplateError::UnterminatedText);
            return field;
        }
        const WORD first = u16();
        if (first == kOrdinalMark) {
            field.kind = TemplateName::Kind::Ordinal;
            field.ordinal = u16();
        } else if (first != 0) {
            field.kind = TemplateName::Kind::Text;
            field.text = rest_of_text(static_cast<char16_t>(first));
        }
        return field;
    }

    void align4() {
        const std::size_t aligned = (m_pos + 3) & ~std::size_t{3};
        if (aligned > m_bytes.size()) {
            fail(TemplateError::Truncated);
            return;
        }
        m_pos = aligned;
    }

    std::vector<std::byte> data(std::size_t n) {
        if (!ok()) {
            return {};
        }
        if (m_bytes.size() - m_pos < n) {
            fail(TemplateError::DataPastEnd);
            return {};
        }
        std::vector<std::byte> out(m_bytes.begin() + static_cast<std::ptrdiff_t>(m_pos),
                                   m_bytes.begin() + static_cast<std::ptrdiff_t>(m_pos + n));
        m_pos += n;
        return out;
    }

private:
    std::span<const std::byte> m_bytes;
    std::size_t m_pos = 0;
    TemplateError m_error = TemplateError::None;
};

void read_header(Cursor& c, DialogTemplate& t, WORD& count) {
    if (t.extended) {
        c.u32();  // version and signature, checked by the caller
        t.help_id = c.u32();
        t.ex_style = c.u32();
        t.style = c.u32();
    } else {
        t.style = c.u32();
        t.ex_style = c.u32();
    }
    count = c.u16();
    t.x = c.s16();
    t.y = c.s16();
    t.cx = c.s16();
    t.cy = c.s16();
    t.menu = c.name();
    t.window_class = c.name();
    t.title = c.text();
    if ((t.style & DS_SETFONT) && c.ok()) {
        t.has_font = true;
        t.point_size = c.u16();
        if (t.extended) {
            t.weight = c.u16();
            t.italic = c.u8();
            t.charset = c.u8();
        }
        t.face = c.text();
    }
}

DialogItem read_item(Cursor& c, bool extended) {
    DialogItem item;
    c.align4();
    if (extended) {
        item.help_id = c.u32();
        item.ex_style = c.u32();
        item.style = c.u32();
    } else {
        item.style = c.u32();
        item.ex_style = c.u32();
    }
    item.x = c.s16();
    item.y = c.s16();
    item.cx = c.s16();
    item.cy = c.s16();
    item.id = extended ? c.u32() : c.u16();
    item.window_class = c.name();
    item.title = c.name();
    // The count word gives the bytes that follow it.
    const WORD data_size = c.u16();
    item.creation_data = c.data(data_size);
    return item;
}

}  // namespace

const char* describe(TemplateError error) {
    switch (error) {
        case TemplateError::None:
            return "no error";
        case TemplateError::Truncated:
            return "a field runs past the end of the template";
        case TemplateError::UnterminatedText:
            return "a string field has no terminator";
        case TemplateError::BadVersion:
            return "extended template of an unknown version";
        case TemplateError::DataPastEnd:
            return "creation data runs past the end of the template";
    }
    return "unknown error";
}

TemplateError read_dialog_template(std::span<const std::byte> bytes, DialogTemplate& out) {
    Cursor c(bytes);
    DialogTemplate t;
    if (bytes.size() >= 4) {
        Cursor peek(bytes);
        const WORD version = peek.u16();
        const WORD signature = peek.u16();
        t.extended = signature == kExtendedSignature;
        if (t.extended && version != 1) {
            return TemplateError::BadVersion;
        }
    }
    WORD count = 0;
    read_header(c, t, count);
    for (WORD i = 0; i < count && c.ok(); ++i) {
        t.items.push_back(read_item(c, t.extended));
    }
    if (!c.ok()) {
        return c.error();
    }
    out = std::move(t);
    return TemplateError::None;
}

}  // namespace user
