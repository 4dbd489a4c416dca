// HeadlessHost.h: a host without a window, with virtual clocks and scripted input, for tests.
#pragma once

#include "platform/host/Host.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace host {

// One wave that played: its format, a copy of its sample bytes, and when it played.
struct PlayedWave {
    WaveFormat format;
    std::vector<std::byte> samples;
    const std::byte* source = nullptr;  // where the samples were read from
    std::uint64_t start_ms = 0;
    std::uint64_t duration_ms = 0;
};

// Time never passes by itself: it moves when a test advances it, when a script step
// advances it, when a wait reaches its deadline, and by the length of every wave played.
//
// The script is a queue of steps that runs only when the program waits for input, so a
// modal loop deep inside the program is driven without threads. wait(deadline):
//   1. an event is queued: return Event;
//   2. the deadline has passed: return Deadline;
//   3. run the next script step (an event step queues its event; an advance step moves time
//      forward, stopping at the deadline; a call step runs its function) and go to 1;
//   4. no step left: advance to the deadline and return Deadline, or, with no deadline, call
//      the exhausted handler once; if it queued nothing, return Exhausted and raise
//      exhausted(). A test's handler typically queues CloseRequested or records the end.
// A loop that keeps waiting after Exhausted would hang a real host; after kMaxExhaustedWaits
// such waits in a row the headless host prints why and aborts, so a test fails instead.
class HeadlessHost final : public Host {
public:
    using Step = std::function<void(HeadlessHost&)>;
    static constexpr int kMaxExhaustedWaits = 1000;
    // The calendar starts at 2001-09-09 01:46:40 UTC and moves with the monotonic clock.
    static constexpr std::time_t kDefaultCalendarStart = 1000000000;

    explicit HeadlessHost(Settings settings = {});

    // Host
    void present(const Frame& frame) override;
    std::optional<Event> poll_event() override;
    WaitResult wait(std::optional<std::uint64_t> deadline_ms) override;
    std::uint64_t now_ms() override { return m_now_ms; }
    std::time_t calendar_time() override;
    bool play_wave(const WaveFormat& format, std::span<const std::byte> samples) override;
    const Settings& settings() const override { return m_settings; }

    // Settings may change between runs of the program (no wave device, 32-bit display...).
    void set_settings(const Settings& settings) { m_settings = settings; }
    // Sets the calendar to seconds at the current virtual time; it moves on with the clock.
    void set_calendar_time(std::time_t seconds);
    // Moves virtual time forward at once, outside any wait.
    void advance(std::uint64_t ms) { m_now_ms += ms; }

    // Queues an event now, stamped with the current virtual time.
    void push_event(Event event);
    // Script steps, run in order by wait().
    void script_event(const Event& event);
    void script_mouse_move(int x, int y);
    // A button pressed or released at (x, y); moves in between make a drag.
    void script_mouse_down(int x, int y, MouseButton button = MouseButton::Left);
    void script_mouse_up(int x, int y, MouseButton button = MouseButton::Left);
    // Move, down and up at (x, y) with one button; each step is seen by a separate wait.
    void script_click(int x, int y, MouseButton button = MouseButton::Left);
    void script_key(std::uint16_t vk, std::uint8_t ch = 0);  // down then up
    void script_close();                                     // CloseRequested
    void script_advance(std::uint64_t ms);
    void script_call(Step step);
    std::size_t script_steps_left() const { return m_script.size(); }

    void set_exhausted_handler(Step handler) { m_on_exhausted = std::move(handler); }
    bool exhausted() const { return m_exhausted; }

    // The last presented frame in 0x00RRGGBB, kScreenWidth x kScreenHeight before the first.
    const std::vector<std::uint32_t>& rgb() const;
    int width() const { return m_width; }
    int height() const { return m_height; }
    // One pixel of the last frame; 0xFFFFFFFF outside it.
    std::uint32_t pixel(int x, int y) const;
    // The same pixel in COLORREF layout (0x00BBGGRR), as GetPixel and RGB() give it.
    std::uint32_t colorref_at(int x, int y) const;
    int frames_presented() const { return m_frames_presented; }
    // Writes the last frame as an RGB PNG file; false, leaving no file, when it cannot.
    bool write_png(const std::string& path) const;

    const std::vector<PlayedWave>& waves() const { return m_waves; }
    void clear_waves() { m_waves.clear(); }

private:
    struct ScriptStep {
        enum class Kind { Event, Advance, Call } kind;
        Event event;
        std::uint64_t ms = 0;
        bool started = false;  // Advance: until_ms is fixed once the step begins
        std::uint64_t until_ms = 0;
        Step call;
    };

    // Runs the head step; returns after an advance stopped at the deadline or a step ended.
    void run_step(std::optional<std::uint64_t> deadline_ms);
    std::uint8_t track_buttons(const Event& event);

    Settings m_settings;
    std::uint64_t m_now_ms = 0;
    std::time_t m_calendar_base = kDefaultCalendarStart;
    std::uint64_t m_calendar_base_ms = 0;

    std::deque<Event> m_events;
    std::deque<ScriptStep> m_script;
    Step m_on_exhausted;
    bool m_exhausted = false;
    int m_exhausted_waits = 0;
    std::uint8_t m_script_buttons = 0;

    // Converts the last presented frame to m_rgb when it has not been yet.
    void convert_last_frame() const;

    // present() keeps the frame as it came; it is converted only when someone looks at it.
    PixelFormat m_format = PixelFormat::Indexed8;
    std::vector<std::uint8_t> m_indices;
    std::vector<std::uint32_t> m_palette;
    std::vector<std::uint32_t> m_pixels;
    mutable bool m_converted = true;
    mutable std::vector<std::uint32_t> m_rgb;
    int m_width = kScreenWidth;
    int m_height = kScreenHeight;
    int m_frames_presented = 0;

    std::vector<PlayedWave> m_waves;
};

}  // namespace host
