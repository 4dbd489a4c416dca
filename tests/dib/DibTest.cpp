// DibTest.cpp: DIB headers, pixels worked out by hand, and the bmpsuite files.
#include "platform/win32/gdi/dib/DibDecoder.h"
#include "tests/dib/DibBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace gdi::dib;
using E = DibError;
using Buf = std::vector<std::uint8_t>;  // built to exact size, so ASan sees any overrun

using dibtest::Bytes;
using dibtest::core_header;
using dibtest::info_header;

Bytes i40(std::int32_t w, std::int32_t h, unsigned bpp, std::uint32_t comp = 0,
          std::uint32_t used = 0) {
    return info_header(40, w, h, bpp, comp, used);
}
Bytes masks(std::int32_t w, std::int32_t h, unsigned bpp, std::uint32_t r, std::uint32_t g,
            std::uint32_t b) {
    return i40(w, h, bpp, 3).u32(r).u32(g).u32(b);
}
Bytes grey(Bytes header, unsigned n) {
    for (unsigned i = 0; i < n; ++i) {
        header.quad(i, i, i);
    }
    return header;
}

// clang-format off
struct Layout { HeaderForm form; int w, h; bool top_down; int bpp; std::uint32_t colors; std::size_t table, stride, bits, mask_bytes, offset; std::uint32_t m[3]; };
// clang-format on

