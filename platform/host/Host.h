// Host.h: what the API stand-in needs from the machine: screen, input, audio and clocks.
#pragma once

#include "platform/host/Settings.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <span>

namespace host {

inline constexpr int kScreenWidth = 640;
inline constexpr int kScreenHeight = 480;
inline constexpr std::size_t kPaletteSize = 256;

// Host colours are 0x00RRGGBB, the layout of a 32-bit pixel in memory on a little-endian
// machine (blue byte first), which is what 32-bit frames hold.
constexpr std::uint32_t rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return (std::uint32_t{r} << 16) | (std::uint32_t{g} << 8) | b;
}
constexpr std::uint8_t red(std::uint32_t c) {
    return static_cast<std::uint8_t>(c >> 16);
}
constexpr std::uint8_t green(std::uint32_t c) {
    return static_cast<std::uint8_t>(c >> 8);
}
constexpr std::uint8_t blue(std::uint32_t c) {
    return static_cast<std::uint8_t>(c);
}

enum class PixelFormat : std::uint8_t {
    Indexed8,  // one palette index a pixel, shown through the 256-entry palette
    Rgb32,     // one 0x00RRGGBB value a pixel
};

// A view of the emulated screen, top row first. The host copies what it needs during
// present(); the spans need only live for the call.
struct Frame {
    int width = kScreenWidth;
    int height = kScreenHeight;
    PixelFormat format = PixelFormat::Indexed8;
    std::size_t stride = kScreenWidth;       // elements (bytes or pixels) from row to row
    std::span<const std::uint8_t> indices;   // Indexed8: at least stride x (height-1) + width
    std::span<const std::uint32_t> palette;  // Indexed8: the system palette, kPaletteSize
    std::span<const std::uint32_t> pixels;   // Rgb32: at least stride x (height-1) + width

    // True when the spans hold what width, height, stride and format promise.
    bool valid() const;
};

// Converts a frame to 0x00RRGGBB, width x height values, row by row; out must hold them.
// Returns false (and writes nothing) when the frame is not valid or out is too small.
bool convert_to_rgb(const Frame& frame, std::span<std::uint32_t> out);

enum class EventType : std::uint8_t {
    MouseMove,
    MouseDown,
    MouseUp,
    KeyDown,
    KeyUp,
    CloseRequested,  // the host window's close button: the window manager sends WM_CLOSE
};

enum class MouseButton : std::uint8_t { None, Left, Right, Middle };

// Bits of Event::buttons: the mouse buttons held after the event.
inline constexpr std::uint8_t kButtonLeft = 1;
inline constexpr std::uint8_t kButtonRight = 2;
inline constexpr std::uint8_t kButtonMiddle = 4;

// Bits of Event::modifiers: the modifier keys held after the event.
inline constexpr std::uint8_t kModShift = 1;
inline constexpr std::uint8_t kModControl = 2;
inline constexpr std::uint8_t kModAlt = 4;

struct Event {
    EventType type = EventType::MouseMove;
    int x = 0;  // mouse events: screen pixel, may lie outside the screen while dragging
    int y = 0;
    MouseButton button = MouseButton::None;  // MouseDown, MouseUp
    std::uint16_t vk = 0;        // KeyDown, KeyUp: Windows virtual-key code (see VirtualKeys.h)
    std::uint8_t ch = 0;         // KeyDown: the Windows-1250 character the key types, 0 if none
    bool repeat = false;         // KeyDown: auto-repeat of a held key
    std::uint8_t buttons = 0;    // kButton* bits
    std::uint8_t modifiers = 0;  // kMod* bits
    std::uint64_t time_ms = 0;   // monotonic time the event arrived
};

enum class WaitResult : std::uint8_t {
    Event,      // an event may be queued (callers poll; a wake-up without one is allowed)
    Deadline,   // the deadline has passed
    Exhausted,  // headless only: no event, no script step and no deadline: nothing will come
};

// PCM only: 8-bit unsigned (128 is silence) or 16-bit signed little-endian, interleaved.
struct WaveFormat {
    std::uint16_t channels = 1;
    std::uint32_t samples_per_sec = 22050;
    std::uint16_t bits_per_sample = 8;

    bool operator==(const WaveFormat&) const = default;
};

// Playing time of byte_count bytes of samples in whole milliseconds, rounded up; whole
// frames only. 0 for a format with no channels, bits or rate.
std::uint64_t wave_duration_ms(const WaveFormat& format, std::size_t byte_count);

class Host {
public:
    virtual ~Host() = default;

    // Shows the emulated screen. A palette change takes effect with the next present.
    virtual void present(const Frame& frame) = 0;

    // The next input event, without blocking.
    virtual std::optional<Event> poll_event() = 0;

    // Blocks until an input event may be queued or the monotonic clock reaches deadline_ms
    // (no deadline: until an event). Never busy-waits.
    virtual WaitResult wait(std::optional<std::uint64_t> deadline_ms) = 0;

    // Monotonic milliseconds; only differences mean anything.
    virtual std::uint64_t now_ms() = 0;

    // Calendar seconds since 1970-01-01 00:00 UTC.
    virtual std::time_t calendar_time() = 0;

    // Plays the samples and returns when they have played; input that arrives meanwhile is
    // queued. False when there is no wave device or it refuses the format.
    virtual bool play_wave(const WaveFormat& format, std::span<const std::byte> samples) = 0;

    virtual const Settings& settings() const = 0;
};

// The process-wide host. Until one is installed it is a headless host with default settings
// and virtual clocks, so everything runs without a display.
Host& current();

// Makes host current (nullptr: back to the default) and routes crt::time through its
// calendar clock. Does not take ownership: the host must outlive its installation.
void install(Host* host);

// Installs a host for a scope and puts the previous one back.
class ScopedInstall {
public:
    explicit ScopedInstall(Host& host);
    ~ScopedInstall();
    ScopedInstall(const ScopedInstall&) = delete;
    ScopedInstall& operator=(const ScopedInstall&) = delete;

private:
    Host* m_previous;
};

}  // namespace host
