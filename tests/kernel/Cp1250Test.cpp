// Cp1250Test.cpp: Windows-1250 bytes of the program's texts, compile-time and at run time.
#include "platform/win32/cp1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

namespace {

// The literal is converted while compiling: usable in constant expressions.
static_assert("\xC5\x82"_cp1250[0] == '\xB3');  // ł
static_assert("abc"_cp1250[3] == '\0');

struct LetterCase {
    const char* name;
    const char* utf8;
    char16_t utf16;
    const char* literal;  // the same letter through _cp1250
    unsigned char byte;
};

// Worked out from the code page's table, one letter at a time.
const LetterCase kPolishLetters[] = {
    {"a ogonek", "ą", u'ą', "ą"_cp1250, 0xB9},
    {"c acute", "ć", u'ć', "ć"_cp1250, 0xE6},
    {"e ogonek", "ę", u'ę', "ę"_cp1250, 0xEA},
    {"l stroke", "ł", u'ł', "ł"_cp1250, 0xB3},
    {"n acute", "ń", u'ń', "ń"_cp1250, 0xF1},
    {"o acute", "ó", u'ó', "ó"_cp1250, 0xF3},
    {"s acute", "ś", u'ś', "ś"_cp1250, 0x9C},
    {"z acute", "ź", u'ź', "ź"_cp1250, 0x9F},
    {"z dot", "ż", u'ż', "ż"_cp1250, 0xBF},
    {"A ogonek", "Ą", u'Ą', "Ą"_cp1250, 0xA5},
    {"C acute", "Ć", u'Ć', "Ć"_cp1250, 0xC6},
    {"E ogonek", "Ę", u'Ę', "Ę"_cp1250, 0xCA},
    {"L stroke", "Ł", u'Ł', "Ł"_cp1250, 0xA3},
    {"N acute", "Ń", u'Ń', "Ń"_cp1250, 0xD1},
    {"O acute", "Ó", u'Ó', "Ó"_cp1250, 0xD3},
    {"S acute", "Ś", u'Ś', "Ś"_cp1250, 0x8C},
    {"Z acute", "Ź", u'Ź', "Ź"_cp1250, 0x8F},
    {"Z dot", "Ż", u'Ż', "Ż"_cp1250, 0xAF},
    {"euro sign", "€", u'€', "€"_cp1250, 0x80},
    {"low double quote", "„", u'„', "„"_cp1250, 0x84},
    {"no-break space", "\u00A0", u'\u00A0', "\u00A0"_cp1250, 0xA0},
    {"dot above", "˙", u'˙', "˙"_cp1250, 0xFF},
};

TEST(Cp1250, PolishLettersHaveTheirCodePageBytes) {
    for (const LetterCase& c : kPolishLetters) {
        SCOPED_TRACE(c.name);
        const std::string expected(1, static_cast<char>(c.byte));
        EXPECT_EQ(std::string(c.literal), expected);
        EXPECT_EQ(cp1250::utf8_to_cp1250(c.utf8), expected);
        EXPECT_EQ(cp1250::utf16_to_cp1250(std::u16string(1, c.utf16)), expected);
        EXPECT_EQ(cp1250::cp1250_to_utf16(expected), std::u16string(1, c.utf16));
    }
}

struct TextCase {
    const char* name;
    const char* converted;
    const char* expected;
};

// Every text the program shows through the "A" API. Literals are split where a hex escape
// would swallow the letter after it.
const TextCase kProgramTexts[] = {
    {"display check",
     "Do uruchomienia wymagana jest karta graficzna pracująca z paletą logiczną w trybie 256 "
     "kolorów."_cp1250,
     "Do uruchomienia wymagana jest karta graficzna pracuj\xB9"
     "ca z palet\xB9 logiczn\xB9 w trybie 256 kolor\xF3w."},
    {"piece set failure", "Błąd w trakcie tworzenia pionków do gry."_cp1250,
     "B\xB3\xB9"
     "d w trakcie tworzenia pionk\xF3w do gry."},
    {"no timers",
     "Brak timerów. Pozostałe aplikacje wykorzystują wszystkie dostępne Timery. Zamknij jedną "
     "lub kilka i spróbuj jeszcze raz."_cp1250,
     "Brak timer\xF3w. Pozosta\xB3"
     "e aplikacje wykorzystuj\xB9 wszystkie dost\xEApne Timery. Zamknij jedn\xB9 lub kilka i "
     "spr\xF3"
     "buj jeszcze raz."},
    {"time prefix", "Grasz: "_cp1250, "Grasz: "},
    {"hours", " godz. "_cp1250, " godz. "},
    {"minutes", " min."_cp1250, " min."},
    {"seconds", " sek."_cp1250, " sek."},
    {"score line", "Uzyskałeś wynik: %d"_cp1250,
     "Uzyska\xB3"
     "e\x9C wynik: %d"},
    {"credit line", "Programował: zespół Pilo"_cp1250, "Programowa\xB3: zesp\xF3\xB3 Pilo"},
    {"final score caption", "Wynik końcowy"_cp1250,
     "Wynik ko\xF1"
     "cowy"},
    {"empty", ""_cp1250, ""},
};

TEST(Cp1250, ProgramLiteralsBecomeCodePageBytes) {
    for (const TextCase& c : kProgramTexts) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(std::string(c.converted), std::string(c.expected));
    }
}

