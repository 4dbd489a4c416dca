// ResTest.cpp: the linked resource image and the class library's current resource module;
// its strings, pictures and waves show in the program's own tests.
#include "platform/afx/afxresource.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/windows.h"
#include "res/PiloResources.h"
#include "tests/kernel/ResourceImageBuilder.h"

#include <gtest/gtest.h>

namespace {

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
    // clang-format off
    struct Case { bool extra_current; int id; LPCSTR type; bool found_in_extra; };
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
