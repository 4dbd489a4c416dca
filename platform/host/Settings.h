// Settings.h: host settings read from the environment (never by the program).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace host {

struct Settings {
    std::optional<int> scale;              // PILO_SCALE; empty: the largest that fits the desktop
    bool fullscreen = false;               // PILO_FULLSCREEN=1
    int display_bpp = 8;                   // PILO_DISPLAY_BPP: 8 (palette) or 32
    std::uint32_t driver_version = 0x400;  // PILO_DRIVER_VERSION, hex (0x2FF) or decimal
    bool audio = true;                     // PILO_AUDIO=0: no wave device
    bool timers = true;                    // PILO_TIMERS=0: window timers cannot be had

    bool operator==(const Settings&) const = default;
};

inline constexpr int kMaxScale = 16;

// Looks a variable up: nullptr when it is not set.
using EnvLookup = std::function<const char*(const char* name)>;
// Receives one line of warning, without a newline.
using WarningSink = std::function<void(const std::string& line)>;

// Reads every setting through lookup. An unset or empty variable gives the default silently;
// a value that does not parse gives one warning line naming the variable and the default.
Settings parse_settings(const EnvLookup& lookup, const WarningSink& warn);

// parse_settings over the process environment, warnings on stderr.
Settings settings_from_environment();

}  // namespace host
