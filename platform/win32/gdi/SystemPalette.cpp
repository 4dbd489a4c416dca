// SystemPalette.cpp: static colours, nearest-colour search and palette realisation.
#include "platform/win32/gdi/SystemPalette.h"

namespace gdi {

const std::array<PALETTEENTRY, kStaticCount> kStaticColors = {{
    {0, 0, 0, 0},       {128, 0, 0, 0},     {0, 128, 0, 0},     {128, 128, 0, 0},
    {0, 0, 128, 0},     {128, 0, 128, 0},   {0, 128, 128, 0},   {192, 192, 192, 0},
    {192, 220, 192, 0}, {166, 202, 240, 0}, {255, 251, 240, 0}, {160, 160, 164, 0},
    {128, 128, 128, 0}, {255, 0, 0, 0},     {0, 255, 0, 0},     {255, 255, 0, 0},
    {0, 0, 255, 0},     {255, 0, 255, 0},   {0, 255, 255, 0},   {255, 255, 255, 0},
}};

namespace {

int distance(const PALETTEENTRY& e, int r, int g, int b) {
    const int dr = e.peRed - r;
    const int dg = e.peGreen - g;
    const int db = e.peBlue - b;
    return dr * dr + dg * dg + db * db;
}

bool same_color(const PALETTEENTRY& a, const PALETTEENTRY& b) {
    return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue;
}

constexpr int kFirstFree = 10;
constexpr int kLastFree = 245;

}  // namespace

void SystemPalette::reset() {
    m_entries.fill(PALETTEENTRY{0, 0, 0, 0});
    m_states.fill(SlotState::Free);
    for (int i = 0; i < kStaticCount; ++i) {
        m_entries[kStaticIndices[i]] = kStaticColors[i];
        m_states[kStaticIndices[i]] = SlotState::Static;
    }
    for (int i = 0; i < 256; ++i) {
        const PALETTEENTRY& e = m_entries[i];
        m_rgb[i] = (std::uint32_t{e.peRed} << 16) | (std::uint32_t{e.peGreen} << 8) | e.peBlue;
    }
    ++m_version;
}

int SystemPalette::find_exact(const PALETTEENTRY& color) const {
    for (int i = 0; i < 256; ++i) {
        const SlotState s = m_states[i];
        if ((s == SlotState::Static || s == SlotState::Used) && same_color(m_entries[i], color)) {
            return i;
        }
    }
    return -1;
}

int SystemPalette::find_nearest(const PALETTEENTRY& color) const {
    int best = 0;
    int best_distance = -1;
    for (int i = 0; i < 256; ++i) {
        const SlotState s = m_states[i];
        if (s != SlotState::Static && s != SlotState::Used) {
            continue;
        }
        const int d = distance(m_entries[i], color.peRed, color.peGreen, color.peBlue);
        if (best_distance < 0 || d < best_distance) {
            best = i;
            best_distance = d;
            if (d == 0) {
                break;
            }
        }
    }
    return best;
}

int SystemPalette::take_free_slot(const PALETTEENTRY& color, SlotState state) {
    for (int i = kFirstFree; i <= kLastFree; ++i) {
        if (m_states[i] == SlotState::Free) {
            m_states[i] = state;
            m_entries[i] = PALETTEENTRY{color.peRed, color.peGreen, color.peBlue, 0};
            m_rgb[i] = (std::uint32_t{color.peRed} << 16) | (std::uint32_t{color.peGreen} << 8) |
                       color.peBlue;
            ++m_version;
            return i;
        }
    }
    return -1;
}

UINT SystemPalette::realize(PaletteObject& palette, bool foreground) {
    if (palette.is_default) {
        return 0;  // the static colours are always in place
    }
    if (foreground) {
        for (int i = kFirstFree; i <= kLastFree; ++i) {
            m_states[i] = SlotState::Free;
        }
    }
    std::vector<int> mapping(palette.entries.size(), 0);
    for (std::size_t i = 0; i < palette.entries.size(); ++i) {
        const PALETTEENTRY& e = palette.entries[i];
        int index = -1;
        if (e.peFlags & PC_EXPLICIT) {
            // The low word of the entry is the system index.
            index = (e.peRed | (e.peGreen << 8)) & 0xFF;
        } else if (e.peFlags & PC_RESERVED) {
            index = take_free_slot(e, SlotState::Reserved);
        } else {
            if (!(e.peFlags & PC_NOCOLLAPSE)) {
                index = find_exact(e);
            }
            if (index < 0) {
                index = take_free_slot(e, SlotState::Used);
            }
        }
        if (index < 0) {
            index = find_nearest(e);
        }
        mapping[i] = index;
    }
    UINT changed = 0;
    for (std::size_t i = 0; i < mapping.size(); ++i) {
        if (!palette.realized || palette.mapping.size() <= i || palette.mapping[i] != mapping[i]) {
            ++changed;
        }
    }
    palette.mapping = std::move(mapping);
    palette.realized = true;
    return changed;
}

SystemPalette& system_palette() {
    static SystemPalette palette;
    return palette;
}

std::uint8_t nearest_static_index(COLORREF rgb) {
    const int r = GetRValue(rgb);
    const int g = GetGValue(rgb);
    const int b = GetBValue(rgb);
    int best = 0;
    int best_distance = distance(kStaticColors[0], r, g, b);
    for (int i = 1; i < kStaticCount && best_distance > 0; ++i) {
        const int d = distance(kStaticColors[i], r, g, b);
        if (d < best_distance) {
            best = i;
            best_distance = d;
        }
    }
    return kStaticIndices[best];
}

UINT nearest_entry(const std::vector<PALETTEENTRY>& entries, COLORREF rgb) {
    const int r = GetRValue(rgb);
    const int g = GetGValue(rgb);
    const int b = GetBValue(rgb);
    UINT best = 0;
    int best_distance = -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int d = distance(entries[i], r, g, b);
        if (best_distance < 0 || d < best_distance) {
            best = static_cast<UINT>(i);
            best_distance = d;
            if (d == 0) {
                break;
            }
        }
    }
    return best;
}

}  // namespace gdi
