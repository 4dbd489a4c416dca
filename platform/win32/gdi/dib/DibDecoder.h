// DibDecoder.h: reads packed device-independent bitmaps into colour tables, indices and colours.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gdi::dib {

// Layout of RGBQUAD.
struct RgbQuad {
    std::uint8_t blue, green, red, reserved;
};

// 12-byte core header; 40-, 108- and 124-byte info headers.
enum class HeaderForm { Core, Info };

inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiRle8 = 1;
inline constexpr std::uint32_t kBiRle4 = 2;
inline constexpr std::uint32_t kBiBitfields = 3;

// Largest width and height accepted.
inline constexpr int kMaxDimension = 32768;

struct DibHeaderInfo {
    HeaderForm form;
    std::uint32_t header_size;
    int width;
    int height;  // positive
    bool top_down;
    int bits_per_pixel;
    std::uint32_t compression;
    std::uint32_t color_count;      // table entries
    std::size_t color_table_bytes;  // color_count * 4 (info) or * 3 (core)
    std::size_t stride;             // bytes per row, a multiple of 4
    std::size_t bits_bytes;         // stride * height
    std::uint32_t masks[3];         // red, green, blue of 16 and 32 bits per pixel
    std::size_t mask_bytes;         // 12 when a 40-byte header is followed by bitfield masks
    std::size_t bits_offset;        // header_size + mask_bytes + color_table_bytes
};

struct DecodedDib {
    int width = 0;
    int height = 0;
    int bits_per_pixel = 0;
    // <= 8 bpp: always 2^bpp entries: the header's table, then black for the indices it does
    // not cover, so every index the pixels can hold shows black as on the platform.
    std::vector<RgbQuad> color_table;
    std::uint32_t color_count = 0;      // entries the header itself supplies
    std::vector<std::uint8_t> indices;  // <= 8 bpp: colour-table index per pixel, top row first
    std::vector<std::uint32_t> colors;  // > 8 bpp: 0x00bbggrr per pixel, top row first
};

enum class DibError {
    None,
    NullPointer,
    TruncatedHeader,     // header or colour table (or masks) reach past header_bytes
    BadHeaderSize,       // not 12, 40, 108 or 124
    BadDimensions,       // width <= 0, height 0, either past kMaxDimension, top-down core/RLE
    BadBitCount,         // not 1, 4, 8, 16, 24, 32 (core: 1, 4, 8, 24), or planes not 1
    BadCompression,      // unknown, or not matching the bit count, or unusable masks
    Unsupported,         // run-length encoded
    ColorTableTooLarge,  // colours-used past 2^bpp (<= 8 bpp) or past 256
    TruncatedBits,       // fewer than stride * height bytes of pixels
    IndexOutOfTable,     // never returned: indices past the table show black
};

const char* to_string(DibError);

// header points at the BITMAPINFO or core header with its colour table; header_bytes is how
// many bytes may be read from it (SIZE_MAX when unknown). bits and bits_bytes likewise for the
// pixels. Nothing is read outside those ranges; out is left untouched on failure.
DibError read_dib_header(const void* header, std::size_t header_bytes, DibHeaderInfo& out);
DibError decode_dib(const void* header, std::size_t header_bytes, const void* bits,
                    std::size_t bits_bytes, DecodedDib& out);

}  // namespace gdi::dib
