// PlaySoundTest.cpp: sndPlaySoundA with and without a wave device on the headless host.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/windows.h"
#include "tests/kernel/ResourceImageBuilder.h"
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

std::vector<std::uint8_t> as_u8(const Bytes& b) {
    std::vector<std::uint8_t> out;
    for (std::byte x : b) {
        out.push_back(static_cast<std::uint8_t>(x));
    }
    return out;
}

// Waves stored as SOUND resources, played as the program plays them: found, loaded, locked
// and handed over in place. The resource's end bounds the read even where the RIFF header
// claims more and readable memory (the next resource) follows.
TEST(SndPlaySound, ResourceEndBoundsTheImage) {
    const Bytes good = farewell_like(1103);  // 100 ms
    Bytes overclaiming = good;
    overclaiming[4] = std::byte(static_cast<std::uint8_t>(overclaiming[4]) + 16);  // RIFF + 16
    Bytes long_data = good;
    long_data[54] = std::byte(static_cast<std::uint8_t>(long_data[54]) + 2);  // data + 2
    test::ResourceImageBuilder builder;
    builder.add(u"SOUND", 143, as_u8(good));
    builder.add(u"SOUND", 144, as_u8(overclaiming));
    builder.add(u"SOUND", 145, as_u8(long_data));
    builder.add(u"SOUND", 146, std::vector<std::uint8_t>(64, 0x80));  // readable bytes after 145
    const std::vector<std::byte> image = builder.bytes();
    std::string error;
    HINSTANCE module = kernel::install_resource_image(image, kernel::ModuleRole::Extra, &error);
    ASSERT_NE(module, nullptr) << error;

    struct Case {
        const char* name;
        WORD id;
        BOOL expected;
    };
    const Case cases[] = {
        {"whole wave", 143, TRUE},
        {"RIFF claims 16 bytes past the resource", 144, FALSE},
        {"data claims 2 bytes past the resource", 145, FALSE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost h;
        host::ScopedInstall installed(h);
        HRSRC r = FindResourceA(module, MAKEINTRESOURCEA(c.id), "sound");
        ASSERT_NE(r, nullptr);
        const void* p = LockResource(LoadResource(module, r));
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(sndPlaySoundA(static_cast<LPCSTR>(p), SND_MEMORY | SND_NODEFAULT), c.expected);
        EXPECT_EQ(h.waves().size(), c.expected ? 1u : 0u);
        if (c.expected) {
            EXPECT_EQ(h.waves()[0].source, static_cast<const std::byte*>(p) + 58);
            EXPECT_EQ(h.now_ms(), 101u);
        }
    }
    kernel::remove_resource_image(module);
}

}  // namespace
