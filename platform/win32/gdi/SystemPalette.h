// SystemPalette.h: the 256 hardware palette entries, the 20 static colours and realisation.
#pragma once

#include "platform/win32/gdi/GdiObjects.h"

#include <array>
#include <cstdint>

namespace gdi {

inline constexpr int kStaticCount = 20;
// Default palette order: system indices 0..9, then 246..255.
inline constexpr std::array<std::uint8_t, kStaticCount> kStaticIndices = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255};
extern const std::array<PALETTEENTRY, kStaticCount> kStaticColors;

enum class SlotState : std::uint8_t { Static, Free, Used, Reserved };

class SystemPalette {
public:
    SystemPalette() { reset(); }
    void reset();

    const PALETTEENTRY& entry(int i) const { return m_entries[static_cast<std::size_t>(i)]; }
    SlotState state(int i) const { return m_states[static_cast<std::size_t>(i)]; }
    // 0x00RRGGBB, as hosts present it.
    const std::array<std::uint32_t, 256>& rgb() const { return m_rgb; }
    std::uint64_t version() const { return m_version; }

    // Maps every entry of the palette to a system index; returns how many entries got another
    // index than at their previous realisation (all of them the first time).
    UINT realize(PaletteObject& palette, bool foreground);

private:
    int take_free_slot(const PALETTEENTRY& color, SlotState state);
    int find_exact(const PALETTEENTRY& color) const;
    int find_nearest(const PALETTEENTRY& color) const;

    std::array<PALETTEENTRY, 256> m_entries{};
    std::array<SlotState, 256> m_states{};
    std::array<std::uint32_t, 256> m_rgb{};
    std::uint64_t m_version = 0;
};

SystemPalette& system_palette();

// Nearest of the 20 static colours (squared distance, first strict minimum), as system index.
std::uint8_t nearest_static_index(COLORREF rgb);
// Nearest entry of a logical palette by the same rule.
UINT nearest_entry(const std::vector<PALETTEENTRY>& entries, COLORREF rgb);

}  // namespace gdi
