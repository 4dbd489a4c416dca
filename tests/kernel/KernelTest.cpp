// KernelTest.cpp: Windows-1250, MulDiv, global memory, and the .res reader with the resource API.
#include "platform/win32/cp1250.h"
#include "platform/win32/kernel/ResourceBounds.h"
#include "platform/win32/kernel/ResourceImage.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/kernel/ResourcePictures.h"
#include "platform/win32/windows.h"
#include "tests/kernel/ResourceImageBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <tuple>
#include <set>

namespace {

static_assert("\xC5\x82"_cp1250[0] == '\xB3' && "abc"_cp1250[3] == '\0');  // at compile time

TEST(Cp1250, LettersHaveTheirCodePageBytesEveryWay) {
    // clang-format off
    struct Case { const char* utf8; char16_t utf16; const char* literal /* through _cp1250 */; unsigned char byte; };
    const Case cases[] = {  // from the code page's table: two- and three-byte UTF-8, both cases
        {"ą", u'ą', "ą"_cp1250, 0xB9}, {"ś", u'ś', "ś"_cp1250, 0x9C}, {"Ż", u'Ż', "Ż"_cp1250, 0xAF}, {"Ł", u'Ł', "Ł"_cp1250, 0xA3},
        {"€", u'€', "€"_cp1250, 0x80}, {"„", u'„', "„"_cp1250, 0x84}, {"˙", u'˙', "˙"_cp1250, 0xFF}, {"\u00A0", u'\u00A0', "\u00A0"_cp1250, 0xA0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        const std::string want(1, static_cast<char>(c.byte));
        EXPECT_EQ(std::string(c.literal), want);
        EXPECT_EQ(cp1250::utf8_to_cp1250(c.utf8), want);
        EXPECT_EQ(cp1250::utf16_to_cp1250(std::u16string(1, c.utf16)), want);
        EXPECT_EQ(cp1250::cp1250_to_utf16(want), std::u16string(1, c.utf16));
    }
    EXPECT_EQ(std::string("Uzyskałeś wynik: %d"_cp1250),
              "Uzyska\xB3"
              "e\x9C wynik: %d");
    // Every defined byte round-trips; the five undefined ones are C1 controls that do not.
    for (int b = 1; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::u16string wide = cp1250::cp1250_to_utf16(one);
        const bool undefined = b == 0x81 || b == 0x83 || b == 0x88 || b == 0x90 || b == 0x98;
        ASSERT_EQ(wide.size(), 1u);
        EXPECT_EQ(cp1250::utf16_to_cp1250(wide), undefined ? "?" : one) << b;
        EXPECT_TRUE(!undefined || wide[0] == static_cast<char16_t>(b)) << b;
    }
}

TEST(Cp1250, MissingCharactersAndBrokenSequencesBecomeQuestionMarks) {
    // clang-format off
    struct Case { const char* utf8; const char* want; };
    const Case cases[] = {
        {"\xE6\x97\xA5", "?"} /* CJK */, {"\xC3\xA8", "?"} /* e grave */, {"a\xF0\x9F\x98\x80z", "a?z"},
        {"a\xC5", "a?"} /* lead byte at the end */, {"\xC5" "A", "?A"}, {"\xE2\x82x", "?x"},
        {"\x80" "a", "?a"} /* stray continuation */, {"\xC0\xAF", "?"} /* overlong */,
        {"\xED\xA0\x80", "?"} /* encoded surrogate */, {"\xFF", "?"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(cp1250::utf8_to_cp1250(c.utf8), std::string(c.want));
    }
    char buffer[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(cp1250::utf16_to_cp1250(u"żółw", std::span<char>(buffer, 3)), 3u);
    EXPECT_EQ(std::string(buffer, 4), "\xBF\xF3\xB3#") << "stops at the buffer's end";
    EXPECT_EQ(cp1250::utf16_to_cp1250(u"a\U0010FFFF", std::span<char>(buffer, 4)), 2u);
    EXPECT_EQ(std::string(buffer, 2), "a?");
}

TEST(Kernel, MulDivRoundsHalfAwayFromZeroIn64Bits) {
    // clang-format off
    struct Case { int a, b, c, want; };
    const Case cases[] = {  // dialog units with base 6 x 13: x * 6 / 4, y * 13 / 8
        {1, 6, 4, 2}, {269, 13, 8, 437}, {259, 13, 8, 421},
        {-1, 6, 4, -2}, {3, 1, -2, -2}, {-3, 1, -2, 2}, {100000, 100000, 100000, 100000},
        {5, 5, 0, -1} /* division by zero */,
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.want) << c.a << " " << c.b << " " << c.c;
    }
}

TEST(Kernel, GlobalMemoryIsZeroedLockedNestedAndFreedByGeneration) {
    const std::size_t before = GlobalAliveCountForTest();
    HGLOBAL h = GlobalAlloc(GHND, 88);
    EXPECT_EQ(GlobalSize(h), 88u);
    auto* p = static_cast<unsigned char*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(std::count(p, p + 88, 0), 88);
    EXPECT_EQ(GlobalLock(h), p);
    EXPECT_TRUE(GlobalUnlock(h)) << "still locked once";
    EXPECT_FALSE(GlobalUnlock(h));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(GlobalAliveCountForTest(), before + 1);
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalAliveCountForTest(), before);
    HGLOBAL reused = GlobalAlloc(GHND, 4);  // the same slot, a new generation
    EXPECT_NE(reused, h);
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GlobalFree(h), h) << "failure returns the handle";
    int local = 0;
    EXPECT_EQ(GlobalLock(&local), nullptr);
    EXPECT_EQ(GlobalFree(reused), nullptr);
}

void put32(std::vector<std::byte>& image, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        image[at + i] = static_cast<std::byte>(v >> (8 * i));
    }
}

