// WaveParserTest.cpp: RIFF/WAVE images, good and malformed, through parse_wave.
#include "platform/win32/mm/WaveParser.h"
#include "tests/mm/WaveImage.h"

#include <gtest/gtest.h>

namespace {

using mm::WaveError;
using namespace wavetest;

Bytes with_align(Bytes fmt, std::uint16_t align) {
    fmt[12] = std::byte(align & 0xFF);
    fmt[13] = std::byte(align >> 8);
    return fmt;
}

Bytes plus(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Bytes kFact = chunk("fact", samples({5, 0, 0, 0}));
const Bytes kFive = samples({0x80, 0x01, 0xFF, 0x7F, 0x80});

struct Case {
    const char* name;
    Bytes image;
    WaveError error;
    std::uint16_t channels = 0;
    std::uint32_t rate = 0;
    std::uint16_t bits = 0;
    std::size_t offset = 0;  // where the samples start in the image
    std::size_t length = 0;  // whole frames only
};

const Case kCases[] = {
    // RIFF 12 + fmt 8+18 + fact 8+4 + data header 8: samples at 58.
    {"8-bit mono 22050 with fact",
     riff({chunk("fmt ", fmt_body(1, 1, 22050, 8)), kFact, chunk("data", kFive)}), WaveError::None,
     1, 22050, 8, 58, 5},
    {"8-bit stereo 11025 drops the half frame",
     riff({chunk("fmt ", fmt_body(1, 2, 11025, 8)), kFact, chunk("data", kFive)}), WaveError::None,
     2, 11025, 8, 58, 4},
    // RIFF 12 + fmt 8+16 + data header 8: samples at 44.
    {"16-bit stereo 44100, 16-byte fmt, no fact",
     riff({chunk("fmt ", fmt_body(1, 2, 44100, 16, 16)),
           chunk("data", samples({1, 2, 3, 4, 5, 6, 7, 8, 9}))}),
     WaveError::None, 2, 44100, 16, 44, 8},
    {"16-bit mono 22050", riff({chunk("fmt ", fmt_body(1, 1, 22050, 16)), chunk("data", kFive)}),
     WaveError::None, 1, 22050, 16, 46, 4},
    // LIST 8+3+pad 1 = 12, so fmt at 24, fmt 8+16 = 24, data header 8: samples at 56.
    {"odd LIST chunk before fmt has a pad byte",
     riff({chunk("LIST", samples({'I', 'N', 'F'})), chunk("fmt ", fmt_body(1, 1, 11025, 8, 16)),
           chunk("data", kFive)}),
     WaveError::None, 1, 11025, 8, 56, 5},
    {"odd fact between fmt and data has a pad byte",
     riff({chunk("fmt ", fmt_body(1, 1, 11025, 8)), chunk("fact", samples({1, 2, 3})),
           chunk("data", kFive)}),
     WaveError::None, 1, 11025, 8, 58, 5},
    {"data before fmt is found by id",
     riff({chunk("data", samples({9, 8, 7, 6})), chunk("fmt ", fmt_body(1, 1, 8000, 8))}),
     WaveError::None, 1, 8000, 8, 20, 4},
    {"first fmt counts, a later broken one is not read",
     riff({chunk("fmt ", fmt_body(1, 1, 22050, 8)), chunk("data", kFive),
           chunk("fmt ", fmt_body(2, 0, 0, 0))}),
     WaveError::None, 1, 22050, 8, 46, 5},
    {"bytes after the RIFF are ignored",
     plus(riff({chunk("fmt ", fmt_body(1, 1, 22050, 8)), chunk("data", kFive)}),
          samples({'j', 'u', 'n', 'k', 0xFF, 0xFF, 0xFF, 0xFF})),
     WaveError::None, 1, 22050, 8, 46, 5},
    {"odd last chunk without its pad byte",
     riff({chunk("fmt ", fmt_body(1, 1, 22050, 8)), chunk("data", kFive, false)}), WaveError::None,
     1, 22050, 8, 46, 5},
    {"empty data", riff({chunk("fmt ", fmt_body(1, 1, 22050, 8)), chunk("data", {})}),
     WaveError::None, 1, 22050, 8, 46, 0},
    {"lowest rate", riff({chunk("fmt ", fmt_body(1, 1, 4000, 8)), chunk("data", kFive)}),
     WaveError::None, 1, 4000, 8, 46, 5},
    {"highest rate", riff({chunk("fmt ", fmt_body(1, 1, 48000, 8)), chunk("data", kFive)}),
     WaveError::None, 1, 48000, 8, 46, 5},

    {"empty image", {}, WaveError::TooShort},
    {"eleven bytes", samples({'R', 'I', 'F', 'F', 3, 0, 0, 0, 'W', 'A', 'V'}), WaveError::TooShort},
    {"RIFX is not RIFF", plus(samples({'R', 'I', 'F', 'X'}), Bytes(8, std::byte{0})),
     WaveError::NotRiff},
    {"AVI form", riff({chunk("fmt ", fmt_body(1, 1, 22050, 8))}, ~0u, "AVI "), WaveError::NotWave},
    {"RIFF size 0", riff({}, 0), WaveError::Truncated},
    {"RIFF size past the end",
     riff({chunk("fmt ", fmt_body(1, 1, 22050, 8)), chunk("data", kFive)}, 4 + 26 + 14 + 1),
     WaveError::Truncated},
    {"RIFF size cuts into the data",
     riff({chunk("fmt ", fmt_body(1, 1, 22050, 8)), chunk("data", kFive)}, 4 + 26 + 8 + 2),
     WaveError::Truncated},
    {"data size past the end",
     riff({chunk("fmt ", fmt_body(1, 1, 22050, 8)), chunk("data", kFive, true, 100)}),
     WaveError::Truncated},
    {"chunk size 0xFFFFFFFE",
     riff({chunk("LIST", {}, true, 0xFFFFFFFE), chunk("fmt ", fmt_body(1, 1, 22050, 8))}),
     WaveError::Truncated},
    {"fmt size past the end", riff({chunk("fmt ", fmt_body(1, 1, 22050, 8), true, 40)}),
     WaveError::Truncated},
    {"no fmt", riff({kFact, chunk("data", kFive)}), WaveError::NoFormat},
    {"no data", riff({chunk("fmt ", fmt_body(1, 1, 22050, 8)), kFact}), WaveError::NoData},
    {"no data, a stray half header at the end",
     riff({chunk("fmt ", fmt_body(1, 1, 22050, 8)), samples({'d', 'a', 't', 'a', 5, 0})}),
     WaveError::NoData},
    {"fmt of 13 bytes", riff({chunk("fmt ", fmt_body(1, 1, 22050, 8, 13)), chunk("data", kFive)}),
     WaveError::FormatTooShort},
    {"PCM fmt of 14 bytes has no bits",
     riff({chunk("fmt ", fmt_body(1, 1, 22050, 8, 14)), chunk("data", kFive)}),
     WaveError::FormatTooShort},
    {"ADPCM of 14 bytes", riff({chunk("fmt ", fmt_body(2, 1, 22050, 4, 14)), chunk("data", kFive)}),
     WaveError::NotPcm},
    {"ADPCM", riff({chunk("fmt ", fmt_body(2, 1, 22050, 4)), chunk("data", kFive)}),
     WaveError::NotPcm},
    {"float", riff({chunk("fmt ", fmt_body(3, 1, 22050, 32)), chunk("data", kFive)}),
     WaveError::NotPcm},
    {"zero channels", riff({chunk("fmt ", fmt_body(1, 0, 22050, 8)), chunk("data", kFive)}),
     WaveError::BadChannels},
    {"three channels", riff({chunk("fmt ", fmt_body(1, 3, 22050, 8)), chunk("data", kFive)}),
     WaveError::BadChannels},
    {"4 bits", riff({chunk("fmt ", fmt_body(1, 1, 22050, 4)), chunk("data", kFive)}),
     WaveError::BadBits},
    {"24 bits", riff({chunk("fmt ", fmt_body(1, 1, 22050, 24)), chunk("data", kFive)}),
     WaveError::BadBits},
    {"rate 0", riff({chunk("fmt ", fmt_body(1, 1, 0, 8)), chunk("data", kFive)}),
     WaveError::BadRate},
    {"rate 3999", riff({chunk("fmt ", fmt_body(1, 1, 3999, 8)), chunk("data", kFive)}),
     WaveError::BadRate},
    {"rate 48001", riff({chunk("fmt ", fmt_body(1, 1, 48001, 8)), chunk("data", kFive)}),
     WaveError::BadRate},
    {"rate 4294967295", riff({chunk("fmt ", fmt_body(1, 1, 0xFFFFFFFF, 8)), chunk("data", kFive)}),
     WaveError::BadRate},
    {"block align 1 for 16-bit stereo",
     riff({chunk("fmt ", with_align(fmt_body(1, 2, 22050, 16), 1)), chunk("data", kFive)}),
     WaveError::BadBlockAlign},
    {"block align 0",
     riff({chunk("fmt ", with_align(fmt_body(1, 1, 22050, 8), 0)), chunk("data", kFive)}),
     WaveError::BadBlockAlign},
};

TEST(WaveParser, ImagesParseOrFailWithTheirReason) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        const mm::WaveParse got = mm::parse_wave(c.image);
        EXPECT_EQ(got.error, c.error)
            << "got " << mm::describe(got.error) << ", expected " << mm::describe(c.error);
        if (c.error != WaveError::None || got.error != WaveError::None) {
            continue;
        }
        EXPECT_EQ(got.wave.format.wFormatTag, WAVE_FORMAT_PCM);
        EXPECT_EQ(got.wave.format.nChannels, c.channels);
        EXPECT_EQ(got.wave.format.nSamplesPerSec, c.rate);
        EXPECT_EQ(got.wave.format.wBitsPerSample, c.bits);
        EXPECT_EQ(got.wave.format.nBlockAlign, c.channels * c.bits / 8);
        EXPECT_EQ(got.wave.samples.size(), c.length);
        if (c.length > 0) {
            EXPECT_EQ(static_cast<std::size_t>(got.wave.samples.data() - c.image.data()), c.offset);
        }
    }
}

