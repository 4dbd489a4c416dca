// WaveFilesTest.cpp: the committed waves of res/sounds, byte by byte against their layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t le(const Bytes& b, std::size_t at, int width) {  // little-endian, 2 or 4 bytes
    std::uint32_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = value << 8 | b[at + static_cast<std::size_t>(i)];
    }
    return value;
}

std::string tag(const Bytes& b, std::size_t at) {
    return {b.begin() + static_cast<std::ptrdiff_t>(at),
            b.begin() + static_cast<std::ptrdiff_t>(at + 4)};
}

constexpr std::size_t kHeaderBytes = 58;  // RIFF 12 + fmt 8+18 + fact 8+4 + data header 8

struct WaveCase {
    std::string name;
    int channels;
    std::uint32_t rate, avg_bytes, min_frames, max_frames;  // avg_bytes: rate x block align
};

// Lengths: 1.68 s at 11,025/s is 18,522 frames; 2.06 s at 22,050/s is 45,423;
// a digit runs 0.54 s to 0.97 s at 22,050/s, 11,907 to 21,388 frames.
std::vector<WaveCase> Waves() {
    std::vector<WaveCase> waves{{"farewell.wav", 2, 11025, 22050, 18522, 18522},
                                {"announce.wav", 1, 22050, 22050, 45423, 45423}};
    for (char d = '0'; d <= '9'; ++d) {
        waves.push_back({std::string("digit") + d + ".wav", 1, 22050, 22050, 11907, 21388});
    }
    return waves;
}

// One pass per file: the chunk layout, 8-bit PCM format, sizes with the pad byte, the length,
// and speech: loud near -1 dBFS (silence 128, peak about 128 +- 114), never at the rails,
// quiet at both ends so consecutive digits do not click, and no wave a copy of another.
TEST(WaveFiles, LayoutFormatLengthAndSpeech) {
    std::vector<std::vector<std::uint8_t>> seen;
    for (const auto& c : Waves()) {
        SCOPED_TRACE(c.name);
        std::ifstream in(std::string(PILO_SOURCE_DIR) + "/res/sounds/" + c.name, std::ios::binary);
        const Bytes b{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        ASSERT_GT(b.size(), kHeaderBytes);
        EXPECT_EQ(tag(b, 0) + tag(b, 8) + tag(b, 12) + tag(b, 38) + tag(b, 50),
                  "RIFFWAVEfmt factdata");
        // fmt size 18, fact size 4; PCM, channels, rate, bytes a second, block align (a byte a
        // channel), 8 bits, no extra format bytes.
        EXPECT_EQ((std::vector<std::uint32_t>{le(b, 16, 4), le(b, 42, 4), le(b, 20, 2),
                                              le(b, 22, 2), le(b, 24, 4), le(b, 28, 4),
                                              le(b, 32, 2), le(b, 34, 2), le(b, 36, 2)}),
                  (std::vector<std::uint32_t>{18, 4, 1, std::uint32_t(c.channels), c.rate,
                                              c.avg_bytes, std::uint32_t(c.channels), 8, 0}));
        const std::uint32_t data = le(b, 54, 4);
        const std::size_t pad = data % 2;
        ASSERT_EQ(b.size(), kHeaderBytes + data + pad) << "data " << data;
        EXPECT_EQ(le(b, 4, 4), b.size() - 8);  // the pad byte counts in the RIFF size
        EXPECT_TRUE(pad == 0 || b.back() == 0) << "pad byte";
        EXPECT_EQ(data % static_cast<std::uint32_t>(c.channels), 0u) << "whole frames";
        const std::uint32_t frames = data / static_cast<std::uint32_t>(c.channels);
        EXPECT_EQ(le(b, 46, 4), frames);
        EXPECT_GE(frames, c.min_frames);
        EXPECT_LE(frames, c.max_frames);
        const auto first = b.begin() + kHeaderBytes;
        const auto last = first + data;
        const auto [lo, hi] = std::minmax_element(first, last);
        EXPECT_GE(std::max(128 - *lo, *hi - 128), 100) << "too quiet";
        EXPECT_GT(*lo, 0) << "clipped low";
        EXPECT_LT(*hi, 255) << "clipped high";
        EXPECT_EQ(*first, 0x80);
        EXPECT_EQ(*(last - 1), 0x80);
        EXPECT_EQ(std::count(seen.begin(), seen.end(), b), 0) << "repeats a wave";
        seen.push_back(b);
    }
}

}  // namespace
