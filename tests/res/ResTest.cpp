// ResTest.cpp: the linked resource image, its strings and assets, and the class library's
// current resource module.
#include "platform/afx/afxresource.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/kernel/ResourcePictures.h"
#include "platform/win32/windows.h"
#include "res/PiloResources.h"
#include "res/resource.h"
#include "tests/kernel/ResourceImageBuilder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::uint32_t u32(std::span<const std::byte> b, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        v |= std::to_integer<std::uint32_t>(b[at + i]) << (8 * i);
    }
    return v;
}

TEST(PiloResources, ImageIsSoundAndInstallingAgainRestoresTheProgramModule) {
    const auto image = pilo_resource_image();
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(image.data()) % 16, 0u);
    EXPECT_EQ(kernel::validate_resource_image(image), "");
    HINSTANCE program = pilo_install_resources();
    EXPECT_EQ(kernel::program_instance(), program);
    const std::vector<std::byte> other = test::ResourceImageBuilder().add(2, 130, {1}).bytes();
    HINSTANCE intruder = kernel::install_resource_image(other, kernel::ModuleRole::Program);
    EXPECT_EQ(kernel::program_instance(), intruder) << "another image took the program's role";
    EXPECT_EQ(pilo_install_resources(), program);
    EXPECT_EQ(kernel::program_instance(), program);
    kernel::remove_resource_image(intruder);
    EXPECT_EQ(kernel::program_instance(), program);
    ASSERT_TRUE(kernel::remove_resource_image(program));
    HINSTANCE again = pilo_install_resources();
    EXPECT_NE(again, program) << "removed outright, it comes back under a new handle";
    EXPECT_EQ(kernel::program_instance(), again);
}

TEST(PiloResources, StringsAreWindows1250AndWavesWholeRiffFiles) {
    HINSTANCE module = pilo_install_resources();
    // clang-format off
    const std::pair<UINT, const char*> strings[] = {  // "" for no string
        {101, "&O Programie..."}, {1000, "Nast\xEApny ruch, Prawy klawisz - zmiana pionk\xF3w"},
        {1001, "Tw\xF3j dorobek punktowy"}, {1005, "Od pocz\xB9tku - nowa gra"}, {1006, "Kszta\xB3t planszy"},
        {1007, "Wyj\x9C" "cie z gry"}, {1004, ""}, {100, ""}, {2000, ""},
    };
    // clang-format on
    for (const auto& [id, want] : strings) {
        char buffer[128];
        EXPECT_EQ(LoadStringA(nullptr, id, buffer, sizeof buffer), int(std::strlen(want))) << id;
        EXPECT_STREQ(buffer, want);
    }
    const auto icon = kernel::icon_resource_bytes(module, MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_GE(icon.size(), 12u);
    EXPECT_EQ(std::make_pair(u32(icon, 4), u32(icon, 8)), std::make_pair(32u, 64u));
    for (WORD id = IDW_FAREWELL; id <= IDW_DIGIT9; ++id) {
        HRSRC r = FindResourceA(module, MAKEINTRESOURCEA(id), "sound");
        const auto* p = static_cast<const std::byte*>(LockResource(LoadResource(module, r)));
        ASSERT_NE(p, nullptr) << id;
        const std::span<const std::byte> wave(p, SizeofResource(module, r));
        // RIFF, size, WAVE, "fmt ", 18, PCM with 8 bits per sample.
        EXPECT_EQ(
            std::vector({u32(wave, 0), u32(wave, 4), u32(wave, 8), u32(wave, 12), u32(wave, 16)}),
            std::vector<std::uint32_t>(
                {0x46464952, std::uint32_t(wave.size() - 8), 0x45564157, 0x20746D66, 18}));
        EXPECT_EQ(u32(wave, 20) & 0xFFFF, 1u);
        EXPECT_EQ(u32(wave, 32) >> 16, 8u);
    }
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(IDW_DIGIT9 + 1), "sound"), nullptr);
}

class AfxResource : public testing::Test {
protected:
    void SetUp() override {
        m_program = pilo_install_resources();
        m_image = test::ResourceImageBuilder().add(2, 130, {1}).add(u"EXTRA", 7, {2}).bytes();
        m_extra = kernel::install_resource_image(m_image, kernel::ModuleRole::Extra);
        ASSERT_NE(m_extra, nullptr);
    }
    void TearDown() override {
        AfxSetResourceHandle(nullptr);
        kernel::remove_resource_image(m_extra);
    }
    std::vector<std::byte> m_image;
    HINSTANCE m_program = nullptr, m_extra = nullptr;
};

TEST_F(AfxResource, FindSearchesTheCurrentModuleFirstThenTheOthers) {
    EXPECT_EQ(AfxGetResourceHandle(), m_program) << "the program until another is set";
    struct Case {
        bool extra_current;
        int id;
        LPCSTR type;
        bool found_in_extra;
    };
    // clang-format off
    const Case cases[] = {
        {false, 130, RT_BITMAP, false} /* in both */, {true, 130, RT_BITMAP, true},
        {false, 7, "extra", true}, {true, 143, "sound", false},
        {false, 999, RT_BITMAP, false} /* nowhere: the current one */, {true, 999, RT_BITMAP, true},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.extra_current << " " << c.id);
        AfxSetResourceHandle(c.extra_current ? m_extra : nullptr);
        SetLastError(1234);
        EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCEA(c.id), c.type),
                  c.found_in_extra ? m_extra : m_program);
        EXPECT_EQ(GetLastError(), 1234u) << "the search leaves no error behind";
    }
    AfxSetResourceHandle(m_extra);
    kernel::remove_resource_image(m_extra);
    EXPECT_EQ(AfxGetResourceHandle(), m_program) << "a removed module no longer counts";
}

}  // namespace
