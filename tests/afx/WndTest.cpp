// WndTest.cpp: window objects: creation reaches the object from the first message, handle
// maps and temporary objects, subclassing keeps the class's behaviour, destruction detaches.
#include "platform/afx/AfxState.h"
#include "platform/afx/afxwin.h"
#include "platform/win32/gdi/WindowDc.h"
#include "tests/afx/AfxHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<UINT>& seen() {
    static std::vector<UINT> log;
    return log;
}

// Records every message its WindowProc gets, and whether the object had the handle then.
class CLifeWnd : public CWnd {
public:
    bool m_attached_at_first = false;
    bool m_created = false;
    bool m_destroyed = false;
    int m_create_result = 0;
    HWND m_create_parent = nullptr;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (seen().empty()) {
            m_attached_at_first = m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this;
        }
        seen().push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) {
        m_created = true;
        m_create_parent = lpCreateStruct->hwndParent;
        return m_create_result;
    }
    afx_msg void OnDestroy() {
        m_destroyed = true;
        CWnd::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLifeWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

// Deletes itself once its window is gone, as modeless windows do.
class CSelfDeleting : public CWnd {
public:
    explicit CSelfDeleting(bool* deleted) : m_deleted(deleted) {}
    ~CSelfDeleting() override { *m_deleted = true; }

protected:
    void PostNcDestroy() override { delete this; }

private:
    bool* m_deleted;
};

// A window class of the system's kind: transparent to the mouse, recording what reaches it.
constexpr const char* kTransparentClass = "PiloAfxTransparent";
std::vector<UINT>& class_seen() {
    static std::vector<UINT> log;
    return log;
}

LRESULT CALLBACK transparent_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    class_seen().push_back(msg);
    if (msg == WM_NCHITTEST) {
        return HTTRANSPARENT;
    }
    if (msg == WM_USER + 1) {
        return static_cast<LRESULT>(wparam * 1000 + static_cast<WPARAM>(lparam));
    }
    return DefWindowProcA(hwnd, msg, wparam, lparam);
}

// Takes over a transparent control: handles clicks and one private message by itself.
class COverlay : public CStatic {
public:
    int m_clicks = 0;
    LRESULT m_default_result = 0;

protected:
    afx_msg void OnLButtonDown(UINT, CPoint) { ++m_clicks; }
    afx_msg LRESULT OnAsk(WPARAM, LPARAM) {
        m_default_result = Default();
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COverlay, CStatic)
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_USER + 1, OnAsk)
END_MESSAGE_MAP()

class Wnd : public test::AfxHostTest {
protected:
    void SetUp() override {
        test::AfxHostTest::SetUp();
        seen().clear();
        class_seen().clear();
        m_class = AfxRegisterWndClass(0);
        ASSERT_NE(m_class, nullptr);
        WNDCLASSA wc{};
        if (!GetClassInfoA(nullptr, kTransparentClass, &wc)) {
            wc.lpfnWndProc = transparent_proc;
            wc.lpszClassName = kTransparentClass;
            ASSERT_NE(RegisterClassA(&wc), 0);
        }
    }
    void TearDown() override {
        CWnd::DeleteTempMap();
        EXPECT_TRUE(afx::state().permanent_windows.empty()) << "objects left in the map";
        test::AfxHostTest::TearDown();
    }
    LPCSTR m_class = nullptr;
};

