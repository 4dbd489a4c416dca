// afxgdi.h: the class library's graphics objects and device context, owning their handles.
#pragma once

#include "platform/afx/afxtypes.h"
#include "platform/win32/windows.h"

// A graphics object owns its handle: the destructor deletes it, Detach hands it over.
class CGdiObject {
public:
    HGDIOBJ m_hObject = nullptr;

    CGdiObject() = default;
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // FALSE when the object already holds a handle or the handle is null.
    BOOL Attach(HGDIOBJ object);
    HGDIOBJ Detach();
    // Deletes the handle (FALSE when there is none or it is selected somewhere).
    BOOL DeleteObject();
    BOOL CreateStockObject(int index);
    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    int GetObject(int size, LPVOID out) const;
    UINT GetObjectType() const;
    operator HGDIOBJ() const { return m_hObject; }
};

class CBitmap : public CGdiObject {
public:
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits);
    BOOL CreateCompatibleBitmap(class CDC* dc, int width, int height);
    int GetBitmap(BITMAP* bm) const { return GetObject(sizeof(BITMAP), bm); }
    operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

class CPalette : public CGdiObject {
public:
    BOOL CreatePalette(const LOGPALETTE* palette);
    int GetEntryCount() const;
    UINT GetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) const;
    UINT SetPaletteEntries(UINT start, UINT count, const PALETTEENTRY* entries);
    UINT GetNearestPaletteIndex(COLORREF color) const;
    operator HPALETTE() const { return static_cast<HPALETTE>(m_hObject); }
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    BOOL CreatePen(int style, int width, COLORREF color);
    operator HPEN() const { return static_cast<HPEN>(m_hObject); }
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    BOOL CreateSolidBrush(COLORREF color);
    operator HBRUSH() const { return static_cast<HBRUSH>(m_hObject); }
};

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONTA* font);
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                    BYTE underline, BYTE strike_out, BYTE char_set, BYTE out_precision,
                    BYTE clip_precision, BYTE quality, BYTE pitch_and_family, LPCSTR face);
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

// A device context. Selection returns the previous object's handle, typed after the object
// selected, so it can be selected back.
class CDC {
public:
    HDC m_hDC = nullptr;

    CDC() = default;
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }
    // A temporary object for a handle it does not own, freed at the message loop's next idle
    // time (DeleteTempMap); NULL for NULL.
    static CDC* FromHandle(HDC hdc);
    static void DeleteTempMap();
    BOOL Attach(HDC hdc);
    HDC Detach();
    BOOL DeleteDC();
    // dc NULL: compatible with the screen.
    BOOL CreateCompatibleDC(CDC* dc);
    BOOL CreateIC(LPCSTR driver, LPCSTR device, LPCSTR output, const void* init_data);
    BOOL CreateDC(LPCSTR driver, LPCSTR device, LPCSTR output, const void* init_data);
    int GetDeviceCaps(int index) const;
    int SaveDC();
    BOOL RestoreDC(int level);
    int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(LPCRECT rect);
    int ExcludeClipRect(int left, int top, int right, int bottom);
    int ExcludeClipRect(LPCRECT rect);
    int GetClipBox(LPRECT rect) const;

    HPEN SelectObject(CPen* pen);
    HBRUSH SelectObject(CBrush* brush);
    HBITMAP SelectObject(CBitmap* bitmap);
    HFONT SelectObject(CFont* font);
    HPEN SelectObject(HPEN pen);
    HBRUSH SelectObject(HBRUSH brush);
    HBITMAP SelectObject(HBITMAP bitmap);
    HFONT SelectObject(HFONT font);
    HGDIOBJ SelectStockObject(int index);
    HPALETTE SelectPalette(CPalette* palette, BOOL force_background);
    HPALETTE SelectPalette(HPALETTE palette, BOOL force_background);
    UINT RealizePalette();

    BOOL BitBlt(int x, int y, int width, int height, CDC* src, int src_x, int src_y, DWORD rop);
    BOOL PatBlt(int x, int y, int width, int height, DWORD rop);
    // Fills with the colour through the opaque text background; the bk colour stays set to it.
    void FillSolidRect(LPCRECT rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    void FillRect(LPCRECT rect, CBrush* brush);
    void FrameRect(LPCRECT rect, CBrush* brush);
    void Draw3dRect(LPCRECT rect, COLORREF top_left, COLORREF bottom_right);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF top_left, COLORREF bottom_right);
    BOOL Rectangle(int left, int top, int right, int bottom);
    BOOL Rectangle(LPCRECT rect);
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    BOOL LineTo(int x, int y);
    BOOL LineTo(POINT p) { return LineTo(p.x, p.y); }
    COLORREF GetPixel(int x, int y) const;
    COLORREF GetPixel(POINT p) const { return GetPixel(p.x, p.y); }
    COLORREF SetPixel(int x, int y, COLORREF color);
    BOOL SetPixelV(int x, int y, COLORREF color);
    BOOL DrawIcon(int x, int y, HICON icon);
    BOOL DrawIcon(POINT p, HICON icon) { return DrawIcon(p.x, p.y, icon); }

    COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const;
    COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const;
    int SetBkMode(int mode);
    int GetBkMode() const;
    UINT SetTextAlign(UINT align);
    UINT GetTextAlign() const;
    BOOL TextOut(int x, int y, LPCSTR text, int count);
    BOOL TextOut(int x, int y, LPCSTR text);
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCSTR text, UINT count,
                    const INT* dx);
    CSize GetTextExtent(LPCSTR text, int count) const;
    CSize GetTextExtent(LPCSTR text) const;
    BOOL GetTextMetrics(LPTEXTMETRICA metrics) const;
};

// Selects an object into a DC for one scope and selects the previous one back at its end.
class CSelectGuard {
public:
    CSelectGuard(CDC& dc, HGDIOBJ object);
    CSelectGuard(CDC& dc, const CGdiObject& object) : CSelectGuard(dc, object.m_hObject) {}
    ~CSelectGuard();
    CSelectGuard(const CSelectGuard&) = delete;
    CSelectGuard& operator=(const CSelectGuard&) = delete;
    // FALSE when the selection failed; then nothing is put back.
    BOOL IsSelected() const { return m_previous != nullptr; }
    HGDIOBJ Previous() const { return m_previous; }

private:
    CDC& m_dc;
    HGDIOBJ m_previous = nullptr;
};

// Selects a palette for one scope (foreground or background as asked) and puts the previous
// one back, with the same choice, at its end.
class CPaletteGuard {
public:
    CPaletteGuard(CDC& dc, HPALETTE palette, BOOL force_background);
    ~CPaletteGuard();
    CPaletteGuard(const CPaletteGuard&) = delete;
    CPaletteGuard& operator=(const CPaletteGuard&) = delete;
    BOOL IsSelected() const { return m_previous != nullptr; }

private:
    CDC& m_dc;
    HPALETTE m_previous = nullptr;
    BOOL m_force_background = FALSE;
};
