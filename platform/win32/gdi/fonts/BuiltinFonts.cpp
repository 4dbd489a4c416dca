// BuiltinFonts.cpp: placeholder tables (hollow boxes with the right metrics) until the
// converted fonts replace them.
#include "platform/win32/gdi/FontData.h"

#include <array>

namespace {

constexpr std::uint8_t kFirst = 0x20;
constexpr std::uint8_t kLast = 0xFF;
constexpr int kCount = kLast - kFirst + 1;

// A 6-column box of 16 rows; shorter fonts use its first rows.
constexpr std::uint8_t kBoxBits[16] = {0x00, 0x00, 0x00, 0xF8, 0x88, 0x88, 0x88, 0x88,
                                       0x88, 0x88, 0x88, 0xF8, 0x00, 0x00, 0x00, 0x00};

constexpr std::array<GlyphData, kCount> make_glyphs(std::uint8_t advance) {
    std::array<GlyphData, kCount> glyphs{};
    for (auto& g : glyphs) {
        g = GlyphData{0, advance, 6, 0};
    }
    glyphs[0] = GlyphData{0, advance, 0, 0};  // space
    return glyphs;
}

constexpr auto kSystemGlyphs = make_glyphs(7);
constexpr auto kSansGlyphs = make_glyphs(6);

constexpr FontData kSystem{
    "System", 10, 700, 16, 13, 3, 3, 0, 7, 14, kFirst, kLast, 0x80, kSystemGlyphs.data(), kBoxBits};
constexpr FontData kSans{
    "MS Sans Serif",    8,       400, 13, 11, 2, 2, 0, 6, 11, kFirst, kLast, 0x80,
    kSansGlyphs.data(), kBoxBits};
constexpr FontData kSansBold{
    "MS Sans Serif",    8,       700, 13, 11, 2, 2, 0, 6, 11, kFirst, kLast, 0x80,
    kSansGlyphs.data(), kBoxBits};

constexpr const FontData* kFonts[] = {&kSystem, &kSans, &kSansBold};

}  // namespace

std::span<const FontData* const> builtin_fonts() {
    return kFonts;
}
