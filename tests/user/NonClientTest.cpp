// NonClientTest.cpp: frames, captions and close boxes on screen, hit testing, pressing the
// close box, dragging by the caption, WM_NCPAINT and window icons.
#include "platform/host/VirtualKeys.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <vector>

namespace {

using test::Logged;
using test::message_log;

constexpr const char* kClass = "PiloNonClientTestWindow";
constexpr int kX = 50, kY = 50, kWidth = 200, kHeight = 100;

constexpr DWORD kDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr COLORREF kClient = RGB(0, 255, 0);
constexpr COLORREF kLight = RGB(192, 192, 192);  // 3D light and face
constexpr COLORREF kDark = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr COLORREF kNavy = RGB(0, 0, 128);

COLORREF screen_pixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return c;
}

// An icon of one colour, opaque all over.
HICON solid_icon(int size, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP picture = CreateCompatibleBitmap(screen, size, size);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, picture);
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT all{0, 0, size, size};
    FillRect(dc, &all, brush);
    SelectObject(dc, old);
    DeleteObject(brush);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr);  // all 0: nothing shows through
    ICONINFO info{TRUE, 0, 0, mask, picture};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(picture);
    return icon;
}

class NonClient : public testing::Test {
protected:
    void SetUp() override {
        m_install = std::make_unique<host::ScopedInstall>(m_host);
        m_brush = CreateSolidBrush(kClient);
        WNDCLASSA wc{};
        wc.lpfnWndProc = test::recording_proc;
        wc.hbrBackground = m_brush;
        wc.lpszClassName = kClass;
        ASSERT_NE(RegisterClassA(&wc), 0);
        clear_screen();
        message_log().clear();
    }
    void TearDown() override {
        for (HWND hwnd : m_windows) {
            if (IsWindow(hwnd)) {
                DestroyWindow(hwnd);
            }
        }
        drain();
        EXPECT_TRUE(UnregisterClassA(kClass, nullptr));
        DeleteObject(m_brush);
        for (HICON icon : m_icons) {
            DestroyIcon(icon);
        }
    }
    HWND create(DWORD style, DWORD ex_style, const char* title = "", int x = kX, int y = kY) {
        HWND hwnd = CreateWindowExA(ex_style, kClass, title, style, x, y, kWidth, kHeight, nullptr,
                                    nullptr, nullptr, nullptr);
        m_windows.push_back(hwnd);
        return hwnd;
    }
    HICON icon(int size, COLORREF colour) {
        m_icons.push_back(solid_icon(size, colour));
        return m_icons.back();
    }
    static void drain() {
        MSG m;
        for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
            DispatchMessageA(&m);
        }
    }
    // Runs a message loop until the host's script is used up.
    static void run() {
        MSG m;
        for (int i = 0; i < 1000 && GetMessageA(&m, nullptr, 0, 0) > 0; ++i) {
            TranslateMessage(&m);
            DispatchMessageA(&m);
        }
    }
    static void clear_screen() {
        HDC screen = GetDC(nullptr);
        const RECT all{0, 0, 640, 480};
        FillRect(screen, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ReleaseDC(nullptr, screen);
    }

    host::HeadlessHost m_host;
    std::unique_ptr<host::ScopedInstall> m_install;
    HBRUSH m_brush = nullptr;
    std::vector<HWND> m_windows;
    std::vector<HICON> m_icons;
};

struct Pixel {
    int x, y;  // window coordinates
    COLORREF colour;
};

struct FrameCase {
    const char* name;
    DWORD style;
    DWORD ex_style;
    bool active;
    std::vector<Pixel> pixels;
};

std::string describe(const Pixel& p, COLORREF got) {
    std::ostringstream out;
    out << "at (" << p.x << ", " << p.y << ") got 0x" << std::hex << got << " expected 0x"
        << p.colour;
    return out.str();
}

