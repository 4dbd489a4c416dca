// HeadlessHost.cpp: virtual clocks, scripted input, captured frames and waves.
#include "platform/host/headless/HeadlessHost.h"

#include "platform/win32/gdi/png/PngFile.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace host {

namespace {

// The rows of a frame's pixels, packed without the stride's padding.
template <typename T>
void copy_rows(std::span<const T> from, std::size_t stride, std::size_t width, std::size_t height,
               std::vector<T>& to) {
    to.resize(width * height);
    for (std::size_t y = 0; y < height; ++y) {
        std::copy_n(from.begin() + static_cast<std::ptrdiff_t>(stride * y), width,
                    to.begin() + static_cast<std::ptrdiff_t>(width * y));
    }
}

}  // namespace

HeadlessHost::HeadlessHost(Settings settings)
    : m_settings(settings), m_rgb(static_cast<std::size_t>(kScreenWidth) * kScreenHeight, 0) {}

void HeadlessHost::present(const Frame& frame) {
    if (!frame.valid()) {
        return;
    }
    const auto width = static_cast<std::size_t>(frame.width);
    const auto height = static_cast<std::size_t>(frame.height);
    m_format = frame.format;
    if (frame.format == PixelFormat::Indexed8) {
        copy_rows(frame.indices, frame.stride, width, height, m_indices);
        m_palette.assign(frame.palette.begin(), frame.palette.begin() + kPaletteSize);
    } else {
        copy_rows(frame.pixels, frame.stride, width, height, m_pixels);
    }
    m_width = frame.width;
    m_height = frame.height;
    m_converted = false;
    ++m_frames_presented;
}

void HeadlessHost::convert_last_frame() const {
    if (m_converted) {
        return;
    }
    Frame frame;
    frame.width = m_width;
    frame.height = m_height;
    frame.format = m_format;
    frame.stride = static_cast<std::size_t>(m_width);
    frame.indices = m_indices;
    frame.palette = m_palette;
    frame.pixels = m_pixels;
    m_rgb.resize(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height));
    convert_to_rgb(frame, m_rgb);
    m_converted = true;
}

const std::vector<std::uint32_t>& HeadlessHost::rgb() const {
    convert_last_frame();
    return m_rgb;
}

std::uint32_t HeadlessHost::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return 0xFFFFFFFFu;
    }
    convert_last_frame();
    return m_rgb[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                 static_cast<std::size_t>(x)];
}

namespace {

std::uint32_t to_colorref(std::uint32_t c) {
    return std::uint32_t{red(c)} | (std::uint32_t{green(c)} << 8) | (std::uint32_t{blue(c)} << 16);
}

}  // namespace

std::uint32_t HeadlessHost::colorref_at(int x, int y) const {
    const std::uint32_t c = pixel(x, y);
    return c == 0xFFFFFFFFu ? c : to_colorref(c);
}

bool HeadlessHost::write_png(const std::string& path) const {
    convert_last_frame();
    std::vector<std::uint32_t> colorrefs(m_rgb.size());
    for (std::size_t i = 0; i < m_rgb.size(); ++i) {
        colorrefs[i] = to_colorref(m_rgb[i]);
    }
    return gdi::png::write_rgb(path, m_width, m_height, colorrefs);
}

std::optional<Event> HeadlessHost::poll_event() {
    if (m_events.empty()) {
        return std::nullopt;
    }
    Event e = m_events.front();
    m_events.pop_front();
    return e;
}

void HeadlessHost::push_event(Event event) {
    event.time_ms = m_now_ms;
    m_events.push_back(event);
    m_exhausted = false;
}

WaitResult HeadlessHost::wait(std::optional<std::uint64_t> deadline_ms) {
    for (;;) {
        if (!m_events.empty()) {
            m_exhausted_waits = 0;
            return WaitResult::Event;
        }
        if (deadline_ms && m_now_ms >= *deadline_ms) {
            m_exhausted_waits = 0;
            return WaitResult::Deadline;
        }
        if (!m_script.empty()) {
            run_step(deadline_ms);
            continue;
        }
        if (deadline_ms) {
            m_now_ms = *deadline_ms;
            continue;
        }
        // Nothing queued, nothing scripted, nothing to wait for: the handler may add more.
        if (m_on_exhausted && !m_exhausted) {
            m_exhausted = true;
            const Step handler = m_on_exhausted;  // the handler may replace itself
            handler(*this);
            if (!m_events.empty() || !m_script.empty()) {
                m_exhausted = false;
                continue;
            }
        }
        m_exhausted = true;
        if (++m_exhausted_waits >= kMaxExhaustedWaits) {
            std::fprintf(stderr,
                         "pilo: headless host: the program keeps waiting for input after the "
                         "script ended (%d waits with nothing to come); aborting\n",
                         m_exhausted_waits);
            std::abort();
        }
        return WaitResult::Exhausted;
    }
}

