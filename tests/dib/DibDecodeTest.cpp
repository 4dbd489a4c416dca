// DibDecodeTest.cpp: pixels and colour tables of synthetic DIBs, worked out by hand.
#include "platform/win32/gdi/dib/DibDecoder.h"
#include "tests/dib/DibBytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using dibtest::Bytes;
using dibtest::core_header;
using dibtest::ExactBuffer;
using dibtest::info_header;
using dibtest::InfoFields;
using gdi::dib::decode_dib;
using gdi::dib::DecodedDib;
using gdi::dib::DibError;
using gdi::dib::RgbQuad;

InfoFields fields(std::int32_t w, std::int32_t h, std::uint16_t bpp, std::uint32_t compression = 0,
                  std::uint32_t colors_used = 0) {
    InfoFields f;
    f.width = w;
    f.height = h;
    f.bpp = bpp;
    f.compression = compression;
    f.colors_used = colors_used;
    return f;
}

// Decodes header and bits held in separate exact-size buffers.
DibError decode(const Bytes& header, const Bytes& bits, DecodedDib& out) {
    const ExactBuffer h(header.data());
    const ExactBuffer b(bits.data());
    return decode_dib(h.data(), h.size(), b.data(), b.size(), out);
}

Bytes gray_table(int entries) {
    Bytes t;
    for (int i = 0; i < entries; ++i) {
        t.quad(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i),
               static_cast<std::uint8_t>(i));
    }
    return t;
}

struct IndexCase {
    const char* name;
    Bytes header;  // with its table
    Bytes bits;
    int width, height;
    std::vector<std::uint8_t> indices;  // top row first
};

TEST(DibDecode, IndexedPixelsUnpackInRowOrder) {
    const IndexCase cases[] = {
        {"1-bit: most significant bit first, bottom row stored first",
         info_header(fields(10, 2, 1)).append(gray_table(2).data()),
         Bytes().u8(0b10110000).u8(0b01000000).u16(0).u8(0xFF).u8(0b10111111).u16(0),
         10,
         2,
         {1, 1, 1, 1, 1, 1, 1, 1, 1, 0, /* bottom: */ 1, 0, 1, 1, 0, 0, 0, 0, 0, 1}},
        {"4-bit: high nibble first, odd width",
         info_header(fields(3, 1, 4)).append(gray_table(16).data()),
         Bytes().u8(0x1F).u8(0xA7).u16(0),
         3,
         1,
         {0x1, 0xF, 0xA}},
        {"8-bit bottom-up",
         info_header(fields(2, 2, 8)).append(gray_table(256).data()),
         Bytes().u8(1).u8(2).u16(0).u8(3).u8(4).u16(0),
         2,
         2,
         {3, 4, 1, 2}},
        {"8-bit top-down",
         info_header(fields(2, -2, 8)).append(gray_table(256).data()),
         Bytes().u8(1).u8(2).u16(0).u8(3).u8(4).u16(0),
         2,
         2,
         {1, 2, 3, 4}},
        {"core 4-bit",
         core_header(5, 1, 4).zeros(48),
         Bytes().u8(0x01).u8(0x23).u8(0x40).u8(0),
         5,
         1,
         {0, 1, 2, 3, 4}},
        {"8-bit, 5 wide: row padding skipped",
         info_header(fields(5, 2, 8)).append(gray_table(256).data()),
         Bytes()
             .u8(1)
             .u8(2)
             .u8(3)
             .u8(4)
             .u8(5)
             .u8(0xEE)
             .u8(0xEE)
             .u8(0xEE)
             .u8(6)
             .u8(7)
             .u8(8)
             .u8(9)
             .u8(10)
             .u8(0xEE)
             .u8(0xEE)
             .u8(0xEE),
         5,
         2,
         {6, 7, 8, 9, 10, 1, 2, 3, 4, 5}},
    };
    for (const IndexCase& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedDib dib;
        ASSERT_EQ(decode(c.header, c.bits, dib), DibError::None);
        EXPECT_EQ(dib.width, c.width);
        EXPECT_EQ(dib.height, c.height);
        EXPECT_EQ(dib.indices, c.indices);
        EXPECT_TRUE(dib.colors.empty());
    }
}

