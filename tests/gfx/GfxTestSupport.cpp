// GfxTestSupport.cpp: bitmap resources served from memory, synthetic sprite sheets and pixel
// reading.
#include "tests/gfx/GfxTestSupport.h"

#include "platform/win32/kernel/ResourceModules.h"

namespace gfxtest {

ResourceTable::~ResourceTable() {
    if (m_module != nullptr) {
        kernel::remove_resource_image(m_module);
    }
}

void ResourceTable::add_bitmap(WORD id, const std::vector<std::uint8_t>& dib) {
    m_entries.emplace_back(id, dib);
}

// A .res image: an empty entry, then per entry its data size, header size 32, type, name,
// version, flags, language, version, characteristics, and the data padded to 4 bytes.
bool ResourceTable::install() {
    dibtest::Bytes out;
    m_entries.insert(m_entries.begin(), {0, {}});
    for (const auto& [id, data] : m_entries) {
        out.u32(static_cast<std::uint32_t>(data.size())).u32(32).u16(0xFFFF).u16(id ? 2 : 0);
        out.u16(0xFFFF).u16(id).u32(0).u16(0x1030).u16(0x0415).u32(0).u32(0);
        out.v.insert(out.v.end(), data.begin(), data.end());
        out.v.resize((out.v.size() + 3) / 4 * 4);
    }
    const auto* bytes = reinterpret_cast<const std::byte*>(out.v.data());
    m_image.assign(bytes, bytes + out.v.size());
    m_module = kernel::install_resource_image(m_image, kernel::ModuleRole::Program);
    return m_module != nullptr;
}

HGLOBAL ResourceTable::handle(WORD id) const {
    HRSRC info = FindResourceA(m_module, MAKEINTRESOURCE(id), RT_BITMAP);
    return info == nullptr ? nullptr : LoadResource(m_module, info);
}

static int index_at(int cell, int x, int y) {
    return x == 0 && y == 0     ? corner_index(cell)
           : x == 17 && y == 17 ? far_index(cell)
                                : fill_index(cell);
}

COLORREF cell_color(int set, int cell, int x, int y) {
    return sheet_color(set, index_at(cell, x, y));
}

std::vector<std::uint8_t> make_sheet(int set) {
    dibtest::Bytes dib = dibtest::info_header(40, 108, 54, 8);
    for (int i = 0; i < 256; ++i) {
        const bool used = (i >= 1 && i <= 18) || (i >= 100 && i <= 117) || (i >= 200 && i <= 217);
        const COLORREF c = used ? sheet_color(set, i) : kGrey;
        dib.quad(GetRValue(c), GetGValue(c), GetBValue(c));
    }
    for (int y = 53; y >= 0; --y) {  // bottom-up; 108 bytes a row need no padding
        for (int x = 0; x < 108; ++x) {
            dib.u8(static_cast<unsigned>(index_at(x / 18 * 3 + y / 18, x % 18, y % 18)));
        }
    }
    return dib.v;
}

std::vector<COLORREF> read_pixels(HBITMAP bitmap) {
    BITMAP bm{};
    std::vector<COLORREF> pixels;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = GetObjectA(bitmap, sizeof(bm), &bm) ? SelectObject(dc, bitmap) : nullptr;
    for (int i = 0; old != nullptr && i < bm.bmWidth * bm.bmHeight; ++i) {
        pixels.push_back(GetPixel(dc, i % bm.bmWidth, i / bm.bmWidth));
    }
    if (old != nullptr) {
        SelectObject(dc, old);
    }
    DeleteDC(dc);
    return pixels;
}

}  // namespace gfxtest
