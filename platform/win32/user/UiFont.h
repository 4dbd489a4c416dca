// UiFont.h: the font and the small drawing steps that menus and tool-tips share.
#pragma once

#include "platform/win32/windows.h"

#include <string>

namespace user {

// "MS Sans Serif" 8 pt (13-pixel cells), regular or bold; the caller deletes it.
HFONT create_ui_font(bool bold);

// A menu or tool-tip text with its '&' marks taken out: "&&" stands for '&', '&x' underlines
// x. A tab ends the label; what follows is the accelerator text.
struct ShownText {
    std::string label;
    int mnemonic = -1;  // index into label of the underlined character, -1 for none
    std::string accelerator;
};
ShownText parse_shown_text(const std::string& text, bool with_prefixes);

// Fills `rc` with a system colour.
void fill_sys_color(HDC hdc, const RECT& rc, int color_index);

// Width and height of `text` in the DC's font.
SIZE text_size(HDC hdc, const std::string& text);

// Draws the label at (x, y) in `color` with a transparent background and underlines its
// mnemonic one pixel below the baseline.
void draw_label(HDC hdc, int x, int y, const ShownText& text, COLORREF color);

}  // namespace user
