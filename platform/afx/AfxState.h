// AfxState.h: the class library's per-program state: handle maps, the message being handled,
// the application object and the object a window creation is hooking.
#pragma once

#include "platform/afx/afxwin.h"

#include <memory>
#include <unordered_map>

namespace afx {

struct State {
    CWinApp* app = nullptr;
    // Windows and menus owned by objects, and temporary objects for foreign handles.
    std::unordered_map<HWND, CWnd*> permanent_windows;
    std::unordered_map<HWND, std::unique_ptr<CWnd>> temporary_windows;
    std::unordered_map<HMENU, CMenu*> permanent_menus;
    std::unordered_map<HMENU, std::unique_ptr<CMenu>> temporary_menus;
    std::unordered_map<HDC, std::unique_ptr<CDC>> temporary_dcs;
    std::unordered_map<HGDIOBJ, std::unique_ptr<CFont>> temporary_fonts;
    // The message the innermost AfxCallWndProc is handling (for Default).
    MSG last_sent{};
    // The object whose window is being created: its first message attaches it.
    CWnd* window_init = nullptr;
    // The menu being tracked, for WM_MEASUREITEM, which does not name its menu.
    HMENU tracking_menu = nullptr;

    State() = default;
    State(const State&) = delete;
    State& operator=(const State&) = delete;
    // Temporaries left at exit give their handles back untouched: they never owned them.
    ~State() { detach_temporaries(); }
    // Detaches every temporary object from its handle, leaving the maps' entries in place.
    void detach_temporaries();
};

State& state();

// Frees every temporary object; called at idle time.
void delete_temp_maps();

}  // namespace afx
