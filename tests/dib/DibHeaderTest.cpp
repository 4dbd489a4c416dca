// DibHeaderTest.cpp: which DIB headers are accepted and the layout each one implies.
#include "platform/win32/gdi/dib/DibDecoder.h"
#include "tests/dib/DibBytes.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace {

using dibtest::Bytes;
using dibtest::core_header;
using dibtest::ExactBuffer;
using dibtest::info_header;
using dibtest::InfoFields;
using gdi::dib::DibError;
using gdi::dib::DibHeaderInfo;
using gdi::dib::HeaderForm;
using gdi::dib::read_dib_header;

constexpr std::size_t kAll = SIZE_MAX;  // the whole buffer is readable

struct Layout {
    HeaderForm form;
    int width, height;
    bool top_down;
    int bpp;
    std::uint32_t colors;
    std::size_t table_bytes, stride, bits_bytes, mask_bytes, bits_offset;
    std::uint32_t masks[3];
};

struct AcceptCase {
    const char* name;
    Bytes bytes;  // header and table, nothing more
    Layout expected;
};

Bytes with_table(Bytes header, std::size_t table_bytes) {
    return header.zeros(table_bytes);
}

InfoFields fields(std::uint32_t size, std::int32_t w, std::int32_t h, std::uint16_t bpp,
                  std::uint32_t compression = 0, std::uint32_t colors_used = 0) {
    InfoFields f;
    f.size = size;
    f.width = w;
    f.height = h;
    f.bpp = bpp;
    f.compression = compression;
    f.colors_used = colors_used;
    return f;
}

Bytes bitfields40(std::int32_t w, std::int32_t h, std::uint16_t bpp, std::uint32_t r,
                  std::uint32_t g, std::uint32_t b) {
    Bytes bytes = info_header(fields(40, w, h, bpp, 3));
    bytes.u32(r).u32(g).u32(b);
    return bytes;
}

Bytes masks_inside(std::uint32_t size, std::uint32_t compression, std::int32_t w, std::int32_t h,
                   std::uint16_t bpp, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    InfoFields f = fields(size, w, h, bpp, compression);
    f.masks[0] = r;
    f.masks[1] = g;
    f.masks[2] = b;
    return info_header(f);
}

void expect_layout(const DibHeaderInfo& got, const Layout& want) {
    EXPECT_EQ(got.form, want.form);
    EXPECT_EQ(got.width, want.width);
    EXPECT_EQ(got.height, want.height);
    EXPECT_EQ(got.top_down, want.top_down);
    EXPECT_EQ(got.bits_per_pixel, want.bpp);
    EXPECT_EQ(got.color_count, want.colors);
    EXPECT_EQ(got.color_table_bytes, want.table_bytes);
    EXPECT_EQ(got.stride, want.stride);
    EXPECT_EQ(got.bits_bytes, want.bits_bytes);
    EXPECT_EQ(got.mask_bytes, want.mask_bytes);
    EXPECT_EQ(got.bits_offset, want.bits_offset);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(got.masks[i], want.masks[i]) << "mask " << i;
    }
}

