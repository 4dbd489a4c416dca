// WebHost.cpp: the host calls turned into calls on the page (page.js). The waits sleep through
// Asyncify, so the browser runs its event loop and nothing spins while the program waits.
#include "platform/host/web/WebHost.h"

#include <emscripten.h>

#include <algorithm>
#include <cmath>

// Each EM_JS body runs in the module's scope, where Module.pilo is the page's side.
EM_JS(double, pilo_web_now, (), { return performance.now(); });
EM_JS(double, pilo_web_calendar, (), { return Date.now(); });
EM_JS(int, pilo_web_query_size, (), { return lengthBytesUTF8(location.search) + 1; });
EM_JS(void, pilo_web_query, (char* out, int size), { stringToUTF8(location.search, out, size); });
EM_JS(void, pilo_web_set_scale, (int scale), { Module.pilo.setScale(scale); });
EM_JS(void, pilo_web_say, (const char* line), { Module.pilo.say(UTF8ToString(line)); });
EM_JS(void, pilo_web_ended, (), { Module.pilo.ended(); });
EM_JS(void, pilo_web_put, (const std::uint8_t* rgba, int width, int height),
      { Module.pilo.put(HEAPU8.subarray(rgba, rgba + width * height * 4), width, height); });
EM_JS(int, pilo_web_pending, (), { return Module.pilo.pending(); });
// Fills fields (type, x, y, button, buttons, modifiers, repeat) and the key's DOM key and code.
EM_JS(int, pilo_web_next_event, (int* fields, char* key, char* code, int text_size), {
    const e = Module.pilo.next();
    if (!e)
        return 0;
    const f =
        [ e.type, e.x | 0, e.y | 0, e.button | 0, e.buttons | 0, e.mods | 0, e.repeat ? 1 : 0 ];
    HEAP32.set(f, fields >> 2);
    stringToUTF8(e.key || "", key, text_size);
    stringToUTF8(e.code || "", code, text_size);
    return 1;
});
// Resolves at the next input or after ms (negative: no time limit).
EM_ASYNC_JS(void, pilo_web_sleep, (double ms), { await Module.pilo.sleep(ms); });
// 1: playing, 0: no audio yet (before the first gesture), -1: the format is refused.
EM_JS(int, pilo_web_play, (const std::uint8_t* data, int bytes, int channels, int rate, int bits),
      { return Module.pilo.play(HEAPU8.subarray(data, data + bytes), channels, rate, bits); });

namespace host {
namespace {

constexpr int kTextSize = 32;

}  // namespace

WebHost::WebHost() {
    std::string query(static_cast<std::size_t>(pilo_web_query_size()), '\0');
    pilo_web_query(query.data(), static_cast<int>(query.size()));
    query.resize(query.find('\0'));
    m_settings = settings_from_query(query, [](const std::string& line) { say(line); });
    pilo_web_set_scale(m_settings.scale.value_or(0));
    m_start_ms = pilo_web_now();
}

void WebHost::say(const std::string& line) {
    pilo_web_say(line.c_str());
}

void WebHost::show_ended() {
    pilo_web_ended();
}

void WebHost::present(const Frame& frame) {
    const std::size_t count = static_cast<std::size_t>(frame.width) * frame.height;
    m_scratch.resize(frame.valid() ? count : 0);
    if (!frame.valid() || !convert_to_rgb(frame, m_scratch) || m_scratch == m_shown) {
        return;  // nothing to show, or nothing changed on screen
    }
    m_rgba.resize(count * 4);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t c = m_scratch[i];
        m_rgba[i * 4] = red(c);
        m_rgba[i * 4 + 1] = green(c);
        m_rgba[i * 4 + 2] = blue(c);
        m_rgba[i * 4 + 3] = 0xFF;
    }
    pilo_web_put(m_rgba.data(), frame.width, frame.height);
    m_shown.swap(m_scratch);
}

std::optional<Event> WebHost::poll_event() {
    int fields[7] = {};
    char key[kTextSize] = {};
    char code[kTextSize] = {};
    while (pilo_web_next_event(fields, key, code, kTextSize) != 0) {
        Event e;
        e.type = static_cast<EventType>(fields[0]);
        e.x = fields[1];
        e.y = fields[2];
        e.button = static_cast<MouseButton>(fields[3]);
        e.buttons = static_cast<std::uint8_t>(fields[4]);
        e.modifiers = static_cast<std::uint8_t>(fields[5]);
        e.repeat = fields[6] != 0;
        e.time_ms = now_ms();
        if (e.type == EventType::KeyDown || e.type == EventType::KeyUp) {
            e.vk = vk_from_dom_key(key, code);
            if (e.vk == 0) {
                continue;  // a key the program cannot see
            }
            if (e.type == EventType::KeyDown) {
                e.ch = char_from_dom_key(key, code, e.modifiers);
            }
        }
        return e;
    }
    return std::nullopt;
}

WaitResult WebHost::wait(std::optional<std::uint64_t> deadline_ms) {
    for (;;) {
        if (pilo_web_pending() != 0) {
            return WaitResult::Event;
        }
        const std::uint64_t now = now_ms();
        if (deadline_ms && now >= *deadline_ms) {
            return WaitResult::Deadline;
        }
        pilo_web_sleep(deadline_ms ? static_cast<double>(*deadline_ms - now) : -1.0);
    }
}

std::uint64_t WebHost::now_ms() {
    return static_cast<std::uint64_t>(std::max(0.0, std::floor(pilo_web_now() - m_start_ms)));
}

std::time_t WebHost::calendar_time() {
    return static_cast<std::time_t>(std::floor(pilo_web_calendar() / 1000.0));
}

bool WebHost::play_wave(const WaveFormat& format, std::span<const std::byte> samples) {
    const bool supported = (format.channels == 1 || format.channels == 2) &&
                           (format.bits_per_sample == 8 || format.bits_per_sample == 16) &&
                           format.samples_per_sec > 0 && format.samples_per_sec <= 0x7FFFFFFF;
    if (!m_settings.audio || !supported) {
        return false;
    }
    const std::size_t block = std::size_t{format.channels} * (format.bits_per_sample / 8u);
    const std::size_t bytes = samples.size() - samples.size() % block;
    if (bytes == 0) {
        return true;
    }
    // Before the page may make sound the wave plays silent, its length kept.
    if (pilo_web_play(reinterpret_cast<const std::uint8_t*>(samples.data()),
                      static_cast<int>(bytes), format.channels,
                      static_cast<int>(format.samples_per_sec), format.bits_per_sample) < 0) {
        return false;
    }
    // The thread is held for the wave's length; input that arrives meanwhile stays queued.
    const std::uint64_t end = now_ms() + wave_duration_ms(format, bytes);
    for (std::uint64_t now = now_ms(); now < end; now = now_ms()) {
        pilo_web_sleep(static_cast<double>(end - now));
    }
    return true;
}

}  // namespace host
