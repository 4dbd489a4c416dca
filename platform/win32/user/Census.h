// Census.h: read-only counts of what the engine holds alive, so long runs can prove that
// nothing piles up.
#pragma once

#include <cstddef>

namespace user {

struct Census {
    // GDI objects by kind, stock ones excluded; bitmaps without the screens saved under windows.
    std::size_t bitmaps = 0;
    std::size_t palettes = 0;
    std::size_t pens = 0;
    std::size_t brushes = 0;
    std::size_t fonts = 0;
    std::size_t icons = 0;
    std::size_t dcs = 0;
    std::size_t saved_bits = 0;  // windows holding the screen beneath them (CS_SAVEBITS)
    std::size_t windows = 0;
    std::size_t menus = 0;
    std::size_t timers = 0;
    std::size_t global_blocks = 0;
    std::size_t posted = 0;  // posted messages waiting in the queue
    std::size_t input = 0;   // input messages waiting in the queue

    friend bool operator==(const Census&, const Census&) = default;
};

Census take_census();

// Counts from the window and message-queue tables.
std::size_t live_window_count();
std::size_t saved_bits_count();
std::size_t live_timer_count();
std::size_t queued_posted_count();
std::size_t queued_input_count();

}  // namespace user
