// TemplateReaderTest.cpp: dialog templates read field by field, and every way they can be short.
#include "platform/win32/user/DialogTemplate.h"
#include "tests/user/TemplateBytes.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using user::DialogTemplate;
using user::TemplateError;
using user::TemplateName;

// Extended template with a font and two controls: a button named by ordinal class with a
// string title and three bytes of creation data, and a static named by string class with an
// ordinal title.
test::TemplateBytes extended_sample() {
    test::TemplateBytes b;
    const DWORD style = WS_POPUP | WS_CAPTION | DS_SETFONT | DS_MODALFRAME;
    b.extended_head(style, WS_EX_TOOLWINDOW, 2, 5, 6, 100, 50).u16(0).u16(0).text("Pilo");
    b.extended_font(8, "MS Sans Serif");
    b.extended_item(WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 11, 20, 14, 1007).ordinal(0x80);
    b.text("OK").u16(3).u8(0xA1).u8(0xB2).u8(0xC3);
    b.extended_item(WS_CHILD | SS_ICON, 1, 2, 18, 20, 0xFFFFFFFF).text("Static").ordinal(128);
    b.u16(0);
    return b;
}

// Plain template: ordinal menu, string class, font without weight fields, one control.
test::TemplateBytes plain_sample() {
    test::TemplateBytes b;
    b.u32(WS_POPUP | DS_SETFONT).u32(WS_EX_CLIENTEDGE).u16(1).rect(-3, 4, 60, 30);
    b.ordinal(7).text("MyClass").text("T").u16(10).text("System");
    b.align4().u32(WS_CHILD | WS_TABSTOP).u32(0).rect(1, 1, 10, 10).u16(42);
    b.text("Button").u16(0).u16(0);
    return b;
}

using Kind = TemplateName::Kind;

void expect_name(const TemplateName& n, Kind kind, WORD ordinal, const std::u16string& text) {
    EXPECT_TRUE(n.kind == kind && n.ordinal == ordinal && n.text == text);
}

TEST(TemplateReader, PlainTemplateGivesEveryField) {
    DialogTemplate t;
    ASSERT_EQ(user::read_dialog_template(plain_sample().bytes(), t), TemplateError::None);
    EXPECT_EQ(std::tuple(t.extended, t.style, t.ex_style, t.x),
              std::tuple(false, 0x80000040u, 0x200u, -3));
    expect_name(t.menu, Kind::Ordinal, 7, u"");
    expect_name(t.window_class, Kind::Text, 0, u"MyClass");
    EXPECT_EQ(std::tuple(t.title, t.point_size, t.face), std::tuple(u"T", 10, u"System"));
    ASSERT_EQ(t.items.size(), 1u);
    EXPECT_EQ(std::tuple(t.items[0].id, t.items[0].style), std::tuple(42u, 0x40010000u));
    expect_name(t.items[0].window_class, Kind::Text, 0, u"Button");
    expect_name(t.items[0].title, Kind::None, 0, u"");
}

TEST(TemplateReader, NoFontFieldsWithoutSetFont) {
    test::TemplateBytes b;
    b.extended_head(WS_POPUP, 0, 1, 0, 0, 10, 10).u16(0).u16(0).u16(0);
    b.extended_item(WS_CHILD, 0, 0, 1, 1, 3).ordinal(0x82).u16(0).u16(0);
    DialogTemplate t;
    ASSERT_EQ(user::read_dialog_template(b.bytes(), t), TemplateError::None);
    EXPECT_FALSE(t.has_font);
    EXPECT_TRUE(t.face.empty());
    ASSERT_EQ(t.items.size(), 1u);
    EXPECT_EQ(t.items[0].id, 3u);
}

// Every shorter prefix of a good template fails and leaves the output alone.
TEST(TemplateReader, EveryTruncationFailsAndKeepsTheOutput) {
    for (const test::TemplateBytes& sample : {extended_sample(), plain_sample()}) {
        const std::vector<std::byte>& all = sample.bytes();
        for (std::size_t n = 0; n < all.size(); ++n) {
            SCOPED_TRACE("prefix " + std::to_string(n) + " of " + std::to_string(all.size()));
            DialogTemplate t;
            t.title = u"untouched";
            const TemplateError e = user::read_dialog_template(std::span(all.data(), n), t);
            EXPECT_NE(e, TemplateError::None);
            EXPECT_EQ(t.title, u"untouched");
            EXPECT_TRUE(t.items.empty());
        }
    }
}

// A template head of `count` items, then no menu and the default class.
test::TemplateBytes head(DWORD style, WORD count) {
    test::TemplateBytes b;
    b.extended_head(style, 0, count, 0, 0, 1, 1).u16(0).u16(0);
    return b;
}

TEST(TemplateReader, MalformedTemplatesNameTheirFault) {
    test::TemplateBytes v2;
    v2.u16(2).u16(0xFFFF).u32(0).u32(0).u32(0).u16(0).rect(0, 0, 1, 1).u16(0).u16(0).u16(0);
    test::TemplateBytes big_data = head(WS_POPUP, 1).u16(0);
    big_data.extended_item(WS_CHILD, 0, 0, 1, 1, 1).ordinal(0x80).u16(0).u16(200).u32(0);
    test::TemplateBytes short_items = head(WS_POPUP, 3).u16(0);
    short_items.extended_item(WS_CHILD, 0, 0, 1, 1, 1).ordinal(0x80).u16(0).u16(0);
    test::TemplateBytes face = head(WS_POPUP | DS_SETFONT, 0).u16(0);
    face.u16(8).u16(400).u8(0).u8(0).u16('M').u16('S');
    test::TemplateBytes cut;
    cut.extended_head(WS_POPUP, 0, 0, 0, 0, 1, 1).ordinal(1).u16(0xFFFF);
    const struct {
        const char* name;
        test::TemplateBytes bytes;
        TemplateError expected;
    } cases[] = {
        {"extended version 2", v2, TemplateError::BadVersion},
        {"title without terminator", head(WS_POPUP, 0).u16('A').u16('B'),
         TemplateError::UnterminatedText},
        {"face without terminator", face, TemplateError::UnterminatedText},
        {"creation data longer than the rest", big_data, TemplateError::DataPastEnd},
        {"item count beyond the items", short_items, TemplateError::Truncated},
        {"class ordinal cut after its mark", cut, TemplateError::Truncated},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DialogTemplate t;
        EXPECT_EQ(user::read_dialog_template(c.bytes.bytes(), t), c.expected)
            << user::describe(user::read_dialog_template(c.bytes.bytes(), t));
    }
}

}  // namespace
