// ToolTipCtrlTest.cpp: the tool-tip wrapper: the control it makes, the tool records it adds
// and removes, and tips that show for relayed mouse moves only while active.
#include "platform/afx/afxcmn.h"
#include "platform/win32/commctrl.h"
#include "tests/afx/AfxHost.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class ToolTipCtrl : public test::AfxHostTest {
protected:
    void SetUp() override {
        test::AfxHostTest::SetUp();
        LPCSTR cls = AfxRegisterWndClass(0);
        ASSERT_TRUE(
            m_parent.CreateEx(0, cls, "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr));
        ASSERT_TRUE(m_child.CreateEx(0, cls, "", WS_CHILD | WS_VISIBLE, 200, 20, 40, 30,
                                     m_parent.m_hWnd, reinterpret_cast<HMENU>(1007)));
        SetActiveWindow(m_parent.m_hWnd);
        ASSERT_TRUE(m_tip.Create(&m_parent));
        drain();
    }
    void TearDown() override {
        m_tip.DestroyWindow();
        m_parent.DestroyWindow();
        test::AfxHostTest::TearDown();
    }
    // The mouse moves to the parent's client point (the parent sits at the screen's origin);
    // its messages are relayed as the parent's PreTranslateMessage would, while time passes.
    void hover(int x, int y) {
        host::Event e;
        e.type = host::EventType::MouseMove;
        e.x = x;
        e.y = y;
        headless().push_event(e);
        for (int i = 0; i < 10; ++i) {
            MSG m;
            for (int n = 0; n < 100 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++n) {
                if (m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) {
                    m_tip.RelayEvent(&m);
                }
                DispatchMessageA(&m);
            }
            headless().advance(100);
        }
    }

public:
    CWnd m_parent;
    CWnd m_child;
    CToolTipCtrl m_tip;
};

TEST_F(ToolTipCtrl, CreateMakesAPopupOwnedByTheParent) {
    EXPECT_NE(m_tip.m_hWnd, nullptr);
    EXPECT_EQ(GetParent(m_tip.m_hWnd), m_parent.m_hWnd);
    EXPECT_NE(m_tip.GetStyle() & WS_POPUP, 0u);
    EXPECT_EQ(m_tip.GetToolCount(), 0);
}

TEST_F(ToolTipCtrl, ToolsAreAddedAndRemovedByWindowOrId) {
    const RECT area{10, 10, 60, 40};
    struct Case {
        const char* name;
        std::function<BOOL(ToolTipCtrl&)> add;
        CWnd* (*window)(ToolTipCtrl&);
        UINT id;
    };
    const Case cases[] = {
        {"the child's whole window",
         [](ToolTipCtrl& t) { return t.m_tip.AddTool(&t.m_child, "Wyjście"); },
         [](ToolTipCtrl& t) -> CWnd* { return &t.m_child; }, 0},
        {"a rectangle of the parent",
         [&area](ToolTipCtrl& t) { return t.m_tip.AddTool(&t.m_parent, "Wynik", &area, 1001); },
         [](ToolTipCtrl& t) -> CWnd* { return &t.m_parent; }, 1001},
        {"the parent's client area, text by string id",
         [](ToolTipCtrl& t) { return t.m_tip.AddTool(&t.m_parent, 1000u, nullptr, 1000); },
         [](ToolTipCtrl& t) -> CWnd* { return &t.m_parent; }, 1000},
    };
    int count = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(c.add(*this));
        EXPECT_EQ(m_tip.GetToolCount(), ++count);
    }
    EXPECT_FALSE(m_tip.AddTool(nullptr, "nic")) << "a tool needs a window";
    m_tip.DelTool(&m_parent, 4242);
    EXPECT_EQ(m_tip.GetToolCount(), count) << "no such tool";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_tip.DelTool(c.window(*this), c.id);
        EXPECT_EQ(m_tip.GetToolCount(), --count) << "removed by the same window and id";
    }
}

TEST_F(ToolTipCtrl, ARelayedMoveOverAToolShowsTheTipOnlyWhileActive) {
    const RECT area{10, 10, 60, 40};
    ASSERT_TRUE(m_tip.AddTool(&m_parent, "Wynik", &area, 1001));
    m_tip.SetDelayTime(200);
    struct Case {
        const char* name;
        BOOL active;
        POINT at;
        bool shown;
    };
    const Case cases[] = {
        {"over the tool", TRUE, {20, 20}, true},
        {"outside every tool", TRUE, {150, 150}, false},
        {"deactivated", FALSE, {20, 20}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        hover(150, 150);  // leave whatever showed
        m_tip.Activate(c.active);
        hover(c.at.x, c.at.y);
        EXPECT_EQ(m_tip.IsWindowVisible() != FALSE, c.shown);
    }
}

}  // namespace
