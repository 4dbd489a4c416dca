// BmpSuiteTest.cpp: real BMP files of many encodings, good and broken, through the DIB decoder.
#include "platform/win32/gdi/dib/DibDecoder.h"
#include "tests/dib/DibBytes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using dibtest::BmpFile;
using dibtest::load_bmp;
using gdi::dib::decode_dib;
using gdi::dib::DecodedDib;
using gdi::dib::DibError;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;  // 0x00bbggrr, top row first
};

DibError decode_file(const std::string& path, DecodedDib& dib) {
    BmpFile file;
    if (!load_bmp(path, file)) {
        ADD_FAILURE() << "cannot read " << path;
        return DibError::NullPointer;
    }
    return decode_dib(file.header.data(), file.header.size(), file.bits.data(), file.bits.size(),
                      dib);
}

// Every pixel as a colour: indexed pictures through their table.
Picture to_picture(const DecodedDib& dib) {
    Picture p{dib.width, dib.height, {}};
    if (dib.bits_per_pixel > 8) {
        p.rgb = dib.colors;
        return p;
    }
    for (const std::uint8_t index : dib.indices) {
        const gdi::dib::RgbQuad& q = dib.color_table.at(index);
        p.rgb.push_back(q.red | (std::uint32_t{q.green} << 8) | (std::uint32_t{q.blue} << 16));
    }
    return p;
}

Picture decode_picture(const std::string& path) {
    DecodedDib dib;
    EXPECT_EQ(decode_file(path, dib), DibError::None) << path;
    return to_picture(dib);
}

std::uint32_t at(const Picture& p, int x, int y) {
    return p.rgb.at(static_cast<std::size_t>(y) * p.width + x);
}

// Compares a picture with the top-left corner of a reference, channel by channel within
// tolerance; reports the first few differing pixels.
void expect_same_picture(const Picture& got, const Picture& want, int tolerance) {
    ASSERT_LE(got.width, want.width);
    ASSERT_LE(got.height, want.height);
    int reported = 0;
    for (int y = 0; y < got.height; ++y) {
        for (int x = 0; x < got.width; ++x) {
            const std::uint32_t a = at(got, x, y);
            const std::uint32_t b = at(want, x, y);
            for (int shift = 0; shift < 24; shift += 8) {
                const int diff = std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                          static_cast<int>((b >> shift) & 0xFF));
                if (diff > tolerance && reported < 5) {
                    ADD_FAILURE() << "pixel (" << x << ", " << y << ") got 0x" << std::hex << a
                                  << " want 0x" << b;
                    ++reported;
                }
            }
        }
    }
}

struct GoodCase {
    const char* file;
    int width, height, bpp;
};

TEST(BmpSuite, EveryUncompressedGoodFileDecodes) {
    const GoodCase cases[] = {
        {"pal1.bmp", 127, 64, 1},          {"pal1bg.bmp", 127, 64, 1},
        {"pal1wb.bmp", 127, 64, 1},        {"pal4.bmp", 127, 64, 4},
        {"pal4gs.bmp", 127, 64, 4},        {"pal8-0.bmp", 127, 64, 8},
        {"pal8.bmp", 127, 64, 8},          {"pal8gs.bmp", 127, 64, 8},
        {"pal8nonsquare.bmp", 127, 32, 8}, {"pal8os2.bmp", 127, 64, 8},
        {"pal8topdown.bmp", 127, 64, 8},   {"pal8v4.bmp", 127, 64, 8},
        {"pal8v5.bmp", 127, 64, 8},        {"pal8w124.bmp", 124, 61, 8},
        {"pal8w125.bmp", 125, 62, 8},      {"pal8w126.bmp", 126, 63, 8},
        {"rgb16-565.bmp", 127, 64, 16},    {"rgb16-565pal.bmp", 127, 64, 16},
        {"rgb16.bmp", 127, 64, 16},        {"rgb16bfdef.bmp", 127, 64, 16},
        {"rgb24.bmp", 127, 64, 24},        {"rgb24pal.bmp", 127, 64, 24},
        {"rgb32.bmp", 127, 64, 32},        {"rgb32bf.bmp", 127, 64, 32},
        {"rgb32bfdef.bmp", 127, 64, 32},
    };
    for (const GoodCase& c : cases) {
        SCOPED_TRACE(c.file);
        DecodedDib dib;
        ASSERT_EQ(decode_file(std::string("good/") + c.file, dib), DibError::None);
        EXPECT_EQ(dib.width, c.width);
        EXPECT_EQ(dib.height, c.height);
        EXPECT_EQ(dib.bits_per_pixel, c.bpp);
        const std::size_t pixels = static_cast<std::size_t>(c.width) * c.height;
        EXPECT_EQ(c.bpp <= 8 ? dib.indices.size() : dib.colors.size(), pixels);
    }
}

