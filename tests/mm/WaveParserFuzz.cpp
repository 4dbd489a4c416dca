// WaveParserFuzz.cpp: arbitrary bytes through the RIFF/WAVE reader.
#include "platform/win32/mm/WaveParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::byte> image(reinterpret_cast<const std::byte*>(data), size);
    const mm::WaveParse parsed = mm::parse_wave(image);
    if (parsed.ok()) {
        // What the reader hands out lies inside the input and holds whole frames.
        const auto& samples = parsed.wave.samples;
        const auto& f = parsed.wave.format;
        if (!samples.empty() && (samples.data() < image.data() ||
                                 samples.data() + samples.size() > image.data() + image.size())) {
            std::abort();
        }
        if (f.nBlockAlign == 0 || samples.size() % f.nBlockAlign != 0) {
            std::abort();
        }
    }
    return 0;
}
