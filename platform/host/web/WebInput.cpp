// WebInput.cpp: DOM keys to Windows virtual keys and typed characters, and settings read from
// the page address's query. Plain C++, so the desktop build tests it too.
#include "platform/host/VirtualKeys.h"
#include "platform/host/web/WebHost.h"

#include <cctype>
#include <map>

namespace host {
namespace {

struct NamedKey {
    std::string_view code;
    std::uint16_t vk;
};

// DOM codes of the keys the desktop host maps by name; letters and digits are handled apart.
constexpr NamedKey kNamedKeys[] = {
    {"Backspace", vk::kBack},
    {"Tab", vk::kTab},
    {"Enter", vk::kReturn},
    {"NumpadEnter", vk::kReturn},
    {"ShiftLeft", vk::kShift},
    {"ShiftRight", vk::kShift},
    {"ControlLeft", vk::kControl},
    {"ControlRight", vk::kControl},
    {"AltLeft", vk::kMenu},
    {"AltRight", vk::kMenu},
    {"Pause", vk::kPause},
    {"CapsLock", vk::kCapital},
    {"Escape", vk::kEscape},
    {"Space", vk::kSpace},
    {"PageUp", vk::kPrior},
    {"PageDown", vk::kNext},
    {"End", vk::kEnd},
    {"Home", vk::kHome},
    {"ArrowLeft", vk::kLeft},
    {"ArrowUp", vk::kUp},
    {"ArrowRight", vk::kRight},
    {"ArrowDown", vk::kDown},
    {"Insert", vk::kInsert},
    {"Delete", vk::kDelete},
    {"ContextMenu", vk::kApps},
};

// A letter key follows the layout (its key), as the desktop's key codes do; a key that types
// no plain letter falls back to its position (its code: "KeyA", "Digit1").
char letter_or_digit(std::string_view key, std::string_view code) {
    if (key.size() == 1 && std::isalpha(static_cast<unsigned char>(key[0])) != 0) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(key[0])));
    }
    if (code.size() == 4 && code.substr(0, 3) == "Key" && code[3] >= 'A' && code[3] <= 'Z') {
        return code[3];
    }
    if (code.size() == 6 && code.substr(0, 5) == "Digit" && code[5] >= '0' && code[5] <= '9') {
        return code[5];
    }
    return 0;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string lower(std::string s) {
    for (char& c : s) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return s;
}

// application/x-www-form-urlencoded decoding: '+' is a space, %XX a byte; a broken escape
// stays as written.
std::string url_decode(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '+') {
            out += ' ';
        } else if (s[i] == '%' && i + 2 < s.size() && hex_digit(s[i + 1]) >= 0 &&
                   hex_digit(s[i + 2]) >= 0) {
            out += static_cast<char>(hex_digit(s[i + 1]) * 16 + hex_digit(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

}  // namespace

std::uint16_t vk_from_dom_key(std::string_view key, std::string_view code) {
    if (const char c = letter_or_digit(key, code); c != 0) {
        return static_cast<std::uint16_t>(c);
    }
    if (code.size() >= 2 && code.size() <= 3 && code[0] == 'F') {
        int n = 0;
        for (char c : code.substr(1)) {
            n = std::isdigit(static_cast<unsigned char>(c)) != 0 ? n * 10 + (c - '0') : 0;
        }
        if (n >= 1 && n <= 12) {
            return static_cast<std::uint16_t>(vk::kF1 + n - 1);
        }
    }
    for (const NamedKey& k : kNamedKeys) {
        if (k.code == code) {
            return k.vk;
        }
    }
    return 0;
}

std::uint8_t char_from_dom_key(std::string_view key, std::string_view code,
                               std::uint8_t modifiers) {
    if ((modifiers & (kModControl | kModAlt)) != 0) {
        return 0;
    }
    const bool shift = (modifiers & kModShift) != 0;
    const char c = letter_or_digit(key, code);
    if (c >= 'A' && c <= 'Z') {
        return static_cast<std::uint8_t>(shift ? c : c - 'A' + 'a');
    }
    if (c >= '0' && c <= '9') {
        return shift ? 0 : static_cast<std::uint8_t>(c);
    }
    switch (vk_from_dom_key(key, code)) {
        case vk::kBack:
            return 0x08;
        case vk::kTab:
            return '\t';
        case vk::kReturn:
            return '\r';
        case vk::kEscape:
            return 0x1B;
        case vk::kSpace:
            return ' ';
        default:
            return 0;
    }
}

Settings settings_from_query(std::string_view query, const WarningSink& warn) {
    if (!query.empty() && query.front() == '?') {
        query.remove_prefix(1);
    }
    std::map<std::string, std::string> values;  // the first of repeated names counts
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        query = amp == std::string_view::npos ? std::string_view{} : query.substr(amp + 1);
        const std::size_t eq = pair.find('=');
        std::string name = lower(url_decode(pair.substr(0, eq)));
        std::string value = eq == std::string_view::npos ? "" : url_decode(pair.substr(eq + 1));
        values.emplace(std::move(name), std::move(value));
    }
    return parse_settings(
        [&values](const char* variable) -> const char* {
            std::string_view name(variable);
            if (name.substr(0, 5) == "PILO_") {
                name.remove_prefix(5);
            }
            const auto it = values.find(lower(std::string(name)));
            return it == values.end() ? nullptr : it->second.c_str();
        },
        warn);
}

}  // namespace host
