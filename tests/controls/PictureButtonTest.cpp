// PictureButtonTest.cpp: the picture push button and the picture check box over a striped
// parent, with the program's own pictures: set-up, the picture each state shows, clicks. The
// buttons at rest, the box either way and a click on it are pinned by the program's own tests,
// as is drawing under a dialog that colours the buttons' contexts.
#include "controls/CTransparentAutoCheckBox.h"
#include "controls/CTransparentBitmapButton.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/gdi/Screen.h"
#include "res/PiloResources.h"
#include "res/resource.h"
#include "tests/gfx/GfxTestSupport.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

// Pictures: push button normal, down, focus, disabled (N, D, F, X); check box unchecked,
// checked (U, C); a large one (T) and a missing one (M).
constexpr UINT N = IDB_NEW_GAME, D = IDB_NEW_GAME_PRESSED, F = IDB_SHAPE_CROSS, X = IDB_EXIT;
constexpr UINT U = IDB_SHAPE_CROSS, C = IDB_SHAPE_SQUARE, T = IDB_TEXTURE, M = 299;
constexpr UINT kId = 1005;
constexpr int kX = 140, kY = 130;  // the button's screen position; the parent's is (100, 100)
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The parent's background: vertical stripes, three pixels each, teal from its left edge.
COLORREF stripe_at(int x) {
    return ((x + kX - 100) / 3) % 2 == 0 ? RGB(0, 128, 128) : RGB(128, 128, 0);
}

COLORREF on_button(int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, kX + x, kY + y);
    ReleaseDC(nullptr, screen);
    return c;
}

// A picture resource's pixels, top row first.
std::vector<COLORREF> picture(UINT id) {
    HBITMAP bitmap = LoadBitmapA(nullptr, MAKEINTRESOURCE(id));
    std::vector<COLORREF> pixels = gfxtest::read_pixels(bitmap);
    DeleteObject(bitmap);
    return pixels;
}

// What the screen should show at a point of a 24 x 24 picture: white shows the stripes.
COLORREF over_stripes(const std::vector<COLORREF>& pixels, int at) {
    return pixels[at] == kWhite ? stripe_at(at % 24) : pixels[at];
}

// Mismatches of the button's area against picture id drawn over the stripes (0: none).
std::string shows(UINT id) {
    const std::vector<COLORREF> want = id == 0 ? std::vector<COLORREF>(576, kWhite) : picture(id);
    std::string wrong;
    for (int i = 0; i < 576 && wrong.size() < 100; ++i) {
        if (on_button(i % 24, i / 24) != over_stripes(want, i)) {
            (wrong += "(") += std::to_string(i % 24) + "," + std::to_string(i / 24) + ") ";
        }
    }
    return wrong;
}

