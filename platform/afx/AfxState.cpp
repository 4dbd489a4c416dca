// AfxState.cpp: the class library's state and its temporary objects.
#include "platform/afx/AfxState.h"

namespace afx {

void State::detach_temporaries() {
    for (auto& [hwnd, wnd] : temporary_windows) {
        wnd->m_hWnd = nullptr;
    }
    for (auto& [hmenu, menu] : temporary_menus) {
        menu->m_hMenu = nullptr;
    }
    for (auto& [hdc, dc] : temporary_dcs) {
        dc->Detach();
    }
    for (auto& [hfont, font] : temporary_fonts) {
        font->Detach();
    }
}

State& state() {
    static State s;
    return s;
}

void delete_temp_maps() {
    State& s = state();
    s.detach_temporaries();
    s.temporary_windows.clear();
    s.temporary_menus.clear();
    s.temporary_dcs.clear();
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
