// WaveParser.cpp: the RIFF/WAVE reader behind sndPlaySoundA.
#include "platform/win32/mm/WaveParser.h"

#include <cstdint>
#include <cstring>

namespace mm {
namespace {

std::uint32_t le32(const std::byte* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

std::uint16_t le16(const std::byte* p) {
    return static_cast<std::uint16_t>(std::uint16_t(p[0]) | (std::uint16_t(p[1]) << 8));
}

bool has_id(const std::byte* p, const char (&id)[5]) {
    return std::memcmp(p, id, 4) == 0;
}

WaveError read_format(std::span<const std::byte> chunk, WAVEFORMATEX& out) {
    // WAVEFORMAT without bits a sample is 14 bytes; PCM needs the 16 of PCMWAVEFORMAT.
    if (chunk.size() < 14) {
        return WaveError::FormatTooShort;
    }
    const std::byte* p = chunk.data();
    WAVEFORMATEX f{};
    f.wFormatTag = le16(p);
    f.nChannels = le16(p + 2);
    f.nSamplesPerSec = le32(p + 4);
    f.nAvgBytesPerSec = le32(p + 8);
    f.nBlockAlign = le16(p + 12);
    if (f.wFormatTag != WAVE_FORMAT_PCM) {
        return WaveError::NotPcm;
    }
    if (chunk.size() < 16) {
        return WaveError::FormatTooShort;
    }
    f.wBitsPerSample = le16(p + 14);
    f.cbSize = chunk.size() >= 18 ? le16(p + 16) : 0;
    if (f.nChannels != 1 && f.nChannels != 2) {
        return WaveError::BadChannels;
    }
    if (f.wBitsPerSample != 8 && f.wBitsPerSample != 16) {
        return WaveError::BadBits;
    }
    if (f.nSamplesPerSec < kMinRate || f.nSamplesPerSec > kMaxRate) {
        return WaveError::BadRate;
    }
    if (f.nBlockAlign != f.nChannels * (f.wBitsPerSample / 8)) {
        return WaveError::BadBlockAlign;
    }
    // nAvgBytesPerSec is advisory: drivers compute it from the rate and block size.
    out = f;
    return WaveError::None;
}

}  // namespace

WaveParse parse_wave(std::span<const std::byte> image) {
    WaveParse result;
    if (image.size() < 12) {
        result.error = WaveError::TooShort;
        return result;
    }
    const std::byte* base = image.data();
    if (!has_id(base, "RIFF")) {
        result.error = WaveError::NotRiff;
        return result;
    }
    const std::uint64_t end = std::uint64_t{le32(base + 4)} + 8;
    if (end > image.size()) {
        result.error = WaveError::Truncated;
        return result;
    }
    if (end < 12 || !has_id(base + 8, "WAVE")) {
        result.error = end < 12 ? WaveError::Truncated : WaveError::NotWave;
        return result;
    }

    std::span<const std::byte> fmt;
    std::span<const std::byte> data;
    bool have_fmt = false;
    bool have_data = false;
    std::uint64_t pos = 12;
    while (pos + 8 <= end && !(have_fmt && have_data)) {
        const std::byte* header = base + pos;
        const std::uint64_t size = le32(header + 4);
        const std::uint64_t body = pos + 8;
        if (body + size > end) {
            result.error = WaveError::Truncated;
            return result;
        }
        const auto chunk =
            image.subspan(static_cast<std::size_t>(body), static_cast<std::size_t>(size));
        if (!have_fmt && has_id(header, "fmt ")) {
            fmt = chunk;
            have_fmt = true;
        } else if (!have_data && has_id(header, "data")) {
            data = chunk;
            have_data = true;
        }
        pos = body + size + (size & 1);
    }
    if (!have_fmt) {
        result.error = WaveError::NoFormat;
        return result;
    }
    WAVEFORMATEX format{};
    if (const WaveError e = read_format(fmt, format); e != WaveError::None) {
        result.error = e;
        return result;
    }
    if (!have_data) {
        result.error = WaveError::NoData;
        return result;
    }
    result.wave.format = format;
    result.wave.samples = data.first(data.size() - data.size() % format.nBlockAlign);
    return result;
}

const char* describe(WaveError error) {
    switch (error) {
        case WaveError::None:
            return "a playable wave";
        case WaveError::TooShort:
            return "shorter than a RIFF header";
        case WaveError::NotRiff:
            return "not a RIFF image";
        case WaveError::NotWave:
            return "a RIFF image that is not WAVE";
        case WaveError::Truncated:
            return "a chunk or the RIFF runs past the end";
        case WaveError::NoFormat:
            return "no fmt chunk";
        case WaveError::FormatTooShort:
            return "fmt chunk too short";
        case WaveError::NotPcm:
            return "not PCM";
        case WaveError::BadChannels:
            return "neither mono nor stereo";
        case WaveError::BadBits:
            return "neither 8 nor 16 bits";
        case WaveError::BadRate:
            return "sample rate out of range";
        case WaveError::BadBlockAlign:
            return "block alignment does not match the format";
        case WaveError::NoData:
            return "no data chunk";
    }
    return "unknown";
}

}  // namespace mm
