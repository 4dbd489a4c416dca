// sdl_host_demo.cpp: draws a test pattern through the SDL host and reacts to input, for the
// smoke test: a click marks the clicked pixel and recolours the top-left quadrant through the
// palette, W plays a 250 ms wave, other keys are named, Esc or closing the window ends it. Each
// reaction is one line on stdout.
#include "platform/host/VirtualKeys.h"
#include "platform/host/sdl/SdlHost.h"

#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Palette indices of the pattern.
constexpr std::uint8_t kTopLeft = 1, kTopRight = 2, kBottomLeft = 3, kBottomRight = 4, kMark = 5;
constexpr int kMarkSize = 16;

__attribute__((format(printf, 1, 2))) void say(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vprintf(format, args);
    va_end(args);
    std::printf("\n");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const std::uint64_t timeout_ms = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 60000;
    auto host = host::SdlHost::create(host::settings_from_environment());
    if (!host) {
        return 1;
    }
    host::install(host.get());

    std::array<std::uint32_t, 256> palette{};
    palette[kTopLeft] = host::rgb(255, 0, 0);
    palette[kTopRight] = host::rgb(0, 255, 0);
    palette[kBottomLeft] = host::rgb(0, 0, 255);
    palette[kBottomRight] = host::rgb(255, 255, 0);
    palette[kMark] = host::rgb(255, 0, 255);
    std::vector<std::uint8_t> screen(host::kScreenWidth * host::kScreenHeight);
    for (int y = 0; y < host::kScreenHeight; ++y) {
        for (int x = 0; x < host::kScreenWidth; ++x) {
            const bool right = x >= host::kScreenWidth / 2;
            const bool bottom = y >= host::kScreenHeight / 2;
            screen[y * host::kScreenWidth + x] =
                bottom ? (right ? kBottomRight : kBottomLeft) : (right ? kTopRight : kTopLeft);
        }
    }
    host::Frame frame;
    frame.indices = screen;
    frame.palette = palette;
    host->present(frame);
    say("ready %d", host->settings().scale.value_or(0));

    // 250 ms of 8-bit mono at 22050: a quiet square wave.
    std::vector<std::byte> wave(5512);
    for (std::size_t i = 0; i < wave.size(); ++i) {
        wave[i] = std::byte((i / 50) % 2 == 0 ? 0x70 : 0x90);
    }

    const std::uint64_t deadline = host->now_ms() + timeout_ms;
    for (;;) {
        while (const auto e = host->poll_event()) {
            if (e->type == host::EventType::MouseDown && e->button == host::MouseButton::Left) {
                say("click %d %d", e->x, e->y);
                for (int y = e->y; y < e->y + kMarkSize && y < host::kScreenHeight; ++y) {
                    for (int x = e->x; x < e->x + kMarkSize && x < host::kScreenWidth; ++x) {
                        if (x >= 0 && y >= 0) {
                            screen[y * host::kScreenWidth + x] = kMark;
                        }
                    }
                }
                palette[kTopLeft] = host::rgb(0, 255, 255);
                host->present(frame);
            } else if (e->type == host::EventType::KeyDown && e->vk == 'W') {
                const std::uint64_t start = host->now_ms();
                const bool played = host->play_wave({1, 22050, 8}, wave);
                say("wave %d %llu", played ? 1 : 0,
                    static_cast<unsigned long long>(host->now_ms() - start));
            } else if (e->type == host::EventType::KeyDown && e->vk == host::vk::kEscape) {
                say("escape");
                return 0;
            } else if (e->type == host::EventType::KeyDown) {
                say("key %d", e->vk);
            } else if (e->type == host::EventType::CloseRequested) {
                say("close");
                return 0;
            }
        }
        if (host->wait(deadline) == host::WaitResult::Deadline) {
            say("timeout");
            return 2;
        }
    }
}
