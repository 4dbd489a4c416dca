// Activation.h: the active window, how clicks and visibility change it, and palette messages.
#pragma once

#include "platform/win32/windows.h"

namespace user {

// Makes the top-level window holding `hwnd` active, `state` (WA_ACTIVE or WA_CLICKACTIVE)
// going to WM_ACTIVATE. False when it is hidden, disabled or gone.
bool activate_window(HWND hwnd, WORD state);

// A window that was shown: it becomes active when it is an enabled top-level window.
void activate_shown_window(HWND hwnd);

// A window that is going away (hidden or being destroyed): when it is the active window, its
// visible, enabled owner becomes active, else the frontmost other such top-level window, else
// none.
void activate_other_window(HWND leaving);

// A button press taken from the queue: asks the clicked window with WM_MOUSEACTIVATE and
// activates its top-level window. False when the answer eats the click.
bool activate_for_click(const MSG& msg);

// Lets GDI realise the active window's palettes in the foreground and broadcasts
// WM_PALETTECHANGED after a foreground realisation changed the system palette; done once.
void install_palette_hooks();

}  // namespace user
