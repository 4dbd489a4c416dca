// Surface.h: the pixels of a bitmap or of the screen, one value a pixel, top row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gdi {

enum class PixelFormat : std::uint8_t {
    Mono,      // 0 black, 1 white
    Indexed8,  // system palette index
    Rgb32,     // 0x00RRGGBB
};

constexpr int bits_per_pixel(PixelFormat f) {
    return f == PixelFormat::Mono ? 1 : f == PixelFormat::Indexed8 ? 8 : 32;
}

// The bits a raster operation may touch in a value of the format.
constexpr std::uint32_t value_mask(PixelFormat f) {
    return f == PixelFormat::Mono ? 0x1u : f == PixelFormat::Indexed8 ? 0xFFu : 0xFFFFFFu;
}

// Mono and Indexed8 keep one byte a pixel (a monochrome bit unpacked), Rgb32 one word.
class Surface {
public:
    Surface() = default;
    Surface(PixelFormat format, int width, int height);

    PixelFormat format() const { return m_format; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    bool is_wide() const { return m_format == PixelFormat::Rgb32; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    std::uint8_t* row8(int y) { return m_bytes.data() + static_cast<std::size_t>(y) * m_width; }
    const std::uint8_t* row8(int y) const {
        return m_bytes.data() + static_cast<std::size_t>(y) * m_width;
    }
    std::uint32_t* row32(int y) { return m_words.data() + static_cast<std::size_t>(y) * m_width; }
    const std::uint32_t* row32(int y) const {
        return m_words.data() + static_cast<std::size_t>(y) * m_width;
    }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }
    const std::vector<std::uint32_t>& words() const { return m_words; }

    // Unchecked: callers clip first.
    std::uint32_t get(int x, int y) const { return is_wide() ? row32(y)[x] : row8(y)[x]; }
    void set(int x, int y, std::uint32_t v) {
        if (is_wide()) {
            row32(y)[x] = v;
        } else {
            row8(y)[x] = static_cast<std::uint8_t>(v);
        }
    }
    void fill(std::uint32_t v);

    // Counts writes, so a presenter can tell whether anything changed.
    std::uint64_t version() const { return m_version; }
    void touch() { ++m_version; }

private:
    PixelFormat m_format = PixelFormat::Mono;
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_bytes;
    std::vector<std::uint32_t> m_words;
    std::uint64_t m_version = 0;
};

}  // namespace gdi
