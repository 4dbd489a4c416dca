// MenuTest.cpp: menu handles and items, and tracking a popup menu: owner-draw sequences,
// choices and dismissals, placement at the screen's edges and what the menu looks like.
#include "platform/host/VirtualKeys.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/user/Menu.h"
#include "platform/win32/user/PopupMenu.h"
#include "platform/win32/windows.h"
#include "tests/user/MenuScript.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// Handles and items
// ---------------------------------------------------------------------------------------------

TEST(MenuHandles, DestroyedHandlesFailEveryCallEvenWhenTheSlotIsReused) {
    const std::size_t live_before = user::live_menu_count();
    HMENU first = CreatePopupMenu();
    ASSERT_NE(first, nullptr);
    ASSERT_TRUE(AppendMenuA(first, MF_STRING, 1, "a"));
    ASSERT_TRUE(DestroyMenu(first));
    HMENU second = CreatePopupMenu();  // takes the freed slot
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);

    struct Case {
        const char* name;
        bool (*call)(HMENU);
    };
    const Case cases[] = {
        {"IsMenu", [](HMENU m) { return IsMenu(m) == FALSE; }},
        {"DestroyMenu", [](HMENU m) { return DestroyMenu(m) == FALSE; }},
        {"AppendMenuA", [](HMENU m) { return AppendMenuA(m, MF_STRING, 2, "b") == FALSE; }},
        {"InsertMenuA", [](HMENU m) { return InsertMenuA(m, 0, MF_BYPOSITION, 2, "b") == FALSE; }},
        {"GetMenuItemCount", [](HMENU m) { return GetMenuItemCount(m) == -1; }},
        {"GetMenuItemID", [](HMENU m) { return GetMenuItemID(m, 0) == static_cast<UINT>(-1); }},
        {"GetMenuState",
         [](HMENU m) { return GetMenuState(m, 0, MF_BYPOSITION) == static_cast<UINT>(-1); }},
        {"EnableMenuItem",
         [](HMENU m) { return EnableMenuItem(m, 0, MF_BYPOSITION) == static_cast<DWORD>(-1); }},
        {"TrackPopupMenu",
         [](HMENU m) { return TrackPopupMenu(m, 0, 0, 0, 0, nullptr, nullptr) == FALSE; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetLastError(0);
        EXPECT_TRUE(c.call(first));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_MENU_HANDLE));
    }
    EXPECT_TRUE(IsMenu(second));
    EXPECT_EQ(GetMenuItemCount(second), 0);  // nothing of the old menu leaked into the new one
    EXPECT_TRUE(DestroyMenu(second));
    EXPECT_EQ(user::live_menu_count(), live_before);
}

// A menu as a list of (id, state) after some edits, so each case reads as a small picture.
struct ItemView {
    UINT id;
    UINT state;
};

std::vector<ItemView> view(HMENU menu) {
    std::vector<ItemView> out;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        out.push_back(
            {GetMenuItemID(menu, i), GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION)});
    }
    return out;
}

