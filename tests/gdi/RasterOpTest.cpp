// RasterOpTest.cpp: ternary raster operations on palette indices and monochrome bits.
#include "tests/gdi/GdiTestSupport.h"

#include "platform/win32/gdi/RasterOp.h"

namespace {

using namespace gdi_test;

// Source, destination and pattern bytes in which every bit combination occurs, so each
// operation gives a value no other operation gives.
constexpr int kSrc = 0xCC, kDst = 0xAA, kPat = 0xF0;

struct RopCase {
    const char* name;
    DWORD rop;
    int expected;
};

const RopCase kRopCases[] = {
    {"SRCCOPY", SRCCOPY, 0xCC},          // S
    {"SRCPAINT", SRCPAINT, 0xEE},        // S | D
    {"SRCAND", SRCAND, 0x88},            // S & D
    {"SRCINVERT", SRCINVERT, 0x66},      // S ^ D
    {"SRCERASE", SRCERASE, 0x44},        // S & ~D
    {"NOTSRCCOPY", NOTSRCCOPY, 0x33},    // ~S
    {"NOTSRCERASE", NOTSRCERASE, 0x11},  // ~(S | D)
    {"MERGECOPY", MERGECOPY, 0xC0},      // P & S
    {"MERGEPAINT", MERGEPAINT, 0xBB},    // ~S | D
    {"PATCOPY", PATCOPY, 0xF0},          // P
    {"PATPAINT", PATPAINT, 0xFB},        // P | ~S | D
    {"PATINVERT", PATINVERT, 0x5A},      // P ^ D
    {"DSTINVERT", DSTINVERT, 0x55},      // ~D
    {"BLACKNESS", BLACKNESS, 0x00},      // 0
    {"WHITENESS", WHITENESS, 0xFF},      // 1
};

using RasterOp = GdiTest;

TEST_F(RasterOp, EightBitIndicesFollowTheBooleanExpression) {
    // A palette entry that names system index 0xF0 itself gives the pattern its value.
    LOGPALETTE lp{0x300, 1, {{kPat, 0, 0, PC_EXPLICIT}}};
    HPALETTE pal = CreatePalette(&lp);
    HBRUSH brush = CreateSolidBrush(PALETTEINDEX(0));
    MemoryDc src(make_indexed({{kSrc, kSrc}}));
    for (const RopCase& c : kRopCases) {
        SCOPED_TRACE(c.name);
        MemoryDc dst(make_indexed({{kDst, kDst, kDst}}));
        HPALETTE old_pal = SelectPalette(dst.dc(), pal, FALSE);
        RealizePalette(dst.dc());
        HGDIOBJ old_brush = SelectObject(dst.dc(), brush);
        EXPECT_TRUE(BitBlt(dst.dc(), 0, 0, 2, 1, src.dc(), 0, 0, c.rop));
        EXPECT_EQ(value_at(dst.bitmap(), 0, 0), c.expected);
        EXPECT_EQ(value_at(dst.bitmap(), 1, 0), c.expected);
        EXPECT_EQ(value_at(dst.bitmap(), 2, 0), kDst) << "outside the blit";
        SelectObject(dst.dc(), old_brush);
        SelectPalette(dst.dc(), old_pal, FALSE);
    }
    DeleteObject(brush);
    DeleteObject(pal);
}

TEST_F(RasterOp, PatBltUsesPatternAndDestinationOnly) {
    LOGPALETTE lp{0x300, 1, {{kPat, 0, 0, PC_EXPLICIT}}};
    HPALETTE pal = CreatePalette(&lp);
    HBRUSH brush = CreateSolidBrush(PALETTEINDEX(0));
    const RopCase cases[] = {
        {"PATCOPY", PATCOPY, 0xF0},     {"PATINVERT", PATINVERT, 0x5A},
        {"DSTINVERT", DSTINVERT, 0x55}, {"BLACKNESS", BLACKNESS, 0x00},
        {"WHITENESS", WHITENESS, 0xFF},
    };
    for (const RopCase& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryDc dst(make_indexed({{kDst, kDst}}));
        HPALETTE old_pal = SelectPalette(dst.dc(), pal, FALSE);
        RealizePalette(dst.dc());
        HGDIOBJ old_brush = SelectObject(dst.dc(), brush);
        EXPECT_TRUE(PatBlt(dst.dc(), 0, 0, 1, 1, c.rop));
        EXPECT_EQ(value_at(dst.bitmap(), 0, 0), c.expected);
        EXPECT_EQ(value_at(dst.bitmap(), 1, 0), kDst);
        SelectObject(dst.dc(), old_brush);
        SelectPalette(dst.dc(), old_pal, FALSE);
    }
    DeleteObject(brush);
    DeleteObject(pal);
}

TEST_F(RasterOp, PatBltRefusesOperationsThatReadTheSource) {
    MemoryDc dst(make_indexed({{kDst}}));
    EXPECT_FALSE(PatBlt(dst.dc(), 0, 0, 1, 1, SRCCOPY));
    EXPECT_EQ(value_at(dst.bitmap(), 0, 0), kDst);
}

struct MonoCase {
    const char* name;
    DWORD rop;
    const char* expected;  // for source 0011 over destination 0101
};

TEST_F(RasterOp, MonochromeBitsFollowTheBooleanExpression) {
    const MonoCase cases[] = {
        {"SRCCOPY", SRCCOPY, "0011"},
        {"SRCPAINT", SRCPAINT, "0111"},
        {"SRCAND", SRCAND, "0001"},
        {"SRCINVERT", SRCINVERT, "0110"},
        {"NOTSRCCOPY", NOTSRCCOPY, "1100"},
        {"DSTINVERT", DSTINVERT, "1010"},
        {"BLACKNESS", BLACKNESS, "0000"},
        {"WHITENESS", WHITENESS, "1111"},
        {"PATCOPY white brush", PATCOPY, "1111"},
        {"MERGECOPY white brush", MERGECOPY, "0011"},
    };
    MemoryDc src(make_mono({"0011"}));
    for (const MonoCase& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryDc dst(make_mono({"0101"}));
        EXPECT_TRUE(BitBlt(dst.dc(), 0, 0, 4, 1, src.dc(), 0, 0, c.rop));
        EXPECT_EQ(mono_rows(dst.bitmap())[0], c.expected);
    }
}

TEST(RasterOpCodes, PenMixesAreTheTernaryCodesWithThePenAsPattern) {
    struct Case {
        const char* name;
        int rop2;
        std::uint8_t code;
    };
    const Case cases[] = {
        {"R2_BLACK", R2_BLACK, 0x00},     {"R2_COPYPEN", R2_COPYPEN, 0xF0},
        {"R2_NOT", R2_NOT, 0x55},         {"R2_XORPEN", R2_XORPEN, 0x5A},
        {"R2_MASKPEN", R2_MASKPEN, 0xA0}, {"R2_MERGEPEN", R2_MERGEPEN, 0xFA},
        {"R2_NOP", R2_NOP, 0xAA},         {"R2_NOTCOPYPEN", R2_NOTCOPYPEN, 0x0F},
        {"R2_WHITE", R2_WHITE, 0xFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(gdi::rop2_to_rop3(c.rop2), c.code);
    }
}

}  // namespace
