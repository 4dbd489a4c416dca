// GdiTestSupport.h: small helpers for GDI tests: bitmaps from index rows, pixel reads.
#pragma once

#include "platform/win32/gdi/GdiObjects.h"
#include "platform/win32/gdi/Screen.h"
#include "platform/win32/windows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace gdi_test {

// An 8-bit bitmap whose pixels are the given system indices, rows top first.
inline HBITMAP make_indexed(const std::vector<std::vector<int>>& rows) {
    const int h = static_cast<int>(rows.size());
    const int w = static_cast<int>(rows.front().size());
    const int stride = (w + 1) / 2 * 2;
    std::vector<BYTE> bits(static_cast<std::size_t>(stride * h), 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bits[static_cast<std::size_t>(y * stride + x)] = static_cast<BYTE>(rows[y][x]);
        }
    }
    return CreateBitmap(w, h, 1, 8, bits.data());
}

// A monochrome bitmap from rows of '0' (black) and '1' (white).
inline HBITMAP make_mono(const std::vector<std::string>& rows) {
    const int h = static_cast<int>(rows.size());
    const int w = static_cast<int>(rows.front().size());
    const int stride = (w + 15) / 16 * 2;
    std::vector<BYTE> bits(static_cast<std::size_t>(stride * h), 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (rows[y][x] == '1') {
                bits[static_cast<std::size_t>(y * stride + x / 8)] |=
                    static_cast<BYTE>(0x80 >> (x % 8));
            }
        }
    }
    return CreateBitmap(w, h, 1, 1, bits.data());
}

// The raw value of a bitmap pixel (system index, monochrome bit or 0x00RRGGBB).
inline int value_at(HBITMAP bm, int x, int y) {
    const gdi::BitmapObject* b = gdi::find_bitmap(bm);
    return b == nullptr ? -1 : static_cast<int>(b->surface.get(x, y));
}

inline std::vector<std::vector<int>> values_of(HBITMAP bm) {
    const gdi::BitmapObject* b = gdi::find_bitmap(bm);
    std::vector<std::vector<int>> rows;
    for (int y = 0; b != nullptr && y < b->surface.height(); ++y) {
        std::vector<int> row;
        for (int x = 0; x < b->surface.width(); ++x) {
            row.push_back(static_cast<int>(b->surface.get(x, y)));
        }
        rows.push_back(row);
    }
    return rows;
}

inline std::vector<std::string> mono_rows(HBITMAP bm) {
    std::vector<std::string> rows;
    for (const auto& r : values_of(bm)) {
        std::string s;
        for (int v : r) {
            s += v ? '1' : '0';
        }
        rows.push_back(s);
    }
    return rows;
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
    bool selected() const { return m_old != nullptr; }

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
