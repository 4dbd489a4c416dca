// MessageMapTest.cpp: command routing by id, range and notification code, maps chained to their
// bases, and owner-draw items reflected to the control's object.
#include "platform/afx/afxwin.h"
#include "tests/user/MessageLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string>& calls() {
    static std::vector<std::string> log;
    return log;
}
const std::vector<std::string> calls_none;

constexpr UINT kPrivate = WM_USER + 5;

// A base and a derived window: the derived map overrides some entries and adds some.
class CBaseWnd : public CWnd {
protected:
    afx_msg void OnLButtonDown(UINT, CPoint) { calls().push_back("base OnLButtonDown"); }
    afx_msg void OnRButtonDown(UINT, CPoint) { calls().push_back("base OnRButtonDown"); }
    afx_msg void OnHelpCommand() { calls().push_back("base OnHelpCommand"); }
    afx_msg void OnBaseOnly() { calls().push_back("base OnBaseOnly"); }
    afx_msg void OnPick(UINT nID) { calls().push_back("base OnPick " + std::to_string(nID)); }
    afx_msg void OnOkClicked() { calls().push_back("base OnOkClicked"); }
    afx_msg LRESULT OnPrivate(WPARAM wParam, LPARAM lParam) {
        calls().push_back("base OnPrivate");
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
    afx_msg void OnLButtonDown(UINT, CPoint) { calls().push_back("derived OnLButtonDown"); }
    afx_msg void OnMouseMove(UINT, CPoint) { calls().push_back("derived OnMouseMove"); }
    afx_msg void OnHelpCommand() { calls().push_back("derived OnHelpCommand"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_COMMAND(ID_HELP, OnHelpCommand)
END_MESSAGE_MAP()

// An owner-drawn button object that records the state it is asked to draw.
class CDrawnButton : public CButton {
public:
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
        calls().push_back("DrawItem " + std::to_string(lpDIS->itemState));
    }
};

// A parent with its own WM_DRAWITEM entry, which comes before reflection.
class CDrawingParent : public CWnd {
protected:
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT) {
        calls().push_back("parent OnDrawItem " + std::to_string(nIDCtl));
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDrawingParent, CWnd)
ON_WM_DRAWITEM()
END_MESSAGE_MAP()

class MessageMap : public test::UserTest {
protected:
    void SetUp() override {
        test::UserTest::SetUp();
        m_class = AfxRegisterWndClass(0);
        ASSERT_NE(m_class, nullptr);
    }
    void create(CWnd& wnd, int x = 0, HWND parent = nullptr, int id = 0) {
        const DWORD style = (parent != nullptr ? WS_CHILD : WS_POPUP) | WS_VISIBLE;
        ASSERT_TRUE(wnd.CreateEx(0, m_class, "", style, x, 0, 20, 20, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))));
        calls().clear();  // activation and painting on the way are not what is tested
    }
    LPCSTR m_class = nullptr;
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
        calls().clear();
        EXPECT_EQ(SendMessageA(c.target->m_hWnd, c.msg, c.wparam, c.lparam), c.result);
        EXPECT_EQ(calls(), c.expected ? std::vector<std::string>{c.expected} : calls_none);
    }
}

TEST_F(MessageMap, OwnerDrawnItemsGoToTheParentsEntryElseToTheControlObject) {
    CWnd plain;
    create(plain);
    CDrawingParent drawing;
    create(drawing, 100);
    struct Case {
        const char* name;
        CWnd* parent;
        bool drawn_object;  // the control is a CDrawnButton; else a CWnd without DrawItem
        const char* expected;
    };
    const Case cases[] = {
        {"reflected to the control's object", &plain, true, "DrawItem 17"},
        {"not reflected to an object without DrawItem", &plain, false, nullptr},
        {"the parent's own entry first", &drawing, true, "parent OnDrawItem 7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CDrawnButton button;
        CWnd stranger;
        CWnd& control = c.drawn_object ? static_cast<CWnd&>(button) : stranger;
        create(control, 0, c.parent->m_hWnd, 7);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_BUTTON;
        dis.CtlID = 7;
        dis.itemState = ODS_SELECTED | ODS_FOCUS;
        dis.hwndItem = control.m_hWnd;
        SendMessageA(c.parent->m_hWnd, WM_DRAWITEM, 7, reinterpret_cast<LPARAM>(&dis));
        EXPECT_EQ(calls(), c.expected ? std::vector<std::string>{c.expected} : calls_none);
        control.DestroyWindow();
    }
}

}  // namespace
