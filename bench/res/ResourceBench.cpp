// ResourceBench.cpp: the costs of reading the program's resource image and looking things up.
#include "platform/win32/kernel/ResourceBounds.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/windows.h"
#include "res/PiloResources.h"

#include <benchmark/benchmark.h>

namespace {

// What start-up pays once: every header of the image checked.
void ValidateProgramImage(benchmark::State& state) {
    const auto image = pilo_resource_image();
    for (auto _ : state) {
        benchmark::DoNotOptimize(kernel::validate_resource_image(image));
    }
}
BENCHMARK(ValidateProgramImage);

// What each wave of the score announcement pays before it plays.
void FindLoadLockSound(benchmark::State& state) {
    pilo_install_resources();
    for (auto _ : state) {
        HRSRC r = FindResourceA(nullptr, MAKEINTRESOURCEA(154), "sound");
        benchmark::DoNotOptimize(LockResource(LoadResource(nullptr, r)));
    }
}
BENCHMARK(FindLoadLockSound);

void LoadTooltipString(benchmark::State& state) {
    pilo_install_resources();
    char buffer[128];
    for (auto _ : state) {
        benchmark::DoNotOptimize(LoadStringA(nullptr, 1000, buffer, sizeof buffer));
    }
}
BENCHMARK(LoadTooltipString);

// DIB readers ask for their bounds once per picture.
void BoundsOfThePixelsOfASpriteSheet(benchmark::State& state) {
    pilo_install_resources();
    HRSRC r = FindResourceA(nullptr, MAKEINTRESOURCEA(162), RT_BITMAP);
    const auto* p = static_cast<const std::byte*>(LockResource(LoadResource(nullptr, r)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(kernel::resource_bytes_from(p + 40 + 1024));
    }
}
BENCHMARK(BoundsOfThePixelsOfASpriteSheet);

}  // namespace
