// SdlKeysTest.cpp: SDL key codes (by their numeric values) to virtual keys and characters.
#include "platform/host/Host.h"
#include "platform/host/sdl/SdlHost.h"

#include <gtest/gtest.h>

namespace {

// SDL key codes are the character for printable keys and scancode | 0x40000000 otherwise.
constexpr std::int32_t kScancodeBit = 0x40000000;

TEST(SdlKeys, KeysMapToWindowsVirtualKeysAndTypedCharacters) {
    struct Case {
        const char* name;
        std::int32_t keycode;
        std::uint8_t modifiers;
        std::uint16_t vk;
        std::uint8_t ch;
    };
    const Case cases[] = {
        {"a", 'a', 0, 0x41, 'a'},
        {"shift z", 'z', host::kModShift, 0x5A, 'Z'},
        {"ctrl c types nothing", 'c', host::kModControl, 0x43, 0},
        {"digit 0", '0', 0, 0x30, '0'},
        {"digit 9", '9', 0, 0x39, '9'},
        {"escape", 27, 0, 0x1B, 0x1B},
        {"return", '\r', 0, 0x0D, '\r'},
        {"keypad enter", kScancodeBit | 88, 0, 0x0D, '\r'},
        {"space", ' ', 0, 0x20, ' '},
        {"tab", '\t', 0, 0x09, '\t'},
        {"backspace", 8, 0, 0x08, 0x08},
        {"delete", 127, 0, 0x2E, 0},
        {"left alt is menu", kScancodeBit | 226, 0, 0x12, 0},
        {"right alt is menu", kScancodeBit | 230, 0, 0x12, 0},
        {"left shift", kScancodeBit | 225, 0, 0x10, 0},
        {"right control", kScancodeBit | 228, 0, 0x11, 0},
        {"F1", kScancodeBit | 58, 0, 0x70, 0},
        {"F12", kScancodeBit | 69, 0, 0x7B, 0},
        {"left arrow", kScancodeBit | 80, 0, 0x25, 0},
        {"down arrow", kScancodeBit | 81, 0, 0x28, 0},
        {"page up", kScancodeBit | 75, 0, 0x21, 0},
        {"unknown key", kScancodeBit | 300, 0, 0, 0},
        {"punctuation is not a key here", ';', 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(host::vk_from_sdl_keycode(c.keycode), c.vk);
        EXPECT_EQ(host::char_from_sdl_keycode(c.keycode, c.modifiers), c.ch);
    }
}

}  // namespace
