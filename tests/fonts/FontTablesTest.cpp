// FontTablesTest.cpp: the built-in bitmap fonts: metrics, dialog base units, glyph bitmaps.
#include "platform/win32/gdi/FontData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

const FontData* find_font(const char* face, int weight) {
    for (const FontData* f : builtin_fonts()) {
        if (std::strcmp(f->face, face) == 0 && f->weight == weight) {
            return f;
        }
    }
    return nullptr;
}

const GlyphData& glyph(const FontData& f, std::uint8_t ch) {
    return f.glyphs[ch - f.first_char];
}

int row_bytes(const GlyphData& g) {
    return (g.width + 7) / 8;
}

bool pixel(const FontData& f, const GlyphData& g, int x, int y) {
    const std::uint8_t byte = f.bits[g.offset + y * row_bytes(g) + x / 8];
    return (byte >> (7 - x % 8)) & 1;
}

// The glyph's own bitmap as text, one string per cell row, '#' for a set pixel.
std::vector<std::string> picture(const FontData& f, std::uint8_t ch) {
    const GlyphData& g = glyph(f, ch);
    std::vector<std::string> rows;
    for (int y = 0; y < f.height; ++y) {
        std::string row;
        for (int x = 0; x < g.width; ++x) {
            row += pixel(f, g, x, y) ? '#' : '.';
        }
        rows.push_back(row);
    }
    return rows;
}

int pixel_count(const FontData& f, std::uint8_t ch) {
    int n = 0;
    for (const auto& row : picture(f, ch)) {
        for (char c : row) {
            n += c == '#';
        }
    }
    return n;
}

struct FontCase {
    const char* name;
    const char* face;
    int weight;
    int height;
    int ascent;
    int descent;
    int internal_leading;
    int avg_width;
    int max_width;
};

constexpr FontCase kFonts[] = {
    {"System", "System", 700, 16, 13, 3, 3, 7, 15},
    {"Sans", "MS Sans Serif", 400, 13, 11, 2, 2, 5, 11},
    {"Sans bold", "MS Sans Serif", 700, 13, 11, 2, 2, 5, 11},
};

TEST(FontTables, ThreeFacesWithTheirMetrics) {
    EXPECT_EQ(builtin_fonts().size(), 3u);
    for (const auto& c : kFonts) {
        SCOPED_TRACE(c.name);
        const FontData* f = find_font(c.face, c.weight);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->height, c.height);
        EXPECT_EQ(f->ascent, c.ascent);
        EXPECT_EQ(f->descent, c.descent);
        EXPECT_EQ(f->internal_leading, c.internal_leading);
        EXPECT_EQ(f->external_leading, 0);
        EXPECT_EQ(f->avg_width, c.avg_width);
        EXPECT_EQ(f->first_char, 0x20);
        EXPECT_EQ(f->last_char, 0xFF);
    }
}

TEST(FontTables, MaxWidthIsTheWidestAdvance) {
    for (const auto& c : kFonts) {
        SCOPED_TRACE(c.name);
        const FontData* f = find_font(c.face, c.weight);
        ASSERT_NE(f, nullptr);
        int widest = 0;
        for (int ch = f->first_char; ch <= f->last_char; ++ch) {
            widest = std::max<int>(widest, glyph(*f, static_cast<std::uint8_t>(ch)).advance);
        }
        EXPECT_EQ(widest, c.max_width);
        EXPECT_EQ(f->max_width, c.max_width);
    }
}

// Dialogs in 8-point sans lay out on 6 x 13 base units: x from the extent of the 52 letters.
TEST(FontTables, SansGivesDialogBaseUnitsSixByThirteen) {
    for (int weight : {400, 700}) {
        SCOPED_TRACE(weight);
        const FontData* f = find_font("MS Sans Serif", weight);
        ASSERT_NE(f, nullptr);
        int cx = 0;
        for (const char* p = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"; *p; ++p) {
            cx += glyph(*f, static_cast<std::uint8_t>(*p)).advance;
        }
        EXPECT_EQ(((cx / 26) + 1) / 2, 6) << "cx " << cx;
        EXPECT_EQ(f->height, 13);
    }
}

