// WebInputTest.cpp: the browser's keys reach the program as the desktop's do, and the page
// address's query gives the same settings and warnings as the environment.
#include "platform/host/VirtualKeys.h"
#include "platform/host/web/WebHost.h"

#include <gtest/gtest.h>

namespace {

using namespace host;

TEST(WebKeys, DomKeysGiveTheDesktopHostsVirtualKeysAndCharacters) {
    struct Case {
        const char* name;
        const char* key;
        const char* code;
        std::uint8_t modifiers;
        std::uint16_t vk;
        std::uint8_t ch;
    };
    const Case cases[] = {
        {"a letter follows the layout, not the position", "q", "KeyA", 0, 'Q', 'q'},
        {"shifted letter", "Q", "KeyQ", kModShift, 'Q', 'Q'},
        {"a letter under Control types nothing", "n", "KeyN", kModControl, 'N', 0},
        {"a key typing no plain letter falls back to its position", "\xC2\xB5", "KeyM", kModAlt,
         'M', 0},
        {"a shifted digit types nothing", "&", "Digit7", kModShift, '7', 0},
        {"F12 is the last function key", "F12", "F12", 0, vk::kF1 + 11, 0},
        {"F13 is not seen", "F13", "F13", 0, 0, 0},
        {"keypad Enter", "Enter", "NumpadEnter", 0, vk::kReturn, '\r'},
        {"Escape", "Escape", "Escape", 0, vk::kEscape, 0x1B},
        {"Space", " ", "Space", 0, vk::kSpace, ' '},
        {"right Shift", "Shift", "ShiftRight", kModShift, vk::kShift, 0},
        {"a keypad digit is not seen", "5", "Numpad5", 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(vk_from_dom_key(c.key, c.code), c.vk);
        EXPECT_EQ(char_from_dom_key(c.key, c.code, c.modifiers), c.ch);
    }
}

TEST(WebSettings, TheQueryIsReadLikeTheEnvironment) {
    Settings scaled;
    scaled.scale = 2;
    Settings quiet;
    quiet.audio = false;
    quiet.driver_version = 0x2FF;
    struct Case {
        const char* name;
        const char* query;
        Settings expected;
        const char* warning;
    };
    const Case cases[] = {
        {"no query gives the defaults", "", {}, ""},
        {"the first of a repeated name counts; unknown names are ignored",
         "?zoom=3&scale=2&scale=3", scaled, ""},
        {"names in any case, values percent-decoded, + a space", "?AUDIO=+0&driver_version=0x2%46F",
         quiet, ""},
        {"a bad value warns as the environment does",
         "?timers=%G1",
         {},
         "pilo: ignoring PILO_TIMERS=\"%G1\": expected 0 or 1; using working timers"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string warnings;
        EXPECT_EQ(settings_from_query(c.query, [&](const std::string& l) { warnings += l; }),
                  c.expected);
        EXPECT_EQ(warnings, c.warning);
    }
}

}  // namespace
