// BitBltFuzzer.cpp: BitBlt and PatBlt with any rectangles, operations and formats stay inside
// their bitmaps (the sanitizers catch any stray read or write).
#include "platform/win32/gdi/Screen.h"
#include "platform/win32/gdi/WindowDc.h"
#include "platform/win32/windows.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <vector>

namespace {

int coordinate(FuzzedDataProvider& in) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
        case 0:
            return in.ConsumeIntegralInRange<int>(-80, 80);
        case 1:
            return in.ConsumeIntegral<int>();
        case 2:
            return in.PickValueInArray({INT32_MIN, INT32_MIN + 1, INT32_MAX, INT32_MAX - 1, -1, 0});
        default:
            return in.ConsumeIntegralInRange<int>(-700, 700);
    }
}

HBITMAP make_bitmap(FuzzedDataProvider& in) {
    const int w = in.ConsumeIntegralInRange<int>(1, 48);
    const int h = in.ConsumeIntegralInRange<int>(1, 48);
    const UINT bpp = in.ConsumeBool() ? 1 : 8;
    std::vector<BYTE> bits(static_cast<std::size_t>((w * static_cast<int>(bpp) + 15) / 16 * 2 * h));
    for (BYTE& b : bits) {
        b = in.ConsumeIntegral<BYTE>();
    }
    return CreateBitmap(w, h, 1, bpp, bits.data());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool configured = gdi::configure_screen(8);
    (void)configured;
    FuzzedDataProvider in(data, size);
    HBITMAP src_bm = make_bitmap(in);
    HBITMAP dst_bm = make_bitmap(in);
    HDC src = CreateCompatibleDC(nullptr);
    HDC dst = CreateCompatibleDC(nullptr);
    HGDIOBJ old_src = SelectObject(src, src_bm);
    HGDIOBJ old_dst = SelectObject(dst, dst_bm);
    // Sometimes the destination is a window on the screen with its own origin and clip.
    HDC window = nullptr;
    if (in.ConsumeBool()) {
        std::vector<RECT> visible;
        const int pieces = in.ConsumeIntegralInRange<int>(0, 3);
        for (int i = 0; i < pieces; ++i) {
            visible.push_back(RECT{coordinate(in), coordinate(in), coordinate(in), coordinate(in)});
        }
        window = gdi::create_window_dc(reinterpret_cast<HWND>(std::uintptr_t{0x100}),
                                       POINT{coordinate(in), coordinate(in)}, visible);
    }
    HBRUSH brush = CreateSolidBrush(in.ConsumeIntegral<COLORREF>() & 0x03FFFFFF);
    const int rounds = in.ConsumeIntegralInRange<int>(1, 8);
    for (int i = 0; i < rounds && in.remaining_bytes() > 0; ++i) {
        HDC target = window != nullptr && in.ConsumeBool() ? window : dst;
        HDC source = in.ConsumeBool() ? src : target;  // a blit within one surface too
        switch (in.ConsumeIntegralInRange<int>(0, 3)) {
            case 0:
                IntersectClipRect(target, coordinate(in), coordinate(in), coordinate(in),
                                  coordinate(in));
                break;
            case 1:
                ExcludeClipRect(target, coordinate(in), coordinate(in), coordinate(in),
                                coordinate(in));
                break;
            case 2:
                SelectClipRgn(target, nullptr);
                break;
            default:
                break;
        }
        HGDIOBJ old_brush = SelectObject(target, brush);
        SetTextColor(target, in.ConsumeIntegral<COLORREF>() & 0x00FFFFFF);
        SetBkColor(source, in.ConsumeIntegral<COLORREF>() & 0x00FFFFFF);
        const DWORD rop = static_cast<DWORD>(in.ConsumeIntegral<BYTE>()) << 16;
        const int x = coordinate(in), y = coordinate(in), w = coordinate(in), h = coordinate(in);
        if (in.ConsumeBool()) {
            BitBlt(target, x, y, w, h, source, coordinate(in), coordinate(in), rop);
        } else {
            PatBlt(target, x, y, w, h, rop);
        }
        SelectObject(target, old_brush);
    }
    DeleteObject(brush);
    if (window != nullptr) {
        DeleteDC(window);
    }
    SelectObject(src, old_src);
    SelectObject(dst, old_dst);
    DeleteDC(src);
    DeleteDC(dst);
    DeleteObject(src_bm);
    DeleteObject(dst_bm);
    if (GdiAliveCountForTest() != 0) {
        std::abort();  // every object made above was deleted
    }
    return 0;
}