TEST(BmpSuite, RunLengthFilesAreRefusedAsUnsupported) {
    for (const char* file : {"good/pal4rle.bmp", "good/pal8rle.bmp"}) {
        SCOPED_TRACE(file);
        DecodedDib dib;
        EXPECT_EQ(decode_file(file, dib), DibError::Unsupported);
    }
}

struct FamilyCase {
    const char* reference;
    const char* member;
    int tolerance;  // per channel; 5-bit channels lose up to 4
};

TEST(BmpSuite, MembersOfAFamilyAgreePixelForPixel) {
    const FamilyCase cases[] = {
        {"pal8.bmp", "pal8topdown.bmp", 0},
        {"pal8.bmp", "pal8os2.bmp", 0},
        {"pal8.bmp", "pal8v4.bmp", 0},
        {"pal8.bmp", "pal8v5.bmp", 0},
        {"pal8.bmp", "pal8-0.bmp", 0},
        {"pal8.bmp", "pal8w124.bmp", 0},
        {"pal8.bmp", "pal8w125.bmp", 0},
        {"pal8.bmp", "pal8w126.bmp", 0},
        {"pal1.bmp", "pal1wb.bmp", 0},
        {"rgb24.bmp", "rgb24pal.bmp", 0},
        {"rgb24.bmp", "rgb32.bmp", 0},
        {"rgb24.bmp", "rgb32bf.bmp", 0},
        {"rgb24.bmp", "rgb32bfdef.bmp", 0},
        {"rgb16.bmp", "rgb16bfdef.bmp", 0},
        {"rgb16-565.bmp", "rgb16-565pal.bmp", 0},
        {"rgb24.bmp", "rgb16.bmp", 4},
        {"rgb24.bmp", "rgb16-565.bmp", 4},
    };
    for (const FamilyCase& c : cases) {
        SCOPED_TRACE(std::string(c.member) + " against " + c.reference);
        const Picture want = decode_picture(std::string("good/") + c.reference);
        const Picture got = decode_picture(std::string("good/") + c.member);
        expect_same_picture(got, want, c.tolerance);
    }
}

TEST(BmpSuite, SameIndicesUnderOtherTables) {
    // pal1bg paints pal1's pattern in two other colours; pal1wb swaps the entries.
    DecodedDib pal1, bg, wb;
    ASSERT_EQ(decode_file("good/pal1.bmp", pal1), DibError::None);
    ASSERT_EQ(decode_file("good/pal1bg.bmp", bg), DibError::None);
    ASSERT_EQ(decode_file("good/pal1wb.bmp", wb), DibError::None);
    EXPECT_EQ(bg.indices, pal1.indices);
    ASSERT_EQ(wb.indices.size(), pal1.indices.size());
    for (std::size_t i = 0; i < pal1.indices.size(); ++i) {
        ASSERT_EQ(wb.indices[i], 1 - pal1.indices[i]) << "pixel " << i;
    }
}

TEST(BmpSuite, GreyscaleVariantsAreGrey) {
    for (const char* file : {"good/pal8gs.bmp", "good/pal4gs.bmp"}) {
        SCOPED_TRACE(file);
        const Picture p = decode_picture(file);
        for (std::size_t i = 0; i < p.rgb.size(); ++i) {
            const std::uint32_t c = p.rgb[i];
            ASSERT_TRUE((c & 0xFF) == ((c >> 8) & 0xFF) && (c & 0xFF) == ((c >> 16) & 0xFF))
                << "pixel " << i << " is 0x" << std::hex << c;
        }
    }
}

struct PixelCase {
    const char* file;
    int x, y;  // from the top-left corner as shown
    std::uint32_t rgb;
};

TEST(BmpSuite, ChosenPixelsHaveTheirColours) {
    const PixelCase cases[] = {
        {"pal8.bmp", 0, 0, 0x000000FF},  // index 5: red
        {"pal8.bmp", 0, 63, 0x00000000},      {"pal8.bmp", 64, 32, 0x00FFFFFF},
        {"pal8.bmp", 10, 5, 0x003355CC},       // index 58: 204, 85, 51
        {"pal8.bmp", 126, 0, 0x00CCAA99},      // index 195: 153, 170, 204
        {"pal8os2.bmp", 126, 63, 0x00665566},  // index 98: 102, 85, 102
        {"pal4.bmp", 0, 0, 0x000000FF},        // index 1: red
        {"pal4.bmp", 64, 32, 0x00FFFFFF},      // index 11: white
        {"pal1.bmp", 0, 0, 0x00FFFFFF},       {"pal1.bmp", 1, 0, 0x00000000},
        {"pal1wb.bmp", 0, 0, 0x00FFFFFF},     {"rgb24.bmp", 0, 0, 0x000000FF},
        {"rgb24.bmp", 126, 0, 0x00BD9F9F},   // 159, 159, 189
        {"rgb24.bmp", 10, 5, 0x005252EB},    // 235, 82, 82
        {"rgb24.bmp", 126, 63, 0x007E6060},  // 96, 96, 126
        {"rgb32bf.bmp", 10, 5, 0x005252EB},   {"rgb16.bmp", 0, 0, 0x000000FF},
    };
    for (const PixelCase& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " at " + std::to_string(c.x) + ", " +
                     std::to_string(c.y));
        const Picture p = decode_picture(std::string("good/") + c.file);
        EXPECT_EQ(at(p, c.x, c.y), c.rgb) << std::hex << "got 0x" << at(p, c.x, c.y);
    }
}

