// MessageBoxTest.cpp: message boxes: the answer each key gives and the requests refused.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

namespace {

// The owner covers the screen.
class MessageBoxes : public test::UserTest {
protected:
    void SetUp() override {
        UserTest::SetUp();
        m_owner = window(WS_POPUP | WS_VISIBLE, 0, 0, 640, 480);
    }
    // The box being shown: the parent of the button that has the focus.
    static HWND shown_box() {
        HWND focus = GetFocus();
        return focus == nullptr ? nullptr : GetParent(focus);
    }

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
        m_host.script_call(
            [&](host::HeadlessHost&) { owner_enabled_inside = IsWindowEnabled(m_owner); });
        if (c.key == 0) {
            m_host.script_call(
                [](host::HeadlessHost&) { PostMessageA(shown_box(), WM_CLOSE, 0, 0); });
        } else {
            m_host.script_key(c.key);
        }
        if (c.key == VK_TAB) {
            m_host.script_key(VK_RETURN);
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

}  // namespace