// A frameless popup painted in stripes; it records each click of the button with the check
// box's value and the watched point's colour at that moment.
class CStripedParent : public CWnd {
public:
    std::vector<std::pair<BOOL, COLORREF>> m_clicks;
    const BOOL* m_pWatched = nullptr;
    int m_watchedAt = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        HDC hdc = reinterpret_cast<HDC>(wParam);
        if (message == WM_ERASEBKGND) {
            for (int x = 0; x < 200; x += 3) {
                CBrush brush(stripe_at(x - 40));
                const RECT stripe{x, 0, x + 3, 120};
                FillRect(hdc, &stripe, static_cast<HBRUSH>(brush.GetSafeHandle()));
            }
            return TRUE;
        }
        if (message == WM_COMMAND && wParam == MAKEWPARAM(kId, BN_CLICKED)) {
            m_clicks.emplace_back(m_pWatched != nullptr && *m_pWatched,
                                  on_button(m_watchedAt % 24, m_watchedAt / 24));
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

enum Kind { Push, Box };
using Ids = std::array<UINT, 4>;  // push: normal, pressed, focus, disabled; box: three

// A headless screen with the program's pictures, a 200 x 120 striped parent at (100, 100) and
// in it an owner-drawn placeholder button, 30 x 20, that a push button or check box takes over.
class Stage {
public:
    explicit Stage(Kind kind) : kind(kind) {
        m_ready =
            gdi::configure_screen(8) && pilo_install_resources() != nullptr &&
            m_parent.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 100, 100, 200,
                              120, nullptr, nullptr) &&
            CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 40, 30, 30, 20,
                            m_parent.m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kId)),
                            nullptr, nullptr) != nullptr;
    }
    ~Stage() {
        if (wnd().m_hWnd != nullptr) {
            wnd().UnsubclassWindow();
        }
        m_parent.DestroyWindow();
        drain();
    }
    CButton& wnd() { return kind == Box ? static_cast<CButton&>(box) : push; }
    BOOL setup(const Ids& i) {
        return kind == Box ? box.SetupButton(kId, &m_parent, i[0], i[1], i[2])
                           : push.SetupButton(kId, &m_parent, i[0], i[1], i[2], i[3]);
    }
    BOOL load(const Ids& i) {
        return kind == Box ? box.LoadImages(i[0], i[1], i[2])
                           : push.LoadImages(i[0], i[1], i[2], i[3]);
    }
    static void drain() { test::UserTest::drain(); }
    void show() {
        m_parent.ShowWindow(SW_SHOW);
        m_parent.UpdateWindow();
        drain();
    }
    // The left button at a point of the button's client area.
    void mouse(host::EventType type, POINT p) {
        using enum host::EventType;
        const auto button = type == MouseMove ? host::MouseButton::None : host::MouseButton::Left;
        const std::uint8_t held = type == MouseUp ? 0 : host::kButtonLeft;
        m_host.push_event(
            {.type = type, .x = kX + p.x, .y = kY + p.y, .button = button, .buttons = held});
        drain();
    }
    // Pressed at the first point, dragged through the others, released at the last.
    void drag(const std::vector<POINT>& path) {
        mouse(host::EventType::MouseMove, path.front());
        mouse(host::EventType::MouseDown, path.front());
        for (const POINT& p : path) {
            mouse(host::EventType::MouseMove, p);
        }
        mouse(host::EventType::MouseUp, path.back());
    }

    host::HeadlessHost m_host;
    host::ScopedInstall m_install{m_host};
    CStripedParent m_parent;
    bool m_ready = false;
    Kind kind;
    CTransparentBitmapButton push;
    CTransparentAutoCheckBox box;
};

