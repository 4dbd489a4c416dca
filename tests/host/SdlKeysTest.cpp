// SdlKeysTest.cpp: SDL key codes (by their numeric values) to virtual keys and characters.
#include "platform/host/Host.h"
#include "platform/host/sdl/SdlHost.h"

#include <gtest/gtest.h>

namespace {

// SDL key codes are the character for printable keys and scancode | 0x40000000 otherwise.
constexpr std::int32_t S = 0x40000000;

TEST(SdlKeys, KeysMapToWindowsVirtualKeysAndTypedCharacters) {
    // clang-format off
    struct Case { std::int32_t keycode; std::uint8_t modifiers; std::uint16_t vk; std::uint8_t ch; };
    const Case cases[] = {
        {'a', 0, 0x41, 'a'}, {'z', host::kModShift, 0x5A, 'Z'}, {'c', host::kModControl, 0x43, 0},
        {'0', 0, 0x30, '0'}, {'9', 0, 0x39, '9'}, {27, 0, 0x1B, 0x1B}, {'\r', 0, 0x0D, '\r'},
        {S | 88, 0, 0x0D, '\r'} /* keypad enter */, {' ', 0, 0x20, ' '}, {'\t', 0, 0x09, '\t'},
        {8, 0, 0x08, 0x08}, {127, 0, 0x2E, 0} /* delete */, {S | 226, 0, 0x12, 0} /* left alt */,
        {S | 230, 0, 0x12, 0}, {S | 225, 0, 0x10, 0}, {S | 228, 0, 0x11, 0}, {S | 58, 0, 0x70, 0} /* F1 */,
        {S | 69, 0, 0x7B, 0} /* F12 */, {S | 80, 0, 0x25, 0} /* left */, {S | 81, 0, 0x28, 0} /* down */,
        {S | 75, 0, 0x21, 0} /* page up */, {S | 300, 0, 0, 0}, {';', 0, 0, 0} /* not a key here */,
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keycode);
        EXPECT_EQ(host::vk_from_sdl_keycode(c.keycode), c.vk);
        EXPECT_EQ(host::char_from_sdl_keycode(c.keycode, c.modifiers), c.ch);
    }
}

}  // namespace
