// GdiTestSupport.h: bitmaps from index rows or bit strings, pixel reads, and a fresh screen.
#pragma once

#include "platform/win32/gdi/GdiObjects.h"
#include "platform/win32/gdi/Screen.h"
#include "platform/win32/windows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace gdi_test {

using Rows = std::vector<std::vector<int>>;
using Bits = std::vector<std::string>;

// A bitmap of 1 or 8 bits a pixel, pixel (x, y) set to value(x, y); rows padded to words.
template <class Value>
HBITMAP make_bitmap(std::size_t w, std::size_t h, int bpp, Value value) {
    const std::size_t stride = (w * bpp + 15) / 16 * 2;
    std::vector<BYTE> bits(stride * h, 0);
    for (std::size_t y = 0; y < h; ++y) {
        for (std::size_t x = 0; x < w; ++x) {
            bits[y * stride + x * bpp / 8] |= BYTE(value(x, y) << (8 - bpp - int(x * bpp % 8)));
        }
    }
    return CreateBitmap(int(w), int(h), 1, UINT(bpp), bits.data());
}
// An 8-bit bitmap of system indices, rows top first.
inline HBITMAP make_indexed(const Rows& rows) {
    return make_bitmap(rows[0].size(), rows.size(), 8, [&](auto x, auto y) { return rows[y][x]; });
}
inline HBITMAP filled(int w, int h, int index) {
    return make_indexed(Rows(std::size_t(h), std::vector<int>(std::size_t(w), index)));
}

// A monochrome bitmap from rows of '0' (black) and '1' (white).
inline HBITMAP make_mono(const Bits& rows) {
    return make_bitmap(rows[0].size(), rows.size(), 1,
                       [&](auto x, auto y) { return rows[y][x] == '1'; });
}
inline Bits blank(int w, int h) {
    return Bits(std::size_t(h), std::string(std::size_t(w), '0'));
}

// The raw values of the pixels: system index, monochrome bit or 0x00RRGGBB.
inline Rows values_of(HBITMAP bm) {
    const gdi::BitmapObject* b = gdi::find_bitmap(bm);
    Rows rows(b ? std::size_t(b->surface.height()) : 0);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (int x = 0; x < b->surface.width(); ++x) {
            rows[y].push_back(static_cast<int>(b->surface.get(x, int(y))));
        }
    }
    return rows;
}
inline Bits mono_rows(HBITMAP bm) {
    Bits out;
    for (const auto& r : values_of(bm)) {
        std::string& row = out.emplace_back(r.size(), '0');
        std::transform(r.begin(), r.end(), row.begin(), [](int v) { return v ? '1' : '0'; });
    }
    return out;
}

inline HPALETTE make_palette(const std::vector<PALETTEENTRY>& entries) {
    std::vector<std::byte> storage(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(storage.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = static_cast<WORD>(entries.size());
    std::copy(entries.begin(), entries.end(), lp->palPalEntry);
    return CreatePalette(lp);
}

// A memory DC holding a bitmap; both are freed at scope end.
class MemoryDc {
public:
    explicit MemoryDc(HBITMAP bm) : m_dc(CreateCompatibleDC(nullptr)), m_bitmap(bm) {
        m_old = SelectObject(m_dc, bm);
    }
    ~MemoryDc() {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
        DeleteObject(m_bitmap);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
};

// Every test starts on a fresh 8-bit screen and must leave no object behind.
class GdiTest : public ::testing::Test {
protected:
    void SetUp() override {
        gdi::configure_screen(8);
        m_alive = GdiAliveCountForTest();
    }
    void TearDown() override { EXPECT_EQ(GdiAliveCountForTest(), m_alive) << "GDI objects leaked"; }

private:
    std::size_t m_alive = 0;
};

}  // namespace gdi_test
