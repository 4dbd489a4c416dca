// PlaySoundTest.cpp: sndPlaySoundA with and without a wave device on the headless host.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/mmsystem.h"
#include "tests/mm/WaveImage.h"

#include <gtest/gtest.h>

namespace {

using namespace wavetest;

// The resource layout: fmt of 18 bytes, fact, data; 8-bit stereo 11025, samples at 58.
Bytes farewell_like(std::size_t frames) {
    Bytes data(frames * 2, std::byte{0x80});
    data[0] = std::byte{0x10};
    return riff({chunk("fmt ", fmt_body(1, 2, 11025, 8)), chunk("fact", samples({0, 0, 0, 0})),
                 chunk("data", data)});
}

LPCSTR as_sound(const Bytes& image) {
    return reinterpret_cast<LPCSTR>(image.data());
}

TEST(SndPlaySound, FlagsDecideWhetherAMemoryImagePlays) {
    struct Case {
        const char* name;
        UINT flags;
        BOOL expected;
    };
    const Case cases[] = {
        {"memory, no default", SND_MEMORY | SND_NODEFAULT, TRUE},
        {"memory alone", SND_MEMORY, TRUE},
        {"memory, sync", SND_MEMORY | SND_SYNC | SND_NODEFAULT, TRUE},
        {"memory, async still plays to the end", SND_MEMORY | SND_ASYNC | SND_NODEFAULT, TRUE},
        {"memory, no stop", SND_MEMORY | SND_NOSTOP, TRUE},
        {"a file name is never read", SND_NODEFAULT, FALSE},
        {"loop would never end", SND_MEMORY | SND_LOOP | SND_ASYNC, FALSE},
    };
    const Bytes image = farewell_like(11025);  // one second
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost h;
        host::ScopedInstall installed(h);
        EXPECT_EQ(sndPlaySoundA(as_sound(image), c.flags), c.expected);
        if (c.expected) {
            ASSERT_EQ(h.waves().size(), 1u);
            EXPECT_EQ(h.waves()[0].source, image.data() + 58) << "played in place, not copied";
            EXPECT_EQ(h.waves()[0].samples.size(), 22050u);
            EXPECT_EQ(h.waves()[0].samples[0], std::byte{0x10});
            EXPECT_EQ(h.waves()[0].format, (host::WaveFormat{2, 11025, 8}));
            EXPECT_EQ(h.now_ms(), 1000u) << "returns after the wave has played";
        } else {
            EXPECT_TRUE(h.waves().empty());
            EXPECT_EQ(h.now_ms(), 0u);
        }
    }
}

TEST(SndPlaySound, CallsInARowPlayBackToBack) {
    host::HeadlessHost h;
    host::ScopedInstall installed(h);
    const Bytes opening = farewell_like(2205);  // 200 ms
    const Bytes digit = farewell_like(1103);    // 100.04 ms, rounded up to 101
    EXPECT_TRUE(sndPlaySoundA(as_sound(opening), SND_MEMORY | SND_NODEFAULT));
    EXPECT_TRUE(sndPlaySoundA(as_sound(digit), SND_MEMORY | SND_NODEFAULT));
    EXPECT_TRUE(sndPlaySoundA(as_sound(digit), SND_MEMORY | SND_NODEFAULT));
    ASSERT_EQ(h.waves().size(), 3u);
    EXPECT_EQ(h.waves()[0].start_ms, 0u);
    EXPECT_EQ(h.waves()[1].start_ms, 200u);
    EXPECT_EQ(h.waves()[2].start_ms, 301u);
    EXPECT_EQ(h.now_ms(), 402u);
}

TEST(SndPlaySound, WithoutAWaveDeviceItFailsAndTakesNoTime) {
    host::Settings no_audio;
    no_audio.audio = false;
    host::HeadlessHost h(no_audio);
    host::ScopedInstall installed(h);
    const Bytes image = farewell_like(100);
    EXPECT_FALSE(sndPlaySoundA(as_sound(image), SND_MEMORY | SND_NODEFAULT));
    EXPECT_TRUE(h.waves().empty());
    EXPECT_EQ(h.now_ms(), 0u);
}

TEST(SndPlaySound, NullStopsAndSucceeds) {
    host::HeadlessHost h;
    host::ScopedInstall installed(h);
    EXPECT_TRUE(sndPlaySoundA(nullptr, 0));
    EXPECT_TRUE(sndPlaySoundA(nullptr, SND_MEMORY | SND_NODEFAULT));
    EXPECT_TRUE(h.waves().empty());
}

TEST(SndPlaySound, BadImagesAreRefusedWithoutPlaying) {
    struct Case {
        const char* name;
        Bytes image;
    };
    const Case cases[] = {
        {"not RIFF", samples({'R', 'I', 'F', 'X', 4, 0, 0, 0, 'W', 'A', 'V', 'E'})},
        {"RIFF claims 2 GB", riff({chunk("fmt ", fmt_body(1, 1, 22050, 8))}, 0x7FFFFFF0)},
        {"ADPCM", riff({chunk("fmt ", fmt_body(2, 1, 22050, 4)), chunk("data", samples({1, 2}))})},
        {"no data", riff({chunk("fmt ", fmt_body(1, 1, 22050, 8))})},
        {"data past the RIFF",
         riff({chunk("fmt ", fmt_body(1, 1, 22050, 8)), chunk("data", samples({1, 2}), true, 9)})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost h;
        host::ScopedInstall installed(h);
        EXPECT_FALSE(sndPlaySoundA(as_sound(c.image), SND_MEMORY | SND_NODEFAULT));
        EXPECT_TRUE(h.waves().empty());
    }
}

}  // namespace
