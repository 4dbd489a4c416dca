// UiFont.cpp: the font and the text drawing that menus and tool-tips share.
#include "platform/win32/user/UiFont.h"

namespace user {

HFONT create_ui_font(bool bold) {
    return CreateFontA(-11, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       EASTEUROPE_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
}

ShownText parse_shown_text(const std::string& text, bool with_prefixes) {
    ShownText shown;
    const std::size_t tab = text.find('\t');
    const std::string label = text.substr(0, tab);
    if (tab != std::string::npos) {
        shown.accelerator = text.substr(tab + 1);
    }
    for (std::size_t i = 0; i < label.size(); ++i) {
        if (with_prefixes && label[i] == '&' && i + 1 < label.size()) {
            ++i;
            if (label[i] != '&' && shown.mnemonic < 0) {
                shown.mnemonic = static_cast<int>(shown.label.size());
            }
        } else if (with_prefixes && label[i] == '&') {
            continue;  // a lone '&' at the end shows nothing
        }
        shown.label.push_back(label[i]);
    }
    return shown;
}

void fill_sys_color(HDC hdc, const RECT& rc, int color_index) {
    FillRect(hdc, &rc, GetSysColorBrush(color_index));
}

SIZE text_size(HDC hdc, const std::string& text) {
    SIZE size{0, 0};
    if (!text.empty()) {
        GetTextExtentPoint32A(hdc, text.data(), static_cast<int>(text.size()), &size);
    } else {
        TEXTMETRICA tm{};
        GetTextMetricsA(hdc, &tm);
        size.cy = tm.tmHeight;
    }
    return size;
}

void draw_label(HDC hdc, int x, int y, const ShownText& text, COLORREF color) {
    const COLORREF old_color = SetTextColor(hdc, color);
    const int old_mode = SetBkMode(hdc, TRANSPARENT);
    TextOutA(hdc, x, y, text.label.data(), static_cast<int>(text.label.size()));
    if (text.mnemonic >= 0 && static_cast<std::size_t>(text.mnemonic) < text.label.size()) {
        const std::size_t at = static_cast<std::size_t>(text.mnemonic);
        const SIZE before = text_size(hdc, text.label.substr(0, at));
        const SIZE glyph = text_size(hdc, text.label.substr(at, 1));
        TEXTMETRICA tm{};
        GetTextMetricsA(hdc, &tm);
        const RECT line{x + before.cx, y + tm.tmAscent + 1, x + before.cx + glyph.cx,
                        y + tm.tmAscent + 2};
        if (HBRUSH brush = CreateSolidBrush(color)) {
            FillRect(hdc, &line, brush);
            DeleteObject(brush);
        }
    }
    SetBkMode(hdc, old_mode);
    SetTextColor(hdc, old_color);
}

}  // namespace user
