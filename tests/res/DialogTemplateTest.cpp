// DialogTemplateTest.cpp: the three compiled dialog templates, read field by field.
#include "platform/win32/cp1250.h"
#include "platform/win32/windows.h"
#include "res/PiloResources.h"
#include "res/resource.h"
#include "tests/res/ByteReader.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A class, title or menu field: an ordinal (0xFFFF, then the number) or a string.
struct Field {
    bool ordinal = false;
    std::uint16_t id = 0;
    std::u16string text;
    bool operator==(const Field&) const = default;
};

Field ordinal(std::uint16_t id) {
    return {true, id, {}};
}
Field text(const char16_t* s) {
    return {false, 0, s};
}

Field read_field(test::ByteReader& r) {
    Field f;
    const std::uint16_t first = r.u16();
    if (first == 0xFFFF) {
        f.ordinal = true;
        f.id = r.u16();
    } else if (first != 0) {
        f.text.push_back(first);
        f.text += r.wide_string();
    }
    return f;
}

struct Item {
    std::uint32_t id;
    Field window_class;
    Field title;
    std::uint32_t style;
    std::uint32_t ex_style;
    std::int16_t x, y, cx, cy;
};

struct Template {
    std::uint32_t style;
    std::uint32_t ex_style;
    std::int16_t x, y, cx, cy;
    Field menu;
    Field window_class;
    std::u16string caption;
    std::uint16_t point_size;
    std::uint16_t weight;
    std::uint8_t italic;
    std::uint8_t charset;
    std::u16string face;
    std::vector<Item> items;
};

// DLGTEMPLATEEX and its DLGITEMTEMPLATEEX records; every record starts on a DWORD boundary
// counted from the template's start. Sets `error` when something does not fit.
Template read_template(std::span<const std::byte> bytes, std::string& error) {
    test::ByteReader r(bytes);
    Template t{};
    const std::uint16_t version = r.u16();
    const std::uint16_t signature = r.u16();
    if (version != 1 || signature != 0xFFFF) {
        error = "not an extended template";
        return t;
    }
    r.u32();  // help id
    t.ex_style = r.u32();
    t.style = r.u32();
    const std::uint16_t count = r.u16();
    t.x = r.s16();
    t.y = r.s16();
    t.cx = r.s16();
    t.cy = r.s16();
    t.menu = read_field(r);
    t.window_class = read_field(r);
    t.caption = r.wide_string();
    if (t.style & DS_SETFONT) {
        t.point_size = r.u16();
        t.weight = r.u16();
        t.italic = r.u8();
        t.charset = r.u8();
        t.face = r.wide_string();
    }
    for (std::uint16_t i = 0; i < count && r.ok(); ++i) {
        r.align4();
        Item item{};
        r.u32();  // help id
        item.ex_style = r.u32();
        item.style = r.u32();
        item.x = r.s16();
        item.y = r.s16();
        item.cx = r.s16();
        item.cy = r.s16();
        item.id = r.u32();
        item.window_class = read_field(r);
        item.title = read_field(r);
        r.skip(r.u16());  // creation data
        t.items.push_back(item);
    }
    if (!r.ok()) {
        error = "template runs past its resource";
    }
    return t;
}

constexpr std::uint16_t kButton = 0x0080;
constexpr std::uint16_t kStatic = 0x0082;

struct ItemCase {
    std::uint32_t id;
    std::uint16_t atom;
    Field title;
    std::uint32_t style;
    std::int16_t x, y, cx, cy;
};

struct DialogCase {
    const char* name;
    WORD id;
    std::uint32_t style;
    std::uint32_t ex_style;
    std::int16_t cx, cy;
    std::u16string caption;
    const char* caption_cp1250;
    std::vector<ItemCase> items;
};