struct ColorCase {
    const char* name;
    Bytes header;  // with masks
    Bytes bits;
    std::vector<std::uint32_t> colors;  // 0x00bbggrr, top row first
};

Bytes masks40(std::int32_t w, std::int32_t h, std::uint16_t bpp, std::uint32_t r, std::uint32_t g,
              std::uint32_t b) {
    return info_header(fields(w, h, bpp, 3)).u32(r).u32(g).u32(b);
}

TEST(DibDecode, DirectColoursBecomeColorrefs) {
    const ColorCase cases[] = {
        {"24-bit: blue, green, red in memory",
         info_header(fields(2, 1, 24)),
         Bytes().u8(0x10).u8(0x20).u8(0x30).u8(0xFF).u8(0x00).u8(0x80).u16(0),
         {0x00102030, 0x00FF0080}},
        {"24-bit bottom-up rows",
         info_header(fields(1, 2, 24)),
         Bytes().u8(1).u8(2).u8(3).u8(0).u8(4).u8(5).u8(6).u8(0),
         {0x00040506, 0x00010203}},
        {"32-bit plain: fourth byte ignored",
         info_header(fields(1, 1, 32)),
         Bytes().u8(0x11).u8(0x22).u8(0x33).u8(0xAA),
         {0x00112233}},
        // 5-5-5: a 5-bit value v widens to v << 3 | v >> 2.
        {"16-bit plain 5-5-5",
         info_header(fields(6, 1, 16)),
         Bytes().u16(0x7FFF).u16(0x7C00).u16(0x0421).u16(0x8000).u16(0x03E0).u16(0x0010),
         {0x00FFFFFF, 0x000000FF, 0x00080808, 0x00000000, 0x0000FF00, 0x00840000}},
        // 5-6-5: green v widens to v << 2 | v >> 4.
        {"16-bit 5-6-5",
         masks40(5, 1, 16, 0xF800, 0x07E0, 0x001F),
         Bytes().u16(0xF800).u16(0x07E0).u16(0x0020).u16(0x001F).u16(0x0841).u16(0),
         {0x000000FF, 0x0000FF00, 0x00000400, 0x00FF0000, 0x00080808}},
        {"16-bit empty blue channel reads 0",
         masks40(1, 1, 16, 0xFF00, 0x00FF, 0),
         Bytes().u16(0xABCD).u16(0),
         {0x0000CDAB}},
        {"16-bit 4-bit channels repeat their nibble",
         masks40(1, 1, 16, 0x0F00, 0x00F0, 0x000F),
         Bytes().u16(0x0A5F).u16(0),
         {0x00FF55AA}},
        {"16-bit 1-bit channels become 0 or 255",
         masks40(2, 1, 16, 0x8000, 0x4000, 0x0001),
         Bytes().u16(0x8001).u16(0x4000),
         {0x00FF00FF, 0x0000FF00}},
        {"32-bit unusual channel order",
         masks40(1, 1, 32, 0xFF000000, 0x00000FF0, 0x00FF0000),
         Bytes().u32(0x12345678),
         {0x00346712}},
        {"32-bit 10-bit channels keep their top 8 bits",
         masks40(1, 1, 32, 0x3FF00000, 0x000FFC00, 0x000003FF),
         Bytes().u32((0x3FFu << 20) | (0x200u << 10) | 0x001u),
         {0x000080FF}},
        {"32-bit masks inside a 108-byte header",
         [] {
             InfoFields f = fields(1, 1, 32, 3);
             f.size = 108;
             f.masks[0] = 0x000000FF;
             f.masks[1] = 0x0000FF00;
             f.masks[2] = 0x00FF0000;
             return info_header(f);
         }(),
         Bytes().u32(0x00ABCDEF),
         {0x00ABCDEF}},
    };
    for (const ColorCase& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedDib dib;
        ASSERT_EQ(decode(c.header, c.bits, dib), DibError::None);
        EXPECT_TRUE(dib.indices.empty());
        EXPECT_TRUE(dib.color_table.empty());
        ASSERT_EQ(dib.colors.size(), c.colors.size());
        for (std::size_t i = 0; i < c.colors.size(); ++i) {
            EXPECT_EQ(dib.colors[i], c.colors[i]) << "pixel " << i << std::hex << " got 0x"
                                                  << dib.colors[i] << " want 0x" << c.colors[i];
        }
    }
}

