// DeviceContext.h: the engine's device context: a target surface, an origin, a clip and state.
#pragma once

#include "platform/win32/gdi/GdiObjects.h"

#include <vector>

namespace gdi {

enum class DcKind : std::uint8_t {
    Memory,  // draws on its selected bitmap
    Screen,  // the whole screen
    Window,  // the screen at a window's origin, clipped to the rectangles it was given
    Info,    // answers questions and makes compatible objects; drawing does nothing
};

// What SaveDC keeps: the selections, the drawing state and the clip.
struct SavedDcState {
    bool clipped = false;
    std::vector<RECT> clip;
    BitmapObject* bitmap = nullptr;
    HBITMAP bitmap_handle = nullptr;
    HPALETTE palette = nullptr;
    bool palette_forced_background = true;
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    COLORREF text_color = 0;
    COLORREF bk_color = 0;
    int bk_mode = OPAQUE;
    UINT text_align = 0;
    int rop2 = R2_COPYPEN;
    POINT position{0, 0};
};

struct DeviceContext : GdiObject {
    explicit DeviceContext(DcKind k) : GdiObject(ObjectKind::Dc), dc_kind(k) {}

    DcKind dc_kind;
    HWND window = nullptr;           // Window DCs: the window, for palette foreground checks
    POINT origin{0, 0};              // surface position of the logical point (0, 0)
    std::vector<RECT> visible;       // Window DCs: the window's visible rectangles
    bool clipped = false;            // drawing limited to `clip` (always for Window DCs)
    std::vector<RECT> clip;          // surface coordinates, not overlapping
    BitmapObject* bitmap = nullptr;  // Memory DCs: the selected bitmap
    HBITMAP bitmap_handle = nullptr;
    HPALETTE palette = nullptr;
    bool palette_forced_background = true;  // as SelectPalette was asked
    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HFONT font = nullptr;
    COLORREF text_color = 0x000000;
    COLORREF bk_color = 0xFFFFFF;
    int bk_mode = OPAQUE;
    UINT text_align = TA_LEFT | TA_TOP;
    int rop2 = R2_COPYPEN;
    POINT position{0, 0};
    std::vector<SavedDcState> saved;  // SaveDC levels 1..n; their objects count as selected

    // The pixels drawing reaches, or null for an information context.
    Surface* surface();
    // The format of bitmaps compatible with this DC.
    PixelFormat compatible_format() const;
};

DeviceContext* find_dc(HDC hdc);
// Makes a DC with the defaults of every new DC selected into it.
HDC create_dc(DcKind kind);

// Calls visit(rect) for each piece of `r` (surface coordinates) that lies inside the surface
// and the DC's clip; the pieces do not overlap.
template <typename Visit>
void for_each_visible(DeviceContext& dc, const Surface& s, RECT r, Visit&& visit) {
    auto clamp = [](RECT a, const RECT& b) {
        a.left = a.left > b.left ? a.left : b.left;
        a.top = a.top > b.top ? a.top : b.top;
        a.right = a.right < b.right ? a.right : b.right;
        a.bottom = a.bottom < b.bottom ? a.bottom : b.bottom;
        return a;
    };
    const RECT bounds{0, 0, s.width(), s.height()};
    r = clamp(r, bounds);
    if (r.left >= r.right || r.top >= r.bottom) {
        return;
    }
    if (!dc.clipped) {
        visit(r);
        return;
    }
    for (const RECT& c : dc.clip) {
        const RECT piece = clamp(r, c);
        if (piece.left < piece.right && piece.top < piece.bottom) {
            visit(piece);
        }
    }
}

// A logical rectangle moved to surface coordinates, saturated to the int range.
RECT to_surface(const DeviceContext& dc, long long left, long long top, long long right,
                long long bottom);

}  // namespace gdi
