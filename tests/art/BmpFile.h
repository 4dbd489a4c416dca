// BmpFile.h: a strict reader of the committed picture files, for the format tests.
#pragma once

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace art_test {

using Rgb = std::array<uint8_t, 3>;

inline std::vector<uint8_t> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline uint32_t le16(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8);
}

inline uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return le16(b, at) | (le16(b, at + 2) << 16);
}

inline std::string art_path(const std::string& name) {
    return std::string(PILO_SOURCE_DIR) + "/res/" + name;
}

// A DIB as its header states it; pixels are table indices, top row first.
struct Dib {
    uint32_t header_size = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t planes = 0;
    uint32_t bpp = 0;
    uint32_t compression = 0;
    uint32_t colors_used = 0;
    std::vector<Rgb> table;
    std::vector<uint8_t> pixels;

    uint8_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    Rgb rgb(int x, int y) const { return table[at(x, y)]; }
};

inline size_t dib_stride(int width, uint32_t bpp) {
    return ((static_cast<size_t>(width) * bpp + 31) / 32) * 4;
}

// Reads a 40-byte-header DIB at offset `at` whose bits follow the table (packed form) or
// start at `bits_at` when that is nonzero. height_divisor is 2 for icon images. Returns
// false, leaving `error` set, on anything out of bounds or not in that form.
inline bool parse_dib(const std::vector<uint8_t>& b, size_t at, size_t bits_at, int height_divisor,
                      Dib& dib, std::string& error) {
    if (b.size() < at + 40) {
        error = "header cut short";
        return false;
    }
    dib.header_size = le32(b, at);
    dib.width = static_cast<int32_t>(le32(b, at + 4));
    dib.height = static_cast<int32_t>(le32(b, at + 8)) / height_divisor;
    dib.planes = le16(b, at + 12);
    dib.bpp = le16(b, at + 14);
    dib.compression = le32(b, at + 16);
    dib.colors_used = le32(b, at + 32);
    if (dib.header_size != 40 || dib.width <= 0 || dib.height <= 0 || dib.bpp > 8 || dib.bpp == 0) {
        error = "not a bottom-up palette DIB with a 40-byte header";
        return false;
    }
    const size_t entries = dib.colors_used ? dib.colors_used : (size_t{1} << dib.bpp);
    const size_t table_at = at + 40;
    if (bits_at == 0) {
        bits_at = table_at + entries * 4;
    }
    const size_t stride = dib_stride(dib.width, dib.bpp);
    if (b.size() < table_at + entries * 4 || b.size() < bits_at + stride * dib.height) {
        error = "table or bits cut short";
        return false;
    }
    for (size_t i = 0; i < entries; ++i) {
        const size_t e = table_at + 4 * i;
        dib.table.push_back({b[e + 2], b[e + 1], b[e]});
    }
    for (int y = 0; y < dib.height; ++y) {
        const size_t row = bits_at + static_cast<size_t>(dib.height - 1 - y) * stride;
        for (int x = 0; x < dib.width; ++x) {
            const size_t bit = static_cast<size_t>(x) * dib.bpp;
            const uint8_t byte = b[row + bit / 8];
            const int shift = 8 - dib.bpp - static_cast<int>(bit % 8);
            dib.pixels.push_back(static_cast<uint8_t>((byte >> shift) & ((1 << dib.bpp) - 1)));
        }
    }
    return true;
}

// A .bmp file: BITMAPFILEHEADER, then the DIB; the file header must agree with it.
inline bool read_bmp(const std::string& name, Dib& dib, std::string& error) {
    const std::vector<uint8_t> b = read_file(art_path(name));
    if (b.size() < 14 || b[0] != 'B' || b[1] != 'M') {
        error = "missing or not a BMP file";
        return false;
    }
    if (le32(b, 2) != b.size()) {
        error = "file size field disagrees with the file";
        return false;
    }
    if (!parse_dib(b, 14, le32(b, 10), 1, dib, error)) {
        return false;
    }
    if (le32(b, 10) != 14 + 40 + 4 * dib.table.size()) {
        error = "bits do not follow the colour table";
        return false;
    }
    if (b.size() != le32(b, 10) + dib_stride(dib.width, dib.bpp) * dib.height) {
        error = "trailing or missing bytes after the bits";
        return false;
    }
    return true;
}

}  // namespace art_test
