// TextTest.cpp: font matching, metrics, extents, alignment and the opaque text background.
#include "tests/gdi/GdiTestSupport.h"

#include "platform/win32/gdi/FontData.h"

#include <cstring>

namespace {

using namespace gdi_test;

using Text = GdiTest;

struct MetricsCase {
    const char* name;
    LONG height;
    LONG weight;
    const char* face;
    LONG tm_height, ascent, descent, internal_leading, max_width, tm_weight;
    const char* matched_face;
};

TEST_F(Text, FontsAreMatchedByFaceHeightAndWeight) {
    const MetricsCase cases[] = {
        {"dialog font", -11, FW_NORMAL, "MS Sans Serif", 13, 11, 2, 2, 11, 400, "MS Sans Serif"},
        {"face without case", -11, FW_NORMAL, "ms sans serif", 13, 11, 2, 2, 11, 400,
         "MS Sans Serif"},
        {"bold caption font", -11, FW_BOLD, "MS Sans Serif", 13, 11, 2, 2, 11, 700,
         "MS Sans Serif"},
        {"semibold counts as bold", -11, FW_SEMIBOLD, "MS Sans Serif", 13, 11, 2, 2, 11, 700,
         "MS Sans Serif"},
        {"cell height 13", 13, FW_NORMAL, "MS Sans Serif", 13, 11, 2, 2, 11, 400, "MS Sans Serif"},
        {"unknown face, dialog size", -11, FW_NORMAL, "Nonexistent", 13, 11, 2, 2, 11, 400,
         "MS Sans Serif"},
        {"unknown face, no size", 0, FW_NORMAL, "Nonexistent", 16, 13, 3, 3, 15, 700, "System"},
        {"system", 0, FW_DONTCARE, "System", 16, 13, 3, 3, 15, 700, "System"},
    };
    for (const MetricsCase& c : cases) {
        SCOPED_TRACE(c.name);
        HFONT font = CreateFontA(c.height, 0, 0, 0, c.weight, 0, 0, 0, EASTEUROPE_CHARSET, 0, 0, 0,
                                 0, c.face);
        ASSERT_NE(font, nullptr);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICA tm{};
        ASSERT_TRUE(GetTextMetricsA(dc, &tm));
        EXPECT_EQ(tm.tmHeight, c.tm_height);
        EXPECT_EQ(tm.tmAscent, c.ascent);
        EXPECT_EQ(tm.tmDescent, c.descent);
        EXPECT_EQ(tm.tmInternalLeading, c.internal_leading);
        EXPECT_EQ(tm.tmExternalLeading, 0);
        EXPECT_EQ(tm.tmMaxCharWidth, c.max_width);
        EXPECT_EQ(tm.tmWeight, c.tm_weight);
        char face[LF_FACESIZE] = {};
        GetTextFaceA(dc, LF_FACESIZE, face);
        EXPECT_STREQ(face, c.matched_face);
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(font);
    }
}

TEST_F(Text, NewDcDrawsInTheSystemFont) {
    HDC dc = CreateCompatibleDC(nullptr);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    EXPECT_EQ(tm.tmHeight, 16);
    EXPECT_EQ(tm.tmWeight, 700);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), GetStockObject(SYSTEM_FONT));
    DeleteDC(dc);
}