TEST(MenuItems, EditsLeaveTheItemsInOrderWithTheirStates) {
    struct Case {
        const char* name;
        void (*edit)(HMENU);
        std::vector<ItemView> expected;
    };
    // Every case starts from: 10 "Ten", separator, 20 "Twenty", 30 owner-drawn (data 7).
    const Case cases[] = {
        {"as built",
         [](HMENU) {},
         {{10, MF_STRING}, {0, MF_SEPARATOR}, {20, MF_STRING}, {30, MF_OWNERDRAW}}},
        {"insert before a command",
         [](HMENU m) { InsertMenuA(m, 20, MF_BYCOMMAND | MF_GRAYED, 15, "Fifteen"); },
         {{10, 0}, {0, MF_SEPARATOR}, {15, MF_GRAYED}, {20, 0}, {30, MF_OWNERDRAW}}},
        {"insert by position past the end appends",
         [](HMENU m) { InsertMenuA(m, 99, MF_BYPOSITION, 40, "Forty"); },
         {{10, 0}, {0, MF_SEPARATOR}, {20, 0}, {30, MF_OWNERDRAW}, {40, 0}}},
        {"delete by position",
         [](HMENU m) { DeleteMenu(m, 1, MF_BYPOSITION); },
         {{10, 0}, {20, 0}, {30, MF_OWNERDRAW}}},
        {"remove by command",
         [](HMENU m) { RemoveMenu(m, 10, MF_BYCOMMAND); },
         {{0, MF_SEPARATOR}, {20, 0}, {30, MF_OWNERDRAW}}},
        {"modify turns a string into a checked owner-drawn item",
         [](HMENU m) { ModifyMenuA(m, 20, MF_BYCOMMAND | MF_OWNERDRAW | MF_CHECKED, 21, nullptr); },
         {{10, 0}, {0, MF_SEPARATOR}, {21, MF_OWNERDRAW | MF_CHECKED}, {30, MF_OWNERDRAW}}},
        {"grey, disable and check by command",
         [](HMENU m) {
             EnableMenuItem(m, 10, MF_BYCOMMAND | MF_GRAYED);
             EnableMenuItem(m, 30, MF_BYCOMMAND | MF_DISABLED);
             CheckMenuItem(m, 20, MF_BYCOMMAND | MF_CHECKED);
         },
         {{10, MF_GRAYED}, {0, MF_SEPARATOR}, {20, MF_CHECKED}, {30, MF_OWNERDRAW | MF_DISABLED}}},
        {"one default at a time",
         [](HMENU m) {
             SetMenuDefaultItem(m, 10, FALSE);
             SetMenuDefaultItem(m, 2, TRUE);
         },
         {{10, 0}, {0, MF_SEPARATOR}, {20, MF_DEFAULT}, {30, MF_OWNERDRAW}}},
        {"an appended default takes over",
         [](HMENU m) {
             SetMenuDefaultItem(m, 10, FALSE);
             AppendMenuA(m, MF_STRING | MF_DEFAULT, 50, "Fifty");
         },
         {{10, 0}, {0, MF_SEPARATOR}, {20, 0}, {30, MF_OWNERDRAW}, {50, MF_DEFAULT}}},
        {"refused edits change nothing",
         [](HMENU m) {
             AppendMenuA(m, MF_POPUP, reinterpret_cast<UINT_PTR>(m), "sub");
             InsertMenuA(m, 99, MF_BYCOMMAND, 60, "no such command");
             DeleteMenu(m, 4, MF_BYPOSITION);
             SetMenuDefaultItem(m, 1, TRUE);  // a separator
         },
         {{10, 0}, {0, MF_SEPARATOR}, {20, 0}, {30, MF_OWNERDRAW}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HMENU m = CreatePopupMenu();
        AppendMenuA(m, MF_STRING, 10, "Ten");
        AppendMenuA(m, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(m, MF_STRING, 20, "Twenty");
        AppendMenuA(m, MF_OWNERDRAW, 30, reinterpret_cast<LPCSTR>(7));
        c.edit(m);
        const std::vector<ItemView> got = view(m);
        ASSERT_EQ(got.size(), c.expected.size());
        for (std::size_t i = 0; i < got.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(got[i].id, c.expected[i].id);
            EXPECT_EQ(got[i].state, c.expected[i].state);
        }
        DestroyMenu(m);
    }
}

TEST(MenuItems, QueriesReportPreviousStatesAndMissingItems) {
    HMENU m = CreatePopupMenu();
    AppendMenuA(m, MF_STRING | MF_GRAYED, 10, "&Ten\tCtrl+T");
    AppendMenuA(m, MF_STRING | MF_CHECKED, 20, "Twenty");
    struct Case {
        const char* name;
        DWORD got;
        DWORD expected;
    };
    const Case cases[] = {
        {"enable returns the grey bit", EnableMenuItem(m, 10, MF_ENABLED), MF_GRAYED},
        {"enabling again returns nothing", EnableMenuItem(m, 10, MF_ENABLED), 0},
        {"uncheck returns the check", CheckMenuItem(m, 20, MF_UNCHECKED), MF_CHECKED},
        {"missing command", EnableMenuItem(m, 99, MF_GRAYED), static_cast<DWORD>(-1)},
        {"missing position", CheckMenuItem(m, 2, MF_BYPOSITION), static_cast<DWORD>(-1)},
        {"id past the end", GetMenuItemID(m, 2), static_cast<DWORD>(-1)},
        {"negative position", GetMenuItemID(m, -1), static_cast<DWORD>(-1)},
        {"no default yet", GetMenuDefaultItem(m, FALSE, 0), static_cast<DWORD>(-1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.got, c.expected);
    }
    char buffer[6];
    EXPECT_EQ(GetMenuStringA(m, 10, buffer, sizeof buffer, MF_BYCOMMAND), 5);
    EXPECT_STREQ(buffer, "&Ten\t");  // cut to the buffer, terminated
    EXPECT_EQ(GetMenuStringA(m, 10, nullptr, 0, MF_BYCOMMAND), 11);
    DestroyMenu(m);
}

// ---------------------------------------------------------------------------------------------
// Tracking
// ---------------------------------------------------------------------------------------------

constexpr const char* kOwnerClass = "PiloMenuTestOwner";

// What the owner heard, with the owner-draw details.
struct Heard {
    UINT msg;
    WPARAM wparam = 0;
    LPARAM lparam = 0;
    UINT item = 0;    // WM_MEASUREITEM, WM_DRAWITEM: itemID
    UINT action = 0;  // WM_DRAWITEM
    UINT state = 0;
    RECT rc{};
    HWND hwnd_item = nullptr;
    ULONG_PTR data = 0;
    UINT preset_height = 0;  // WM_MEASUREITEM: itemHeight before the owner answered
};

std::vector<Heard>& heard() {
    static std::vector<Heard> log;
    return log;
}

constexpr UINT kItemWidth = 18;
constexpr UINT kItemHeight = 18;
// The owner paints its client area this colour, so the screen shows what the menu covered.
constexpr COLORREF kOwnerColour = RGB(0, 128, 0);

LRESULT CALLBACK owner_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    switch (msg) {
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lparam);
            heard().push_back(
                {msg, wparam, 0, mis->itemID, 0, 0, {}, nullptr, mis->itemData, mis->itemHeight});
            mis->itemWidth = kItemWidth;
            mis->itemHeight = kItemHeight;
            return TRUE;
        }
        case WM_DRAWITEM: {
            const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            heard().push_back({msg, wparam, 0, dis->itemID, dis->itemAction, dis->itemState,
                               dis->rcItem, dis->hwndItem, dis->itemData, 0});
            // Blue picture, red frame when selected: visible in the snapshot.
            HBRUSH fill = CreateSolidBrush(RGB(0, 0, 255));
            FillRect(dis->hDC, &dis->rcItem, fill);
            DeleteObject(fill);
            if (dis->itemState & ODS_SELECTED) {
                HBRUSH frame = CreateSolidBrush(RGB(255, 0, 0));
                FrameRect(dis->hDC, &dis->rcItem, frame);
                DeleteObject(frame);
            }
            return TRUE;
        }
        case WM_ENTERMENULOOP:
        case WM_EXITMENULOOP:
        case WM_INITMENU:
        case WM_INITMENUPOPUP:
        case WM_MENUSELECT:
        case WM_COMMAND:
        case WM_SYSCOMMAND:
            heard().push_back({msg, wparam, lparam});
            break;
        case WM_ERASEBKGND: {
            HBRUSH brush = CreateSolidBrush(kOwnerColour);
            RECT rc;
            GetClientRect(hwnd, &rc);
            FillRect(reinterpret_cast<HDC>(wparam), &rc, brush);
            DeleteObject(brush);
            return 1;
        }
        default:
            break;
    }
    return DefWindowProcA(hwnd, msg, wparam, lparam);
}

class Tracking : public testing::Test {
public:
    void SetUp() override {
        m_install = std::make_unique<host::ScopedInstall>(m_host);
        WNDCLASSA wc{};
        wc.lpfnWndProc = owner_proc;
        wc.lpszClassName = kOwnerClass;
        ASSERT_NE(RegisterClassA(&wc), 0);
        m_owner = CreateWindowExA(0, kOwnerClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480,
                                  nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_owner, nullptr);
        SetFocus(m_owner);
        drain();
        heard().clear();
    }
    void TearDown() override {
        EXPECT_EQ(user::tracking_window(), nullptr);
        DestroyWindow(m_owner);
        drain();
        EXPECT_TRUE(UnregisterClassA(kOwnerClass, nullptr));
    }
    static void drain() {
        MSG m;
        for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
            DispatchMessageA(&m);
        }
    }
    // Two owner-drawn items (ids 160 and 161, data 0 and 1) and a string item 300.
    static HMENU make_mixed_menu() {
        HMENU m = CreatePopupMenu();
        AppendMenuA(m, MF_OWNERDRAW, 160, reinterpret_cast<LPCSTR>(0));
        AppendMenuA(m, MF_OWNERDRAW, 161, reinterpret_cast<LPCSTR>(1));
        AppendMenuA(m, MF_STRING, 300, "&Trzeci");
        return m;
    }
    // A posted WM_COMMAND for the owner, taken from the queue; 0 when none.
    UINT take_posted_command() {
        MSG m;
        if (PeekMessageA(&m, m_owner, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
            return LOWORD(m.wParam);
        }
        return 0;
    }
    void key(std::uint16_t vk, std::uint8_t ch = 0) { m_host.script_key(vk, ch); }
    // Runs what the script still holds (a key's release, say) through the queue.
    void finish_script() {
        MSG m;
        while (m_host.script_steps_left() > 0 && GetMessageA(&m, nullptr, 0, 0) > 0) {
            DispatchMessageA(&m);
        }
        drain();
    }

    host::HeadlessHost m_host;
    std::unique_ptr<host::ScopedInstall> m_install;
    HWND m_owner = nullptr;
};

TEST_F(Tracking, OwnerMeasuresDrawsAndFollowsTheHighlightBeforeTheCommandIsPosted) {
    HMENU menu = make_mixed_menu();
    test::script_move_to_item(m_host, 0);
    test::script_move_to_item(m_host, 1);
    test::script_move_to_item(m_host, 2);  // the string item: no WM_DRAWITEM for it
    test::script_click_item(m_host, 1);
    const BOOL result =
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, 100, 100, 0, m_owner, nullptr);
    EXPECT_EQ(result, TRUE);

    constexpr UINT kClosed = ~0u;  // WM_MENUSELECT(0, 0xFFFF) as the menu closes
    struct Expected {
        UINT msg;
        UINT item;
        UINT action;
        UINT state;
    };
    const Expected expected[] = {
        {WM_ENTERMENULOOP, 0, 0, 0},
        {WM_INITMENUPOPUP, 0, 0, 0},
        {WM_MEASUREITEM, 160, 0, 0},
        {WM_MEASUREITEM, 161, 0, 0},
        {WM_DRAWITEM, 160, ODA_DRAWENTIRE, 0},
        {WM_DRAWITEM, 161, ODA_DRAWENTIRE, 0},
        {WM_DRAWITEM, 160, ODA_SELECT, ODS_SELECTED},  // onto item 0
        {WM_MENUSELECT, 160, 0, 0},
        {WM_DRAWITEM, 160, ODA_SELECT, 0},  // item 0 to item 1
        {WM_DRAWITEM, 161, ODA_SELECT, ODS_SELECTED},
        {WM_MENUSELECT, 161, 0, 0},
        {WM_DRAWITEM, 161, ODA_SELECT, 0},  // item 1 to the string item
        {WM_MENUSELECT, 300, 0, 0},
        {WM_DRAWITEM, 161, ODA_SELECT, ODS_SELECTED},  // back to item 1, released there
        {WM_MENUSELECT, 161, 0, 0},
        {WM_MENUSELECT, kClosed, 0, 0},
        {WM_EXITMENULOOP, 0, 0, 0},
    };
    const std::vector<Heard>& got = heard();
    ASSERT_EQ(got.size(), std::size(expected));
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].msg, expected[i].msg);
        if (got[i].msg == WM_MENUSELECT && expected[i].item == kClosed) {
            EXPECT_EQ(got[i].wparam, MAKEWPARAM(0, 0xFFFF));
            EXPECT_EQ(got[i].lparam, 0);
        } else if (got[i].msg == WM_MENUSELECT) {
            EXPECT_EQ(LOWORD(got[i].wparam), expected[i].item);
            EXPECT_EQ(got[i].lparam, reinterpret_cast<LPARAM>(menu));
            EXPECT_NE(HIWORD(got[i].wparam) & MF_HILITE, 0);
        }
        if (got[i].msg == WM_ENTERMENULOOP || got[i].msg == WM_EXITMENULOOP) {
            EXPECT_EQ(got[i].wparam, static_cast<WPARAM>(TRUE));  // from TrackPopupMenu
        }
        if (got[i].msg == WM_INITMENUPOPUP) {
            EXPECT_EQ(got[i].wparam, reinterpret_cast<WPARAM>(menu));
            EXPECT_EQ(HIWORD(got[i].lparam), 0);  // not the system menu
        }
        if (got[i].msg == WM_MEASUREITEM || got[i].msg == WM_DRAWITEM) {
            EXPECT_EQ(got[i].item, expected[i].item);
            EXPECT_EQ(got[i].data, got[i].item - 160);
            EXPECT_EQ(got[i].wparam, 0u);
        }
        if (got[i].msg == WM_MEASUREITEM) {
            EXPECT_EQ(got[i].preset_height, 13u);  // the menu font's height
        }
        if (got[i].msg == WM_DRAWITEM) {
            EXPECT_EQ(got[i].action, expected[i].action);
            EXPECT_EQ(got[i].state, expected[i].state);
            EXPECT_EQ(got[i].hwnd_item, reinterpret_cast<HWND>(menu));
            EXPECT_EQ(got[i].rc.bottom - got[i].rc.top, static_cast<LONG>(kItemHeight));
            EXPECT_GE(got[i].rc.right - got[i].rc.left, static_cast<LONG>(kItemWidth));
        }
    }
    // Item rectangles are in the menu window's client area, one under the other.
    EXPECT_EQ(got[5].rc.top, got[4].rc.bottom);
    EXPECT_EQ(got[5].rc.left, got[4].rc.left);
    EXPECT_GE(got[4].rc.left, 0);
    EXPECT_GE(got[4].rc.top, 0);

    EXPECT_EQ(take_posted_command(), 161u);  // posted, so it came after the return
    EXPECT_EQ(take_posted_command(), 0u);
    DestroyMenu(menu);
}

