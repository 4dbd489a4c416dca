// AfxTypesTest.cpp: CRect arithmetic at its edges.
#include "platform/afx/afxtypes.h"

#include <gtest/gtest.h>

namespace {

TEST(CRectTest, RightAndBottomEdgesAreOutside) {
    const CRect r(10, 20, 30, 25);
    struct Case {
        const char* name;
        CPoint p;
        bool inside;
    };
    const Case cases[] = {
        {"top-left corner", {10, 20}, true}, {"last pixel", {29, 24}, true},
        {"right edge", {30, 22}, false},     {"bottom edge", {15, 25}, false},
        {"left of it", {9, 22}, false},      {"above it", {15, 19}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(r.PtInRect(c.p), c.inside);
    }
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.Height(), 5);
}

TEST(CRectTest, NormalizeOffsetInflate) {
    CRect r(30, 25, 10, 20);
    EXPECT_EQ(r.Width(), -20);
    r.NormalizeRect();
    EXPECT_EQ(r, CRect(10, 20, 30, 25));
    r.OffsetRect(-10, 5);
    EXPECT_EQ(r, CRect(0, 25, 20, 30));
    r.InflateRect(2, 1);
    EXPECT_EQ(r, CRect(-2, 24, 22, 31));
    r.DeflateRect(2, 1);
    EXPECT_EQ(r, CRect(0, 25, 20, 30));
    EXPECT_EQ(r.CenterPoint(), CPoint(10, 27));
    EXPECT_EQ(r.TopLeft() + CSize(1, 2), CPoint(1, 27));
}

TEST(CRectTest, IntersectionAndUnion) {
    struct Case {
        const char* name;
        CRect a, b;
        BOOL intersects;
        CRect intersection;
        CRect union_rect;
    };
    const Case cases[] = {
        {"overlap", {0, 0, 10, 10}, {5, 5, 15, 20}, TRUE, {5, 5, 10, 10}, {0, 0, 15, 20}},
        {"touching edges do not intersect",
         {0, 0, 10, 10},
         {10, 0, 20, 10},
         FALSE,
         {0, 0, 0, 0},
         {0, 0, 20, 10}},
        {"empty one is ignored by union",
         {0, 0, 0, 5},
         {2, 2, 4, 4},
         FALSE,
         {0, 0, 0, 0},
         {2, 2, 4, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CRect i;
        EXPECT_EQ(i.IntersectRect(&c.a, &c.b), c.intersects);
        EXPECT_EQ(i, c.intersection);
        CRect u;
        EXPECT_TRUE(u.UnionRect(&c.a, &c.b));
        EXPECT_EQ(u, c.union_rect);
    }
}

}  // namespace

namespace {

// Values of the same class compare directly (no reversed-operand ambiguity) and by every field.
TEST(AfxTypesCompare, SameClassValuesCompareFieldByField) {
    struct Case {
        const char* name;
        CRect a, b;
        bool equal;
    };
    const Case cases[] = {
        {"same", CRect(1, 2, 3, 4), CRect(1, 2, 3, 4), true},
        {"left differs", CRect(0, 2, 3, 4), CRect(1, 2, 3, 4), false},
        {"top differs", CRect(1, 0, 3, 4), CRect(1, 2, 3, 4), false},
        {"right differs", CRect(1, 2, 0, 4), CRect(1, 2, 3, 4), false},
        {"bottom differs", CRect(1, 2, 3, 0), CRect(1, 2, 3, 4), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.a == c.b, c.equal);
        EXPECT_EQ(c.b == c.a, c.equal);
        EXPECT_EQ(c.a != c.b, !c.equal);
        EXPECT_EQ(CPoint(c.a.left, c.a.top) == CPoint(c.b.left, c.b.top),
                  c.a.left == c.b.left && c.a.top == c.b.top);
        EXPECT_EQ(c.a.Size() == c.b.Size(),
                  c.a.Width() == c.b.Width() && c.a.Height() == c.b.Height());
    }
}

}  // namespace