void HeadlessHost::run_step(std::optional<std::uint64_t> deadline_ms) {
    ScriptStep& step = m_script.front();
    switch (step.kind) {
        case ScriptStep::Kind::Event: {
            const Event e = step.event;
            m_script.pop_front();
            push_event(e);
            return;
        }
        case ScriptStep::Kind::Advance:
            if (!step.started) {
                step.started = true;
                step.until_ms = m_now_ms + step.ms;
            }
            // Stop at the deadline so the program sees its timer on time; the rest of the
            // advance runs at the next wait.
            if (deadline_ms && *deadline_ms < step.until_ms) {
                m_now_ms = std::max(m_now_ms, *deadline_ms);
                return;
            }
            m_now_ms = std::max(m_now_ms, step.until_ms);
            m_script.pop_front();
            return;
        case ScriptStep::Kind::Call: {
            Step call = std::move(step.call);
            m_script.pop_front();
            // The call may add steps or events; it runs after its step left the queue.
            call(*this);
            return;
        }
    }
}

std::time_t HeadlessHost::calendar_time() {
    return m_calendar_base + static_cast<std::time_t>((m_now_ms - m_calendar_base_ms) / 1000);
}

void HeadlessHost::set_calendar_time(std::time_t seconds) {
    m_calendar_base = seconds;
    m_calendar_base_ms = m_now_ms;
}

bool HeadlessHost::play_wave(const WaveFormat& format, std::span<const std::byte> samples) {
    if (!m_settings.audio) {
        return false;
    }
    const bool supported = (format.channels == 1 || format.channels == 2) &&
                           (format.bits_per_sample == 8 || format.bits_per_sample == 16) &&
                           format.samples_per_sec > 0;
    if (!supported) {
        return false;
    }
    PlayedWave played;
    played.format = format;
    played.samples.assign(samples.begin(), samples.end());
    played.source = samples.data();
    played.start_ms = m_now_ms;
    played.duration_ms = wave_duration_ms(format, samples.size());
    m_now_ms += played.duration_ms;
    m_waves.push_back(std::move(played));
    return true;
}

std::uint8_t HeadlessHost::track_buttons(const Event& event) {
    std::uint8_t bit = 0;
    switch (event.button) {
        case MouseButton::Left:
            bit = kButtonLeft;
            break;
        case MouseButton::Right:
            bit = kButtonRight;
            break;
        case MouseButton::Middle:
            bit = kButtonMiddle;
            break;
        case MouseButton::None:
            break;
    }
    if (event.type == EventType::MouseDown) {
        m_script_buttons |= bit;
    } else if (event.type == EventType::MouseUp) {
        m_script_buttons &= static_cast<std::uint8_t>(~bit);
    }
    return m_script_buttons;
}

void HeadlessHost::script_event(const Event& event) {
    ScriptStep step{ScriptStep::Kind::Event, event, 0, false, 0, {}};
    m_script.push_back(std::move(step));
    m_exhausted = false;
}

void HeadlessHost::script_mouse_move(int x, int y) {
    Event e;
    e.type = EventType::MouseMove;
    e.x = x;
    e.y = y;
    e.buttons = m_script_buttons;
    script_event(e);
}

void HeadlessHost::script_mouse_down(int x, int y, MouseButton button) {
    Event e;
    e.type = EventType::MouseDown;
    e.x = x;
    e.y = y;
    e.button = button;
    e.buttons = track_buttons(e);
    script_event(e);
}

void HeadlessHost::script_mouse_up(int x, int y, MouseButton button) {
    Event e;
    e.type = EventType::MouseUp;
    e.x = x;
    e.y = y;
    e.button = button;
    e.buttons = track_buttons(e);
    script_event(e);
}

void HeadlessHost::script_click(int x, int y, MouseButton button) {
    script_mouse_move(x, y);
    script_mouse_down(x, y, button);
    script_mouse_up(x, y, button);
}

void HeadlessHost::script_key(std::uint16_t vk, std::uint8_t ch) {
    Event down;
    down.type = EventType::KeyDown;
    down.vk = vk;
    down.ch = ch;
    script_event(down);
    Event up;
    up.type = EventType::KeyUp;
    up.vk = vk;
    script_event(up);
}

void HeadlessHost::script_close() {
    Event e;
    e.type = EventType::CloseRequested;
    script_event(e);
}

void HeadlessHost::script_advance(std::uint64_t ms) {
    ScriptStep step{ScriptStep::Kind::Advance, {}, ms, false, 0, {}};
    m_script.push_back(std::move(step));
    m_exhausted = false;
}

void HeadlessHost::script_call(Step call) {
    ScriptStep step{ScriptStep::Kind::Call, {}, 0, false, 0, std::move(call)};
    m_script.push_back(std::move(step));
    m_exhausted = false;
}

}  // namespace host