TEST_F(NonClient, EachFrameKindIsDrawnInTheStandardLook) {
    const FrameCase cases[] = {
        {"modal dialog frame, active",
         kDialog,
         WS_EX_DLGMODALFRAME,
         true,
         {
             {0, 0, kLight},
             {198, 0, kLight},
             {199, 0, kDark},
             {0, 99, kDark},
             {199, 99, kDark},
             {1, 1, kWhite},
             {197, 1, kWhite},
             {198, 98, kShadow},
             {1, 98, kShadow},
             {2, 2, kLight},
             {197, 50, kLight},
             {3, 3, kNavy},
             {100, 20, kNavy},
             {100, 21, kLight},
             {3, 22, kClient},
             {196, 98 - 2, kClient},
             // the close box at (179, 5)-(195, 19) and its cross from (183, 8)
             {179, 5, kLight},
             {194, 18, kDark},
             {180, 6, kWhite},
             {193, 17, kShadow},
             {181, 7, kLight},
             {183, 8, kDark},
             {184, 8, kDark},
             {185, 8, kLight},
             {186, 11, kDark},
             {187, 11, kDark},
             {190, 14, kDark},
             {178, 10, kNavy},
             {195, 10, kNavy},
         }},
        {"modal dialog frame, inactive",
         kDialog,
         WS_EX_DLGMODALFRAME,
         false,
         {{3, 3, kShadow}, {100, 20, kShadow}, {100, 21, kLight}, {179, 5, kLight}}},
        {"tool window",
         kDialog,
         WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW,
         true,
         {{3, 3, kNavy},
          {100, 17, kNavy},
          {100, 18, kLight},
          {100, 19, kClient},
          // the small close box at (182, 5)-(195, 16) and its cross from (185, 8)
          {182, 5, kLight},
          {194, 15, kDark},
          {185, 8, kDark},
          {187, 10, kDark},
          {188, 10, kDark},
          {186, 10, kLight},
          {181, 10, kNavy}}},
        {"tool window with a client edge",
         kDialog,
         WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE,
         true,
         {{100, 18, kLight},
          {100, 19, kShadow},
          {100, 20, kDark},
          {100, 21, kClient},
          {3, 50, kShadow},
          {4, 50, kDark},
          {5, 50, kClient},
          {196, 50, kWhite},
          {195, 50, kLight}}},
        {"border only",
         WS_POPUP | WS_BORDER,
         0,
         true,
         {{0, 0, kDark}, {199, 99, kDark}, {1, 1, kClient}}},
        {"client edge only",
         WS_POPUP,
         WS_EX_CLIENTEDGE,
         true,
         {{0, 0, kShadow},
          {198, 0, kShadow},
          {199, 0, kWhite},
          {1, 1, kDark},
          {197, 1, kDark},
          {198, 1, kLight},
          {2, 2, kClient}}},
    };
    for (const FrameCase& c : cases) {
        SCOPED_TRACE(c.name);
        clear_screen();
        HWND hwnd = create(c.style, c.ex_style);
        ShowWindow(hwnd, c.active ? SW_SHOW : SW_SHOWNA);
        drain();
        for (const Pixel& p : c.pixels) {
            const COLORREF got = screen_pixel(kX + p.x, kY + p.y);
            EXPECT_EQ(got, p.colour) << describe(p, got);
        }
        DestroyWindow(hwnd);
        SetActiveWindow(nullptr);
    }
}

// Pixels of `colour` in the caption bar between x = `from` and `to` (window coordinates).
int count_in_caption(int from, int to, int top, int bottom, COLORREF colour) {
    int n = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = from; x < to; ++x) {
            n += screen_pixel(kX + x, kY + y) == colour ? 1 : 0;
        }
    }
    return n;
}

TEST_F(NonClient, TheTitleIsDrawnInTheCaptionColoursAndStopsBeforeTheCloseBox) {
    struct Case {
        const char* name;
        const char* title;
        bool active;
        COLORREF ink;
        COLORREF not_ink;
    };
    const Case cases[] = {
        {"active", "Pilo", true, kWhite, kLight},
        {"inactive", "Pilo", false, kLight, kWhite},
        {"too long", "Pilo Pilo Pilo Pilo Pilo Pilo Pilo Pilo Pilo Pilo Pilo", true, kWhite,
         kLight},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clear_screen();
        HWND hwnd = create(kDialog, WS_EX_DLGMODALFRAME, c.title);
        ShowWindow(hwnd, c.active ? SW_SHOW : SW_SHOWNA);
        drain();
        // Text runs from x = 5 in the bar (3..21); the close box starts at 179.
        EXPECT_GT(count_in_caption(5, 60, 3, 21, c.ink), 20);
        EXPECT_EQ(count_in_caption(3, 179, 3, 21, c.not_ink), 0);
        EXPECT_EQ(count_in_caption(3, 5, 3, 21, c.ink), 0) << "left margin";
        EXPECT_EQ(count_in_caption(177, 179, 3, 21, c.ink), 0) << "gap before the close box";
        DestroyWindow(hwnd);
        SetActiveWindow(nullptr);
    }
}