bool same_quad(const RgbQuad& q, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return q.red == r && q.green == g && q.blue == b && q.reserved == 0;
}

// A packed DIB in one buffer, as a bitmap resource holds it: the bits follow the table.
TEST(DibDecode, ColoursUsed20PutsTheBitsAt40Plus80) {
    Bytes packed = info_header(fields(4, 1, 8, 0, 20));
    for (int i = 0; i < 20; ++i) {
        packed.quad(static_cast<std::uint8_t>(10 * i), 7, static_cast<std::uint8_t>(255 - i));
    }
    ASSERT_EQ(packed.size(), 120u);
    packed.u8(0).u8(19).u8(20).u8(255);
    const ExactBuffer buffer(packed.data());

    gdi::dib::DibHeaderInfo info{};
    ASSERT_EQ(gdi::dib::read_dib_header(buffer.data(), buffer.size(), info), DibError::None);
    ASSERT_EQ(info.bits_offset, 120u);

    DecodedDib dib;
    ASSERT_EQ(decode_dib(buffer.data(), buffer.size(), buffer.data() + 120, 4, dib),
              DibError::None);
    EXPECT_EQ(dib.color_count, 20u);
    ASSERT_EQ(dib.color_table.size(), 256u);
    EXPECT_TRUE(same_quad(dib.color_table[0], 0, 7, 255));
    EXPECT_TRUE(same_quad(dib.color_table[19], 190, 7, 236));
    // Indices past the header's 20 entries show black.
    EXPECT_TRUE(same_quad(dib.color_table[20], 0, 0, 0));
    EXPECT_TRUE(same_quad(dib.color_table[255], 0, 0, 0));
    EXPECT_EQ(dib.indices, (std::vector<std::uint8_t>{0, 19, 20, 255}));
}

TEST(DibDecode, CoreHeaderReadsThreeByteEntriesAndBitsAt12Plus768) {
    Bytes packed = core_header(2, 1, 8);
    for (int i = 0; i < 256; ++i) {
        packed.triple(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i), 0x5A);
    }
    ASSERT_EQ(packed.size(), 780u);
    packed.u8(1).u8(255).u16(0);
    const ExactBuffer buffer(packed.data());

    DecodedDib dib;
    ASSERT_EQ(decode_dib(buffer.data(), buffer.size(), buffer.data() + 780, 4, dib),
              DibError::None);
    ASSERT_EQ(dib.color_table.size(), 256u);
    EXPECT_EQ(dib.color_count, 256u);
    // Read as 4-byte entries, entry 1 would take its blue from the second triple's green.
    EXPECT_TRUE(same_quad(dib.color_table[1], 1, 254, 0x5A));
    EXPECT_TRUE(same_quad(dib.color_table[255], 255, 0, 0x5A));
    EXPECT_EQ(dib.indices, (std::vector<std::uint8_t>{1, 255}));
}

