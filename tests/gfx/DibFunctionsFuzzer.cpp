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
    // Whole words only: resource entries are padded to 4 bytes, which would hide a read just
    // past the end.
    const std::vector<std::uint8_t> dib(data, data + (size & ~std::size_t{3}));
    gfxtest::ResourceTable table;
    table.add_bitmap(1, dib);
    if (!screen_ready) {
        std::abort();
    }
    if (!table.install() || table.locked(1) == nullptr) {
        return 0;
    }
    const std::size_t alive = GdiAliveCountForTest();
    const void* header = table.locked(1);
    // A header of unknown size, or one longer than the resource, answers 0 everywhere.
    std::uint32_t header_size = 0;
    for (std::size_t i = 0; i < 4 && dib.size() >= 4; ++i) {
        header_size |= std::uint32_t{dib[i]} << (8 * i);
    }
    const bool known =
        header_size == 12 || header_size == 40 || header_size == 108 || header_size == 124;
    const WORD colors = GetDibColorCount(header);
    if ((!known || header_size > dib.size()) &&
        (colors != 0 || GetDibColorTableSize(header) != 0 || GetDibWidth(header) != 0 ||
         GetDibHeight(header) != 0)) {
        std::abort();
    }
    {
        CPalette palette;
        const BOOL built = BuildDibPalette(table.handle(1), header, &palette);
        if (built != (palette.GetSafeHandle() != nullptr) || (built && colors == 0)) {
            std::abort();
        }
        DeleteObject(BuildDibBitmap(table.handle(1), header, palette));
    }
    if (GdiAliveCountForTest() != alive) {
        std::abort();
    }
    return 0;
}