TEST_F(NonClient, TheCaptionFollowsActivation) {
    HWND first = create(kDialog, WS_EX_DLGMODALFRAME, "", 10, 10);
    HWND second = create(kDialog, WS_EX_DLGMODALFRAME, "", 300, 200);
    struct Step {
        const char* name;
        HWND activate;
        COLORREF first_caption;
        COLORREF second_caption;
    };
    const Step steps[] = {
        {"first shown", nullptr, kNavy, kShadow},
        {"second active", second, kShadow, kNavy},
        {"first again", first, kNavy, kShadow},
    };
    ShowWindow(second, SW_SHOWNA);
    ShowWindow(first, SW_SHOW);
    drain();
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        if (s.activate != nullptr) {
            SetActiveWindow(s.activate);
        }
        // The caption is redrawn at once on WM_NCACTIVATE, before any paint message.
        EXPECT_EQ(screen_pixel(10 + 10, 10 + 10), s.first_caption);
        EXPECT_EQ(screen_pixel(300 + 10, 200 + 10), s.second_caption);
    }
}

TEST_F(NonClient, IconsComeFromWmSetIconAndTheSmallOneIsShown) {
    HWND hwnd = create(kDialog | WS_VISIBLE, WS_EX_DLGMODALFRAME);
    drain();
    const HICON big_red = icon(32, RGB(255, 0, 0));
    const HICON big_blue = icon(32, RGB(0, 0, 255));
    const HICON small_yellow = icon(16, RGB(255, 255, 0));
    struct Step {
        const char* name;
        WPARAM kind;
        HICON icon;
        HICON returned;
        COLORREF shown;  // at the icon's corners (5, 4) and (20, 19)
    };
    const Step steps[] = {
        {"no icon yet", ICON_BIG, nullptr, nullptr, kNavy},
        {"big icon, sampled down", ICON_BIG, big_red, nullptr, RGB(255, 0, 0)},
        {"another big icon", ICON_BIG, big_blue, big_red, RGB(0, 0, 255)},
        {"small icon wins", ICON_SMALL, small_yellow, nullptr, RGB(255, 255, 0)},
        {"small icon removed", ICON_SMALL, nullptr, small_yellow, RGB(0, 0, 255)},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(reinterpret_cast<HICON>(
                      SendMessageA(hwnd, WM_SETICON, s.kind, reinterpret_cast<LPARAM>(s.icon))),
                  s.returned);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(hwnd, WM_GETICON, s.kind, 0)), s.icon);
        EXPECT_EQ(screen_pixel(kX + 5, kY + 4), s.shown);
        EXPECT_EQ(screen_pixel(kX + 20, kY + 19), s.shown);
        EXPECT_EQ(screen_pixel(kX + 21, kY + 10), kNavy) << "right of the icon";
    }
}

struct HitCase {
    const char* name;
    int x, y;  // window coordinates
    LRESULT expected;
};

