// PaintTest.cpp: update regions, paint and erase order, and where window DCs draw.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using test::message_log;

constexpr const char* kClass = "PiloPaintTestWindow";
const std::vector<UINT> kPaintMessages = {WM_PAINT, WM_ERASEBKGND};

class Paint : public testing::Test {
protected:
    void SetUp() override {
        m_install = std::make_unique<host::ScopedInstall>(m_host);
        m_brush = CreateSolidBrush(RGB(0, 0, 255));
        WNDCLASSA wc{};
        wc.lpfnWndProc = test::recording_proc;
        wc.hbrBackground = m_brush;
        wc.lpszClassName = kClass;
        ASSERT_NE(RegisterClassA(&wc), 0);
        message_log().clear();
        // A frameless popup at (100, 100), 100 x 100, with a child at (10, 10), 30 x 30.
        m_top = CreateWindowExA(0, kClass, "", WS_POPUP | WS_VISIBLE, 100, 100, 100, 100, nullptr,
                                nullptr, nullptr, nullptr);
        m_child = CreateWindowExA(0, kClass, "", WS_CHILD | WS_VISIBLE, 10, 10, 30, 30, m_top,
                                  reinterpret_cast<HMENU>(1), nullptr, nullptr);
        ASSERT_NE(m_child, nullptr);
    }
    void TearDown() override {
        DestroyWindow(m_top);
        dispatch_all();
        EXPECT_TRUE(UnregisterClassA(kClass, nullptr));
        DeleteObject(m_brush);
    }
    static void dispatch_all() {
        MSG m;
        for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
            DispatchMessageA(&m);
        }
    }
    static COLORREF screen_pixel(int x, int y) {
        HDC screen = GetDC(nullptr);
        const COLORREF c = GetPixel(screen, x, y);
        ReleaseDC(nullptr, screen);
        return c;
    }
    static void fill_screen(COLORREF colour) {
        HDC screen = GetDC(nullptr);
        HBRUSH brush = CreateSolidBrush(colour);
        const RECT all{0, 0, 640, 480};
        FillRect(screen, &all, brush);
        DeleteObject(brush);
        ReleaseDC(nullptr, screen);
    }

    host::HeadlessHost m_host;
    std::unique_ptr<host::ScopedInstall> m_install;
    HBRUSH m_brush = nullptr;
    HWND m_top = nullptr;
    HWND m_child = nullptr;
};

TEST_F(Paint, ParentPaintsBeforeItsChildAndErasesInsideBeginPaint) {
    fill_screen(RGB(0, 0, 0));
    dispatch_all();
    test::expect_messages({{m_top, WM_PAINT, 0},
                           {m_top, WM_ERASEBKGND, test::kAnyWParam},
                           {m_child, WM_PAINT, 0},
                           {m_child, WM_ERASEBKGND, test::kAnyWParam}},
                          kPaintMessages);
    EXPECT_FALSE(GetUpdateRect(m_top, nullptr, FALSE));
    EXPECT_FALSE(GetUpdateRect(m_child, nullptr, FALSE));
    EXPECT_EQ(screen_pixel(100, 100), RGB(0, 0, 255)) << "erased with the class brush";
    EXPECT_EQ(screen_pixel(199, 199), RGB(0, 0, 255));
    EXPECT_EQ(screen_pixel(200, 150), RGB(0, 0, 0));
}

TEST_F(Paint, ErasingFollowsTheEraseFlag) {
    dispatch_all();
    message_log().clear();
    const RECT rc{50, 50, 60, 60};  // beside the child
    InvalidateRect(m_top, &rc, FALSE);
    dispatch_all();
    test::expect_messages({{m_top, WM_PAINT, 0}}, kPaintMessages);
    message_log().clear();
    InvalidateRect(m_top, &rc, FALSE);
    InvalidateRect(m_top, &rc, TRUE);  // erase requests add up
    dispatch_all();
    test::expect_messages({{m_top, WM_PAINT, 0}, {m_top, WM_ERASEBKGND, test::kAnyWParam}},
                          kPaintMessages);
}

