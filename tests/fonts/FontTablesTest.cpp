// FontTablesTest.cpp: the built-in bitmap fonts: Polish letters and glyph bitmaps.
#include "platform/win32/gdi/FontData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

const GlyphData& glyph(const FontData& f, int ch) {
    return f.glyphs[ch - f.first_char];
}

// The glyph's bitmap, one string per cell row, '#' for a set pixel.
std::vector<std::string> picture(const FontData& f, int ch) {
    const GlyphData& g = glyph(f, ch);
    std::vector<std::string> rows(std::size_t(f.height));
    for (int y = 0; y < f.height; ++y) {
        for (int x = 0; x < g.width; ++x) {
            const std::uint8_t byte = f.bits[g.offset + y * ((g.width + 7) / 8) + x / 8];
            rows[std::size_t(y)] += (byte >> (7 - x % 8)) & 1 ? '#' : '.';
        }
    }
    return rows;
}
int pixel_count(const FontData& f, int ch) {
    int n = 0;
    for (const auto& row : picture(f, ch)) {
        n += int(std::count(row.begin(), row.end(), '#'));
    }
    return n;
}

TEST(FontTables, PolishLettersHaveGlyphsOfTheirOwnAndUndefinedBytesTheBox) {
    // clang-format off
    const std::pair<int, char> letters[] = {  // Windows-1250 byte, its base letter
        {0xB9, 'a'}, {0xE6, 'c'}, {0xEA, 'e'}, {0xB3, 'l'}, {0xF1, 'n'}, {0xF3, 'o'}, {0x9C, 's'}, {0x9F, 'z'},
        {0xBF, 'z'}, {0xA5, 'A'}, {0xC6, 'C'}, {0xCA, 'E'}, {0xA3, 'L'}, {0xD1, 'N'}, {0xD3, 'O'}, {0x8C, 'S'},
        {0x8F, 'Z'}, {0xAF, 'Z'},
    };
    // clang-format on
    for (const FontData* f : builtin_fonts()) {
        SCOPED_TRACE(std::string(f->face) + " " + std::to_string(f->weight));
        for (const auto& [ch, base] : letters) {
            EXPECT_GT(pixel_count(*f, ch), pixel_count(*f, base)) << ch << ": the accent";
            EXPECT_NE(picture(*f, ch), picture(*f, f->default_char)) << ch;
        }
        const GlyphData& box = glyph(*f, f->default_char);
        EXPECT_GT(pixel_count(*f, f->default_char), 0);
        for (int ch : {0x81, 0x83, 0x88, 0x90, 0x98}) {
            EXPECT_EQ(std::make_pair(glyph(*f, ch).offset, int(glyph(*f, ch).advance)),
                      std::make_pair(box.offset, int(box.advance)))
                << ch;
        }
        EXPECT_NE(glyph(*f, 0x82).offset, box.offset) << "a defined neighbour";
        for (int space : {0x20, 0xA0}) {
            EXPECT_GT(glyph(*f, space).advance, 0);
            EXPECT_EQ(pixel_count(*f, space), 0);
        }
        // Glyphs are packed from offset 0 (the box shared), inside their cell, without stray bits.
        std::uint32_t next = 0;
        for (int ch = f->first_char; ch <= f->last_char; ++ch) {
            const GlyphData& g = glyph(*f, ch);
            EXPECT_GE(g.x_offset, -1) << ch;
            EXPECT_LE(g.x_offset + g.width, g.advance + 1) << ch;
            const int bytes = (g.width + 7) / 8;
            for (int y = 0; bytes > 0 && y < f->height; ++y) {
                EXPECT_EQ(
                    f->bits[g.offset + y * bytes + bytes - 1] & ((1 << (bytes * 8 - g.width)) - 1),
                    0)
                    << ch;
            }
            if (!(g.offset < next && g.offset == box.offset)) {
                EXPECT_EQ(g.offset, next) << ch;
                next = g.offset + std::uint32_t(bytes * f->height);
            }
        }
    }
}

}  // namespace
