// PenBrush.cpp: creating pens and solid brushes.
#include "platform/win32/gdi/GdiObjects.h"

#include <cstdlib>

using namespace gdi;

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto pen = std::make_unique<PenObject>();
    pen->style = style;
    pen->width = std::abs(width);
    pen->color = color;
    return static_cast<HPEN>(objects().add(std::move(pen)));
}

HPEN CreatePenIndirect(const LOGPEN* pen) {
    if (pen == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreatePen(static_cast<int>(pen->lopnStyle), pen->lopnWidth.x, pen->lopnColor);
}

// Solid brushes keep their colour; drawing maps it like a pen colour (nearest static colour
// on the palette screen, no dithering).
HBRUSH CreateSolidBrush(COLORREF color) {
    auto brush = std::make_unique<BrushObject>();
    brush->color = color;
    return static_cast<HBRUSH>(objects().add(std::move(brush)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
    if (brush == nullptr || (brush->lbStyle != BS_SOLID && brush->lbStyle != BS_NULL)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto b = std::make_unique<BrushObject>();
    b->hollow = brush->lbStyle == BS_NULL;
    b->color = brush->lbColor;
    return static_cast<HBRUSH>(objects().add(std::move(b)));
}