// Windows-1250 bytes of the Polish letters, each with its unaccented base letter.
struct Letter {
    const char* name;
    std::uint8_t ch;
    std::uint8_t base;
};

constexpr Letter kPolish[] = {
    {"a ogonek", 0xB9, 'a'}, {"c acute", 0xE6, 'c'}, {"e ogonek", 0xEA, 'e'},
    {"l stroke", 0xB3, 'l'}, {"n acute", 0xF1, 'n'}, {"o acute", 0xF3, 'o'},
    {"s acute", 0x9C, 's'},  {"z acute", 0x9F, 'z'}, {"z dot", 0xBF, 'z'},
    {"A ogonek", 0xA5, 'A'}, {"C acute", 0xC6, 'C'}, {"E ogonek", 0xCA, 'E'},
    {"L stroke", 0xA3, 'L'}, {"N acute", 0xD1, 'N'}, {"O acute", 0xD3, 'O'},
    {"S acute", 0x8C, 'S'},  {"Z acute", 0x8F, 'Z'}, {"Z dot", 0xAF, 'Z'},
};

// A Polish letter has a glyph of its own: pixels, more than its base letter (the accent),
// and not the default box.
TEST(FontTables, EveryPolishLetterHasItsOwnGlyph) {
    for (const FontData* f : builtin_fonts()) {
        for (const auto& l : kPolish) {
            SCOPED_TRACE(std::string(f->face) + " " + std::to_string(f->weight) + " " + l.name);
            EXPECT_GT(glyph(*f, l.ch).width, 0);
            EXPECT_GT(pixel_count(*f, l.ch), pixel_count(*f, l.base));
            EXPECT_NE(picture(*f, l.ch), picture(*f, f->default_char));
        }
    }
}

// Every set bit lies inside the glyph's width (no stray padding bits), the glyph stays
// within one column of its advance cell, and every row of it is read, so the sanitizer
// build catches a glyph that runs past the end of the bits.
TEST(FontTables, GlyphBitmapsStayInsideTheirDeclaredSizes) {
    for (const FontData* f : builtin_fonts()) {
        for (int ch = f->first_char; ch <= f->last_char; ++ch) {
            SCOPED_TRACE(std::string(f->face) + " " + std::to_string(f->weight) + " byte " +
                         std::to_string(ch));
            const GlyphData& g = glyph(*f, static_cast<std::uint8_t>(ch));
            EXPECT_GE(g.x_offset, -1);
            EXPECT_LE(g.x_offset + g.width, g.advance + 1);
            EXPECT_LE(g.advance, f->max_width);
            const int bytes = row_bytes(g);
            if (bytes == 0) {
                continue;
            }
            const int spare_mask = (1 << (bytes * 8 - g.width)) - 1;
            for (int y = 0; y < f->height; ++y) {
                const std::uint8_t* row = f->bits + g.offset + y * bytes;
                EXPECT_EQ(row[bytes - 1] & spare_mask, 0) << "row " << y;
            }
        }
    }
}

// Glyphs are stored one after another from offset 0 without gaps or overlaps; a glyph
// drawn for several bytes is stored once.
TEST(FontTables, GlyphsArePackedWithoutOverlap) {
    for (const FontData* f : builtin_fonts()) {
        SCOPED_TRACE(std::string(f->face) + " " + std::to_string(f->weight));
        std::uint32_t next = 0;
        for (int ch = f->first_char; ch <= f->last_char; ++ch) {
            const GlyphData& g = glyph(*f, static_cast<std::uint8_t>(ch));
            const bool shared = g.offset < next && g.offset == glyph(*f, f->default_char).offset;
            if (shared) {
                continue;
            }
            EXPECT_EQ(g.offset, next) << "byte " << ch;
            next = g.offset + static_cast<std::uint32_t>(row_bytes(g) * f->height);
        }
    }
}

