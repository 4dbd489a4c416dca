// PiloResources.cpp: the compiled resource image, embedded by the assembler's .incbin.
#include "res/PiloResources.h"

#include "platform/win32/kernel/ResourceModules.h"

#ifndef PILO_RES_FILE
#error "PILO_RES_FILE must name the compiled resource image"
#endif

// The image lands in read-only data, aligned so that every resource in it is DWORD-aligned
// in memory as the .res format aligns it in the file. WebAssembly's assembler names sections
// and sizes its data symbols in its own way.
#ifdef __wasm__
asm(".section .rodata.pilo_resources,\"\",@\n"
    ".p2align 4\n"
    ".globl pilo_resource_image_begin\n"
    ".hidden pilo_resource_image_begin\n"
    "pilo_resource_image_begin:\n"
    ".incbin \"" PILO_RES_FILE
    "\"\n"
    ".Lpilo_resource_image_end:\n"
    ".size pilo_resource_image_begin, .Lpilo_resource_image_end - pilo_resource_image_begin\n"
    ".section .rodata.pilo_resource_size,\"\",@\n"
    ".p2align 3\n"
    ".globl pilo_resource_image_size\n"
    ".hidden pilo_resource_image_size\n"
    "pilo_resource_image_size:\n"
    ".int64 .Lpilo_resource_image_end - pilo_resource_image_begin\n"
    ".size pilo_resource_image_size, 8\n");
#else
asm(".pushsection .rodata.pilo_resources,\"a\",@progbits\n"
    ".balign 16\n"
    ".globl pilo_resource_image_begin\n"
    ".hidden pilo_resource_image_begin\n"
    "pilo_resource_image_begin:\n"
    ".incbin \"" PILO_RES_FILE
    "\"\n"
    "pilo_resource_image_end:\n"
    ".balign 8\n"
    ".globl pilo_resource_image_size\n"
    ".hidden pilo_resource_image_size\n"
    "pilo_resource_image_size:\n"
    ".quad pilo_resource_image_end - pilo_resource_image_begin\n"
    ".popsection\n");
#endif

extern "C" const std::byte pilo_resource_image_begin[];
extern "C" const std::uint64_t pilo_resource_image_size;

std::span<const std::byte> pilo_resource_image() {
    return {pilo_resource_image_begin, static_cast<std::size_t>(pilo_resource_image_size)};
}

HINSTANCE pilo_install_resources(std::string* error) {
    static HINSTANCE installed = nullptr;
    if (installed != nullptr && kernel::set_program_instance(installed)) {
        return installed;
    }
    installed =
        kernel::install_resource_image(pilo_resource_image(), kernel::ModuleRole::Program, error);
    return installed;
}
