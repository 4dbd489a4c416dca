// ProgramProbe.h: looking at a running program from a test: windows, painted text, waves.
#pragma once

#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"

#include <string>
#include <vector>

namespace probe {

// The window's text, or "" for a stale handle.
std::string window_text(HWND hwnd);
// The frontmost visible top-level window whose text is text, or NULL.
HWND find_top_level(const std::string& text);
// Whether hwnd or a window below it shows text.
bool shows_text(HWND hwnd, const std::string& text);
// The frontmost visible top-level window that shows text itself or in a window below it.
HWND find_showing(const std::string& text);
// The frontmost visible top-level window of a window class, or NULL.
HWND find_class(const std::string& class_name);
// The frontmost visible top-level window, or NULL.
HWND front_window();
// Top-level windows that are visible now.
int visible_top_level_count();

// Screen rectangles of a window and of its client area.
RECT window_rect(HWND hwnd);
RECT client_rect(HWND hwnd);

// Text as TextOut paints it in a fresh DC's default font: which pixels are ink, row by row.
struct TextMask {
    int width = 0;
    int height = 0;
    std::vector<bool> ink;
    bool at(int x, int y) const { return ink[static_cast<size_t>(y * width + x)]; }
};
TextMask render_text(const std::string& text);

// Compares the last frame with text painted in colour with its top left corner at (x, y) of
// the screen: every ink pixel must have the colour and every other pixel of the box must not.
// Returns a description of the first mismatches, empty when the picture matches.
std::string compare_text(const host::HeadlessHost& host, const TextMask& mask, int x, int y,
                         COLORREF colour);

// Input queued at once from inside a script step (steps added there would run after every
// step already queued): a click with the left button, and a key pressed and released.
void push_click(host::HeadlessHost& host, int x, int y);
void push_key(host::HeadlessHost& host, std::uint16_t vk);

// The wave resource whose data the wave was played from, 0 when none of the program's.
UINT wave_id(const host::PlayedWave& wave);
std::vector<UINT> wave_ids(const host::HeadlessHost& host);

}  // namespace probe
