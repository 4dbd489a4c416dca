// DibFuzzer.cpp: decode_dib on arbitrary bytes, split into header and bits held in exact-size
// buffers so that any read past either end is reported.
#include "platform/win32/gdi/dib/DibDecoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

std::unique_ptr<std::uint8_t[]> copy_exact(const std::uint8_t* data, std::size_t size) {
    std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[size]);
    if (size != 0) {
        std::memcpy(buffer.get(), data, size);
    }
    return buffer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    // The first two bytes choose where the header ends and the bits begin.
    const std::size_t split = std::min<std::size_t>(data[0] | (data[1] << 8), size - 2);
    const auto header = copy_exact(data + 2, split);
    const auto bits = copy_exact(data + 2 + split, size - 2 - split);
    const std::size_t bits_size = size - 2 - split;

    gdi::dib::DibHeaderInfo info{};
    const gdi::dib::DibError header_error = gdi::dib::read_dib_header(header.get(), split, info);
    gdi::dib::DecodedDib dib;
    const gdi::dib::DibError error =
        gdi::dib::decode_dib(header.get(), split, bits.get(), bits_size, dib);
    if (error != gdi::dib::DibError::None) {
        return 0;
    }
    // A decoded picture is consistent with its header and fits the buffers it came from.
    const std::size_t pixels = static_cast<std::size_t>(dib.width) * dib.height;
    const bool indexed = dib.bits_per_pixel <= 8;
    if (header_error != gdi::dib::DibError::None || info.bits_offset > split ||
        info.bits_bytes > bits_size || dib.width != info.width || dib.height != info.height ||
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
