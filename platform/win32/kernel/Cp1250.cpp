// Cp1250.cpp: runtime conversions between UTF-8, UTF-16 and Windows-1250.
#include "platform/win32/cp1250.h"

#include <algorithm>

namespace cp1250 {

namespace {

constexpr char kMissing = '?';

char to_byte(char32_t code_point) {
    const int b = byte_of(code_point);
    return b < 0 ? kMissing : static_cast<char>(static_cast<unsigned char>(b));
}

bool is_high_surrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}

bool is_low_surrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// Calls emit(byte) for each character of the UTF-16 text until emit returns false.
template <typename Emit>
void convert_utf16(std::u16string_view text, Emit emit) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        char out = kMissing;
        if (is_high_surrogate(c) && i + 1 < text.size() && is_low_surrogate(text[i + 1])) {
            ++i;  // no astral character is in the code page: the pair is one '?'
        } else if (!is_high_surrogate(c) && !is_low_surrogate(c)) {
            out = to_byte(c);
        }
        if (!emit(out)) {
            return;
        }
    }
}

}  // namespace

std::string utf16_to_cp1250(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    convert_utf16(text, [&](char b) {
        out.push_back(b);
        return true;
    });
    return out;
}

std::size_t utf16_to_cp1250(std::u16string_view text, std::span<char> out) {
    std::size_t n = 0;
    convert_utf16(text, [&](char b) {
        if (n == out.size()) {
            return false;
        }
        out[n++] = b;
        return true;
    });
    return n;
}

std::string utf8_to_cp1250(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            out.push_back(static_cast<char>(lead));
            ++i;
            continue;
        }
        int extra = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            cp = lead & 0x1F;
            min = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            cp = lead & 0x0F;
            min = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            cp = lead & 0x07;
            min = 0x10000;
        } else {
            out.push_back(kMissing);  // stray continuation byte or invalid lead
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        bool ok = true;
        for (int k = 0; k < extra; ++k, ++j) {
            if (j >= text.size() || (static_cast<unsigned char>(text[j]) & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (static_cast<unsigned char>(text[j]) & 0x3F);
        }
        // A broken sequence is one '?' and resumes at the byte that broke it.
        if (!ok || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(kMissing);
            i = ok ? j : std::max(j, i + 1);
            continue;
        }
        out.push_back(to_byte(cp));
        i = j;
    }
    return out;
}

std::u16string cp1250_to_utf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char c : text) {
        out.push_back(code_point_of(static_cast<unsigned char>(c)));
    }
    return out;
}

}  // namespace cp1250
