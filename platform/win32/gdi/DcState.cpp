// DcState.cpp: the drawing state of a DC: colours, background mode, alignment, pen mix.
#include "platform/win32/gdi/DeviceContext.h"

using namespace gdi;

namespace {

DeviceContext* find_or_fail(HDC hdc) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
    }
    return dc;
}

}  // namespace

COLORREF SetTextColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = find_or_fail(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    const COLORREF old = dc->text_color;
    dc->text_color = color;
    return old;
}

COLORREF GetTextColor(HDC hdc) {
    const DeviceContext* dc = find_or_fail(hdc);
    return dc == nullptr ? CLR_INVALID : dc->text_color;
}

COLORREF SetBkColor(HDC hdc, COLORREF color) {
    DeviceContext* dc = find_or_fail(hdc);
    if (dc == nullptr) {
        return CLR_INVALID;
    }
    const COLORREF old = dc->bk_color;
    dc->bk_color = color;
    return old;
}

COLORREF GetBkColor(HDC hdc) {
    const DeviceContext* dc = find_or_fail(hdc);
    return dc == nullptr ? CLR_INVALID : dc->bk_color;
}

int SetBkMode(HDC hdc, int mode) {
    DeviceContext* dc = find_or_fail(hdc);
    if (dc == nullptr || (mode != TRANSPARENT && mode != OPAQUE)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int old = dc->bk_mode;
    dc->bk_mode = mode;
    return old;
}

int GetBkMode(HDC hdc) {
    const DeviceContext* dc = find_or_fail(hdc);
    return dc == nullptr ? 0 : dc->bk_mode;
}

UINT SetTextAlign(HDC hdc, UINT align) {
    DeviceContext* dc = find_or_fail(hdc);
    if (dc == nullptr) {
        return static_cast<UINT>(GDI_ERROR);
    }
    const UINT old = dc->text_align;
    dc->text_align = align;
    return old;
}

UINT GetTextAlign(HDC hdc) {
    const DeviceContext* dc = find_or_fail(hdc);
    return dc == nullptr ? static_cast<UINT>(GDI_ERROR) : dc->text_align;
}

int SetROP2(HDC hdc, int rop2) {
    DeviceContext* dc = find_or_fail(hdc);
    if (dc == nullptr || rop2 < R2_BLACK || rop2 > R2_WHITE) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int old = dc->rop2;
    dc->rop2 = rop2;
    return old;
}

int GetROP2(HDC hdc) {
    const DeviceContext* dc = find_or_fail(hdc);
    return dc == nullptr ? 0 : dc->rop2;
}
