// Draw.cpp: lines, rectangles, single pixels.
#include "platform/win32/gdi/Blit.h"
#include "platform/win32/gdi/ColorMapping.h"
#include "platform/win32/gdi/RasterOp.h"

#include <algorithm>
#include <cstdlib>

namespace gdi {

namespace {

// Slanted lines longer than this are not drawn (the position still moves): no screen needs
// them and walking them would take unbounded time.
constexpr long long kMaxLineSteps = 1 << 16;

bool visible_point(DeviceContext& dc, const Surface& s, long long x, long long y) {
    bool inside = false;
    const RECT r = to_surface(dc, x, y, x + 1, y + 1);
    for_each_visible(dc, s, r, [&](RECT) { inside = true; });
    return inside;
}

struct SurfacePoint {
    bool ok = false;
    int x = 0;
    int y = 0;
};

SurfacePoint locate(DeviceContext& dc, Surface* s, int x, int y) {
    SurfacePoint p;
    if (s == nullptr || !visible_point(dc, *s, x, y)) {
        return p;
    }
    p.ok = true;
    p.x = x + dc.origin.x;
    p.y = y + dc.origin.y;
    return p;
}

void fill_logical(DeviceContext& dc, Surface& s, long long l, long long t, long long r, long long b,
                  std::uint32_t value) {
    if (l < r && t < b) {
        fill_rop(dc, s, to_surface(dc, l, t, r, b), 0xF0, value);
    }
}

// Bresenham from (x0, y0) towards (x1, y1), the end point excluded.
void draw_line(DeviceContext& dc, Surface& s, long long x0, long long y0, long long x1,
               long long y1, std::uint8_t code, std::uint32_t pen) {
    // Straight lines are one-pixel rectangles, clipped before any pixel is walked.
    if (y0 == y1 && x0 != x1) {
        const long long l = x0 < x1 ? x0 : x1 + 1;
        fill_rop(dc, s, to_surface(dc, l, y0, l + std::llabs(x1 - x0), y0 + 1), code, pen);
        return;
    }
    if (x0 == x1 && y0 != y1) {
        const long long t = y0 < y1 ? y0 : y1 + 1;
        fill_rop(dc, s, to_surface(dc, x0, t, x0 + 1, t + std::llabs(y1 - y0)), code, pen);
        return;
    }
    const long long dx = std::llabs(x1 - x0);
    const long long dy = -std::llabs(y1 - y0);
    if (std::max(dx, -dy) > kMaxLineSteps) {
        return;
    }
    const int step_x = x0 < x1 ? 1 : -1;
    const int step_y = y0 < y1 ? 1 : -1;
    const std::uint32_t mask = value_mask(s.format());
    const RECT bounds = to_surface(dc, std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1,
                                   std::max(y0, y1) + 1);
    for_each_visible(dc, s, bounds, [&](RECT piece) {
        long long x = x0;
        long long y = y0;
        long long err = dx + dy;
        while (x != x1 || y != y1) {
            const long long px = x + dc.origin.x;
            const long long py = y + dc.origin.y;
            if (px >= piece.left && px < piece.right && py >= piece.top && py < piece.bottom) {
                const int ix = static_cast<int>(px);
                const int iy = static_cast<int>(py);
                s.set(ix, iy, apply_rop3(code, pen, 0, s.get(ix, iy)) & mask);
            }
            const long long e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x += step_x;
            }
            if (e2 <= dx) {
                err += dx;
                y += step_y;
            }
        }
    });
    s.touch();
}

}  // namespace

}  // namespace gdi

using namespace gdi;

BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (previous != nullptr) {
        *previous = dc->position;
    }
    dc->position = POINT{x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC hdc, LPPOINT position) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr || position == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *position = dc->position;
    return TRUE;
}

BOOL LineTo(HDC hdc, int x, int y) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const POINT from = dc->position;
    dc->position = POINT{x, y};
    Surface* s = dc->surface();
    const PenObject* pen = find_pen(dc->pen);
    if (s == nullptr || pen == nullptr || pen->style == PS_NULL) {
        return TRUE;
    }
    draw_line(*dc, *s, from.x, from.y, x, y, rop2_to_rop3(dc->rop2),
              draw_value(*dc, s->format(), pen->color));
    return TRUE;
}

BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Surface* s = dc->surface();
    if (s == nullptr) {
        return TRUE;
    }
    long long l = std::min(left, right);
    long long r = std::max(left, right);
    long long t = std::min(top, bottom);
    long long b = std::max(top, bottom);
    const PenObject* pen = find_pen(dc->pen);
    const bool outline = pen != nullptr && pen->style != PS_NULL;
    std::uint32_t brush = 0;
    if (brush_value(*dc, s->format(), dc->brush, brush)) {
        // Without a pen the interior still ends one pixel before the right and bottom edges.
        const long long inset = outline ? 1 : 0;
        fill_logical(*dc, *s, l + inset, t + inset, r - 1, b - 1, brush);
    }
    if (outline && r - l >= 2 && b - t >= 2) {
        const std::uint8_t code = rop2_to_rop3(dc->rop2);
        const std::uint32_t value = draw_value(*dc, s->format(), pen->color);
        // Each edge stops short of its end point, so corners are drawn once.
        draw_line(*dc, *s, l, t, r - 1, t, code, value);
        draw_line(*dc, *s, r - 1, t, r - 1, b - 1, code, value);
        draw_line(*dc, *s, r - 1, b - 1, l, b - 1, code, value);
        draw_line(*dc, *s, l, b - 1, l, t, code, value);
    }
    return TRUE;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr || rect == nullptr || find_brush(brush) == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Surface* s = dc->surface();
    std::uint32_t value = 0;
    if (s != nullptr && brush_value(*dc, s->format(), brush, value)) {
        fill_logical(*dc, *s, rect->left, rect->top, rect->right, rect->bottom, value);
    }
    return 1;
}

int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr || rect == nullptr || find_brush(brush) == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Surface* s = dc->surface();
    std::uint32_t value = 0;
    const long long l = rect->left;
    const long long t = rect->top;
    const long long r = rect->right;
    const long long b = rect->bottom;
    if (s == nullptr || r <= l || b <= t || !brush_value(*dc, s->format(), brush, value)) {
        return 1;
    }
    fill_logical(*dc, *s, l, t, r, t + 1, value);          // top row
    fill_logical(*dc, *s, l, b - 1, r, b, value);          // bottom row
    fill_logical(*dc, *s, l, t + 1, l + 1, b - 1, value);  // left column between them
    fill_logical(*dc, *s, r - 1, t + 1, r, b - 1, value);  // right column
    return 1;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    Surface* s = dc->surface();
    const SurfacePoint p = locate(*dc, s, x, y);
    if (!p.ok) {
        return CLR_INVALID;
    }
    return value_to_colorref(s->format(), s->get(p.x, p.y));
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return CLR_INVALID;
    }
    Surface* s = dc->surface();
    const SurfacePoint p = locate(*dc, s, x, y);
    if (!p.ok) {
        return CLR_INVALID;
    }
    const std::uint32_t value = s->format() == PixelFormat::Mono
                                    ? mono_nearest(resolve_rgb(*dc, color))
                                    : draw_value(*dc, s->format(), color);
    s->set(p.x, p.y, value);
    s->touch();
    return value_to_colorref(s->format(), value);
}

BOOL SetPixelV(HDC hdc, int x, int y, COLORREF color) {
    return SetPixel(hdc, x, y, color) != CLR_INVALID;
}