TEST_F(Tracking, ChoicesAndDismissals) {
    struct Case {
        const char* name;
        UINT flags;
        void (*script)(Tracking&);
        BOOL result;
        UINT posted;  // 0: none
    };
    const Case cases[] = {
        {"left click on an item", 0, [](Tracking& t) { test::script_click_item(t.m_host, 2); },
         TRUE, 300},
        {"right release ignored without TPM_RIGHTBUTTON, then Esc", 0,
         [](Tracking& t) {
             test::script_click_item(t.m_host, 2, host::MouseButton::Right);
             t.key(host::vk::kEscape);
         },
         FALSE, 0},
        {"right release with TPM_RIGHTBUTTON", TPM_RIGHTBUTTON,
         [](Tracking& t) { test::script_click_item(t.m_host, 0, host::MouseButton::Right); }, TRUE,
         160},
        {"TPM_RETURNCMD returns the id and posts nothing", TPM_RETURNCMD,
         [](Tracking& t) { test::script_click_item(t.m_host, 1); }, 161, 0},
        {"Esc", 0, [](Tracking& t) { t.key(host::vk::kEscape); }, FALSE, 0},
        {"Alt closes", 0, [](Tracking& t) { t.key(host::vk::kMenu); }, FALSE, 0},
        {"click outside", 0, [](Tracking& t) { t.m_host.script_click(600, 400); }, FALSE, 0},
        {"arrows wrap and step over the separator, Enter chooses", 0,
         [](Tracking& t) {
             t.key(host::vk::kUp);    // from nothing up: the last item, 400
             t.key(host::vk::kDown);  // wraps to the first, 160
             t.key(host::vk::kDown);  // 161
             t.key(host::vk::kDown);  // 300
             t.key(host::vk::kDown);  // over the separator to 400
             t.key(host::vk::kDown);  // wraps to 160
             t.key(host::vk::kReturn);
         },
         TRUE, 160},
        {"mnemonic chooses its item", 0, [](Tracking& t) { t.key('T', 't'); }, TRUE, 300},
        {"a grey item cannot be chosen by click or Enter", 0,
         [](Tracking& t) {
             test::script_click_item(t.m_host, 4);
             t.key(host::vk::kReturn);
             t.key(host::vk::kEscape);
         },
         FALSE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HMENU menu = make_mixed_menu();
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING | MF_GRAYED, 400, "Szary");
        // 160, 161, 300, separator, 400 (grey).
        heard().clear();
        c.script(*this);
        const BOOL result = TrackPopupMenu(menu, c.flags, 100, 100, 0, m_owner, nullptr);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(take_posted_command(), c.posted);
        ASSERT_FALSE(heard().empty());
        EXPECT_EQ(heard().back().msg, static_cast<UINT>(WM_EXITMENULOOP));
        EXPECT_FALSE(IsWindow(user::tracking_window()));
        finish_script();
        DestroyMenu(menu);
    }
}

