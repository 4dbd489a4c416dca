// FrameTest.cpp: frame checks, palette conversion and wave durations.
#include "platform/host/Host.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using host::Frame;
using host::PixelFormat;

std::array<std::uint32_t, 256> grey_palette() {
    std::array<std::uint32_t, 256> p{};
    for (std::size_t i = 0; i < p.size(); ++i) {
        const auto v = static_cast<std::uint8_t>(i);
        p[i] = host::rgb(v, v, v);
    }
    return p;
}

TEST(Frame, IndicesGoThroughThePaletteAndStrideSkipsPadding) {
    auto palette = grey_palette();
    palette[0] = host::rgb(0, 128, 128);
    palette[7] = host::rgb(0xC0, 0xC0, 0xC0);
    palette[255] = 0xFF123456;  // stray high byte is dropped
    // 3 x 2 with stride 4: the fourth byte of each row is padding (value 9).
    const std::uint8_t indices[] = {0, 7, 255, 9, 7, 0, 1, 9};
    Frame f;
    f.width = 3;
    f.height = 2;
    f.stride = 4;
    f.indices = indices;
    f.palette = palette;
    std::vector<std::uint32_t> out(6, 0xDEADBEEF);
    ASSERT_TRUE(host::convert_to_rgb(f, out));
    const std::uint32_t expected[] = {0x008080, 0xC0C0C0, 0x123456, 0xC0C0C0, 0x008080, 0x010101};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(out[i], expected[i]) << "pixel " << i;
    }
}

TEST(Frame, PaletteChangeRecoloursTheSameIndices) {
    auto palette = grey_palette();
    const std::uint8_t indices[] = {10, 20};
    Frame f;
    f.width = 2;
    f.height = 1;
    f.stride = 2;
    f.indices = indices;
    f.palette = palette;
    std::vector<std::uint32_t> out(2);
    ASSERT_TRUE(host::convert_to_rgb(f, out));
    EXPECT_EQ(out[0], 0x0A0A0Au);
    palette[10] = host::rgb(255, 0, 0);
    ASSERT_TRUE(host::convert_to_rgb(f, out));
    EXPECT_EQ(out[0], 0xFF0000u);
    EXPECT_EQ(out[1], 0x141414u);
}

TEST(Frame, Rgb32PixelsPassThroughWithoutTheHighByte) {
    const std::uint32_t pixels[] = {0xFF00FF00, 0x00ABCDEF, 0x1, 0x2};
    Frame f;
    f.width = 1;
    f.height = 2;
    f.stride = 2;
    f.format = PixelFormat::Rgb32;
    f.pixels = pixels;
    std::vector<std::uint32_t> out(2);
    ASSERT_TRUE(host::convert_to_rgb(f, out));
    EXPECT_EQ(out[0], 0x0000FF00u);
    EXPECT_EQ(out[1], 0x00000001u);
}

TEST(Frame, InvalidFramesAreRefusedAndNothingIsWritten) {
    const auto palette = grey_palette();
    std::vector<std::uint8_t> indices(12, 1);
    struct Case {
        const char* name;
        int width, height;
        std::size_t stride;
        std::size_t index_count;
        std::size_t palette_count;
        std::size_t out_count;
    };
    const Case cases[] = {
        {"zero width", 0, 2, 4, 12, 256, 12},         {"negative height", 3, -1, 4, 12, 256, 12},
        {"stride below width", 4, 2, 3, 12, 256, 12}, {"indices one short", 4, 3, 4, 11, 256, 12},
        {"palette short", 4, 3, 4, 12, 255, 12},      {"output short", 4, 3, 4, 12, 256, 11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Frame f;
        f.width = c.width;
        f.height = c.height;
        f.stride = c.stride;
        f.indices = std::span(indices).first(c.index_count);
        f.palette = std::span(palette).first(c.palette_count);
        std::vector<std::uint32_t> out(c.out_count, 0xDEADBEEF);
        EXPECT_FALSE(host::convert_to_rgb(f, out));
        for (auto v : out) {
            ASSERT_EQ(v, 0xDEADBEEFu);
        }
    }
    // The last row needs no padding after it.
    Frame f;
    f.width = 4;
    f.height = 3;
    f.stride = 4;
    f.indices = indices;
    f.palette = palette;
    EXPECT_TRUE(f.valid());
    f.stride = 5;
    EXPECT_FALSE(f.valid());  // 5 x 2 + 4 = 14 bytes needed, 12 given
}

TEST(WaveDuration, WholeFramesRoundedUpToMilliseconds) {
    struct Case {
        const char* name;
        host::WaveFormat format;
        std::size_t bytes;
        std::uint64_t expected;
    };
    const Case cases[] = {
        {"8-bit mono 22050, one second", {1, 22050, 8}, 22050, 1000},
        {"8-bit stereo 11025, 1.68 s", {2, 11025, 8}, 37044, 1680},
        {"16-bit stereo 44100, half second", {2, 44100, 16}, 88200, 500},
        {"one frame rounds up", {1, 11025, 8}, 1, 1},
        {"partial frame ignored", {2, 22050, 16}, 3, 0},
        {"empty", {1, 22050, 8}, 0, 0},
        {"no channels", {0, 22050, 8}, 100, 0},
        {"no rate", {1, 0, 8}, 100, 0},
        {"4-bit gives no whole bytes", {1, 22050, 4}, 100, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(host::wave_duration_ms(c.format, c.bytes), c.expected);
    }
}

}  // namespace
