// WindowDc.h: what the window manager uses to draw into windows and to hear about palettes.
#pragma once

#include "platform/win32/windows.h"

#include <functional>
#include <span>

namespace gdi {

// A DC on the screen whose logical (0, 0) is `origin` (screen coordinates of the client
// area) and whose drawing stays inside `visible` (screen rectangles, not overlapping). It has
// the defaults of every new DC and is freed with DeleteDC.
HDC create_window_dc(HWND window, POINT origin, std::span<const RECT> visible);
// Moves an existing window DC (for example when its window moved). FALSE for other DCs.
BOOL set_window_dc_region(HDC hdc, POINT origin, std::span<const RECT> visible);
// The window a DC draws into, or null.
HWND window_of_dc(HDC hdc);

// Asked by RealizePalette for a window DC whose palette was selected without forcing the
// background: true when the window is the active window or one of its descendants. Unset,
// every realisation is a background one.
void set_foreground_query(std::function<bool(HWND)> is_foreground);
// Told after a foreground realisation changed at least one entry, with the DC's window.
void set_palette_changed_listener(std::function<void(HWND)> listener);

// GetDC and ReleaseDC for windows: GetDC(NULL) gives a screen DC by itself; a window's DC
// comes from the window manager through these.
void set_window_dc_provider(std::function<HDC(HWND)> get_dc,
                            std::function<int(HWND, HDC)> release_dc);

}  // namespace gdi
