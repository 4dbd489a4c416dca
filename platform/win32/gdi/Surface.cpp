// Surface.cpp: allocation and filling of pixel surfaces.
#include "platform/win32/gdi/Surface.h"

#include <algorithm>

namespace gdi {

Surface::Surface(PixelFormat format, int width, int height)
    : m_format(format), m_width(width), m_height(height) {
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (is_wide()) {
        m_words.assign(count, 0);
    } else {
        m_bytes.assign(count, 0);
    }
}

void Surface::fill(std::uint32_t v) {
    if (is_wide()) {
        std::fill(m_words.begin(), m_words.end(), v);
    } else {
        std::fill(m_bytes.begin(), m_bytes.end(), static_cast<std::uint8_t>(v));
    }
    touch();
}

}  // namespace gdi
