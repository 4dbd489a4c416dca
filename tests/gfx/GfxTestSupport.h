// GfxTestSupport.h: bitmap resources served from memory, synthetic sprite sheets and pixel
// reading.
#pragma once

#include "platform/afx/afxgdi.h"
#include "tests/dib/DibBytes.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace gfxtest {

// Bitmap resources of the program's module while the table lives; each ends with its data.
class ResourceTable {
public:
    ResourceTable() = default;
    ~ResourceTable();
    ResourceTable(const ResourceTable&) = delete;
    ResourceTable& operator=(const ResourceTable&) = delete;
    void add_bitmap(WORD id, const std::vector<std::uint8_t>& dib);
    bool install();
    HGLOBAL handle(WORD id) const;
    const void* locked(WORD id) const { return LockResource(handle(id)); }

private:
    std::vector<std::pair<WORD, std::vector<std::uint8_t>>> m_entries;
    std::vector<std::byte> m_image;
    HINSTANCE m_module = nullptr;
};

// Synthetic 108 x 54 8-bit sheets of 6 x 3 cells of 18 x 18: cell c = column * 3 + row is table
// entry 1 + c but for its top-left pixel (100 + c) and bottom-right one (200 + c). Entry i of
// set s has the non-static colour (20 + i, 40 + 60 s, 77); all others are grey.
inline constexpr COLORREF kGrey = RGB(192, 192, 192);
std::vector<std::uint8_t> make_sheet(int set);
COLORREF cell_color(int set, int cell, int x, int y);
inline constexpr auto sheet_color = [](int set, int index) {
    return RGB(20 + index, 40 + 60 * set, 77);
};
inline constexpr auto fill_index = [](int cell) { return 1 + cell; };
inline constexpr auto corner_index = [](int cell) { return 100 + cell; };
inline constexpr auto far_index = [](int cell) { return 200 + cell; };

// Pixels of a bitmap read through GetPixel in a memory DC; top row first.
std::vector<COLORREF> read_pixels(HBITMAP bitmap);
inline std::vector<COLORREF> read_pixels(const CGdiObject& bitmap) {
    return read_pixels(static_cast<HBITMAP>(bitmap.GetSafeHandle()));
}

}  // namespace gfxtest