TEST_F(Paint, InvalidatingAParentReachesOverlappedChildrenUnlessItClipsThem) {
    dispatch_all();
    struct Case {
        const char* name;
        DWORD extra_style;
        RECT rc;
        BOOL child_dirty;
        RECT child_update;
    };
    const Case cases[] = {
        {"overlapping the child", 0, {0, 0, 20, 20}, TRUE, {0, 0, 10, 10}},
        {"beside the child", 0, {50, 50, 60, 60}, FALSE, {}},
        {"clip children", WS_CLIPCHILDREN, {0, 0, 20, 20}, FALSE, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetWindowLongA(m_top, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_VISIBLE | c.extra_style));
        ASSERT_TRUE(InvalidateRect(m_top, &c.rc, TRUE));
        RECT update{};
        EXPECT_EQ(GetUpdateRect(m_child, &update, FALSE), c.child_dirty);
        EXPECT_TRUE(EqualRect(&update, &c.child_update));
        EXPECT_TRUE(GetUpdateRect(m_top, &update, FALSE));
        EXPECT_TRUE(EqualRect(&update, &c.rc));
        ValidateRect(m_top, nullptr);
        ValidateRect(m_child, nullptr);
    }
}

TEST_F(Paint, RedrawWindowSendsAtOnceWhatItsFlagsAsk) {
    dispatch_all();
    struct Case {
        const char* name;
        UINT flags;
        std::vector<test::Logged> expected;
        BOOL top_still_dirty;
    };
    const Case cases[] = {
        {"update now, all children",
         RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN,
         {{m_top, WM_PAINT, 0},
          {m_top, WM_ERASEBKGND, test::kAnyWParam},
          {m_child, WM_PAINT, 0},
          {m_child, WM_ERASEBKGND, test::kAnyWParam}},
         FALSE},
        {"update now, no children",
         RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_NOCHILDREN,
         {{m_top, WM_PAINT, 0}, {m_top, WM_ERASEBKGND, test::kAnyWParam}},
         FALSE},
        {"erase now only",
         RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW | RDW_NOCHILDREN,
         {{m_top, WM_ERASEBKGND, test::kAnyWParam}},
         TRUE},
        {"invalidate only", RDW_INVALIDATE | RDW_ERASE, {}, TRUE},
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
    message_log().clear();
    InvalidateRect(m_child, nullptr, TRUE);
    ASSERT_TRUE(UpdateWindow(m_top));
    test::expect_messages({{m_child, WM_PAINT, 0}, {m_child, WM_ERASEBKGND, test::kAnyWParam}},
                          kPaintMessages);
}

TEST_F(Paint, ClientDcDrawsAtTheWindowAndStaysInsideWhatIsVisible) {
    // A higher window over the popup's right part, from x = 180.
    HWND cover = CreateWindowExA(0, kClass, "", WS_POPUP | WS_VISIBLE, 180, 0, 100, 480, nullptr,
                                 nullptr, nullptr, nullptr);
    dispatch_all();
    fill_screen(RGB(0, 0, 0));
    struct Probe {
        int x, y;
        COLORREF expected;
    };
    auto paint_and_check = [&](HWND hwnd, const std::vector<Probe>& probes) {
        fill_screen(RGB(0, 0, 0));
        HDC hdc = GetDC(hwnd);
        ASSERT_NE(hdc, nullptr);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        const RECT huge{-500, -500, 1000, 1000};
        FillRect(hdc, &huge, red);
        const RECT dot{0, 0, 1, 1};  // logical (0, 0) is the client's top left
        HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
        FillRect(hdc, &dot, green);
        DeleteObject(green);
        DeleteObject(red);
        EXPECT_EQ(ReleaseDC(hwnd, hdc), 1);
        for (const Probe& p : probes) {
            EXPECT_EQ(screen_pixel(p.x, p.y), p.expected) << p.x << "," << p.y;
        }
    };
    {
        SCOPED_TRACE("parent without WS_CLIPCHILDREN");
        paint_and_check(m_top, {{100, 100, RGB(0, 255, 0)},
                                {101, 100, RGB(255, 0, 0)},
                                {115, 115, RGB(255, 0, 0)},  // over the child
                                {179, 150, RGB(255, 0, 0)},
                                {180, 150, RGB(0, 0, 0)},  // under the higher window
                                {99, 100, RGB(0, 0, 0)},
                                {150, 200, RGB(0, 0, 0)}});
    }
    SetWindowLongA(m_top, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN));
    {
        SCOPED_TRACE("parent with WS_CLIPCHILDREN");
        paint_and_check(m_top, {{109, 109, RGB(255, 0, 0)},
                                {110, 110, RGB(0, 0, 0)},
                                {139, 139, RGB(0, 0, 0)},
                                {140, 140, RGB(255, 0, 0)}});
    }
    // The child, moved to hang over the parent's right edge and under the cover.
    SetWindowPos(m_child, nullptr, 60, 10, 60, 30, SWP_NOZORDER);
    {
        SCOPED_TRACE("child clipped by its parent and the higher window");
        paint_and_check(m_child, {{160, 110, RGB(0, 255, 0)},
                                  {179, 139, RGB(255, 0, 0)},
                                  {180, 120, RGB(0, 0, 0)},
                                  {159, 120, RGB(0, 0, 0)},
                                  {170, 140, RGB(0, 0, 0)}});
    }
    DestroyWindow(cover);
    EXPECT_EQ(GetDC(cover), nullptr) << "stale window";
}

