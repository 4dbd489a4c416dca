// Settings.cpp: parsing of the PILO_* host settings.
#include "platform/host/Settings.h"

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace host {
namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) {
        s.remove_prefix(1);
    }
    while (!s.empty() &&
           (s.back() == ' ' || s.back() == '\t' || s.back() == '\n' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

// Decimal, or hexadecimal after 0x / 0X; digits only, no sign, at most 0xFFFFFFFF.
std::optional<std::uint64_t> parse_unsigned(std::string_view s) {
    unsigned base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (char c : s) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        value = value * base + digit;
        if (value > 0xFFFFFFFFu) {
            return std::nullopt;
        }
    }
    return value;
}

class Reader {
public:
    Reader(const EnvLookup& lookup, const WarningSink& warn) : m_lookup(lookup), m_warn(warn) {}

    // The trimmed value, or nothing when unset or empty.
    std::optional<std::string_view> value(const char* name) const {
        const char* raw = m_lookup ? m_lookup(name) : nullptr;
        if (raw == nullptr) {
            return std::nullopt;
        }
        const std::string_view v = trim(raw);
        if (v.empty()) {
            return std::nullopt;
        }
        return v;
    }

    void reject(const char* name, std::string_view value, const char* expected,
                const char* fallback) const {
        if (m_warn) {
            m_warn(std::string("pilo: ignoring ") + name + "=\"" + std::string(value) +
                   "\": expected " + expected + "; using " + fallback);
        }
    }

    void read_flag(const char* name, bool& flag, const char* fallback) const {
        const auto v = value(name);
        if (!v) {
            return;
        }
        if (*v == "0") {
            flag = false;
        } else if (*v == "1") {
            flag = true;
        } else {
            reject(name, *v, "0 or 1", fallback);
        }
    }

private:
    const EnvLookup& m_lookup;
    const WarningSink& m_warn;
};

}  // namespace

Settings parse_settings(const EnvLookup& lookup, const WarningSink& warn) {
    Settings s;
    const Reader r(lookup, warn);

    if (const auto v = r.value("PILO_SCALE")) {
        const auto n = parse_unsigned(*v);
        if (n && *n >= 1 && *n <= static_cast<std::uint64_t>(kMaxScale) &&
            v->find_first_not_of("0123456789") == std::string_view::npos) {
            s.scale = static_cast<int>(*n);
        } else {
            r.reject("PILO_SCALE", *v, "a whole number from 1 to 16",
                     "the largest scale that fits the desktop");
        }
    }
    r.read_flag("PILO_FULLSCREEN", s.fullscreen, "a window");
    if (const auto v = r.value("PILO_DISPLAY_BPP")) {
        if (*v == "8" || *v == "32") {
            s.display_bpp = *v == "8" ? 8 : 32;
        } else {
            r.reject("PILO_DISPLAY_BPP", *v, "8 or 32", "8");
        }
    }
    if (const auto v = r.value("PILO_DRIVER_VERSION")) {
        const auto n = parse_unsigned(*v);
        if (n && *n <= 0xFFFF) {
            s.driver_version = static_cast<std::uint32_t>(*n);
        } else {
            r.reject("PILO_DRIVER_VERSION", *v, "a number up to 0xFFFF, hex with 0x or decimal",
                     "0x400");
        }
    }
    r.read_flag("PILO_AUDIO", s.audio, "the wave device");
    r.read_flag("PILO_TIMERS", s.timers, "working timers");
    return s;
}

Settings settings_from_environment() {
    return parse_settings(
        [](const char* name) { return std::getenv(name); },
        [](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
}

}  // namespace host
