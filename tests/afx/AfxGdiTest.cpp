// AfxGdiTest.cpp: graphics wrappers own their handles; CDC forwards and keeps the platform's
// side effects.
#include "platform/afx/afxgdi.h"
#include "platform/win32/gdi/Screen.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class AfxGdi : public ::testing::Test {
protected:
    void SetUp() override {
        gdi::configure_screen(8);
        m_alive = GdiAliveCountForTest();
    }
    void TearDown() override { EXPECT_EQ(GdiAliveCountForTest(), m_alive) << "handles leaked"; }

private:
    std::size_t m_alive = 0;
};

// A memory DC on a fresh screen-compatible bitmap filled with the static teal (index 6).
struct Canvas {
    Canvas(int w, int h) {
        CDC screen;
        screen.CreateIC("DISPLAY", nullptr, nullptr, nullptr);
        bitmap.CreateCompatibleBitmap(&screen, w, h);
        dc.CreateCompatibleDC(&screen);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, w, h, RGB(0, 128, 128));
        dc.SetBkColor(RGB(255, 255, 255));
    }
    ~Canvas() { dc.SelectObject(old); }
    CBitmap bitmap;
    CDC dc;
    HBITMAP old = nullptr;
};

TEST_F(AfxGdi, ObjectsDeleteTheirHandleAndDetachHandsItOver) {
    const std::size_t before = GdiAliveCountForTest();
    HPEN kept = nullptr;
    {
        CPen pen(PS_SOLID, 0, RGB(255, 0, 0));
        CBrush brush(RGB(0, 0, 255));
        CPen other;
        EXPECT_TRUE(other.CreatePen(PS_SOLID, 1, 0));
        EXPECT_EQ(GdiAliveCountForTest(), before + 3);
        kept = static_cast<HPEN>(other.Detach());
        EXPECT_EQ(other.GetSafeHandle(), nullptr);
    }
    EXPECT_EQ(GdiAliveCountForTest(), before + 1) << "only the detached pen is left";
    EXPECT_TRUE(DeleteObject(kept));
}

TEST_F(AfxGdi, AttachRefusesASecondHandle) {
    CBitmap bm;
    EXPECT_TRUE(bm.CreateBitmap(2, 2, 1, 1, nullptr));
    HBITMAP extra = CreateBitmap(2, 2, 1, 1, nullptr);
    EXPECT_FALSE(bm.Attach(extra));
    EXPECT_FALSE(bm.CreateBitmap(3, 3, 1, 1, nullptr)) << "create also needs an empty object";
    EXPECT_TRUE(bm.DeleteObject());
    EXPECT_TRUE(bm.Attach(extra));
    EXPECT_FALSE(bm.Attach(nullptr));
}

TEST_F(AfxGdi, SelectedBitmapStaysOwnedWhenDeletionFails) {
    CBitmap bm;
    bm.CreateBitmap(2, 2, 1, 8, nullptr);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HBITMAP old = dc.SelectObject(&bm);
    ASSERT_NE(old, nullptr);
    EXPECT_FALSE(bm.DeleteObject());
    EXPECT_NE(bm.GetSafeHandle(), nullptr);
    EXPECT_EQ(dc.SelectObject(old), static_cast<HBITMAP>(bm));
}

TEST_F(AfxGdi, FreshMemoryDcMakesMonochromeCompatibleBitmaps) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap mask;
    ASSERT_TRUE(mask.CreateCompatibleBitmap(&dc, 24, 24));
    BITMAP info{};
    ASSERT_GT(mask.GetBitmap(&info), 0);
    EXPECT_EQ(info.bmBitsPixel, 1);
    EXPECT_EQ(info.bmWidth, 24);
    EXPECT_EQ(info.bmWidthBytes, 4);
}

TEST_F(AfxGdi, FillSolidRectFillsAndLeavesTheBackgroundColourSet) {
    Canvas c(4, 3);
    c.dc.FillSolidRect(1, 1, 2, 5, RGB(255, 0, 0));
    EXPECT_EQ(c.dc.GetBkColor(), RGB(255, 0, 0));
    const COLORREF t = RGB(0, 128, 128);
    const COLORREF r = RGB(255, 0, 0);
    const std::vector<std::vector<COLORREF>> expected = {{t, t, t, t}, {t, r, r, t}, {t, r, r, t}};
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(c.dc.GetPixel(x, y), expected[y][x]) << x << "," << y;
        }
    }
}