// Styles summed by hand: WS_POPUP 0x80000000, WS_CHILD 0x40000000, WS_VISIBLE 0x10000000,
// WS_CAPTION 0x00C00000, WS_SYSMENU 0x00080000, WS_GROUP 0x00020000, WS_TABSTOP 0x00010000,
// DS_CENTER 0x800, DS_MODALFRAME 0x80, DS_SETFONT 0x40, BS_NOTIFY 0x4000, BS_OWNERDRAW 0xB,
// SS_ICON 3; WS_EX_APPWINDOW 0x40000, WS_EX_CLIENTEDGE 0x200, WS_EX_TOOLWINDOW 0x80.
const DialogCase kDialogs[] = {
    {"main window",
     102,
     0x90C808C0,
     0x00040280,
     259,
     269,
     u"Pilo",
     "Pilo",
     {
         {1007, kButton, text(u""), 0x5001400B, 226, 7, 20, 16},
         {1000, kStatic, text(u"Static"), 0x50020000, 7, 7, 63, 22},
         {1001, kStatic, text(u"Static"), 0x50020000, 81, 7, 51, 25},
         {1004, kStatic, text(u"Static"), 0x50020000, 7, 34, 245, 228},
         {1005, kButton, text(u""), 0x5001400B, 140, 7, 24, 17},
         {1006, kButton, text(u""), 0x5001400B, 173, 7, 24, 17},
     }},
    {"final score",
     141,
     0x80C008C0,
     0x00000280,
     187,
     58,
     u"Wynik ko\u0144cowy",
     "Wynik ko\xF1"
     "cowy",
     {
         {1, kButton, text(u""), 0x5001000B, 89, 37, 8, 14},
     }},
    {"about",
     100,
     0x80C000C0,
     0x00000280,
     217,
     55,
     u"Pilo",
     "Pilo",
     {
         {0xFFFFFFFF, kStatic, ordinal(128), 0x50000003, 177, 7, 18, 20},
         {1, kButton, text(u""), 0x5003000B, 178, 34, 32, 14},
     }},
};

class DialogTemplates : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        m_module = pilo_install_resources(&error);
        ASSERT_NE(m_module, nullptr) << error;
    }
    HINSTANCE m_module = nullptr;
};

TEST_F(DialogTemplates, CarryEveryPropertyAndControl) {
    for (const DialogCase& d : kDialogs) {
        SCOPED_TRACE(d.name);
        HRSRC r = FindResourceA(m_module, MAKEINTRESOURCEA(d.id), RT_DIALOG);
        ASSERT_NE(r, nullptr);
        const auto* p = static_cast<const std::byte*>(LockResource(LoadResource(m_module, r)));
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(p) % 4, 0u) << "templates are DWORD-aligned";
        std::string error;
        const Template t = read_template({p, SizeofResource(m_module, r)}, error);
        ASSERT_EQ(error, "");

        EXPECT_EQ(t.style, d.style);
        EXPECT_EQ(t.ex_style, d.ex_style);
        EXPECT_EQ(t.x, 0);
        EXPECT_EQ(t.y, 0);
        EXPECT_EQ(t.cx, d.cx);
        EXPECT_EQ(t.cy, d.cy);
        EXPECT_EQ(t.menu, Field{});
        EXPECT_EQ(t.window_class, Field{});
        EXPECT_TRUE(t.caption == d.caption);
        EXPECT_EQ(cp1250::utf16_to_cp1250(t.caption), d.caption_cp1250);
        EXPECT_EQ(t.point_size, 8);
        EXPECT_EQ(t.weight, 0);
        EXPECT_EQ(t.italic, 0);
        EXPECT_EQ(t.charset, 238) << "East European character set";
        EXPECT_TRUE(t.face == u"MS Sans Serif");

        ASSERT_EQ(t.items.size(), d.items.size());
        for (std::size_t i = 0; i < d.items.size(); ++i) {
            SCOPED_TRACE("control " + std::to_string(i));
            const Item& got = t.items[i];
            const ItemCase& want = d.items[i];
            EXPECT_EQ(got.id, want.id);
            EXPECT_EQ(got.window_class, ordinal(want.atom));
            EXPECT_EQ(got.title, want.title);
            EXPECT_EQ(got.style, want.style);
            EXPECT_EQ(got.ex_style, 0u);
            EXPECT_EQ(got.x, want.x);
            EXPECT_EQ(got.y, want.y);
            EXPECT_EQ(got.cx, want.cx);
            EXPECT_EQ(got.cy, want.cy);
        }
    }
}

}  // namespace
