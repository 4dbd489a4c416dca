// PictureFuzzer.cpp: the piece-set and button picture path on arbitrary bitmap resources:
// LoadBitmapA, MakeMask and DrawMasked into a screen-format target. The resource ends where
// the input does, and every object made along the way must be gone afterwards.
#include "gfx/MaskedDraw.h"
#include "platform/win32/gdi/Screen.h"
#include "platform/win32/kernel/ResourceModules.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void PutWord(std::vector<std::byte>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<std::byte>(value >> (8 * i)));
    }
}

// One .res entry with an ordinal type and name; the data is padded to whole words.
void PutEntry(std::vector<std::byte>& out, WORD type, WORD name, const std::uint8_t* data,
              std::size_t size) {
    PutWord(out, static_cast<std::uint32_t>(size), 4);
    PutWord(out, 32, 4);  // header size
    PutWord(out, 0xFFFF, 2);
    PutWord(out, type, 2);
    PutWord(out, 0xFFFF, 2);
    PutWord(out, name, 2);
    PutWord(out, 0, 4);      // data version
    PutWord(out, 0x30, 2);   // memory flags
    PutWord(out, 0x409, 2);  // language
    PutWord(out, 0, 4);      // version
    PutWord(out, 0, 4);      // characteristics
    out.insert(out.end(), reinterpret_cast<const std::byte*>(data),
               reinterpret_cast<const std::byte*>(data) + size);
    while (out.size() % 4 != 0) {
        out.push_back(std::byte{0});
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool screen_ready = gdi::configure_screen(8);
    if (!screen_ready) {
        std::abort();
    }
    // The first two bytes place the picture on the target; the rest is the packed DIB, in
    // whole words so that no padding hides a read past its end.
    if (size < 2) {
        return 0;
    }
    const int x = static_cast<std::int8_t>(data[0]);
    const int y = static_cast<std::int8_t>(data[1]);
    const std::size_t dib_size = (size - 2) & ~std::size_t{3};
    std::vector<std::byte> image;
    PutEntry(image, 0, 0, nullptr, 0);
    PutEntry(image, 2, 1, data + 2, dib_size);
    image.shrink_to_fit();
    HINSTANCE module = kernel::install_resource_image(image, kernel::ModuleRole::Extra);
    if (module == nullptr) {
        return 0;
    }
    const std::size_t alive = GdiAliveCountForTest();
    {
        CBitmap picture;
        CBitmap mask;
        HBITMAP loaded = LoadBitmapA(module, MAKEINTRESOURCE(1));
        if (loaded != nullptr && picture.Attach(loaded) && MakeMask(&picture, &mask)) {
            HDC screen = GetDC(nullptr);
            CBitmap canvas;
            CDC target;
            if (canvas.Attach(CreateCompatibleBitmap(screen, 40, 40)) &&
                target.CreateCompatibleDC(nullptr)) {
                const HBITMAP old = target.SelectObject(&canvas);
                BITMAP info{};
                picture.GetObject(sizeof info, &info);
                DrawMasked(&target, CRect(x, y, x + info.bmWidth, y + info.bmHeight), &picture,
                           &mask);
                target.SelectObject(old);
            }
            ReleaseDC(nullptr, screen);
        }
    }
    if (GdiAliveCountForTest() != alive) {
        std::abort();
    }
    kernel::remove_resource_image(module);
    return 0;
}