TEST(DibHeader, AcceptedFormsGiveTheirLayout) {
    const HeaderForm info = HeaderForm::Info;
    const HeaderForm core = HeaderForm::Core;
    const AcceptCase cases[] = {
        {"8-bit, colours-used 20: table 80, bits at 40 + 80",
         with_table(info_header(fields(40, 5, 3, 8, 0, 20)), 80),
         {info, 5, 3, false, 8, 20, 80, 8, 24, 0, 120, {0, 0, 0}}},
        {"8-bit, colours-used 0 means 256",
         with_table(info_header(fields(40, 4, 2, 8)), 1024),
         {info, 4, 2, false, 8, 256, 1024, 4, 8, 0, 1064, {0, 0, 0}}},
        {"core 8-bit: 3-byte entries, bits at 12 + 768",
         with_table(core_header(3, 2, 8), 768),
         {core, 3, 2, false, 8, 256, 768, 4, 8, 0, 780, {0, 0, 0}}},
        {"core 1-bit, 33 wide needs two words",
         with_table(core_header(33, 1, 1), 6),
         {core, 33, 1, false, 1, 2, 6, 8, 8, 0, 18, {0, 0, 0}}},
        {"core 24-bit, 32768 wide: width read without sign",
         core_header(0x8000, 1, 24),
         {core, 32768, 1, false, 24, 0, 0, 98304, 98304, 0, 12, {0, 0, 0}}},
        {"24-bit without table",
         info_header(fields(40, 3, 2, 24)),
         {info, 3, 2, false, 24, 0, 0, 12, 24, 0, 40, {0, 0, 0}}},
        {"24-bit with an optional 256-entry table",
         with_table(info_header(fields(40, 1, 1, 24, 0, 256)), 1024),
         {info, 1, 1, false, 24, 256, 1024, 4, 4, 0, 1064, {0, 0, 0}}},
        {"16-bit plain reads as 5-5-5",
         info_header(fields(40, 3, 1, 16)),
         {info, 3, 1, false, 16, 0, 0, 8, 8, 0, 40, {0x7C00, 0x03E0, 0x001F}}},
        {"32-bit plain reads as 8-8-8",
         info_header(fields(40, 1, 1, 32)),
         {info, 1, 1, false, 32, 0, 0, 4, 4, 0, 40, {0xFF0000, 0xFF00, 0xFF}}},
        {"16-bit 5-6-5 masks after a 40-byte header",
         bitfields40(3, 1, 16, 0xF800, 0x7E0, 0x1F),
         {info, 3, 1, false, 16, 0, 0, 8, 8, 12, 52, {0xF800, 0x07E0, 0x001F}}},
        {"16-bit with an empty blue channel",
         bitfields40(1, 1, 16, 0xFF00, 0xFF, 0),
         {info, 1, 1, false, 16, 0, 0, 4, 4, 12, 52, {0xFF00, 0x00FF, 0}}},
        {"32-bit masks inside a 108-byte header",
         masks_inside(108, 3, 2, 1, 32, 0xFF000000, 0xFF0, 0xFF0000),
         {info, 2, 1, false, 32, 0, 0, 8, 8, 0, 108, {0xFF000000, 0x0FF0, 0xFF0000}}},
        {"124-byte header ignores masks when plain",
         masks_inside(124, 0, 1, 1, 32, 0xFF, 0xFF00, 0xFF0000),
         {info, 1, 1, false, 32, 0, 0, 4, 4, 0, 124, {0xFF0000, 0xFF00, 0xFF}}},
        {"124-byte top-down 4-bit, colours-used 12",
         with_table(info_header(fields(124, 127, -7, 4, 0, 12)), 48),
         {info, 127, 7, true, 4, 12, 48, 64, 448, 0, 172, {0, 0, 0}}},
        {"108-byte 1-bit, 32 wide fits one word",
         with_table(info_header(fields(108, 32, 2, 1)), 8),
         {info, 32, 2, false, 1, 2, 8, 4, 8, 0, 116, {0, 0, 0}}},
        {"largest 1-bit",
         with_table(info_header(fields(40, 32768, 32768, 1)), 8),
         {info, 32768, 32768, false, 1, 2, 8, 4096, 134217728, 0, 48, {0, 0, 0}}},
        {"largest 32-bit: 4 GiB of bits",
         info_header(fields(40, 32768, -32768, 32)),
         {info,
          32768,
          32768,
          true,
          32,
          0,
          0,
          131072,
          4294967296u,
          0,
          40,
          {0xFF0000, 0xFF00, 0xFF}}},
    };
    for (const AcceptCase& c : cases) {
        SCOPED_TRACE(c.name);
        const ExactBuffer buffer(c.bytes.data());
        DibHeaderInfo info{};
        ASSERT_EQ(read_dib_header(buffer.data(), buffer.size(), info), DibError::None);
        expect_layout(info, c.expected);
    }
}

struct RefuseCase {
    const char* name;
    Bytes bytes;
    std::size_t readable;  // kAll or fewer bytes than the buffer holds
    DibError expected;
};

