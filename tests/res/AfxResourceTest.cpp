// AfxResourceTest.cpp: the class library's current resource module and its search order.
#include "platform/afx/afxresource.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/windows.h"
#include "res/PiloResources.h"
#include "tests/kernel/ResourceImageBuilder.h"

#include <gtest/gtest.h>

namespace {

class AfxResource : public testing::Test {
protected:
    void SetUp() override {
        m_program = pilo_install_resources();
        ASSERT_NE(m_program, nullptr);
        // Bitmap 130 is in both modules, "EXTRA" 7 only here.
        m_builder.add(2, 130, {1});
        m_builder.add(u"EXTRA", 7, {2});
        m_image = m_builder.bytes();
        m_extra = kernel::install_resource_image(m_image, kernel::ModuleRole::Extra);
        ASSERT_NE(m_extra, nullptr);
    }
    void TearDown() override {
        AfxSetResourceHandle(nullptr);
        kernel::remove_resource_image(m_extra);
    }

    test::ResourceImageBuilder m_builder;
    std::vector<std::byte> m_image;
    HINSTANCE m_program = nullptr;
    HINSTANCE m_extra = nullptr;
};

TEST_F(AfxResource, CurrentModuleIsTheProgramUntilAnotherIsSet) {
    EXPECT_EQ(AfxGetResourceHandle(), m_program);
    AfxSetResourceHandle(m_extra);
    EXPECT_EQ(AfxGetResourceHandle(), m_extra);
    kernel::remove_resource_image(m_extra);
    EXPECT_EQ(AfxGetResourceHandle(), m_program) << "a removed module no longer counts";
}

TEST_F(AfxResource, FindSearchesTheCurrentModuleFirstThenTheOthers) {
    struct Case {
        const char* name;
        bool extra_is_current;
        LPCSTR resource;
        LPCSTR type;
        bool expect_extra;
    };
    const Case cases[] = {
        {"in both, program current", false, MAKEINTRESOURCEA(130), RT_BITMAP, false},
        {"in both, extra current", true, MAKEINTRESOURCEA(130), RT_BITMAP, true},
        {"only in extra", false, MAKEINTRESOURCEA(7), "extra", true},
        {"only in program", true, MAKEINTRESOURCEA(143), "sound", false},
        {"nowhere, program current", false, MAKEINTRESOURCEA(999), RT_BITMAP, false},
        {"nowhere, extra current", true, MAKEINTRESOURCEA(999), RT_BITMAP, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AfxSetResourceHandle(c.extra_is_current ? m_extra : nullptr);
        SetLastError(1234);
        EXPECT_EQ(AfxFindResourceHandle(c.resource, c.type), c.expect_extra ? m_extra : m_program);
        EXPECT_EQ(GetLastError(), 1234u) << "the search leaves no error behind";
    }
}

}  // namespace
