// MessageMapTest.cpp: message-map entries call their handlers with converted arguments, maps
// chain to their bases, commands and notifications are routed, owner-draw items reach the
// control's object.
#include "platform/afx/afxwin.h"
#include "tests/afx/AfxHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string>& calls() {
    static std::vector<std::string> log;
    return log;
}

void record(const std::string& call) {
    calls().push_back(call);
}

std::string point_text(CPoint p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

const HCURSOR kDragIcon = reinterpret_cast<HCURSOR>(static_cast<UINT_PTR>(0x5150));

// Handles one message of every kind the maps know, recording what arrives.
class CEveryWnd : public CWnd {
public:
    HWND m_other = nullptr;  // compared with WM_PALETTECHANGED's window

protected:
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        record("OnPaint");
    }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC) {
        record("OnEraseBkgnd " + std::to_string(reinterpret_cast<UINT_PTR>(pDC->m_hDC)));
        return 2;
    }
    afx_msg void OnTimer(UINT nIDEvent) { record("OnTimer " + std::to_string(nIDEvent)); }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point) {
        record("OnLButtonDown " + std::to_string(nFlags) + " " + point_text(point));
    }
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point) {
        record("OnLButtonUp " + std::to_string(nFlags) + " " + point_text(point));
    }
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point) {
        record("OnRButtonDown " + std::to_string(nFlags) + " " + point_text(point));
    }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point) {
        record("OnMouseMove " + std::to_string(nFlags) + " " + point_text(point));
    }
    afx_msg void OnClose() { record("OnClose"); }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam) {
        record("OnSysCommand " + std::to_string(nID) + " " + std::to_string(lParam));
    }
    afx_msg BOOL OnQueryNewPalette() {
        record("OnQueryNewPalette");
        return TRUE;
    }
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd) {
        record(std::string("OnPaletteChanged ") +
               (pFocusWnd != nullptr && pFocusWnd->m_hWnd == m_other ? "other" : "?"));
    }
    afx_msg HCURSOR OnQueryDragIcon() {
        record("OnQueryDragIcon");
        return kDragIcon;
    }
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS) {
        record("OnDrawItem " + std::to_string(nIDCtl) + " " + std::to_string(lpDIS->itemID));
    }
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMIS) {
        record("OnMeasureItem " + std::to_string(nIDCtl) + " " + std::to_string(lpMIS->itemID));
        lpMIS->itemHeight = 21;
    }
    afx_msg void OnNew() { record("OnNew"); }
    afx_msg void OnPick(UINT nID) { record("OnPick " + std::to_string(nID)); }
    afx_msg void OnOkClicked() { record("OnOkClicked"); }
    afx_msg LRESULT OnPrivate(WPARAM wParam, LPARAM lParam) {
        record("OnPrivate " + std::to_string(wParam) + " " + std::to_string(lParam));
        return wParam + static_cast<WPARAM>(lParam);
    }
    DECLARE_MESSAGE_MAP()
};

constexpr UINT kPrivate = WM_USER + 5;