struct BadCase {
    const char* file;
    DibError expected;  // None: decoded safely in spite of the damage
};

TEST(BmpSuite, BrokenFilesAreRefusedOrDecodedWithinTheirBuffers) {
    const BadCase cases[] = {
        {"badbitcount.bmp", DibError::BadBitCount},
        {"badbitssize.bmp", DibError::None},  // the image-size field is not trusted
        {"baddens1.bmp", DibError::None},     // density does not matter
        {"baddens2.bmp", DibError::None},
        {"badfilesize.bmp", DibError::None},  // the file header is not the decoder's
        {"badheadersize.bmp", DibError::BadHeaderSize},
        {"badpalettesize.bmp", DibError::ColorTableTooLarge},
        {"badplanes.bmp", DibError::BadBitCount},
        {"badrle.bmp", DibError::Unsupported},
        {"badrle4.bmp", DibError::Unsupported},
        {"badrle4bis.bmp", DibError::Unsupported},
        {"badrle4ter.bmp", DibError::Unsupported},
        {"badrlebis.bmp", DibError::Unsupported},
        {"badrleter.bmp", DibError::Unsupported},
        {"badwidth.bmp", DibError::BadDimensions},
        {"pal8badindex.bmp", DibError::None},
        {"reallybig.bmp", DibError::BadDimensions},
        {"rgb16-880.bmp", DibError::None},  // the empty blue channel reads 0
        {"rletopdown.bmp", DibError::BadDimensions},
        {"shortfile.bmp", DibError::TruncatedBits},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.file);
        DecodedDib dib;
        const DibError error = decode_file(std::string("bad/") + c.file, dib);
        EXPECT_EQ(error, c.expected) << "got " << gdi::dib::to_string(error);
    }
}

TEST(BmpSuite, IndicesPastTheTableShowBlack) {
    // pal8badindex has a 101-entry table; pixel (8, 0) holds index 102, pixel (0, 0) index 6.
    DecodedDib dib;
    ASSERT_EQ(decode_file("bad/pal8badindex.bmp", dib), DibError::None);
    EXPECT_EQ(dib.color_count, 101u);
    ASSERT_EQ(dib.indices.at(8), 102);
    const Picture p = to_picture(dib);
    EXPECT_EQ(at(p, 8, 0), 0x00000000u);
    EXPECT_EQ(at(p, 0, 0), 0x000000FFu);
}

TEST(BmpSuite, EmptyBlueChannelKeepsRedAndGreen) {
    // rgb16-880: red 0xFF00, green 0x00FF, blue none; the reference is pure red at (0, 0).
    const Picture p = decode_picture("bad/rgb16-880.bmp");
    EXPECT_EQ(at(p, 0, 0), 0x000000FFu);
    for (std::size_t i = 0; i < p.rgb.size(); ++i) {
        ASSERT_EQ(p.rgb[i] & 0x00FF0000u, 0u) << "pixel " << i;
    }
}

// A bitmap resource holds the DIB without the file header: one buffer, bits after the table.
TEST(BmpSuite, PackedDibsFindTheirBitsAfterTheTable) {
    for (const char* file : {"good/pal8.bmp", "good/pal8os2.bmp", "good/pal8v5.bmp",
                             "good/pal4.bmp", "good/rgb16-565.bmp", "good/rgb24pal.bmp"}) {
        SCOPED_TRACE(file);
        BmpFile bmp;
        ASSERT_TRUE(load_bmp(file, bmp));
        const std::span<const std::uint8_t> dib_bytes =
            std::span<const std::uint8_t>(bmp.bytes).subspan(14);
        const dibtest::ExactBuffer packed(dib_bytes);
        gdi::dib::DibHeaderInfo info{};
        ASSERT_EQ(gdi::dib::read_dib_header(packed.data(), packed.size(), info), DibError::None);
        EXPECT_EQ(info.bits_offset + 14, bmp.bytes.size() - bmp.bits.size());
        DecodedDib from_packed, from_file;
        ASSERT_EQ(decode_dib(packed.data(), packed.size(), packed.data() + info.bits_offset,
                             packed.size() - info.bits_offset, from_packed),
                  DibError::None);
        ASSERT_EQ(decode_file(file, from_file), DibError::None);
        EXPECT_EQ(from_packed.indices, from_file.indices);
        EXPECT_EQ(from_packed.colors, from_file.colors);
    }
}

}  // namespace