TEST(FontTables, SpacesAdvanceWithoutPixels) {
    for (const FontData* f : builtin_fonts()) {
        for (std::uint8_t ch : {std::uint8_t{0x20}, std::uint8_t{0xA0}}) {
            SCOPED_TRACE(std::string(f->face) + " " + std::to_string(f->weight) + " byte " +
                         std::to_string(ch));
            EXPECT_GT(glyph(*f, ch).advance, 0);
            EXPECT_EQ(pixel_count(*f, ch), 0);
        }
    }
}

// Bytes with no character in Windows-1250 draw the default box, as does the default char.
TEST(FontTables, UndefinedBytesDrawTheDefaultBox) {
    for (const FontData* f : builtin_fonts()) {
        const GlyphData& box = glyph(*f, f->default_char);
        EXPECT_GT(pixel_count(*f, f->default_char), 0);
        for (std::uint8_t ch : {0x81, 0x83, 0x88, 0x90, 0x98}) {
            SCOPED_TRACE(std::string(f->face) + " " + std::to_string(f->weight) + " byte " +
                         std::to_string(ch));
            const GlyphData& g = glyph(*f, ch);
            EXPECT_EQ(g.offset, box.offset);
            EXPECT_EQ(g.width, box.width);
            EXPECT_EQ(g.advance, box.advance);
        }
        // A defined neighbour is not the box.
        EXPECT_NE(glyph(*f, 0x82).offset, box.offset);
    }
}

struct PictureCase {
    const char* name;
    const char* face;
    int weight;
    std::uint8_t ch;
    int x_offset;
    int advance;
    std::vector<std::string> rows;
};

// Glyphs as they sit in the cell, worked out from the source font's bitmaps and baselines:
// 'A' sits on the baseline below row 10; the ogonek of 'a' hangs into the descent; 'l'
// with stroke reaches one column left of its pen position; the system font's S acute
// keeps its accent by closing the gap above the capital.
const PictureCase kPictures[] = {
    {"Sans A",
     "MS Sans Serif",
     400,
     'A',
     0,
     7,
     {".......", ".......", ".......", "...#...", "...#...", "..#.#..", "..#.#..", ".#...#.",
      ".#####.", "#.....#", "#.....#", ".......", "......."}},
    {"Sans a ogonek",
     "MS Sans Serif",
     400,
     0xB9,
     0,
     5,
     {".....", ".....", ".....", ".....", ".....", "###..", "...#.", ".###.", "#..#.", "#..#.",
      ".##.#", "..#..", "..##."}},
    {"Sans l stroke",
     "MS Sans Serif",
     400,
     0xB3,
     -1,
     2,
     {"...", "...", "...", ".#.", ".#.", ".#.", ".##", "##.", ".#.", ".#.", ".#.", "...", "..."}},
    {"System S acute",
     "System",
     700,
     0x8C,
     1,
     10,
     {"....##..", "...##...", ".######.", "###..###", "##....##", "###.....", ".####...",
      "...####.", ".....###", "......##", "##....##", "###.###.", ".#####..", "........",
      "........", "........"}},
};

TEST(FontTables, GlyphPicturesMatchTheSource) {
    for (const auto& c : kPictures) {
        SCOPED_TRACE(c.name);
        const FontData* f = find_font(c.face, c.weight);
        ASSERT_NE(f, nullptr);
        const GlyphData& g = glyph(*f, c.ch);
        EXPECT_EQ(g.x_offset, c.x_offset);
        EXPECT_EQ(g.advance, c.advance);
        const auto got = picture(*f, c.ch);
        ASSERT_EQ(got.size(), c.rows.size());
        for (std::size_t y = 0; y < got.size(); ++y) {
            EXPECT_EQ(got[y], c.rows[y]) << "row " << y;
        }
    }
}

}  // namespace
