// SdlKeys.cpp: SDL key codes to Windows virtual keys and typed characters.
#include "platform/host/VirtualKeys.h"
#include "platform/host/sdl/SdlHost.h"

#include <SDL.h>

namespace host {

std::uint16_t vk_from_sdl_keycode(std::int32_t keycode) {
    if (keycode >= SDLK_a && keycode <= SDLK_z) {
        return static_cast<std::uint16_t>('A' + (keycode - SDLK_a));
    }
    if (keycode >= SDLK_0 && keycode <= SDLK_9) {
        return static_cast<std::uint16_t>('0' + (keycode - SDLK_0));
    }
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12) {
        return static_cast<std::uint16_t>(vk::kF1 + (keycode - SDLK_F1));
    }
    switch (keycode) {
        case SDLK_BACKSPACE:
            return vk::kBack;
        case SDLK_TAB:
            return vk::kTab;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return vk::kReturn;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return vk::kShift;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return vk::kControl;
        case SDLK_LALT:
        case SDLK_RALT:
            return vk::kMenu;
        case SDLK_PAUSE:
            return vk::kPause;
        case SDLK_CAPSLOCK:
            return vk::kCapital;
        case SDLK_ESCAPE:
            return vk::kEscape;
        case SDLK_SPACE:
            return vk::kSpace;
        case SDLK_PAGEUP:
            return vk::kPrior;
        case SDLK_PAGEDOWN:
            return vk::kNext;
        case SDLK_END:
            return vk::kEnd;
        case SDLK_HOME:
            return vk::kHome;
        case SDLK_LEFT:
            return vk::kLeft;
        case SDLK_UP:
            return vk::kUp;
        case SDLK_RIGHT:
            return vk::kRight;
        case SDLK_DOWN:
            return vk::kDown;
        case SDLK_INSERT:
            return vk::kInsert;
        case SDLK_DELETE:
            return vk::kDelete;
        case SDLK_APPLICATION:
            return vk::kApps;
        default:
            return 0;
    }
}

std::uint8_t char_from_sdl_keycode(std::int32_t keycode, std::uint8_t modifiers) {
    if ((modifiers & (kModControl | kModAlt)) != 0) {
        return 0;
    }
    const bool shift = (modifiers & kModShift) != 0;
    if (keycode >= SDLK_a && keycode <= SDLK_z) {
        return static_cast<std::uint8_t>((shift ? 'A' : 'a') + (keycode - SDLK_a));
    }
    if (keycode >= SDLK_0 && keycode <= SDLK_9 && !shift) {
        return static_cast<std::uint8_t>(keycode);
    }
    switch (keycode) {
        case SDLK_BACKSPACE:
            return 0x08;
        case SDLK_TAB:
            return '\t';
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return '\r';
        case SDLK_ESCAPE:
            return 0x1B;
        case SDLK_SPACE:
            return ' ';
        default:
            return 0;
    }
}

}  // namespace host
