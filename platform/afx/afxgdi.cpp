// afxgdi.cpp: graphics objects and the device context: thin forwards that add ownership.
#include "platform/afx/afxgdi.h"

#include <cstring>

CGdiObject::~CGdiObject() {
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ object) {
    if (m_hObject != nullptr || object == nullptr) {
        return FALSE;
    }
    m_hObject = object;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ object = m_hObject;
    m_hObject = nullptr;
    return object;
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == nullptr) {
        return FALSE;
    }
    // A handle that is still selected somewhere stays owned, as the platform refuses it.
    if (!::DeleteObject(m_hObject)) {
        return FALSE;
    }
    m_hObject = nullptr;
    return TRUE;
}

BOOL CGdiObject::CreateStockObject(int index) {
    return Attach(::GetStockObject(index));
}

int CGdiObject::GetObject(int size, LPVOID out) const {
    return ::GetObjectA(m_hObject, size, out);
}

UINT CGdiObject::GetObjectType() const {
    return static_cast<UINT>(::GetObjectType(m_hObject));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel,
                           const void* bits) {
    if (m_hObject != nullptr) {
        return FALSE;
    }
    return Attach(::CreateBitmap(width, height, planes, bits_per_pixel, bits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
    if (m_hObject != nullptr) {
        return FALSE;
    }
    return Attach(::CreateCompatibleBitmap(dc == nullptr ? nullptr : dc->m_hDC, width, height));
}

BOOL CPalette::CreatePalette(const LOGPALETTE* palette) {
    if (m_hObject != nullptr) {
        return FALSE;
    }
    return Attach(::CreatePalette(palette));
}

int CPalette::GetEntryCount() const {
    WORD count = 0;
    if (::GetObjectA(m_hObject, sizeof(count), &count) == 0) {
        return 0;
    }
    return count;
}

UINT CPalette::GetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) const {
    return ::GetPaletteEntries(*this, start, count, entries);
}

UINT CPalette::SetPaletteEntries(UINT start, UINT count, const PALETTEENTRY* entries) {
    return ::SetPaletteEntries(*this, start, count, entries);
}

UINT CPalette::GetNearestPaletteIndex(COLORREF color) const {
    return ::GetNearestPaletteIndex(*this, color);
}

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
    if (m_hObject != nullptr) {
        return FALSE;
    }
    return Attach(::CreatePen(style, width, color));
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    if (m_hObject != nullptr) {
        return FALSE;
    }
    return Attach(::CreateSolidBrush(color));
}

BOOL CFont::CreateFontIndirect(const LOGFONTA* font) {
    if (m_hObject != nullptr) {
        return FALSE;
    }
    return Attach(::CreateFontIndirectA(font));
}

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strike_out, BYTE char_set,
                       BYTE out_precision, BYTE clip_precision, BYTE quality, BYTE pitch_and_family,
                       LPCSTR face) {
    if (m_hObject != nullptr) {
        return FALSE;
    }
    return Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline,
                                strike_out, char_set, out_precision, clip_precision, quality,
                                pitch_and_family, face));
}

CDC::~CDC() {
    DeleteDC();
}

BOOL CDC::Attach(HDC hdc) {
    if (m_hDC != nullptr || hdc == nullptr) {
        return FALSE;
    }
    m_hDC = hdc;
    return TRUE;
}

HDC CDC::Detach() {
    HDC hdc = m_hDC;
    m_hDC = nullptr;
    return hdc;
}

BOOL CDC::DeleteDC() {
    if (m_hDC == nullptr) {
        return FALSE;
    }
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
    if (m_hDC != nullptr) {
        return FALSE;
    }
    return Attach(::CreateCompatibleDC(dc == nullptr ? nullptr : dc->m_hDC));
}

BOOL CDC::CreateIC(LPCSTR driver, LPCSTR device, LPCSTR output, const void* init_data) {
    if (m_hDC != nullptr) {
        return FALSE;
    }
    return Attach(::CreateICA(driver, device, output, init_data));
}

