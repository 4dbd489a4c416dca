// PngFileTest.cpp: PNG files written and read as COLORREF pixels, and refusals of bad input.
#include "platform/win32/gdi/png/PngFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <string>
#include <tuple>
#include <vector>
#include <zlib.h>

namespace {

namespace fs = std::filesystem;
using gdi::png::kMaxSide;
using gdi::png::read_rgb;
using gdi::png::write_rgb;
using Pixels = std::vector<std::uint32_t>;

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

    // Writes the bytes to a file of the test directory; returns its path.
    std::string write_bytes(const char* name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream(path(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        return path(name);
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
// 2 x 1 RGBA: white fully transparent, (200,100,50) opaque.
const std::vector<std::uint8_t> kRgba2x1 = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x08, 0x06, 0x00, 0x00, 0x00, 0xF4,
    0x22, 0x7F, 0x8A, 0x00, 0x00, 0x00, 0x11, 0x49, 0x44, 0x41, 0x54, 0x78, 0x9C, 0x63, 0xF8,
    0xFF, 0xFF, 0x3F, 0xC3, 0x89, 0x14, 0xA3, 0xFF, 0x00, 0x1A, 0xA3, 0x05, 0x5B, 0x01, 0xD7,
    0x06, 0x2D, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

// What read_rgb answers for a file and leaves in width, height and pixels, first 7, 9 and {42}.
std::tuple<bool, int, int, Pixels> read(const std::string& file) {
    int w = 7, h = 9;
    Pixels pixels = {42};
    const bool ok = read_rgb(file, w, h, pixels);
    return {ok, w, h, pixels};
}

TEST_F(PngFile, ReadsKnownFilesAndWhatItWrites) {
    const std::tuple<const std::vector<std::uint8_t>*, int, int, Pixels> cases[] = {
        {&kRgb2x2, 2, 2, {0x0000FF, 0xFF0000, 0x008000, 0x1E140A}},
        {&kRgba2x1, 2, 1, {0x000000, 0x3264C8}},  // composited onto black
    };
    for (const auto& [bytes, width, height, want] : cases) {
        EXPECT_EQ(read(write_bytes("known.png", *bytes)), std::tuple(true, width, height, want));
    }
    // Every channel distinct, so a swapped channel or row shows; the top byte is dropped.
    const Pixels written = {0x010203, 0xFF0000, 0xAB00FF00, 0xFF, 0x808080, 0xFFFFFFFF};
    ASSERT_TRUE(write_rgb(path("round.png"), 3, 2, written));
    EXPECT_EQ(
        read(path("round.png")),
        std::tuple(true, 3, 2, Pixels{0x010203, 0xFF0000, 0x00FF00, 0xFF, 0x808080, 0xFFFFFF}));
    const Pixels wide(kMaxSide, 0x123456);
    ASSERT_TRUE(write_rgb(path("wide.png"), kMaxSide, 1, wide));
    EXPECT_EQ(read(path("wide.png")), std::tuple(true, kMaxSide, 1, wide)) << "the largest side";
}

TEST_F(PngFile, BadWritesAndReadsFailAndLeaveNothingBehind) {
    // clang-format off
    struct Case { const char* file; /* inside the test directory; nullptr for an empty path */ int width, height; std::size_t pixels; };
    const Case cases[] = {
        {"a.png", 0, 1, 0}, {"a.png", 1, 0, 0}, {"a.png", -2, -3, 6}, {"a.png", kMaxSide + 1, 1, kMaxSide + 1},
        {"a.png", 2, 2, 3} /* one pixel short */, {"a.png", 2, 2, 5} /* one too many */,
        {"no/such/dir/a.png", 1, 1, 1}, {nullptr, 1, 1, 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        const Pixels pixels(c.pixels, 0xFFFFFF);
        EXPECT_FALSE(write_rgb(c.file ? path(c.file) : "", c.width, c.height, pixels)) << c.width;
    }
    EXPECT_FALSE(write_rgb(m_dir.string(), 1, 1, Pixels{0})) << "over a directory";
    EXPECT_TRUE(fs::is_empty(m_dir));
    std::vector<std::uint8_t> bad_crc = kRgb2x2, too_wide = kRgb2x2,
                              bmp = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0};
    bad_crc[30] ^= 0xFF;  // inside the header chunk's CRC
    too_wide[18] = 0x40;  // width 0x4001, one past the largest side, under a matching CRC
    too_wide[19] = 0x01;
    for (uLong crc = crc32(0, &too_wide[12], 17), i = 0; i < 4; ++i) {
        too_wide[29 + i] = std::uint8_t(crc >> (24 - 8 * i));
    }
    const std::vector<std::uint8_t> cut(kRgb2x2.begin(), kRgb2x2.begin() + 45);
    const auto refused = std::tuple(false, 7, 9, Pixels{42});
    for (const auto& bad : {std::vector<std::uint8_t>{}, bmp, cut, bad_crc, too_wide}) {
        EXPECT_EQ(read(write_bytes("bad.png", bad)), refused) << bad.size();
    }
    EXPECT_EQ(read(path("missing.png")), refused);
}

}  // namespace