TEST(ResourceImage, ReadsEntriesAndRefusesBrokenImagesSayingWhereAndWhy) {
    // Empty entry at 0; type 2 name 130 at 32 (data at 64); "SOUND" 143 at 68 (header 40,
    // data at 108); "SOUND" "FAREWELL" at 116 (header 56, data at 172, end 176).
    test::ResourceImageBuilder b;
    b.add(2, 130, {1, 2, 3}).add(u"SOUND", 143, {10, 11, 12, 13, 14}, 0x0409);
    b.add(u"SOUND", u"FAREWELL", {20, 21, 22, 23});
    const auto& image = b.bytes();
    std::vector<kernel::ResourceEntry> e;
    ASSERT_EQ(kernel::read_resource_image(image, e), "");
    ASSERT_EQ(e.size(), 3u);
    const auto at = [&](int i) { return e[i].data.data() - image.data(); };
    EXPECT_EQ(std::tie(e[0].type.is_integer, e[0].type.id, e[0].name.id, e[0].language),
              std::make_tuple(true, 2, 130, 0x0415));
    EXPECT_EQ(std::tie(e[1].type.is_integer, e[1].type.name, e[1].name.id, e[1].language),
              std::make_tuple(false, u"SOUND", 143, 0x0409));
    EXPECT_EQ(std::tie(e[2].name.is_integer, e[2].name.name), std::make_tuple(false, u"FAREWELL"));
    EXPECT_EQ(std::vector({at(0), at(1), at(2)}), std::vector<long>({64, 108, 172}));
    EXPECT_EQ(std::vector({e[0].data.size(), e[1].data.size()}), std::vector<std::size_t>({3, 5}));
    // Cuts are sound only at entry ends, with all, some or none of the last entry's padding.
    const std::set<std::size_t> sound = {32, 67, 68, 113, 114, 115, 116, 176};
    for (std::size_t n = 0; n <= image.size(); ++n) {
        const std::vector<std::byte> cut(image.begin(), image.begin() + static_cast<long>(n));
        EXPECT_EQ(kernel::validate_resource_image(cut).empty(), sound.count(n) == 1) << n;
    }
    using I = std::vector<std::byte>;
    // clang-format off
    struct Case { void (*corrupt)(I&); const char* want; };
    const Case cases[] = {  // base: the empty entry and type 2, name 130, 4 bytes: 68 in all
        {[](I& im) { im.clear(); }, "resource image: empty"},
        {[](I& im) { put32(im, 0, 4); }, "no leading empty entry at offset 0"},
        {[](I& im) { im[10] = std::byte{5}; }, "no leading empty entry at offset 0"},
        {[](I& im) { im.resize(im.size() + 4); }, "truncated header at offset 68"},
        {[](I& im) { put32(im, 36, 28); }, "header size 28 below 32 at offset 32"},
        {[](I& im) { put32(im, 36, 34); }, "header size 34 not DWORD-aligned at offset 32"},
        {[](I& im) { put32(im, 36, 0x1000); }, "header of 4096 bytes runs past the end at offset 32"},
        {[](I& im) { put32(im, 32, 5); }, "data of 5 bytes runs past the end at offset 32"},
        {[](I& im) { put32(im, 32, 0xFFFFFFFF); }, "data of 4294967295 bytes runs past the end at offset 32"},
        {[](I& im) { put32(im, 32, 0); put32(im, 36, 36); }, "header size 36 does not match its names at offset 32"},
    };
    // clang-format on
    test::ResourceImageBuilder one;
    one.add(2, 130, {1, 2, 3, 4});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.want);
        I broken = one.bytes();
        c.corrupt(broken);
        std::vector<kernel::ResourceEntry> entries(1);
        EXPECT_NE(kernel::read_resource_image(broken, entries).find(c.want), std::string::npos);
        EXPECT_EQ(entries.size(), 1u) << "a refused image leaves the caller's list alone";
    }
    I named = test::ResourceImageBuilder().add(u"SOUND", 143, {1}).bytes();
    named[50] = std::byte{'X'};  // the type's terminator: the string runs into the fixed tail
    EXPECT_NE(kernel::validate_resource_image(named).find("unterminated type or name at offset 32"),
              std::string::npos);
}

