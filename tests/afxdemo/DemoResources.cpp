// DemoResources.cpp: the demo's compiled resource image, embedded by the assembler's .incbin.
#include "tests/afxdemo/DemoResources.h"

#include "platform/win32/kernel/ResourceModules.h"

#include <cstddef>
#include <cstdint>
#include <span>

#ifndef AFXDEMO_RES_FILE
#error "AFXDEMO_RES_FILE must name the compiled resource image"
#endif

// Aligned so that every resource in the image is DWORD-aligned in memory, as in the file.
asm(".pushsection .rodata.afxdemo_resources,\"a\",@progbits\n"
    ".balign 16\n"
    ".globl afxdemo_resource_image_begin\n"
    ".hidden afxdemo_resource_image_begin\n"
    "afxdemo_resource_image_begin:\n"
    ".incbin \"" AFXDEMO_RES_FILE
    "\"\n"
    "afxdemo_resource_image_end:\n"
    ".balign 8\n"
    ".globl afxdemo_resource_image_size\n"
    ".hidden afxdemo_resource_image_size\n"
    "afxdemo_resource_image_size:\n"
    ".quad afxdemo_resource_image_end - afxdemo_resource_image_begin\n"
    ".popsection\n");

extern "C" const std::byte afxdemo_resource_image_begin[];
extern "C" const std::uint64_t afxdemo_resource_image_size;

HINSTANCE afxdemo_install_resources(std::string* error) {
    static HINSTANCE installed = nullptr;
    if (installed != nullptr && kernel::set_program_instance(installed)) {
        return installed;
    }
    const std::span<const std::byte> image{afxdemo_resource_image_begin,
                                           static_cast<std::size_t>(afxdemo_resource_image_size)};
    installed = kernel::install_resource_image(image, kernel::ModuleRole::Program, error);
    return installed;
}
