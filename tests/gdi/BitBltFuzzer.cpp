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
    const int w = in.ConsumeIntegralInRange<int>(1, 48), h = in.ConsumeIntegralInRange<int>(1, 48);
    const UINT bpp = in.ConsumeBool() ? 1 : 8;
    const auto size = static_cast<std::size_t>((w * static_cast<int>(bpp) + 15) / 16 * 2 * h);
    std::vector<BYTE> bits = in.ConsumeBytes<BYTE>(size);
    bits.resize(size);
    return CreateBitmap(w, h, 1, bpp, bits.data());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    [[maybe_unused]] static const bool configured = gdi::configure_screen(8);
    FuzzedDataProvider in(data, size);
    HBITMAP bitmaps[2] = {make_bitmap(in), make_bitmap(in)};
    HDC dcs[3] = {CreateCompatibleDC(nullptr), CreateCompatibleDC(nullptr), nullptr};
    HGDIOBJ old[2] = {SelectObject(dcs[0], bitmaps[0]), SelectObject(dcs[1], bitmaps[1])};
    // Sometimes a window on the screen with its own origin and clip.
    std::vector<RECT> visible(in.ConsumeIntegralInRange<std::size_t>(0, 3));
    for (RECT& r : visible) {
        r = RECT{coordinate(in), coordinate(in), coordinate(in), coordinate(in)};
    }
    if (in.ConsumeBool()) {
        dcs[2] = gdi::create_window_dc(reinterpret_cast<HWND>(std::uintptr_t{0x100}),
                                       POINT{coordinate(in), coordinate(in)}, visible);
    }
    HBRUSH brush = CreateSolidBrush(in.ConsumeIntegral<COLORREF>() & 0x03FFFFFF);
    for (int i = in.ConsumeIntegralInRange<int>(1, 8); i > 0 && in.remaining_bytes() > 0; --i) {
        HDC target = dcs[in.ConsumeIntegralInRange<int>(1, dcs[2] ? 2 : 1)];
        HDC source = dcs[in.ConsumeIntegralInRange<int>(0, 1)];  // a blit within one surface too
        const int clip = in.ConsumeIntegralInRange<int>(0, 3);
        if (clip < 2) {
            (clip ? ExcludeClipRect : IntersectClipRect)(target, coordinate(in), coordinate(in),
                                                         coordinate(in), coordinate(in));
        } else if (clip == 2) {
            SelectClipRgn(target, nullptr);
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
    for (int i = 0; i < 2; ++i) {
        SelectObject(dcs[i], old[i]);
        DeleteObject(bitmaps[i]);
    }
    for (HDC dc : dcs) {
        DeleteDC(dc);  // refuses the missing window DC
    }
    if (GdiAliveCountForTest() != 0) {
        std::abort();  // every object made above was deleted
    }
    return 0;
}
