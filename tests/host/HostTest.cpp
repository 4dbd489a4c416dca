// HostTest.cpp: settings, palette conversion, viewport and the headless host's script and clock.
#include "platform/crt/crt.h"
#include "platform/host/Settings.h"
#include "platform/host/VirtualKeys.h"
#include "platform/host/Viewport.h"
#include "platform/host/headless/HeadlessHost.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace host;

TEST(Settings, EachVariableParsesOrWarnsAndKeepsItsDefault) {
    // clang-format off
    struct Case { const char* name; std::map<std::string, std::string> env; int scale /* 0: unset */; bool fullscreen; int bpp; std::uint32_t driver; bool audio, timers; const char* warned; };
    const Case cases[] = {
        {"nothing set", {}, 0, false, 8, 0x400, true, true, nullptr},
        {"empty values are unset", {{"PILO_SCALE", ""}, {"PILO_AUDIO", "  "}}, 0, false, 8, 0x400, true, true, nullptr},
        {"scale with spaces", {{"PILO_SCALE", " 2 \n"}}, 2, false, 8, 0x400, true, true, nullptr},
        {"scale 16 is the largest", {{"PILO_SCALE", "16"}}, 16, false, 8, 0x400, true, true, nullptr},
        {"scale 1", {{"PILO_SCALE", "1"}}, 1, false, 8, 0x400, true, true, nullptr},
        {"scale 0", {{"PILO_SCALE", "0"}}, 0, false, 8, 0x400, true, true, "PILO_SCALE"},
        {"scale 17", {{"PILO_SCALE", "17"}}, 0, false, 8, 0x400, true, true, "PILO_SCALE"},
        {"scale fraction", {{"PILO_SCALE", "1.5"}}, 0, false, 8, 0x400, true, true, "PILO_SCALE"},
        {"scale huge", {{"PILO_SCALE", "99999999999999999999"}}, 0, false, 8, 0x400, true, true, "PILO_SCALE"},
        {"fullscreen 1", {{"PILO_FULLSCREEN", "1"}}, 0, true, 8, 0x400, true, true, nullptr},
        {"fullscreen 0", {{"PILO_FULLSCREEN", "0"}}, 0, false, 8, 0x400, true, true, nullptr},
        {"fullscreen yes", {{"PILO_FULLSCREEN", "yes"}}, 0, false, 8, 0x400, true, true, "PILO_FULLSCREEN"},
        {"bpp 32", {{"PILO_DISPLAY_BPP", "32"}}, 0, false, 32, 0x400, true, true, nullptr},
        {"bpp 8", {{"PILO_DISPLAY_BPP", "8"}}, 0, false, 8, 0x400, true, true, nullptr},
        {"bpp 16", {{"PILO_DISPLAY_BPP", "16"}}, 0, false, 8, 0x400, true, true, "PILO_DISPLAY_BPP"},
        {"driver hex", {{"PILO_DRIVER_VERSION", "0X30a"}}, 0, false, 8, 0x30A, true, true, nullptr},
        {"driver decimal", {{"PILO_DRIVER_VERSION", "768"}}, 0, false, 8, 0x300, true, true, nullptr},
        {"driver 0xFFFF is the largest", {{"PILO_DRIVER_VERSION", "0xFFFF"}}, 0, false, 8, 0xFFFF, true, true, nullptr},
        {"driver too large", {{"PILO_DRIVER_VERSION", "0x10000"}}, 0, false, 8, 0x400, true, true, "PILO_DRIVER_VERSION"},
        {"driver bare prefix", {{"PILO_DRIVER_VERSION", "0x"}}, 0, false, 8, 0x400, true, true, "PILO_DRIVER_VERSION"},
        {"driver hex without prefix", {{"PILO_DRIVER_VERSION", "2FF"}}, 0, false, 8, 0x400, true, true, "PILO_DRIVER_VERSION"},
        {"audio off", {{"PILO_AUDIO", "0"}}, 0, false, 8, 0x400, false, true, nullptr},
        {"audio off word", {{"PILO_AUDIO", "off"}}, 0, false, 8, 0x400, true, true, "PILO_AUDIO"},
        {"timers off", {{"PILO_TIMERS", "0"}}, 0, false, 8, 0x400, true, false, nullptr},
        {"timers 2", {{"PILO_TIMERS", "2"}}, 0, false, 8, 0x400, true, true, "PILO_TIMERS"},
        {"one bad value keeps the good ones", {{"PILO_SCALE", "4"}, {"PILO_DISPLAY_BPP", "24"}, {"PILO_AUDIO", "0"}}, 4, false, 8, 0x400, false, true, "PILO_DISPLAY_BPP"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> warnings;
        const Settings got = parse_settings(
            [&](const char* name) -> const char* {
                const auto it = c.env.find(name);
                return it == c.env.end() ? nullptr : it->second.c_str();
            },
            [&](const std::string& line) { warnings.push_back(line); });
        EXPECT_EQ(got.scale.value_or(0), c.scale);
        EXPECT_EQ(got.scale.has_value(), c.scale != 0);
        EXPECT_EQ(
            std::tie(got.fullscreen, got.display_bpp, got.driver_version, got.audio, got.timers),
            std::tie(c.fullscreen, c.bpp, c.driver, c.audio, c.timers));
        ASSERT_EQ(warnings.size(), c.warned ? 1u : 0u);
        if (c.warned) {
            EXPECT_NE(warnings[0].find(c.warned), std::string::npos) << warnings[0];
            EXPECT_EQ(warnings[0].find('\n'), std::string::npos) << "one line";
        }
    }
}

// The conversion itself is pinned by every golden picture (8-bit) and the refused-display one
// (32-bit); here the frames it must refuse.
TEST(Frame, FramesThatDoNotFitAreRefusedUntouched) {
    const std::array<std::uint32_t, 256> palette{};
    std::vector<std::uint8_t> indices(10, 0);
    // clang-format off
    struct Case { const char* name; int w, h; std::size_t stride, indices, palette, out; bool ok; };
    const Case cases[] = {  // 3 rows of stride 3 need 9 indices; the last row no padding
        {"fits exactly", 3, 3, 3, 9, 256, 9, true}, {"zero width", 0, 3, 3, 9, 256, 9, false},
        {"negative height", 3, -1, 3, 9, 256, 9, false}, {"stride below width", 3, 3, 2, 9, 256, 9, false},
        {"indices one short", 3, 3, 3, 8, 256, 9, false}, {"palette short", 3, 3, 3, 9, 255, 9, false},
        {"output short", 3, 3, 3, 9, 256, 8, false}, {"stride 4 needs 11", 3, 3, 4, 10, 256, 9, false},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto in = std::span(indices).first(c.indices);
        const auto table = std::span(palette).first(c.palette);
        const Frame g{c.w, c.h, PixelFormat::Indexed8, c.stride, in, table, {}};
        std::vector<std::uint32_t> o(c.out, 0xDEADBEEF);
        EXPECT_EQ(convert_to_rgb(g, o), c.ok);
        EXPECT_EQ(o[0], c.ok ? 0u : 0xDEADBEEFu) << "nothing written when refused";
    }
}

TEST(WaveDuration, WholeFramesRoundedUpToMilliseconds) {
    // clang-format off
    struct Case { WaveFormat format; std::size_t bytes; std::uint64_t ms; };
    const Case cases[] = {
        {{1, 22050, 8}, 22050, 1000}, {{2, 11025, 8}, 37044, 1680}, {{2, 44100, 16}, 88200, 500},
        {{1, 11025, 8}, 1, 1} /* one frame rounds up */, {{2, 22050, 16}, 3, 0} /* partial frame */,
        {{0, 22050, 8}, 100, 0}, {{1, 0, 8}, 100, 0}, {{1, 22050, 4}, 100, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(wave_duration_ms(c.format, c.bytes), c.ms);
    }
}

TEST(Viewport, ScreenIsCentredAtTheLargestScaleThatFitsAndPointsMapBack) {
    // clang-format off
    struct Place { int w, h; std::optional<int> requested; Viewport want; };
    const Place places[] = {
        {1280, 960, 2, {0, 0, 2}}, {1920, 1080, std::nullopt, {320, 60, 2}},
        {1920, 1080, 1, {640, 300, 1}}, {1920, 1080, 3, {320, 60, 2}} /* 3 does not fit */,
        {1280, 960, 0, {0, 0, 2}}, {1279, 960, std::nullopt, {319, 240, 1}},
        {3840, 2112, std::nullopt, {640, 96, 4}}, {320, 200, std::nullopt, {0, 0, 1}},
    };
    // clang-format on
    for (const Place& p : places) {
        SCOPED_TRACE(testing::Message() << p.w << "x" << p.h);
        EXPECT_EQ(place_screen(p.w, p.h, 640, 480, p.requested), p.want);
    }
    EXPECT_EQ(largest_scale(1300, 2000, 640, 480), 2) << "width limits";
    EXPECT_EQ(largest_scale(-5, 100, 640, 480), 1);
    // clang-format off
    struct Point { Viewport v; int wx, wy; ScreenPoint want; };
    const Point points[] = {
        {{0, 0, 2}, 201, 200, {100, 100}}, {{0, 0, 2}, 1279, 959, {639, 479}},
        {{320, 60, 2}, 319, 59, {-1, -1}} /* floor in the border */, {{320, 60, 2}, 0, 0, {-160, -30}},
        {{10, 20, 3}, 33, 35, {7, 5}}, {{0, 0, 0}, 5, 6, {5, 6}} /* zero scale as 1 */,
    };
    // clang-format on
    for (const Point& p : points) {
        SCOPED_TRACE(testing::Message() << p.wx << "," << p.wy);
        EXPECT_EQ(window_to_screen(p.v, p.wx, p.wy), p.want);
    }
}

TEST(HeadlessHost, CallStepsAndTheExhaustedHandlerMayScriptMore) {
    HeadlessHost h;
    std::vector<std::uint64_t> seen;
    int calls = 0;
    h.script_advance(100);
    h.script_call([&](HeadlessHost& host) {
        seen.push_back(host.now_ms());
        host.script_advance(50);
        host.script_call([&](HeadlessHost& inner) { seen.push_back(inner.now_ms()); });
    });
    h.set_exhausted_handler([&](HeadlessHost& host) {
        if (++calls == 1) {
            host.script_close();
        }
    });
    EXPECT_EQ(h.wait(std::nullopt), WaitResult::Event);
    EXPECT_EQ(seen, (std::vector<std::uint64_t>{100, 150}));
    EXPECT_EQ(h.script_steps_left(), 0u);
    ASSERT_TRUE(h.poll_event().has_value()) << "the close the handler scripted";
    EXPECT_EQ(h.wait(std::nullopt), WaitResult::Exhausted) << "the second call queues nothing";
    EXPECT_EQ(h.wait(std::nullopt), WaitResult::Exhausted) << "and is not called again";
    EXPECT_EQ(calls, 2);
    EXPECT_DEATH(
        {
            HeadlessHost fresh;
            for (;;) {
                fresh.wait(std::nullopt);
            }
        },
        "keeps waiting");
}

// Waves in order, charged to the clock, are pinned by the announcement and sound tests.
TEST(HeadlessHost, WavesOfAnUnplayableFormatAreRefused) {
    HeadlessHost h;
    const std::vector<std::byte> second(441 * 4);
    ASSERT_TRUE(h.play_wave({2, 44100, 16}, second));
    for (const WaveFormat& bad : {WaveFormat{0, 22050, 8}, WaveFormat{3, 22050, 8},
                                  WaveFormat{1, 22050, 12}, WaveFormat{1, 0, 8}}) {
        EXPECT_FALSE(h.play_wave(bad, second)) << bad.channels << " " << bad.bits_per_sample;
    }
    EXPECT_EQ(h.waves().size(), 1u);
}

TEST(HeadlessHost, PresentKeepsTheLastValidFrame) {
    HeadlessHost h;
    EXPECT_EQ(h.pixel(0, 0), 0u) << "black before the first frame";
    std::vector<std::uint8_t> screen(kScreenWidth * kScreenHeight, 3);
    screen.back() = 0;
    std::array<std::uint32_t, 256> palette{};
    palette[0] = rgb(1, 2, 3);
    palette[3] = rgb(0, 128, 128);
    Frame f{kScreenWidth, kScreenHeight, PixelFormat::Indexed8, kScreenWidth, screen, palette, {}};
    h.present(f);
    f.indices = std::span(screen).first(100);
    h.present(f);
    EXPECT_EQ(h.frames_presented(), 1) << "an invalid frame changes nothing";
    EXPECT_EQ(std::vector({h.pixel(0, 0), h.pixel(639, 479), h.pixel(640, 0), h.pixel(0, -1),
                           h.colorref_at(639, 479)}),
              std::vector<std::uint32_t>({0x008080, 0x010203, 0xFFFFFFFF, 0xFFFFFFFF, 0x030201}));
    const std::string shot = ::testing::TempDir() + "headless_snapshot.png";
    EXPECT_TRUE(h.write_png(shot));
    std::remove(shot.c_str());
    EXPECT_FALSE(h.write_png(::testing::TempDir() + "no/such/folder/shot.png"));
}

TEST(HeadlessHost, CalendarMovesWithVirtualTimeAndFeedsTheRuntimeWhenInstalled) {
    HeadlessHost h;
    EXPECT_EQ(h.calendar_time(), HeadlessHost::kDefaultCalendarStart);
    h.advance(500);
    h.set_calendar_time(86400);
    h.advance(1999);
    EXPECT_EQ(h.calendar_time(), 86401);
    {
        ScopedInstall installed(h);
        EXPECT_EQ(crt::time(nullptr), 86401);
        HeadlessHost inner;
        {
            ScopedInstall nested(inner);
            EXPECT_EQ(crt::time(nullptr), HeadlessHost::kDefaultCalendarStart);
        }
        EXPECT_EQ(&current(), &h);
    }
    EXPECT_NE(&current(), &h);
    EXPECT_GT(crt::time(nullptr), 1600000000) << "back on the system clock";
    const std::uint64_t start = current().now_ms();
    EXPECT_EQ(current().wait(start + 150), WaitResult::Deadline) << "the default host";
    EXPECT_EQ(current().now_ms(), start + 150);
}

}  // namespace
