// Menu.cpp: CMenu: ownership of a menu handle, its items, tracking, and the system menu.
#include "platform/afx/afxwin.h"

#include "platform/afx/AfxState.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

CMenu::~CMenu() {
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU hMenu) {
    if (hMenu == nullptr) {
        return nullptr;
    }
    if (CMenu* permanent = FromHandlePermanent(hMenu)) {
        return permanent;
    }
    auto& temps = afx::state().temporary_menus;
    auto it = temps.find(hMenu);
    if (it != temps.end()) {
        return it->second.get();
    }
    auto menu = std::make_unique<CMenu>();
    menu->m_hMenu = hMenu;
    CMenu* raw = menu.get();
    temps.emplace(hMenu, std::move(menu));
    return raw;
}

BOOL CMenu::CreateMenu() {
    if (m_hMenu != nullptr) {
        return FALSE;
    }
    HMENU hMenu = ::CreateMenu();
    if (!Attach(hMenu)) {
        ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CMenu::CreatePopupMenu() {
    if (m_hMenu != nullptr) {
        return FALSE;
    }
    HMENU hMenu = ::CreatePopupMenu();
    if (!Attach(hMenu)) {
        ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CMenu::DestroyMenu() {
    if (m_hMenu == nullptr) {
        return FALSE;
    }
    return ::DestroyMenu(Detach());
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem) {
    return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem, LPCSTR lpszNewItem) {
    return ::InsertMenuA(m_hMenu, nPosition, nFlags, nIDNewItem, lpszNewItem);
}

BOOL CMenu::DeleteMenu(UINT nPosition, UINT nFlags) {
    return ::DeleteMenu(m_hMenu, nPosition, nFlags);
}

BOOL CMenu::RemoveMenu(UINT nPosition, UINT nFlags) {
    return ::RemoveMenu(m_hMenu, nPosition, nFlags);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable));
}

UINT CMenu::CheckMenuItem(UINT nIDCheckItem, UINT nCheck) {
    return static_cast<UINT>(::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck));
}

int CMenu::GetMenuItemCount() const {
    return ::GetMenuItemCount(m_hMenu);
}

UINT CMenu::GetMenuItemID(int nPos) const {
    return ::GetMenuItemID(m_hMenu, nPos);
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect) {
    // WM_MEASUREITEM does not name its menu: the owner finds this one through the state.
    afx::State& st = afx::state();
    HMENU previous = st.tracking_menu;
    st.tracking_menu = m_hMenu;
    const BOOL result = ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0,
                                         pWnd != nullptr ? pWnd->m_hWnd : nullptr, lpRect);
    st.tracking_menu = previous;
    return result;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const {
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}
