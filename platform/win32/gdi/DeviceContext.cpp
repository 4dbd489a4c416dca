// DeviceContext.cpp: making and freeing DCs, selecting objects, device capabilities.
#include "platform/win32/gdi/DeviceContext.h"

#include "platform/win32/gdi/Screen.h"
#include "platform/win32/gdi/StockObjects.h"
#include "platform/win32/gdi/WindowDc.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <strings.h>

namespace gdi {

namespace {

std::function<HDC(HWND)>& window_get_dc() {
    static std::function<HDC(HWND)> f;
    return f;
}

std::function<int(HWND, HDC)>& window_release_dc() {
    static std::function<int(HWND, HDC)> f;
    return f;
}

// Moves a DC's slot to another object, keeping both objects' selection counts.
template <typename Handle>
void select_handle(Handle& slot, HGDIOBJ object) {
    if (GdiObject* old = objects().find(slot)) {
        --old->select_count;
    }
    if (GdiObject* o = objects().find(object)) {
        ++o->select_count;
    }
    slot = static_cast<Handle>(object);
}

LONG saturate(long long v) {
    return static_cast<LONG>(std::clamp<long long>(v, std::numeric_limits<LONG>::min(),
                                                   std::numeric_limits<LONG>::max()));
}

}  // namespace

Surface* DeviceContext::surface() {
    switch (dc_kind) {
        case DcKind::Memory:
            return bitmap == nullptr ? nullptr : &bitmap->surface;
        case DcKind::Screen:
        case DcKind::Window:
            return &screen_surface();
        case DcKind::Info:
            break;
    }
    return nullptr;
}

PixelFormat DeviceContext::compatible_format() const {
    if (dc_kind == DcKind::Memory && bitmap != nullptr) {
        return bitmap->surface.format();
    }
    return screen_format();
}

DeviceContext* find_dc(HDC hdc) {
    return find_object<DeviceContext>(hdc, ObjectKind::Dc);
}

HDC create_dc(DcKind kind) {
    auto dc = std::make_unique<DeviceContext>(kind);
    DeviceContext* raw = dc.get();
    HDC hdc = static_cast<HDC>(objects().add(std::move(dc)));
    if (hdc == nullptr) {
        return nullptr;
    }
    select_handle(raw->palette, stock_object(DEFAULT_PALETTE));
    select_handle(raw->pen, stock_object(BLACK_PEN));
    select_handle(raw->brush, stock_object(WHITE_BRUSH));
    select_handle(raw->font, stock_object(SYSTEM_FONT));
    if (kind == DcKind::Memory) {
        HBITMAP bm = stock_bitmap();
        BitmapObject* b = find_bitmap(bm);
        ++b->select_count;
        raw->bitmap = b;
        raw->bitmap_handle = bm;
    }
    return hdc;
}

RECT to_surface(const DeviceContext& dc, long long left, long long top, long long right,
                long long bottom) {
    return RECT{saturate(left + dc.origin.x), saturate(top + dc.origin.y),
                saturate(right + dc.origin.x), saturate(bottom + dc.origin.y)};
}

HDC create_window_dc(HWND window, POINT origin, std::span<const RECT> visible) {
    HDC hdc = create_dc(DcKind::Window);
    if (hdc != nullptr) {
        DeviceContext* dc = find_dc(hdc);
        dc->window = window;
        set_window_dc_region(hdc, origin, visible);
    }
    return hdc;
}

BOOL set_window_dc_region(HDC hdc, POINT origin, std::span<const RECT> visible) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr || dc->dc_kind != DcKind::Window) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    dc->origin = origin;
    dc->visible.assign(visible.begin(), visible.end());
    dc->clip = dc->visible;
    dc->clipped = true;
    return TRUE;
}

HWND window_of_dc(HDC hdc) {
    const DeviceContext* dc = find_dc(hdc);
    return dc == nullptr ? nullptr : dc->window;
}

void set_window_dc_provider(std::function<HDC(HWND)> get_dc,
                            std::function<int(HWND, HDC)> release_dc) {
    window_get_dc() = std::move(get_dc);
    window_release_dc() = std::move(release_dc);
}

}  // namespace gdi

using namespace gdi;

