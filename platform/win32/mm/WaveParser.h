// WaveParser.h: reads a RIFF/WAVE image in memory into a PCM format and its samples.
#pragma once

#include "platform/win32/mmsystem.h"

#include <cstddef>
#include <span>

namespace mm {

enum class WaveError {
    None,
    TooShort,        // fewer than the 12 bytes of "RIFF" size "WAVE"
    NotRiff,         // no "RIFF" at the start
    NotWave,         // the RIFF form is not "WAVE"
    Truncated,       // the RIFF size or a chunk runs past the bytes there are
    NoFormat,        // no "fmt " chunk
    FormatTooShort,  // "fmt " shorter than a PCM format needs
    NotPcm,          // a format tag other than WAVE_FORMAT_PCM
    BadChannels,     // not mono or stereo
    BadBits,         // not 8 or 16 bits a sample
    BadRate,         // outside kMinRate to kMaxRate
    BadBlockAlign,   // nBlockAlign is not channels x bytes a sample
    NoData,          // no "data" chunk
};

inline constexpr DWORD kMinRate = 4000;
inline constexpr DWORD kMaxRate = 48000;

struct Wave {
    WAVEFORMATEX format{};               // cbSize 0 when the chunk has no such field
    std::span<const std::byte> samples;  // inside the image, whole sample frames only
};

struct WaveParse {
    WaveError error = WaveError::None;
    Wave wave;

    bool ok() const { return error == WaveError::None; }
};

// Reads nothing outside image, which bounds the RIFF size in the header: bytes past the RIFF
// (resource padding) are ignored, a RIFF that claims more than image holds is truncated.
// Chunks are found by id in any order, the first of each kind counting; unknown chunks are
// skipped and an odd-sized chunk is followed by a pad byte.
WaveParse parse_wave(std::span<const std::byte> image);

const char* describe(WaveError error);

}  // namespace mm
