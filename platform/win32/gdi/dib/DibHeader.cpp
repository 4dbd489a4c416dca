// DibHeader.cpp: validation of DIB headers and the layout they imply.
#include "platform/win32/gdi/dib/DibDecoder.h"

#include "platform/win32/gdi/dib/LittleEndian.h"

#include <bit>
#include <cstdint>

namespace gdi::dib {

namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kV4HeaderSize = 108;
constexpr std::uint32_t kV5HeaderSize = 124;
constexpr std::size_t kMaskBytes = 12;
// Optional tables of pictures that index no table are capped too, so that a stray
// colours-used value cannot push the pixels out of any real buffer.
constexpr std::uint32_t kMaxTableEntries = 256;

bool is_supported_bit_count(HeaderForm form, int bpp) {
    switch (bpp) {
        case 1:
        case 4:
        case 8:
        case 24:
            return true;
        case 16:
        case 32:
            return form == HeaderForm::Info;
        default:
            return false;
    }
}

// A usable mask is empty (the channel reads as 0) or one run of set bits inside the pixel.
bool is_usable_mask(std::uint32_t mask, int bpp) {
    if (bpp == 16 && mask > 0xFFFFu) {
        return false;
    }
    if (mask == 0) {
        return true;
    }
    const std::uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

void set_default_masks(int bpp, std::uint32_t (&masks)[3]) {
    if (bpp == 16) {
        masks[0] = 0x7C00;
        masks[1] = 0x03E0;
        masks[2] = 0x001F;
    } else if (bpp == 32) {
        masks[0] = 0x00FF0000;
        masks[1] = 0x0000FF00;
        masks[2] = 0x000000FF;
    } else {
        masks[0] = masks[1] = masks[2] = 0;
    }
}

}  // namespace

const char* to_string(DibError error) {
    switch (error) {
        case DibError::None:
            return "no error";
        case DibError::NullPointer:
            return "null pointer";
        case DibError::TruncatedHeader:
            return "header or colour table is truncated";
        case DibError::BadHeaderSize:
            return "header size is not 12, 40, 108 or 124";
        case DibError::BadDimensions:
            return "width or height out of range";
        case DibError::BadBitCount:
            return "unsupported bit count or planes";
        case DibError::BadCompression:
            return "unknown or mismatched compression";
        case DibError::Unsupported:
            return "run-length encoding is not supported";
        case DibError::ColorTableTooLarge:
            return "colour table is larger than the format allows";
        case DibError::TruncatedBits:
            return "pixel data is truncated";
        case DibError::IndexOutOfTable:
            return "pixel index outside the colour table";
    }
    return "unknown error";
}

DibError read_dib_header(const void* header, std::size_t header_bytes, DibHeaderInfo& out) {
    if (header == nullptr) {
        return DibError::NullPointer;
    }
    const auto* p = static_cast<const std::uint8_t*>(header);
    if (header_bytes < 4) {
        return DibError::TruncatedHeader;
    }
    DibHeaderInfo info{};
    info.header_size = load_u32(p);
    switch (info.header_size) {
        case kCoreHeaderSize:
            info.form = HeaderForm::Core;
            break;
        case kInfoHeaderSize:
        case kV4HeaderSize:
        case kV5HeaderSize:
            info.form = HeaderForm::Info;
            break;
        default:
            return DibError::BadHeaderSize;
    }
    if (header_bytes < info.header_size) {
        return DibError::TruncatedHeader;
    }

    std::int64_t width = 0;
    std::int64_t signed_height = 0;
    unsigned planes = 0;
    std::uint32_t colors_used = 0;
    if (info.form == HeaderForm::Core) {
        width = load_u16(p + 4);
        signed_height = load_u16(p + 6);
        planes = load_u16(p + 8);
        info.bits_per_pixel = load_u16(p + 10);
        info.compression = kBiRgb;
    } else {
        width = load_i32(p + 4);
        signed_height = load_i32(p + 8);
        planes = load_u16(p + 12);
        info.bits_per_pixel = load_u16(p + 14);
        info.compression = load_u32(p + 16);
        colors_used = load_u32(p + 32);
    }

    if (planes != 1 || !is_supported_bit_count(info.form, info.bits_per_pixel)) {
        return DibError::BadBitCount;
    }
    const std::int64_t height = signed_height < 0 ? -signed_height : signed_height;
    if (width <= 0 || height == 0 || width > kMaxDimension || height > kMaxDimension) {
        return DibError::BadDimensions;
    }
    info.width = static_cast<int>(width);
    info.height = static_cast<int>(height);
    info.top_down = signed_height < 0;
    // Run-length streams are laid out bottom-up only.
    if (info.top_down && (info.compression == kBiRle8 || info.compression == kBiRle4)) {
        return DibError::BadDimensions;
    }

    const int bpp = info.bits_per_pixel;
    switch (info.compression) {
        case kBiRgb:
            break;
        case kBiRle8:
            return bpp == 8 ? DibError::Unsupported : DibError::BadCompression;
        case kBiRle4:
            return bpp == 4 ? DibError::Unsupported : DibError::BadCompression;
        case kBiBitfields:
            if (bpp != 16 && bpp != 32) {
                return DibError::BadCompression;
            }
            break;
        default:
            return DibError::BadCompression;
    }

    if (bpp <= 8) {
        const std::uint32_t entries = 1u << bpp;
        if (colors_used > entries) {
            return DibError::ColorTableTooLarge;
        }
        info.color_count = colors_used != 0 ? colors_used : entries;
    } else {
        if (colors_used > kMaxTableEntries) {
            return DibError::ColorTableTooLarge;
        }
        info.color_count = colors_used;
    }
    const std::size_t entry_bytes = info.form == HeaderForm::Core ? 3 : 4;
    info.color_table_bytes = std::size_t{info.color_count} * entry_bytes;

    set_default_masks(bpp, info.masks);
    if (info.compression == kBiBitfields) {
        // A 40-byte header is followed by the masks; the larger headers hold them at 40.
        const std::size_t mask_offset = kInfoHeaderSize;
        if (info.header_size == kInfoHeaderSize) {
            info.mask_bytes = kMaskBytes;
            if (header_bytes - info.header_size < kMaskBytes) {
                return DibError::TruncatedHeader;
            }
        }
        for (int i = 0; i < 3; ++i) {
            info.masks[i] = load_u32(p + mask_offset + 4 * i);
            if (!is_usable_mask(info.masks[i], bpp)) {
                return DibError::BadCompression;
            }
        }
    }

    info.bits_offset = info.header_size + info.mask_bytes + info.color_table_bytes;
    if (header_bytes < info.bits_offset) {
        return DibError::TruncatedHeader;
    }
    // At most 32768 * 32 bits per row and 32768 rows: 4 GiB, computed without overflow.
    const std::uint64_t stride = ((static_cast<std::uint64_t>(info.width) * bpp + 31) / 32) * 4;
    const std::uint64_t bits_bytes = stride * static_cast<std::uint64_t>(info.height);
    if (bits_bytes > SIZE_MAX) {
        return DibError::BadDimensions;
    }
    info.stride = static_cast<std::size_t>(stride);
    info.bits_bytes = static_cast<std::size_t>(bits_bytes);
    out = info;
    return DibError::None;
}

}  // namespace gdi::dib