TEST_F(Text, ExtentsAddUpCharacterByCharacter) {
    HDC dc = CreateCompatibleDC(nullptr);
    struct Case {
        const char* text;
        const char* first;
        const char* rest;
    };
    const Case cases[] = {
        {"AB", "A", "B"}, {"Grasz: 12", "Grasz", ": 12"}, {"\xB9\xEA", "\xB9", "\xEA"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        SIZE whole{}, first{}, rest{};
        ASSERT_TRUE(
            GetTextExtentPoint32A(dc, c.text, static_cast<int>(std::strlen(c.text)), &whole));
        GetTextExtentPoint32A(dc, c.first, static_cast<int>(std::strlen(c.first)), &first);
        GetTextExtentPoint32A(dc, c.rest, static_cast<int>(std::strlen(c.rest)), &rest);
        EXPECT_GT(first.cx, 0);
        EXPECT_EQ(whole.cx, first.cx + rest.cx);
        EXPECT_EQ(whole.cy, 16);
    }
    SIZE empty{-1, -1};
    EXPECT_TRUE(GetTextExtentPoint32A(dc, "", 0, &empty));
    EXPECT_EQ(empty.cx, 0);
    EXPECT_FALSE(GetTextExtentPoint32A(dc, "x", -1, &empty));
    DeleteDC(dc);
}

// The text drawn white on black into a fresh 8-bit bitmap.
std::vector<std::vector<int>> render(UINT align, int x, int y, const char* text) {
    MemoryDc dst(make_indexed(std::vector<std::vector<int>>(24, std::vector<int>(64, 0))));
    SetTextColor(dst.dc(), RGB(255, 255, 255));
    SetBkMode(dst.dc(), TRANSPARENT);
    SetTextAlign(dst.dc(), align);
    TextOutA(dst.dc(), x, y, text, static_cast<int>(std::strlen(text)));
    return values_of(dst.bitmap());
}

TEST_F(Text, AlignmentMovesTheTextByItsExtent) {
    HDC dc = CreateCompatibleDC(nullptr);
    SIZE ext{};
    GetTextExtentPoint32A(dc, "Wynik", 5, &ext);
    DeleteDC(dc);
    struct Case {
        const char* name;
        UINT align;
        int x, y;
        int left_x, top_y;  // where TA_LEFT | TA_TOP draws the same picture
    };
    const Case cases[] = {
        {"centre: x minus half the extent, rounded down", TA_CENTER, 32, 2, 32 - ext.cx / 2, 2},
        {"right", TA_RIGHT, 60, 2, 60 - ext.cx, 2},
        {"bottom", TA_BOTTOM, 3, 20, 3, 20 - 16},
        {"baseline", TA_BASELINE, 3, 15, 3, 15 - 13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto aligned = render(c.align, c.x, c.y, "Wynik");
        EXPECT_EQ(aligned, render(TA_LEFT | TA_TOP, c.left_x, c.top_y, "Wynik"));
        EXPECT_NE(aligned, render(TA_LEFT | TA_TOP, 0, 0, "")) << "something was drawn";
    }
}

TEST_F(Text, OpaqueModeFillsTheCellWithTheBackgroundColour) {
    for (const int mode : {OPAQUE, TRANSPARENT}) {
        SCOPED_TRACE(mode == OPAQUE ? "opaque" : "transparent");
        MemoryDc dst(make_indexed(std::vector<std::vector<int>>(20, std::vector<int>(20, 6))));
        SIZE ext{};
        GetTextExtentPoint32A(dst.dc(), "  ", 2, &ext);
        SetBkColor(dst.dc(), RGB(255, 0, 0));
        SetBkMode(dst.dc(), mode);
        TextOutA(dst.dc(), 1, 2, "  ", 2);
        const int inside = mode == OPAQUE ? 249 : 6;
        EXPECT_EQ(value_at(dst.bitmap(), 1, 2), inside);
        EXPECT_EQ(value_at(dst.bitmap(), 1 + ext.cx - 1, 2 + 16 - 1), inside);
        EXPECT_EQ(value_at(dst.bitmap(), 1 + ext.cx, 2), 6) << "right of the cell";
        EXPECT_EQ(value_at(dst.bitmap(), 1, 2 + 16), 6) << "below the cell";
        EXPECT_EQ(value_at(dst.bitmap(), 0, 2), 6) << "left of the cell";
    }
}

TEST_F(Text, OpaqueRectangleFillsWithTheBackgroundAndKeepsIt) {
    MemoryDc dst(make_indexed(std::vector<std::vector<int>>(3, std::vector<int>(4, 6))));
    SetBkColor(dst.dc(), RGB(0, 0, 255));
    const RECT inverted{3, 2, 1, 0};  // normalised to (1,0)-(3,2)
    EXPECT_TRUE(ExtTextOutA(dst.dc(), 0, 0, ETO_OPAQUE, &inverted, nullptr, 0, nullptr));
    const std::vector<std::vector<int>> expected = {
        {6, 252, 252, 6}, {6, 252, 252, 6}, {6, 6, 6, 6}};
    EXPECT_EQ(values_of(dst.bitmap()), expected);
    EXPECT_EQ(GetBkColor(dst.dc()), RGB(0, 0, 255));
}

TEST_F(Text, ClippedTextStaysInsideItsRectangle) {
    MemoryDc dst(make_indexed(std::vector<std::vector<int>>(20, std::vector<int>(40, 6))));
    SetBkColor(dst.dc(), RGB(255, 0, 0));
    const RECT clip{2, 2, 5, 5};
    ExtTextOutA(dst.dc(), 0, 0, ETO_CLIPPED, &clip, "MMMM", 4, nullptr);
    int background_inside = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 2 && x < 5 && y >= 2 && y < 5;
            if (!inside) {
                ASSERT_EQ(value_at(dst.bitmap(), x, y), 6) << x << "," << y;
            } else {
                background_inside += value_at(dst.bitmap(), x, y) == 249 ? 1 : 0;
            }
        }
    }
    EXPECT_GT(background_inside, 0) << "opaque background inside the clip";
}

