// MessageBoxIcons.cpp: exclamation, asterisk, question and hand icons from simple shapes in
// the static colours, so they look alike on every palette.
#include "platform/win32/user/MessageBoxIcons.h"

#include <cmath>
#include <optional>

namespace user {
namespace {

constexpr int kSize = 32;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kDarkRed = RGB(128, 0, 0);

bool in_box(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x < right && y >= top && y < bottom;
}

// Distance of a pixel's centre from the icon's centre.
double radius_at(int x, int y) {
    const double dx = x + 0.5 - kSize / 2.0;
    const double dy = y + 0.5 - kSize / 2.0;
    return std::sqrt(dx * dx + dy * dy);
}

// Half the width of the warning triangle at row y (apex at row 1, base at row 29).
double triangle_half_width(int y) {
    return (y - 1) * 15.0 / 28.0 + 0.5;
}

std::optional<COLORREF> exclamation(int x, int y) {
    if (y < 1 || y > 29) {
        return std::nullopt;
    }
    const double off = std::fabs(x + 0.5 - kSize / 2.0);
    if (off > triangle_half_width(y)) {
        return std::nullopt;
    }
    const bool edge = y == 29 || off > triangle_half_width(y) - 1.6 || y < 3;
    if (edge || in_box(x, y, 14, 9, 18, 21) || in_box(x, y, 14, 23, 18, 27)) {
        return kBlack;
    }
    return kYellow;
}

std::optional<COLORREF> disc(int x, int y, COLORREF inside, COLORREF rim) {
    const double r = radius_at(x, y);
    if (r > 15.0) {
        return std::nullopt;
    }
    return r > 13.8 ? rim : inside;
}

std::optional<COLORREF> asterisk(int x, int y) {
    if (in_box(x, y, 14, 6, 18, 10) || in_box(x, y, 14, 12, 18, 26) ||
        in_box(x, y, 12, 12, 14, 14) || in_box(x, y, 12, 24, 20, 26)) {
        return radius_at(x, y) <= 15.0 ? std::optional<COLORREF>(kBlue) : std::nullopt;
    }
    return disc(x, y, kWhite, kBlack);
}

std::optional<COLORREF> question(int x, int y) {
    if (in_box(x, y, 11, 6, 21, 9) || in_box(x, y, 10, 8, 13, 11) || in_box(x, y, 19, 8, 22, 14) ||
        in_box(x, y, 16, 13, 20, 16) || in_box(x, y, 14, 15, 18, 20) ||
        in_box(x, y, 14, 22, 18, 26)) {
        return kBlue;
    }
    return disc(x, y, kWhite, kBlack);
}

std::optional<COLORREF> hand(int x, int y) {
    const std::optional<COLORREF> base = disc(x, y, kRed, kDarkRed);
    if (!base || *base != kRed) {
        return base;
    }
    // A white cross of two thick diagonals inside the disc.
    const int u = x - 16, v = y - 16;
    const bool on_cross =
        (std::abs(u - v) <= 2 || std::abs(u + v + 1) <= 2) && radius_at(x, y) < 9.5;
    return on_cross ? kWhite : kRed;
}

std::optional<COLORREF> pixel_of(UINT icon, int x, int y) {
    switch (icon) {
        case MB_ICONEXCLAMATION:
            return exclamation(x, y);
        case MB_ICONASTERISK:
            return asterisk(x, y);
        case MB_ICONQUESTION:
            return question(x, y);
        default:
            return hand(x, y);
    }
}

}  // namespace

HICON create_message_box_icon(UINT type) {
    const UINT icon = type & MB_ICONMASK;
    if (icon != MB_ICONHAND && icon != MB_ICONQUESTION && icon != MB_ICONEXCLAMATION &&
        icon != MB_ICONASTERISK) {
        return nullptr;
    }
    HDC screen = GetDC(nullptr);
    HBITMAP color = CreateCompatibleBitmap(screen, kSize, kSize);
    ReleaseDC(nullptr, screen);
    HBITMAP mask = CreateBitmap(kSize, kSize, 1, 1, nullptr);
    HDC color_dc = CreateCompatibleDC(nullptr);
    HDC mask_dc = CreateCompatibleDC(nullptr);
    HICON result = nullptr;
    if (color != nullptr && mask != nullptr && color_dc != nullptr && mask_dc != nullptr) {
        HGDIOBJ old_color = SelectObject(color_dc, color);
        HGDIOBJ old_mask = SelectObject(mask_dc, mask);
        // Mask white keeps the screen; there the picture is black, so XOR leaves it alone.
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const std::optional<COLORREF> c = pixel_of(icon, x, y);
                SetPixelV(mask_dc, x, y, c ? kBlack : kWhite);
                SetPixelV(color_dc, x, y, c ? *c : kBlack);
            }
        }
        SelectObject(color_dc, old_color);
        SelectObject(mask_dc, old_mask);
        ICONINFO info{TRUE, 0, 0, mask, color};
        result = CreateIconIndirect(&info);
    }
    DeleteDC(color_dc);
    DeleteDC(mask_dc);
    DeleteObject(color);
    DeleteObject(mask);
    return result;
}

}  // namespace user
