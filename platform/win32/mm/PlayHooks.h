// PlayHooks.h: what the window manager hands the wave player.
#pragma once

namespace mm {

// Runs before a synchronous wave holds the thread, so what has been drawn reaches the screen
// while the wave plays. Null: nothing runs.
using BeforePlayHook = void (*)();
void set_before_play_hook(BeforePlayHook hook);

}  // namespace mm
