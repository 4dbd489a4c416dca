// HeadlessHostTest.cpp: scripted input, virtual time, captured frames and waves, installation.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/host/VirtualKeys.h"
#include "platform/crt/crt.h"
#include "platform/win32/gdi/png/PngFile.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using host::Event;
using host::EventType;
using host::HeadlessHost;
using host::MouseButton;
using host::WaitResult;

// What a message loop sees: each wait's result with the clock, and each event polled.
std::string describe(const Event& e) {
    switch (e.type) {
        case EventType::MouseMove:
            return "move " + std::to_string(e.x) + "," + std::to_string(e.y);
        case EventType::MouseDown:
            return "down " + std::to_string(e.x) + "," + std::to_string(e.y) + " b" +
                   std::to_string(e.buttons);
        case EventType::MouseUp:
            return "up " + std::to_string(e.x) + "," + std::to_string(e.y) + " b" +
                   std::to_string(e.buttons);
        case EventType::KeyDown:
            return "keydown " + std::to_string(e.vk) + " '" +
                   std::string(1, char(e.ch ? e.ch : '-')) + "'";
        case EventType::KeyUp:
            return "keyup " + std::to_string(e.vk);
        case EventType::CloseRequested:
            return "close";
    }
    return "?";
}

const char* describe(WaitResult r) {
    switch (r) {
        case WaitResult::Event:
            return "event";
        case WaitResult::Deadline:
            return "deadline";
        case WaitResult::Exhausted:
            return "exhausted";
    }
    return "?";
}

// Drains events, then waits once; records everything with the time it happened.
void pump(HeadlessHost& h, std::optional<std::uint64_t> deadline, std::vector<std::string>& log) {
    while (auto e = h.poll_event()) {
        log.push_back(std::to_string(e->time_ms) + " " + describe(*e));
    }
    const WaitResult r = h.wait(deadline);
    log.push_back(std::to_string(h.now_ms()) + " wait " + describe(r));
}

TEST(HeadlessHost, ScriptRunsOnlyWhenTheLoopWaits) {
    HeadlessHost h;
    h.script_advance(40);
    h.script_click(100, 200);
    h.script_key(host::vk::kEscape, 0x1B);
    h.script_close();
    EXPECT_FALSE(h.poll_event().has_value()) << "nothing arrives before a wait";
    EXPECT_EQ(h.now_ms(), 0u);

    std::vector<std::string> log;
    for (int i = 0; i < 8; ++i) {
        pump(h, std::nullopt, log);
    }
    const std::vector<std::string> expected = {
        "40 wait event",     "40 move 100,200",   "40 wait event", "40 down 100,200 b1",
        "40 wait event",     "40 up 100,200 b0",  "40 wait event", "40 keydown 27 '\x1b'",
        "40 wait event",     "40 keyup 27",       "40 wait event", "40 close",
        "40 wait exhausted", "40 wait exhausted",
    };
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(h.exhausted());
}

TEST(HeadlessHost, DeadlinesSplitAnAdvanceSoTimersFireOnTime) {
    struct Case {
        const char* name;
        std::uint64_t advance;
        std::vector<std::uint64_t> deadlines;  // one wait per deadline
        std::vector<std::uint64_t> times;      // clock after each wait
        std::vector<WaitResult> results;
    };
    const Case cases[] = {
        {"advance crosses three timer periods",
         400,
         {150, 300, 450},
         {150, 300, 450},
         {WaitResult::Deadline, WaitResult::Deadline, WaitResult::Deadline}},
        {"advance ends before the deadline, then the script is empty",
         100,
         {150, 300},
         {150, 300},
         {WaitResult::Deadline, WaitResult::Deadline}},
        {"deadline already passed returns at once",
         100,
         {0, 50},
         {0, 50},
         {WaitResult::Deadline, WaitResult::Deadline}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HeadlessHost h;
        h.script_advance(c.advance);
        for (std::size_t i = 0; i < c.deadlines.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(h.wait(c.deadlines[i]), c.results[i]);
            EXPECT_EQ(h.now_ms(), c.times[i]);
        }
    }
}

TEST(HeadlessHost, EventAfterAnAdvanceArrivesAtTheAdvancedTime) {
    HeadlessHost h;
    h.script_advance(400);
    h.script_key(host::vk::kReturn, '\r');
    EXPECT_EQ(h.wait(150), WaitResult::Deadline);
    EXPECT_EQ(h.wait(300), WaitResult::Deadline);
    EXPECT_EQ(h.wait(450), WaitResult::Event);  // the advance ends at 400, the key comes then
    EXPECT_EQ(h.now_ms(), 400u);
    const auto e = h.poll_event();
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->type, EventType::KeyDown);
    EXPECT_EQ(e->vk, host::vk::kReturn);
    EXPECT_EQ(e->time_ms, 400u);
}

