// ResourcePictures.cpp: finds bitmap bytes and picks the icon image from an icon group.
#include "platform/win32/kernel/ResourcePictures.h"

#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/winbase.h"

#include <cstdlib>

namespace kernel {

namespace {

// GRPICONDIR: reserved, type (1 = icon), count; then 14-byte GRPICONDIRENTRY records.
constexpr std::size_t kGroupHeaderSize = 6;
constexpr std::size_t kGroupEntrySize = 14;

unsigned read_u16(std::span<const std::byte> s, std::size_t at) {
    return std::to_integer<unsigned>(s[at]) | (std::to_integer<unsigned>(s[at + 1]) << 8);
}

struct Candidate {
    int width;
    int height;
    int bits;
    WORD id;
};

Candidate read_candidate(std::span<const std::byte> group, std::size_t at) {
    // A width or height byte of 0 means 256.
    const int w = std::to_integer<int>(group[at]);
    const int h = std::to_integer<int>(group[at + 1]);
    const int colours = std::to_integer<int>(group[at + 2]);
    int bits = static_cast<int>(read_u16(group, at + 6));
    if (bits == 0) {
        bits = colours == 2 ? 1 : colours == 16 ? 4 : 8;
    }
    return {w == 0 ? 256 : w, h == 0 ? 256 : h, bits, static_cast<WORD>(read_u16(group, at + 12))};
}

// True when a is a better choice than b.
bool better(const Candidate& a, const Candidate& b, int cx, int cy, int display_bits) {
    const int da = std::abs(a.width - cx) + std::abs(a.height - cy);
    const int db = std::abs(b.width - cx) + std::abs(b.height - cy);
    if (da != db) {
        return da < db;
    }
    const bool a_fits = a.bits <= display_bits;
    const bool b_fits = b.bits <= display_bits;
    if (a_fits != b_fits) {
        return a_fits;
    }
    return a_fits ? a.bits > b.bits : a.bits < b.bits;
}

}  // namespace

std::span<const std::byte> bitmap_resource_bytes(HINSTANCE module, LPCSTR name) {
    const ResourceEntry* e = find_resource_entry(module, name, RT_BITMAP);
    return e == nullptr ? std::span<const std::byte>{} : e->data;
}

std::span<const std::byte> icon_resource_bytes(HINSTANCE module, LPCSTR name, int cx, int cy,
                                               int display_bits) {
    const ResourceEntry* group = find_resource_entry(module, name, RT_GROUP_ICON);
    if (group == nullptr) {
        return {};
    }
    const auto g = group->data;
    if (g.size() < kGroupHeaderSize || read_u16(g, 2) != 1) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return {};
    }
    const std::size_t count = read_u16(g, 4);
    if (count == 0 || g.size() < kGroupHeaderSize + count * kGroupEntrySize) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return {};
    }
    Candidate best = read_candidate(g, kGroupHeaderSize);
    for (std::size_t i = 1; i < count; ++i) {
        const Candidate c = read_candidate(g, kGroupHeaderSize + i * kGroupEntrySize);
        if (better(c, best, cx, cy, display_bits)) {
            best = c;
        }
    }
    const ResourceEntry* image = find_resource_entry(module, MAKEINTRESOURCEA(best.id), RT_ICON);
    return image == nullptr ? std::span<const std::byte>{} : image->data;
}

}  // namespace kernel
