// Viewport.cpp: integer-scaled placement of the emulated screen.
#include "platform/host/Viewport.h"

#include <algorithm>

namespace host {
namespace {

// Rounds towards minus infinity, so the column left of the screen is -1, not 0.
int floor_div(int a, int b) {
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

int largest_scale(int avail_w, int avail_h, int screen_w, int screen_h) {
    if (screen_w <= 0 || screen_h <= 0) {
        return 1;
    }
    return std::max(1, std::min(avail_w / screen_w, avail_h / screen_h));
}

Viewport place_screen(int out_w, int out_h, int screen_w, int screen_h,
                      std::optional<int> requested_scale) {
    const int fits = largest_scale(out_w, out_h, screen_w, screen_h);
    const int scale = requested_scale && *requested_scale >= 1 && *requested_scale <= fits
                          ? *requested_scale
                          : fits;
    Viewport v;
    v.scale = scale;
    v.x = std::max(0, (out_w - screen_w * scale) / 2);
    v.y = std::max(0, (out_h - screen_h * scale) / 2);
    return v;
}

ScreenPoint window_to_screen(const Viewport& viewport, int window_x, int window_y) {
    const int scale = std::max(1, viewport.scale);
    return {floor_div(window_x - viewport.x, scale), floor_div(window_y - viewport.y, scale)};
}

}  // namespace host
