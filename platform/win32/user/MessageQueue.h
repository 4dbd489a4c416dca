// MessageQueue.h: how the queue hears of host input and of windows going away.
#pragma once

#include "platform/host/Host.h"
#include "platform/win32/windows.h"

namespace user {

// Turns a host event into a queued input message: mouse events go to the capture window or
// the window under the point (in its client coordinates; over its frame as WM_NC* messages
// with the hit code and the screen point; nowhere over a disabled top-level window), keys to
// the focus window (WM_SYSKEYDOWN with Alt held or for F10), CloseRequested becomes WM_CLOSE
// for the active window, else the frontmost visible unowned top-level window. Events with no
// window to take them are dropped.
void queue_host_event(const host::Event& event);

// Drops queued messages, timers, capture and focus that belong to a window being destroyed.
void forget_window(HWND hwnd);

// Presents the screen through the host when it changed since the last present.
void present_if_changed();

}  // namespace user
