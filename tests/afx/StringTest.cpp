// StringTest.cpp: CString formatting, slicing, comparison and loading from a string table.
#include "platform/afx/afxwin.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "tests/kernel/ResourceImageBuilder.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(String, ConcatenationComparisonAndSearch) {
    CString s("Ab");
    s += "c";
    s += 'D';
    s += CString("e");
    EXPECT_EQ(s, "AbcDe");
    EXPECT_EQ("x" + s + 'y', CString("xAbcDey"));
    EXPECT_NE(s, "abcde");
    EXPECT_EQ(s.CompareNoCase("ABCDE"), 0);
    EXPECT_LT(s.Compare("B"), 0);
    EXPECT_GT(s.Compare("A"), 0);
    EXPECT_EQ(s.Find('c'), 2);
    EXPECT_EQ(s.Find("De"), 3);
    EXPECT_EQ(s.Find('z'), -1);
    EXPECT_EQ(s.GetAt(99), '\0') << "outside the string reads as NUL";
    s.Empty();
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ(static_cast<LPCSTR>(CString(static_cast<LPCSTR>(nullptr))), "");
    EXPECT_STREQ(static_cast<LPCSTR>(CString("ab\0cd", 5)), "ab") << "a NUL ends the text";
}

TEST(String, BufferRoundTripStopsAtTheTerminator) {
    CString s;
    char* buffer = s.GetBuffer(16);
    std::snprintf(buffer, 17, "%s", "kafelki");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "kafelki");
    buffer = s.GetBuffer(3);
    buffer[2] = '\0';
    s.ReleaseBuffer(5);
    EXPECT_EQ(s, "ka");
}

class StringTable : public ::testing::Test {
protected:
    void SetUp() override {
        std::u16string long_text(700, u'ż');
        // Ids 1000..1015 live in block 63.
        m_builder.add(6, 63,
                      test::string_block({u"", u"", u"", u"", u"", u"", u"", u"",
                                          u"Następny ruch",  // 1000
                                          u"Wynik: %d pkt",  // 1001
                                          long_text}));      // 1002
        m_image = m_builder.bytes();
        m_previous = kernel::program_instance();
        m_module = kernel::install_resource_image(m_image, kernel::ModuleRole::Program);
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override {
        kernel::remove_resource_image(m_module);
        if (m_previous != nullptr) {
            kernel::set_program_instance(m_previous);
        }
    }
    test::ResourceImageBuilder m_builder;
    std::vector<std::byte> m_image;
    HINSTANCE m_module = nullptr;
    HINSTANCE m_previous = nullptr;
};

TEST_F(StringTable, LoadStringGivesWindows1250BytesOfAnyLength) {
    struct Case {
        const char* name;
        UINT id;
        BOOL ok;
        std::string expected;
    };
    const Case cases[] = {
        {"Polish letters", 1000, TRUE, "Nast\xEApny ruch"},
        {"seven hundred letters", 1002, TRUE, std::string(700, '\xBF')},
        {"missing id", 1005, FALSE, ""},
        {"id in a missing block", 4000, FALSE, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CString s("previous");
        EXPECT_EQ(s.LoadString(c.id), c.ok);
        EXPECT_EQ(std::string(static_cast<LPCSTR>(s)), c.expected);
    }
}

TEST_F(StringTable, FormatTakesItsFormatFromTheStringTable) {
    CString s("kept");
    EXPECT_TRUE(s.Format(1001u, 250));
    EXPECT_EQ(s, "Wynik: 250 pkt");
    EXPECT_FALSE(s.Format(1009u, 1));
    EXPECT_EQ(s, "Wynik: 250 pkt") << "a missing format leaves the string";
}

}  // namespace
