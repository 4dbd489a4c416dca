// PlayResourceSoundTest.cpp: wave resources reach the wave player whole, in place, and in order.
#include "sound/PlayResourceSound.h"

#include "platform/host/headless/HeadlessHost.h"
#include "res/PiloResources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class PlayResourceSoundTest : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_NE(pilo_install_resources(&error), nullptr) << error;
    }
};

TEST_F(PlayResourceSoundTest, PlaysEachWaveWholeAndChargesItsLength) {
    struct Case {
        const char* name;
        UINT id;
        int channels;
        std::uint32_t rate;
    };
    // Their lengths are the files' (WaveFilesTest) at the rate (WaveDuration).
    const Case cases[] = {
        {"farewell", 143, 2, 11025},
        {"opening of the announcement", 144, 1, 22050},
        {"digit 0", 145, 1, 22050},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        EXPECT_TRUE(PlayResourceSound(c.id));
        ASSERT_EQ(headless.waves().size(), 1u);
        const host::PlayedWave& w = headless.waves()[0];
        EXPECT_EQ(w.format.channels, c.channels);
        EXPECT_EQ(w.format.samples_per_sec, c.rate);
        EXPECT_EQ(headless.now_ms(), w.duration_ms);  // synchronous: the clock waited for it
        // The samples are the resource's data chunk, read in place (fmt 18 + fact: data at 58).
        HRSRC r = FindResourceA(nullptr, MAKEINTRESOURCEA(static_cast<WORD>(c.id)), "SOUND");
        const auto* data = static_cast<const std::byte*>(LockResource(LoadResource(nullptr, r)));
        ASSERT_LE(58 + w.samples.size(), SizeofResource(nullptr, r));
        EXPECT_EQ(w.source, data + 58);
        EXPECT_EQ(std::memcmp(data + 58, w.samples.data(), w.samples.size()), 0);
    }
}

// A missing resource plays nothing and is no refusal; a missing device is, for a wave found.
TEST_F(PlayResourceSoundTest, OnlyAMissingDeviceRefuses) {
    for (bool audio : {true, false}) {
        SCOPED_TRACE(audio ? "device" : "no device");
        host::Settings settings;
        settings.audio = audio;
        host::HeadlessHost headless(settings);
        host::ScopedInstall installed(headless);
        for (UINT id : {155u, 142u, 0u, 1000u}) {  // 142 is a bitmap, not a sound
            EXPECT_TRUE(PlayResourceSound(id)) << id;
        }
        EXPECT_EQ(PlayResourceSound(144), audio);
        EXPECT_EQ(headless.waves().size(), audio ? 1u : 0u);
    }
}

}  // namespace