TEST(HeadlessHost, EmptyScriptAdvancesToTheDeadline) {
    HeadlessHost h;
    h.advance(1000);
    EXPECT_EQ(h.wait(1750), WaitResult::Deadline);
    EXPECT_EQ(h.now_ms(), 1750u);
    EXPECT_FALSE(h.exhausted()) << "a deadline means something is still to come";
}

TEST(HeadlessHost, CallStepsSeeTheStateOfTheirMomentAndMayScriptMore) {
    HeadlessHost h;
    std::vector<std::uint64_t> seen;
    h.script_advance(100);
    h.script_call([&](HeadlessHost& host) {
        seen.push_back(host.now_ms());
        host.script_advance(50);
        host.script_call([&](HeadlessHost& inner) { seen.push_back(inner.now_ms()); });
        host.script_close();
    });
    EXPECT_EQ(h.wait(std::nullopt), WaitResult::Event);
    EXPECT_EQ(seen, (std::vector<std::uint64_t>{100, 150}));
    ASSERT_TRUE(h.poll_event().has_value());
    EXPECT_EQ(h.script_steps_left(), 0u);
}

TEST(HeadlessHost, ExhaustedHandlerRunsOnceAndMayEndTheLoop) {
    HeadlessHost h;
    int calls = 0;
    h.set_exhausted_handler([&](HeadlessHost& host) {
        ++calls;
        if (calls == 1) {
            host.script_close();
        }
    });
    EXPECT_EQ(h.wait(std::nullopt), WaitResult::Event);
    ASSERT_TRUE(h.poll_event().has_value());
    EXPECT_FALSE(h.exhausted());
    EXPECT_EQ(h.wait(std::nullopt), WaitResult::Exhausted);  // second call queues nothing
    EXPECT_EQ(h.wait(std::nullopt), WaitResult::Exhausted);  // and is not called again
    EXPECT_EQ(calls, 2);
    EXPECT_TRUE(h.exhausted());
    h.script_key('A', 'a');  // new input lifts the state
    EXPECT_FALSE(h.exhausted());
    EXPECT_EQ(h.wait(std::nullopt), WaitResult::Event);
}

TEST(HeadlessHostDeathTest, EndlessWaitingAfterTheScriptAborts) {
    EXPECT_DEATH(
        {
            HeadlessHost h;
            for (;;) {
                h.wait(std::nullopt);
            }
        },
        "keeps waiting");
}

TEST(HeadlessHost, ClickTracksHeldButtonsPerButton) {
    HeadlessHost h;
    h.script_click(5, 6, MouseButton::Right);
    std::vector<Event> got;
    while (h.wait(std::nullopt) == WaitResult::Event) {
        while (auto e = h.poll_event()) {
            got.push_back(*e);
        }
    }
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1].type, EventType::MouseDown);
    EXPECT_EQ(got[1].button, MouseButton::Right);
    EXPECT_EQ(got[1].buttons, host::kButtonRight);
    EXPECT_EQ(got[2].type, EventType::MouseUp);
    EXPECT_EQ(got[2].buttons, 0);
    EXPECT_EQ(got[2].x, 5);
    EXPECT_EQ(got[2].y, 6);
}