std::vector<RefuseCase> refuse_cases() {
    Bytes short_header = info_header(fields(40, 1, 1, 24));
    return {
        // Lengths: the header, its masks and its table must all be readable.
        {"no size field", Bytes().u8(40).u8(0).u8(0), kAll, DibError::TruncatedHeader},
        {"40-byte header cut at 39", short_header, 39, DibError::TruncatedHeader},
        {"core header cut at 11", core_header(1, 1, 24), 11, DibError::TruncatedHeader},
        {"colours-used 20 but 79 table bytes",
         with_table(info_header(fields(40, 1, 1, 8, 0, 20)), 79), kAll, DibError::TruncatedHeader},
        {"core 8-bit table one byte short", with_table(core_header(1, 1, 8), 767), kAll,
         DibError::TruncatedHeader},
        {"masks cut after two", info_header(fields(40, 1, 1, 16, 3)).u32(0xF800).u32(0x7E0), kAll,
         DibError::TruncatedHeader},
        {"masks present, optional table missing",
         info_header(fields(40, 1, 1, 16, 3, 1)).u32(0xF800).u32(0x7E0).u32(0x1F), kAll,
         DibError::TruncatedHeader},
        // Header sizes other than 12, 40, 108 and 124.
        {"size 0", info_header(fields(0, 1, 1, 24)), kAll, DibError::BadHeaderSize},
        {"size 16", Bytes().u32(16).u16(1).u16(1).u16(1).u16(24).zeros(4), kAll,
         DibError::BadHeaderSize},
        {"size 41", info_header(fields(41, 1, 1, 24)), kAll, DibError::BadHeaderSize},
        {"size 56", info_header(fields(56, 1, 1, 24)), kAll, DibError::BadHeaderSize},
        {"size 64", info_header(fields(64, 1, 1, 24)), kAll, DibError::BadHeaderSize},
        {"size 66", info_header(fields(66, 1, 1, 24)), kAll, DibError::BadHeaderSize},
        {"size 123", info_header(fields(123, 1, 1, 24)), kAll, DibError::BadHeaderSize},
        {"size 0xFFFFFFFF", Bytes().u32(0xFFFFFFFF).zeros(60), kAll, DibError::BadHeaderSize},
        // Bit counts and planes.
        {"0 bits", info_header(fields(40, 1, 1, 0)), kAll, DibError::BadBitCount},
        {"2 bits", info_header(fields(40, 1, 1, 2)), kAll, DibError::BadBitCount},
        {"15 bits", info_header(fields(40, 1, 1, 15)), kAll, DibError::BadBitCount},
        {"30000 bits", info_header(fields(40, 1, 1, 30000)), kAll, DibError::BadBitCount},
        {"core 16 bits", core_header(1, 1, 16), kAll, DibError::BadBitCount},
        {"core 32 bits", core_header(1, 1, 32), kAll, DibError::BadBitCount},
        {"core 2 planes", core_header(1, 1, 24, 2), kAll, DibError::BadBitCount},
        // Dimensions.
        {"width 0", info_header(fields(40, 0, 1, 24)), kAll, DibError::BadDimensions},
        {"width -1", info_header(fields(40, -1, 1, 24)), kAll, DibError::BadDimensions},
        {"height 0", info_header(fields(40, 1, 0, 24)), kAll, DibError::BadDimensions},
        {"width 32769", info_header(fields(40, 32769, 1, 24)), kAll, DibError::BadDimensions},
        {"height 32769", info_header(fields(40, 1, 32769, 24)), kAll, DibError::BadDimensions},
        {"height -32769", info_header(fields(40, 1, -32769, 24)), kAll, DibError::BadDimensions},
        {"height INT_MIN", info_header(fields(40, 1, INT_MIN, 24)), kAll, DibError::BadDimensions},
        {"width INT_MAX", info_header(fields(40, INT_MAX, 1, 24)), kAll, DibError::BadDimensions},
        {"core width 0", core_header(0, 1, 24), kAll, DibError::BadDimensions},
        {"core height 0", core_header(1, 0, 24), kAll, DibError::BadDimensions},
        {"core width 65535", core_header(0xFFFF, 1, 24), kAll, DibError::BadDimensions},
        {"top-down run-length", info_header(fields(40, 1, -1, 8, 1)), kAll,
         DibError::BadDimensions},
        // Compression.
        {"RLE8", info_header(fields(40, 1, 1, 8, 1)), kAll, DibError::Unsupported},
        {"RLE4", info_header(fields(40, 1, 1, 4, 2)), kAll, DibError::Unsupported},
        {"RLE8 on 4 bits", info_header(fields(40, 1, 1, 4, 1)), kAll, DibError::BadCompression},
        {"RLE4 on 8 bits", info_header(fields(40, 1, 1, 8, 2)), kAll, DibError::BadCompression},
        {"bitfields on 8 bits", info_header(fields(40, 1, 1, 8, 3)), kAll,
         DibError::BadCompression},
        {"bitfields on 24 bits", info_header(fields(40, 1, 1, 24, 3)), kAll,
         DibError::BadCompression},
        {"JPEG", info_header(fields(40, 1, 1, 24, 4)), kAll, DibError::BadCompression},
        {"PNG", info_header(fields(40, 1, 1, 24, 5)), kAll, DibError::BadCompression},
        {"alpha bitfields", info_header(fields(40, 1, 1, 32, 6)), kAll, DibError::BadCompression},
        {"split mask", bitfields40(1, 1, 16, 0xF0F0, 0x0F00, 0x000F), kAll,
         DibError::BadCompression},
        {"16-bit mask past the pixel", bitfields40(1, 1, 16, 0x1F0000, 0x7E0, 0x1F), kAll,
         DibError::BadCompression},
        {"split mask inside a 124-byte header",
         masks_inside(124, 3, 1, 1, 32, 0xFF0000, 0xFF00, 0x80000001), kAll,
         DibError::BadCompression},
        // Colour tables larger than the pixels can index.
        {"1-bit, colours-used 3", info_header(fields(40, 1, 1, 1, 0, 3)), kAll,
         DibError::ColorTableTooLarge},
        {"4-bit, colours-used 17", info_header(fields(40, 1, 1, 4, 0, 17)), kAll,
         DibError::ColorTableTooLarge},
        {"8-bit, colours-used 257", info_header(fields(40, 1, 1, 8, 0, 257)), kAll,
         DibError::ColorTableTooLarge},
        {"8-bit, colours-used 0x12345678", info_header(fields(40, 1, 1, 8, 0, 0x12345678)), kAll,
         DibError::ColorTableTooLarge},
        {"24-bit, colours-used 257", info_header(fields(40, 1, 1, 24, 0, 257)), kAll,
         DibError::ColorTableTooLarge},
    };
}