BOOL CDC::CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const void* init_data) {
    if (m_hDC != nullptr) {
        return FALSE;
    }
    return Attach(::CreateDCA(driver, device, output, init_data));
}

int CDC::GetDeviceCaps(int index) const {
    return ::GetDeviceCaps(m_hDC, index);
}

int CDC::SaveDC() {
    return ::SaveDC(m_hDC);
}

BOOL CDC::RestoreDC(int level) {
    return ::RestoreDC(m_hDC, level);
}

int CDC::IntersectClipRect(int left, int top, int right, int bottom) {
    return ::IntersectClipRect(m_hDC, left, top, right, bottom);
}

int CDC::IntersectClipRect(LPCRECT rect) {
    return IntersectClipRect(rect->left, rect->top, rect->right, rect->bottom);
}

int CDC::ExcludeClipRect(int left, int top, int right, int bottom) {
    return ::ExcludeClipRect(m_hDC, left, top, right, bottom);
}

int CDC::ExcludeClipRect(LPCRECT rect) {
    return ExcludeClipRect(rect->left, rect->top, rect->right, rect->bottom);
}

int CDC::GetClipBox(LPRECT rect) const {
    return ::GetClipBox(m_hDC, rect);
}

HPEN CDC::SelectObject(CPen* pen) {
    return SelectObject(pen == nullptr ? HPEN{} : static_cast<HPEN>(*pen));
}

HBRUSH CDC::SelectObject(CBrush* brush) {
    return SelectObject(brush == nullptr ? HBRUSH{} : static_cast<HBRUSH>(*brush));
}

HBITMAP CDC::SelectObject(CBitmap* bitmap) {
    return SelectObject(bitmap == nullptr ? HBITMAP{} : static_cast<HBITMAP>(*bitmap));
}

HFONT CDC::SelectObject(CFont* font) {
    return SelectObject(font == nullptr ? HFONT{} : static_cast<HFONT>(*font));
}

HPEN CDC::SelectObject(HPEN pen) {
    return static_cast<HPEN>(::SelectObject(m_hDC, pen));
}

HBRUSH CDC::SelectObject(HBRUSH brush) {
    return static_cast<HBRUSH>(::SelectObject(m_hDC, brush));
}

HBITMAP CDC::SelectObject(HBITMAP bitmap) {
    return static_cast<HBITMAP>(::SelectObject(m_hDC, bitmap));
}

HFONT CDC::SelectObject(HFONT font) {
    return static_cast<HFONT>(::SelectObject(m_hDC, font));
}

HGDIOBJ CDC::SelectStockObject(int index) {
    HGDIOBJ object = ::GetStockObject(index);
    if (object == nullptr) {
        return nullptr;
    }
    return ::SelectObject(m_hDC, object);
}

HPALETTE CDC::SelectPalette(CPalette* palette, BOOL force_background) {
    return SelectPalette(palette == nullptr ? HPALETTE{} : static_cast<HPALETTE>(*palette),
                         force_background);
}

HPALETTE CDC::SelectPalette(HPALETTE palette, BOOL force_background) {
    return ::SelectPalette(m_hDC, palette, force_background);
}

UINT CDC::RealizePalette() {
    return ::RealizePalette(m_hDC);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int src_x, int src_y, DWORD rop) {
    return ::BitBlt(m_hDC, x, y, width, height, src == nullptr ? nullptr : src->m_hDC, src_x, src_y,
                    rop);
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
    return ::PatBlt(m_hDC, x, y, width, height, rop);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF color) {
    ::SetBkColor(m_hDC, color);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
    const RECT rect{x, y, x + cx, y + cy};
    FillSolidRect(&rect, color);
}

void CDC::FillRect(LPCRECT rect, CBrush* brush) {
    ::FillRect(m_hDC, rect, brush == nullptr ? nullptr : static_cast<HBRUSH>(*brush));
}

void CDC::FrameRect(LPCRECT rect, CBrush* brush) {
    ::FrameRect(m_hDC, rect, brush == nullptr ? nullptr : static_cast<HBRUSH>(*brush));
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF top_left, COLORREF bottom_right) {
    Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, top_left,
               bottom_right);
}

