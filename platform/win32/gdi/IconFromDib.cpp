// IconFromDib.cpp: icon resource images to icon objects.
#include "platform/win32/gdi/IconFromDib.h"

#include "platform/win32/gdi/ColorMapping.h"
#include "platform/win32/gdi/GdiObjects.h"
#include "platform/win32/gdi/Screen.h"
#include "platform/win32/gdi/SystemPalette.h"
#include "platform/win32/gdi/dib/DibDecoder.h"

#include <cstring>
#include <vector>

namespace gdi {

namespace {

HICON fail() {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}

// Screen value of a DIB colour: the nearest static colour on the palette screen.
std::uint32_t screen_value(COLORREF rgb) {
    return screen_format() == PixelFormat::Indexed8 ? nearest_static_index(rgb)
                                                    : colorref_to_rgb32(rgb);
}

}  // namespace

HICON create_icon_from_dib(std::span<const std::byte> image) {
    dib::DibHeaderInfo info{};
    if (dib::read_dib_header(image.data(), image.size(), info) != dib::DibError::None ||
        info.form != dib::HeaderForm::Info || info.top_down || info.height % 2 != 0 ||
        info.compression != dib::kBiRgb) {
        return fail();
    }
    const int w = info.width;
    const int h = info.height / 2;
    const std::size_t xor_bytes = info.stride * static_cast<std::size_t>(h);
    const std::size_t and_stride = static_cast<std::size_t>((w + 31) / 32) * 4;
    const std::size_t and_bytes = and_stride * static_cast<std::size_t>(h);
    if (image.size() < info.bits_offset ||
        image.size() - info.bits_offset < xor_bytes + and_bytes) {
        return fail();
    }
    // The picture: the same header with the real height.
    std::vector<std::byte> header(image.begin(),
                                  image.begin() + static_cast<std::ptrdiff_t>(info.bits_offset));
    const std::int32_t height = h;
    std::memcpy(header.data() + 8, &height, sizeof(height));
    const std::byte* xor_bits = image.data() + info.bits_offset;
    dib::DecodedDib picture;
    if (dib::decode_dib(header.data(), header.size(), xor_bits, xor_bytes, picture) !=
        dib::DibError::None) {
        return fail();
    }
    // The mask: a 1-bit DIB of its own, black and white.
    struct MaskInfo {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } mask_info{};
    mask_info.header.biSize = sizeof(BITMAPINFOHEADER);
    mask_info.header.biWidth = w;
    mask_info.header.biHeight = h;
    mask_info.header.biPlanes = 1;
    mask_info.header.biBitCount = 1;
    mask_info.header.biCompression = BI_RGB;
    mask_info.colors[1] = RGBQUAD{255, 255, 255, 0};
    dib::DecodedDib mask;
    if (dib::decode_dib(&mask_info, sizeof(mask_info), xor_bits + xor_bytes, and_bytes, mask) !=
        dib::DibError::None) {
        return fail();
    }
    auto icon = std::make_unique<IconObject>();
    icon->mask = Surface(PixelFormat::Mono, w, h);
    icon->color = Surface(screen_format(), w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                                  static_cast<std::size_t>(x);
            icon->mask.set(x, y, mask.indices[i] & 1u);
            COLORREF rgb = 0;
            if (picture.bits_per_pixel <= 8) {
                const auto& q = picture.color_table[picture.indices[i]];
                rgb = RGB(q.red, q.green, q.blue);
            } else {
                rgb = picture.colors[i] & 0x00FFFFFF;
            }
            icon->color.set(x, y, screen_value(rgb));
        }
    }
    icon->hotspot = POINT{w / 2, h / 2};
    return static_cast<HICON>(objects().add(std::move(icon)));
}

}  // namespace gdi
