// MessageMapTest.cpp: command routing by id, range and notification code, and maps chained to
// their bases.
#include "platform/afx/afxwin.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_calls;

constexpr UINT kPrivate = WM_USER + 5;

// A base and a derived window: the derived map overrides some entries and adds some.
class CBaseWnd : public CWnd {
protected:
    afx_msg void OnLButtonDown(UINT, CPoint) { g_calls.push_back("base OnLButtonDown"); }
    afx_msg void OnRButtonDown(UINT, CPoint) { g_calls.push_back("base OnRButtonDown"); }
    afx_msg void OnHelpCommand() { g_calls.push_back("base OnHelpCommand"); }
    afx_msg void OnBaseOnly() { g_calls.push_back("base OnBaseOnly"); }
    afx_msg void OnPick(UINT nID) { g_calls.push_back("base OnPick " + std::to_string(nID)); }
    afx_msg void OnOkClicked() { g_calls.push_back("base OnOkClicked"); }
    afx_msg LRESULT OnPrivate(WPARAM wParam, LPARAM lParam) {
        g_calls.push_back("base OnPrivate");
        return static_cast<LRESULT>(wParam) + lParam;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_COMMAND(ID_HELP, OnHelpCommand)
ON_COMMAND(401, OnBaseOnly)
ON_COMMAND_RANGE(200, 205, OnPick)
ON_BN_CLICKED(300, OnOkClicked)
ON_MESSAGE(kPrivate, OnPrivate)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
protected:
    afx_msg void OnLButtonDown(UINT, CPoint) { g_calls.push_back("derived OnLButtonDown"); }
    afx_msg void OnMouseMove(UINT, CPoint) { g_calls.push_back("derived OnMouseMove"); }
    afx_msg void OnHelpCommand() { g_calls.push_back("derived OnHelpCommand"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_COMMAND(ID_HELP, OnHelpCommand)
END_MESSAGE_MAP()

class MessageMap : public test::UserTest {
protected:
    void create(CWnd& wnd, int x = 0) {
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, x, 0, 20, 20,
                                 nullptr, nullptr));
        g_calls.clear();  // activation and painting on the way are not what is tested
    }
};

TEST_F(MessageMap, EntriesAreFoundByIdRangeCodeAndClassChain) {
    CDerivedWnd derived;
    create(derived);
    CBaseWnd base;
    create(base, 100);
    const LPARAM control = reinterpret_cast<LPARAM>(base.m_hWnd);
    struct Case {
        const char* name;
        CWnd* target;
        UINT msg;
        WPARAM wparam;
        LPARAM lparam;
        const char* expected;  // nullptr: no entry, default processing
        LRESULT result;
    };
    const Case cases[] = {
        {"overridden entry", &derived, WM_LBUTTONDOWN, 0, 0, "derived OnLButtonDown", 0},
        {"entry only in the base", &derived, WM_RBUTTONDOWN, 0, 0, "base OnRButtonDown", 0},
        {"entry only in the derived", &derived, WM_MOUSEMOVE, 0, 0, "derived OnMouseMove", 0},
        {"in neither", &derived, WM_LBUTTONUP, 0, 0, nullptr, 0},
        {"overridden command", &derived, WM_COMMAND, ID_HELP, 0, "derived OnHelpCommand", 1},
        {"command only in the base", &derived, WM_COMMAND, 401, 0, "base OnBaseOnly", 1},
        {"the base keeps its own entry", &base, WM_LBUTTONDOWN, 0, 0, "base OnLButtonDown", 0},
        {"the base does not see derived entries", &base, WM_MOUSEMOVE, 0, 0, nullptr, 0},
        {"the base keeps its own command", &base, WM_COMMAND, ID_HELP, 0, "base OnHelpCommand", 1},
        {"accelerator command", &base, WM_COMMAND, MAKEWPARAM(401, 1), 0, "base OnBaseOnly", 1},
        {"below the range", &base, WM_COMMAND, 199, 0, nullptr, 0},
        {"range first", &base, WM_COMMAND, 200, 0, "base OnPick 200", 1},
        {"range last", &base, WM_COMMAND, 205, 0, "base OnPick 205", 1},
        {"above the range", &base, WM_COMMAND, 206, 0, nullptr, 0},
        {"command id 0", &base, WM_COMMAND, 0, 0, nullptr, 0},
        {"click from a control", &base, WM_COMMAND, MAKEWPARAM(300, BN_CLICKED), control,
         "base OnOkClicked", 1},
        {"double click of a clicked-only entry", &base, WM_COMMAND,
         MAKEWPARAM(300, BN_DOUBLECLICKED), control, nullptr, 0},
        {"private message and its result", &derived, kPrivate, 40, 2, "base OnPrivate", 42},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_calls.clear();
        EXPECT_EQ(SendMessageA(c.target->m_hWnd, c.msg, c.wparam, c.lparam), c.result);
        EXPECT_EQ(g_calls,
                  c.expected ? std::vector<std::string>{c.expected} : std::vector<std::string>{});
    }
}

TEST_F(MessageMap, AWindowObjectTakesItsWindowWithIt) {
    HWND kept = nullptr;
    {
        CBaseWnd scoped;
        create(scoped);
        kept = scoped.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(kept));
}

}  // namespace