TEST(Cp1250, EveryDefinedByteRoundTripsAndTheUndefinedOnesDoNot) {
    const unsigned char undefined[] = {0x81, 0x83, 0x88, 0x90, 0x98};
    for (int b = 1; b < 256; ++b) {
        SCOPED_TRACE(b);
        const std::string one(1, static_cast<char>(b));
        const std::u16string wide = cp1250::cp1250_to_utf16(one);
        ASSERT_EQ(wide.size(), 1u);
        const bool is_undefined =
            std::find(std::begin(undefined), std::end(undefined), b) != std::end(undefined);
        if (is_undefined) {
            EXPECT_EQ(wide[0], static_cast<char16_t>(b)) << "undefined bytes map to C1 controls";
            EXPECT_EQ(cp1250::utf16_to_cp1250(wide), "?");
        } else {
            EXPECT_EQ(cp1250::utf16_to_cp1250(wide), one);
        }
    }
}

TEST(Cp1250, MissingCharactersAndBrokenSequencesBecomeQuestionMarks) {
    struct Case {
        const char* name;
        const char* utf8;
        const char* expected;
    };
    const Case cases[] = {
        {"CJK", "\xE6\x97\xA5", "?"},
        {"German sharp s is in the table", "\xC3\x9F", "\xDF"},
        {"e with grave is not", "\xC3\xA8", "?"},
        {"four-byte sequence", "a\xF0\x9F\x98\x80z", "a?z"},
        {"lead byte alone at the end", "a\xC5", "a?"},
        {"lead byte before ASCII",
         "\xC5"
         "A",
         "?A"},
        {"three-byte sequence cut", "\xE2\x82x", "?x"},
        {"stray continuation byte",
         "\x80"
         "a",
         "?a"},
        {"overlong slash", "\xC0\xAF", "?"},
        {"encoded surrogate", "\xED\xA0\x80", "?"},
        {"invalid byte", "\xFF", "?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cp1250::utf8_to_cp1250(c.utf8), std::string(c.expected));
    }
}

TEST(Cp1250, ConversionIntoABufferStopsAtItsEnd) {
    char buffer[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(cp1250::utf16_to_cp1250(u"żółw", std::span<char>(buffer, 3)), 3u);
    EXPECT_EQ(std::string(buffer, 4), "\xBF\xF3\xB3#");
    EXPECT_EQ(cp1250::utf16_to_cp1250(u"a\U0001F600", std::span<char>(buffer, 4)), 2u);
    EXPECT_EQ(std::string(buffer, 2), "a?");
}

}  // namespace
