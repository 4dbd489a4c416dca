// PanelPictures.cpp: the raised frame and the dot-matrix digit pictures of the side panels.
#include "panels/PanelPictures.h"

namespace {

constexpr COLORREF kFace = RGB(192, 192, 192);

}  // namespace

const std::uint8_t g_digitFont[10][kDigitRows] = {
    {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E},  // 0
    {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},  // 1
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F},  // 2
    {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E},  // 3
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02},  // 4
    {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},  // 5
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E},  // 6
    {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08},  // 7
    {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E},  // 8
    {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C},  // 9
};

BOOL BuildRaisedFrame(CDC* pReference, CBitmap& frame, int width, int height) {
    frame.DeleteObject();
    if (!frame.CreateCompatibleBitmap(pReference, width, height)) {
        return FALSE;
    }
    CDC memory;
    if (!memory.CreateCompatibleDC(pReference)) {
        return FALSE;
    }
    const HBITMAP previousBitmap = memory.SelectObject(&frame);
    if (previousBitmap == nullptr) {
        return FALSE;
    }
    memory.FillSolidRect(0, 0, width, height, kFace);
    CPen white(PS_SOLID, 0, RGB(255, 255, 255));
    CPen black(PS_SOLID, 0, RGB(0, 0, 0));
    // LineTo leaves out its end point, so each edge runs to the far side exactly.
    const HPEN previousPen = memory.SelectObject(&white);
    memory.MoveTo(0, 0);
    memory.LineTo(width, 0);
    memory.MoveTo(0, 0);
    memory.LineTo(0, height);
    memory.SelectObject(&black);
    memory.MoveTo(0, height - 1);
    memory.LineTo(width, height - 1);
    memory.MoveTo(width - 1, 0);
    memory.LineTo(width - 1, height);
    memory.SelectObject(previousPen);
    memory.SelectObject(previousBitmap);
    return TRUE;
}

BOOL BuildDigitPicture(CDC* pReference, CBitmap& picture, int digit, COLORREF colour) {
    picture.DeleteObject();
    if (digit < 0 || digit > 9 ||
        !picture.CreateCompatibleBitmap(pReference, kDigitWidth, kDigitHeight)) {
        return FALSE;
    }
    CDC memory;
    if (!memory.CreateCompatibleDC(pReference)) {
        return FALSE;
    }
    CSelectGuard select(memory, picture);
    if (!select.IsSelected()) {
        return FALSE;
    }
    memory.FillSolidRect(0, 0, kDigitWidth, kDigitHeight, kFace);
    for (int r = 0; r < kDigitRows; ++r) {
        for (int k = 0; k < kDigitColumns; ++k) {
            if (g_digitFont[digit][r] & (1u << (kDigitColumns - 1 - k))) {
                memory.FillSolidRect(kDotPitch * k, kDotPitch * r, kDotSize, kDotSize, colour);
            }
        }
    }
    return TRUE;
}
