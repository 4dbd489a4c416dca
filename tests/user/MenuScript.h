// MenuScript.h: script steps that point at items of the menu being tracked, found when the
// step runs, so tests need not know the menu's layout.
#pragma once

#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/user/PopupMenu.h"
#include "platform/win32/windows.h"

namespace test {

// The screen point in the middle of an item of the tracked menu; (-1, -1) when none.
inline POINT tracked_item_centre(int position) {
    RECT rc;
    if (!user::tracked_item_rect(position, rc)) {
        return POINT{-1, -1};
    }
    POINT pt{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    ClientToScreen(user::tracking_window(), &pt);
    return pt;
}

inline host::Event mouse_event(host::EventType type, POINT pt, host::MouseButton button,
                               std::uint8_t buttons) {
    host::Event e;
    e.type = type;
    e.x = pt.x;
    e.y = pt.y;
    e.button = button;
    e.buttons = buttons;
    return e;
}

inline void script_move_to_item(host::HeadlessHost& host, int position) {
    host.script_call([position](host::HeadlessHost& h) {
        h.push_event(mouse_event(host::EventType::MouseMove, tracked_item_centre(position),
                                 host::MouseButton::None, 0));
    });
}

// Move, press and release over the item, each seen by its own wait.
inline void script_click_item(host::HeadlessHost& host, int position,
                              host::MouseButton button = host::MouseButton::Left) {
    script_move_to_item(host, position);
    const std::uint8_t bit =
        button == host::MouseButton::Right ? host::kButtonRight : host::kButtonLeft;
    host.script_call([position, button, bit](host::HeadlessHost& h) {
        h.push_event(
            mouse_event(host::EventType::MouseDown, tracked_item_centre(position), button, bit));
    });
    host.script_call([position, button](host::HeadlessHost& h) {
        h.push_event(
            mouse_event(host::EventType::MouseUp, tracked_item_centre(position), button, 0));
    });
}

}  // namespace test