TEST_F(AfxGdi, RaisedPanelFromPensMatchesItsPicture) {
    // The preview's frame steps at a small size: grey face, white top-left, black bottom-right.
    const int w = 6, h = 4;
    Canvas c(w, h);
    c.dc.FillSolidRect(0, 0, w, h, RGB(192, 192, 192));
    CPen white(PS_SOLID, 0, RGB(255, 255, 255));
    CPen black(PS_SOLID, 0, RGB(0, 0, 0));
    HPEN old = c.dc.SelectObject(&white);
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(w, 0);
    c.dc.MoveTo(0, 0);
    c.dc.LineTo(0, h);
    c.dc.SelectObject(&black);
    c.dc.MoveTo(0, h - 1);
    c.dc.LineTo(w, h - 1);
    const CPoint previous = c.dc.MoveTo(w - 1, 0);
    EXPECT_EQ(previous, CPoint(w, h - 1));
    c.dc.LineTo(w - 1, h);
    c.dc.SelectObject(old);
    const char* picture[] = {"WWWWWB", "W....B", "W....B", "BBBBBB"};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const COLORREF expected = picture[y][x] == 'W'   ? RGB(255, 255, 255)
                                      : picture[y][x] == 'B' ? RGB(0, 0, 0)
                                                             : RGB(192, 192, 192);
            EXPECT_EQ(c.dc.GetPixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST_F(AfxGdi, FrameRectAndDraw3dRect) {
    Canvas c(5, 4);
    CBrush grey(RGB(192, 192, 192));
    const CRect frame(0, 0, 5, 4);
    c.dc.FrameRect(&frame, &grey);
    EXPECT_EQ(c.dc.GetPixel(4, 3), RGB(192, 192, 192));
    EXPECT_EQ(c.dc.GetPixel(1, 1), RGB(0, 128, 128));
    c.dc.Draw3dRect(&frame, RGB(255, 255, 255), RGB(128, 128, 128));
    struct Case {
        int x, y;
        COLORREF expected;
    };
    const Case cases[] = {
        {0, 0, RGB(255, 255, 255)}, {3, 0, RGB(255, 255, 255)}, {4, 0, RGB(128, 128, 128)},
        {0, 2, RGB(255, 255, 255)}, {0, 3, RGB(128, 128, 128)}, {4, 3, RGB(128, 128, 128)},
        {2, 2, RGB(0, 128, 128)},
    };
    for (const Case& k : cases) {
        EXPECT_EQ(c.dc.GetPixel(k.x, k.y), k.expected) << k.x << "," << k.y;
    }
}

TEST_F(AfxGdi, MaskFromWhitePixelsThenMaskedCopyKeepsTheBackground) {
    // Picture: white, red, white, black. Mask: 0 where white, 1 elsewhere.
    Canvas picture(4, 1);
    const COLORREF pixels[] = {RGB(255, 255, 255), RGB(255, 0, 0), RGB(255, 255, 255),
                               RGB(0, 0, 0)};
    for (int x = 0; x < 4; ++x) {
        picture.dc.SetPixelV(x, 0, pixels[x]);
    }
    CDC mask_dc;
    mask_dc.CreateCompatibleDC(nullptr);
    CBitmap mask;
    mask.CreateCompatibleBitmap(&mask_dc, 4, 1);
    HBITMAP old_mask = mask_dc.SelectObject(&mask);
    for (int x = 0; x < 4; ++x) {
        const bool key = picture.dc.GetPixel(x, 0) == 0x00FFFFFF;
        mask_dc.SetPixelV(x, 0, key ? RGB(0, 0, 0) : RGB(255, 255, 255));
    }
    Canvas target(4, 1);  // teal
    target.dc.BitBlt(0, 0, 4, 1, &mask_dc, 0, 0, SRCPAINT);
    target.dc.BitBlt(0, 0, 4, 1, &picture.dc, 0, 0, SRCAND);
    const COLORREF expected[] = {RGB(0, 128, 128), RGB(255, 0, 0), RGB(0, 128, 128), RGB(0, 0, 0)};
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(target.dc.GetPixel(x, 0), expected[x]) << x;
    }
    mask_dc.SelectObject(old_mask);
}

TEST_F(AfxGdi, SelectGuardPutsThePreviousObjectBack) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CPen pen(PS_SOLID, 0, RGB(255, 0, 0));
    {
        CSelectGuard guard(dc, pen);
        EXPECT_TRUE(guard.IsSelected());
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen.GetSafeHandle());
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), GetStockObject(BLACK_PEN));
    CBitmap in_use;
    in_use.CreateBitmap(1, 1, 1, 8, nullptr);
    CDC other;
    other.CreateCompatibleDC(nullptr);
    CSelectGuard first(other, in_use);
    {
        CSelectGuard second(dc, in_use);
        EXPECT_FALSE(second.IsSelected()) << "a bitmap lives in one DC";
    }
    EXPECT_EQ(GetCurrentObject(other, OBJ_BITMAP), in_use.GetSafeHandle());
}

TEST_F(AfxGdi, TextHelpersForwardToTheDc) {
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    EXPECT_EQ(dc.SetTextColor(RGB(255, 0, 0)), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetTextColor(), RGB(255, 0, 0));
    EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
    EXPECT_EQ(dc.SetTextAlign(TA_CENTER), 0u);
    const CSize whole = dc.GetTextExtent("Pilo");
    EXPECT_EQ(whole.cx, dc.GetTextExtent("Pi").cx + dc.GetTextExtent("lo", 2).cx);
    EXPECT_EQ(whole.cy, 16);
    EXPECT_EQ(dc.GetDeviceCaps(BITSPIXEL), 8);
    EXPECT_TRUE(dc.TextOut(0, 0, "Pilo"));
}

TEST_F(AfxGdi, SavedStateAndClipThroughTheDc) {
    Canvas c(4, 2);
    const int level = c.dc.SaveDC();
    EXPECT_EQ(level, 1);
    const CRect hole(1, 0, 3, 1);
    EXPECT_EQ(c.dc.ExcludeClipRect(&hole), COMPLEXREGION);
    c.dc.FillSolidRect(0, 0, 4, 2, RGB(255, 0, 0));
    EXPECT_EQ(c.dc.GetPixel(1, 0), CLR_INVALID) << "the hole cannot be read either";
    EXPECT_TRUE(c.dc.RestoreDC(level));
    EXPECT_EQ(c.dc.GetPixel(1, 0), RGB(0, 128, 128)) << "the hole kept its colour";
    EXPECT_EQ(c.dc.GetPixel(3, 0), RGB(255, 0, 0));
    EXPECT_EQ(c.dc.GetPixel(2, 1), RGB(255, 0, 0));
    EXPECT_EQ(c.dc.GetBkColor(), RGB(255, 255, 255)) << "the fill's bk colour was undone too";
    CRect box;
    EXPECT_EQ(c.dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(box, CRect(0, 0, 4, 2));
}

}  // namespace