TEST(HeadlessHost, DragsCarryTheHeldButtonsOnEveryMove) {
    HeadlessHost h;
    h.script_mouse_down(10, 10);
    h.script_mouse_move(20, 15);
    h.script_mouse_down(20, 15, MouseButton::Right);
    h.script_mouse_move(-5, 500);  // outside the screen while the buttons are held
    h.script_mouse_up(-5, 500);
    h.script_mouse_move(0, 0);
    h.script_mouse_up(0, 0, MouseButton::Right);
    std::vector<std::string> got;
    while (h.wait(std::nullopt) == WaitResult::Event) {
        while (auto e = h.poll_event()) {
            got.push_back(describe(*e) + (e->type == EventType::MouseMove
                                              ? " b" + std::to_string(e->buttons)
                                              : ""));
        }
    }
    const std::vector<std::string> expected = {
        "down 10,10 b1", "move 20,15 b1", "down 20,15 b3", "move -5,500 b3",
        "up -5,500 b2",  "move 0,0 b2",   "up 0,0 b0",
    };
    EXPECT_EQ(got, expected);
}

std::vector<std::byte> bytes(std::initializer_list<int> values) {
    std::vector<std::byte> v;
    for (int x : values) {
        v.push_back(static_cast<std::byte>(x));
    }
    return v;
}

TEST(HeadlessHost, WavesAreCapturedInOrderAndChargedToTheClock) {
    HeadlessHost h;
    h.advance(10);
    // 2205 frames of 8-bit mono at 22050: 100 ms; 441 frames of 16-bit stereo at 44100: 10 ms.
    std::vector<std::byte> first(2205, std::byte{0x80});
    first[0] = std::byte{0x01};
    std::vector<std::byte> second(441 * 4, std::byte{0x00});
    ASSERT_TRUE(h.play_wave({1, 22050, 8}, first));
    ASSERT_TRUE(h.play_wave({2, 44100, 16}, second));
    EXPECT_EQ(h.now_ms(), 120u);
    ASSERT_EQ(h.waves().size(), 2u);
    EXPECT_EQ(h.waves()[0].start_ms, 10u);
    EXPECT_EQ(h.waves()[0].duration_ms, 100u);
    EXPECT_EQ(h.waves()[0].samples, first);
    EXPECT_EQ(h.waves()[0].source, first.data());
    EXPECT_EQ(h.waves()[1].format, (host::WaveFormat{2, 44100, 16}));
    EXPECT_EQ(h.waves()[1].start_ms, 110u);
    EXPECT_EQ(h.waves()[1].duration_ms, 10u);
}

TEST(HeadlessHost, WithoutAWaveDeviceNothingPlaysAndNoTimePasses) {
    host::Settings s;
    s.audio = false;
    HeadlessHost h(s);
    const auto samples = bytes({0x80, 0x81, 0x82});
    EXPECT_FALSE(h.play_wave({1, 11025, 8}, samples));
    EXPECT_TRUE(h.waves().empty());
    EXPECT_EQ(h.now_ms(), 0u);
    s.audio = true;
    h.set_settings(s);
    EXPECT_TRUE(h.play_wave({1, 11025, 8}, samples));
    EXPECT_EQ(h.now_ms(), 1u);
}