TEST(DibHeader, AcceptedFormsGiveTheirLayout) {
    constexpr HeaderForm I = HeaderForm::Info, C = HeaderForm::Core;
    // clang-format off
    struct Case { const char* name; Bytes bytes; /* header and table, nothing more */ Layout want; };
    const Case cases[] = {
        {"colours-used 20: table 80, bits at 120", i40(5, 3, 8, 0, 20).zeros(80), {I, 5, 3, false, 8, 20, 80, 8, 24, 0, 120, {}}},
        {"colours-used 0 means 256", i40(4, 2, 8).zeros(1024), {I, 4, 2, false, 8, 256, 1024, 4, 8, 0, 1064, {}}},
        {"core: 3-byte entries", core_header(3, 2, 8).zeros(768), {C, 3, 2, false, 8, 256, 768, 4, 8, 0, 780, {}}},
        {"core 1-bit, 33 wide: two words", core_header(33, 1, 1).zeros(6), {C, 33, 1, false, 1, 2, 6, 8, 8, 0, 18, {}}},
        {"core width read unsigned", core_header(0x8000, 1, 24), {C, 32768, 1, false, 24, 0, 0, 98304, 98304, 0, 12, {}}},
        {"24-bit with an optional table", i40(1, 1, 24, 0, 256).zeros(1024), {I, 1, 1, false, 24, 256, 1024, 4, 4, 0, 1064, {}}},
        {"16-bit plain is 5-5-5", i40(3, 1, 16), {I, 3, 1, false, 16, 0, 0, 8, 8, 0, 40, {0x7C00, 0x3E0, 0x1F}}},
        {"32-bit plain is 8-8-8", i40(1, 1, 32), {I, 1, 1, false, 32, 0, 0, 4, 4, 0, 40, {0xFF0000, 0xFF00, 0xFF}}},
        {"masks after a 40-byte header", masks(3, 1, 16, 0xF800, 0x7E0, 0x1F), {I, 3, 1, false, 16, 0, 0, 8, 8, 12, 52, {0xF800, 0x7E0, 0x1F}}},
        {"empty blue channel", masks(1, 1, 16, 0xFF00, 0xFF, 0), {I, 1, 1, false, 16, 0, 0, 4, 4, 12, 52, {0xFF00, 0xFF, 0}}},
        {"masks inside a 108-byte header", info_header(108, 2, 1, 32, 3, 0, 0xFF000000, 0xFF0, 0xFF0000), {I, 2, 1, false, 32, 0, 0, 8, 8, 0, 108, {0xFF000000, 0xFF0, 0xFF0000}}},
        {"plain 124-byte header ignores masks", info_header(124, 1, 1, 32, 0, 0, 0xFF, 0xFF00, 0xFF0000), {I, 1, 1, false, 32, 0, 0, 4, 4, 0, 124, {0xFF0000, 0xFF00, 0xFF}}},
        {"top-down 4-bit, colours-used 12", info_header(124, 127, -7, 4, 0, 12).zeros(48), {I, 127, 7, true, 4, 12, 48, 64, 448, 0, 172, {}}},
        {"1-bit, 32 wide fits one word", info_header(108, 32, 2, 1).zeros(8), {I, 32, 2, false, 1, 2, 8, 4, 8, 0, 116, {}}},
        {"largest 32-bit: 4 GiB of bits", i40(32768, -32768, 32), {I, 32768, 32768, true, 32, 0, 0, 131072, 4294967296u, 0, 40, {0xFF0000, 0xFF00, 0xFF}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Buf buf = c.bytes.v;
        DibHeaderInfo g{};
        ASSERT_EQ(read_dib_header(buf.data(), buf.size(), g), E::None);
        const Layout& w = c.want;
        EXPECT_EQ(std::tie(g.form, g.width, g.height, g.top_down, g.bits_per_pixel, g.color_count),
                  std::tie(w.form, w.w, w.h, w.top_down, w.bpp, w.colors));
        EXPECT_EQ(
            std::tie(g.color_table_bytes, g.stride, g.bits_bytes, g.mask_bytes, g.bits_offset,
                     g.masks[0], g.masks[1], g.masks[2]),
            std::tie(w.table, w.stride, w.bits, w.mask_bytes, w.offset, w.m[0], w.m[1], w.m[2]));
    }
}

TEST(DibHeader, MalformedHeadersAreRefusedAndLeaveTheResultAlone) {
    // clang-format off
    struct Case { const char* name; Bytes bytes; std::size_t readable; /* 0: the whole buffer */ E want; };
    const Case cases[] = {
        {"no size field", Bytes().u8(40).u8(0).u8(0), 0, E::TruncatedHeader}, {"40-byte header cut at 39", i40(1, 1, 24), 39, E::TruncatedHeader},
        {"core header cut at 11", core_header(1, 1, 24), 11, E::TruncatedHeader}, {"table one byte short", i40(1, 1, 8, 0, 20).zeros(79), 0, E::TruncatedHeader},
        {"core table one byte short", core_header(1, 1, 8).zeros(767), 0, E::TruncatedHeader}, {"masks cut after two", i40(1, 1, 16, 3).u32(0xF800).u32(0x7E0), 0, E::TruncatedHeader},
        {"masks, then table missing", i40(1, 1, 16, 3, 1).u32(0xF800).u32(0x7E0).u32(0x1F), 0, E::TruncatedHeader},
        {"size 0", info_header(0, 1, 1, 24), 0, E::BadHeaderSize}, {"size 41", info_header(41, 1, 1, 24), 0, E::BadHeaderSize}, {"size 107", info_header(107, 1, 1, 24), 0, E::BadHeaderSize},
        {"size 109", info_header(109, 1, 1, 24), 0, E::BadHeaderSize}, {"size 123", info_header(123, 1, 1, 24), 0, E::BadHeaderSize}, {"size 125", info_header(125, 1, 1, 24), 0, E::BadHeaderSize},
        {"2 bits", i40(1, 1, 2), 0, E::BadBitCount}, {"15 bits", i40(1, 1, 15), 0, E::BadBitCount}, {"core 16 bits", core_header(1, 1, 16), 0, E::BadBitCount},
        {"core 2 planes", core_header(1, 1, 24, 2), 0, E::BadBitCount}, {"width 0", i40(0, 1, 24), 0, E::BadDimensions}, {"height 0", i40(1, 0, 24), 0, E::BadDimensions},
        {"width 32769", i40(32769, 1, 24), 0, E::BadDimensions}, {"height -32769", i40(1, -32769, 24), 0, E::BadDimensions}, {"height INT_MIN", i40(1, INT_MIN, 24), 0, E::BadDimensions},
        {"core height 0", core_header(1, 0, 24), 0, E::BadDimensions}, {"core width 65535", core_header(0xFFFF, 1, 24), 0, E::BadDimensions}, {"top-down run-length", i40(1, -1, 8, 1), 0, E::BadDimensions},
        {"RLE8", i40(1, 1, 8, 1), 0, E::Unsupported}, {"RLE4", i40(1, 1, 4, 2), 0, E::Unsupported}, {"RLE8 on 4 bits", i40(1, 1, 4, 1), 0, E::BadCompression},
        {"RLE4 on 8 bits", i40(1, 1, 8, 2), 0, E::BadCompression}, {"bitfields on 24 bits", i40(1, 1, 24, 3), 0, E::BadCompression}, {"compression 4", i40(1, 1, 24, 4), 0, E::BadCompression},
        {"split mask", masks(1, 1, 16, 0xF0F0, 0xF00, 0xF), 0, E::BadCompression}, {"16-bit mask past the pixel", masks(1, 1, 16, 0x1F0000, 0x7E0, 0x1F), 0, E::BadCompression},
        {"split mask in a 124-byte header", info_header(124, 1, 1, 32, 3, 0, 0xFF0000, 0xFF00, 0x80000001), 0, E::BadCompression},
        {"1-bit, colours-used 3", i40(1, 1, 1, 0, 3), 0, E::ColorTableTooLarge}, {"4-bit, colours-used 17", i40(1, 1, 4, 0, 17), 0, E::ColorTableTooLarge},
        {"8-bit, colours-used 257", i40(1, 1, 8, 0, 257), 0, E::ColorTableTooLarge}, {"24-bit, colours-used 257", i40(1, 1, 24, 0, 257), 0, E::ColorTableTooLarge},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Buf buf = c.bytes.v;
        DibHeaderInfo g{};
        g.width = 4321;
        EXPECT_EQ(read_dib_header(buf.data(), c.readable ? c.readable : buf.size(), g), c.want);
        EXPECT_EQ(g.width, 4321);
    }
    DibHeaderInfo g{};
    EXPECT_EQ(read_dib_header(nullptr, 40, g), E::NullPointer);
}

DibError decode(const Bytes& header, const Bytes& bits, DecodedDib& out) {
    const Buf h = header.v, b = bits.v;
    return decode_dib(h.data(), h.size(), b.data(), b.size(), out);
}

TEST(DibDecode, IndexedPixelsUnpackInRowOrder) {
    // clang-format off
    struct Case { const char* name; Bytes header, bits; std::vector<std::uint8_t> indices; /* top row first */ };
    const Case cases[] = {
        {"1-bit: high bit first, bottom row stored first", grey(i40(10, 2, 1), 2), Bytes().u8(0xB0).u8(0x40).u16(0).u8(0xFF).u8(0xBF).u16(0), {1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 1, 0, 1, 1, 0, 0, 0, 0, 0, 1}},
        {"4-bit: high nibble first", grey(i40(3, 1, 4), 16), Bytes().u8(0x1F).u8(0xA7).u16(0), {1, 15, 10}},
        {"8-bit top-down", grey(i40(2, -2, 8), 256), Bytes().u32(0x0201).u32(0x0403), {1, 2, 3, 4}},
        {"core 4-bit", core_header(5, 1, 4).zeros(48), Bytes().u32(0x402301), {0, 1, 2, 3, 4}},
        {"5 wide: padding skipped", grey(i40(5, 2, 8), 256), Bytes().u32(0x04030201).u32(0xEEEEEE05).u32(0x09080706).u32(0xEEEEEE0A), {6, 7, 8, 9, 10, 1, 2, 3, 4, 5}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedDib dib;
        ASSERT_EQ(decode(c.header, c.bits, dib), E::None);
        EXPECT_EQ(static_cast<std::size_t>(dib.width) * dib.height, c.indices.size());
        EXPECT_EQ(dib.indices, c.indices);
        EXPECT_TRUE(dib.colors.empty());
    }
}

TEST(DibDecode, DirectColoursBecomeColorrefs) {
    // clang-format off
    struct Case { const char* name; Bytes header, bits; std::vector<std::uint32_t> colors; /* 0x00bbggrr, top row first */ };
    const Case cases[] = {
        {"24-bit: blue, green, red in memory", i40(2, 1, 24), Bytes().u8(0x10).u8(0x20).u8(0x30).u8(0xFF).u8(0).u8(0x80).u16(0), {0x102030, 0xFF0080}},
        {"24-bit bottom-up", i40(1, 2, 24), Bytes().u32(0x030201).u32(0x060504), {0x040506, 0x010203}},
        {"32-bit: fourth byte ignored", i40(1, 1, 32), Bytes().u32(0xAA332211), {0x112233}},
        // 5 bits v widen to v << 3 | v >> 2.
        {"16-bit plain 5-5-5", i40(6, 1, 16), Bytes().u16(0x7FFF).u16(0x7C00).u16(0x421).u16(0x8000).u16(0x3E0).u16(0x10), {0xFFFFFF, 0xFF, 0x080808, 0, 0xFF00, 0x840000}},
        // 6 green bits v widen to v << 2 | v >> 4.
        {"16-bit 5-6-5", masks(5, 1, 16, 0xF800, 0x7E0, 0x1F), Bytes().u16(0xF800).u16(0x7E0).u16(0x20).u16(0x1F).u16(0x841).u16(0), {0xFF, 0xFF00, 0x400, 0xFF0000, 0x080808}},
        {"empty blue channel reads 0", masks(1, 1, 16, 0xFF00, 0xFF, 0), Bytes().u32(0xABCD), {0xCDAB}},
        {"1-bit channels are 0 or 255", masks(2, 1, 16, 0x8000, 0x4000, 1), Bytes().u16(0x8001).u16(0x4000), {0xFF00FF, 0xFF00}},
        {"unusual channel order", masks(1, 1, 32, 0xFF000000, 0xFF0, 0xFF0000), Bytes().u32(0x12345678), {0x346712}},
        {"10-bit channels keep the top 8", masks(1, 1, 32, 0x3FF00000, 0xFFC00, 0x3FF), Bytes().u32(0x3FF80001), {0x80FF}},
        {"masks in a 108-byte header", info_header(108, 1, 1, 32, 3, 0, 0xFF, 0xFF00, 0xFF0000), Bytes().u32(0xABCDEF), {0xABCDEF}},
        {"24-bit optional table is not used", i40(1, 1, 24, 0, 2).zeros(8), Bytes().u32(0x010203), {0x030201}},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedDib dib;
        ASSERT_EQ(decode(c.header, c.bits, dib), E::None);
        EXPECT_TRUE(dib.indices.empty());
        EXPECT_TRUE(dib.color_table.empty());
        EXPECT_EQ(dib.colors, c.colors);
    }
}

bool same_quad(const RgbQuad& q, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return q.red == r && q.green == g && q.blue == b && q.reserved == 0;
}

TEST(DibDecode, TablesAreReadByFormAndPaddedWithBlack) {
    // A packed DIB as a resource holds it: 20 colours, bits at 40 + 80.
    Bytes packed = i40(4, 1, 8, 0, 20);
    for (int i = 0; i < 20; ++i) {
        packed.quad(10 * i, 7, 255 - i);
    }
    packed.u8(0).u8(19).u8(20).u8(255);
    const Buf buf = packed.v;
    DecodedDib dib;
    ASSERT_EQ(decode_dib(buf.data(), buf.size(), buf.data() + 120, 4, dib), E::None);
    EXPECT_EQ(dib.color_count, 20u);
    ASSERT_EQ(dib.color_table.size(), 256u);
    EXPECT_TRUE(same_quad(dib.color_table[19], 190, 7, 236));
    EXPECT_TRUE(same_quad(dib.color_table[20], 0, 0, 0)) << "past the header's entries";
    EXPECT_EQ(dib.indices, (std::vector<std::uint8_t>{0, 19, 20, 255}));
    // Core tables hold triples; reserved bytes of info tables are cleared.
    Bytes c = core_header(1, 1, 1).u8(1).u8(2).u8(3).u8(4).u8(5).u8(6);
    Bytes q = i40(1, 1, 1).u8(1).u8(2).u8(3).u8(0xAA).u8(4).u8(5).u8(6).u8(0xBB);
    for (const Bytes* h : {&c, &q}) {
        ASSERT_EQ(decode(*h, Bytes().u32(0x80), dib), E::None);
        EXPECT_TRUE(same_quad(dib.color_table[0], 3, 2, 1));
        EXPECT_TRUE(same_quad(dib.color_table[1], 6, 5, 4));
    }
}

TEST(DibDecode, PixelsMustCoverEveryPaddedRowAndFailuresKeepTheResult) {
    // clang-format off
    struct Case { const char* name; Bytes header; std::size_t bits; E want; };
    const Case cases[] = {  // 3 x 2 at 24 bits: rows of 9 bytes padded to 12
        {"exact", i40(3, 2, 24), 24, E::None}, {"more than needed", i40(3, 2, 24), 100, E::None},
        {"one byte short", i40(3, 2, 24), 23, E::TruncatedBits}, {"bad bit count", i40(1, 1, 7), 4, E::BadBitCount},
        {"1-bit, 17 wide: 4 bytes a row", i40(17, 3, 1).zeros(8), 11, E::TruncatedBits},
    };
    // clang-format on
    DecodedDib dib;
    ASSERT_EQ(decode(i40(1, 1, 24), Bytes().u32(0xFFFFFF), dib), E::None);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedDib out = dib;
        EXPECT_EQ(decode(c.header, Bytes().zeros(c.bits), out), c.want);
        if (c.want != E::None) {
            EXPECT_EQ(out.colors, dib.colors) << "result touched on failure";
        }
    }
    const Buf h = i40(1, 1, 24).v;
    EXPECT_EQ(decode_dib(h.data(), h.size(), nullptr, 4, dib), E::NullPointer);
}

// A bmpsuite file split as CreateDIBitmap sees it: header and table, then the bits.
struct BmpFile {
    Buf all, header, bits;
};
BmpFile load(const std::string& path) {
    std::ifstream in(std::string(PILO_SHARED_DIR) + "/testdata/bmpsuite/" + path, std::ios::binary);
    BmpFile f;
    f.all.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (f.all.size() < 14) {
        ADD_FAILURE() << "cannot read " << path;
        return f;
    }
    const std::size_t off =
        std::clamp<std::size_t>(f.all[10] | f.all[11] << 8 | f.all[12] << 16, 14, f.all.size());
    f.header.assign(f.all.begin() + 14, f.all.begin() + static_cast<long>(off));
    f.bits.assign(f.all.begin() + static_cast<long>(off), f.all.end());
    return f;
}
DibError decode_file(const std::string& path, DecodedDib& dib) {
    const BmpFile f = load(path);
    return decode_dib(f.header.data(), f.header.size(), f.bits.data(), f.bits.size(), dib);
}
// Every pixel as 0x00bbggrr, top row first; indexed pictures through their table.
std::vector<std::uint32_t> rgb_of(const std::string& path, DecodedDib& dib) {
    EXPECT_EQ(decode_file("good/" + path, dib), E::None) << path;
    if (dib.bits_per_pixel > 8) {
        return dib.colors;
    }
    std::vector<std::uint32_t> out;
    for (const std::uint8_t i : dib.indices) {
        const RgbQuad& q = dib.color_table.at(i);
        out.push_back(q.red | std::uint32_t{q.green} << 8 | std::uint32_t{q.blue} << 16);
    }
    return out;
}

TEST(BmpSuite, GoodFilesDecodeAndAgreeWithTheirFamily) {
    // clang-format off
    struct Case { const char* file; int w, h, bpp; const char* reference /* same picture, other encoding: top-left corner */; int tolerance /* per channel */; };
    const Case cases[] = {
        {"pal1.bmp", 127, 64, 1, "pal1wb.bmp", 0}, {"pal1bg.bmp", 127, 64, 1, nullptr, 0},
        {"pal4.bmp", 127, 64, 4, nullptr, 0}, {"pal4gs.bmp", 127, 64, 4, nullptr, 0},
        {"pal8.bmp", 127, 64, 8, nullptr, 0}, {"pal8gs.bmp", 127, 64, 8, nullptr, 0},
        {"pal8-0.bmp", 127, 64, 8, "pal8.bmp", 0}, {"pal8topdown.bmp", 127, 64, 8, "pal8.bmp", 0},
        {"pal8os2.bmp", 127, 64, 8, "pal8.bmp", 0}, {"pal8v4.bmp", 127, 64, 8, "pal8.bmp", 0},
        {"pal8v5.bmp", 127, 64, 8, "pal8.bmp", 0}, {"pal8nonsquare.bmp", 127, 32, 8, nullptr, 0},
        {"pal8w124.bmp", 124, 61, 8, "pal8.bmp", 0}, {"pal8w125.bmp", 125, 62, 8, "pal8.bmp", 0},
        {"pal8w126.bmp", 126, 63, 8, "pal8.bmp", 0}, {"rgb24.bmp", 127, 64, 24, nullptr, 0},
        {"rgb24pal.bmp", 127, 64, 24, "rgb24.bmp", 0}, {"rgb32.bmp", 127, 64, 32, "rgb24.bmp", 0},
        {"rgb32bf.bmp", 127, 64, 32, "rgb24.bmp", 0}, {"rgb32bfdef.bmp", 127, 64, 32, "rgb24.bmp", 0},
        {"rgb16.bmp", 127, 64, 16, "rgb24.bmp", 4}, {"rgb16bfdef.bmp", 127, 64, 16, "rgb16.bmp", 0},
        {"rgb16-565.bmp", 127, 64, 16, "rgb24.bmp", 4}, {"rgb16-565pal.bmp", 127, 64, 16, "rgb16-565.bmp", 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        DecodedDib dib, ref;
        const auto got = rgb_of(c.file, dib);
        EXPECT_EQ(std::tie(dib.width, dib.height, dib.bits_per_pixel), std::tie(c.w, c.h, c.bpp));
        ASSERT_EQ(got.size(), static_cast<std::size_t>(c.w) * c.h);
        const auto want = c.reference ? rgb_of(c.reference, ref) : got;
        const std::size_t rw = c.reference ? ref.width : c.w;
        const bool grey = std::string(c.file).find("gs") != std::string::npos;
        int wrong = 0;
        for (std::size_t i = 0; i < got.size(); ++i) {
            const std::uint32_t a = got[i], b = want.at(i / c.w * rw + i % c.w);
            for (int s = 0; s < 24; s += 8) {
                wrong += std::abs(int(a >> s & 0xFF) - int(b >> s & 0xFF)) > c.tolerance;
            }
            wrong += grey && ((a & 0xFF) != (a >> 8 & 0xFF) || (a & 0xFF) != (a >> 16 & 0xFF));
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(BmpSuite, BrokenFilesAreRefusedOrDecodedWithinTheirBuffers) {
    // clang-format off
    struct Case { const char* file; E want; /* None: decoded safely in spite of the damage */ };
    const Case cases[] = {
        {"badbitcount.bmp", E::BadBitCount}, {"badbitssize.bmp", E::None}, {"baddens1.bmp", E::None},
        {"badfilesize.bmp", E::None}, {"badheadersize.bmp", E::BadHeaderSize},
        {"badpalettesize.bmp", E::ColorTableTooLarge}, {"badplanes.bmp", E::BadBitCount},
        {"badrle.bmp", E::Unsupported}, {"badrle4.bmp", E::Unsupported}, {"badwidth.bmp", E::BadDimensions},
        {"pal8badindex.bmp", E::None}, {"reallybig.bmp", E::BadDimensions}, {"rgb16-880.bmp", E::None},
        {"rletopdown.bmp", E::BadDimensions}, {"shortfile.bmp", E::TruncatedBits},
        {"../good/pal8rle.bmp", E::Unsupported}, {"../good/pal4rle.bmp", E::Unsupported},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        DecodedDib dib;
        EXPECT_EQ(decode_file(std::string("bad/") + c.file, dib), c.want);
    }
}

}  // namespace
