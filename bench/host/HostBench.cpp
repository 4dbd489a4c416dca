// HostBench.cpp: the cost of turning the emulated screen into pixels and showing it.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/host/sdl/SdlHost.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <vector>

namespace {

struct Screen {
    std::vector<std::uint8_t> indices =
        std::vector<std::uint8_t>(host::kScreenWidth * host::kScreenHeight);
    std::vector<std::uint32_t> pixels =
        std::vector<std::uint32_t>(host::kScreenWidth * host::kScreenHeight);
    std::array<std::uint32_t, 256> palette{};

    Screen() {
        for (std::size_t i = 0; i < indices.size(); ++i) {
            indices[i] = static_cast<std::uint8_t>((i * 7 + i / host::kScreenWidth) & 0xFF);
            pixels[i] = static_cast<std::uint32_t>(i * 2654435761u) & 0x00FFFFFFu;
        }
        for (std::size_t i = 0; i < palette.size(); ++i) {
            palette[i] = host::rgb(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                   static_cast<std::uint8_t>(i * 3));
        }
    }

    host::Frame indexed() const {
        host::Frame f;
        f.indices = indices;
        f.palette = palette;
        return f;
    }
};

void BM_ConvertIndexedFrame(benchmark::State& state) {
    const Screen screen;
    const host::Frame frame = screen.indexed();
    std::vector<std::uint32_t> out(screen.indices.size());
    for (auto _ : state) {
        host::convert_to_rgb(frame, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(out.size()));
}
BENCHMARK(BM_ConvertIndexedFrame);

void BM_ConvertRgb32Frame(benchmark::State& state) {
    const Screen screen;
    host::Frame frame;
    frame.format = host::PixelFormat::Rgb32;
    frame.pixels = screen.pixels;
    std::vector<std::uint32_t> out(screen.pixels.size());
    for (auto _ : state) {
        host::convert_to_rgb(frame, out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(out.size()));
}
BENCHMARK(BM_ConvertRgb32Frame);

void BM_HeadlessPresent(benchmark::State& state) {
    Screen screen;
    host::HeadlessHost h;
    const host::Frame frame = screen.indexed();
    for (auto _ : state) {
        h.present(frame);
        benchmark::DoNotOptimize(h.rgb().data());
    }
}
BENCHMARK(BM_HeadlessPresent);

// Every iteration shows the screen through the other of two palettes, so every pixel changes
// and the host converts, zooms and sends the whole screen. Without a display SDL's dummy video
// driver gives a software window surface: the same conversion and zoom path as under X11.
void BM_SdlPresentChanged(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    host::Settings settings;
    settings.scale = static_cast<int>(state.range(0));
    settings.audio = false;
    auto sdl = host::SdlHost::create(settings);
    if (!sdl) {
        state.SkipWithError("the SDL host cannot start");
        return;
    }
    Screen screen;
    const host::Frame frame = screen.indexed();
    for (auto _ : state) {
        for (auto& c : screen.palette) {
            c ^= 0x00FFFFFFu;
        }
        sdl->present(frame);
    }
}
BENCHMARK(BM_SdlPresentChanged)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_SdlPresentUnchanged(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    host::Settings settings;
    settings.scale = 2;
    settings.audio = false;
    auto sdl = host::SdlHost::create(settings);
    if (!sdl) {
        state.SkipWithError("the SDL host cannot start");
        return;
    }
    const Screen screen;
    const host::Frame frame = screen.indexed();
    sdl->present(frame);
    for (auto _ : state) {
        sdl->present(frame);
    }
}
BENCHMARK(BM_SdlPresentUnchanged)->Unit(benchmark::kMillisecond);

}  // namespace