TEST(HeadlessHost, UnplayableFormatsAreRefused) {
    HeadlessHost h;
    const auto samples = bytes({0, 0, 0, 0});
    struct Case {
        const char* name;
        host::WaveFormat format;
    };
    const Case cases[] = {
        {"no channels", {0, 22050, 8}},
        {"three channels", {3, 22050, 8}},
        {"12 bits", {1, 22050, 12}},
        {"no rate", {1, 0, 8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(h.play_wave(c.format, samples));
    }
    EXPECT_TRUE(h.waves().empty());
}

TEST(HeadlessHost, PresentKeepsTheLastFrameConvertedThroughItsPalette) {
    HeadlessHost h;
    EXPECT_EQ(h.frames_presented(), 0);
    EXPECT_EQ(h.pixel(0, 0), 0u) << "black before the first frame";
    std::vector<std::uint8_t> screen(host::kScreenWidth * host::kScreenHeight, 3);
    screen[1 * host::kScreenWidth + 2] = 250;
    screen[host::kScreenWidth * host::kScreenHeight - 1] = 0;
    std::array<std::uint32_t, 256> palette{};
    palette[0] = host::rgb(1, 2, 3);
    palette[3] = host::rgb(0, 128, 128);
    palette[250] = host::rgb(255, 251, 240);
    host::Frame f;
    f.indices = screen;
    f.palette = palette;
    h.present(f);
    EXPECT_EQ(h.frames_presented(), 1);
    EXPECT_EQ(h.pixel(0, 0), 0x008080u);
    EXPECT_EQ(h.pixel(2, 1), 0xFFFBF0u);
    EXPECT_EQ(h.pixel(639, 479), 0x010203u);
    EXPECT_EQ(h.pixel(640, 0), 0xFFFFFFFFu);
    EXPECT_EQ(h.pixel(0, -1), 0xFFFFFFFFu);
    EXPECT_EQ(h.rgb().size(), screen.size());

    palette[3] = host::rgb(255, 0, 0);  // a palette change shows with the next present
    EXPECT_EQ(h.pixel(0, 0), 0x008080u);
    h.present(f);
    EXPECT_EQ(h.pixel(0, 0), 0xFF0000u);

    host::Frame broken = f;
    broken.indices = std::span(screen).first(100);
    h.present(broken);
    EXPECT_EQ(h.frames_presented(), 2) << "an invalid frame changes nothing";
    EXPECT_EQ(h.pixel(0, 0), 0xFF0000u);
}

TEST(HeadlessHost, CalendarMovesWithVirtualTimeAndFeedsTheRuntimeWhenInstalled) {
    HeadlessHost h;
    EXPECT_EQ(h.calendar_time(), HeadlessHost::kDefaultCalendarStart);
    h.advance(500);
    h.set_calendar_time(86400);
    h.advance(1999);
    EXPECT_EQ(h.calendar_time(), 86401);
    {
        host::ScopedInstall installed(h);
        EXPECT_EQ(&host::current(), &h);
        EXPECT_EQ(crt::time(nullptr), 86401);
        HeadlessHost inner;
        {
            host::ScopedInstall nested(inner);
            EXPECT_EQ(crt::time(nullptr), HeadlessHost::kDefaultCalendarStart);
        }
        EXPECT_EQ(&host::current(), &h);
        h.advance(1);
        EXPECT_EQ(crt::time(nullptr), 86402);
    }
    EXPECT_NE(&host::current(), &h);
    EXPECT_GT(crt::time(nullptr), 1600000000) << "back on the system clock";
}

TEST(HeadlessHost, DefaultHostRunsWithoutDisplayOrInstall) {
    host::Host& h = host::current();
    const std::uint64_t start = h.now_ms();
    EXPECT_EQ(h.wait(start + 150), WaitResult::Deadline);
    EXPECT_EQ(h.now_ms(), start + 150);
    EXPECT_EQ(h.settings(), host::Settings{});
}

TEST(HeadlessHost, SnapshotsAreWrittenAsPngInColorrefLayout) {
    HeadlessHost h;
    std::vector<std::uint32_t> pixels(4 * 3, host::rgb(0, 128, 128));
    pixels[0] = host::rgb(0x12, 0x34, 0x56);
    pixels[11] = host::rgb(255, 0, 0);
    host::Frame f;
    f.width = 4;
    f.height = 3;
    f.stride = 4;
    f.format = host::PixelFormat::Rgb32;
    f.pixels = pixels;
    h.present(f);
    EXPECT_EQ(h.colorref_at(0, 0), 0x563412u);
    EXPECT_EQ(h.colorref_at(3, 2), 0x0000FFu);
    EXPECT_EQ(h.colorref_at(4, 0), 0xFFFFFFFFu);

    const std::string path = ::testing::TempDir() + "headless_snapshot.png";
    ASSERT_TRUE(h.write_png(path));
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> read;
    ASSERT_TRUE(gdi::png::read_rgb(path, width, height, read));
    std::remove(path.c_str());
    EXPECT_EQ(width, 4);
    EXPECT_EQ(height, 3);
    ASSERT_EQ(read.size(), 12u);
    EXPECT_EQ(read[0], 0x563412u);
    EXPECT_EQ(read[1], 0x808000u);  // RGB(0, 128, 128)
    EXPECT_EQ(read[11], 0x0000FFu);
    EXPECT_FALSE(h.write_png(::testing::TempDir() + "no/such/folder/shot.png"));
}

}  // namespace
