// Clip.cpp: narrowing what a DC may draw: IntersectClipRect, ExcludeClipRect, and undoing it.
#include "platform/win32/gdi/DeviceContext.h"

#include <algorithm>

namespace gdi {

namespace {

bool empty(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

RECT intersect(const RECT& a, const RECT& b) {
    return RECT{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
}

// The rectangles drawing may reach now, made explicit for an unclipped DC.
std::vector<RECT> current_clip(DeviceContext& dc) {
    if (dc.clipped) {
        return dc.clip;
    }
    const Surface* s = dc.surface();
    if (s == nullptr) {
        return {};
    }
    return {RECT{0, 0, s->width(), s->height()}};
}

int complexity(const DeviceContext& dc) {
    if (!dc.clipped) {
        return SIMPLEREGION;
    }
    return dc.clip.empty() ? NULLREGION : dc.clip.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

}  // namespace

}  // namespace gdi

using namespace gdi;

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return RGN_ERROR;
    }
    const RECT r = to_surface(*dc, left, top, right, bottom);
    std::vector<RECT> next;
    for (const RECT& c : current_clip(*dc)) {
        const RECT piece = intersect(c, r);
        if (!empty(piece)) {
            next.push_back(piece);
        }
    }
    dc->clip = std::move(next);
    dc->clipped = true;
    return complexity(*dc);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return RGN_ERROR;
    }
    const RECT x = to_surface(*dc, left, top, right, bottom);
    std::vector<RECT> next;
    auto keep = [&next](RECT r) {
        if (!empty(r)) {
            next.push_back(r);
        }
    };
    for (const RECT& c : current_clip(*dc)) {
        const RECT hole = intersect(c, x);
        if (empty(hole)) {
            keep(c);
            continue;
        }
        // The band above, the band below, then left and right of the hole between them.
        keep(RECT{c.left, c.top, c.right, hole.top});
        keep(RECT{c.left, hole.bottom, c.right, c.bottom});
        keep(RECT{c.left, hole.top, hole.left, hole.bottom});
        keep(RECT{hole.right, hole.top, c.right, hole.bottom});
    }
    dc->clip = std::move(next);
    dc->clipped = true;
    return complexity(*dc);
}

// Regions are not objects here: only NULL, which puts the DC's own limits back, is taken.
int SelectClipRgn(HDC hdc, HRGN region) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr || region != nullptr) {
        SetLastError(dc == nullptr ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
        return RGN_ERROR;
    }
    dc->clipped = dc->dc_kind == DcKind::Window;
    dc->clip = dc->visible;
    return complexity(*dc);
}