TEST(WaveParser, NothingPastTheGivenBytesIsRead) {
    // The image is cut at every length; each cut must fail or (at full length) succeed,
    // and AddressSanitizer catches any read past the copy.
    const Bytes full = riff({chunk("fmt ", fmt_body(1, 2, 11025, 8)), kFact, chunk("data", kFive)});
    for (std::size_t n = 0; n <= full.size(); ++n) {
        SCOPED_TRACE(n);
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        const mm::WaveParse got = mm::parse_wave(cut);
        EXPECT_EQ(got.ok(), n == full.size());
    }
}

TEST(WaveParser, ExtraSizeIsReadOnlyWhenTheChunkHoldsIt) {
    Bytes fmt20 = fmt_body(1, 1, 22050, 8, 20);
    fmt20[16] = std::byte{2};
    const mm::WaveParse with_cb =
        mm::parse_wave(riff({chunk("fmt ", fmt20), chunk("data", kFive)}));
    ASSERT_TRUE(with_cb.ok());
    EXPECT_EQ(with_cb.wave.format.cbSize, 2);
    EXPECT_EQ(with_cb.wave.format.nAvgBytesPerSec, 22050u);
    // A 16-byte chunk followed by data whose header bytes would read as cbSize 0x6164 ("da").
    const mm::WaveParse without =
        mm::parse_wave(riff({chunk("fmt ", fmt_body(1, 1, 22050, 8, 16)), chunk("data", kFive)}));
    ASSERT_TRUE(without.ok());
    EXPECT_EQ(without.wave.format.cbSize, 0);
}

}  // namespace