struct SysColourCase {
    const char* name;
    int index;
    COLORREF expected;
};

const SysColourCase kSysColourCases[] = {
    {"3D face", COLOR_3DFACE, RGB(192, 192, 192)},
    {"desktop", COLOR_BACKGROUND, RGB(0, 128, 128)},
    {"window", COLOR_WINDOW, RGB(255, 255, 255)},
    {"caption", COLOR_ACTIVECAPTION, RGB(0, 0, 128)},
};

TEST(SysColourBrush, ClassBrushOfIndexPlusOneErasesInThatColour) {
    host::HeadlessHost headless;
    host::ScopedInstall install(headless);
    for (const SysColourCase& c : kSysColourCases) {
        SCOPED_TRACE(c.name);
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(c.index + 1));
        wc.lpszClassName = "PiloSysColourWindow";
        ASSERT_NE(RegisterClassA(&wc), 0);
        HWND hwnd = CreateWindowExA(0, "PiloSysColourWindow", "", WS_POPUP | WS_VISIBLE, 300, 300,
                                    20, 20, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(UpdateWindow(hwnd));
        HDC screen = GetDC(nullptr);
        EXPECT_EQ(GetPixel(screen, 300, 300), c.expected);
        EXPECT_EQ(GetPixel(screen, 319, 319), c.expected);
        ReleaseDC(nullptr, screen);
        EXPECT_EQ(GetSysColor(c.index), c.expected);
        HBRUSH brush = GetSysColorBrush(c.index);
        EXPECT_EQ(GetSysColorBrush(c.index), brush) << "one brush per colour";
        DeleteObject(brush);
        EXPECT_EQ(GetSysColorBrush(c.index), brush) << "survives DeleteObject";
        DestroyWindow(hwnd);
        ASSERT_TRUE(UnregisterClassA("PiloSysColourWindow", nullptr));
    }
    EXPECT_EQ(GetSysColorBrush(COLOR_INFOBK + 1), nullptr);
    EXPECT_EQ(GetSysColorBrush(-1), nullptr);
}

}  // namespace
