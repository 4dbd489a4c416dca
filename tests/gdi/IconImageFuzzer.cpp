// IconImageFuzzer.cpp: icons made from arbitrary icon image bytes never read outside them,
// and whatever is made can be drawn and freed.
#include "platform/win32/gdi/IconFromDib.h"
#include "platform/win32/gdi/Screen.h"
#include "platform/win32/windows.h"

#include <cstdlib>
#include <span>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    [[maybe_unused]] static const bool configured = gdi::configure_screen(8);
    // A copy of exactly the input, so reading one byte past it is caught.
    const auto* bytes = reinterpret_cast<const std::byte*>(data);
    const std::vector<std::byte> image(bytes, bytes + size);
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP target = CreateBitmap(40, 40, 1, 8, nullptr);
    HGDIOBJ old = SelectObject(mem, target);
    if (HICON icon = gdi::create_icon_from_dib(image)) {
        DrawIcon(mem, 3, -2, icon);
        DestroyIcon(icon);
    }
    SelectObject(mem, old);
    DeleteObject(target);
    DeleteDC(mem);
    if (GdiAliveCountForTest() != 0) {
        std::abort();  // every object made above was freed
    }
    return 0;
}
