// WindowTest.cpp: window classes, creation and destruction order, geometry, z-order, longs.
#include "platform/win32/windows.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using test::Logged;
using test::message_log;

constexpr const char* kClass = "PiloTestWindow";
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

class Windows : public testing::Test {
protected:
    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = test::recording_proc;
        wc.cbWndExtra = 8;
        wc.lpszClassName = kClass;
        ASSERT_NE(RegisterClassA(&wc), 0);
        message_log().clear();
        test::recorder_answers() = {};
    }
    void TearDown() override {
        for (HWND hwnd : m_windows) {
            if (IsWindow(hwnd)) {
                DestroyWindow(hwnd);
            }
        }
        EXPECT_TRUE(UnregisterClassA(kClass, nullptr)) << "a window of the class survived";
        test::recorder_answers() = {};
    }

    HWND create(DWORD style, int x, int y, int cx, int cy, HWND parent = nullptr, int id = 0,
                DWORD ex_style = 0) {
        HWND hwnd =
            CreateWindowExA(ex_style, kClass, "w", style, x, y, cx, cy, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        m_windows.push_back(hwnd);
        return hwnd;
    }

    std::vector<HWND> m_windows;
};

std::string text(const RECT& rc) {
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) +
           "," + std::to_string(rc.bottom);
}

TEST_F(Windows, CreationSendsItsMessagesInOrder) {
    HWND hwnd = create(WS_OVERLAPPED | WS_VISIBLE, 10, 20, 100, 50);
    ASSERT_NE(hwnd, nullptr);
    test::expect_messages({{hwnd, WM_NCCREATE, 0},
                           {hwnd, WM_NCCALCSIZE, FALSE},
                           {hwnd, WM_CREATE, 0},
                           {hwnd, WM_SIZE, SIZE_RESTORED},
                           {hwnd, WM_MOVE, 0},
                           {hwnd, WM_SHOWWINDOW, TRUE},
                           {hwnd, WM_QUERYNEWPALETTE, 0},
                           {hwnd, WM_ACTIVATEAPP, TRUE},
                           {hwnd, WM_NCACTIVATE, TRUE},
                           {hwnd, WM_ACTIVATE, WA_ACTIVE},
                           {hwnd, WM_SETFOCUS, 0}});
    EXPECT_TRUE(IsWindowVisible(hwnd));
    EXPECT_EQ(GetActiveWindow(), hwnd);
}

TEST_F(Windows, CreateReturningMinusOneFailsAndOnlyNcDestroyFollows) {
    test::recorder_answers().create_result = -1;
    HWND hwnd = create(WS_OVERLAPPED | WS_VISIBLE, 0, 0, 10, 10);
    EXPECT_EQ(hwnd, nullptr);
    ASSERT_EQ(message_log().size(), 4u);
    const HWND attempted = message_log()[0].hwnd;
    test::expect_messages({{attempted, WM_NCCREATE, 0},
                           {attempted, WM_NCCALCSIZE, FALSE},
                           {attempted, WM_CREATE, 0},
                           {attempted, WM_NCDESTROY, 0}});
    EXPECT_FALSE(IsWindow(attempted));
}

TEST_F(Windows, DestroyReachesParentThenChildrenAndFreesChildrenFirst) {
    HWND parent = create(WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 200);
    HWND first = create(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, 1);
    HWND grandchild = create(WS_CHILD, 0, 0, 5, 5, first, 3);
    HWND second = create(WS_CHILD, 20, 0, 10, 10, parent, 2);
    message_log().clear();
    ASSERT_TRUE(DestroyWindow(parent));
    // The shown parent was the active window: it is deactivated before it hears WM_DESTROY.
    test::expect_messages({{parent, WM_NCACTIVATE, FALSE},
                           {parent, WM_ACTIVATE, WA_INACTIVE},
                           {parent, WM_ACTIVATEAPP, FALSE},
                           {parent, WM_KILLFOCUS, 0},
                           {parent, WM_DESTROY, 0},
                           {first, WM_DESTROY, 0},
                           {grandchild, WM_DESTROY, 0},
                           {second, WM_DESTROY, 0},
                           {grandchild, WM_NCDESTROY, 0},
                           {first, WM_NCDESTROY, 0},
                           {second, WM_NCDESTROY, 0},
                           {parent, WM_NCDESTROY, 0}});
    for (HWND hwnd : {parent, first, grandchild, second}) {
        EXPECT_FALSE(IsWindow(hwnd));
    }
}

