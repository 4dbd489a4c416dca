// StockObjects.cpp: stock brushes, pens, fonts, the default palette and the 1 x 1 bitmap.
#include "platform/win32/gdi/StockObjects.h"

#include "platform/win32/gdi/FontMatch.h"
#include "platform/win32/gdi/GdiObjects.h"
#include "platform/win32/gdi/SystemPalette.h"

#include <array>
#include <cstring>

namespace gdi {

namespace {

constexpr int kStockCount = DEFAULT_GUI_FONT + 1;

void* add_stock(std::unique_ptr<GdiObject> object) {
    object->stock = true;
    return objects().add(std::move(object));
}

void* make_brush(bool hollow, COLORREF color) {
    auto b = std::make_unique<BrushObject>();
    b->hollow = hollow;
    b->color = color;
    return add_stock(std::move(b));
}

void* make_pen(int style, COLORREF color) {
    auto p = std::make_unique<PenObject>();
    p->style = style;
    p->color = color;
    return add_stock(std::move(p));
}

void* make_font(const char* face, LONG height, LONG weight) {
    auto f = std::make_unique<FontObject>();
    f->logfont.lfHeight = height;
    f->logfont.lfWeight = weight;
    f->logfont.lfCharSet = EASTEUROPE_CHARSET;
    std::strncpy(f->logfont.lfFaceName, face, LF_FACESIZE - 1);
    f->data = match_font(f->logfont);
    return add_stock(std::move(f));
}

void* make_default_palette() {
    auto p = std::make_unique<PaletteObject>();
    p->entries.assign(kStaticColors.begin(), kStaticColors.end());
    p->mapping.assign(kStaticIndices.begin(), kStaticIndices.end());
    p->realized = true;
    p->is_default = true;
    return add_stock(std::move(p));
}

struct Stock {
    std::array<void*, kStockCount> objects{};
    void* bitmap = nullptr;

    Stock() {
        objects[WHITE_BRUSH] = make_brush(false, RGB(255, 255, 255));
        objects[LTGRAY_BRUSH] = make_brush(false, RGB(192, 192, 192));
        objects[GRAY_BRUSH] = make_brush(false, RGB(128, 128, 128));
        objects[DKGRAY_BRUSH] = make_brush(false, RGB(64, 64, 64));
        objects[BLACK_BRUSH] = make_brush(false, RGB(0, 0, 0));
        objects[NULL_BRUSH] = make_brush(true, 0);
        objects[WHITE_PEN] = make_pen(PS_SOLID, RGB(255, 255, 255));
        objects[BLACK_PEN] = make_pen(PS_SOLID, RGB(0, 0, 0));
        objects[NULL_PEN] = make_pen(PS_NULL, 0);
        objects[OEM_FIXED_FONT] = make_font("System", 0, FW_BOLD);
        objects[ANSI_FIXED_FONT] = make_font("System", 0, FW_BOLD);
        objects[ANSI_VAR_FONT] = make_font("MS Sans Serif", -11, FW_NORMAL);
        objects[SYSTEM_FONT] = make_font("System", 0, FW_BOLD);
        objects[DEVICE_DEFAULT_FONT] = make_font("System", 0, FW_BOLD);
        objects[DEFAULT_PALETTE] = make_default_palette();
        objects[SYSTEM_FIXED_FONT] = make_font("System", 0, FW_BOLD);
        objects[DEFAULT_GUI_FONT] = make_font("MS Sans Serif", -11, FW_NORMAL);
        bitmap = add_stock(std::make_unique<BitmapObject>(PixelFormat::Mono, 1, 1));
    }
};

Stock& stock() {
    static Stock s;
    return s;
}

}  // namespace

HGDIOBJ stock_object(int id) {
    if (id < 0 || id >= kStockCount) {
        return nullptr;
    }
    return stock().objects[static_cast<std::size_t>(id)];
}

HBITMAP stock_bitmap() {
    return static_cast<HBITMAP>(stock().bitmap);
}

HBRUSH create_permanent_brush(COLORREF color) {
    return static_cast<HBRUSH>(make_brush(false, color));
}

}  // namespace gdi

HGDIOBJ GetStockObject(int id) {
    HGDIOBJ object = gdi::stock_object(id);
    if (object == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    return object;
}
