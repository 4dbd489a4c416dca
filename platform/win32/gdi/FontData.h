// FontData.h: the layout of the built-in bitmap font tables (Windows-1250 bytes).
#pragma once

#include <cstdint>
#include <span>

struct GlyphData {
    std::int8_t x_offset;  // columns from the pen position to the bitmap's left column
    std::uint8_t advance;  // pen advance: the character's width in text extents
    std::uint8_t width;    // bitmap columns
    std::uint32_t offset;  // first byte of the bitmap in FontData::bits
};

// A glyph bitmap has `height` rows from the top of the character cell, each row
// (width + 7) / 8 bytes, most significant bit leftmost; a set bit is a glyph pixel.
struct FontData {
    const char* face;  // "System", "MS Sans Serif"
    int point_size;
    int weight;  // 400 regular, 700 bold
    int height;  // tmHeight: ascent + descent
    int ascent;
    int descent;
    int internal_leading;
    int external_leading;
    int avg_width;
    int max_width;
    std::uint8_t first_char;
    std::uint8_t last_char;
    std::uint8_t default_char;  // drawn for a byte outside first_char..last_char
    const GlyphData* glyphs;    // last_char - first_char + 1 entries
    const std::uint8_t* bits;
};

// The fonts the stand-in knows: "System" (bold, 16 px), "MS Sans Serif" 8 pt and its bold.
std::span<const FontData* const> builtin_fonts();
