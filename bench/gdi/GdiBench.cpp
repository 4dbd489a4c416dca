// GdiBench.cpp: the costs of the copies and text the game's painting is made of.
#include "platform/win32/gdi/Screen.h"
#include "platform/win32/windows.h"

#include <benchmark/benchmark.h>

namespace {

// A memory DC holding a screen-compatible bitmap of the given size.
struct Picture {
    Picture(int w, int h) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, w, h);
        old = SelectObject(dc, bitmap);
        ReleaseDC(nullptr, screen);
        PatBlt(dc, 0, 0, w, h, WHITENESS);
    }
    ~Picture() {
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

void BitBlt18x18SrcCopy(benchmark::State& state) {
    gdi::configure_screen(8);
    Picture piece(18, 18);
    Picture board(368, 368);
    for (auto _ : state) {
        benchmark::DoNotOptimize(BitBlt(board.dc, 100, 100, 18, 18, piece.dc, 0, 0, SRCCOPY));
    }
}
BENCHMARK(BitBlt18x18SrcCopy);

void BitBlt18x18SrcAnd(benchmark::State& state) {
    gdi::configure_screen(8);
    Picture piece(18, 18);
    Picture board(368, 368);
    for (auto _ : state) {
        benchmark::DoNotOptimize(BitBlt(board.dc, 100, 100, 18, 18, piece.dc, 0, 0, SRCAND));
    }
}
BENCHMARK(BitBlt18x18SrcAnd);

void BitBltFullScreenSrcCopy(benchmark::State& state) {
    gdi::configure_screen(8);
    Picture picture(640, 480);
    HDC screen = GetDC(nullptr);
    for (auto _ : state) {
        benchmark::DoNotOptimize(BitBlt(screen, 0, 0, 640, 480, picture.dc, 0, 0, SRCCOPY));
    }
    ReleaseDC(nullptr, screen);
}
BENCHMARK(BitBltFullScreenSrcCopy);

void BitBltMonoMaskToColour(benchmark::State& state) {
    gdi::configure_screen(8);
    Picture target(24, 24);
    HDC mask = CreateCompatibleDC(nullptr);
    HBITMAP bits = CreateBitmap(24, 24, 1, 1, nullptr);
    HGDIOBJ old = SelectObject(mask, bits);
    for (auto _ : state) {
        benchmark::DoNotOptimize(BitBlt(target.dc, 0, 0, 24, 24, mask, 0, 0, SRCPAINT));
    }
    SelectObject(mask, old);
    DeleteDC(mask);
    DeleteObject(bits);
}
BENCHMARK(BitBltMonoMaskToColour);

void TextOut30Characters(benchmark::State& state) {
    gdi::configure_screen(8);
    Picture target(320, 40);
    SetBkMode(target.dc, TRANSPARENT);
    const char text[] = "Grasz: 12 minut, wynik 345 pkt";  // 30 characters
    for (auto _ : state) {
        benchmark::DoNotOptimize(TextOutA(target.dc, 4, 4, text, 30));
    }
}
BENCHMARK(TextOut30Characters);

}  // namespace
