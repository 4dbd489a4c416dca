// ProgramProbe.h: looking at a running program from a test: windows, screen, painted text,
// input and waves.
#pragma once

#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"

#include <cstdint>
#include <string>
#include <vector>

namespace probe {

// Visible top-level windows, frontmost first.
std::vector<HWND> visible_windows();
inline int visible_top_level_count() {
    return static_cast<int>(visible_windows().size());
}
inline HWND front_window() {
    const std::vector<HWND> all = visible_windows();
    return all.empty() ? nullptr : all.front();
}
// The window's text, or "" for a stale handle.
std::string window_text(HWND hwnd);
// Whether a visible top-level window or a window below one has text as its text.
bool shows_text(const std::string& text);
// The name of a window's class, or "" for a stale handle.
std::string class_name(HWND hwnd);
// The frontmost visible top-level window of a window class ("#32768": a popup menu), or NULL.
HWND find_class(const std::string& name);

// Screen rectangles of a window and of its client area, and the window's centre.
RECT window_rect(HWND hwnd);
RECT client_rect(HWND hwnd);
POINT centre_of(HWND hwnd);
// A rectangle of the last frame in COLORREF layout, row by row.
std::vector<std::uint32_t> grab(const host::HeadlessHost& host, const RECT& screen);

// Compares the last frame with text as TextOut paints it in a fresh DC's default font, in
// colour with its top left corner at (x, y): every ink pixel must have the colour and every
// other pixel of the box must not. Returns the first mismatches, empty when it matches.
std::string compare_text(const host::HeadlessHost& host, const std::string& text, int x, int y,
                         COLORREF colour);

// Input queued at once from inside a script step (steps added there would run after every
// step already queued): the mouse moved to (x, y) and, unless button is None, a click there;
// a key pressed and released.
void push_mouse(host::HeadlessHost& host, int x, int y,
                host::MouseButton button = host::MouseButton::Left);
void push_key(host::HeadlessHost& host, std::uint16_t vk, std::uint8_t modifiers = 0,
              std::uint8_t ch = 0);

// The wave resource whose data the wave was played from, 0 when none of the program's.
UINT wave_id(const host::PlayedWave& wave);
std::vector<UINT> wave_ids(const host::HeadlessHost& host);

}  // namespace probe