// Top and left edges in one colour; bottom and right, owning two corners, in the other.
void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF top_left, COLORREF bottom_right) {
    FillSolidRect(x, y, cx - 1, 1, top_left);
    FillSolidRect(x, y, 1, cy - 1, top_left);
    FillSolidRect(x + cx, y, -1, cy, bottom_right);
    FillSolidRect(x, y + cy, cx, -1, bottom_right);
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
    return ::Rectangle(m_hDC, left, top, right, bottom);
}

BOOL CDC::Rectangle(LPCRECT rect) {
    return ::Rectangle(m_hDC, rect->left, rect->top, rect->right, rect->bottom);
}

CPoint CDC::MoveTo(int x, int y) {
    POINT previous{0, 0};
    ::MoveToEx(m_hDC, x, y, &previous);
    return CPoint(previous);
}

BOOL CDC::LineTo(int x, int y) {
    return ::LineTo(m_hDC, x, y);
}

COLORREF CDC::GetPixel(int x, int y) const {
    return ::GetPixel(m_hDC, x, y);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color) {
    return ::SetPixel(m_hDC, x, y, color);
}

BOOL CDC::SetPixelV(int x, int y, COLORREF color) {
    return ::SetPixelV(m_hDC, x, y, color);
}

BOOL CDC::DrawIcon(int x, int y, HICON icon) {
    return ::DrawIcon(m_hDC, x, y, icon);
}

COLORREF CDC::SetTextColor(COLORREF color) {
    return ::SetTextColor(m_hDC, color);
}

COLORREF CDC::GetTextColor() const {
    return ::GetTextColor(m_hDC);
}

COLORREF CDC::SetBkColor(COLORREF color) {
    return ::SetBkColor(m_hDC, color);
}

COLORREF CDC::GetBkColor() const {
    return ::GetBkColor(m_hDC);
}

int CDC::SetBkMode(int mode) {
    return ::SetBkMode(m_hDC, mode);
}

int CDC::GetBkMode() const {
    return ::GetBkMode(m_hDC);
}

UINT CDC::SetTextAlign(UINT align) {
    return ::SetTextAlign(m_hDC, align);
}

UINT CDC::GetTextAlign() const {
    return ::GetTextAlign(m_hDC);
}

BOOL CDC::TextOut(int x, int y, LPCSTR text, int count) {
    return ::TextOutA(m_hDC, x, y, text, count);
}

BOOL CDC::TextOut(int x, int y, LPCSTR text) {
    return TextOut(x, y, text, text == nullptr ? 0 : static_cast<int>(std::strlen(text)));
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT count,
                     const INT* dx) {
    return ::ExtTextOutA(m_hDC, x, y, options, rect, text, count, dx);
}

CSize CDC::GetTextExtent(LPCSTR text, int count) const {
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(m_hDC, text, count, &size);
    return CSize(size);
}

CSize CDC::GetTextExtent(LPCSTR text) const {
    return GetTextExtent(text, text == nullptr ? 0 : static_cast<int>(std::strlen(text)));
}

BOOL CDC::GetTextMetrics(LPTEXTMETRICA metrics) const {
    return ::GetTextMetricsA(m_hDC, metrics);
}

CSelectGuard::CSelectGuard(CDC& dc, HGDIOBJ object) : m_dc(dc) {
    if (object != nullptr) {
        m_previous = ::SelectObject(dc.m_hDC, object);
    }
}

CSelectGuard::~CSelectGuard() {
    if (m_previous != nullptr) {
        ::SelectObject(m_dc.m_hDC, m_previous);
    }
}

CPaletteGuard::CPaletteGuard(CDC& dc, HPALETTE palette, BOOL force_background)
    : m_dc(dc), m_force_background(force_background) {
    if (palette != nullptr) {
        m_previous = ::SelectPalette(dc.m_hDC, palette, force_background);
    }
}

CPaletteGuard::~CPaletteGuard() {
    if (m_previous != nullptr) {
        ::SelectPalette(m_dc.m_hDC, m_previous, m_force_background);
    }
}
