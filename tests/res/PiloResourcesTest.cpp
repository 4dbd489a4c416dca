// PiloResourcesTest.cpp: the linked resource image and how it becomes the program's module.
#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/windows.h"
#include "res/PiloResources.h"
#include "tests/kernel/ResourceImageBuilder.h"

#include <gtest/gtest.h>

namespace {

TEST(PiloResources, ImageIsAlignedAndSound) {
    const auto image = pilo_resource_image();
    ASSERT_GT(image.size(), 32u);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(image.data()) % 16, 0u);
    EXPECT_EQ(kernel::validate_resource_image(image), "");
}

TEST(PiloResources, InstallingAgainRestoresTheProgramModule) {
    HINSTANCE program = pilo_install_resources();
    ASSERT_NE(program, nullptr);
    EXPECT_EQ(kernel::program_instance(), program);

    // Another image takes the program's role, as a test of another area may do.
    test::ResourceImageBuilder other;
    other.add(2, 130, {1});
    const std::vector<std::byte> bytes = other.bytes();
    HINSTANCE intruder = kernel::install_resource_image(bytes, kernel::ModuleRole::Program);
    ASSERT_NE(intruder, nullptr);
    EXPECT_EQ(kernel::program_instance(), intruder);

    EXPECT_EQ(pilo_install_resources(), program);
    EXPECT_EQ(kernel::program_instance(), program);
    EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCEA(143), "sound"), nullptr);
    kernel::remove_resource_image(intruder);
    EXPECT_EQ(kernel::program_instance(), program);

    // Removed outright, it is installed afresh under a new handle.
    ASSERT_TRUE(kernel::remove_resource_image(program));
    HINSTANCE again = pilo_install_resources();
    ASSERT_NE(again, nullptr);
    EXPECT_NE(again, program);
    EXPECT_EQ(kernel::program_instance(), again);
}

}  // namespace
