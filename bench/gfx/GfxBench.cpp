// GfxBench.cpp: masked drawing, DIB conversion and piece-set loading on the 8-bit screen.
#include "gfx/CPieceSprites.h"
#include "gfx/DibFunctions.h"
#include "gfx/MaskedDraw.h"
#include "platform/afx/afxresource.h"
#include "platform/win32/gdi/Screen.h"
#include "platform/win32/gdi/dib/DibDecoder.h"
#include "platform/win32/kernel/ResourceBounds.h"
#include "res/PiloResources.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr WORD kBallsSheet = 161;

// The program's resources on a fresh 8-bit screen; aborts when they cannot be had.
HGLOBAL prepare_sheet(LPCVOID& header) {
    if (!gdi::configure_screen(8) || pilo_install_resources() == nullptr) {
        std::abort();
    }
    HINSTANCE module = AfxGetResourceHandle();
    HGLOBAL resource =
        LoadResource(module, FindResourceA(module, MAKEINTRESOURCE(kBallsSheet), RT_BITMAP));
    header = LockResource(resource);
    if (header == nullptr) {
        std::abort();
    }
    return resource;
}

// A 24 x 24 picture of the screen's format with a white surround, as a button picture.
void paint_button_picture(CBitmap& picture) {
    HDC screen = GetDC(nullptr);
    picture.Attach(CreateCompatibleBitmap(screen, 24, 24));
    ReleaseDC(nullptr, screen);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HBITMAP old = dc.SelectObject(&picture);
    for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
            const bool inside = x > 3 && x < 20 && y > 3 && y < 20;
            dc.SetPixelV(x, y, inside ? RGB(128, 0, 0) : RGB(255, 255, 255));
        }
    }
    dc.SelectObject(old);
}

void BM_DrawMasked24(benchmark::State& state) {
    gdi::configure_screen(8);
    CBitmap picture, mask, target;
    paint_button_picture(picture);
    if (!MakeMask(&picture, &mask)) {
        state.SkipWithError("MakeMask failed");
        return;
    }
    HDC screen = GetDC(nullptr);
    target.Attach(CreateCompatibleBitmap(screen, 64, 64));
    ReleaseDC(nullptr, screen);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HBITMAP old = dc.SelectObject(&target);
    const CRect rect(8, 8, 32, 32);
    for (auto _ : state) {
        DrawMasked(&dc, rect, &picture, &mask);
    }
    dc.SelectObject(old);
}
BENCHMARK(BM_DrawMasked24);

void BM_MakeMask24(benchmark::State& state) {
    gdi::configure_screen(8);
    CBitmap picture;
    paint_button_picture(picture);
    for (auto _ : state) {
        CBitmap mask;
        benchmark::DoNotOptimize(MakeMask(&picture, &mask));
    }
}
BENCHMARK(BM_MakeMask24);

void BM_DecodeDibSheet(benchmark::State& state) {
    LPCVOID header = nullptr;
    prepare_sheet(header);
    const std::size_t bytes =
        kernel::resource_bytes_from(header).value_or(std::span<const std::byte>{}).size();
    const auto* bits = static_cast<const BYTE*>(header) + 40 + 1024;
    for (auto _ : state) {
        gdi::dib::DecodedDib dib;
        gdi::dib::decode_dib(header, bytes, bits, bytes - 40 - 1024, dib);
        benchmark::DoNotOptimize(dib.indices.data());
    }
}
BENCHMARK(BM_DecodeDibSheet);

// CreateDIBitmap alone, with the sheet's palette already realised on the screen DC.
void BM_CreateDIBitmapSheet(benchmark::State& state) {
    LPCVOID header = nullptr;
    HGLOBAL resource = prepare_sheet(header);
    CPalette palette;
    BuildDibPalette(resource, header, &palette);
    HDC screen = GetDC(nullptr);
    HPALETTE old = SelectPalette(screen, palette, FALSE);
    RealizePalette(screen);
    const auto* bits = static_cast<const BYTE*>(header) + 40 + GetDibColorTableSize(header);
    for (auto _ : state) {
        HBITMAP bitmap =
            CreateDIBitmap(screen, static_cast<const BITMAPINFOHEADER*>(header), CBM_INIT, bits,
                           static_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS);
        benchmark::DoNotOptimize(bitmap);
        DeleteObject(bitmap);
    }
    SelectPalette(screen, old, FALSE);
    ReleaseDC(nullptr, screen);
}
BENCHMARK(BM_CreateDIBitmapSheet);

// The whole of BuildDibBitmap: screen DC, palette selection and realisation, conversion.
void BM_BuildDibBitmapSheet(benchmark::State& state) {
    LPCVOID header = nullptr;
    HGLOBAL resource = prepare_sheet(header);
    CPalette palette;
    BuildDibPalette(resource, header, &palette);
    for (auto _ : state) {
        HBITMAP bitmap = BuildDibBitmap(resource, header, palette);
        benchmark::DoNotOptimize(bitmap);
        DeleteObject(bitmap);
    }
}
BENCHMARK(BM_BuildDibBitmapSheet);

void BM_LoadPieceSet(benchmark::State& state) {
    LPCVOID header = nullptr;
    prepare_sheet(header);
    CPieceSprites sprites;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sprites.LoadPieceSet(1));
    }
}
BENCHMARK(BM_LoadPieceSet);

}  // namespace