TEST_F(Windows, DestroyingTheOwnerDestroysOwnedPopupsFirst) {
    HWND owner = create(WS_OVERLAPPED, 0, 0, 100, 100);
    HWND child = create(WS_CHILD, 0, 0, 10, 10, owner, 1);
    HWND popup = create(WS_POPUP, 0, 0, 50, 50, child);  // owner is the child's root
    EXPECT_EQ(GetParent(popup), owner);
    EXPECT_EQ(GetParent(child), owner);
    EXPECT_EQ(GetParent(owner), nullptr);
    message_log().clear();
    ASSERT_TRUE(DestroyWindow(owner));
    test::expect_messages({{popup, WM_DESTROY, 0},
                           {popup, WM_NCDESTROY, 0},
                           {owner, WM_DESTROY, 0},
                           {child, WM_DESTROY, 0},
                           {child, WM_NCDESTROY, 0},
                           {owner, WM_NCDESTROY, 0}});
}

struct FrameCase {
    const char* name;
    DWORD style;
    DWORD ex_style;
    RECT client;  // in window coordinates, for a 399 x 463 window
};

const FrameCase kFrameCases[] = {
    {"tool dialog with client edge",
     kDialogStyle,
     WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE,
     {5, 21, 394, 458}},
    {"dialog caption", kDialogStyle, WS_EX_DLGMODALFRAME, {3, 22, 396, 460}},
    {"modal frame without caption", WS_POPUP, WS_EX_DLGMODALFRAME, {3, 3, 396, 460}},
    {"sizing frame and caption", WS_OVERLAPPEDWINDOW, 0, {4, 23, 395, 459}},
    {"thin border", WS_POPUP | WS_BORDER, 0, {1, 1, 398, 462}},
    {"static edge", WS_POPUP, WS_EX_STATICEDGE, {1, 1, 398, 462}},
    {"no frame", WS_POPUP, 0, {0, 0, 399, 463}},
};

TEST_F(Windows, ClientAreaIsTheWindowLessItsFrame) {
    for (const FrameCase& c : kFrameCases) {
        SCOPED_TRACE(c.name);
        HWND hwnd = create(c.style, 100, 10, 399, 463, nullptr, 0, c.ex_style);
        ASSERT_NE(hwnd, nullptr);
        RECT client{};
        ASSERT_TRUE(GetClientRect(hwnd, &client));
        EXPECT_EQ(client.right, c.client.right - c.client.left);
        EXPECT_EQ(client.bottom, c.client.bottom - c.client.top);
        POINT origin{0, 0};
        ASSERT_TRUE(ClientToScreen(hwnd, &origin));
        EXPECT_EQ(origin.x, 100 + c.client.left);
        EXPECT_EQ(origin.y, 10 + c.client.top);
        DestroyWindow(hwnd);
    }
}

TEST_F(Windows, ChildCoordinatesFollowTheParentsClientArea) {
    // Parent client origin: (100 + 3, 50 + 3 + 19) = (103, 72).
    HWND parent =
        create(kDialogStyle | WS_VISIBLE, 100, 50, 300, 200, nullptr, 0, WS_EX_DLGMODALFRAME);
    HWND child = create(WS_CHILD | WS_BORDER | WS_VISIBLE, 10, 20, 30, 40, parent, 7);
    RECT rc{};
    ASSERT_TRUE(GetWindowRect(child, &rc));
    const RECT expected_window{113, 92, 143, 132};
    EXPECT_TRUE(EqualRect(&rc, &expected_window)) << text(rc);
    POINT pt{0, 0};
    ASSERT_TRUE(ClientToScreen(child, &pt));
    EXPECT_EQ(pt.x, 114);
    EXPECT_EQ(pt.y, 93);
    ASSERT_TRUE(ScreenToClient(parent, &pt));
    EXPECT_EQ(pt.x, 11);
    EXPECT_EQ(pt.y, 21);
    POINT pts[2] = {{0, 0}, {-5, 7}};
    const int moved = MapWindowPoints(child, parent, pts, 2);
    EXPECT_EQ(pts[0].x, 11);
    EXPECT_EQ(pts[0].y, 21);
    EXPECT_EQ(pts[1].x, 6);
    EXPECT_EQ(pts[1].y, 28);
    EXPECT_EQ(moved, MAKELONG(11, 21));
    POINT back{114, 93};
    MapWindowPoints(nullptr, child, &back, 1);
    EXPECT_EQ(back.x, 0);
    EXPECT_EQ(back.y, 0);
    // Moving the parent carries the child along.
    ASSERT_TRUE(SetWindowPos(parent, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER));
    ASSERT_TRUE(GetWindowRect(child, &rc));
    const RECT after_move{13, 42, 43, 82};
    EXPECT_TRUE(EqualRect(&rc, &after_move)) << text(rc);
}

