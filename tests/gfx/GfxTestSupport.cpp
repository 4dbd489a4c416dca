// GfxTestSupport.cpp: a test-only resource table, synthetic sprite sheets and pixel reading.
#include "tests/gfx/GfxTestSupport.h"

#include "platform/win32/kernel/ResourceModules.h"

namespace gfxtest {

namespace {

void put16(std::vector<std::byte>& out, std::uint16_t v) {
    out.push_back(static_cast<std::byte>(v & 0xFF));
    out.push_back(static_cast<std::byte>(v >> 8));
}

void put32(std::vector<std::byte>& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

void pad4(std::vector<std::byte>& out) {
    while (out.size() % 4 != 0) {
        out.push_back(std::byte{0});
    }
}

// One .res entry: data size, header size 32, integer type and name, then the data.
void put_entry(std::vector<std::byte>& out, WORD type, WORD name,
               const std::vector<std::uint8_t>& data) {
    put32(out, static_cast<std::uint32_t>(data.size()));
    put32(out, 32);
    put16(out, 0xFFFF);
    put16(out, type);
    put16(out, 0xFFFF);
    put16(out, name);
    put32(out, 0);       // data version
    put16(out, 0x1030);  // memory flags
    put16(out, 0x0415);  // language
    put32(out, 0);       // version
    put32(out, 0);       // characteristics
    for (std::uint8_t b : data) {
        out.push_back(static_cast<std::byte>(b));
    }
    pad4(out);
}

}  // namespace

ResourceTable::~ResourceTable() {
    if (m_module != nullptr) {
        kernel::remove_resource_image(m_module);
    }
}

void ResourceTable::add_bitmap(WORD id, const std::vector<std::uint8_t>& dib) {
    m_entries.push_back({id, dib});
}

bool ResourceTable::install() {
    m_image.clear();
    // Every .res image opens with an empty entry of type 0 and name 0.
    put_entry(m_image, 0, 0, {});
    for (const Entry& e : m_entries) {
        put_entry(m_image, 2, e.id, e.data);
    }
    // No spare capacity after the last entry: a read past it lands outside the allocation.
    m_image.shrink_to_fit();
    m_module = kernel::install_resource_image(m_image, kernel::ModuleRole::Program);
    return m_module != nullptr;
}

const void* ResourceTable::locked(WORD id) const {
    HRSRC info = FindResourceA(m_module, MAKEINTRESOURCE(id), RT_BITMAP);
    return info == nullptr ? nullptr : LockResource(LoadResource(m_module, info));
}

COLORREF sheet_color(int set, int index) {
    return RGB(static_cast<BYTE>(20 + index), static_cast<BYTE>(40 + 60 * set), 77);
}

std::vector<std::uint8_t> make_sheet(int set) {
    constexpr int kWidth = 108;
    constexpr int kHeight = 54;
    dibtest::InfoFields f;
    f.width = kWidth;
    f.height = kHeight;
    f.bpp = 8;
    dibtest::Bytes dib = dibtest::info_header(f);
    for (int i = 0; i < 256; ++i) {
        const bool used = (i >= 1 && i <= 18) || (i >= 100 && i <= 117) || (i >= 200 && i <= 217);
        const COLORREF c = used ? sheet_color(set, i) : kGrey;
        dib.quad(GetRValue(c), GetGValue(c), GetBValue(c));
    }
    // Rows bottom-up; 108 bytes is a multiple of 4, so there is no padding.
    for (int y = kHeight - 1; y >= 0; --y) {
        for (int x = 0; x < kWidth; ++x) {
            const int cell = (x / 18) * 3 + y / 18;
            int index = fill_index(cell);
            if (x % 18 == 0 && y % 18 == 0) {
                index = corner_index(cell);
            } else if (x % 18 == 17 && y % 18 == 17) {
                index = far_index(cell);
            }
            dib.u8(static_cast<std::uint8_t>(index));
        }
    }
    return dib.data();
}

std::vector<COLORREF> read_pixels(HBITMAP bitmap) {
    BITMAP bm{};
    if (GetObjectA(bitmap, sizeof(bm), &bm) == 0) {
        return {};
    }
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    std::vector<COLORREF> pixels;
    if (old != nullptr) {
        for (int y = 0; y < bm.bmHeight; ++y) {
            for (int x = 0; x < bm.bmWidth; ++x) {
                pixels.push_back(GetPixel(dc, x, y));
            }
        }
        SelectObject(dc, old);
    }
    DeleteDC(dc);
    return pixels;
}

}  // namespace gfxtest