TEST_F(NonClient, HitTestingNamesEachPartOfTheFrame) {
    struct Window {
        const char* name;
        DWORD style;
        DWORD ex_style;
        bool with_icon;
        std::vector<HitCase> cases;
    };
    const Window windows[] = {
        {"dialog with an icon",
         kDialog,
         WS_EX_DLGMODALFRAME,
         true,
         {{"icon", 10, 10, HTSYSMENU},
          {"caption after the icon", 25, 10, HTCAPTION},
          {"line under the caption", 100, 21, HTCAPTION},
          {"close box", 185, 10, HTCLOSE},
          {"close box row above the drawn box", 196, 3, HTCLOSE},
          {"left frame", 1, 50, HTBORDER},
          {"right frame", 198, 50, HTBORDER},
          {"corner", 0, 0, HTBORDER},
          {"client", 100, 60, HTCLIENT},
          {"first client row", 3, 22, HTCLIENT},
          {"above", 100, -1, HTNOWHERE},
          {"right of it", 200, 50, HTNOWHERE}}},
        {"dialog without an icon",
         kDialog,
         WS_EX_DLGMODALFRAME,
         false,
         {{"where the icon would be", 10, 10, HTCAPTION}}},
        {"tool window",
         kDialog,
         WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW,
         true,
         {{"no icon in a tool window", 10, 10, HTCAPTION},
          {"small close box", 190, 10, HTCLOSE},
          {"caption line", 100, 18, HTCAPTION},
          {"client", 100, 19, HTCLIENT}}},
        {"caption without a system menu",
         WS_POPUP | WS_CAPTION,
         WS_EX_DLGMODALFRAME,
         true,
         {{"no close box", 190, 10, HTCAPTION}, {"no icon", 10, 10, HTCAPTION}}},
        {"frameless", WS_POPUP, 0, false, {{"all client", 0, 0, HTCLIENT}}},
    };
    const HICON red = icon(32, RGB(255, 0, 0));
    for (const Window& w : windows) {
        SCOPED_TRACE(w.name);
        HWND hwnd = create(w.style, w.ex_style);
        if (w.with_icon) {
            SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(red));
        }
        for (const HitCase& c : w.cases) {
            SCOPED_TRACE(c.name);
            EXPECT_EQ(SendMessageA(hwnd, WM_NCHITTEST, 0, MAKELPARAM(kX + c.x, kY + c.y)),
                      c.expected);
        }
        DestroyWindow(hwnd);
    }
}

TEST_F(NonClient, MouseOverTheFrameArrivesAsNonClientMessagesInScreenCoordinates) {
    HWND hwnd = create(kDialog | WS_VISIBLE, WS_EX_DLGMODALFRAME);
    drain();
    message_log().clear();
    struct Case {
        const char* name;
        host::EventType type;
        host::MouseButton button;
        int x, y;
        UINT msg;
        WPARAM hit;
    };
    const Case cases[] = {
        {"move over the caption", host::EventType::MouseMove, host::MouseButton::None, 100, 10,
         WM_NCMOUSEMOVE, HTCAPTION},
        {"right release on the caption", host::EventType::MouseUp, host::MouseButton::Right, 100,
         10, WM_NCRBUTTONUP, HTCAPTION},
        {"left press on the border", host::EventType::MouseDown, host::MouseButton::Left, 0, 50,
         WM_NCLBUTTONDOWN, HTBORDER},
        {"middle press on the border", host::EventType::MouseDown, host::MouseButton::Middle, 0, 50,
         WM_NCMBUTTONDOWN, HTBORDER},
        {"left press in the client area", host::EventType::MouseDown, host::MouseButton::Left, 100,
         60, WM_LBUTTONDOWN, MK_LBUTTON},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        host::Event e;
        e.type = c.type;
        e.button = c.button;
        e.buttons = c.type == host::EventType::MouseDown && c.button == host::MouseButton::Left
                        ? host::kButtonLeft
                        : 0;
        e.x = kX + c.x;
        e.y = kY + c.y;
        m_host.push_event(e);
        MSG m;
        ASSERT_TRUE(PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE));
        EXPECT_EQ(m.hwnd, hwnd);
        EXPECT_EQ(m.message, c.msg);
        EXPECT_EQ(m.wParam, c.hit);
        const bool non_client = c.msg != WM_LBUTTONDOWN;
        EXPECT_EQ(GET_X_LPARAM(m.lParam), non_client ? kX + c.x : c.x - 3);
        EXPECT_EQ(GET_Y_LPARAM(m.lParam), non_client ? kY + c.y : c.y - 22);
    }
}

