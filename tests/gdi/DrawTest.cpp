// DrawTest.cpp: lines, rectangles and fills, and clipping at bitmap edges.
#include "tests/gdi/GdiTestSupport.h"

#include "platform/win32/gdi/WindowDc.h"

#include <climits>

namespace {

using namespace gdi_test;

std::vector<std::string> blank(int w, int h) {
    return std::vector<std::string>(static_cast<std::size_t>(h),
                                    std::string(static_cast<std::size_t>(w), '0'));
}

using Drawing = GdiTest;

struct LineCase {
    const char* name;
    POINT from;
    POINT to;
    std::vector<std::string> expected;  // '1' where the white pen drew
};

TEST_F(Drawing, LinesStopBeforeTheirEndPointInEveryDirection) {
    const LineCase cases[] = {
        {"right", {1, 2}, {4, 2}, {"00000", "00000", "01110", "00000", "00000"}},
        {"left", {3, 2}, {0, 2}, {"00000", "00000", "01110", "00000", "00000"}},
        {"down", {2, 1}, {2, 4}, {"00000", "00100", "00100", "00100", "00000"}},
        {"up", {2, 3}, {2, 0}, {"00000", "00100", "00100", "00100", "00000"}},
        {"down right", {0, 0}, {3, 3}, {"10000", "01000", "00100", "00000", "00000"}},
        {"up left", {4, 4}, {1, 1}, {"00000", "00000", "00100", "00010", "00001"}},
        {"down left", {4, 0}, {1, 3}, {"00001", "00010", "00100", "00000", "00000"}},
        {"up right", {0, 4}, {3, 1}, {"00000", "00000", "00100", "01000", "10000"}},
        {"zero length draws nothing",
         {2, 2},
         {2, 2},
         {"00000", "00000", "00000", "00000", "00000"}},
        {"shallow: y rounds to the nearest row",
         {0, 0},
         {5, 2},
         {"11000", "00110", "00001", "00000", "00000"}},
        {"steep", {0, 0}, {2, 5}, {"10000", "10000", "01000", "01000", "00100"}},
        {"clipped at the edges", {-2, 1}, {8, 1}, {"00000", "11111", "00000", "00000", "00000"}},
        {"from far outside",
         {-2000000000, 3},
         {2000000000, 3},
         {"00000", "00000", "00000", "11111", "00000"}},
        {"vertical from far below",
         {1, 2000000000},
         {1, -2000000000},
         {"01000", "01000", "01000", "01000", "01000"}},
    };
    HPEN white = static_cast<HPEN>(GetStockObject(WHITE_PEN));
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryDc dst(make_mono(blank(5, 5)));
        SelectObject(dst.dc(), white);
        MoveToEx(dst.dc(), c.from.x, c.from.y, nullptr);
        EXPECT_TRUE(LineTo(dst.dc(), c.to.x, c.to.y));
        EXPECT_EQ(mono_rows(dst.bitmap()), c.expected);
        POINT pos{};
        GetCurrentPositionEx(dst.dc(), &pos);
        EXPECT_EQ(pos.x, c.to.x);
        EXPECT_EQ(pos.y, c.to.y);
        SelectObject(dst.dc(), GetStockObject(BLACK_PEN));
    }
}

TEST_F(Drawing, RaisedFrameCornersBelongToTheDarkEdges) {
    // White top and left edges, then black bottom and right edges, each to one past the end.
    MemoryDc dst(make_indexed(std::vector<std::vector<int>>(4, std::vector<int>(5, 7))));
    HPEN white = CreatePen(PS_SOLID, 0, RGB(255, 255, 255));
    HPEN black = CreatePen(PS_SOLID, 0, RGB(0, 0, 0));
    HGDIOBJ old = SelectObject(dst.dc(), white);
    MoveToEx(dst.dc(), 0, 0, nullptr);
    LineTo(dst.dc(), 5, 0);
    MoveToEx(dst.dc(), 0, 0, nullptr);
    LineTo(dst.dc(), 0, 4);
    SelectObject(dst.dc(), black);
    MoveToEx(dst.dc(), 0, 3, nullptr);
    LineTo(dst.dc(), 5, 3);
    MoveToEx(dst.dc(), 4, 0, nullptr);
    LineTo(dst.dc(), 4, 4);
    const std::vector<std::vector<int>> expected = {
        {255, 255, 255, 255, 0},
        {255, 7, 7, 7, 0},
        {255, 7, 7, 7, 0},
        {0, 0, 0, 0, 0},
    };
    EXPECT_EQ(values_of(dst.bitmap()), expected);
    SelectObject(dst.dc(), old);
    DeleteObject(white);
    DeleteObject(black);
}