// Data at: bitmap 130 (6 bytes) 64; SOUND 143 (3) 112; SOUND FAREWELL (2) 172; PIĘKNY 7 (1) 220;
// string blocks and icons after them.
class Resources : public testing::Test {
protected:
    void SetUp() override {
        m_builder.add(2, 130, {1, 2, 3, 4, 5, 6}).add(u"SOUND", 143, {7, 8, 9});
        m_builder.add(u"SOUND", u"FAREWELL", {10, 11}).add(u"PI\u0118KNY", 7, {12});
        // String blocks: 1 holds ids 0..15, 63 ids 992..1007, 4096 ids 65520..65535.
        m_builder.add(6, 1, test::string_block({u"zero", u"", u"Ą"}));
        m_builder.add(6, 63,
                      test::string_block({u"Zażółć gęślą jaźń", u"ZAŻÓŁĆ GĘŚLĄ JAŹŃ",
                                          u"\u65E5\u672C", u"a\U00010000b", u"€„”–"},
                                         8));
        m_builder.add(6, 4096, test::string_block({u"last"}, 15));
        m_builder.add(6, 5, {1, 0, 'x', 0, 9, 0, 'y', 0});  // string 65 claims 9 units
        // Icon images of one byte, their own id, so the test sees which one was picked.
        for (std::uint16_t id = 1; id <= 9; ++id) {
            m_builder.add(3, id, {static_cast<std::uint8_t>(id)});
        }
        // clang-format off
        m_builder.add(14, 128, group({{16, 16, 16, 4, 1}, {32, 32, 16, 4, 2}, {32, 32, 0, 8, 3}, {32, 32, 0, 32, 4}, {48, 48, 0, 8, 5}}));
        // clang-format on
        m_builder.add(14, 129, group({{16, 16, 0, 32, 6}, {0, 0, 0, 32, 7}}));
        m_builder.add(14, 200, group({{32, 32, 2, 0, 8}, {32, 32, 16, 0, 9}}));
        m_builder.add(14, 201, group({{32, 32, 16, 4, 99}}));  // image missing
        m_builder.add(14, 202, {0, 0, 1, 0, 3, 0, 32, 32});    // directory cut short
        m_builder.add(14, 203, {0, 0, 2, 0, 0, 0});            // a cursor directory
        m_image = m_builder.bytes();
        std::string error;
        m_module = kernel::install_resource_image(m_image, kernel::ModuleRole::Extra, &error);
        ASSERT_NE(m_module, nullptr) << error;
    }
    void TearDown() override { kernel::remove_resource_image(m_module); }

