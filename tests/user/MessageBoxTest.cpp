// MessageBoxTest.cpp: message boxes: the answer each key gives, the owner, nesting inside a
// dialog, and the layout of icon, text and button on the screen.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/cp1250.h"
#include "platform/win32/windows.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr const char* kOwnerClass = "PiloMessageBoxTestOwner";

class MessageBoxes : public testing::Test {
protected:
    void SetUp() override {
        m_host = std::make_unique<host::HeadlessHost>();
        m_install = std::make_unique<host::ScopedInstall>(*m_host);
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BACKGROUND + 1);
        wc.lpszClassName = kOwnerClass;
        if (!GetClassInfoA(nullptr, kOwnerClass, &wc)) {
            ASSERT_NE(RegisterClassA(&wc), 0);
        }
        m_owner = CreateWindowExA(0, kOwnerClass, "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480,
                                  nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_owner, nullptr);
    }
    void TearDown() override {
        DestroyWindow(m_owner);
        MSG m;
        for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
            DispatchMessageA(&m);
        }
        m_install.reset();
    }
    // The box being shown: the parent of the button that has the focus.
    static HWND shown_box() {
        HWND focus = GetFocus();
        return focus == nullptr ? nullptr : GetParent(focus);
    }

    std::unique_ptr<host::HeadlessHost> m_host;
    std::unique_ptr<host::ScopedInstall> m_install;
    HWND m_owner = nullptr;
};

TEST_F(MessageBoxes, KeysGiveTheButtonsAnswer) {
    struct Case {
        const char* name;
        UINT type;
        WORD key;  // 0: the window's close button
        int expected;
    };
    const Case cases[] = {
        {"OK by Enter", MB_OK | MB_ICONEXCLAMATION, VK_RETURN, IDOK},
        {"OK by Esc", MB_OK | MB_ICONEXCLAMATION, VK_ESCAPE, IDOK},
        {"OK by closing", MB_OK, 0, IDOK},
        {"Cancel by Esc", MB_OKCANCEL | MB_ICONQUESTION, VK_ESCAPE, IDCANCEL},
        {"Yes by Enter", MB_YESNO | MB_ICONASTERISK, VK_RETURN, IDYES},
        {"second default by Enter", MB_YESNO | MB_DEFBUTTON2, VK_RETURN, IDNO},
        {"Tab then Enter", MB_RETRYCANCEL | MB_ICONHAND, VK_TAB, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool owner_enabled_inside = true;
        m_host->script_call(
            [&](host::HeadlessHost&) { owner_enabled_inside = IsWindowEnabled(m_owner); });
        if (c.key == 0) {
            m_host->script_call(
                [](host::HeadlessHost&) { PostMessageA(shown_box(), WM_CLOSE, 0, 0); });
        } else {
            m_host->script_key(c.key);
        }
        if (c.key == VK_TAB) {
            m_host->script_key(VK_RETURN);
        }
        EXPECT_EQ(MessageBoxA(m_owner, "Tekst", "Pilo", c.type), c.expected);
        EXPECT_FALSE(owner_enabled_inside);
        EXPECT_TRUE(IsWindowEnabled(m_owner));
        EXPECT_EQ(shown_box(), nullptr) << "the box is gone";
    }
}

TEST_F(MessageBoxes, BadRequestsFailWithZero) {
    EXPECT_EQ(MessageBoxA(m_owner, "x", "y", 0x0000000F), 0) << "no such button set";
    EXPECT_EQ(MessageBoxA(m_owner, "x", "y", MB_OK | MB_DEFBUTTON2), 0) << "no second button";
    EXPECT_EQ(MessageBoxA(reinterpret_cast<HWND>(0x7777), "x", "y", MB_OK), 0);
    EXPECT_TRUE(IsWindowEnabled(m_owner));
}

INT_PTR CALLBACK nesting_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam) {
    auto* record = reinterpret_cast<std::pair<int, bool>*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrA(hwnd, DWLP_USER, lparam);
            PostMessageA(hwnd, WM_USER + 1, 0, 0);
            return TRUE;
        case WM_USER + 1:
            record->first = MessageBoxA(hwnd, "Inner", "Box", MB_OK | MB_ICONASTERISK);
            return TRUE;
        case WM_COMMAND:
            record->second = IsWindowEnabled(hwnd) != 0;
            EndDialog(hwnd, LOWORD(wparam));
            return TRUE;
        default:
            return FALSE;
    }
}

