// Frame.cpp: frame checks, palette conversion and wave durations shared by every host.
#include "platform/host/Host.h"

namespace host {

bool Frame::valid() const {
    if (width <= 0 || height <= 0 || stride < static_cast<std::size_t>(width)) {
        return false;
    }
    const std::size_t needed =
        stride * static_cast<std::size_t>(height - 1) + static_cast<std::size_t>(width);
    switch (format) {
        case PixelFormat::Indexed8:
            return indices.size() >= needed && palette.size() >= kPaletteSize;
        case PixelFormat::Rgb32:
            return pixels.size() >= needed;
    }
    return false;
}

bool convert_to_rgb(const Frame& frame, std::span<std::uint32_t> out) {
    if (!frame.valid() || out.size() < static_cast<std::size_t>(frame.width) *
                                           static_cast<std::size_t>(frame.height)) {
        return false;
    }
    const std::size_t width = static_cast<std::size_t>(frame.width);
    std::uint32_t* dst = out.data();
    if (frame.format == PixelFormat::Indexed8) {
        // A local copy of the palette lets the compiler keep it out of aliasing doubt.
        std::uint32_t palette[kPaletteSize];
        for (std::size_t i = 0; i < kPaletteSize; ++i) {
            palette[i] = frame.palette[i] & 0x00FFFFFFu;
        }
        for (int y = 0; y < frame.height; ++y) {
            const std::uint8_t* src =
                frame.indices.data() + frame.stride * static_cast<std::size_t>(y);
            for (std::size_t x = 0; x < width; ++x) {
                dst[x] = palette[src[x]];
            }
            dst += width;
        }
    } else {
        for (int y = 0; y < frame.height; ++y) {
            const std::uint32_t* src =
                frame.pixels.data() + frame.stride * static_cast<std::size_t>(y);
            for (std::size_t x = 0; x < width; ++x) {
                dst[x] = src[x] & 0x00FFFFFFu;
            }
            dst += width;
        }
    }
    return true;
}

std::uint64_t wave_duration_ms(const WaveFormat& format, std::size_t byte_count) {
    const std::uint64_t block = std::uint64_t{format.channels} * (format.bits_per_sample / 8u);
    if (block == 0 || format.samples_per_sec == 0) {
        return 0;
    }
    const std::uint64_t frames = byte_count / block;
    return (frames * 1000 + format.samples_per_sec - 1) / format.samples_per_sec;
}

}  // namespace host
