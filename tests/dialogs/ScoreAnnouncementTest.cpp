// ScoreAnnouncementTest.cpp: the final score spoken as an opening wave and its digits.
#include "dialogs/ScoreAnnouncement.h"

#include "platform/host/headless/HeadlessHost.h"
#include "res/PiloResources.h"
#include "tests/app/ProgramProbe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ScoreAnnouncement : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_NE(pilo_install_resources(&error), nullptr) << error;
    }
};

TEST_F(ScoreAnnouncement, OpeningThenDigitsFromTheFirstNonZero) {
    struct Case {
        const char* name;
        int score;
        std::vector<UINT> waves;
    };
    const Case cases[] = {
        {"zero is one zero", 0, {144, 145}},
        {"one digit", 7, {144, 152}},
        {"inner zero is spoken", 305, {144, 148, 145, 150}},
        {"trailing zeros are spoken", 100000, {144, 146, 145, 145, 145, 145, 145}},
        {"six different digits", 987654, {144, 154, 153, 152, 151, 150, 149}},
        {"a million: the leading ten is skipped, its zeros are not",
         1000000,
         {144, 145, 145, 145, 145, 145}},
        {"over a million: the leading twelve is skipped", 1234567, {144, 148, 149, 150, 151, 152}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::HeadlessHost headless;
        host::ScopedInstall installed(headless);
        AnnounceScore(c.score);
        EXPECT_EQ(probe::wave_ids(headless), c.waves);
        // Synchronous: each wave starts when the one before has ended.
        std::uint64_t end = 0;
        for (const host::PlayedWave& w : headless.waves()) {
            EXPECT_EQ(w.start_ms, end);
            end = w.start_ms + w.duration_ms;
        }
    }
}

TEST_F(ScoreAnnouncement, WithoutAWaveDeviceNothingIsPlayedAndNoTimePasses) {
    host::Settings settings;
    settings.audio = false;
    host::HeadlessHost headless(settings);
    host::ScopedInstall installed(headless);
    AnnounceScore(305);
    EXPECT_TRUE(headless.waves().empty());
    EXPECT_EQ(headless.now_ms(), 0u);
}

}  // namespace
