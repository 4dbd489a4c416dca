// DibFuzzer.cpp: decode_dib on arbitrary bytes, split into header and bits held in exact-size
// buffers so that any read past either end is reported.
#include "platform/win32/gdi/dib/DibDecoder.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    // The first two bytes choose where the header ends and the bits begin.
    const std::size_t split = std::min<std::size_t>(data[0] | (data[1] << 8), size - 2);
    const std::vector<std::uint8_t> header(data + 2, data + 2 + split);
    const std::vector<std::uint8_t> bits(data + 2 + split, data + size);
    gdi::dib::DibHeaderInfo info{};
    const auto header_error = gdi::dib::read_dib_header(header.data(), split, info);
    gdi::dib::DecodedDib dib;
    if (gdi::dib::decode_dib(header.data(), split, bits.data(), bits.size(), dib) !=
        gdi::dib::DibError::None) {
        return 0;
    }
    // A decoded picture is consistent with its header and fits the buffers it came from.
    const std::size_t pixels = static_cast<std::size_t>(dib.width) * dib.height;
    const bool indexed = dib.bits_per_pixel <= 8;
    if (header_error != gdi::dib::DibError::None || info.bits_offset > split ||
        info.bits_bytes > bits.size() || dib.width != info.width || dib.height != info.height ||
        (indexed ? dib.indices.size() : dib.colors.size()) != pixels ||
        (indexed && dib.color_table.size() != (std::size_t{1} << dib.bits_per_pixel))) {
        std::abort();
    }
    for (std::uint32_t c : dib.colors) {
        if ((c & 0xFF000000u) != 0) {
            std::abort();
        }
    }
    return 0;
}