    struct Icon {
        std::uint8_t w, h, colours, bits, id;
    };
    static std::vector<std::uint8_t> group(const std::vector<Icon>& icons) {
        std::vector<std::uint8_t> g = {0, 0, 1, 0, static_cast<std::uint8_t>(icons.size()), 0};
        for (const Icon& i : icons) {
            g.insert(g.end(), {i.w, i.h, i.colours, 0, 1, 0, i.bits, 0, 40, 0, 0, 0, i.id, 0});
        }
        return g;
    }
    long data_offset(LPCSTR name, LPCSTR type) {
        HRSRC r = FindResourceA(m_module, name, type);
        if (r == nullptr) {
            return -1;
        }
        const auto* p = static_cast<const std::byte*>(LockResource(LoadResource(m_module, r)));
        return p == nullptr ? -2 : static_cast<long>(p - m_image.data());
    }

    test::ResourceImageBuilder m_builder;
    std::vector<std::byte> m_image;
    HINSTANCE m_module = nullptr;
};

TEST_F(Resources, FindsByIntegerAndStringNamesIgnoringCase) {
    constexpr DWORD kName = ERROR_RESOURCE_NAME_NOT_FOUND, kType = ERROR_RESOURCE_TYPE_NOT_FOUND;
    // clang-format off
    struct Case { LPCSTR resource, type; long offset /* of the data, -1: not found */; DWORD error; };
    const Case cases[] = {
        {MAKEINTRESOURCEA(130), RT_BITMAP, 64, 0}, {MAKEINTRESOURCEA(143), "SOUND", 112, 0},
        {MAKEINTRESOURCEA(143), "SoUnD", 112, 0}, {"#143", "sound", 112, 0}, {"#130", "#2", 64, 0},
        {"farewell", "sound", 172, 0}, {MAKEINTRESOURCEA(7), "PI\xCA" "KNY", 220, 0},
        {MAKEINTRESOURCEA(144), "sound", -1, kName}, {"143", "sound", -1, kName},
        {MAKEINTRESOURCEA(143), MAKEINTRESOURCEA(1), -1, kType}, {MAKEINTRESOURCEA(130), RT_MENU, -1, kType},
        {MAKEINTRESOURCEA(143), "SOUNDS", -1, kType}, {MAKEINTRESOURCEA(143), "SOUN", -1, kType},
        {"#70000", "sound", -1, kName},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << reinterpret_cast<std::uintptr_t>(c.resource) % 0x10000 << " " << c.offset);
        SetLastError(0);
        EXPECT_EQ(data_offset(c.resource, c.type), c.offset);
        EXPECT_EQ(GetLastError(), c.error);
    }
    HRSRC r = FindResourceA(m_module, MAKEINTRESOURCEA(143), "sound");
    EXPECT_EQ(SizeofResource(m_module, r), 3u);
    EXPECT_FALSE(FreeResource(LoadResource(m_module, r)));
}

