// RectTest.cpp: the rectangle helpers, edges outside on the right and bottom.
#include "platform/win32/windows.h"

#include <gtest/gtest.h>

namespace {

struct IntersectCase {
    const char* name;
    RECT a, b;
    BOOL overlaps;
    RECT expected;
};

const IntersectCase kIntersectCases[] = {
    {"overlap", {0, 0, 10, 10}, {5, 6, 20, 20}, TRUE, {5, 6, 10, 10}},
    {"inside", {0, 0, 10, 10}, {2, 3, 4, 5}, TRUE, {2, 3, 4, 5}},
    {"touching right edge", {0, 0, 10, 10}, {10, 0, 20, 10}, FALSE, {0, 0, 0, 0}},
    {"touching bottom edge", {0, 0, 10, 10}, {0, 10, 10, 20}, FALSE, {0, 0, 0, 0}},
    {"one pixel", {0, 0, 10, 10}, {9, 9, 20, 20}, TRUE, {9, 9, 10, 10}},
    {"empty operand inside", {0, 0, 10, 10}, {3, 3, 3, 8}, FALSE, {0, 0, 0, 0}},
    {"negative coordinates", {-10, -10, 0, 0}, {-5, -20, 5, -5}, TRUE, {-5, -10, 0, -5}},
};

TEST(Rect, IntersectKeepsTheCommonPartOrZeroes) {
    for (const IntersectCase& c : kIntersectCases) {
        SCOPED_TRACE(c.name);
        RECT out{99, 99, 99, 99};
        EXPECT_EQ(IntersectRect(&out, &c.a, &c.b), c.overlaps);
        EXPECT_TRUE(EqualRect(&out, &c.expected))
            << out.left << "," << out.top << "," << out.right << "," << out.bottom;
    }
}

struct PointCase {
    const char* name;
    POINT pt;
    BOOL inside;
};

const PointCase kPointCases[] = {
    {"top left corner", {2, 3}, TRUE},    {"last pixel", {9, 7}, TRUE},
    {"right edge", {10, 5}, FALSE},       {"bottom edge", {5, 8}, FALSE},
    {"left of left edge", {1, 5}, FALSE}, {"above top edge", {5, 2}, FALSE},
};

TEST(Rect, PointInsideExcludesRightAndBottomEdges) {
    const RECT rc{2, 3, 10, 8};
    for (const PointCase& c : kPointCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PtInRect(&rc, c.pt), c.inside);
    }
}

TEST(Rect, EmptyMeansNoPixel) {
    const RECT kEmpty[] = {{0, 0, 0, 0}, {5, 5, 5, 9}, {5, 5, 9, 5}, {5, 5, 4, 9}};
    for (const RECT& rc : kEmpty) {
        EXPECT_TRUE(IsRectEmpty(&rc))
            << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
    const RECT one{5, 5, 6, 6};
    EXPECT_FALSE(IsRectEmpty(&one));
    EXPECT_TRUE(IsRectEmpty(nullptr));
}

TEST(Rect, SetOffsetInflateAndCopy) {
    RECT rc{};
    ASSERT_TRUE(SetRect(&rc, 1, 2, 3, 4));
    ASSERT_TRUE(OffsetRect(&rc, 10, -20));
    const RECT moved{11, -18, 13, -16};
    EXPECT_TRUE(EqualRect(&rc, &moved));
    ASSERT_TRUE(InflateRect(&rc, 2, 1));
    const RECT grown{9, -19, 15, -15};
    EXPECT_TRUE(EqualRect(&rc, &grown));
    RECT copy{};
    ASSERT_TRUE(CopyRect(&copy, &rc));
    EXPECT_TRUE(EqualRect(&copy, &grown));
    const RECT other{9, -19, 15, -14};
    EXPECT_FALSE(EqualRect(&copy, &other));
    EXPECT_FALSE(SetRect(nullptr, 0, 0, 1, 1));
    EXPECT_FALSE(OffsetRect(nullptr, 1, 1));
    EXPECT_FALSE(CopyRect(&copy, nullptr));
}

TEST(Rect, UnionIgnoresEmptyRectangles) {
    const RECT a{0, 0, 4, 4}, b{10, 2, 12, 20}, empty{50, 50, 50, 60};
    RECT out{};
    EXPECT_TRUE(UnionRect(&out, &a, &b));
    const RECT both{0, 0, 12, 20};
    EXPECT_TRUE(EqualRect(&out, &both));
    EXPECT_TRUE(UnionRect(&out, &empty, &b));
    EXPECT_TRUE(EqualRect(&out, &b));
    EXPECT_FALSE(UnionRect(&out, &empty, &empty));
    EXPECT_TRUE(IsRectEmpty(&out));
}

}  // namespace
