// ResourceLookupTest.cpp: FindResourceA, LoadResource, LockResource, SizeofResource over
// installed images, and the bounds that readers of resource memory get.
#include "platform/win32/kernel/ResourceBounds.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/windows.h"
#include "tests/kernel/ResourceImageBuilder.h"

#include <gtest/gtest.h>

namespace {

using test::ResourceImageBuilder;

// Data offsets: entry 1 (bitmap 130, 6 bytes) at 64; entry 2 (SOUND 143, 3 bytes) at 112
// (header 8 + 12 + 4 + 16 = 40 at 72); entry 3 ("SOUND" "FAREWELL", 2 bytes) at 172 (header at
// 116: 8 + 12 + 18 -> 40, + 16 = 56); entry 4 (type "PIĘKNY", name 7, 1 byte) at 220 (header at
// 176: 8 + 14 + 4 -> 28, + 16 = 44).
class ResourceLookup : public testing::Test {
protected:
    void SetUp() override {
        m_builder.add(2, 130, {1, 2, 3, 4, 5, 6});
        m_builder.add(u"SOUND", 143, {7, 8, 9});
        m_builder.add(u"SOUND", u"FAREWELL", {10, 11});
        m_builder.add(u"PI\u0118KNY", 7, {12});
        m_image = m_builder.bytes();
        std::string error;
        m_module = kernel::install_resource_image(m_image, kernel::ModuleRole::Extra, &error);
        ASSERT_NE(m_module, nullptr) << error;
    }
    void TearDown() override { kernel::remove_resource_image(m_module); }

    // The data of a found resource as offsets into the image, or -1 when not found.
    long data_offset(LPCSTR name, LPCSTR type) {
        HRSRC r = FindResourceA(m_module, name, type);
        if (r == nullptr) {
            return -1;
        }
        const auto* p = static_cast<const std::byte*>(LockResource(LoadResource(m_module, r)));
        return p == nullptr ? -2 : static_cast<long>(p - m_image.data());
    }

    ResourceImageBuilder m_builder;
    std::vector<std::byte> m_image;
    HINSTANCE m_module = nullptr;
};

struct FindCase {
    const char* name;
    LPCSTR resource;
    LPCSTR type;
    long offset;  // of the data in the image, -1 for not found
    DWORD error;  // the last error when not found
};

TEST_F(ResourceLookup, FindsByIntegerAndStringNamesIgnoringCase) {
    const FindCase cases[] = {
        {"integer type and name", MAKEINTRESOURCEA(130), RT_BITMAP, 64, 0},
        {"type name in capitals", MAKEINTRESOURCEA(143), "SOUND", 112, 0},
        {"type name in small letters", MAKEINTRESOURCEA(143), "sound", 112, 0},
        {"type name mixed", MAKEINTRESOURCEA(143), "SoUnD", 112, 0},
        {"name as #number", "#143", "sound", 112, 0},
        {"type as #number", "#130", "#2", 64, 0},
        {"string name ignoring case", "farewell", "sound", 172, 0},
        {"CP1250 type name", MAKEINTRESOURCEA(7),
         "PI\xCA"
         "KNY",
         220, 0},
        {"missing name", MAKEINTRESOURCEA(144), "sound", -1, ERROR_RESOURCE_NAME_NOT_FOUND},
        {"string where an integer is stored", "143", "sound", -1, ERROR_RESOURCE_NAME_NOT_FOUND},
        {"integer where a string is stored", MAKEINTRESOURCEA(143), MAKEINTRESOURCEA(1), -1,
         ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"missing type", MAKEINTRESOURCEA(130), RT_ICON, -1, ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"longer type name", MAKEINTRESOURCEA(143), "SOUNDS", -1, ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"shorter type name", MAKEINTRESOURCEA(143), "SOUN", -1, ERROR_RESOURCE_TYPE_NOT_FOUND},
        {"#number too large", "#70000", "sound", -1, ERROR_RESOURCE_NAME_NOT_FOUND},
    };
    for (const FindCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetLastError(0);
        EXPECT_EQ(data_offset(c.resource, c.type), c.offset);
        if (c.offset < 0) {
            EXPECT_EQ(GetLastError(), c.error);
        }
    }
}

TEST_F(ResourceLookup, SizeAndBytesAreTheEntrysData) {
    HRSRC r = FindResourceA(m_module, MAKEINTRESOURCEA(143), "sound");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(SizeofResource(m_module, r), 3u);
    const auto* p = static_cast<const unsigned char*>(LockResource(LoadResource(m_module, r)));
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p[0], 7);
    EXPECT_EQ(p[2], 9);
    EXPECT_FALSE(FreeResource(LoadResource(m_module, r)));
}

