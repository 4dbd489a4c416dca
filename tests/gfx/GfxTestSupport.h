// GfxTestSupport.h: a test-only resource table, synthetic sprite sheets and pixel reading.
#pragma once

#include "platform/win32/windows.h"
#include "tests/dib/DibBytes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gfxtest {

// Bitmap resources served as the program's module while the table is alive.
class ResourceTable {
public:
    ResourceTable() = default;
    ~ResourceTable();
    ResourceTable(const ResourceTable&) = delete;
    ResourceTable& operator=(const ResourceTable&) = delete;

    // Adds an RT_BITMAP resource holding exactly `dib`.
    void add_bitmap(WORD id, const std::vector<std::uint8_t>& dib);
    // Builds the .res image and installs it as the program's module; false on failure.
    bool install();
    // The data of resource `id` as LockResource gives it.
    const void* locked(WORD id) const;

private:
    struct Entry {
        WORD id;
        std::vector<std::uint8_t> data;
    };
    std::vector<Entry> m_entries;
    std::vector<std::byte> m_image;
    HINSTANCE m_module = nullptr;
};

// Colours of the synthetic sheets: distinct for every set and table index used, none of them a
// static colour (blue 77 never is), so every one takes its own system palette slot.
COLORREF sheet_color(int set, int index);
// Grey RGB(192,192,192), the sheets' table entry 0 and every unused entry.
inline constexpr COLORREF kGrey = 0x00C0C0C0;

// Table indices of cell c = column * 3 + row of a synthetic sheet: the cell is filled with
// fill_index(c), except its top-left pixel (corner_index) and bottom-right pixel (far_index).
inline int fill_index(int cell) {
    return 1 + cell;
}
inline int corner_index(int cell) {
    return 100 + cell;
}
inline int far_index(int cell) {
    return 200 + cell;
}

// A 108 x 54 8-bit sheet with a 40-byte header, colours-used 0 and a 256-entry table.
std::vector<std::uint8_t> make_sheet(int set);

// Pixels of a bitmap read through GetPixel in a memory DC; width x height, top row first.
std::vector<COLORREF> read_pixels(HBITMAP bitmap);

}  // namespace gfxtest
