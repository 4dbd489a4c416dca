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

    // Where wave resource `id` lies in resource memory.
    static const std::byte* resource_data(UINT id) {
        HRSRC r = FindResourceA(nullptr, MAKEINTRESOURCEA(static_cast<WORD>(id)), "SOUND");
        EXPECT_NE(r, nullptr);
        return static_cast<const std::byte*>(LockResource(LoadResource(nullptr, r)));
    }
    static std::vector<std::byte> resource_bytes(UINT id) {
        HRSRC r = FindResourceA(nullptr, MAKEINTRESOURCEA(static_cast<WORD>(id)), "SOUND");
        const std::byte* p = resource_data(id);
        return {p, p + SizeofResource(nullptr, r)};
    }
};

TEST_F(PlayResourceSoundTest, PlaysEachWaveWholeAndChargesItsLength) {
    struct Case {
        const char* name;
        UINT id;
        int channels;
        std::uint32_t rate;
        std::uint64_t min_ms, max_ms;
    };
    const Case cases[] = {
        {"farewell", 143, 2, 11025, 1670, 1690},
        {"opening of the announcement", 144, 1, 22050, 2050, 2070},
        {"digit 0", 145, 1, 22050, 540, 970},
        {"digit 9", 154, 1, 22050, 540, 970},
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
        EXPECT_GE(w.duration_ms, c.min_ms);
        EXPECT_LE(w.duration_ms, c.max_ms);
        EXPECT_EQ(headless.now_ms(), w.duration_ms);  // synchronous: the clock waited for it
        // The samples are the resource's data chunk, read in place (fmt 18 + fact: data at 58).
        const std::vector<std::byte> image = resource_bytes(c.id);
        ASSERT_GT(image.size(), 58u);
        ASSERT_GE(image.size() - 58, w.samples.size());
        EXPECT_EQ(std::memcmp(image.data() + 58, w.samples.data(), w.samples.size()), 0);
        EXPECT_EQ(w.source, resource_data(c.id) + 58);
    }
}

TEST_F(PlayResourceSoundTest, MissingResourcePlaysNothingAndIsNoRefusal) {
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    for (UINT id : {155u, 142u, 0u, 1000u}) {  // 142 is a bitmap, not a sound
        SCOPED_TRACE(id);
        EXPECT_TRUE(PlayResourceSound(id));
    }
    EXPECT_TRUE(headless.waves().empty());
    EXPECT_EQ(headless.now_ms(), 0u);
}

TEST_F(PlayResourceSoundTest, NoWaveDeviceIsARefusal) {
    host::Settings settings;
    settings.audio = false;
    host::HeadlessHost headless(settings);
    host::ScopedInstall installed(headless);
    EXPECT_FALSE(PlayResourceSound(144));
    EXPECT_TRUE(PlayResourceSound(155));  // nothing found: still no refusal
    EXPECT_TRUE(headless.waves().empty());
}

}  // namespace
