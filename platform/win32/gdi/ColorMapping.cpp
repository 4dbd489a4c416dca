// ColorMapping.cpp: COLORREF to pixel values and back.
#include "platform/win32/gdi/ColorMapping.h"

#include "platform/win32/gdi/SystemPalette.h"

namespace gdi {

namespace {

constexpr COLORREF kTypeMask = 0xFF000000;
constexpr COLORREF kPaletteIndex = 0x01000000;
constexpr COLORREF kPaletteRgb = 0x02000000;

const PaletteObject* dc_palette(const DeviceContext& dc) {
    return find_palette(dc.palette);
}

COLORREF entry_rgb(const PALETTEENTRY& e) {
    return RGB(e.peRed, e.peGreen, e.peBlue);
}

// System index of a logical entry: its realised mapping, else its nearest static colour.
std::uint8_t system_index_of(const PaletteObject& p, UINT entry) {
    if (p.is_default) {
        return entry < kStaticIndices.size() ? kStaticIndices[entry] : 0;
    }
    if (p.realized && entry < p.mapping.size()) {
        return static_cast<std::uint8_t>(p.mapping[entry]);
    }
    return nearest_static_index(entry_rgb(p.entries[entry]));
}

}  // namespace

COLORREF resolve_rgb(const DeviceContext& dc, COLORREF color) {
    const PaletteObject* p = dc_palette(dc);
    if ((color & kTypeMask) == kPaletteIndex && p != nullptr) {
        const UINT i = color & 0xFFFF;
        return entry_rgb(p->entries[i < p->entries.size() ? i : 0]);
    }
    return color & 0x00FFFFFF;
}

std::uint32_t mono_nearest(COLORREF rgb) {
    return GetRValue(rgb) + GetGValue(rgb) + GetBValue(rgb) >= 383 ? 1u : 0u;
}

std::uint32_t draw_value(const DeviceContext& dc, PixelFormat target, COLORREF color) {
    switch (target) {
        case PixelFormat::Mono: {
            const COLORREF rgb = resolve_rgb(dc, color);
            if (rgb == 0x000000) {
                return 0;
            }
            if (rgb == 0xFFFFFF) {
                return 1;
            }
            const std::uint32_t bk = mono_nearest(resolve_rgb(dc, dc.bk_color));
            return rgb == resolve_rgb(dc, dc.bk_color) ? bk : bk ^ 1u;
        }
        case PixelFormat::Rgb32:
            return colorref_to_rgb32(resolve_rgb(dc, color));
        case PixelFormat::Indexed8:
            break;
    }
    const PaletteObject* p = dc_palette(dc);
    if (p != nullptr && !p->entries.empty()) {
        if ((color & kTypeMask) == kPaletteIndex) {
            const UINT i = color & 0xFFFF;
            return system_index_of(*p, i < p->entries.size() ? i : 0);
        }
        if ((color & kTypeMask) == kPaletteRgb) {
            return system_index_of(*p, nearest_entry(p->entries, color & 0x00FFFFFF));
        }
    }
    return nearest_static_index(color & 0x00FFFFFF);
}

COLORREF value_to_colorref(PixelFormat format, std::uint32_t value) {
    switch (format) {
        case PixelFormat::Mono:
            return value ? 0xFFFFFF : 0x000000;
        case PixelFormat::Indexed8: {
            const PALETTEENTRY& e = system_palette().entry(static_cast<int>(value & 0xFF));
            return RGB(e.peRed, e.peGreen, e.peBlue);
        }
        case PixelFormat::Rgb32:
            break;
    }
    return RGB(static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 8),
               static_cast<BYTE>(value));
}

std::uint32_t value_to_rgb32(PixelFormat format, std::uint32_t value) {
    switch (format) {
        case PixelFormat::Mono:
            return value ? 0xFFFFFF : 0x000000;
        case PixelFormat::Indexed8:
            return system_palette().rgb()[value & 0xFF];
        case PixelFormat::Rgb32:
            break;
    }
    return value & 0xFFFFFF;
}

}  // namespace gdi
