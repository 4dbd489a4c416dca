// MenuTest.cpp: menu objects own their handles; owner-drawn items of a tracked menu reach the
// menu object's MeasureItem and DrawItem, and the choice reaches the owner's map.
#include "platform/afx/AfxState.h"
#include "platform/afx/afxwin.h"
#include "platform/host/VirtualKeys.h"
#include "tests/afx/AfxHost.h"
#include "tests/user/MenuScript.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A popup of three owner-drawn items whose data is the item's number.
class CDrawnMenu : public CMenu {
public:
    std::vector<std::string> m_calls;
    HMENU m_drawn_handle = nullptr;

    BOOL Build() {
        if (!CreatePopupMenu()) {
            return FALSE;
        }
        for (UINT i = 0; i < 3; ++i) {
            AppendMenu(MF_OWNERDRAW, 500 + i,
                       reinterpret_cast<LPCSTR>(static_cast<UINT_PTR>(10 + i)));
        }
        return TRUE;
    }
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override {
        m_calls.push_back("measure " + std::to_string(lpMIS->itemID) + " " +
                          std::to_string(lpMIS->itemData));
        lpMIS->itemWidth = 40;
        lpMIS->itemHeight = 20;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override {
        if (lpDIS->itemAction == ODA_DRAWENTIRE) {
            m_calls.push_back("draw " + std::to_string(lpDIS->itemID) + " " +
                              std::to_string(lpDIS->itemData));
        }
        m_drawn_handle = reinterpret_cast<HMENU>(lpDIS->hwndItem);
    }
};

class COwnerWnd : public CWnd {
public:
    std::vector<UINT> m_commands;

protected:
    afx_msg void OnPick(UINT nID) { m_commands.push_back(nID); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerWnd, CWnd)
ON_COMMAND_RANGE(500, 502, OnPick)
END_MESSAGE_MAP()

class Menu : public test::AfxHostTest {
protected:
    void SetUp() override {
        test::AfxHostTest::SetUp();
        ASSERT_TRUE(m_owner.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 0, 0,
                                     300, 300, nullptr, nullptr));
        drain();
    }
    void TearDown() override {
        m_owner.DestroyWindow();
        CMenu::DeleteTempMap();
        test::AfxHostTest::TearDown();
    }
    COwnerWnd m_owner;
};

TEST_F(Menu, TheObjectOwnsItsHandleUntilDetached) {
    HMENU kept = nullptr;
    HMENU destroyed = nullptr;
    {
        CMenu owner;
        ASSERT_TRUE(owner.CreatePopupMenu());
        EXPECT_FALSE(owner.CreatePopupMenu()) << "one handle per object";
        destroyed = owner.m_hMenu;
        EXPECT_EQ(CMenu::FromHandlePermanent(destroyed), &owner);
        CMenu other;
        ASSERT_TRUE(other.CreatePopupMenu());
        kept = other.Detach();
        EXPECT_EQ(CMenu::FromHandlePermanent(kept), nullptr);
    }
    EXPECT_FALSE(IsMenu(destroyed)) << "the destructor destroys its menu";
    EXPECT_EQ(CMenu::FromHandlePermanent(destroyed), nullptr);
    ASSERT_TRUE(IsMenu(kept)) << "a detached menu outlives the object";
    CMenu* temp = CMenu::FromHandle(kept);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(CMenu::FromHandle(kept), temp);
    CMenu::DeleteTempMap();
    EXPECT_TRUE(IsMenu(kept)) << "a temporary object never destroys its menu";
    DestroyMenu(kept);
}

TEST_F(Menu, ItemsAreBuiltThroughTheObject) {
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_TRUE(menu.AppendMenu(MF_STRING, 7, "Siedem"));
    EXPECT_TRUE(menu.AppendMenu(MF_SEPARATOR));
    EXPECT_TRUE(menu.InsertMenu(0, MF_BYPOSITION | MF_STRING, 3, "Trzy"));
    EXPECT_EQ(menu.GetMenuItemCount(), 3);
    EXPECT_EQ(menu.GetMenuItemID(0), 3u);
    EXPECT_EQ(menu.GetMenuItemID(1), 7u);
    EXPECT_TRUE(menu.DeleteMenu(7, MF_BYCOMMAND));
    EXPECT_EQ(menu.GetMenuItemCount(), 2);
}

TEST_F(Menu, OwnerDrawnItemsReachTheMenuObjectAndTheChoiceReachesTheOwner) {
    struct Case {
        const char* name;
        void (*script)(host::HeadlessHost&);
        BOOL result;
        std::vector<UINT> commands;
    };
    const Case cases[] = {
        {"choose the second item",
         [](host::HeadlessHost& h) { test::script_click_item(h, 1); },
         TRUE,
         {501}},
        {"dismiss with Esc",
         [](host::HeadlessHost& h) { h.script_key(host::vk::kEscape); },
         FALSE,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_owner.m_commands.clear();
        CDrawnMenu menu;
        ASSERT_TRUE(menu.Build());
        c.script(headless());
        EXPECT_EQ(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, 50, 50, &m_owner), c.result);
        drain();
        EXPECT_EQ(m_owner.m_commands, c.commands);
        const std::vector<std::string> measured(menu.m_calls.begin(), menu.m_calls.begin() + 3);
        const std::vector<std::string> expected_measures = {"measure 500 10", "measure 501 11",
                                                            "measure 502 12"};
        EXPECT_EQ(measured, expected_measures);
        for (const char* draw : {"draw 500 10", "draw 501 11", "draw 502 12"}) {
            EXPECT_NE(std::find(menu.m_calls.begin(), menu.m_calls.end(), draw), menu.m_calls.end())
                << draw;
        }
        EXPECT_EQ(menu.m_drawn_handle, menu.m_hMenu) << "items name their menu";
        EXPECT_EQ(afx::state().tracking_menu, nullptr) << "tracking ends with the call";
    }
}

TEST_F(Menu, TheSystemMenuComesAsATemporaryObject) {
    CWnd framed;
    ASSERT_TRUE(framed.CreateEx(0, AfxRegisterWndClass(0), "Pilo",
                                WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 100, 100, nullptr,
                                nullptr));
    CMenu* system = framed.GetSystemMenu(FALSE);
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(CMenu::FromHandlePermanent(system->m_hMenu), nullptr);
    const int items = system->GetMenuItemCount();
    EXPECT_GT(items, 0);
    EXPECT_TRUE(system->AppendMenu(MF_STRING, 0x10, "O programie..."));
    EXPECT_EQ(framed.GetSystemMenu(FALSE)->GetMenuItemCount(), items + 1);
    framed.DestroyWindow();
}

}  // namespace