TEST_F(Text, UpdateCurrentPositionAdvancesByTheExtent) {
    HDC dc = CreateCompatibleDC(nullptr);
    SIZE ext{};
    GetTextExtentPoint32A(dc, "ab", 2, &ext);
    SetTextAlign(dc, TA_UPDATECP);
    MoveToEx(dc, 10, 3, nullptr);
    TextOutA(dc, 500, 500, "ab", 2);
    POINT p{};
    GetCurrentPositionEx(dc, &p);
    EXPECT_EQ(p.x, 10 + ext.cx);
    EXPECT_EQ(p.y, 3);
    DeleteDC(dc);
}

}  // namespace

namespace {

using GlyphPlacement = gdi_test::GdiTest;

// Glyph bits land at the pen position plus the glyph's offset, rows counted from the cell top.
TEST_F(GlyphPlacement, GlyphBitsAppearWhereTheFontTablePutsThem) {
    const FontData* system = nullptr;
    for (const FontData* f : builtin_fonts()) {
        if (std::strcmp(f->face, "System") == 0) {
            system = f;
        }
    }
    ASSERT_NE(system, nullptr);
    for (const char c : {'A', 'g', 'W', '\xA3' /* Ł */}) {
        SCOPED_TRACE(c);
        const auto code = static_cast<std::uint8_t>(c);
        const GlyphData& g = system->glyphs[code - system->first_char];
        const int x0 = 8, y0 = 3;
        gdi_test::MemoryDc dst(
            gdi_test::make_indexed(std::vector<std::vector<int>>(24, std::vector<int>(32, 6))));
        SetBkMode(dst.dc(), TRANSPARENT);
        SetTextColor(dst.dc(), RGB(255, 255, 0));
        TextOutA(dst.dc(), x0, y0, &c, 1);
        const std::size_t row_bytes = (g.width + 7u) / 8u;
        int glyph_pixels = 0;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 32; ++x) {
                const int col = x - x0 - g.x_offset;
                const int row = y - y0;
                bool set = false;
                if (col >= 0 && col < g.width && row >= 0 && row < system->height) {
                    const std::uint8_t byte =
                        system
                            ->bits[g.offset + static_cast<std::size_t>(row) * row_bytes + col / 8];
                    set = (byte >> (7 - col % 8)) & 1;
                }
                glyph_pixels += set ? 1 : 0;
                ASSERT_EQ(gdi_test::value_at(dst.bitmap(), x, y), set ? 251 : 6) << x << "," << y;
            }
        }
        EXPECT_GT(glyph_pixels, 0);
    }
}

TEST_F(GlyphPlacement, BytesOutsideTheFontDrawTheDefaultCharacter) {
    HDC dc = CreateCompatibleDC(nullptr);
    SIZE outside{}, fallback{};
    const char low = '\x10';
    const char def = static_cast<char>(builtin_fonts().front()->default_char);
    GetTextExtentPoint32A(dc, &low, 1, &outside);
    GetTextExtentPoint32A(dc, &def, 1, &fallback);
    EXPECT_EQ(outside.cx, fallback.cx);
    EXPECT_GT(outside.cx, 0);
    DeleteDC(dc);
}

}  // namespace
