// Viewport.h: where the emulated screen sits in a host window, and mapping pointer positions back.
#pragma once

#include <optional>

namespace host {

// The screen's top-left corner in window pixels and its integer zoom.
struct Viewport {
    int x = 0;
    int y = 0;
    int scale = 1;

    bool operator==(const Viewport&) const = default;
};

struct ScreenPoint {
    int x = 0;
    int y = 0;

    bool operator==(const ScreenPoint&) const = default;
};

// The largest integer zoom at which screen_w x screen_h fits in avail_w x avail_h; at least 1.
int largest_scale(int avail_w, int avail_h, int screen_w, int screen_h);

// Centres the screen in an output of out_w x out_h at the requested zoom, or at the largest
// that fits when none is requested or the requested one does not fit. A screen larger than
// the output is anchored at the top-left.
Viewport place_screen(int out_w, int out_h, int screen_w, int screen_h,
                      std::optional<int> requested_scale);

// The screen pixel under a window pixel; positions in the border map outside the screen.
ScreenPoint window_to_screen(const Viewport& viewport, int window_x, int window_y);

}  // namespace host
