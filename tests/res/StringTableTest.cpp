// StringTableTest.cpp: the program's strings as LoadStringA hands them over, in Windows-1250.
#include "platform/win32/windows.h"
#include "res/PiloResources.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Case {
    const char* name;
    UINT id;
    const char* expected;  // CP1250 bytes worked out by hand; "" for no string
};

// Literals are split where a hex escape would swallow the letter after it.
const Case kStrings[] = {
    {"About entry", 101, "&O Programie..."},
    {"preview tip", 1000, "Nast\xEApny ruch, Prawy klawisz - zmiana pionk\xF3w"},
    {"score tip", 1001, "Tw\xF3j dorobek punktowy"},
    {"new game tip", 1005, "Od pocz\xB9tku - nowa gra"},
    {"shape tip", 1006, "Kszta\xB3t planszy"},
    {"exit tip", 1007,
     "Wyj\x9C"
     "cie z gry"},
    {"board has no tip", 1004, ""},
    {"unused id in the About block", 100, ""},
    {"no block", 2000, ""},
};

TEST(StringTable, HoldsThePolishTextsInWindows1250) {
    std::string error;
    HINSTANCE module = pilo_install_resources(&error);
    ASSERT_NE(module, nullptr) << error;
    for (const Case& c : kStrings) {
        SCOPED_TRACE(c.name);
        char buffer[128];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(LoadStringA(module, c.id, buffer, sizeof buffer),
                  static_cast<int>(std::strlen(c.expected)));
        EXPECT_STREQ(buffer, c.expected);
        // The program's own module answers for NULL too.
        std::memset(buffer, '#', sizeof buffer);
        LoadStringA(nullptr, c.id, buffer, sizeof buffer);
        EXPECT_STREQ(buffer, c.expected);
    }
}

TEST(StringTable, TruncatesALongTipToTheBuffer) {
    ASSERT_NE(pilo_install_resources(), nullptr);
    char buffer[8];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(LoadStringA(nullptr, 1000, buffer, 6), 5);
    EXPECT_STREQ(buffer, "Nast\xEA");
    EXPECT_EQ(buffer[6], '#');
}

}  // namespace