TEST_F(ResourceLookup, BadHandlesFailWithoutTouchingMemory) {
    HRSRC r = FindResourceA(m_module, MAKEINTRESOURCEA(130), RT_BITMAP);
    ASSERT_NE(r, nullptr);

    struct Case {
        const char* name;
        HMODULE module;
        HRSRC resource;
    };
    const Case cases[] = {
        {"null resource", m_module, nullptr},
        {"module handle as resource", m_module, reinterpret_cast<HRSRC>(m_module)},
        {"resource of another module", reinterpret_cast<HMODULE>(0x12345678), r},
        {"garbage resource", m_module, reinterpret_cast<HRSRC>(0xDEADBEEC)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetLastError(0);
        EXPECT_EQ(LoadResource(c.module, c.resource), nullptr);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        EXPECT_EQ(SizeofResource(c.module, c.resource), 0u);
    }
    SetLastError(0);
    EXPECT_EQ(
        FindResourceA(reinterpret_cast<HMODULE>(m_image.data()), MAKEINTRESOURCEA(130), RT_BITMAP),
        nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(LockResource(nullptr), nullptr);
}

TEST_F(ResourceLookup, ARemovedModuleAndItsResourcesStopWorking) {
    HRSRC r = FindResourceA(m_module, MAKEINTRESOURCEA(130), RT_BITMAP);
    ASSERT_NE(r, nullptr);
    ASSERT_TRUE(kernel::remove_resource_image(m_module));
    EXPECT_EQ(LoadResource(m_module, r), nullptr);
    EXPECT_EQ(FindResourceA(m_module, MAKEINTRESOURCEA(130), RT_BITMAP), nullptr);
    EXPECT_FALSE(kernel::remove_resource_image(m_module));

    // The slot is reused with a new generation: the old handles still fail.
    HINSTANCE again = kernel::install_resource_image(m_image, kernel::ModuleRole::Extra);
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, m_module);
    EXPECT_EQ(LoadResource(m_module, r), nullptr);
    EXPECT_EQ(LoadResource(again, r), nullptr);
    EXPECT_NE(FindResourceA(again, MAKEINTRESOURCEA(130), RT_BITMAP), nullptr);
    m_module = again;
}

TEST_F(ResourceLookup, NullModuleIsTheProgramImage) {
    ASSERT_EQ(kernel::program_instance(), nullptr);
    SetLastError(0);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCEA(130), RT_BITMAP), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));

    HINSTANCE program = kernel::install_resource_image(m_image, kernel::ModuleRole::Program);
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(kernel::program_instance(), program);
    HRSRC r = FindResourceA(nullptr, MAKEINTRESOURCEA(130), RT_BITMAP);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(LoadResource(nullptr, r), LoadResource(program, r));
    EXPECT_EQ(kernel::installed_modules().front(), program);
    kernel::remove_resource_image(program);
    EXPECT_EQ(kernel::program_instance(), nullptr);
}

TEST_F(ResourceLookup, AMalformedImageIsRefusedWithItsReason) {
    std::vector<std::byte> broken = m_image;
    broken.resize(90);  // inside the second entry's header
    std::string error;
    SetLastError(0);
    EXPECT_EQ(kernel::install_resource_image(broken, kernel::ModuleRole::Program, &error), nullptr);
    EXPECT_EQ(error, "resource image: header of 40 bytes runs past the end at offset 72");
    EXPECT_EQ(kernel::program_instance(), nullptr);
}

TEST_F(ResourceLookup, BoundsRunFromThePointerToTheEndOfItsResource) {
    struct Case {
        const char* name;
        std::size_t offset;  // into the image
        std::size_t expected;
    };
    const Case cases[] = {
        {"start of bitmap 130", 64, 6},      {"inside bitmap 130", 66, 4},
        {"last byte of bitmap 130", 69, 1},  {"padding after bitmap 130", 70, 0},
        {"header of the next entry", 80, 0}, {"start of the wave", 112, 3},
        {"leading empty entry", 0, 0},       {"last byte of the image", 220, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto bounds = kernel::resource_bytes_from(m_image.data() + c.offset);
        ASSERT_TRUE(bounds.has_value());  // inside the image: bounded, even when nothing is left
        EXPECT_EQ(bounds->size(), c.expected);
        if (c.expected != 0) {
            EXPECT_EQ(bounds->data(), m_image.data() + c.offset);
        }
    }
    // One past the end is where an empty last resource points: bounded, nothing to read.
    const auto at_end = kernel::resource_bytes_from(m_image.data() + m_image.size());
    ASSERT_TRUE(at_end.has_value());
    EXPECT_TRUE(at_end->empty());
    const int outside = 0;
    EXPECT_FALSE(kernel::resource_bytes_from(&outside).has_value());
    EXPECT_FALSE(kernel::resource_bytes_from(nullptr).has_value());
}

}  // namespace