struct CloseCase {
    const char* name;
    std::vector<POINT> moves;  // window coordinates, between press and release
    POINT release;
    std::vector<COLORREF> box_corner;  // after the press, then after each move
    bool closes;
};

TEST_F(NonClient, TheCloseBoxClosesOnlyWhenReleasedOverIt) {
    const POINT inside{187, 12};
    const POINT outside{100, 60};
    const CloseCase cases[] = {
        {"press and release", {}, inside, {kDark}, true},
        {"slide off and release outside", {outside}, outside, {kDark, kLight}, false},
        {"slide off and back", {outside, inside}, inside, {kDark, kLight, kDark}, true},
        {"release on the caption beside it", {}, POINT{150, 10}, {kDark}, false},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        HWND hwnd = create(kDialog | WS_VISIBLE, WS_EX_DLGMODALFRAME);
        drain();
        message_log().clear();
        std::vector<COLORREF> corners;
        auto look = [&corners](host::HeadlessHost&) {
            corners.push_back(screen_pixel(kX + 179, kY + 5));
        };
        m_host.script_mouse_down(kX + inside.x, kY + inside.y);
        m_host.script_call(look);
        for (const POINT& p : c.moves) {
            m_host.script_mouse_move(kX + p.x, kY + p.y);
            m_host.script_call(look);
        }
        m_host.script_mouse_up(kX + c.release.x, kY + c.release.y);
        run();
        EXPECT_EQ(corners, c.box_corner) << "dark: pushed, light: raised";
        std::vector<Logged> expected{{hwnd, WM_NCLBUTTONDOWN, HTCLOSE}};
        if (c.closes) {
            expected.push_back({hwnd, WM_SYSCOMMAND, SC_CLOSE});
            expected.push_back({hwnd, WM_CLOSE, 0});
        }
        test::expect_messages(expected, {WM_NCLBUTTONDOWN, WM_SYSCOMMAND, WM_CLOSE});
        EXPECT_EQ(IsWindow(hwnd) == FALSE, c.closes);
        if (IsWindow(hwnd)) {
            EXPECT_EQ(screen_pixel(kX + 179, kY + 5), kLight) << "raised again";
            EXPECT_EQ(GetCapture(), nullptr);
            DestroyWindow(hwnd);
        }
    }
}

struct DragCase {
    const char* name;
    std::vector<POINT> moves;  // screen coordinates after pressing at (100, 60)
    bool escape;               // Esc before releasing
    POINT where;               // the window's top-left corner afterwards
};

TEST_F(NonClient, DraggingTheCaptionMovesTheWindowAndKeepsTheCaptionOnScreen) {
    const DragCase cases[] = {
        {"drag", {{130, 80}, {150, 100}}, false, {100, 90}},
        {"past the top-left corner", {{-100, -100}}, false, {0, 0}},
        // 640 - 200 wide; 480 - 22 for the frame and caption strip
        {"past the bottom-right corner", {{900, 700}}, false, {440, 458}},
        {"Esc puts it back", {{200, 200}}, true, {kX, kY}},
        {"no move", {}, false, {kX, kY}},
    };
    for (const DragCase& c : cases) {
        SCOPED_TRACE(c.name);
        clear_screen();
        HWND hwnd = create(kDialog | WS_VISIBLE, WS_EX_DLGMODALFRAME);
        drain();
        message_log().clear();
        m_host.script_mouse_down(100, 60);
        POINT last{100, 60};
        for (const POINT& p : c.moves) {
            m_host.script_mouse_move(p.x, p.y);
            last = p;
        }
        if (c.escape) {
            m_host.script_key(host::vk::kEscape);
        }
        m_host.script_mouse_up(last.x, last.y);
        run();
        RECT rc{};
        ASSERT_TRUE(GetWindowRect(hwnd, &rc));
        EXPECT_EQ(rc.left, c.where.x);
        EXPECT_EQ(rc.top, c.where.y);
        EXPECT_EQ(rc.right - rc.left, kWidth);
        test::expect_messages({{hwnd, WM_NCLBUTTONDOWN, HTCAPTION},
                               {hwnd, WM_SYSCOMMAND, SC_MOVE + HTCAPTION},
                               {hwnd, WM_ENTERSIZEMOVE, 0},
                               {hwnd, WM_EXITSIZEMOVE, 0}},
                              {WM_NCLBUTTONDOWN, WM_SYSCOMMAND, WM_ENTERSIZEMOVE, WM_EXITSIZEMOVE});
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(screen_pixel(c.where.x + 10, c.where.y + 10), kNavy) << "caption repainted";
        if (c.where.y + 60 < 480) {
            EXPECT_EQ(screen_pixel(c.where.x + 100, c.where.y + 60), kClient) << "client repainted";
        }
        DestroyWindow(hwnd);
    }
}