BEGIN_MESSAGE_MAP(CEveryWnd, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_RBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_CLOSE()
ON_WM_SYSCOMMAND()
ON_WM_QUERYNEWPALETTE()
ON_WM_PALETTECHANGED()
ON_WM_QUERYDRAGICON()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_COMMAND(100, OnNew)
ON_COMMAND_RANGE(200, 205, OnPick)
ON_BN_CLICKED(300, OnOkClicked)
ON_MESSAGE(kPrivate, OnPrivate)
END_MESSAGE_MAP()

// A base and a derived window: the derived map overrides one entry and adds one.
class CBaseWnd : public CWnd {
protected:
    afx_msg void OnLButtonDown(UINT, CPoint) { record("base OnLButtonDown"); }
    afx_msg void OnRButtonDown(UINT, CPoint) { record("base OnRButtonDown"); }
    afx_msg void OnHelpCommand() { record("base OnHelpCommand"); }
    afx_msg void OnBaseOnly() { record("base OnBaseOnly"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
ON_COMMAND(ID_HELP, OnHelpCommand)
ON_COMMAND(401, OnBaseOnly)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
protected:
    afx_msg void OnLButtonDown(UINT, CPoint) { record("derived OnLButtonDown"); }
    afx_msg void OnMouseMove(UINT, CPoint) { record("derived OnMouseMove"); }
    afx_msg void OnHelpCommand() { record("derived OnHelpCommand"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_COMMAND(ID_HELP, OnHelpCommand)
END_MESSAGE_MAP()

// An owner-drawn button object that records what it is asked to draw.
class CDrawnButton : public CButton {
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
        record("CDrawnButton::DrawItem " + std::to_string(lpDIS->itemState));
    }
};

// A parent without its own WM_DRAWITEM entry: CWnd's reflects to the control.
class CPlainParent : public CWnd {};

class MessageMap : public test::AfxHostTest {
protected:
    void SetUp() override {
        test::AfxHostTest::SetUp();
        calls().clear();
        m_class = AfxRegisterWndClass(0);
        ASSERT_NE(m_class, nullptr);
    }
    // A popup window of the class-library class for the object.
    void create(CWnd& wnd, int x = 0, int y = 0) {
        ASSERT_TRUE(
            wnd.CreateEx(0, m_class, "", WS_POPUP | WS_VISIBLE, x, y, 100, 80, nullptr, nullptr));
        calls().clear();  // activation and painting on the way are not what is tested
    }
    LPCSTR m_class = nullptr;
};

struct DispatchCase {
    const char* name;
    UINT msg;
    WPARAM wparam;
    LPARAM lparam;
    const char* expected_call;
    LRESULT expected_result;
};

TEST_F(MessageMap, EachEntryKindCallsItsHandlerWithConvertedArguments) {
    CEveryWnd wnd;
    create(wnd);
    CEveryWnd other;
    create(other, 200, 0);
    wnd.m_other = other.m_hWnd;
    const HWND other_hwnd = other.m_hWnd;
    const DispatchCase cases[] = {
        {"erase gets the DC object of wParam", WM_ERASEBKGND, 0x4321, 0, "OnEraseBkgnd 17185", 2},
        {"timer id", WM_TIMER, 7, 0, "OnTimer 7", 0},
        {"left down with negative x", WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT,
         MAKELPARAM(static_cast<WORD>(-5), 300), "OnLButtonDown 5 -5,300", 0},
        {"left up", WM_LBUTTONUP, 0, MAKELPARAM(10, 20), "OnLButtonUp 0 10,20", 0},
        {"right down with negative y", WM_RBUTTONDOWN, MK_RBUTTON,
         MAKELPARAM(3, static_cast<WORD>(-4)), "OnRButtonDown 2 3,-4", 0},
        {"mouse move", WM_MOUSEMOVE, 0, MAKELPARAM(99, 1), "OnMouseMove 0 99,1", 0},
        {"close does not destroy when handled", WM_CLOSE, 0, 0, "OnClose", 0},
        {"system command", WM_SYSCOMMAND, 0xF060, 77, "OnSysCommand 61536 77", 0},
        {"query new palette", WM_QUERYNEWPALETTE, 0, 0, "OnQueryNewPalette", TRUE},
        {"palette changed names the window", WM_PALETTECHANGED,
         reinterpret_cast<WPARAM>(other_hwnd), 0, "OnPaletteChanged other", 0},
        {"query drag icon", WM_QUERYDRAGICON, 0, 0, "OnQueryDragIcon",
         reinterpret_cast<LRESULT>(kDragIcon)},
        {"menu command", WM_COMMAND, MAKEWPARAM(100, 0), 0, "OnNew", 1},
        {"accelerator command", WM_COMMAND, MAKEWPARAM(100, 1), 0, "OnNew", 1},
        {"command range first", WM_COMMAND, MAKEWPARAM(200, 0), 0, "OnPick 200", 1},
        {"command range last", WM_COMMAND, MAKEWPARAM(205, 0), 0, "OnPick 205", 1},
        {"button click from a control", WM_COMMAND, MAKEWPARAM(300, BN_CLICKED),
         reinterpret_cast<LPARAM>(other_hwnd), "OnOkClicked", 1},
        {"private message", kPrivate, 40, 2, "OnPrivate 40 2", 42},
    };
    for (const DispatchCase& c : cases) {
        SCOPED_TRACE(c.name);
        calls().clear();
        const LRESULT result = SendMessageA(wnd.m_hWnd, c.msg, c.wparam, c.lparam);
        ASSERT_EQ(calls().size(), 1u);
        EXPECT_EQ(calls()[0], c.expected_call);
        EXPECT_EQ(result, c.expected_result);
    }
    EXPECT_TRUE(IsWindow(wnd.m_hWnd)) << "a handled WM_CLOSE must not destroy";
}

TEST_F(MessageMap, OwnerDrawRecordsReachTheHandlerByPointer) {
    CEveryWnd wnd;
    create(wnd);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.itemID = 9;
    EXPECT_EQ(SendMessageA(wnd.m_hWnd, WM_DRAWITEM, 12, reinterpret_cast<LPARAM>(&dis)), TRUE);
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemID = 33;
    EXPECT_EQ(SendMessageA(wnd.m_hWnd, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)), TRUE);
    EXPECT_EQ(mis.itemHeight, 21u) << "the handler writes through the record";
    const std::vector<std::string> expected = {"OnDrawItem 12 9", "OnMeasureItem 0 33"};
    EXPECT_EQ(calls(), expected);
}

struct UnhandledCase {
    const char* name;
    UINT msg;
    WPARAM wparam;
    LPARAM lparam;
};

TEST_F(MessageMap, WhatNoEntryTakesGoesToDefaultProcessing) {
    CEveryWnd wnd;
    create(wnd);
    const UnhandledCase cases[] = {
        {"command outside every id", WM_COMMAND, MAKEWPARAM(206, 0), 0},
        {"double click of a clicked-only button", WM_COMMAND, MAKEWPARAM(300, BN_DOUBLECLICKED),
         reinterpret_cast<LPARAM>(wnd.m_hWnd)},
        {"command id 0", WM_COMMAND, MAKEWPARAM(0, 0), 0},
        {"message without an entry", WM_USER + 6, 1, 2},
        {"right button up has no entry", WM_RBUTTONUP, 0, 0},
    };
    for (const UnhandledCase& c : cases) {
        SCOPED_TRACE(c.name);
        calls().clear();
        EXPECT_EQ(SendMessageA(wnd.m_hWnd, c.msg, c.wparam, c.lparam), 0);
        EXPECT_TRUE(calls().empty()) << calls()[0];
    }
}

struct ChainCase {
    const char* name;
    UINT msg;
    WPARAM wparam;
    const char* expected;  // nullptr: nothing handles it
};

TEST_F(MessageMap, DerivedEntriesWinAndTheRestFallThroughToTheBase) {
    CDerivedWnd derived;
    create(derived);
    CBaseWnd base;
    create(base, 200, 0);
    const ChainCase derived_cases[] = {
        {"overridden entry", WM_LBUTTONDOWN, 0, "derived OnLButtonDown"},
        {"entry only in the base", WM_RBUTTONDOWN, 0, "base OnRButtonDown"},
        {"entry only in the derived", WM_MOUSEMOVE, 0, "derived OnMouseMove"},
        {"overridden command", WM_COMMAND, ID_HELP, "derived OnHelpCommand"},
        {"command only in the base", WM_COMMAND, 401, "base OnBaseOnly"},
        {"in neither", WM_LBUTTONUP, 0, nullptr},
    };
    for (const ChainCase& c : derived_cases) {
        SCOPED_TRACE(c.name);
        calls().clear();
        SendMessageA(derived.m_hWnd, c.msg, c.wparam, 0);
        if (c.expected == nullptr) {
            EXPECT_TRUE(calls().empty());
        } else {
            ASSERT_EQ(calls().size(), 1u);
            EXPECT_EQ(calls()[0], c.expected);
        }
    }
    const ChainCase base_cases[] = {
        {"the base keeps its own entry", WM_LBUTTONDOWN, 0, "base OnLButtonDown"},
        {"the base does not see derived entries", WM_MOUSEMOVE, 0, nullptr},
        {"the base keeps its own command", WM_COMMAND, ID_HELP, "base OnHelpCommand"},
    };
    for (const ChainCase& c : base_cases) {
        SCOPED_TRACE(c.name);
        calls().clear();
        SendMessageA(base.m_hWnd, c.msg, c.wparam, 0);
        if (c.expected == nullptr) {
            EXPECT_TRUE(calls().empty());
        } else {
            ASSERT_EQ(calls().size(), 1u);
            EXPECT_EQ(calls()[0], c.expected);
        }
    }
}

TEST_F(MessageMap, OwnerDrawnControlItemsAreReflectedToTheControlObject) {
    CPlainParent parent;
    create(parent);
    CDrawnButton button;
    ASSERT_TRUE(button.CreateEx(0, m_class, "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, parent.m_hWnd,
                                reinterpret_cast<HMENU>(1006)));
    CWnd stranger;  // a control whose object has no DrawItem
    ASSERT_TRUE(stranger.CreateEx(0, m_class, "", WS_CHILD | WS_VISIBLE, 30, 0, 20, 20,
                                  parent.m_hWnd, reinterpret_cast<HMENU>(1007)));
    calls().clear();
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 1006;
    dis.itemState = ODS_SELECTED | ODS_FOCUS;
    dis.hwndItem = button.m_hWnd;
    EXPECT_EQ(SendMessageA(parent.m_hWnd, WM_DRAWITEM, 1006, reinterpret_cast<LPARAM>(&dis)), TRUE);
    const std::vector<std::string> expected = {"CDrawnButton::DrawItem 17"};
    EXPECT_EQ(calls(), expected);

    // Not reflected: the parent's default processing, and nothing recorded.
    calls().clear();
    dis.hwndItem = stranger.m_hWnd;
    SendMessageA(parent.m_hWnd, WM_DRAWITEM, 1007, reinterpret_cast<LPARAM>(&dis));
    EXPECT_TRUE(calls().empty());
}

TEST_F(MessageMap, TheParentsOwnDrawItemEntryComesBeforeReflection) {
    CEveryWnd parent;
    create(parent);
    CDrawnButton button;
    ASSERT_TRUE(button.CreateEx(0, m_class, "", WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, parent.m_hWnd,
                                reinterpret_cast<HMENU>(5)));
    calls().clear();
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = 5;
    dis.itemID = 0;
    dis.hwndItem = button.m_hWnd;
    SendMessageA(parent.m_hWnd, WM_DRAWITEM, 5, reinterpret_cast<LPARAM>(&dis));
    const std::vector<std::string> expected = {"OnDrawItem 5 0"};
    EXPECT_EQ(calls(), expected);
}

}  // namespace
