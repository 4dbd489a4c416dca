// SdlHost.h: the desktop host: one SDL2 window, its input, and SDL's audio device.
#pragma once

#include "platform/host/Host.h"

#include <memory>

namespace host {

class SdlHost final : public Host {
public:
    // Opens the window titled "Pilo" at the settings' scale. When SDL cannot start, says why
    // once on stderr (with SDL's error text) and returns nullptr: the caller exits non-zero.
    static std::unique_ptr<SdlHost> create(const Settings& settings);
    ~SdlHost() override;

    void present(const Frame& frame) override;
    std::optional<Event> poll_event() override;
    WaitResult wait(std::optional<std::uint64_t> deadline_ms) override;
    std::uint64_t now_ms() override;
    std::time_t calendar_time() override;
    bool play_wave(const WaveFormat& format, std::span<const std::byte> samples) override;
    const Settings& settings() const override;

    struct Impl;

private:
    explicit SdlHost(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

// The Windows virtual-key code for an SDL key code, 0 for keys the program cannot see.
std::uint16_t vk_from_sdl_keycode(std::int32_t keycode);
// The Windows-1250 character a key types with the given kMod* bits, 0 for none.
std::uint8_t char_from_sdl_keycode(std::int32_t keycode, std::uint8_t modifiers);

}  // namespace host
