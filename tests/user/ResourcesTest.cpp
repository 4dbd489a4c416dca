// ResourcesTest.cpp: LoadBitmapA, LoadIconA and LoadCursorA on resources built byte by byte.
#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/windows.h"
#include "tests/kernel/ResourceImageBuilder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

void put16(std::vector<std::uint8_t>& v, std::uint32_t x) {
    v.push_back(static_cast<std::uint8_t>(x));
    v.push_back(static_cast<std::uint8_t>(x >> 8));
}
void put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}

// A BITMAPINFOHEADER without compression.
std::vector<std::uint8_t> info_header(int width, int height, int bits, std::uint32_t colours) {
    std::vector<std::uint8_t> v;
    put32(v, 40);
    put32(v, static_cast<std::uint32_t>(width));
    put32(v, static_cast<std::uint32_t>(height));
    put16(v, 1);
    put16(v, static_cast<std::uint32_t>(bits));
    for (std::uint32_t x : {0u, 0u, 0u, 0u, colours, 0u}) {
        put32(v, x);
    }
    return v;
}

void put_colour(std::vector<std::uint8_t>& v, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    v.insert(v.end(), {b, g, r, 0});
}

class Resources : public testing::Test {
protected:
    void SetUp() override {
        // Bitmap 130: 8 bits, 4 x 1, colours off the static ones.
        std::vector<std::uint8_t> dib = info_header(4, 1, 8, 4);
        put_colour(dib, 250, 2, 3);      // nearest static: 255,0,0
        put_colour(dib, 120, 130, 125);  // 128,128,128
        put_colour(dib, 200, 190, 190);  // 192,192,192
        put_colour(dib, 10, 5, 140);     // 0,0,128
        dib.insert(dib.end(), {0, 1, 2, 3});
        m_builder.add(2, 130, dib);
        // Bitmap 131: promises more rows than it holds.
        std::vector<std::uint8_t> cut = info_header(4, 3, 8, 1);
        put_colour(cut, 0, 0, 0);
        cut.insert(cut.end(), {0, 0, 0, 0});
        m_builder.add(2, 131, cut);
        // Icon 128: 32 x 32, 1 bit, AND mask opaque on the left half. The picture is near-white
        // on columns 0-15 and 24-31, black on 16-23: transparent black keeps the background,
        // transparent white inverts it.
        std::vector<std::uint8_t> icon = info_header(32, 64, 1, 2);
        put_colour(icon, 0, 0, 0);
        put_colour(icon, 250, 250, 250);
        for (int row = 0; row < 32; ++row) {
            icon.insert(icon.end(), {0xFF, 0xFF, 0x00, 0xFF});
        }
        for (int row = 0; row < 32; ++row) {
            icon.insert(icon.end(), {0x00, 0x00, 0xFF, 0xFF});
        }
        m_builder.add(3, 1, icon);
        const std::vector<std::uint8_t> group = {0, 0, 1, 0, 1, 0, 32, 32, 2, 0,
                                                 1, 0, 1, 0, 0, 0, 0,  0,  1, 0};
        m_builder.add(14, 128, group);
        m_image = m_builder.bytes();
        m_module = kernel::install_resource_image(m_image, kernel::ModuleRole::Extra);
        ASSERT_NE(m_module, nullptr);
        m_screen = GetDC(nullptr);
        m_memory = CreateCompatibleDC(m_screen);
        m_canvas = CreateCompatibleBitmap(m_screen, 40, 40);
        m_old = SelectObject(m_memory, m_canvas);
    }
    void TearDown() override {
        SelectObject(m_memory, m_old);
        DeleteObject(m_canvas);
        DeleteDC(m_memory);
        ReleaseDC(nullptr, m_screen);
        kernel::remove_resource_image(m_module);
    }

    void fill(COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        const RECT all{0, 0, 40, 40};
        FillRect(m_memory, &all, brush);
        DeleteObject(brush);
    }

    test::ResourceImageBuilder m_builder;
    std::vector<std::byte> m_image;
    HINSTANCE m_module = nullptr;
    HDC m_screen = nullptr;
    HDC m_memory = nullptr;
    HBITMAP m_canvas = nullptr;
    HGDIOBJ m_old = nullptr;
};

TEST_F(Resources, LoadBitmapSnapsColoursToTheStaticOnes) {
    HBITMAP bitmap = LoadBitmapA(m_module, MAKEINTRESOURCEA(130));
    ASSERT_NE(bitmap, nullptr);
    BITMAP bm{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof bm, &bm), static_cast<int>(sizeof bm));
    EXPECT_EQ(bm.bmWidth, 4);
    EXPECT_EQ(bm.bmHeight, 1);
    HDC dc = CreateCompatibleDC(m_screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF expected[] = {RGB(255, 0, 0), RGB(128, 128, 128), RGB(192, 192, 192),
                                 RGB(0, 0, 128)};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(GetPixel(dc, x, 0), expected[x]) << "x " << x;
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_TRUE(DeleteObject(bitmap));
}

TEST_F(Resources, LoadBitmapRefusesMissingAndTruncatedBitmaps) {
    SetLastError(0);
    EXPECT_EQ(LoadBitmapA(m_module, MAKEINTRESOURCEA(132)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    SetLastError(0);
    EXPECT_EQ(LoadBitmapA(m_module, MAKEINTRESOURCEA(131)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(Resources, LoadIconDrawsThroughItsMask) {
    HICON icon = LoadIconA(m_module, MAKEINTRESOURCEA(128));
    ASSERT_NE(icon, nullptr);
    fill(RGB(0, 0, 128));
    ASSERT_TRUE(DrawIcon(m_memory, 4, 4, icon));
    struct Probe {
        int x, y;
        COLORREF expected;
    };
    const Probe probes[] = {
        {4, 4, RGB(255, 255, 255)},    // opaque half, picture snapped to white
        {19, 35, RGB(255, 255, 255)},  // last opaque column, last row
        {20, 4, RGB(0, 0, 128)},       // transparent half keeps the background
        {3, 4, RGB(0, 0, 128)},        // left of the icon
        {4, 36, RGB(0, 0, 128)},       // below the icon
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(GetPixel(m_memory, p.x, p.y), p.expected) << p.x << "," << p.y;
    }
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_EQ(LoadIconA(m_module, MAKEINTRESOURCEA(129)), nullptr);
}

TEST_F(Resources, ArrowCursorIsSharedAndDrawsItsOutline) {
    HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(LoadCursorA(nullptr, IDC_ARROW), arrow);
    EXPECT_EQ(LoadCursorA(nullptr, MAKEINTRESOURCEA(32513)), nullptr);
    fill(RGB(128, 128, 128));
    ASSERT_TRUE(DrawIcon(m_memory, 0, 0, arrow));
    struct Probe {
        int x, y;
        COLORREF expected;
    };
    const Probe probes[] = {
        {0, 0, RGB(0, 0, 0)},         // tip
        {0, 10, RGB(0, 0, 0)},        // left outline
        {5, 5, RGB(0, 0, 0)},         // diagonal outline
        {1, 5, RGB(255, 255, 255)},   // inside
        {6, 5, RGB(128, 128, 128)},   // right of the diagonal
        {3, 15, RGB(0, 0, 0)},        // bottom outline
        {3, 16, RGB(128, 128, 128)},  // below the arrow
    };
    for (const Probe& p : probes) {
        EXPECT_EQ(GetPixel(m_memory, p.x, p.y), p.expected) << p.x << "," << p.y;
    }
}

}  // namespace