TEST_F(Resources, BadHandlesAndRemovedModulesFail) {
    HRSRC r = FindResourceA(m_module, MAKEINTRESOURCEA(130), RT_BITMAP);
    const std::pair<HMODULE, HRSRC> cases[] = {
        {m_module, nullptr},
        {m_module, reinterpret_cast<HRSRC>(m_module)},
        {reinterpret_cast<HMODULE>(0x12345678), r},
        {m_module, reinterpret_cast<HRSRC>(0xDEADBEEC)},
    };
    for (const auto& [module, resource] : cases) {
        SetLastError(0);
        EXPECT_EQ(LoadResource(module, resource), nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        EXPECT_EQ(SizeofResource(module, resource), 0u);
    }
    auto* not_a_module = reinterpret_cast<HMODULE>(m_image.data());
    EXPECT_EQ(FindResourceA(not_a_module, MAKEINTRESOURCEA(130), RT_BITMAP), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    ASSERT_TRUE(kernel::remove_resource_image(m_module));
    EXPECT_FALSE(kernel::remove_resource_image(m_module));
    EXPECT_EQ(FindResourceA(m_module, MAKEINTRESOURCEA(130), RT_BITMAP), nullptr);
    // The slot is reused with a new generation: the old handles still fail.
    HINSTANCE again = kernel::install_resource_image(m_image, kernel::ModuleRole::Extra);
    EXPECT_NE(again, m_module);
    EXPECT_EQ(LoadResource(again, r), nullptr);
    EXPECT_NE(FindResourceA(again, MAKEINTRESOURCEA(130), RT_BITMAP), nullptr);
    m_module = again;
}

TEST_F(Resources, NullModuleIsTheProgramImageAndABrokenOneIsRefused) {
    ASSERT_EQ(kernel::program_instance(), nullptr);
    SetLastError(0);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(130), RT_BITMAP), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
    std::vector<std::byte> broken(m_image.begin(), m_image.begin() + 90);
    std::string error;
    EXPECT_EQ(kernel::install_resource_image(broken, kernel::ModuleRole::Program, &error), nullptr);
    EXPECT_EQ(error, "resource image: header of 40 bytes runs past the end at offset 72");
    HINSTANCE program = kernel::install_resource_image(m_image, kernel::ModuleRole::Program);
    EXPECT_EQ(kernel::program_instance(), program);
    EXPECT_EQ(kernel::installed_modules().front(), program);
    HRSRC r = FindResourceA(nullptr, MAKEINTRESOURCEA(130), RT_BITMAP);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(LoadResource(nullptr, r), LoadResource(program, r));
    kernel::remove_resource_image(program);
    EXPECT_EQ(kernel::program_instance(), nullptr);
}

TEST_F(Resources, BoundsRunFromThePointerToTheEndOfItsResource) {
    // clang-format off
    const std::pair<std::size_t, std::size_t> cases[] = {  // offset into the image, bytes left
        {64, 6}, {66, 4}, {69, 1}, {70, 0} /* padding */, {80, 0} /* next header */, {112, 3},
        {0, 0} /* leading empty entry */, {220, 1}, {m_image.size(), 0} /* one past the end */,
    };
    // clang-format on
    for (const auto& [offset, left] : cases) {
        SCOPED_TRACE(offset);
        const auto bounds = kernel::resource_bytes_from(m_image.data() + offset);
        ASSERT_TRUE(bounds.has_value());
        EXPECT_EQ(bounds->size(), left);
        EXPECT_TRUE(left == 0 || bounds->data() == m_image.data() + offset);
    }
    const int outside = 0;
    EXPECT_FALSE(kernel::resource_bytes_from(&outside).has_value());
    EXPECT_FALSE(kernel::resource_bytes_from(nullptr).has_value());
}

TEST_F(Resources, LoadStringConvertsToWindows1250AndTruncatesToTheBuffer) {
    // clang-format off
    struct Case { UINT id; int max; const char* want; /* bytes before the NUL; empty: not found */ int result; };
    const Case cases[] = {
        {0, 64, "zero", 4}, {1000, 64, "Za\xBF\xF3\xB3\xE6 g\xEA\x9C" "l\xB9 ja\x9F\xF1", 17},
        {1001, 64, "ZA\xAF\xD3\xA3\xC6 G\xCA\x8CL\xA5 JA\x8F\xD1", 17}, {1002, 64, "??", 2},
        {1003, 64, "a?b", 3} /* a surrogate pair is one character */, {1004, 64, "\x80\x84\x94\x96", 4},
        {0, 5, "zero", 4} /* exact fit */, {0, 4, "zer", 3}, {0, 1, "", 0}, {1000, 6, "Za\xBF\xF3\xB3", 5},
        {2, 2, "\xA5", 1}, {65535, 16, "last", 4} /* last id of the last block */,
        {1, 16, "", 0} /* empty */, {1006, 16, "", 0} /* unused slot */, {16, 16, "", 0} /* no block */,
        {66, 16, "", 0} /* past a short block */, {65, 16, "", 0} /* cut by the block's end */,
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        char buffer[80];
        std::memset(buffer, '#', sizeof buffer);
        SetLastError(0);
        EXPECT_EQ(LoadStringA(m_module, c.id, buffer, c.max), c.result);
        EXPECT_STREQ(buffer, c.want);
        EXPECT_EQ(buffer[c.max], '#') << "wrote past the buffer";
        if (c.result == 0 && c.max > 1) {
            EXPECT_EQ(GetLastError(), DWORD{ERROR_RESOURCE_NAME_NOT_FOUND});
        }
    }
    char buffer[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(LoadStringA(m_module, 0, nullptr, 4), 0);
    EXPECT_EQ(LoadStringA(m_module, 0, buffer, 0), 0);
    EXPECT_EQ(LoadStringA(m_module, 0, buffer, -1), 0);
    EXPECT_EQ(buffer[0], '#');
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST_F(Resources, PicturesAreThePackedBytesAndTheNearestIconForTheDisplay) {
    const auto dib = kernel::bitmap_resource_bytes(m_module, MAKEINTRESOURCEA(130));
    EXPECT_EQ(dib.data(), m_image.data() + 64);
    EXPECT_EQ(dib.size(), 6u);
    EXPECT_TRUE(kernel::bitmap_resource_bytes(m_module, MAKEINTRESOURCEA(131)).empty());
    // clang-format off
    struct Case { WORD group; int cx, cy, display_bits; int picked; /* id of the image, 0 for none */ };
    const Case cases[] = {
        {128, 32, 32, 8, 3} /* 256 colours */, {128, 32, 32, 32, 4} /* true colour */,
        {128, 32, 32, 4, 2} /* 16 colours */, {128, 16, 16, 8, 1}, {128, 44, 44, 8, 5} /* nearest above */,
        {129, 16, 16, 8, 6} /* all too deep: the shallowest */, {129, 250, 250, 32, 7} /* width 0 is 256 */,
        {200, 32, 32, 8, 9} /* bits from the colour count */, {200, 32, 32, 1, 8},
        {201, 32, 32, 8, 0} /* image missing */, {202, 32, 32, 8, 0} /* directory short */,
        {203, 32, 32, 8, 0} /* a cursor */, {127, 32, 32, 8, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.group << " " << c.cx << " " << c.display_bits);
        const auto bytes = kernel::icon_resource_bytes(m_module, MAKEINTRESOURCEA(c.group), c.cx,
                                                       c.cy, c.display_bits);
        EXPECT_EQ(bytes.empty() ? 0 : std::to_integer<int>(bytes[0]), c.picked);
        EXPECT_LE(bytes.size(), 1u);
    }
}

}  // namespace
