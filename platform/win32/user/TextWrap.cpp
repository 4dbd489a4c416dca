// TextWrap.cpp: breaking control and message-box text into lines that fit.
#include "platform/win32/user/Controls.h"

namespace user {
namespace {

int width_of(HDC hdc, std::string_view text) {
    SIZE size{};
    if (!text.empty()) {
        GetTextExtentPoint32A(hdc, text.data(), static_cast<int>(text.size()), &size);
    }
    return size.cx;
}

// Appends the lines of one paragraph (no line breaks inside) starting at `offset`.
void wrap_paragraph(HDC hdc, std::string_view text, std::size_t offset, int max_width,
                    std::vector<TextLine>& lines) {
    std::size_t start = 0;
    if (text.empty()) {
        lines.push_back({offset, 0});
        return;
    }
    while (start < text.size()) {
        // The longest run from `start` that fits, then back to its last space.
        std::size_t fit = start;
        while (fit < text.size() &&
               width_of(hdc, text.substr(start, fit + 1 - start)) <= max_width) {
            ++fit;
        }
        if (fit == text.size()) {
            lines.push_back({offset + start, fit - start});
            return;
        }
        std::size_t end = fit;
        while (end > start && text[end] != ' ') {
            --end;
        }
        if (end == start) {
            end = fit > start ? fit : start + 1;  // one word wider than the line
        }
        std::size_t length = end - start;
        while (length > 0 && text[start + length - 1] == ' ') {
            --length;
        }
        lines.push_back({offset + start, length});
        start = end;
        while (start < text.size() && text[start] == ' ') {
            ++start;
        }
    }
}

}  // namespace

std::vector<TextLine> wrap_text(HDC hdc, std::string_view text, int max_width) {
    std::vector<TextLine> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t newline = text.find('\n', start);
        std::size_t end = newline == std::string_view::npos ? text.size() : newline;
        const std::size_t next = newline == std::string_view::npos ? text.size() : newline + 1;
        if (end > start && text[end - 1] == '\r') {
            --end;
        }
        wrap_paragraph(hdc, text.substr(start, end - start), start, max_width, lines);
        if (newline == std::string_view::npos) {
            break;
        }
        start = next;
    }
    return lines;
}

std::string strip_prefixes(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;  // "&x" shows x; "&&" shows '&'
        }
        out.push_back(text[i]);
    }
    return out;
}

}  // namespace user