TEST_F(NonClient, FramedWindowsHearWmNcPaintBeforeTheirClientPaint) {
    struct Case {
        const char* name;
        DWORD style;
        DWORD ex_style;
        std::function<void(HWND)> action;
        std::vector<UINT> expected;
    };
    const Case cases[] = {
        {"shown",
         kDialog,
         WS_EX_DLGMODALFRAME,
         [](HWND h) { ShowWindow(h, SW_SHOWNA); },
         {WM_NCPAINT, WM_PAINT, WM_ERASEBKGND}},
        {"shown without a frame",
         WS_POPUP,
         0,
         [](HWND h) { ShowWindow(h, SW_SHOWNA); },
         {WM_PAINT, WM_ERASEBKGND}},
        {"RDW_FRAME paints the frame at once",
         WS_POPUP | WS_BORDER | WS_VISIBLE,
         0,
         [](HWND h) {
             drain();
             message_log().clear();
             RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
         },
         {WM_NCPAINT, WM_PAINT}},
        {"without RDW_FRAME the frame stays",
         WS_POPUP | WS_BORDER | WS_VISIBLE,
         0,
         [](HWND h) {
             drain();
             message_log().clear();
             RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
         },
         {WM_PAINT}},
        {"SWP_FRAMECHANGED",
         WS_POPUP | WS_BORDER | WS_VISIBLE,
         0,
         [](HWND h) {
             drain();
             message_log().clear();
             SetWindowPos(
                 h, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
         },
         {WM_NCPAINT, WM_PAINT, WM_ERASEBKGND}},
        {"a window above goes away",
         WS_POPUP | WS_BORDER | WS_VISIBLE,
         0,
         [](HWND h) {
             HWND above = CreateWindowExA(0, kClass, "", WS_POPUP | WS_VISIBLE, kX - 10, kY - 10,
                                          20, 20, nullptr, nullptr, nullptr, nullptr);
             drain();
             DestroyWindow(above);
             message_log().clear();
             (void)h;
         },
         {WM_NCPAINT, WM_PAINT, WM_ERASEBKGND}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND hwnd = create(c.style, c.ex_style);
        message_log().clear();
        c.action(hwnd);
        drain();
        std::vector<Logged> expected;
        for (UINT msg : c.expected) {
            expected.push_back({hwnd, msg, msg == WM_NCPAINT ? 1u : test::kAnyWParam});
        }
        test::expect_messages(expected, {WM_NCPAINT, WM_PAINT, WM_ERASEBKGND});
        DestroyWindow(hwnd);
    }
}

TEST_F(NonClient, GetWindowDcDrawsOverTheWholeWindow) {
    HWND hwnd = create(kDialog | WS_VISIBLE, WS_EX_DLGMODALFRAME);
    drain();
    HDC dc = GetWindowDC(hwnd);
    ASSERT_NE(dc, nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const RECT all{-10, -10, kWidth + 10, kHeight + 10};
    FillRect(dc, &all, red);
    DeleteObject(red);
    EXPECT_EQ(ReleaseDC(hwnd, dc), 1);
    EXPECT_EQ(screen_pixel(kX, kY), RGB(255, 0, 0)) << "frame";
    EXPECT_EQ(screen_pixel(kX + 100, kY + 60), RGB(255, 0, 0)) << "client";
    EXPECT_EQ(screen_pixel(kX - 1, kY - 1), kWhite) << "outside the window";
    EXPECT_EQ(GetWindowDC(reinterpret_cast<HWND>(0x7777)), nullptr);
}

}  // namespace
