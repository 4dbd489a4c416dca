// PngFileTest.cpp: PNG files written and read as COLORREF pixels, and refusals of bad input.
#include "platform/win32/gdi/png/PngFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using gdi::png::kMaxSide;
using gdi::png::read_rgb;
using gdi::png::write_rgb;

// A fresh directory per test, removed afterwards.
class PngFile : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() /
                (std::string("pilo_png_") + info->name() + "_" + std::to_string(::getpid()));
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string path(const char* name) const { return (m_dir / name).string(); }

    void write_bytes(const std::string& file, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }

    fs::path m_dir;
};

// Made by hand: 2 x 2 RGB, rows (255,0,0) (0,0,255) / (0,128,0) (10,20,30).
const std::vector<std::uint8_t> kRgb2x2 = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
    0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x02, 0x00, 0x00, 0x00, 0xFD, 0xD4, 0x9A,
    0x73, 0x00, 0x00, 0x00, 0x13, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8, 0xCF, 0x00, 0x04,
    0x40, 0xA2, 0x81, 0x81, 0x4B, 0x44, 0x0E, 0x00, 0x17, 0xDD, 0x02, 0xBB, 0x9E, 0x7B, 0x77, 0xA9,
    0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
// 1 x 1 8-bit grey 77.
const std::vector<std::uint8_t> kGray1x1 = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48,
    0x44, 0x52, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01, 0x08, 0x00, 0x00, 0x00,
    0x00, 0x3A, 0x7E, 0x9B, 0x55, 0x00, 0x00, 0x00, 0x0A, 0x49, 0x44, 0x41, 0x54, 0x78,
    0x9C, 0x63, 0xF0, 0x05, 0x00, 0x00, 0x4F, 0x00, 0x4E, 0x69, 0x8B, 0x01, 0x6C, 0x00,
    0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
// 2 x 1 RGBA: white fully transparent, (200,100,50) opaque.
const std::vector<std::uint8_t> kRgba2x1 = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0xF4,
    0x22, 0x7F, 0x8A, 0x00, 0x00, 0x00, 0x11, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8,
    0xFF, 0xFF, 0x3F, 0xC3, 0x89, 0x14, 0xA3, 0xFF, 0x00, 0x1A, 0xA3, 0x05, 0x5B, 0x01, 0xD7,
    0x06, 0x2D, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

struct KnownFileCase {
    const char* name;
    const std::vector<std::uint8_t>* bytes;
    int width, height;
    std::vector<std::uint32_t> pixels;  // 0x00bbggrr
};

TEST_F(PngFile, ReadsKnownFilesAsColorrefs) {
    const KnownFileCase cases[] = {
        {"RGB: red, blue / dark green, (10,20,30)",
         &kRgb2x2,
         2,
         2,
         {0x000000FF, 0x00FF0000, 0x00008000, 0x001E140A}},
        {"grey widens to three equal channels", &kGray1x1, 1, 1, {0x004D4D4D}},
        {"transparency composited onto black", &kRgba2x1, 2, 1, {0x00000000, 0x003264C8}},
    };
    for (const KnownFileCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = path("known.png");
        write_bytes(file, *c.bytes);
        int w = 0, h = 0;
        std::vector<std::uint32_t> pixels;
        ASSERT_TRUE(read_rgb(file, w, h, pixels));
        EXPECT_EQ(w, c.width);
        EXPECT_EQ(h, c.height);
        EXPECT_EQ(pixels, c.pixels);
    }
}

TEST_F(PngFile, RoundTripKeepsEveryChannelAndDropsTheTopByte) {
    // 3 x 2 with every channel distinct, so a swapped channel or row shows.
    const std::vector<std::uint32_t> written = {0x00010203, 0x00FF0000, 0xAB00FF00,
                                                0x000000FF, 0x00808080, 0xFFFFFFFF};
    const std::vector<std::uint32_t> expected = {0x00010203, 0x00FF0000, 0x0000FF00,
                                                 0x000000FF, 0x00808080, 0x00FFFFFF};
    const std::string file = path("round.png");
    ASSERT_TRUE(write_rgb(file, 3, 2, written));
    int w = 0, h = 0;
    std::vector<std::uint32_t> pixels;
    ASSERT_TRUE(read_rgb(file, w, h, pixels));
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(pixels, expected);
}

TEST_F(PngFile, WritesTheLargestSide) {
    const std::vector<std::uint32_t> row(kMaxSide, 0x00123456);
    const std::string file = path("wide.png");
    ASSERT_TRUE(write_rgb(file, kMaxSide, 1, row));
    int w = 0, h = 0;
    std::vector<std::uint32_t> pixels;
    ASSERT_TRUE(read_rgb(file, w, h, pixels));
    EXPECT_EQ(w, kMaxSide);
    EXPECT_EQ(pixels.back(), 0x00123456u);
}

struct BadWriteCase {
    const char* name;
    const char* file;  // inside the test directory; nullptr for an empty path
    int width, height;
    std::size_t pixel_count;
};

TEST_F(PngFile, BadWritesFailAndLeaveNoFile) {
    const BadWriteCase cases[] = {
        {"width 0", "a.png", 0, 1, 0},
        {"height 0", "a.png", 1, 0, 0},
        {"negative width", "a.png", -2, -3, 6},
        {"wider than the limit", "a.png", kMaxSide + 1, 1, kMaxSide + 1},
        {"one pixel short", "a.png", 2, 2, 3},
        {"one pixel too many", "a.png", 2, 2, 5},
        {"missing directory", "no/such/dir/a.png", 1, 1, 1},
        {"empty path", nullptr, 1, 1, 1},
    };
    for (const BadWriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<std::uint32_t> pixels(c.pixel_count, 0x00FFFFFF);
        const std::string file = c.file ? path(c.file) : std::string();
        EXPECT_FALSE(write_rgb(file, c.width, c.height, pixels));
        if (c.file) {
            EXPECT_FALSE(fs::exists(file));
        }
    }
    EXPECT_TRUE(fs::is_empty(m_dir));
}

TEST_F(PngFile, WritingOverADirectoryFails) {
    const std::vector<std::uint32_t> pixels(1, 0);
    EXPECT_FALSE(write_rgb(m_dir.string(), 1, 1, pixels));
    EXPECT_TRUE(fs::is_directory(m_dir));
}

TEST_F(PngFile, BadReadsFailAndLeaveTheOutputsAlone) {
    std::vector<std::uint8_t> cut(kRgb2x2.begin(), kRgb2x2.begin() + 45);
    std::vector<std::uint8_t> bad_crc = kRgb2x2;
    bad_crc[30] ^= 0xFF;  // inside the header chunk's CRC
    std::vector<std::uint8_t> too_wide = kRgb2x2;
    too_wide[18] = 0x40;  // width 0x00400002, past the limit (CRC left alone: refused anyway)
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
        bool create;
    } cases[] = {
        {"missing file", {}, false},
        {"empty file", {}, true},
        {"not a PNG", {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0}, true},
        {"cut in the image data", cut, true},
        {"damaged header checksum", bad_crc, true},
        {"width past the limit", too_wide, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = path("bad.png");
        fs::remove(file);
        if (c.create) {
            write_bytes(file, c.bytes);
        }
        int w = 7, h = 9;
        std::vector<std::uint32_t> pixels = {42};
        EXPECT_FALSE(read_rgb(file, w, h, pixels));
        EXPECT_EQ(w, 7);
        EXPECT_EQ(h, 9);
        EXPECT_EQ(pixels, std::vector<std::uint32_t>{42});
    }
}

}  // namespace