TEST_F(Windows, SetWindowPosSendsSizeAndMoveOnlyForWhatChanged) {
    HWND hwnd = create(WS_POPUP | WS_BORDER, 0, 0, 50, 40);
    struct Case {
        const char* name;
        int x, y, cx, cy;
        UINT flags;
        std::vector<UINT> expected;
        RECT rect;
    };
    const Case cases[] = {
        {"move", 5, 6, 0, 0, SWP_NOSIZE | SWP_NOZORDER, {WM_NCCALCSIZE, WM_MOVE}, {5, 6, 55, 46}},
        {"size", 0, 0, 60, 70, SWP_NOMOVE | SWP_NOZORDER, {WM_NCCALCSIZE, WM_SIZE}, {5, 6, 65, 76}},
        {"same place", 5, 6, 60, 70, SWP_NOZORDER, {}, {5, 6, 65, 76}},
        {"both", 1, 2, 3, 4, SWP_NOZORDER, {WM_NCCALCSIZE, WM_SIZE, WM_MOVE}, {1, 2, 4, 6}},
        {"neither", 9, 9, 9, 9, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER, {}, {1, 2, 4, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        message_log().clear();
        ASSERT_TRUE(SetWindowPos(hwnd, nullptr, c.x, c.y, c.cx, c.cy, c.flags));
        std::vector<Logged> expected;
        for (UINT msg : c.expected) {
            expected.push_back(
                {hwnd, msg,
                 msg == WM_NCCALCSIZE ? static_cast<WPARAM>(FALSE) : static_cast<WPARAM>(0)});
        }
        test::expect_messages(expected);
        RECT rc{};
        GetWindowRect(hwnd, &rc);
        EXPECT_TRUE(EqualRect(&rc, &c.rect)) << text(rc);
    }
    message_log().clear();
    ASSERT_TRUE(SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                                 SWP_SHOWWINDOW));
    EXPECT_TRUE(IsWindowVisible(hwnd));
    ASSERT_TRUE(SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                             SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_HIDEWINDOW));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    test::expect_messages({});
}

TEST_F(Windows, ShowWindowReportsThePreviousStateAndVisibilityNeedsAncestors) {
    HWND parent = create(WS_OVERLAPPED, 0, 0, 100, 100);
    HWND child = create(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, 1);
    EXPECT_FALSE(IsWindowVisible(child)) << "parent hidden";
    EXPECT_EQ(GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE, WS_VISIBLE);
    message_log().clear();
    EXPECT_FALSE(ShowWindow(parent, SW_SHOW));
    EXPECT_TRUE(ShowWindow(parent, SW_SHOWNORMAL));
    EXPECT_TRUE(IsWindowVisible(child));
    EXPECT_TRUE(ShowWindow(parent, SW_HIDE));
    EXPECT_FALSE(ShowWindow(parent, SW_HIDE));
    test::expect_messages({{parent, WM_SHOWWINDOW, TRUE}, {parent, WM_SHOWWINDOW, FALSE}},
                          {WM_SHOWWINDOW});
    EXPECT_FALSE(IsWindowVisible(child));
}

