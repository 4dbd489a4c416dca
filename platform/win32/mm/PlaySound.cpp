// PlaySound.cpp: sndPlaySoundA over the host's wave device.
#include "platform/host/Host.h"
#include "platform/win32/kernel/ResourceBounds.h"
#include "platform/win32/mm/PlayHooks.h"
#include "platform/win32/mm/WaveParser.h"
#include "platform/win32/mmsystem.h"

#include <cstdint>
#include <cstring>

namespace {

// Without known bounds the RIFF header is all there is to go by; a claim beyond this is
// taken for garbage rather than followed through memory.
constexpr std::uint64_t kMaxUnboundedImage = 64u << 20;

// The bytes sndPlaySoundA may read: the rest of the resource holding the image when the
// kernel knows it, otherwise what the RIFF header claims. Empty when neither will do.
std::span<const std::byte> image_at(const void* sound) {
    if (const auto resource = kernel::resource_bytes_from(sound)) {
        return *resource;  // inside a resource: never past its end, even if that leaves nothing
    }
    const auto* p = static_cast<const std::byte*>(sound);
    if (std::memcmp(p, "RIFF", 4) != 0) {
        return {};
    }
    const std::uint64_t size = std::uint64_t(p[4]) | (std::uint64_t(p[5]) << 8) |
                               (std::uint64_t(p[6]) << 16) | (std::uint64_t(p[7]) << 24);
    if (size + 8 > kMaxUnboundedImage) {
        return {};
    }
    return {p, static_cast<std::size_t>(size + 8)};
}

mm::BeforePlayHook g_before_play = nullptr;

}  // namespace

void mm::set_before_play_hook(BeforePlayHook hook) {
    g_before_play = hook;
}

BOOL sndPlaySoundA(LPCSTR sound, UINT flags) {
    if (sound == nullptr) {
        return TRUE;  // stop: nothing plays in the background, so nothing to stop
    }
    if ((flags & SND_MEMORY) == 0 || (flags & SND_LOOP) != 0) {
        return FALSE;  // no files or aliases are read; a loop would never return
    }
    const auto image = image_at(sound);
    if (image.empty()) {
        return FALSE;
    }
    const mm::WaveParse parsed = mm::parse_wave(image);
    if (!parsed.ok()) {
        return FALSE;
    }
    const WAVEFORMATEX& f = parsed.wave.format;
    const host::WaveFormat format{f.nChannels, f.nSamplesPerSec, f.wBitsPerSample};
    if (g_before_play != nullptr) {
        g_before_play();
    }
    return host::current().play_wave(format, parsed.wave.samples) ? TRUE : FALSE;
}
