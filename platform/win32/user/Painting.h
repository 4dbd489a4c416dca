// Painting.h: update regions and window DCs, for the queue and the window functions.
#pragma once

#include "platform/win32/user/WindowManager.h"

#include <vector>

namespace user {

// The parts of the screen a window's client area shows: clipped by its ancestors' client
// areas, minus top-level windows above it, minus siblings above it when it has
// WS_CLIPSIBLINGS, minus its visible children when it has WS_CLIPCHILDREN.
std::vector<RECT> visible_client_rects(const Window& window);
// The same clipping applied to any screen area of the window (its whole window rectangle,
// for the frame).
std::vector<RECT> visible_rects(const Window& window, const RECT& screen_area);

// Routes GetDC(hwnd) and ReleaseDC through the window manager; done once.
void install_window_dcs();

// The first visible window, parents before children, front first, whose update region is not
// empty and which passes the filter; null when none.
HWND window_needing_paint(HWND filter);

// Invalidates what a window covered on screen (screen coordinates) in the windows beneath it:
// its parent, or the top-level windows behind it.
void invalidate_beneath(const Window& window, const RECT& screen_rect);
// A top-level window of a CS_SAVEBITS class keeps the screen beneath it while it is shown, so
// that hiding it puts those pixels back instead of making the windows beneath repaint.
void save_bits_beneath(Window& window);

// Removes `cut` from every rectangle of the list, splitting them into up to four pieces.
void subtract(std::vector<RECT>& rects, const RECT& cut);

}  // namespace user
