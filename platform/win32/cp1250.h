// cp1250.h: Windows-1250, the code page of every text that reaches the "A" API.
// Source literals are UTF-8; "Grasz: "_cp1250 converts one at compile time to a NUL-terminated
// CP1250 string with static storage, and a character CP1250 lacks stops the compilation.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace cp1250 {

// Unicode of the bytes 0x80..0xFF; 0 marks the five bytes the code page leaves undefined.
inline constexpr char16_t kHighHalf[128] = {
    0x20AC, 0,      0x201A, 0,      0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0,      0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0,      0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

// The CP1250 byte of a code point, or -1 when the code page has none.
constexpr int byte_of(char32_t code_point) {
    if (code_point < 0x80) {
        return static_cast<int>(code_point);
    }
    for (int i = 0; i < 128; ++i) {
        if (kHighHalf[i] != 0 && kHighHalf[i] == code_point) {
            return 0x80 + i;
        }
    }
    return -1;
}

// The code point of a CP1250 byte; the undefined bytes map to the C1 control of equal value,
// as the platform's conversion does.
constexpr char16_t code_point_of(unsigned char byte) {
    if (byte < 0x80) {
        return byte;
    }
    const char16_t c = kHighHalf[byte - 0x80];
    return c != 0 ? c : static_cast<char16_t>(byte);
}

// Runtime conversions. Characters CP1250 lacks become '?'; so does each malformed UTF-8
// sequence and each unpaired surrogate; a surrogate pair is one character, one '?'.
std::string utf16_to_cp1250(std::u16string_view text);
std::string utf8_to_cp1250(std::string_view text);
std::u16string cp1250_to_utf16(std::string_view text);

// Converts into a caller's buffer: at most out.size() bytes, no terminator. Returns the number
// of bytes written.
std::size_t utf16_to_cp1250(std::u16string_view text, std::span<char> out);

namespace detail {

// Not constexpr and never defined: reaching it in a compile-time conversion names the fault.
void utf8_literal_has_a_character_missing_from_windows_1250();
void utf8_literal_is_malformed();

// A UTF-8 string literal as a template argument (its array includes the terminating NUL).
template <std::size_t N>
struct Utf8Literal {
    char bytes[N];
    consteval Utf8Literal(const char (&s)[N]) {
        for (std::size_t i = 0; i < N; ++i) {
            bytes[i] = s[i];
        }
    }
};

// Decodes the UTF-8 sequence at bytes[i], advancing i; in a constant expression malformed
// input fails the compilation. (constexpr rather than consteval: some compilers refuse nested
// immediate calls that update a caller's local.)
template <std::size_t N>
constexpr char32_t decode_literal(const char (&bytes)[N], std::size_t& i) {
    const auto lead = static_cast<unsigned char>(bytes[i++]);
    if (lead < 0x80) {
        return lead;
    }
    int extra = 0;
    char32_t cp = 0;
    if ((lead & 0xE0) == 0xC0) {
        extra = 1;
        cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2;
        cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3;
        cp = lead & 0x07;
    } else {
        utf8_literal_is_malformed();
    }
    for (int k = 0; k < extra; ++k) {
        if (i + 1 >= N) {
            utf8_literal_is_malformed();
        }
        const auto next = static_cast<unsigned char>(bytes[i++]);
        if ((next & 0xC0) != 0x80) {
            utf8_literal_is_malformed();
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    return cp;
}

template <std::size_t N>
constexpr std::size_t encoded_size(const Utf8Literal<N>& s) {
    std::size_t count = 0;
    std::size_t i = 0;
    while (i + 1 < N) {
        decode_literal(s.bytes, i);
        ++count;
    }
    return count + 1;
}

template <Utf8Literal S>
constexpr auto encode_literal() {
    std::array<char, encoded_size(S)> out{};
    std::size_t i = 0;
    std::size_t o = 0;
    while (i + 1 < sizeof(S.bytes)) {
        const int b = byte_of(decode_literal(S.bytes, i));
        if (b < 0) {
            utf8_literal_has_a_character_missing_from_windows_1250();
        }
        out[o++] = static_cast<char>(static_cast<unsigned char>(b));
    }
    out[o] = '\0';
    return out;
}

template <Utf8Literal S>
inline constexpr auto kEncoded = encode_literal<S>();

}  // namespace detail

}  // namespace cp1250

// "Wynik końcowy"_cp1250: the literal's CP1250 bytes, NUL-terminated, with static storage.
template <cp1250::detail::Utf8Literal S>
consteval const char* operator""_cp1250() {
    return cp1250::detail::kEncoded<S>.data();
}
