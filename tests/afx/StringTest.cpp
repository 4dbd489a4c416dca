// StringTest.cpp: CString formatting at any length and slices clamped to the string.
#include "platform/afx/afxwin.h"

#include <gtest/gtest.h>

namespace {

TEST(String, FormatProducesWhatPrintfWouldAtAnyLength) {
    struct Case {
        const char* name;
        CString (*make)();
        const char* expected;
    };
    const Case cases[] = {
        {"hours and minutes",
         [] {
             CString s;
             s.Format("%s%d%s%d%s", "Grasz: ", 2, " godz. ", 5, " min.");
             return s;
         },
         "Grasz: 2 godz. 5 min."},
        {"score",
         [] {
             CString s("old text that must go");
             s.Format("Wynik: %d", -17);
             return s;
         },
         "Wynik: -17"},
        {"longer than any first guess",
         [] {
             CString s;
             s.Format("%0600d|", 7);
             return s;
         },
         nullptr},
        {"empty format",
         [] {
             CString s("x");
             s.Format("%s", "");
             return s;
         },
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CString got = c.make();
        if (c.expected != nullptr) {
            EXPECT_STREQ(static_cast<LPCSTR>(got), c.expected);
        } else {
            ASSERT_EQ(got.GetLength(), 601);
            EXPECT_EQ(got.Right(2), CString("7|"));
            EXPECT_EQ(got.Left(3), CString("000"));
        }
    }
}

TEST(String, SlicesClampToTheString) {
    const CString s("abcdef");
    struct Case {
        const char* name;
        CString got;
        const char* expected;
    };
    const Case cases[] = {
        {"mid from 2", s.Mid(2), "cdef"},           {"mid 1 for 3", s.Mid(1, 3), "bcd"},
        {"mid past the end", s.Mid(9), ""},         {"mid count past the end", s.Mid(4, 10), "ef"},
        {"mid negative start", s.Mid(-3, 2), "ab"}, {"left too many", s.Left(10), "abcdef"},
        {"left negative", s.Left(-1), ""},          {"right 2", s.Right(2), "ef"},
        {"right too many", s.Right(99), "abcdef"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_STREQ(static_cast<LPCSTR>(c.got), c.expected);
    }
}

}  // namespace