TEST_F(Tracking, MenuKeptOnTheScreenAndFlippedAtTheEdges) {
    // The menu's size, learnt from one opening.
    HMENU menu = make_mixed_menu();
    SIZE size{0, 0};
    m_host.script_call([&size](host::HeadlessHost&) {
        RECT rc;
        GetWindowRect(user::tracking_window(), &rc);
        size = SIZE{rc.right - rc.left, rc.bottom - rc.top};
    });
    key(host::vk::kEscape);
    TrackPopupMenu(menu, 0, 10, 10, 0, m_owner, nullptr);
    ASSERT_GT(size.cx, 0);
    ASSERT_GT(size.cy, 0);
    const int w = size.cx;
    const int h = size.cy;

    struct Case {
        const char* name;
        UINT flags;
        POINT at;
        POINT top_left;  // expected
    };
    const Case cases[] = {
        {"left and top aligned", TPM_LEFTALIGN, {100, 100}, {100, 100}},
        {"right aligned", TPM_RIGHTALIGN, {300, 100}, {300 - w, 100}},
        {"centred", TPM_CENTERALIGN, {300, 100}, {300 - w / 2, 100}},
        {"bottom aligned", TPM_BOTTOMALIGN, {100, 300}, {100, 300 - h}},
        {"right edge: opens to the left", 0, {635, 100}, {635 - w, 100}},
        {"bottom edge: opens upwards", 0, {100, 470}, {100, 470 - h}},
        {"bottom right corner", 0, {639, 479}, {639 - w, 479 - h}},
        {"right aligned at the left edge: pushed on", TPM_RIGHTALIGN, {5, 100}, {0, 100}},
        {"centred at the right edge: pushed back", TPM_CENTERALIGN, {639, 100}, {640 - w, 100}},
        {"off the screen above and left", 0, {-50, -50}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RECT got{};
        m_host.script_call(
            [&got](host::HeadlessHost&) { GetWindowRect(user::tracking_window(), &got); });
        key(host::vk::kEscape);
        TrackPopupMenu(menu, c.flags, c.at.x, c.at.y, 0, m_owner, nullptr);
        EXPECT_EQ(got.left, c.top_left.x);
        EXPECT_EQ(got.top, c.top_left.y);
        EXPECT_EQ(got.right - got.left, w);
        EXPECT_EQ(got.bottom - got.top, h);
    }
    DestroyMenu(menu);
}

TEST_F(Tracking, ExcludedAreaIsLeftUncovered) {
    HMENU menu = make_mixed_menu();
    struct Case {
        const char* name;
        POINT at;
        RECT exclude;
        int expected_top;  // -1: the bottom lies on the excluded area's top
    };
    const Case cases[] = {
        {"overlapping: moved below", {100, 100}, {90, 90, 200, 120}, 120},
        {"apart: left where it was", {100, 100}, {300, 300, 400, 320}, 100},
        {"no room below: moved above", {100, 440}, {90, 300, 200, 470}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RECT got{};
        m_host.script_call(
            [&got](host::HeadlessHost&) { GetWindowRect(user::tracking_window(), &got); });
        key(host::vk::kEscape);
        TPMPARAMS params{sizeof(TPMPARAMS), c.exclude};
        TrackPopupMenuEx(menu, 0, c.at.x, c.at.y, m_owner, &params);
        finish_script();
        if (c.expected_top >= 0) {
            EXPECT_EQ(got.top, c.expected_top);
        } else {
            EXPECT_EQ(got.bottom, c.exclude.top);
        }
        RECT overlap;
        EXPECT_FALSE(IntersectRect(&overlap, &got, &c.exclude));
    }
    TPMPARAMS bad{sizeof(TPMPARAMS) + 1, {}};
    EXPECT_FALSE(TrackPopupMenuEx(menu, 0, 0, 0, m_owner, &bad));
    DestroyMenu(menu);
}

TEST_F(Tracking, RefusedWhileAnotherMenuIsTrackedAndForBadOwners) {
    HMENU menu = make_mixed_menu();
    BOOL nested = -1;
    DWORD nested_error = 0;
    m_host.script_call([&](host::HeadlessHost&) {
        nested = TrackPopupMenu(menu, 0, 0, 0, 0, m_owner, nullptr);
        nested_error = GetLastError();
    });
    key(host::vk::kEscape);
    EXPECT_FALSE(TrackPopupMenu(menu, 0, 50, 50, 0, m_owner, nullptr));
    EXPECT_EQ(nested, FALSE);
    EXPECT_EQ(nested_error, static_cast<DWORD>(ERROR_POPUP_ALREADY_ACTIVE));

    SetLastError(0);
    EXPECT_FALSE(TrackPopupMenu(menu, 0, 50, 50, 0, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    HMENU empty = CreatePopupMenu();
    heard().clear();
    EXPECT_FALSE(TrackPopupMenu(empty, 0, 50, 50, 0, m_owner, nullptr));
    ASSERT_FALSE(heard().empty());
    EXPECT_EQ(heard().back().msg, static_cast<UINT>(WM_EXITMENULOOP));  // the loop is balanced
    DestroyMenu(empty);
    DestroyMenu(menu);
}

TEST_F(Tracking, DestroyingTheOwnerOrTheMenuEndsTheLoop) {
    struct Case {
        const char* name;
        bool destroy_owner;
    };
    const Case cases[] = {{"menu destroyed", false}, {"owner destroyed", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HMENU menu = make_mixed_menu();
        HWND owner = m_owner;
        HWND extra = CreateWindowExA(0, kOwnerClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                     nullptr, nullptr, nullptr, nullptr);
        m_host.script_call([&](host::HeadlessHost&) {
            if (c.destroy_owner) {
                DestroyWindow(extra);
            } else {
                DestroyMenu(menu);
            }
        });
        m_host.script_advance(10);  // a wait after the call, so the loop looks again
        EXPECT_FALSE(TrackPopupMenu(menu, 0, 60, 60, 0, c.destroy_owner ? extra : owner, nullptr));
        EXPECT_EQ(user::tracking_window(), nullptr);
        EXPECT_EQ(IsMenu(menu), c.destroy_owner ? TRUE : FALSE);
        DestroyMenu(menu);
        DestroyWindow(extra);
        drain();
    }
}

// ---------------------------------------------------------------------------------------------
// Pixels
// ---------------------------------------------------------------------------------------------

TEST_F(Tracking, HighlightFrameAndWhatWasUnderTheMenuComeBack) {
    HMENU menu = make_mixed_menu();
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | MF_GRAYED, 400, "Szary\tCtrl+S");
    AppendMenuA(menu, MF_STRING | MF_CHECKED, 401, "Zaznaczony");
    drain();  // the owner paints its colour first

    RECT window{};
    RECT string_item{};
    std::vector<std::uint32_t> seen;  // COLORREF values at the probe points, in order
    test::script_move_to_item(m_host, 2);
    m_host.script_call([&](host::HeadlessHost& h) {
        GetWindowRect(user::tracking_window(), &window);
        user::tracked_item_rect(2, string_item);
        h.write_png("menu_popup.png");
        const POINT probes[] = {
            {window.left, window.top},              // outer top-left: light grey
            {window.left + 1, window.top + 1},      // inner top-left: white
            {window.right - 1, window.bottom - 1},  // outer bottom-right: black
            {window.right - 2, window.bottom - 2},  // inner bottom-right: dark grey
            {window.left + string_item.left + 1, window.top + string_item.top + 1},     // navy
            {window.left + string_item.left + 2, window.top + string_item.bottom + 1},  // face
        };
        for (const POINT& p : probes) {
            seen.push_back(h.colorref_at(p.x, p.y));
        }
    });
    key(host::vk::kEscape);
    TrackPopupMenu(menu, 0, 120, 80, 0, m_owner, nullptr);

    const std::uint32_t expected[] = {RGB(192, 192, 192), RGB(255, 255, 255), RGB(0, 0, 0),
                                      RGB(128, 128, 128), RGB(0, 0, 128),     RGB(192, 192, 192)};
    ASSERT_EQ(seen.size(), std::size(expected));
    for (std::size_t i = 0; i < seen.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(seen[i], expected[i]);
    }
    // The highlighted string item shows white text somewhere on navy.
    // After the menu closes, the owner repaints what it covered.
    drain();
    HDC screen = GetDC(nullptr);
    const POINT after[] = {{window.left, window.top},
                           {window.right - 1, window.bottom - 1},
                           {(window.left + window.right) / 2, (window.top + window.bottom) / 2}};
    for (const POINT& p : after) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        EXPECT_EQ(GetPixel(screen, p.x, p.y), kOwnerColour);
    }
    ReleaseDC(nullptr, screen);
    DestroyMenu(menu);
}

}  // namespace