TEST_F(Wnd, CreationReachesTheObjectFromItsFirstMessage) {
    CLifeWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, m_class, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    seen().clear();
    CLifeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, m_class, "", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd,
                             reinterpret_cast<HMENU>(7)));
    ASSERT_FALSE(seen().empty());
    EXPECT_EQ(seen().front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_TRUE(wnd.m_attached_at_first);
    EXPECT_TRUE(wnd.m_created);
    EXPECT_EQ(wnd.m_create_parent, parent.m_hWnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    EXPECT_EQ(wnd.GetDlgCtrlID(), 7);
    EXPECT_EQ(wnd.GetParent(), &parent);
}

TEST_F(Wnd, AFailedCreationLeavesTheObjectWithoutAWindow) {
    CLifeWnd wnd;
    wnd.m_create_result = -1;
    EXPECT_FALSE(wnd.CreateEx(0, m_class, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_TRUE(wnd.m_created);
    EXPECT_EQ(seen().back(), static_cast<UINT>(WM_NCDESTROY));
}

TEST_F(Wnd, DestructionDetachesAndCallsPostNcDestroy) {
    CLifeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, m_class, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    const HWND hwnd = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_TRUE(wnd.m_destroyed);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(wnd.DestroyWindow()) << "nothing left to destroy";

    bool deleted = false;
    auto* self = new CSelfDeleting(&deleted);
    ASSERT_TRUE(self->CreateEx(0, m_class, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    const HWND self_hwnd = self->m_hWnd;
    DestroyWindow(self_hwnd);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(CWnd::FromHandlePermanent(self_hwnd), nullptr);
}

TEST_F(Wnd, TheObjectsDestructorDestroysAWindowItStillHas) {
    HWND hwnd = nullptr;
    {
        CLifeWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, m_class, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
        hwnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST_F(Wnd, ForeignHandlesGetTemporaryObjectsUntilIdle) {
    const HWND foreign = CreateWindowExA(0, kTransparentClass, "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                         nullptr, nullptr, nullptr);
    ASSERT_NE(foreign, nullptr);
    CWnd* first = CWnd::FromHandle(foreign);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->m_hWnd, foreign);
    EXPECT_EQ(CWnd::FromHandle(foreign), first) << "one temporary per handle";
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    EXPECT_EQ(afx::state().temporary_windows.size(), 1u);
    CWnd::DeleteTempMap();
    EXPECT_TRUE(afx::state().temporary_windows.empty());
    EXPECT_TRUE(IsWindow(foreign)) << "a temporary object never destroys its window";

    CWnd owner;
    ASSERT_TRUE(owner.Attach(foreign));
    EXPECT_EQ(CWnd::FromHandle(foreign), &owner) << "the permanent object comes first";
    CWnd second;
    EXPECT_FALSE(second.Attach(foreign)) << "one object per handle";
    EXPECT_EQ(owner.Detach(), foreign);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    DestroyWindow(foreign);
}

TEST_F(Wnd, AnAttachedObjectIsDetachedWhenItDestroysTheWindow) {
    const HWND foreign = CreateWindowExA(0, kTransparentClass, "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                         nullptr, nullptr, nullptr);
    CWnd owner;
    ASSERT_TRUE(owner.Attach(foreign));
    EXPECT_TRUE(owner.DestroyWindow());
    EXPECT_EQ(owner.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
}

TEST_F(Wnd, SubclassingAControlKeepsItsClassBehaviour) {
    CWnd parent;
    ASSERT_TRUE(
        parent.CreateEx(0, m_class, "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200, nullptr, nullptr));
    const HWND control =
        CreateWindowExA(0, kTransparentClass, "", WS_CHILD | WS_VISIBLE, 50, 50, 40, 40,
                        parent.m_hWnd, reinterpret_cast<HMENU>(1004), nullptr, nullptr);
    ASSERT_NE(control, nullptr);
    COverlay overlay;
    EXPECT_FALSE(overlay.SubclassDlgItem(999, &parent)) << "no such control";
    ASSERT_TRUE(overlay.SubclassDlgItem(1004, &parent));
    EXPECT_EQ(overlay.m_hWnd, control);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC)), &AfxWndProc);

    struct Case {
        const char* name;
        UINT msg;
        WPARAM wparam;
        LPARAM lparam;
        LRESULT expected;
        bool reaches_class;
        int clicks;
    };
    const Case cases[] = {
        {"hit testing stays the class's", WM_NCHITTEST, 0, MAKELPARAM(60, 60), HTTRANSPARENT, true,
         0},
        {"a mapped message stays with the object", WM_LBUTTONDOWN, MK_LBUTTON, 0, 0, false, 1},
        {"Default inside a handler reaches the class", WM_USER + 1, 3, 4, 1, true, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        class_seen().clear();
        EXPECT_EQ(SendMessageA(control, c.msg, c.wparam, c.lparam), c.expected);
        const bool reached = !class_seen().empty() && class_seen().back() == c.msg;
        EXPECT_EQ(reached, c.reaches_class);
        EXPECT_EQ(overlay.m_clicks, c.clicks);
    }
    EXPECT_EQ(overlay.m_default_result, 3004) << "Default passes the message's own parameters";
    // The mouse still falls through the control to the window beneath.
    EXPECT_EQ(WindowFromPoint(POINT{60, 60}), parent.m_hWnd);

    EXPECT_EQ(overlay.UnsubclassWindow(), control);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(control, GWLP_WNDPROC)),
              &transparent_proc);
    SendMessageA(control, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(overlay.m_clicks, 1) << "an unsubclassed object hears nothing";
}

TEST_F(Wnd, DestroyingTheParentDetachesSubclassedChildren) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, m_class, "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    CreateWindowExA(0, kTransparentClass, "", WS_CHILD, 0, 0, 10, 10, parent.m_hWnd,
                    reinterpret_cast<HMENU>(1), nullptr, nullptr);
    COverlay overlay;
    ASSERT_TRUE(overlay.SubclassDlgItem(1, &parent));
    class_seen().clear();
    parent.DestroyWindow();
    EXPECT_EQ(overlay.m_hWnd, nullptr);
    ASSERT_FALSE(class_seen().empty());
    EXPECT_EQ(class_seen().back(), static_cast<UINT>(WM_NCDESTROY))
        << "the class procedure still cleans up";
}

TEST_F(Wnd, GetDcGivesATemporaryObjectForTheClientArea) {
    CWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, m_class, "", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr));
    CDC* dc = wnd.GetDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(gdi::window_of_dc(dc->m_hDC), wnd.m_hWnd);
    EXPECT_EQ(wnd.ReleaseDC(dc), 1);
    EXPECT_EQ(afx::state().temporary_dcs.size(), 1u);
    CWnd::DeleteTempMap();
    EXPECT_TRUE(afx::state().temporary_dcs.empty());
}

}  // namespace
