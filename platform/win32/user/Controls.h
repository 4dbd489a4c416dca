// Controls.h: the window procedures and shared drawing of the system's controls.
#pragma once

#include "platform/win32/windows.h"

#include <string>
#include <string_view>
#include <vector>

namespace user {

// Extra window bytes: the button keeps its state and font, the static its font, its picture
// and whether it loaded that picture itself.
inline constexpr int kButtonExtraBytes = 2 * sizeof(LONG_PTR);
inline constexpr int kStaticExtraBytes = 3 * sizeof(LONG_PTR);

LRESULT CALLBACK button_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK static_proc(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

// An icon of its own for a static control, which destroys it with itself; LoadIconA's icons
// are shared and must not be.
HICON load_icon_copy(HINSTANCE instance, LPCSTR name);

// The colours a control of a dialog draws in when its parent leaves WM_CTLCOLOR* alone: text
// in COLOR_WINDOWTEXT on COLOR_3DFACE (COLOR_WINDOW for edits and lists).
HBRUSH default_control_brush(HDC hdc, UINT ctlcolor_message);
// Asks the parent for the brush (and the DC's colours) with `ctlcolor_message`; the default
// when it answers NULL.
HBRUSH control_brush(HWND control, HDC hdc, UINT ctlcolor_message);

// One line of wrapped text: a range of the source.
struct TextLine {
    std::size_t start;
    std::size_t length;
};
// Breaks `text` into lines no wider than `max_width` in the DC's font: at "\r\n" or '\n', else
// after the last space that fits; a word wider than the line is broken between characters.
// Spaces at a wrap point are dropped.
std::vector<TextLine> wrap_text(HDC hdc, std::string_view text, int max_width);
// The text without its '&' marks ("&&" stands for '&').
std::string strip_prefixes(std::string_view text);

}  // namespace user
