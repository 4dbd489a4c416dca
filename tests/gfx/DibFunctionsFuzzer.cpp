// DibFunctionsFuzzer.cpp: the program's DIB functions on arbitrary bitmap resources; the
// resource ends exactly where the input does, so any read past it is reported.
#include "gfx/DibFunctions.h"
#include "platform/win32/gdi/Screen.h"
#include "tests/gfx/GfxTestSupport.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool screen_ready = gdi::configure_screen(8);
    if (!screen_ready) {
        std::abort();
    }
    // Whole words only: the resource image pads entries to 4 bytes, and padding would hide a
    // read just past the end.
    std::vector<std::uint8_t> dib(data, data + (size & ~std::size_t{3}));
    gfxtest::ResourceTable table;
    table.add_bitmap(1, dib);
    if (!table.install()) {
        return 0;
    }
    const std::size_t alive = GdiAliveCountForTest();
    const void* header = table.locked(1);
    HGLOBAL resource = table.handle(1);
    if (header == nullptr || resource == nullptr) {
        return 0;
    }
    const WORD colors = GetDibColorCount(header);
    const WORD table_bytes = GetDibColorTableSize(header);
    const LONG width = GetDibWidth(header);
    const LONG height = GetDibHeight(header);
    // A header of unknown size, or one longer than the resource, answers 0 everywhere.
    const std::uint32_t header_size =
        dib.size() < 4 ? 0
                       : dib[0] | (dib[1] << 8) | (dib[2] << 16) | (std::uint32_t{dib[3]} << 24);
    const bool known =
        header_size == 12 || header_size == 40 || header_size == 108 || header_size == 124;
    if ((!known || header_size > dib.size()) &&
        (colors != 0 || table_bytes != 0 || width != 0 || height != 0)) {
        std::abort();
    }
    {
        CPalette palette;
        const BOOL built = BuildDibPalette(resource, header, &palette);
        if (built != (palette.GetSafeHandle() != nullptr) || (built && colors == 0)) {
            std::abort();
        }
        HBITMAP bitmap = BuildDibBitmap(resource, header, palette);
        if (bitmap != nullptr) {
            DeleteObject(bitmap);
        }
    }
    if (GdiAliveCountForTest() != alive) {
        std::abort();
    }
    return 0;
}