struct RectCase {
    const char* name;
    RECT rect;
    std::vector<std::string> expected;
};

TEST_F(Drawing, FrameRectDrawsOnePixelInsideTheRectangle) {
    const RectCase cases[] = {
        {"4 x 3 frame", {1, 1, 5, 4}, {"000000", "011110", "010010", "011110", "000000"}},
        {"one pixel wide", {2, 0, 3, 5}, {"001000", "001000", "001000", "001000", "001000"}},
        {"empty width", {3, 1, 3, 4}, blank(6, 5)},
        {"inverted", {5, 4, 1, 1}, blank(6, 5)},
        {"over the edges", {-1, -1, 7, 6}, blank(6, 5)},
        {"clipped at the right", {4, 1, 9, 4}, {"000000", "000011", "000010", "000011", "000000"}},
    };
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    for (const RectCase& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryDc dst(make_mono(blank(6, 5)));
        EXPECT_NE(FrameRect(dst.dc(), &c.rect, white), 0);
        EXPECT_EQ(mono_rows(dst.bitmap()), c.expected);
    }
}

TEST_F(Drawing, FillRectCoversLeftTopButNotRightBottom) {
    const RectCase cases[] = {
        {"inside", {1, 1, 3, 3}, {"0000", "0110", "0110", "0000"}},
        {"clipped", {-5, 2, 2, 10}, {"0000", "0000", "1100", "1100"}},
        {"empty", {2, 2, 2, 3}, blank(4, 4)},
    };
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    for (const RectCase& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryDc dst(make_mono(blank(4, 4)));
        FillRect(dst.dc(), &c.rect, white);
        EXPECT_EQ(mono_rows(dst.bitmap()), c.expected);
    }
}

TEST_F(Drawing, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    MemoryDc dst(make_indexed(std::vector<std::vector<int>>(5, std::vector<int>(5, 6))));
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(dst.dc(), red);
    EXPECT_TRUE(Rectangle(dst.dc(), 0, 0, 4, 4));
    const std::vector<std::vector<int>> expected = {
        {0, 0, 0, 0, 6}, {0, 249, 249, 0, 6}, {0, 249, 249, 0, 6}, {0, 0, 0, 0, 6}, {6, 6, 6, 6, 6},
    };
    EXPECT_EQ(values_of(dst.bitmap()), expected);
    SelectObject(dst.dc(), old);
    DeleteObject(red);
}

struct ClipCase {
    const char* name;
    int x, y, w, h, sx, sy;
    std::vector<std::vector<int>> expected;
};

TEST_F(Drawing, BitBltClipsSourceAndDestinationAndTouchesNothingElse) {
    constexpr int o = 200;  // destination's own value
    const ClipCase cases[] = {
        {"inside", 1, 1, 2, 2, 0, 0, {{o, o, o, o}, {o, 1, 2, o}, {o, 5, 6, o}, {o, o, o, o}}},
        {"destination left-top outside",
         -1,
         -1,
         3,
         3,
         0,
         0,
         {{6, 7, o, o}, {10, 11, o, o}, {o, o, o, o}, {o, o, o, o}}},
        {"destination right-bottom outside",
         3,
         3,
         10,
         10,
         0,
         0,
         {{o, o, o, o}, {o, o, o, o}, {o, o, o, o}, {o, o, o, 1}}},
        {"source left outside: those columns stay",
         0,
         0,
         4,
         1,
         -2,
         0,
         {{o, o, 1, 2}, {o, o, o, o}, {o, o, o, o}, {o, o, o, o}}},
        {"source right-bottom outside",
         0,
         0,
         4,
         4,
         3,
         3,
         {{16, o, o, o}, {o, o, o, o}, {o, o, o, o}, {o, o, o, o}}},
        {"source wholly outside",
         0,
         0,
         4,
         4,
         4,
         0,
         {{o, o, o, o}, {o, o, o, o}, {o, o, o, o}, {o, o, o, o}}},
        {"negative width",
         2,
         2,
         -2,
         2,
         0,
         0,
         {{o, o, o, o}, {o, o, o, o}, {o, o, o, o}, {o, o, o, o}}},
        {"huge position",
         INT_MAX - 1,
         INT_MAX - 1,
         INT_MAX,
         INT_MAX,
         0,
         0,
         {{o, o, o, o}, {o, o, o, o}, {o, o, o, o}, {o, o, o, o}}},
        {"huge size",
         0,
         0,
         INT_MAX,
         INT_MAX,
         INT_MIN,
         0,
         {{o, o, o, o}, {o, o, o, o}, {o, o, o, o}, {o, o, o, o}}},
    };
    MemoryDc src(make_indexed({{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}}));
    for (const ClipCase& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryDc dst(make_indexed(std::vector<std::vector<int>>(4, std::vector<int>(4, o))));
        EXPECT_TRUE(BitBlt(dst.dc(), c.x, c.y, c.w, c.h, src.dc(), c.sx, c.sy, SRCCOPY));
        EXPECT_EQ(values_of(dst.bitmap()), c.expected);
    }
}

