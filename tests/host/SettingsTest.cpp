// SettingsTest.cpp: parsing of the PILO_* host settings, good and bad values.
#include "platform/host/Settings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using host::Settings;

struct Case {
    const char* name;
    std::map<std::string, std::string> env;
    Settings expected;
    const char* warned;  // the variable one warning names, nullptr for none
};

Settings with(void (*change)(Settings&)) {
    Settings s;
    change(s);
    return s;
}

const Case kCases[] = {
    {"nothing set", {}, Settings{}, nullptr},
    {"empty values are unset", {{"PILO_SCALE", ""}, {"PILO_AUDIO", "  "}}, Settings{}, nullptr},
    {"scale 3", {{"PILO_SCALE", "3"}}, with([](Settings& s) { s.scale = 3; }), nullptr},
    {"scale with spaces",
     {{"PILO_SCALE", " 2 \n"}},
     with([](Settings& s) { s.scale = 2; }),
     nullptr},
    {"scale 16 is the largest",
     {{"PILO_SCALE", "16"}},
     with([](Settings& s) { s.scale = 16; }),
     nullptr},
    {"scale 0", {{"PILO_SCALE", "0"}}, Settings{}, "PILO_SCALE"},
    {"scale 17", {{"PILO_SCALE", "17"}}, Settings{}, "PILO_SCALE"},
    {"scale negative", {{"PILO_SCALE", "-2"}}, Settings{}, "PILO_SCALE"},
    {"scale fraction", {{"PILO_SCALE", "1.5"}}, Settings{}, "PILO_SCALE"},
    {"scale hex", {{"PILO_SCALE", "0x2"}}, Settings{}, "PILO_SCALE"},
    {"scale word", {{"PILO_SCALE", "big"}}, Settings{}, "PILO_SCALE"},
    {"scale huge", {{"PILO_SCALE", "99999999999999999999"}}, Settings{}, "PILO_SCALE"},
    {"fullscreen 1",
     {{"PILO_FULLSCREEN", "1"}},
     with([](Settings& s) { s.fullscreen = true; }),
     nullptr},
    {"fullscreen 0", {{"PILO_FULLSCREEN", "0"}}, Settings{}, nullptr},
    {"fullscreen yes", {{"PILO_FULLSCREEN", "yes"}}, Settings{}, "PILO_FULLSCREEN"},
    {"bpp 32",
     {{"PILO_DISPLAY_BPP", "32"}},
     with([](Settings& s) { s.display_bpp = 32; }),
     nullptr},
    {"bpp 8", {{"PILO_DISPLAY_BPP", "8"}}, Settings{}, nullptr},
    {"bpp 16", {{"PILO_DISPLAY_BPP", "16"}}, Settings{}, "PILO_DISPLAY_BPP"},
    {"bpp 08", {{"PILO_DISPLAY_BPP", "08"}}, Settings{}, "PILO_DISPLAY_BPP"},
    {"driver hex",
     {{"PILO_DRIVER_VERSION", "0x2FF"}},
     with([](Settings& s) { s.driver_version = 0x2FF; }),
     nullptr},
    {"driver hex lower case",
     {{"PILO_DRIVER_VERSION", "0X30a"}},
     with([](Settings& s) { s.driver_version = 0x30A; }),
     nullptr},
    {"driver decimal",
     {{"PILO_DRIVER_VERSION", "768"}},
     with([](Settings& s) { s.driver_version = 0x300; }),
     nullptr},
    {"driver zero",
     {{"PILO_DRIVER_VERSION", "0"}},
     with([](Settings& s) { s.driver_version = 0; }),
     nullptr},
    {"driver too large", {{"PILO_DRIVER_VERSION", "0x10000"}}, Settings{}, "PILO_DRIVER_VERSION"},
    {"driver bare prefix", {{"PILO_DRIVER_VERSION", "0x"}}, Settings{}, "PILO_DRIVER_VERSION"},
    {"driver hex digits without prefix",
     {{"PILO_DRIVER_VERSION", "2FF"}},
     Settings{},
     "PILO_DRIVER_VERSION"},
    {"driver negative", {{"PILO_DRIVER_VERSION", "-1"}}, Settings{}, "PILO_DRIVER_VERSION"},
    {"audio off", {{"PILO_AUDIO", "0"}}, with([](Settings& s) { s.audio = false; }), nullptr},
    {"audio on", {{"PILO_AUDIO", "1"}}, Settings{}, nullptr},
    {"audio off word", {{"PILO_AUDIO", "off"}}, Settings{}, "PILO_AUDIO"},
    {"timers off", {{"PILO_TIMERS", "0"}}, with([](Settings& s) { s.timers = false; }), nullptr},
    {"timers 2", {{"PILO_TIMERS", "2"}}, Settings{}, "PILO_TIMERS"},
    {"one bad value keeps the good ones",
     {{"PILO_SCALE", "4"}, {"PILO_DISPLAY_BPP", "24"}, {"PILO_AUDIO", "0"}},
     with([](Settings& s) {
         s.scale = 4;
         s.audio = false;
     }),
     "PILO_DISPLAY_BPP"},
};

TEST(Settings, EachVariableParsesOrWarnsAndKeepsItsDefault) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> warnings;
        const Settings got = host::parse_settings(
            [&](const char* name) -> const char* {
                const auto it = c.env.find(name);
                return it == c.env.end() ? nullptr : it->second.c_str();
            },
            [&](const std::string& line) { warnings.push_back(line); });
        EXPECT_EQ(got.scale, c.expected.scale);
        EXPECT_EQ(got.fullscreen, c.expected.fullscreen);
        EXPECT_EQ(got.display_bpp, c.expected.display_bpp);
        EXPECT_EQ(got.driver_version, c.expected.driver_version);
        EXPECT_EQ(got.audio, c.expected.audio);
        EXPECT_EQ(got.timers, c.expected.timers);
        if (c.warned == nullptr) {
            EXPECT_TRUE(warnings.empty()) << warnings.front();
        } else {
            ASSERT_EQ(warnings.size(), 1u);
            EXPECT_NE(warnings[0].find(c.warned), std::string::npos) << warnings[0];
            EXPECT_EQ(warnings[0].find('\n'), std::string::npos) << "one line";
        }
    }
}

TEST(Settings, DefaultsMatchTheDocumentedDisplay) {
    const Settings s = host::parse_settings([](const char*) { return nullptr; }, {});
    EXPECT_FALSE(s.scale.has_value());
    EXPECT_FALSE(s.fullscreen);
    EXPECT_EQ(s.display_bpp, 8);
    EXPECT_EQ(s.driver_version, 0x400u);
    EXPECT_TRUE(s.audio);
    EXPECT_TRUE(s.timers);
}

}  // namespace
