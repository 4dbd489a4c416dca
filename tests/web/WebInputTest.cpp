// WebInputTest.cpp: the browser's keys reach the program as the desktop's do, and the page
// address's query gives the same settings and warnings as the environment.
#include "platform/host/VirtualKeys.h"
#include "platform/host/web/WebHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
        // Letters follow the layout: the key typed, not the position.
        {"letter", "q", "KeyA", 0, 'Q', 'q'},
        {"shifted letter", "Q", "KeyQ", kModShift, 'Q', 'Q'},
        {"control letter types nothing", "n", "KeyN", kModControl, 'N', 0},
        // A key that types no plain letter falls back to its position.
        {"letter under Alt types a symbol", "\xC2\xB5", "KeyM", kModAlt, 'M', 0},
        {"digit", "7", "Digit7", 0, '7', '7'},
        {"shifted digit types nothing", "&", "Digit7", kModShift, '7', 0},
        {"F1", "F1", "F1", 0, vk::kF1, 0},
        {"F10", "F10", "F10", 0, vk::kF10, 0},
        {"F12 is the last function key", "F12", "F12", 0, vk::kF1 + 11, 0},
        {"F13 is not seen", "F13", "F13", 0, 0, 0},
        {"Escape", "Escape", "Escape", 0, vk::kEscape, 0x1B},
        {"Enter", "Enter", "Enter", 0, vk::kReturn, '\r'},
        {"keypad Enter", "Enter", "NumpadEnter", 0, vk::kReturn, '\r'},
        {"Space", " ", "Space", 0, vk::kSpace, ' '},
        {"Backspace", "Backspace", "Backspace", 0, vk::kBack, 0x08},
        {"Tab", "Tab", "Tab", 0, vk::kTab, '\t'},
        {"right Shift", "Shift", "ShiftRight", kModShift, vk::kShift, 0},
        {"left Alt", "Alt", "AltLeft", kModAlt, vk::kMenu, 0},
        {"arrow", "ArrowDown", "ArrowDown", 0, vk::kDown, 0},
        {"menu key", "ContextMenu", "ContextMenu", 0, vk::kApps, 0},
        {"keypad digit is not seen", "5", "Numpad5", 0, 0, 0},
        {"unknown key", "Unidentified", "", 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(vk_from_dom_key(c.key, c.code), c.vk);
        EXPECT_EQ(char_from_dom_key(c.key, c.code, c.modifiers), c.ch);
    }
}

TEST(WebSettings, TheQueryIsReadLikeTheEnvironment) {
    struct Case {
        const char* name;
        const char* query;
        Settings expected;
        std::vector<std::string> warnings;
    };
    Settings scaled;
    scaled.scale = 2;
    Settings quiet;
    quiet.audio = false;
    quiet.display_bpp = 32;
    Settings silent;
    silent.audio = false;
    Settings version;
    version.driver_version = 0x2FF;
    const Case cases[] = {
        {"empty query gives the defaults", "", {}, {}},
        {"a bare question mark gives the defaults", "?", {}, {}},
        {"scale", "?scale=2", scaled, {}},
        {"several, names in any case", "?AUDIO=0&display_bpp=32", quiet, {}},
        {"percent-encoded value", "?driver_version=0x2%46F", version, {}},
        {"the first of a repeated name counts", "?scale=2&scale=3", scaled, {}},
        {"unknown names are ignored", "?zoom=3&scale=2", scaled, {}},
        {"a bad value warns as the environment does",
         "?scale=big",
         {},
         {"pilo: ignoring PILO_SCALE=\"big\": expected a whole number from 1 to 16; using the "
          "largest scale that fits the desktop"}},
        {"plus is a space, trimmed away", "?audio=+0+", silent, {}},
        {"a broken escape stays as written",
         "?timers=%G1",
         {},
         {"pilo: ignoring PILO_TIMERS=\"%G1\": expected 0 or 1; using working timers"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> warnings;
        const Settings got =
            settings_from_query(c.query, [&](const std::string& l) { warnings.push_back(l); });
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(warnings, c.warnings);
    }
}

}  // namespace
