// Icon.cpp: icons made of an AND mask and an XOR picture, and drawing them.
#include "platform/win32/gdi/ColorMapping.h"
#include "platform/win32/gdi/DeviceContext.h"
#include "platform/win32/gdi/SystemPalette.h"

namespace gdi {

namespace {

// A pixel value carried from one format to another by its colour.
std::uint32_t convert_value(PixelFormat from, PixelFormat to, std::uint32_t v) {
    if (from == to) {
        return v;
    }
    const COLORREF c = value_to_colorref(from, v);
    switch (to) {
        case PixelFormat::Mono:
            return mono_nearest(c);
        case PixelFormat::Indexed8:
            return from == PixelFormat::Mono ? (v ? 255u : 0u) : nearest_static_index(c);
        case PixelFormat::Rgb32:
            break;
    }
    return colorref_to_rgb32(c);
}

Surface copy_rows(const Surface& s, int first_row, int rows) {
    Surface out(s.format(), s.width(), rows);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < s.width(); ++x) {
            out.set(x, y, s.get(x, first_row + y));
        }
    }
    return out;
}

HBITMAP bitmap_from(const Surface& s) {
    auto b = std::make_unique<BitmapObject>(s.format(), s.width(), s.height());
    b->surface = copy_rows(s, 0, s.height());
    return static_cast<HBITMAP>(objects().add(std::move(b)));
}

}  // namespace

}  // namespace gdi

using namespace gdi;

HICON CreateIconIndirect(const ICONINFO* info) {
    const BitmapObject* mask = info == nullptr ? nullptr : find_bitmap(info->hbmMask);
    if (mask == nullptr || mask->surface.format() != PixelFormat::Mono) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto icon = std::make_unique<IconObject>();
    const Surface& m = mask->surface;
    if (info->hbmColor == nullptr) {
        // A monochrome icon: AND rows on top, XOR rows below, in one bitmap.
        const int h = m.height() / 2;
        if (h == 0) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        icon->mask = copy_rows(m, 0, h);
        icon->color = copy_rows(m, h, h);
    } else {
        const BitmapObject* color = find_bitmap(info->hbmColor);
        if (color == nullptr || color->surface.width() != m.width() ||
            color->surface.height() != m.height()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return nullptr;
        }
        icon->mask = copy_rows(m, 0, m.height());
        icon->color = copy_rows(color->surface, 0, color->surface.height());
    }
    icon->is_icon = info->fIcon;
    icon->hotspot = POINT{static_cast<LONG>(info->xHotspot), static_cast<LONG>(info->yHotspot)};
    return static_cast<HICON>(objects().add(std::move(icon)));
}

BOOL DestroyIcon(HICON icon) {
    if (find_icon(icon) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    objects().remove(icon);
    return TRUE;
}

BOOL GetIconInfo(HICON icon, PICONINFO info) {
    const IconObject* i = find_icon(icon);
    if (i == nullptr || info == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    info->fIcon = i->is_icon;
    info->xHotspot = static_cast<DWORD>(i->hotspot.x);
    info->yHotspot = static_cast<DWORD>(i->hotspot.y);
    info->hbmMask = bitmap_from(i->mask);
    info->hbmColor = bitmap_from(i->color);
    return TRUE;
}

// Each pixel becomes (destination AND mask) XOR picture: mask 1 keeps the destination.
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon) {
    DeviceContext* dc = find_dc(hdc);
    const IconObject* i = find_icon(icon);
    if (dc == nullptr || i == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Surface* s = dc->surface();
    if (s == nullptr) {
        return TRUE;
    }
    const PixelFormat f = s->format();
    const std::uint32_t all = value_mask(f);
    const RECT target = to_surface(*dc, x, y, static_cast<long long>(x) + i->mask.width(),
                                   static_cast<long long>(y) + i->mask.height());
    const long long ox = static_cast<long long>(x) + dc->origin.x;
    const long long oy = static_cast<long long>(y) + dc->origin.y;
    for_each_visible(*dc, *s, target, [&](RECT r) {
        for (int py = r.top; py < r.bottom; ++py) {
            for (int px = r.left; px < r.right; ++px) {
                const int ix = static_cast<int>(px - ox);
                const int iy = static_cast<int>(py - oy);
                const std::uint32_t keep = i->mask.get(ix, iy) ? all : 0u;
                const std::uint32_t pic = convert_value(i->color.format(), f, i->color.get(ix, iy));
                s->set(px, py, (s->get(px, py) & keep) ^ pic);
            }
        }
    });
    s->touch();
    return TRUE;
}
