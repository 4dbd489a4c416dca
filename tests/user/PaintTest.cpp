// PaintTest.cpp: update regions reaching children unless clipped, and what RedrawWindow sends.
#include "platform/win32/windows.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

namespace {

using test::message_log;

const std::vector<UINT> kPaintMessages = {WM_PAINT, WM_ERASEBKGND};

// A frameless popup at (100, 100), 100 x 100, with a child at (10, 10), 30 x 30, both erased
// in white.
class Paint : public test::UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        m_top = window(WS_POPUP | WS_VISIBLE, 100, 100, 100, 100);
        m_child = window(WS_CHILD | WS_VISIBLE, 10, 10, 30, 30, m_top, 1);
    }
    HWND m_top = nullptr;
    HWND m_child = nullptr;
};

TEST_F(Paint, InvalidatingAParentReachesOverlappedChildrenUnlessItClipsThem) {
    drain();
    struct Case {
        const char* name;
        DWORD extra_style;
        RECT pending, rc;  // pending: already in the parent's update region
        BOOL child_dirty;
        RECT child_update;
    };
    const Case cases[] = {
        {"overlapping the child", 0, {}, {0, 0, 20, 20}, TRUE, {0, 0, 10, 10}},
        {"beside the child", 0, {}, {50, 50, 60, 60}, FALSE, {}},
        {"clip children", WS_CLIPCHILDREN, {}, {0, 0, 20, 20}, FALSE, {}},
        // The parent paints the bounds of two spots beside the child, over the child.
        {"bounds of two spots", 0, {50, 0, 60, 5}, {0, 45, 5, 50}, TRUE, {0, 0, 30, 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetWindowLongA(m_top, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_VISIBLE | c.extra_style));
        if (!IsRectEmpty(&c.pending)) {
            ASSERT_TRUE(InvalidateRect(m_top, &c.pending, TRUE));
        }
        ASSERT_TRUE(InvalidateRect(m_top, &c.rc, TRUE));
        RECT update{};
        EXPECT_EQ(GetUpdateRect(m_child, &update, FALSE), c.child_dirty);
        EXPECT_TRUE(EqualRect(&update, &c.child_update));
        EXPECT_TRUE(GetUpdateRect(m_top, &update, FALSE));
        RECT top_update{};
        UnionRect(&top_update, &c.pending, &c.rc);
        EXPECT_TRUE(EqualRect(&update, &top_update));
        ValidateRect(m_top, nullptr);
        ValidateRect(m_child, nullptr);
    }
}

TEST_F(Paint, RedrawWindowSendsAtOnceWhatItsFlagsAsk) {
    drain();
    struct Case {
        const char* name;
        UINT flags;
        std::vector<test::Logged> expected;
        BOOL top_still_dirty;
    };
    const test::Logged paint{m_top, WM_PAINT, 0}, erase{m_top, WM_ERASEBKGND, test::kAnyWParam};
    const test::Logged child_paint{m_child, WM_PAINT, 0},
        child_erase{m_child, WM_ERASEBKGND, test::kAnyWParam};
    constexpr UINT kAll = RDW_INVALIDATE | RDW_ERASE;
    const Case cases[] = {
        {"update now, all children",
         kAll | RDW_UPDATENOW | RDW_ALLCHILDREN,
         {paint, erase, child_paint, child_erase},
         FALSE},
        {"update now, no children", kAll | RDW_UPDATENOW | RDW_NOCHILDREN, {paint, erase}, FALSE},
        {"erase now only", kAll | RDW_ERASENOW | RDW_NOCHILDREN, {erase}, TRUE},
        {"invalidate only", kAll, {}, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        message_log().clear();
        ASSERT_TRUE(RedrawWindow(m_top, nullptr, nullptr, c.flags));
        test::expect_messages(c.expected, kPaintMessages);
        EXPECT_EQ(GetUpdateRect(m_top, nullptr, FALSE), c.top_still_dirty);
        ValidateRect(m_top, nullptr);
        ValidateRect(m_child, nullptr);
    }
}

// Validating part of the update area leaves the window to be painted; the whole area, more, or
// no rectangle at all leaves nothing.
TEST_F(Paint, OnlyValidatingTheWholeUpdateAreaEndsIt) {
    drain();
    const RECT part{0, 0, 10, 10}, all{0, 0, 100, 100}, more{-5, -5, 120, 120},
        apart{200, 200, 210, 210};
    const std::pair<const RECT*, BOOL> cases[] = {
        {&part, TRUE}, {&apart, TRUE}, {&all, FALSE}, {&more, FALSE}, {nullptr, FALSE}};
    for (const auto& [rc, still_dirty] : cases) {
        SCOPED_TRACE(rc != nullptr ? rc->right : 0);
        InvalidateRect(m_top, nullptr, FALSE);
        ValidateRect(m_top, rc);
        EXPECT_EQ(GetUpdateRect(m_top, nullptr, FALSE), still_dirty);
        ValidateRect(m_top, nullptr);
    }
}

}  // namespace