TEST_F(Windows, LaterWindowsLieOnTopAndTopmostOnesStayAbove) {
    HWND topmost = create(WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, nullptr, 0, WS_EX_TOPMOST);
    HWND a = create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND b = create(WS_POPUP | WS_VISIBLE, 50, 50, 100, 100);
    struct Probe {
        POINT pt;
        HWND expected;
    };
    auto check = [](const std::vector<Probe>& probes) {
        for (const Probe& p : probes) {
            EXPECT_EQ(WindowFromPoint(p.pt), p.expected) << p.pt.x << "," << p.pt.y;
        }
    };
    check({{{10, 10}, topmost}, {{60, 60}, b}, {{30, 30}, a}, {{200, 200}, nullptr}});
    ASSERT_TRUE(SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    check({{{10, 10}, topmost}, {{60, 60}, a}, {{120, 120}, b}});
    ASSERT_TRUE(SetWindowPos(a, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    check({{{60, 60}, b}});
    ASSERT_TRUE(SetWindowPos(topmost, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    EXPECT_EQ(GetWindowLongA(topmost, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    check({{{10, 10}, topmost}});
    ASSERT_TRUE(SetWindowPos(b, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    ASSERT_TRUE(SetWindowPos(topmost, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
    check({{{60, 60}, b}, {{10, 10}, topmost}});
    ShowWindow(b, SW_HIDE);
    check({{{60, 60}, a}});
}

TEST_F(Windows, PointsGoToTheDeepestChildUnlessItIsTransparentHiddenOrDisabled) {
    // Parent without frame at (0, 0); children front first in creation order.
    HWND parent = create(WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
    HWND button = create(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, parent, 1);
    HWND inner = create(WS_CHILD | WS_VISIBLE, 5, 5, 10, 10, button, 2);
    HWND under = create(WS_CHILD | WS_VISIBLE, 30, 30, 50, 50, parent, 3);
    HWND hidden = create(WS_CHILD, 100, 100, 50, 50, parent, 4);
    HWND disabled = create(WS_CHILD | WS_VISIBLE | WS_DISABLED, 100, 10, 50, 50, parent, 5);
    (void)hidden;
    (void)disabled;
    struct Case {
        const char* name;
        POINT pt;
        HWND expected;
    };
    const Case cases[] = {
        {"grandchild", {16, 16}, inner},
        {"child beside grandchild", {40, 12}, button},
        {"overlap: earlier child", {40, 40}, button},
        {"only the later child", {70, 70}, under},
        {"hidden child", {120, 120}, parent},
        {"disabled child", {120, 20}, parent},
        {"right edge is outside", {200, 5}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WindowFromPoint(c.pt), c.expected);
    }
    // A static-like child answering HTTRANSPARENT passes the point to what lies beneath.
    test::recorder_answers().hit_test = HTTRANSPARENT;
    EXPECT_EQ(WindowFromPoint(POINT{16, 16}), nullptr) << "every window transparent";
    test::recorder_answers() = {};
    ASSERT_TRUE(SetWindowLongPtrA(
        button, GWLP_WNDPROC,
        reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            return m == WM_NCHITTEST ? HTTRANSPARENT : DefWindowProcA(h, m, w, l);
        })));
    EXPECT_EQ(WindowFromPoint(POINT{40, 40}), under) << "transparent child over a sibling";
    EXPECT_EQ(WindowFromPoint(POINT{12, 12}), parent) << "transparent child over its parent";
    EXPECT_EQ(WindowFromPoint(POINT{16, 16}), inner) << "its own children still answer";
}

LRESULT CALLBACK subclass_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
WNDPROC g_previous = nullptr;

LRESULT CALLBACK subclass_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    if (msg == WM_USER) {
        return 42;
    }
    return CallWindowProcA(g_previous, hwnd, msg, wparam + 1000, lparam);
}

TEST_F(Windows, SubclassingChainsToThePreviousProcedure) {
    HWND hwnd = create(WS_POPUP, 0, 0, 10, 10);
    g_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass_proc)));
    EXPECT_EQ(g_previous, test::recording_proc);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(subclass_proc));
    message_log().clear();
    EXPECT_EQ(SendMessageA(hwnd, WM_USER, 1, 0), 42);
    EXPECT_EQ(SendMessageA(hwnd, WM_USER + 1, 5, 0), 0);
    test::expect_messages({{hwnd, WM_USER + 1, 1005}});
    SetLastError(0);
    EXPECT_EQ(GetWindowLongA(hwnd, GWL_WNDPROC), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    EXPECT_EQ(SetWindowLongPtrA(hwnd, GWLP_WNDPROC, 0), 0) << "a null procedure is refused";
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(subclass_proc));
}

TEST_F(Windows, WindowLongsCoverStylesIdsAndExtraBytes) {
    HWND parent = create(WS_POPUP, 0, 0, 100, 100);
    HWND child = create(WS_CHILD | WS_TABSTOP, 0, 0, 10, 10, parent, 1234);
    EXPECT_EQ(GetDlgItem(parent, 1234), child);
    EXPECT_EQ(GetDlgCtrlID(child), 1234);
    EXPECT_EQ(GetDlgItem(parent, 99), nullptr);
    EXPECT_EQ(GetWindowLongA(child, GWL_ID), 1234);
    EXPECT_EQ(SetWindowLongA(child, GWL_ID, 77), 1234);
    EXPECT_EQ(GetDlgItem(parent, 77), child);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE)), WS_CHILD | WS_TABSTOP);
    // Extra bytes: 8 of them, LONGs at 0 and 4; a LONG at 5 would run past the end.
    EXPECT_EQ(SetWindowLongA(child, 0, 0x11223344), 0);
    EXPECT_EQ(SetWindowLongA(child, 4, -5), 0);
    EXPECT_EQ(GetWindowLongA(child, 0), 0x11223344);
    EXPECT_EQ(GetWindowLongA(child, 4), -5);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongA(child, 5), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    EXPECT_EQ(GetWindowLongA(child, -100), 0);
    EXPECT_EQ(SetWindowLongPtrA(child, GWLP_USERDATA, 99), 0);
    EXPECT_EQ(GetWindowLongPtrA(child, GWLP_USERDATA), 99);
    EXPECT_TRUE(IsChild(parent, child));
    EXPECT_FALSE(IsChild(child, parent));
    EXPECT_FALSE(IsChild(parent, parent));
}

TEST_F(Windows, TextComesFromCreationAndWmSetText) {
    HWND hwnd = create(WS_POPUP, 0, 0, 10, 10);
    char buffer[8];
    EXPECT_EQ(GetWindowTextA(hwnd, buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "w");
    ASSERT_TRUE(SetWindowTextA(hwnd, "Score 12345"));
    EXPECT_EQ(GetWindowTextLengthA(hwnd), 11);
    EXPECT_EQ(GetWindowTextA(hwnd, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "Score 1");
}

TEST_F(Windows, StaleAndBadHandlesFailEveryCall) {
    HWND parent = create(WS_POPUP, 0, 0, 10, 10);
    ASSERT_TRUE(DestroyWindow(parent));
    HWND reused = create(WS_POPUP, 0, 0, 10, 10);  // may take the freed slot
    ASSERT_NE(reused, nullptr);
    EXPECT_NE(reused, parent);
    const HWND bad[] = {parent, reinterpret_cast<HWND>(0x12345678)};
    for (HWND hwnd : bad) {
        SCOPED_TRACE(reinterpret_cast<std::uintptr_t>(hwnd));
        RECT rc{};
        POINT pt{};
        SetLastError(0);
        EXPECT_FALSE(IsWindow(hwnd));
        EXPECT_FALSE(DestroyWindow(hwnd));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
        EXPECT_FALSE(GetWindowRect(hwnd, &rc));
        EXPECT_FALSE(GetClientRect(hwnd, &rc));
        EXPECT_FALSE(ClientToScreen(hwnd, &pt));
        EXPECT_FALSE(ShowWindow(hwnd, SW_SHOW));
        EXPECT_FALSE(SetWindowPos(hwnd, nullptr, 0, 0, 1, 1, 0));
        EXPECT_EQ(SendMessageA(hwnd, WM_USER, 0, 0), 0);
        EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE), 0);
        EXPECT_EQ(MapWindowPoints(hwnd, nullptr, &pt, 1), 0);
        EXPECT_EQ(GetParent(hwnd), nullptr);
        EXPECT_EQ(
            CreateWindowExA(0, kClass, "", WS_CHILD, 0, 0, 1, 1, hwnd, nullptr, nullptr, nullptr),
            nullptr);
    }
    EXPECT_TRUE(IsWindow(reused));
}

TEST_F(Windows, ClassesAreKnownOnceByNameWithoutCase) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = test::recording_proc;
    wc.lpszClassName = "pilotestwindow";
    SetLastError(0);
    EXPECT_EQ(RegisterClassA(&wc), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
    wc.lpfnWndProc = nullptr;
    wc.lpszClassName = "Other";
    EXPECT_EQ(RegisterClassA(&wc), 0);
    HWND hwnd = create(WS_POPUP, 0, 0, 1, 1);
    SetLastError(0);
    EXPECT_FALSE(UnregisterClassA("PILOTESTWINDOW", nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_HAS_WINDOWS));
    DestroyWindow(hwnd);
    EXPECT_EQ(CreateWindowExA(0, "NoSuchClass", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                              nullptr),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANNOT_FIND_WND_CLASS));
    EXPECT_EQ(
        CreateWindowExA(0, kClass, "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
        nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_TLW_WITH_WSCHILD));
}

}  // namespace