TEST(PictureButtons, SetupLoadsThePicturesItCanAndFitsTheFirst) {
    struct Case {
        const char* name;
        Kind kind;
        Ids ids;
        BOOL setup, reload;
        LONG width, height;
    };
    const Case cases[] = {
        {"push: of its first picture's size", Push, {T}, TRUE, TRUE, 159, 160},
        {"push: missing pressed, the rest load", Push, {N, M, F}, TRUE, FALSE, 24, 24},
        {"push: missing normal, nothing loads", Push, {M, D}, FALSE, FALSE, 30, 20},
        {"box: of its first picture's size", Box, {T, C}, TRUE, TRUE, 159, 160},
        {"box: no checked picture asked for", Box, {U, 0, X}, FALSE, TRUE, 30, 20},
        {"box: missing disabled lowers the result", Box, {U, C, M}, TRUE, FALSE, 24, 24},
        {"box: missing checked stops the loading", Box, {U, M, X}, FALSE, FALSE, 30, 20},
        {"box: missing unchecked stops at once", Box, {M, C, X}, FALSE, FALSE, 30, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Stage s(c.kind);
        ASSERT_TRUE(s.m_ready);
        EXPECT_EQ(s.setup(c.ids), c.setup);
        CRect rect;
        s.wnd().GetWindowRect(&rect);
        EXPECT_EQ(rect, CRect(kX, kY, kX + c.width, kY + c.height));
        EXPECT_EQ(s.load(c.ids), c.reload) << "loading again replaces every picture";
        EXPECT_FALSE(s.box.m_checked);
    }
}

enum Act { None, Press, PressAndLeave, Focus, Disable, DisableChecked };

TEST(PictureButtons, EachStateShowsItsPictureOverTheParentsBackground) {
    struct Case {
        const char* name;
        Kind kind;
        Ids ids;
        Act act;
        UINT shown;  // 0: the background alone
    };
    const Case cases[] = {
        {"push held", Push, {N, D, F, X}, Press, D},
        {"push held, no pressed picture: focus", Push, {N, 0, F}, Press, F},
        {"push held, no other pictures: normal", Push, {N}, Press, N},
        {"push held and left: focus", Push, {N, D, F, X}, PressAndLeave, F},
        {"push left, no focus picture: normal", Push, {N, D}, PressAndLeave, N},
        {"push focused", Push, {N, D, F, X}, Focus, F},
        {"push disabled", Push, {N, D, F, X}, Disable, X},
        {"push disabled, no disabled picture", Push, {N, D, F}, Disable, N},
        {"push without its normal picture, held", Push, {M, D}, Press, 0},
        {"box held: no pressed look", Box, {U, C, X}, Press, U},
        {"box disabled", Box, {U, C, X}, Disable, X},
        {"box disabled while checked", Box, {U, C, X}, DisableChecked, X},
        {"box disabled, no picture, checked", Box, {U, C}, DisableChecked, C},
        {"box disabled, no picture", Box, {U, C}, Disable, U},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Stage s(c.kind);
        ASSERT_TRUE(s.m_ready);
        s.setup(c.ids);
        s.show();
        if (c.act == Press || c.act == PressAndLeave) {
            s.mouse(host::EventType::MouseMove, {12, 12});
            s.mouse(host::EventType::MouseDown, {12, 12});
            s.mouse(host::EventType::MouseMove, {c.act == Press ? 12 : 52, 12});
        }
        if (c.act == Focus) {
            s.wnd().SetFocus();
        }
        if (c.act == DisableChecked) {
            s.box.SetChecked(TRUE);
        }
        s.wnd().EnableWindow(c.act != Disable && c.act != DisableChecked);
        Stage::drain();
        EXPECT_EQ(shows(c.shown), "");
        EXPECT_FALSE(c.kind == Box ? s.box.m_parentRedrawn : s.push.m_parentRedrawn)
            << "every update ends after its second call";
    }
}

// The push button's clicks are the platform's; the box toggles on a release over it after a
// press on it, and shows its new value before the owner hears of the click.
TEST(PictureButtons, AReleaseOverTheBoxAfterAPressOnItToggles) {
    const struct {
        const char* name;
        std::vector<POINT> path;  // pressed at the first point, released at the last
        int times;
        std::vector<BOOL> clicks;  // the box's value at each click
    } cases[] = {
        {"three clicks check", {{3, 20}, {20, 3}}, 3, {TRUE, FALSE, TRUE}},
        {"released outside", {{12, 12}, {60, 12}}, 1, {}},
        {"released just past its edge", {{12, 12}, {24, 12}}, 1, {}},
        {"released on its last column", {{12, 12}, {23, 12}}, 1, {TRUE}},
        {"dragged out and back", {{12, 12}, {60, 12}, {12, 12}}, 1, {TRUE}},
        {"pressed elsewhere", {{-20, 12}, {12, 12}}, 1, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Stage s(Box);
        ASSERT_TRUE(s.m_ready);
        s.setup({U, C});
        s.show();
        // Watched: a point where the unchecked and checked pictures differ.
        const std::vector<COLORREF> unchecked = picture(U), checked = picture(C);
        while (unchecked[s.m_parent.m_watchedAt] == checked[s.m_parent.m_watchedAt]) {
            ++s.m_parent.m_watchedAt;
        }
        s.m_parent.m_pWatched = &s.box.m_checked;
        for (int n = 0; n < c.times; ++n) {
            s.drag(c.path);
        }
        s.m_parent.m_pWatched = nullptr;
        std::vector<std::pair<BOOL, COLORREF>> expected;
        for (const BOOL value : c.clicks) {
            expected.emplace_back(
                value, over_stripes(value ? checked : unchecked, s.m_parent.m_watchedAt));
        }
        EXPECT_EQ(s.m_parent.m_clicks, expected);
        const BOOL value = c.clicks.empty() ? FALSE : c.clicks.back();
        EXPECT_EQ(s.box.m_checked, value);
        EXPECT_FALSE(s.box.m_pressed) << "a release consumes the press";
        EXPECT_EQ(shows(value ? C : U), "") << "at rest again";
    }
}

// Erasing is the parent's: the buttons only say it is done (that they draw no background of
// their own shows in every picture of them over the stripes).
TEST(PictureButtons, ErasingIsLeftToTheParent) {
    for (Kind kind : {Push, Box}) {
        Stage s(kind);
        ASSERT_TRUE(s.m_ready);
        s.setup({U, C});
        CClientDC dc(&s.wnd());
        EXPECT_TRUE(s.wnd().SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc())));
    }
}

}  // namespace
