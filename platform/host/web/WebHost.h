// WebHost.h: the browser host: a canvas, DOM input, WebAudio, and Asyncify for the waits.
#pragma once

#include "platform/host/Host.h"

#include <string>
#include <string_view>
#include <vector>

namespace host {

// Built only by emscripten. The page (index.html with page.js) provides the canvas, queues
// input and shows lines; the program's blocking waits give the browser its turn by Asyncify.
class WebHost final : public Host {
public:
    // Takes the settings from the page address's query; their warnings appear on the page.
    WebHost();

    void present(const Frame& frame) override;
    std::optional<Event> poll_event() override;
    WaitResult wait(std::optional<std::uint64_t> deadline_ms) override;
    std::uint64_t now_ms() override;
    std::time_t calendar_time() override;
    bool play_wave(const WaveFormat& format, std::span<const std::byte> samples) override;
    const Settings& settings() const override { return m_settings; }

    // Shows one line on the page.
    static void say(const std::string& line);
    // Tells the page that the program has ended: it offers to start again.
    static void show_ended();

private:
    Settings m_settings;
    double m_start_ms = 0;
    std::vector<std::uint32_t> m_scratch;  // the frame being presented, 0x00RRGGBB
    std::vector<std::uint32_t> m_shown;    // what the canvas holds
    std::vector<std::uint8_t> m_rgba;      // the canvas's bytes
};

// The PILO_* settings from a page query such as "?scale=2&audio=0": each variable's name in
// lower case without the prefix (PILO_SCALE: scale), values percent-decoded, then read with
// the same checks and warning lines as the environment.
Settings settings_from_query(std::string_view query, const WarningSink& warn);

// The Windows virtual-key code for a DOM key event (its key and code), as the desktop host
// maps the same key; 0 for keys the program cannot see.
std::uint16_t vk_from_dom_key(std::string_view key, std::string_view code);
// The Windows-1250 character that key types with the given kMod* bits, 0 for none.
std::uint8_t char_from_dom_key(std::string_view key, std::string_view code, std::uint8_t modifiers);

}  // namespace host
