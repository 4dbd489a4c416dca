// LoadStringTest.cpp: LoadStringA: block numbering, Windows-1250 conversion and truncation.
#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/windows.h"
#include "tests/kernel/ResourceImageBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using test::string_block;

class LoadString : public testing::Test {
protected:
    void SetUp() override {
        // Block 1 holds ids 0..15, block 63 ids 992..1007, block 4096 ids 65520..65535.
        m_builder.add(6, 1, string_block({u"zero", u"", u"Ą"}));
        m_builder.add(6, 63,
                      string_block({u"", u"", u"", u"", u"", u"", u"", u"",  // 992..999
                                    u"Zażółć gęślą jaźń",                    // 1000
                                    u"ZAŻÓŁĆ GĘŚLĄ JAŹŃ",                    // 1001
                                    u"\u65E5\u672C",                         // 1002: no CP1250
                                    u"a\U0001F600b",                         // 1003: pair
                                    u"a\xD800"
                                    u"b",        // 1004: lone half
                                    u"€„”–"}));  // 1005
        m_builder.add(6, 4096,
                      string_block({u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"",
                                    u"", u"", u"last"}));
        // A block whose second string claims more units than the block holds.
        m_builder.add(6, 5, {1, 0, 'x', 0, 9, 0, 'y', 0});
        m_image = m_builder.bytes();
        m_module = kernel::install_resource_image(m_image, kernel::ModuleRole::Extra);
        ASSERT_NE(m_module, nullptr);
    }
    void TearDown() override { kernel::remove_resource_image(m_module); }

    test::ResourceImageBuilder m_builder;
    std::vector<std::byte> m_image;
    HINSTANCE m_module = nullptr;
};

struct Case {
    const char* name;
    UINT id;
    int buffer_max;
    const char* expected;  // bytes before the NUL
    int result;
};

TEST_F(LoadString, ConvertsToWindows1250AndTruncatesToTheBuffer) {
    const Case cases[] = {
        {"first string", 0, 64, "zero", 4},
        {"small letters", 1000, 64,
         "Za\xBF\xF3\xB3\xE6 g\xEA\x9C"
         "l\xB9 ja\x9F\xF1",
         17},
        {"capital letters", 1001, 64, "ZA\xAF\xD3\xA3\xC6 G\xCA\x8CL\xA5 JA\x8F\xD1", 17},
        {"characters CP1250 lacks", 1002, 64, "??", 2},
        {"surrogate pair is one character", 1003, 64, "a?b", 3},
        {"unpaired surrogate", 1004, 64, "a?b", 3},
        {"punctuation of the upper half", 1005, 64, "\x80\x84\x94\x96", 4},
        {"exact fit", 0, 5, "zero", 4},
        {"one short", 0, 4, "zer", 3},
        {"room for the terminator only", 0, 1, "", 0},
        {"two-byte letters count once", 1000, 6, "Za\xBF\xF3\xB3", 5},
        {"single letter", 2, 2, "\xA5", 1},
        {"last id of the last block", 65535, 16, "last", 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char buffer[80];
        std::memset(buffer, '#', sizeof buffer);
        EXPECT_EQ(LoadStringA(m_module, c.id, buffer, c.buffer_max), c.result);
        EXPECT_STREQ(buffer, c.expected);
        EXPECT_EQ(buffer[c.buffer_max], '#') << "wrote past the buffer";
    }
}

TEST_F(LoadString, MissingEmptyOrBrokenStringsGiveZeroAndAnEmptyBuffer) {
    const Case cases[] = {
        {"empty string in a block", 1, 16, "", 0},
        {"unused slot of a block", 1006, 16, "", 0},
        {"block that does not exist", 16, 16, "", 0},
        {"string beyond a short block", 66, 16, "", 0},
        {"string cut by the block's end", 65, 16, "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char buffer[16];
        std::memset(buffer, '#', sizeof buffer);
        SetLastError(0);
        EXPECT_EQ(LoadStringA(m_module, c.id, buffer, c.buffer_max), 0);
        EXPECT_EQ(buffer[0], '\0');
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    }
}

TEST_F(LoadString, RefusesAMissingBuffer) {
    char buffer[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(LoadStringA(m_module, 0, nullptr, 4), 0);
    EXPECT_EQ(LoadStringA(m_module, 0, buffer, 0), 0);
    EXPECT_EQ(LoadStringA(m_module, 0, buffer, -1), 0);
    EXPECT_EQ(buffer[0], '#');
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