TEST(DibHeader, MalformedHeadersAreRefusedAndLeaveTheResultAlone) {
    for (const RefuseCase& c : refuse_cases()) {
        SCOPED_TRACE(c.name);
        const ExactBuffer buffer(c.bytes.data());
        const std::size_t readable = c.readable == kAll ? buffer.size() : c.readable;
        DibHeaderInfo info{};
        info.width = 4321;
        info.color_count = 77;
        EXPECT_EQ(read_dib_header(buffer.data(), readable, info), c.expected)
            << "got " << gdi::dib::to_string(read_dib_header(buffer.data(), readable, info));
        if (c.expected != DibError::None) {
            EXPECT_EQ(info.width, 4321);
            EXPECT_EQ(info.color_count, 77u);
        }
    }
}

TEST(DibHeader, NullHeaderIsRefused) {
    DibHeaderInfo info{};
    EXPECT_EQ(read_dib_header(nullptr, 40, info), DibError::NullPointer);
}

TEST(DibHeader, UnknownLengthTrustsTheHeader) {
    const Bytes bytes = with_table(info_header(fields(40, 2, 2, 8, 0, 2)), 8);
    DibHeaderInfo info{};
    ASSERT_EQ(read_dib_header(bytes.data().data(), SIZE_MAX, info), DibError::None);
    EXPECT_EQ(info.bits_offset, 48u);
    EXPECT_EQ(info.color_count, 2u);
}

}  // namespace
