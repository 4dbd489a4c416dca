// AfxState.cpp: the class library's state and its temporary objects.
#include "platform/afx/AfxState.h"

namespace afx {

State& state() {
    static State s;
    return s;
}

void delete_temp_maps() {
    State& s = state();
    // Temporary objects never own their handles: detach before they go.
    for (auto& [hwnd, wnd] : s.temporary_windows) {
        wnd->m_hWnd = nullptr;
    }
    s.temporary_windows.clear();
    for (auto& [hmenu, menu] : s.temporary_menus) {
        menu->m_hMenu = nullptr;
    }
    s.temporary_menus.clear();
    for (auto& [hdc, dc] : s.temporary_dcs) {
        dc->Detach();
    }
    s.temporary_dcs.clear();
    for (auto& [hfont, font] : s.temporary_fonts) {
        font->Detach();
    }
    s.temporary_fonts.clear();
}

}  // namespace afx

CDC* CDC::FromHandle(HDC hdc) {
    if (hdc == nullptr) {
        return nullptr;
    }
    auto& temps = afx::state().temporary_dcs;
    auto it = temps.find(hdc);
    if (it != temps.end()) {
        return it->second.get();
    }
    auto dc = std::make_unique<CDC>();
    dc->Attach(hdc);
    CDC* raw = dc.get();
    temps.emplace(hdc, std::move(dc));
    return raw;
}

void CDC::DeleteTempMap() {
    afx::delete_temp_maps();
}