TEST_F(Drawing, BitBltWithinOneBitmapReadsThePixelsAsTheyWere) {
    MemoryDc dc(make_indexed({{1, 2, 3, 4, 5}}));
    BitBlt(dc.dc(), 1, 0, 4, 1, dc.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(values_of(dc.bitmap())[0], (std::vector<int>{1, 1, 2, 3, 4}));
    BitBlt(dc.dc(), 0, 0, 4, 1, dc.dc(), 1, 0, SRCINVERT);
    EXPECT_EQ(values_of(dc.bitmap())[0], (std::vector<int>{1 ^ 1, 1 ^ 2, 2 ^ 3, 3 ^ 4, 4}));
}

TEST_F(Drawing, InformationContextDrawsNothingButSucceeds) {
    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    ASSERT_NE(ic, nullptr);
    MemoryDc src(make_indexed({{1}}));
    EXPECT_TRUE(BitBlt(ic, 0, 0, 1, 1, src.dc(), 0, 0, SRCCOPY));
    EXPECT_TRUE(PatBlt(ic, 0, 0, 5, 5, WHITENESS));
    EXPECT_EQ(GetPixel(ic, 0, 0), CLR_INVALID);
    EXPECT_FALSE(BitBlt(src.dc(), 0, 0, 1, 1, ic, 0, 0, SRCCOPY)) << "nothing to read";
    DeleteDC(ic);
}

}  // namespace

namespace {

using Clipping = gdi_test::GdiTest;

TEST_F(Clipping, ExcludeAndIntersectLimitDrawingUntilReset) {
    gdi_test::MemoryDc dst(gdi_test::make_mono({"000000", "000000", "000000", "000000"}));
    HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    const RECT all{0, 0, 6, 4};
    EXPECT_EQ(ExcludeClipRect(dst.dc(), 1, 1, 3, 3), COMPLEXREGION);
    FillRect(dst.dc(), &all, white);
    EXPECT_EQ(gdi_test::mono_rows(dst.bitmap()),
              (std::vector<std::string>{"111111", "100111", "100111", "111111"}));
    RECT box{};
    EXPECT_EQ(GetClipBox(dst.dc(), &box), COMPLEXREGION);
    EXPECT_EQ(box.right, 6);
    EXPECT_EQ(SelectClipRgn(dst.dc(), nullptr), SIMPLEREGION);
    EXPECT_EQ(IntersectClipRect(dst.dc(), 4, -5, 10, 2), SIMPLEREGION);
    PatBlt(dst.dc(), 0, 0, 6, 4, BLACKNESS);
    EXPECT_EQ(gdi_test::mono_rows(dst.bitmap()),
              (std::vector<std::string>{"111100", "100100", "100111", "111111"}));
    EXPECT_EQ(IntersectClipRect(dst.dc(), 0, 0, 1, 1), NULLREGION) << "no overlap left";
    EXPECT_EQ(GetClipBox(dst.dc(), &box), NULLREGION);
    FillRect(dst.dc(), &all, white);
    EXPECT_EQ(gdi_test::mono_rows(dst.bitmap())[0], "111100");
    SelectClipRgn(dst.dc(), nullptr);
    FillRect(dst.dc(), &all, white);
    EXPECT_EQ(gdi_test::mono_rows(dst.bitmap())[0], "111111");
    HRGN some_region = reinterpret_cast<HRGN>(static_cast<std::uintptr_t>(0x10));
    EXPECT_EQ(SelectClipRgn(dst.dc(), some_region), RGN_ERROR);
}

TEST_F(Clipping, WindowDcReturnsToItsVisibleRectangles) {
    const RECT visible{5, 5, 15, 15};
    HDC dc = gdi::create_window_dc(reinterpret_cast<HWND>(std::uintptr_t{0x99}), POINT{5, 5},
                                   {&visible, 1});
    RECT box{};
    EXPECT_EQ(IntersectClipRect(dc, 2, 3, 4, 20), SIMPLEREGION);
    GetClipBox(dc, &box);
    EXPECT_EQ(box.left, 2);
    EXPECT_EQ(box.top, 3);
    EXPECT_EQ(box.right, 4);
    EXPECT_EQ(box.bottom, 10);
    SelectClipRgn(dc, nullptr);
    GetClipBox(dc, &box);
    EXPECT_EQ(box.left, 0);
    EXPECT_EQ(box.bottom, 10);
    DeleteDC(dc);
}

}  // namespace
