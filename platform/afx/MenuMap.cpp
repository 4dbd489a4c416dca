// MenuMap.cpp: the permanent map from menu handles to the objects that own them.
#include "platform/afx/afxwin.h"

#include "platform/afx/AfxState.h"

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) {
    auto& map = afx::state().permanent_menus;
    auto it = map.find(hMenu);
    return it != map.end() ? it->second : nullptr;
}

void CMenu::DeleteTempMap() {
    afx::delete_temp_maps();
}

BOOL CMenu::Attach(HMENU hMenu) {
    if (hMenu == nullptr || m_hMenu != nullptr) {
        return FALSE;
    }
    if (!afx::state().permanent_menus.emplace(hMenu, this).second) {
        return FALSE;
    }
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU hMenu = m_hMenu;
    if (hMenu != nullptr) {
        auto& map = afx::state().permanent_menus;
        auto it = map.find(hMenu);
        if (it != map.end() && it->second == this) {
            map.erase(it);
        }
    }
    m_hMenu = nullptr;
    return hMenu;
}
