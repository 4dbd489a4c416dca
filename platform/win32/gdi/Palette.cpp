// Palette.cpp: logical palettes: creation, selection into DCs, realisation and look-ups.
#include "platform/win32/gdi/ColorMapping.h"
#include "platform/win32/gdi/DeviceContext.h"
#include "platform/win32/gdi/Screen.h"
#include "platform/win32/gdi/SystemPalette.h"
#include "platform/win32/gdi/WindowDc.h"

#include <algorithm>

namespace gdi {

namespace {

std::function<bool(HWND)>& foreground_query() {
    static std::function<bool(HWND)> f;
    return f;
}

std::function<void(HWND)>& palette_changed_listener() {
    static std::function<void(HWND)> f;
    return f;
}

// Memory, information and screen DCs realise in the background; a window DC realises in
// the foreground when its palette was not forced back and the window manager says so.
bool realizes_in_foreground(const DeviceContext& dc) {
    return dc.dc_kind == DcKind::Window && !dc.palette_forced_background && foreground_query() &&
           foreground_query()(dc.window);
}

}  // namespace

void set_foreground_query(std::function<bool(HWND)> is_foreground) {
    foreground_query() = std::move(is_foreground);
}

void set_palette_changed_listener(std::function<void(HWND)> listener) {
    palette_changed_listener() = std::move(listener);
}

}  // namespace gdi

using namespace gdi;

HPALETTE CreatePalette(const LOGPALETTE* palette) {
    if (palette == nullptr || palette->palNumEntries == 0 || palette->palVersion != 0x300) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto p = std::make_unique<PaletteObject>();
    p->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
    return static_cast<HPALETTE>(objects().add(std::move(p)));
}

HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL force_background) {
    DeviceContext* dc = find_dc(hdc);
    PaletteObject* p = find_palette(palette);
    if (dc == nullptr || p == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    HPALETTE previous = dc->palette;
    if (GdiObject* old = objects().find(previous)) {
        --old->select_count;
    }
    ++p->select_count;
    dc->palette = palette;
    dc->palette_forced_background = force_background != FALSE;
    return previous;
}

UINT RealizePalette(HDC hdc) {
    DeviceContext* dc = find_dc(hdc);
    PaletteObject* p = dc == nullptr ? nullptr : find_palette(dc->palette);
    if (p == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return static_cast<UINT>(GDI_ERROR);
    }
    if (screen_format() != PixelFormat::Indexed8) {
        return 0;  // a true-colour device has no hardware palette to change
    }
    const bool foreground = realizes_in_foreground(*dc);
    const UINT changed = system_palette().realize(*p, foreground);
    if (foreground && changed > 0 && palette_changed_listener()) {
        palette_changed_listener()(dc->window);
    }
    return changed;
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color) {
    const PaletteObject* p = find_palette(palette);
    if (p == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return CLR_INVALID;
    }
    return nearest_entry(p->entries, color & 0x00FFFFFF);
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, LPPALETTEENTRY entries) {
    const PaletteObject* p = find_palette(palette);
    if (p == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    const auto size = static_cast<UINT>(p->entries.size());
    if (entries == nullptr) {
        return size;
    }
    if (start >= size) {
        return 0;
    }
    const UINT n = std::min(count, size - start);
    std::copy_n(p->entries.begin() + start, n, entries);
    return n;
}

UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries) {
    PaletteObject* p = find_palette(palette);
    if (p == nullptr || p->is_default || entries == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const auto size = static_cast<UINT>(p->entries.size());
    if (start >= size) {
        return 0;
    }
    const UINT n = std::min(count, size - start);
    std::copy_n(entries, n, p->entries.begin() + start);
    return n;
}

UINT GetSystemPaletteEntries(HDC hdc, UINT start, UINT count, LPPALETTEENTRY entries) {
    if (find_dc(hdc) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (screen_format() != PixelFormat::Indexed8) {
        return 0;
    }
    if (entries == nullptr) {
        return 256;
    }
    if (start >= 256) {
        return 0;
    }
    const UINT n = std::min(count, 256 - start);
    for (UINT i = 0; i < n; ++i) {
        PALETTEENTRY e = system_palette().entry(static_cast<int>(start + i));
        e.peFlags = 0;
        entries[i] = e;
    }
    return n;
}

UINT GetSystemPaletteUse(HDC hdc) {
    return find_dc(hdc) == nullptr ? SYSPAL_ERROR : SYSPAL_STATIC;
}

COLORREF GetNearestColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return CLR_INVALID;
    }
    const PixelFormat f = dc->compatible_format();
    return value_to_colorref(f, draw_value(*dc, f, color));
}
