// GdiTestSupport.h: bitmaps from index rows or bit strings, pixel reads, and a fresh screen.
#pragma once

#include "platform/win32/gdi/GdiObjects.h"
#include "platform/win32/gdi/Screen.h"
#include "platform/win32/windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gdi_test {

using Rows = std::vector<std::vector<int>>;
using Bits = std::vector<std::string>;

// An 8-bit bitmap of system indices, rows top first.
inline HBITMAP make_indexed(const Rows& rows) {
    const std::size_t w = rows.front().size(), stride = (w + 1) / 2 * 2;
    std::vector<BYTE> bits(stride * rows.size(), 0);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < w; ++x) {
            bits[y * stride + x] = static_cast<BYTE>(rows[y][x]);
        }
    }
    return CreateBitmap(int(w), int(rows.size()), 1, 8, bits.data());
}
inline HBITMAP filled(int w, int h, int index) {
    return make_indexed(Rows(std::size_t(h), std::vector<int>(std::size_t(w), index)));
}

// A monochrome bitmap from rows of '0' (black) and '1' (white).
inline HBITMAP make_mono(const Bits& rows) {
    const std::size_t w = rows.front().size(), stride = (w + 15) / 16 * 2;
    std::vector<BYTE> bits(stride * rows.size(), 0);
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < w; ++x) {
            bits[y * stride + x / 8] |= BYTE(rows[y][x] == '1' ? 0x80 >> (x % 8) : 0);
        }
    }
    return CreateBitmap(int(w), int(rows.size()), 1, 1, bits.data());
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
        out.emplace_back();
        for (int v : r) {
            out.back() += v ? '1' : '0';
        }
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