TEST_F(MessageBoxes, BoxInsideAModalDialogGivesTheDialogBack) {
    // A bare dialog: DLGTEMPLATE with no controls, MS Sans Serif 8.
    const std::uint16_t words[] = {0x0040, 0x80C8, 0,   0,   0,   0,   0,   0,   100, 50,
                                   0,      0,      0,   8,   'M', 'S', ' ', 'S', 'a', 'n',
                                   's',    ' ',    'S', 'e', 'r', 'i', 'f', 0};
    std::pair<int, bool> record{0, false};
    bool dialog_enabled_in_box = true;
    m_host->script_call([&](host::HeadlessHost&) {
        dialog_enabled_in_box = IsWindowEnabled(GetParent(shown_box()));
    });
    m_host->script_key(VK_RETURN);  // the box
    m_host->script_key(VK_ESCAPE);  // then the dialog
    const INT_PTR result =
        DialogBoxIndirectParamA(nullptr, reinterpret_cast<const DLGTEMPLATE*>(words), m_owner,
                                nesting_proc, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(record.first, IDOK);
    EXPECT_FALSE(dialog_enabled_in_box);
    EXPECT_TRUE(record.second) << "the dialog is enabled again after the box";
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(IsWindowEnabled(m_owner));
}

// Icon at (12, 12), text 16 pixels right of it, a 75 x 23 OK button centred 16 pixels below,
// 12-pixel margins; the box centred on the screen.
TEST_F(MessageBoxes, LayoutPlacesIconTextAndButton) {
    const char* text =
        "Brak timerów. Pozostałe aplikacje wykorzystują wszystkie dostępne Timery. Zamknij "
        "jedną lub kilka i spróbuj jeszcze raz."_cp1250;
    RECT box{}, client{}, icon{}, label{}, button{};
    std::vector<std::pair<POINT, COLORREF>> pixels;
    const std::vector<POINT> probes = {
        {12 + 9, 12 + 24},   // inside the triangle, beside the mark: yellow
        {12 + 15, 12 + 12},  // the exclamation mark: black
        {12 + 1, 12 + 1},    // outside the triangle: the dialog face
    };
    m_host->script_call([&](host::HeadlessHost& h) {
        HWND shown = shown_box();
        ASSERT_NE(shown, nullptr);
        GetWindowRect(shown, &box);
        GetClientRect(shown, &client);
        auto child_rect = [shown](int id) {
            RECT rc{};
            GetWindowRect(GetDlgItem(shown, id), &rc);
            MapWindowPoints(nullptr, shown, reinterpret_cast<POINT*>(&rc), 2);
            return rc;
        };
        icon = child_rect(0x0014);
        label = child_rect(0xFFFF);
        button = child_rect(IDOK);
        HDC hdc = GetDC(shown);
        for (POINT p : probes) {
            pixels.push_back({p, GetPixel(hdc, p.x, p.y)});
        }
        ReleaseDC(shown, hdc);
        EXPECT_TRUE(h.write_png("message_box.png"));
    });
    m_host->script_key(VK_RETURN);
    ASSERT_EQ(MessageBoxA(m_owner, text, "Pilo", MB_OK | MB_ICONEXCLAMATION), IDOK);

    EXPECT_EQ(icon.left, 12);
    EXPECT_EQ(icon.top, 12);
    EXPECT_EQ(icon.right - icon.left, 32);
    EXPECT_EQ(icon.bottom - icon.top, 32);
    EXPECT_EQ(label.left, 12 + 32 + 16);
    EXPECT_EQ(client.right, label.right + 12);
    EXPECT_LE(label.right - label.left, 640 * 4 / 5 - 32);
    EXPECT_GT(label.bottom - label.top, 13) << "the long text wraps";
    EXPECT_EQ((label.bottom - label.top) % 13, 0) << "whole lines of 13 pixels";
    EXPECT_EQ(button.right - button.left, 75);
    EXPECT_EQ(button.bottom - button.top, 23);
    EXPECT_EQ(button.left, (client.right - 75) / 2);
    EXPECT_EQ(button.top, std::max(icon.bottom, label.bottom) + 16);
    EXPECT_EQ(client.bottom, button.bottom + 12);
    EXPECT_EQ(box.left, (640 - (box.right - box.left)) / 2);
    EXPECT_EQ(box.top, (480 - (box.bottom - box.top)) / 2);
    const COLORREF expected[] = {RGB(255, 255, 0), RGB(0, 0, 0), RGB(192, 192, 192)};
    ASSERT_EQ(pixels.size(), 3u);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        EXPECT_EQ(pixels[i].second, expected[i])
            << "at " << pixels[i].first.x << "," << pixels[i].first.y;
    }
}

}  // namespace
