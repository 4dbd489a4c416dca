// StringTest.cpp: CString formatting at any length, slices clamped to the string, and
// comparison without case.
#include "platform/afx/afxwin.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CString formatted(const char* fmt, auto... args) {
    CString s("old text that must go");
    s.Format(fmt, args...);
    return s;
}

TEST(String, FormatAndSlicesGiveWhatTheyShould) {
    const CString s("abcdef");
    struct Case {
        const char* name;
        CString got;
        std::string expected;
    };
    const Case cases[] = {
        {"format replaces the text", formatted("%s%d%s", "Grasz: ", 2, " min."), "Grasz: 2 min."},
        {"negative number", formatted("Wynik: %d", -17), "Wynik: -17"},
        {"empty result", formatted("%s", ""), ""},
        {"longer than any first guess", formatted("%0600d|", 7), std::string(599, '0') + "7|"},
        {"mid from 2", s.Mid(2), "cdef"},
        {"mid 1 for 3", s.Mid(1, 3), "bcd"},
        {"mid past the end", s.Mid(9), ""},
        {"mid count past the end", s.Mid(4, 10), "ef"},
        {"mid negative start", s.Mid(-3, 2), "ab"},
        {"left too many", s.Left(10), "abcdef"},
        {"left negative", s.Left(-1), ""},
        {"right 2", s.Right(2), "ef"},
        {"right too many", s.Right(99), "abcdef"},
        {"a character appended, a NUL not",
         [] {
             CString t("ab");
             t += 'c';
             t += '\0';
             return t;
         }(),
         "abc"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(std::string(static_cast<LPCSTR>(c.got)), c.expected);
        EXPECT_EQ(c.got.GetLength(), static_cast<int>(c.expected.size()));
    }
    EXPECT_EQ(std::vector({s.Find("cd"), s.Find("x"), s.Find(static_cast<LPCSTR>(nullptr))}),
              std::vector({2, -1, -1}));
}

TEST(String, CompareNoCaseFoldsAsciiLettersOnly) {
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"abcxyz", "ABCXYZ", 0},  // lower against upper, both ends of the alphabet
        {"@[", "`{", -1},         // the neighbours of A and Z are not letters: byte order
        {"Zebra", "apple", 1},    // folded before the order is taken
        {"a", "", 1},             // the shorter one comes first
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << " / " << c.b);
        EXPECT_EQ(CString(c.a).CompareNoCase(c.b), c.expected);
    }
}

// Calendar fields count in UTC from 1970, leap days and centuries included.
TEST(Time, CalendarFieldsGiveTheirSecondsSince1970) {
    struct Case {
        int year, month, day, hour, minute, second;
        std::time_t seconds;
    };
    const Case cases[] = {
        {1970, 1, 1, 0, 0, 0, 0},          {1999, 12, 31, 23, 59, 59, 946684799},
        {2000, 3, 1, 0, 0, 0, 951868800},  {2024, 2, 29, 12, 0, 0, 1709208000},
        {2100, 3, 1, 0, 0, 0, 4107542400}, {2038, 1, 19, 3, 14, 8, 2147483648},
    };
    for (const Case& c : cases) {
        const CTime t(c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_EQ(t.GetTime(), c.seconds) << c.year << "-" << c.month << "-" << c.day;
        EXPECT_EQ(std::vector({t.GetYear(), t.GetMonth(), t.GetDay()}),
                  std::vector({c.year, c.month, c.day}));
    }
}

}  // namespace
