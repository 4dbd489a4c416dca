// WaveFilesTest.cpp: the committed waves of res/sounds, byte by byte against their layout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::uint8_t> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}

std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::string tag(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(at),
                       b.begin() + static_cast<std::ptrdiff_t>(at + 4));
}

constexpr std::size_t kHeaderBytes = 58;  // RIFF 12 + fmt 8+18 + fact 8+4 + data header 8

struct WaveCase {
    std::string name;
    int channels;
    std::uint32_t rate;
    std::uint32_t avg_bytes;  // rate x block align
    std::uint32_t min_frames;
    std::uint32_t max_frames;
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

std::string wave_path(const std::string& name) {
    return std::string(PILO_SOURCE_DIR) + "/res/sounds/" + name;
}

// One pass per file: the chunk layout, 8-bit PCM format, sizes with the pad byte, the length,
// and speech: loud near -1 dBFS (silence 128, peak about 128 +- 114), never at the rails,
// quiet at both ends so consecutive digits do not click, and no wave a copy of another.
TEST(WaveFiles, LayoutFormatLengthAndSpeech) {
    std::vector<std::vector<std::uint8_t>> seen;
    for (const auto& c : Waves()) {
        SCOPED_TRACE(c.name);
        const auto b = read_file(wave_path(c.name));
        ASSERT_GT(b.size(), kHeaderBytes);
        EXPECT_EQ(tag(b, 0) + tag(b, 8) + tag(b, 12) + tag(b, 38) + tag(b, 50),
                  "RIFFWAVEfmt factdata");
        EXPECT_EQ(u32(b, 16), 18u);
        EXPECT_EQ(u32(b, 42), 4u);
        EXPECT_EQ(u16(b, 20), 1);  // PCM
        EXPECT_EQ(u16(b, 22), c.channels);
        EXPECT_EQ(u32(b, 24), c.rate);
        EXPECT_EQ(u32(b, 28), c.avg_bytes);
        EXPECT_EQ(u16(b, 32), c.channels);  // block align: one byte per channel
        EXPECT_EQ(u16(b, 34), 8);
        EXPECT_EQ(u16(b, 36), 0);  // cbSize
        const std::uint32_t data = u32(b, 54);
        const std::size_t pad = data % 2;
        ASSERT_EQ(b.size(), kHeaderBytes + data + pad) << "data " << data;
        EXPECT_EQ(u32(b, 4), b.size() - 8);  // the pad byte counts in the RIFF size
        EXPECT_TRUE(pad == 0 || b.back() == 0) << "pad byte";
        EXPECT_EQ(data % static_cast<std::uint32_t>(c.channels), 0u) << "whole frames";
        const std::uint32_t frames = data / static_cast<std::uint32_t>(c.channels);
        EXPECT_EQ(u32(b, 46), frames);
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