HDC CreateCompatibleDC(HDC hdc) {
    if (hdc != nullptr && find_dc(hdc) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return create_dc(DcKind::Memory);
}

HDC CreateICA(LPCSTR driver, LPCSTR, LPCSTR, const void*) {
    if (driver == nullptr || strcasecmp(driver, "DISPLAY") != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return create_dc(DcKind::Info);
}

HDC CreateDCA(LPCSTR driver, LPCSTR, LPCSTR, const void*) {
    if (driver == nullptr || strcasecmp(driver, "DISPLAY") != 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return create_dc(DcKind::Screen);
}

BOOL DeleteDC(HDC hdc) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    while (!dc->saved.empty()) {
        RestoreDC(hdc, -1);  // releases what the saved levels hold
    }
    for (HGDIOBJ h : {HGDIOBJ(dc->palette), HGDIOBJ(dc->pen), HGDIOBJ(dc->brush), HGDIOBJ(dc->font),
                      HGDIOBJ(dc->bitmap_handle)}) {
        if (GdiObject* o = objects().find(h)) {
            --o->select_count;
        }
    }
    objects().remove(hdc);
    return TRUE;
}

HDC GetDC(HWND hwnd) {
    if (hwnd == nullptr) {
        return create_dc(DcKind::Screen);
    }
    if (window_get_dc()) {
        return window_get_dc()(hwnd);
    }
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
}

int ReleaseDC(HWND hwnd, HDC hdc) {
    if (hwnd != nullptr && window_release_dc()) {
        return window_release_dc()(hwnd, hdc);
    }
    const DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr || dc->window != hwnd) {
        return 0;
    }
    return DeleteDC(hdc) ? 1 : 0;
}

int GetDeviceCaps(HDC hdc, int index) {
    if (find_dc(hdc) == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    const bool palette = screen_bits_per_pixel() == 8;
    switch (index) {
        case DRIVERVERSION:
            return driver_version();
        case TECHNOLOGY:
            return DT_RASDISPLAY;
        case HORZSIZE:
            return kScreenWidth * 254 / 960;  // millimetres at 96 dpi
        case VERTSIZE:
            return kScreenHeight * 254 / 960;
        case HORZRES:
            return kScreenWidth;
        case VERTRES:
            return kScreenHeight;
        case BITSPIXEL:
            return screen_bits_per_pixel();
        case PLANES:
            return 1;
        case NUMCOLORS:
            return palette ? 20 : -1;
        case RASTERCAPS:
            return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT |
                   (palette ? RC_PALETTE : 0);
        case LOGPIXELSX:
        case LOGPIXELSY:
            return 96;
        case SIZEPALETTE:
            return palette ? 256 : 0;
        case NUMRESERVED:
            return palette ? 20 : 0;
        case COLORRES:
            return palette ? 18 : 24;
        default:
            return 0;
    }
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object) {
    DeviceContext* dc = find_dc(hdc);
    GdiObject* o = objects().find(object);
    if (dc == nullptr || o == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    HGDIOBJ previous = nullptr;
    switch (o->kind) {
        case ObjectKind::Pen:
            previous = dc->pen;
            select_handle(dc->pen, object);
            return previous;
        case ObjectKind::Brush:
            previous = dc->brush;
            select_handle(dc->brush, object);
            return previous;
        case ObjectKind::Font:
            previous = dc->font;
            select_handle(dc->font, object);
            return previous;
        case ObjectKind::Bitmap: {
            auto* bm = static_cast<BitmapObject*>(o);
            if (dc->dc_kind != DcKind::Memory) {
                SetLastError(ERROR_INVALID_PARAMETER);
                return nullptr;
            }
            if (dc->bitmap == bm) {
                return object;
            }
            // The stock bitmap is shared by every fresh memory DC; others live in one DC.
            if ((!bm->stock && bm->select_count > 0) ||
                (bm->surface.format() != PixelFormat::Mono &&
                 bm->surface.format() != screen_format())) {
                return nullptr;
            }
            previous = dc->bitmap_handle;
            --dc->bitmap->select_count;
            ++bm->select_count;
            dc->bitmap = bm;
            dc->bitmap_handle = static_cast<HBITMAP>(object);
            return previous;
        }
        case ObjectKind::Palette:
        case ObjectKind::Icon:
        case ObjectKind::Dc:
            break;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type) {
    const DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        return nullptr;
    }
    switch (type) {
        case OBJ_PEN:
            return dc->pen;
        case OBJ_BRUSH:
            return dc->brush;
        case OBJ_FONT:
            return dc->font;
        case OBJ_PAL:
            return dc->palette;
        case OBJ_BITMAP:
            return dc->bitmap_handle;
        default:
            return nullptr;
    }
}

int GetClipBox(HDC hdc, LPRECT rect) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr || rect == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return RGN_ERROR;
    }
    *rect = RECT{0, 0, 0, 0};
    Surface* s = dc->surface();
    if (s == nullptr) {
        return NULLREGION;
    }
    RECT box{0, 0, 0, 0};
    int pieces = 0;
    for_each_visible(*dc, *s, RECT{0, 0, s->width(), s->height()}, [&](RECT r) {
        if (pieces++ == 0) {
            box = r;
        } else {
            box = RECT{std::min(box.left, r.left), std::min(box.top, r.top),
                       std::max(box.right, r.right), std::max(box.bottom, r.bottom)};
        }
    });
    if (pieces == 0) {
        return NULLREGION;
    }
    *rect = RECT{box.left - dc->origin.x, box.top - dc->origin.y, box.right - dc->origin.x,
                 box.bottom - dc->origin.y};
    return pieces == 1 ? SIMPLEREGION : COMPLEXREGION;
}
