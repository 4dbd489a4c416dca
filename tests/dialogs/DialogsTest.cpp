// DialogsTest.cpp: the playing-time line and the spoken score. The boxes, and the final score
// box's one announcement, are tested in the running program.
#include "dialogs/PlayingTime.h"
#include "dialogs/ScoreAnnouncement.h"
#include "platform/launch/ProgramSetup.h"
#include "res/resource.h"
#include "tests/app/ProgramProbe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(PlayingTime, ShowsTheLargestUnitsWithinADay) {
    struct Case {
        long seconds;
        const char* expected;
    };
    const Case cases[] = {
        {0, "Grasz: 0 sek."},
        {59, "Grasz: 59 sek."},
        {60, "Grasz: 1 min."},
        {59 * 60 + 59, "Grasz: 59 min."},
        {3600, "Grasz: 1 godz. 0 min."},
        {23 * 3600 + 59 * 60 + 59, "Grasz: 23 godz. 59 min."},
        {86400, "Grasz: 0 sek."},  // whole days are dropped
        {25 * 3600 + 2 * 60, "Grasz: 1 godz. 2 min."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        CString text;
        FormatPlayingTime(text, c.seconds);
        EXPECT_EQ(std::string(static_cast<LPCSTR>(text)), c.expected);
    }
}

class Dialogs : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(launch::prepare_program(m_host, &error)) << error;
    }
    void TearDown() override { host::install(nullptr); }

    host::HeadlessHost m_host;
};

TEST_F(Dialogs, TheScoreIsSpokenAsAnOpeningThenItsDigitsFromTheFirstNonZero) {
    struct Case {
        const char* name;
        int score;
        std::vector<UINT> waves;
    };
    const Case cases[] = {
        {"zero is one zero", 0, {144, 145}},
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

// A wave device that refuses the opening wave and records every wave it is offered.
class RefusingDevice final : public host::Host {
public:
    void present(const host::Frame& frame) override { m_inner.present(frame); }
    std::optional<host::Event> poll_event() override { return m_inner.poll_event(); }
    host::WaitResult wait(std::optional<std::uint64_t> deadline_ms) override {
        return m_inner.wait(deadline_ms);
    }
    std::uint64_t now_ms() override { return m_inner.now_ms(); }
    std::time_t calendar_time() override { return m_inner.calendar_time(); }
    const host::Settings& settings() const override { return m_inner.settings(); }
    bool play_wave(const host::WaveFormat& format, std::span<const std::byte> samples) override {
        host::PlayedWave offered;
        offered.source = samples.data();
        m_offered.push_back(probe::wave_id(offered));
        return m_offered.back() != IDW_ANNOUNCE && m_inner.play_wave(format, samples);
    }

    std::vector<UINT> m_offered;

private:
    host::HeadlessHost m_inner;
};

TEST_F(Dialogs, ADeviceThatRefusesTheOpeningIsOfferedNoDigit) {
    RefusingDevice device;
    host::ScopedInstall installed(device);
    AnnounceScore(305);
    EXPECT_EQ(device.m_offered, std::vector<UINT>{IDW_ANNOUNCE});
}

}  // namespace
