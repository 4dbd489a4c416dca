// ResourceImageFuzzer.cpp: the .res reader and the lookups behind it on arbitrary bytes.
#include "platform/win32/kernel/ResourceBounds.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/kernel/ResourcePictures.h"
#include "platform/win32/windows.h"

#include <cstring>
#include <vector>

namespace {
volatile unsigned g_sink = 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly the input, DWORD-aligned as a linked image is.
    std::vector<std::byte> image(size);
    if (size != 0) {
        std::memcpy(image.data(), data, size);
    }
    std::string error;
    HINSTANCE module = kernel::install_resource_image(image, kernel::ModuleRole::Extra, &error);
    if (module == nullptr) {
        return 0;
    }
    // Walk every entry through the API, as the program would.
    for (const kernel::ResourceEntry& e : *kernel::module_entries(module)) {
        if (!e.type.is_integer || !e.name.is_integer) {
            continue;
        }
        HRSRC r = FindResourceA(module, MAKEINTRESOURCEA(e.name.id), MAKEINTRESOURCEA(e.type.id));
        const DWORD n = SizeofResource(module, r);
        const auto* p = static_cast<const std::byte*>(LockResource(LoadResource(module, r)));
        // Touch every byte the API hands out, so a bad size is an out-of-bounds read.
        unsigned sum = 0;
        for (DWORD i = 0; p != nullptr && i < n; ++i) {
            sum += std::to_integer<unsigned>(p[i]);
        }
        g_sink = g_sink + sum;
        if (p != nullptr && n != 0) {
            (void)kernel::resource_bytes_from(p + n / 2);
        }
        if (e.type.id == 6) {
            char buffer[64];
            for (UINT k = 0; k < 16; ++k) {
                LoadStringA(module, (e.name.id - 1u) * 16u + k, buffer, sizeof buffer);
            }
        }
        if (e.type.id == 14) {
            (void)kernel::icon_resource_bytes(module, MAKEINTRESOURCEA(e.name.id));
        }
    }
    (void)FindResourceA(module, MAKEINTRESOURCEA(143), "sound");
    kernel::remove_resource_image(module);
    return 0;
}