TEST(DibDecode, TwentyFourBitsHaveNoTableEvenWithOne) {
    const struct {
        const char* name;
        std::uint32_t colors_used;
    } cases[] = {{"no table", 0}, {"optional 2-entry table", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes header = info_header(fields(1, 1, 24, 0, c.colors_used));
        header.zeros(4 * c.colors_used);
        DecodedDib dib;
        ASSERT_EQ(decode(header, Bytes().u8(3).u8(2).u8(1).u8(0), dib), DibError::None);
        EXPECT_TRUE(dib.color_table.empty());
        EXPECT_EQ(dib.color_count, c.colors_used);
        EXPECT_EQ(dib.colors, (std::vector<std::uint32_t>{0x00030201}));
    }
}

TEST(DibDecode, ReservedBytesOfTheTableAreCleared) {
    Bytes header = info_header(fields(1, 1, 1));
    header.u8(1).u8(2).u8(3).u8(0xAA).u8(4).u8(5).u8(6).u8(0xBB);
    DecodedDib dib;
    ASSERT_EQ(decode(header, Bytes().u32(0x80), dib), DibError::None);
    ASSERT_EQ(dib.color_table.size(), 2u);
    EXPECT_TRUE(same_quad(dib.color_table[0], 3, 2, 1));
    EXPECT_TRUE(same_quad(dib.color_table[1], 6, 5, 4));
    EXPECT_EQ(dib.indices, (std::vector<std::uint8_t>{1}));
}

struct BitsCase {
    const char* name;
    Bytes header;
    std::size_t bits_bytes;
    DibError expected;
};

TEST(DibDecode, PixelsMustCoverEveryPaddedRow) {
    const BitsCase cases[] = {
        // 3 x 2 at 24 bits: rows of 9 bytes padded to 12.
        {"exact", info_header(fields(3, 2, 24)), 24, DibError::None},
        {"more than needed", info_header(fields(3, 2, 24)), 100, DibError::None},
        {"last row's padding missing", info_header(fields(3, 2, 24)), 21, DibError::TruncatedBits},
        {"one byte short", info_header(fields(3, 2, 24)), 23, DibError::TruncatedBits},
        {"none", info_header(fields(3, 2, 24)), 0, DibError::TruncatedBits},
        // 17 x 3 at 1 bit: 3 bytes padded to 4 per row.
        {"1-bit one byte short", info_header(fields(17, 3, 1)).zeros(8), 11,
         DibError::TruncatedBits},
    };
    for (const BitsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ExactBuffer header(c.header.data());
        const std::vector<std::uint8_t> bytes(c.bits_bytes, 0x55);
        const ExactBuffer bits(bytes);
        DecodedDib dib;
        dib.width = 99;
        EXPECT_EQ(decode_dib(header.data(), header.size(), bits.data(), bits.size(), dib),
                  c.expected);
        if (c.expected != DibError::None) {
            EXPECT_EQ(dib.width, 99) << "result touched on failure";
        }
    }
}

TEST(DibDecode, FailuresLeaveThePreviousResult) {
    const Bytes good_header = info_header(fields(1, 1, 24));
    const Bytes good_bits = Bytes().u32(0x00FFFFFF);
    DecodedDib dib;
    ASSERT_EQ(decode(good_header, good_bits, dib), DibError::None);

    const ExactBuffer header(good_header.data());
    const ExactBuffer bits(good_bits.data());
    EXPECT_EQ(decode_dib(nullptr, 40, bits.data(), 4, dib), DibError::NullPointer);
    EXPECT_EQ(decode_dib(header.data(), header.size(), nullptr, 4, dib), DibError::NullPointer);
    EXPECT_EQ(decode(info_header(fields(1, 1, 7)), good_bits, dib), DibError::BadBitCount);
    EXPECT_EQ(decode(info_header(fields(1, 1, 8, 1)), good_bits, dib), DibError::Unsupported);
    EXPECT_EQ(dib.width, 1);
    EXPECT_EQ(dib.colors, (std::vector<std::uint32_t>{0x00FFFFFF}));
}

}  // namespace
