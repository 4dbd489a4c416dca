// SaveDc.cpp: SaveDC and RestoreDC: a stack of DC states whose objects stay selected.
#include "platform/win32/gdi/DeviceContext.h"

namespace gdi {

namespace {

void count_selections(const SavedDcState& s, int delta) {
    for (HGDIOBJ h : {HGDIOBJ(s.palette), HGDIOBJ(s.pen), HGDIOBJ(s.brush), HGDIOBJ(s.font),
                      HGDIOBJ(s.bitmap_handle)}) {
        if (GdiObject* o = objects().find(h)) {
            o->select_count += delta;
        }
    }
}

SavedDcState capture(const DeviceContext& dc) {
    SavedDcState s;
    s.clipped = dc.clipped;
    s.clip = dc.clip;
    s.bitmap = dc.bitmap;
    s.bitmap_handle = dc.bitmap_handle;
    s.palette = dc.palette;
    s.palette_forced_background = dc.palette_forced_background;
    s.pen = dc.pen;
    s.brush = dc.brush;
    s.font = dc.font;
    s.text_color = dc.text_color;
    s.bk_color = dc.bk_color;
    s.bk_mode = dc.bk_mode;
    s.text_align = dc.text_align;
    s.rop2 = dc.rop2;
    s.position = dc.position;
    return s;
}

void apply(DeviceContext& dc, SavedDcState&& s) {
    dc.clipped = s.clipped;
    dc.clip = std::move(s.clip);
    dc.bitmap = s.bitmap;
    dc.bitmap_handle = s.bitmap_handle;
    dc.palette = s.palette;
    dc.palette_forced_background = s.palette_forced_background;
    dc.pen = s.pen;
    dc.brush = s.brush;
    dc.font = s.font;
    dc.text_color = s.text_color;
    dc.bk_color = s.bk_color;
    dc.bk_mode = s.bk_mode;
    dc.text_align = s.text_align;
    dc.rop2 = s.rop2;
    dc.position = s.position;
}

}  // namespace

}  // namespace gdi

using namespace gdi;

int SaveDC(HDC hdc) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    dc->saved.push_back(capture(*dc));
    count_selections(dc->saved.back(), +1);
    return static_cast<int>(dc->saved.size());
}

// level > 0: the state SaveDC returned that level for; level < 0: counted back from the last.
BOOL RestoreDC(HDC hdc, int level) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const auto depth = static_cast<long long>(dc->saved.size());
    const long long target = level < 0 ? depth + level + 1 : level;
    if (level == 0 || target < 1 || target > depth) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    // Levels above the target are dropped; the target becomes the current state, and its
    // references pass to the current selections.
    while (static_cast<long long>(dc->saved.size()) > target) {
        count_selections(dc->saved.back(), -1);
        dc->saved.pop_back();
    }
    count_selections(capture(*dc), -1);
    apply(*dc, std::move(dc->saved.back()));
    dc->saved.pop_back();
    return TRUE;
}
