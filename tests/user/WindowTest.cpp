// WindowTest.cpp: the rectangle helpers, whose right and bottom edges lie outside, and the
// z-order SetWindowPos leaves, topmost windows above the rest.
#include "platform/win32/windows.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Rect, IntersectUnionAndPointsKeepTheEdgesOutside) {
    const RECT ten{0, 0, 10, 10};
    struct Case {
        const char* name;
        RECT a, b;
        BOOL overlaps;
        RECT common, both;  // IntersectRect's result and UnionRect's
    };
    const Case cases[] = {
        {"overlap", ten, {5, 6, 20, 20}, TRUE, {5, 6, 10, 10}, {0, 0, 20, 20}},
        {"inside", ten, {2, 3, 4, 5}, TRUE, {2, 3, 4, 5}, ten},
        {"touching the right edge", ten, {10, 0, 20, 10}, FALSE, {}, {0, 0, 20, 10}},
        {"touching the bottom edge", ten, {0, 10, 10, 20}, FALSE, {}, {0, 0, 10, 20}},
        {"one pixel", ten, {9, 9, 20, 20}, TRUE, {9, 9, 10, 10}, {0, 0, 20, 20}},
        {"an empty one inside is left out", ten, {3, 3, 3, 8}, FALSE, {}, ten},
        {"negative", {-10, -10, 0, 0}, {-5, -20, 5, -5}, TRUE, {-5, -10, 0, -5}, {-10, -20, 5, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RECT out{99, 99, 99, 99};
        EXPECT_EQ(IntersectRect(&out, &c.a, &c.b), c.overlaps);
        EXPECT_TRUE(EqualRect(&out, &c.common));
        EXPECT_TRUE(UnionRect(&out, &c.b, &c.a));
        EXPECT_TRUE(EqualRect(&out, &c.both));
    }
    const RECT empty{50, 50, 50, 60};
    RECT out{};
    EXPECT_FALSE(UnionRect(&out, &empty, &empty));
    EXPECT_TRUE(IsRectEmpty(&out));
    const RECT rc{2, 3, 10, 8};
    const std::pair<POINT, BOOL> points[] = {{{2, 3}, TRUE},  {{9, 7}, TRUE},  {{10, 5}, FALSE},
                                             {{5, 8}, FALSE}, {{1, 5}, FALSE}, {{5, 2}, FALSE}};
    for (const auto& [pt, inside] : points) {
        EXPECT_EQ(PtInRect(&rc, pt), inside) << pt.x << "," << pt.y;
    }
    for (const RECT& r : {RECT{0, 0, 0, 0}, RECT{5, 5, 5, 9}, RECT{5, 5, 9, 5}, RECT{5, 5, 4, 9}}) {
        EXPECT_TRUE(IsRectEmpty(&r)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    EXPECT_FALSE(IsRectEmpty(&ten));
    EXPECT_TRUE(IsRectEmpty(nullptr));
    EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));  // the setters' values show in every layout
    EXPECT_FALSE(OffsetRect(nullptr, 1, 1));
    EXPECT_FALSE(CopyRect(&out, nullptr));
}

using ZOrder = test::UserTest;

// Three popups, a topmost one at (0, 0) 20 x 20, a at (0, 0) and b at (50, 50), 100 x 100 each:
// which window each point finds after each step.
TEST_F(ZOrder, LaterWindowsLieOnTopAndTopmostOnesStayAbove) {
    HWND topmost = window(WS_POPUP | WS_VISIBLE, 0, 0, 20, 20);
    SetWindowPos(topmost, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    HWND a = window(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND b = window(WS_POPUP | WS_VISIBLE, 50, 50, 100, 100);
    struct Step {
        const char* name;
        HWND hwnd, insert_after;  // nullptr: no move
        std::vector<std::pair<POINT, HWND>> probes;
    };
    const Step steps[] = {
        {"as made", nullptr, nullptr, {{{10, 10}, topmost}, {{60, 60}, b}, {{30, 30}, a}}},
        {"a to the top, below the topmost", a, HWND_TOP, {{{10, 10}, topmost}, {{60, 60}, a}}},
        {"a to the bottom", a, HWND_BOTTOM, {{{60, 60}, b}}},
        {"no longer topmost, still in front", topmost, HWND_NOTOPMOST, {{{10, 10}, topmost}}},
        {"b topmost stays above a raised window", b, HWND_TOPMOST, {{{60, 60}, b}}},
        {"a raised stays below topmost b", a, HWND_TOP, {{{60, 60}, b}, {{30, 30}, a}}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        if (s.hwnd != nullptr) {
            ASSERT_TRUE(SetWindowPos(s.hwnd, s.insert_after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
        }
        for (const auto& [pt, expected] : s.probes) {
            EXPECT_EQ(WindowFromPoint(pt), expected) << pt.x << "," << pt.y;
        }
    }
    EXPECT_EQ(GetWindowLongA(topmost, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(GetWindowLongA(b, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

}  // namespace
