// MmTest.cpp: RIFF/WAVE images through parse_wave, and sndPlaySoundA on the headless host.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/mm/WaveParser.h"
#include "platform/win32/mmsystem.h"
#include "platform/win32/windows.h"
#include "tests/kernel/ResourceImageBuilder.h"
#include "tests/mm/WaveImage.h"

#include <gtest/gtest.h>

namespace {

using mm::WaveError;
using namespace wavetest;
using E = WaveError;

Bytes fmt(std::uint16_t tag, std::uint16_t ch, std::uint32_t rate, std::uint16_t bits,
          std::size_t length = 18, int align = -1) {
    Bytes body = fmt_body(tag, ch, rate, bits, length);
    if (align >= 0) {
        body[12] = std::byte(align);
    }
    return chunk("fmt ", body);
}
Bytes plus(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
const Bytes kFact = chunk("fact", samples({5, 0, 0, 0}));
const Bytes kData = chunk("data", samples({0x80, 0x01, 0xFF, 0x7F, 0x80}));

TEST(WaveParser, ImagesParseOrFailWithTheirReason) {
    const Bytes mono = fmt(1, 1, 22050, 8);
    // clang-format off
    struct Case { const char* name; Bytes image; E error; std::uint16_t channels = 0; std::uint32_t rate = 0; std::uint16_t bits = 0; std::size_t offset = 0 /* of the samples */, length = 0 /* whole frames */; };
    const Case cases[] = {
        // RIFF 12 + fmt 8+18 + fact 8+4 + data header 8: samples at 58.
        {"8-bit mono with fact", riff({mono, kFact, kData}), E::None, 1, 22050, 8, 58, 5},
        {"stereo drops the half frame", riff({fmt(1, 2, 11025, 8), kFact, kData}), E::None, 2, 11025, 8, 58, 4},
        {"16-bit stereo, 16-byte fmt", riff({fmt(1, 2, 44100, 16, 16), chunk("data", Bytes(9))}), E::None, 2, 44100, 16, 44, 8},
        {"16-bit mono", riff({fmt(1, 1, 22050, 16), kData}), E::None, 1, 22050, 16, 46, 4},
        {"odd LIST before fmt is padded", riff({chunk("LIST", samples({'I', 'N', 'F'})), fmt(1, 1, 11025, 8, 16), kData}), E::None, 1, 11025, 8, 56, 5},
        {"odd fact is padded", riff({fmt(1, 1, 11025, 8), chunk("fact", samples({1, 2, 3})), kData}), E::None, 1, 11025, 8, 58, 5},
        {"data before fmt", riff({chunk("data", samples({9, 8, 7, 6})), fmt(1, 1, 8000, 8)}), E::None, 1, 8000, 8, 20, 4},
        {"a later broken fmt is not read", riff({mono, kData, fmt(2, 0, 0, 0)}), E::None, 1, 22050, 8, 46, 5},
        {"bytes after the RIFF are ignored", plus(riff({mono, kData}), Bytes(8, std::byte{0xFF})), E::None, 1, 22050, 8, 46, 5},
        {"odd last chunk without its pad", riff({mono, chunk("data", samples({1, 2, 3, 4, 5}), false)}), E::None, 1, 22050, 8, 46, 5},
        {"empty data", riff({mono, chunk("data", {})}), E::None, 1, 22050, 8, 46, 0},
        {"lowest rate", riff({fmt(1, 1, 4000, 8), kData}), E::None, 1, 4000, 8, 46, 5},
        {"highest rate", riff({fmt(1, 1, 48000, 8), kData}), E::None, 1, 48000, 8, 46, 5},
        {"empty image", {}, E::TooShort}, {"eleven bytes", samples({'R', 'I', 'F', 'F', 3, 0, 0, 0, 'W', 'A', 'V'}), E::TooShort},
        {"RIFX", plus(samples({'R', 'I', 'F', 'X'}), Bytes(8)), E::NotRiff}, {"AVI form", riff({mono}, ~0u, "AVI "), E::NotWave},
        {"RIFF size 0", riff({}, 0), E::Truncated}, {"RIFF size past the end", riff({mono, kData}, 4 + 26 + 14 + 1), E::Truncated},
        {"RIFF size cuts into the data", riff({mono, kData}, 4 + 26 + 8 + 2), E::Truncated},
        {"data size past the end", riff({mono, chunk("data", samples({1}), true, 100)}), E::Truncated},
        {"chunk size 0xFFFFFFFE", riff({chunk("LIST", {}, true, 0xFFFFFFFE), mono}), E::Truncated},
        {"fmt size past the end", riff({chunk("fmt ", fmt_body(1, 1, 22050, 8), true, 40)}), E::Truncated},
        {"no fmt", riff({kFact, kData}), E::NoFormat}, {"no data", riff({mono, kFact}), E::NoData},
        {"a half data header at the end", riff({mono, samples({'d', 'a', 't', 'a', 5, 0})}), E::NoData},
        {"fmt of 13 bytes", riff({fmt(1, 1, 22050, 8, 13), kData}), E::FormatTooShort},
        {"PCM fmt of 14 bytes has no bits", riff({fmt(1, 1, 22050, 8, 14), kData}), E::FormatTooShort},
        {"ADPCM of 14 bytes", riff({fmt(2, 1, 22050, 4, 14), kData}), E::NotPcm}, {"float", riff({fmt(3, 1, 22050, 32), kData}), E::NotPcm},
        {"zero channels", riff({fmt(1, 0, 22050, 8), kData}), E::BadChannels}, {"three channels", riff({fmt(1, 3, 22050, 8), kData}), E::BadChannels},
        {"4 bits", riff({fmt(1, 1, 22050, 4), kData}), E::BadBits}, {"24 bits", riff({fmt(1, 1, 22050, 24), kData}), E::BadBits},
        {"rate 3999", riff({fmt(1, 1, 3999, 8), kData}), E::BadRate}, {"rate 48001", riff({fmt(1, 1, 48001, 8), kData}), E::BadRate},
        {"rate 4294967295", riff({fmt(1, 1, 0xFFFFFFFF, 8), kData}), E::BadRate},
        {"block align 1 for 16-bit stereo", riff({fmt(1, 2, 22050, 16, 18, 1), kData}), E::BadBlockAlign},
        {"block align 0", riff({fmt(1, 1, 22050, 8, 18, 0), kData}), E::BadBlockAlign},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const mm::WaveParse got = mm::parse_wave(c.image);
        ASSERT_EQ(got.error, c.error) << mm::describe(got.error);
        if (c.error == E::None) {
            const auto& f = got.wave.format;
            EXPECT_EQ(std::vector<unsigned>({f.wFormatTag, f.nChannels, f.nSamplesPerSec,
                                             f.wBitsPerSample, f.nBlockAlign}),
                      std::vector<unsigned>(
                          {WAVE_FORMAT_PCM, c.channels, c.rate, c.bits, c.channels * c.bits / 8u}));
            EXPECT_EQ(got.wave.samples.size(), c.length);
            EXPECT_TRUE(c.length == 0 ||
                        got.wave.samples.data() - c.image.data() == long(c.offset));
        }
    }
    // Cut at every length, only the whole image parses; ASan catches a read past a cut.
    const Bytes full = riff({fmt(1, 2, 11025, 8), kFact, kData});
    for (std::size_t n = 0; n <= full.size(); ++n) {
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        EXPECT_EQ(mm::parse_wave(cut).ok(), n == full.size()) << n;
    }
    // The extra size is read only when the chunk holds it, not from the next chunk's header.
    Bytes fmt20 = fmt_body(1, 1, 22050, 8, 20);
    fmt20[16] = std::byte{2};
    const mm::WaveParse with_cb = mm::parse_wave(riff({chunk("fmt ", fmt20), kData}));
    EXPECT_EQ(with_cb.wave.format.cbSize, 2);
    EXPECT_EQ(with_cb.wave.format.nAvgBytesPerSec, 22050u);
    EXPECT_EQ(mm::parse_wave(riff({fmt(1, 1, 22050, 8, 16), kData})).wave.format.cbSize, 0);
}

// The resource layout: fmt of 18 bytes, fact, data; 8-bit stereo 11025, samples at 58.
Bytes farewell_like(std::size_t frames) {
    Bytes data(frames * 2, std::byte{0x80});
    data[0] = std::byte{0x10};
    return riff({fmt(1, 2, 11025, 8), kFact, chunk("data", data)});
}
LPCSTR as_sound(const void* image) {
    return static_cast<LPCSTR>(image);
}

TEST(SndPlaySound, MemoryImagesPlayInPlaceToTheEnd) {
    const Bytes second = farewell_like(11025);
    const Bytes adpcm = riff({fmt(2, 1, 22050, 4), chunk("data", samples({1, 2}))});
    const Bytes past = riff({fmt(1, 1, 22050, 8), chunk("data", samples({1, 2}), true, 9)});
    const Bytes huge = riff({fmt(1, 1, 22050, 8)}, 0x7FFFFFF0);
    // clang-format off
    struct Case { const Bytes* image; UINT flags; BOOL played; };
    const Case cases[] = {
        {&second, SND_MEMORY | SND_NODEFAULT, TRUE}, {&second, SND_MEMORY, TRUE},
        {&second, SND_MEMORY | SND_SYNC, TRUE}, {&second, SND_MEMORY | SND_ASYNC, TRUE} /* still to the end */,
        {&second, SND_MEMORY | SND_NOSTOP, TRUE}, {&second, SND_NODEFAULT, FALSE} /* never a file name */,
        {&second, SND_MEMORY | SND_LOOP | SND_ASYNC, FALSE} /* would never end */,
        {&adpcm, SND_MEMORY, FALSE}, {&past, SND_MEMORY, FALSE}, {&huge, SND_MEMORY, FALSE},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.image->size() << " " << std::hex << c.flags);
        host::HeadlessHost h;
        host::ScopedInstall installed(h);
        EXPECT_EQ(sndPlaySoundA(as_sound(c.image->data()), c.flags), c.played);
        ASSERT_EQ(h.waves().size(), c.played ? 1u : 0u);
        EXPECT_EQ(h.now_ms(), c.played ? 1000u : 0u) << "returns after the wave has played";
        if (c.played) {
            EXPECT_EQ(h.waves()[0].source, second.data() + 58) << "played in place, not copied";
            EXPECT_EQ(h.waves()[0].samples.size(), 22050u);
            EXPECT_EQ(h.waves()[0].samples[0], std::byte{0x10});
            EXPECT_EQ(h.waves()[0].format, (host::WaveFormat{2, 11025, 8}));
        }
    }
    EXPECT_TRUE(sndPlaySoundA(nullptr, 0)) << "NULL stops and succeeds";
}

// A wave resource is bounded by its resource even where the RIFF claims more and readable
// memory (the next resource) follows.
TEST(SndPlaySound, ResourceEndBoundsTheImage) {
    const Bytes good = farewell_like(1103);
    std::vector<std::uint8_t> bytes;
    for (std::byte b : good) {
        bytes.push_back(static_cast<std::uint8_t>(b));
    }
    auto riff_plus_16 = bytes, data_plus_2 = bytes;
    riff_plus_16[4] += 16;
    data_plus_2[54] += 2;
    test::ResourceImageBuilder builder;
    builder.add(u"SOUND", 143, bytes)
        .add(u"SOUND", 144, riff_plus_16)
        .add(u"SOUND", 145, data_plus_2);
    builder.add(u"SOUND", 146, std::vector<std::uint8_t>(64, 0x80));
    const std::vector<std::byte> image = builder.bytes();
    HINSTANCE module = kernel::install_resource_image(image, kernel::ModuleRole::Extra);
    for (const auto& [id, played] : {std::pair{143, TRUE}, {144, FALSE}, {145, FALSE}}) {
        host::HeadlessHost h;
        host::ScopedInstall installed(h);
        HRSRC r = FindResourceA(module, MAKEINTRESOURCEA(id), "sound");
        const void* p = LockResource(LoadResource(module, r));
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(sndPlaySoundA(as_sound(p), SND_MEMORY | SND_NODEFAULT), played) << id;
        EXPECT_EQ(h.now_ms(), played ? 101u : 0u);
        EXPECT_TRUE(!played || h.waves()[0].source == static_cast<const std::byte*>(p) + 58);
    }
    kernel::remove_resource_image(module);
}

}  // namespace
