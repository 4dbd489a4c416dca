// DibDecoder.cpp: pixel decoding of uncompressed DIBs, rows put top first.
#include "platform/win32/gdi/dib/DibDecoder.h"

#include "platform/win32/gdi/dib/LittleEndian.h"

#include <bit>
#include <utility>

namespace gdi::dib {

namespace {

// One colour channel of a 16- or 32-bit pixel, widened to 8 bits by repeating its bits,
// so that a full 5-bit value becomes 255 and 0 stays 0.
class Channel {
public:
    explicit Channel(std::uint32_t mask)
        : m_mask(mask),
          m_shift(mask == 0 ? 0 : std::countr_zero(mask)),
          m_bits(std::popcount(mask)) {}

    std::uint32_t expand(std::uint32_t pixel) const {
        if (m_bits == 0) {
            return 0;
        }
        const std::uint32_t v = (pixel & m_mask) >> m_shift;
        if (m_bits >= 8) {
            return v >> (m_bits - 8);
        }
        std::uint32_t result = 0;
        for (int pos = 8; pos > 0;) {
            pos -= m_bits;
            result |= pos >= 0 ? v << pos : v >> -pos;
        }
        return result;
    }

private:
    std::uint32_t m_mask;
    int m_shift;
    int m_bits;
};

std::vector<RgbQuad> read_color_table(const std::uint8_t* table, const DibHeaderInfo& info) {
    std::vector<RgbQuad> result;
    const std::size_t entry_bytes = info.form == HeaderForm::Core ? 3 : 4;
    result.reserve(info.bits_per_pixel <= 8 ? std::size_t{1} << info.bits_per_pixel : 0);
    for (std::uint32_t i = 0; i < info.color_count; ++i) {
        const std::uint8_t* e = table + i * entry_bytes;
        result.push_back(RgbQuad{e[0], e[1], e[2], 0});
    }
    return result;
}

void decode_indices(const std::uint8_t* row, int width, int bpp, std::uint8_t* out) {
    switch (bpp) {
        case 1:
            for (int x = 0; x < width; ++x) {
                out[x] = static_cast<std::uint8_t>((row[x >> 3] >> (7 - (x & 7))) & 1);
            }
            break;
        case 4:
            for (int x = 0; x < width; ++x) {
                const std::uint8_t b = row[x >> 1];
                out[x] = static_cast<std::uint8_t>((x & 1) != 0 ? b & 0x0F : b >> 4);
            }
            break;
        default:
            for (int x = 0; x < width; ++x) {
                out[x] = row[x];
            }
            break;
    }
}

void decode_colors(const std::uint8_t* row, int width, const DibHeaderInfo& info,
                   const Channel (&channels)[3], std::uint32_t* out) {
    switch (info.bits_per_pixel) {
        case 24:
            for (int x = 0; x < width; ++x) {
                const std::uint8_t* px = row + 3 * x;
                out[x] = px[2] | (std::uint32_t{px[1]} << 8) | (std::uint32_t{px[0]} << 16);
            }
            break;
        case 16:
            for (int x = 0; x < width; ++x) {
                const std::uint32_t px = load_u16(row + 2 * x);
                out[x] = channels[0].expand(px) | (channels[1].expand(px) << 8) |
                         (channels[2].expand(px) << 16);
            }
            break;
        default:
            for (int x = 0; x < width; ++x) {
                const std::uint32_t px = load_u32(row + 4 * x);
                out[x] = channels[0].expand(px) | (channels[1].expand(px) << 8) |
                         (channels[2].expand(px) << 16);
            }
            break;
    }
}

}  // namespace

DibError decode_dib(const void* header, std::size_t header_bytes, const void* bits,
                    std::size_t bits_bytes, DecodedDib& out) {
    if (header == nullptr || bits == nullptr) {
        return DibError::NullPointer;
    }
    DibHeaderInfo info{};
    if (const DibError error = read_dib_header(header, header_bytes, info);
        error != DibError::None) {
        return error;
    }
    if (bits_bytes < info.bits_bytes) {
        return DibError::TruncatedBits;
    }

    const auto* head = static_cast<const std::uint8_t*>(header);
    const auto* pixels = static_cast<const std::uint8_t*>(bits);
    const std::size_t width = static_cast<std::size_t>(info.width);
    const std::size_t height = static_cast<std::size_t>(info.height);

    DecodedDib result;
    result.width = info.width;
    result.height = info.height;
    result.bits_per_pixel = info.bits_per_pixel;
    result.color_count = info.color_count;
    if (info.bits_per_pixel <= 8) {
        result.color_table = read_color_table(head + info.header_size + info.mask_bytes, info);
        result.color_table.resize(std::size_t{1} << info.bits_per_pixel, RgbQuad{0, 0, 0, 0});
        result.indices.resize(width * height);
        for (std::size_t y = 0; y < height; ++y) {
            const std::size_t source_row = info.top_down ? y : height - 1 - y;
            decode_indices(pixels + source_row * info.stride, info.width, info.bits_per_pixel,
                           result.indices.data() + y * width);
        }
    } else {
        const Channel channels[3] = {Channel(info.masks[0]), Channel(info.masks[1]),
                                     Channel(info.masks[2])};
        result.colors.resize(width * height);
        for (std::size_t y = 0; y < height; ++y) {
            const std::size_t source_row = info.top_down ? y : height - 1 - y;
            decode_colors(pixels + source_row * info.stride, info.width, info, channels,
                          result.colors.data() + y * width);
        }
    }
    out = std::move(result);
    return DibError::None;
}

}  // namespace gdi::dib
