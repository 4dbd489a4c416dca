// Blit.cpp: BitBlt and PatBlt: clipping, format conversion, raster operations.
#include "platform/win32/gdi/Blit.h"

#include "platform/win32/gdi/ColorMapping.h"
#include "platform/win32/gdi/RasterOp.h"
#include "platform/win32/gdi/SystemPalette.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace gdi {

namespace {

template <typename T>
T* row_of(Surface& s, int y);
template <>
std::uint8_t* row_of<std::uint8_t>(Surface& s, int y) {
    return s.row8(y);
}
template <>
std::uint32_t* row_of<std::uint32_t>(Surface& s, int y) {
    return s.row32(y);
}

// The common operations get their own expressions; the rest go through the truth table.
template <typename D, typename S, typename Convert>
void blit_rows(Surface& dst, RECT r, Surface& src, int sx, int sy, std::uint8_t code,
               std::uint32_t pattern, std::uint32_t mask, Convert convert) {
    const int w = r.right - r.left;
    for (int y = r.top; y < r.bottom; ++y) {
        D* d = row_of<D>(dst, y) + r.left;
        const S* s = row_of<S>(src, sy + (y - r.top)) + sx;
        switch (code) {
            case 0xCC:  // S
                for (int i = 0; i < w; ++i) {
                    d[i] = static_cast<D>(convert(s[i]));
                }
                break;
            case 0x88:  // S & D
                for (int i = 0; i < w; ++i) {
                    d[i] = static_cast<D>(convert(s[i]) & d[i]);
                }
                break;
            case 0xEE:  // S | D
                for (int i = 0; i < w; ++i) {
                    d[i] = static_cast<D>(convert(s[i]) | d[i]);
                }
                break;
            case 0x66:  // S ^ D
                for (int i = 0; i < w; ++i) {
                    d[i] = static_cast<D>(convert(s[i]) ^ d[i]);
                }
                break;
            default:
                for (int i = 0; i < w; ++i) {
                    d[i] = static_cast<D>(apply_rop3(code, pattern, convert(s[i]), d[i]) & mask);
                }
                break;
        }
    }
}

template <typename D>
void fill_rows(Surface& dst, RECT r, std::uint8_t code, std::uint32_t pattern, std::uint32_t mask) {
    const int w = r.right - r.left;
    for (int y = r.top; y < r.bottom; ++y) {
        D* d = row_of<D>(dst, y) + r.left;
        if (code == 0xF0) {  // P
            std::fill_n(d, w, static_cast<D>(pattern));
        } else if (code == 0x55) {  // ~D
            for (int i = 0; i < w; ++i) {
                d[i] = static_cast<D>(~d[i] & mask);
            }
        } else {
            for (int i = 0; i < w; ++i) {
                d[i] = static_cast<D>(apply_rop3(code, pattern, 0, d[i]) & mask);
            }
        }
    }
}

// How source values become destination values: identity for equal formats, the destination's
// text (0) and bk (1) colours for monochrome to colour, "equals the source's bk colour" for
// colour to monochrome.
struct Conversion {
    bool identity = true;
    std::array<std::uint32_t, 256> table;  // for one-byte sources; filled only when used
    std::uint32_t source_bk = 0;           // Rgb32 to Mono
};

void prepare_conversion(Conversion& c, DeviceContext& d, PixelFormat df, DeviceContext& s,
                        PixelFormat sf) {
    c.identity = df == sf;
    if (c.identity) {
        return;
    }
    if (sf == PixelFormat::Mono) {
        c.table[0] = draw_value(d, df, d.text_color);
        c.table[1] = draw_value(d, df, d.bk_color);
    } else if (df == PixelFormat::Mono) {
        c.source_bk = draw_value(s, sf, s.bk_color);
        if (sf == PixelFormat::Indexed8) {
            for (std::uint32_t i = 0; i < 256; ++i) {
                c.table[i] = i == c.source_bk ? 1u : 0u;
            }
        }
    } else if (sf == PixelFormat::Indexed8) {  // to Rgb32
        for (std::uint32_t i = 0; i < 256; ++i) {
            c.table[i] = system_palette().rgb()[i];
        }
    }
}

void blit_piece(Surface& dst, RECT r, Surface& src, int sx, int sy, std::uint8_t code,
                std::uint32_t pattern, const Conversion& c) {
    const std::uint32_t mask = value_mask(dst.format());
    const bool wide_dst = dst.is_wide();
    const bool wide_src = src.is_wide();
    if (c.identity && code == 0xCC) {
        const std::size_t bytes = static_cast<std::size_t>(r.right - r.left) * (wide_dst ? 4 : 1);
        for (int y = r.top; y < r.bottom; ++y) {
            const int src_y = sy + (y - r.top);
            if (wide_dst) {
                std::memmove(dst.row32(y) + r.left, src.row32(src_y) + sx, bytes);
            } else {
                std::memmove(dst.row8(y) + r.left, src.row8(src_y) + sx, bytes);
            }
        }
        return;
    }
    auto same = [](std::uint32_t v) { return v; };
    auto lookup = [&c](std::uint32_t v) { return c.table[v & 0xFF]; };
    auto wide_to_mono = [&c](std::uint32_t v) { return v == c.source_bk ? 1u : 0u; };
    auto wide_to_8 = [](std::uint32_t v) {
        return std::uint32_t{nearest_static_index(
            RGB(static_cast<BYTE>(v >> 16), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v)))};
    };
    if (!wide_dst && !wide_src) {
        if (c.identity) {
            blit_rows<std::uint8_t, std::uint8_t>(dst, r, src, sx, sy, code, pattern, mask, same);
        } else {
            blit_rows<std::uint8_t, std::uint8_t>(dst, r, src, sx, sy, code, pattern, mask, lookup);
        }
    } else if (wide_dst && !wide_src) {
        blit_rows<std::uint32_t, std::uint8_t>(dst, r, src, sx, sy, code, pattern, mask, lookup);
    } else if (wide_dst) {
        blit_rows<std::uint32_t, std::uint32_t>(dst, r, src, sx, sy, code, pattern, mask, same);
    } else if (dst.format() == PixelFormat::Mono) {
        blit_rows<std::uint8_t, std::uint32_t>(dst, r, src, sx, sy, code, pattern, mask,
                                               wide_to_mono);
    } else {
        blit_rows<std::uint8_t, std::uint32_t>(dst, r, src, sx, sy, code, pattern, mask, wide_to_8);
    }
}

// Copies a region of a surface, so a blit within one surface reads what was there before.
Surface copy_region(Surface& s, int x, int y, int w, int h) {
    Surface copy(s.format(), w, h);
    for (int row = 0; row < h; ++row) {
        if (s.is_wide()) {
            std::memcpy(copy.row32(row), s.row32(y + row) + x, static_cast<std::size_t>(w) * 4);
        } else {
            std::memcpy(copy.row8(row), s.row8(y + row) + x, static_cast<std::size_t>(w));
        }
    }
    return copy;
}

}  // namespace

bool brush_value(const DeviceContext& dc, PixelFormat target, HBRUSH brush, std::uint32_t& out) {
    const BrushObject* b = find_brush(brush);
    if (b == nullptr || b->hollow) {
        return false;
    }
    out = draw_value(dc, target, b->color);
    return true;
}

void fill_rop(DeviceContext& dc, Surface& s, RECT device_rect, std::uint8_t code,
              std::uint32_t pattern) {
    const std::uint32_t mask = value_mask(s.format());
    pattern &= mask;
    for_each_visible(dc, s, device_rect, [&](RECT r) {
        if (s.is_wide()) {
            fill_rows<std::uint32_t>(s, r, code, pattern, mask);
        } else {
            fill_rows<std::uint8_t>(s, r, code, pattern, mask);
        }
    });
    s.touch();
}

}  // namespace gdi

using namespace gdi;

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const std::uint8_t code = rop3_code(rop);
    if (rop3_uses_source(code)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Surface* s = dc->surface();
    if (s == nullptr) {
        return TRUE;
    }
    std::uint32_t pattern = 0;
    if (rop3_uses_pattern(code) && !brush_value(*dc, s->format(), dc->brush, pattern)) {
        return TRUE;  // a hollow brush paints nothing
    }
    // Negative extents count from the other corner.
    long long l = x;
    long long t = y;
    long long r = l + width;
    long long b = t + height;
    if (r < l) {
        std::swap(l, r);
    }
    if (b < t) {
        std::swap(t, b);
    }
    fill_rop(*dc, *s, to_surface(*dc, l, t, r, b), code, pattern);
    return TRUE;
}

BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC src, int src_x, int src_y,
            DWORD rop) {
    const std::uint8_t code = rop3_code(rop);
    if (!rop3_uses_source(code)) {
        return PatBlt(dest, x, y, width, height, rop);
    }
    DeviceContext* d = find_dc(dest);
    DeviceContext* s = find_dc(src);
    if (d == nullptr || s == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    Surface* ds = d->surface();
    Surface* ss = s->surface();
    if (ds == nullptr) {
        return TRUE;  // an information context draws nothing
    }
    if (ss == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (width <= 0 || height <= 0) {
        return TRUE;
    }
    std::uint32_t pattern = 0;
    if (rop3_uses_pattern(code) && !brush_value(*d, ds->format(), d->brush, pattern)) {
        return TRUE;
    }
    // Device coordinates; the source rectangle is clipped to its surface and the destination
    // follows, so pixels whose source lies outside stay untouched.
    long long dx = static_cast<long long>(x) + d->origin.x;
    long long dy = static_cast<long long>(y) + d->origin.y;
    long long sx = static_cast<long long>(src_x) + s->origin.x;
    long long sy = static_cast<long long>(src_y) + s->origin.y;
    long long w = width;
    long long h = height;
    if (sx < 0) {
        dx -= sx;
        w += sx;
        sx = 0;
    }
    if (sy < 0) {
        dy -= sy;
        h += sy;
        sy = 0;
    }
    w = std::min(w, ss->width() - sx);
    h = std::min(h, ss->height() - sy);
    if (w <= 0 || h <= 0) {
        return TRUE;
    }
    Conversion conversion;
    prepare_conversion(conversion, *d, ds->format(), *s, ss->format());
    Surface copy;
    Surface* source = ss;
    if (ss == ds) {
        copy = copy_region(*ss, static_cast<int>(sx), static_cast<int>(sy), static_cast<int>(w),
                           static_cast<int>(h));
        source = &copy;
        sx = 0;
        sy = 0;
    }
    const RECT target{static_cast<LONG>(std::clamp<long long>(dx, INT32_MIN, INT32_MAX)),
                      static_cast<LONG>(std::clamp<long long>(dy, INT32_MIN, INT32_MAX)),
                      static_cast<LONG>(std::clamp<long long>(dx + w, INT32_MIN, INT32_MAX)),
                      static_cast<LONG>(std::clamp<long long>(dy + h, INT32_MIN, INT32_MAX))};
    for_each_visible(*d, *ds, target, [&](RECT r) {
        blit_piece(*ds, r, *source, static_cast<int>(sx + (r.left - dx)),
                   static_cast<int>(sy + (r.top - dy)), code, pattern, conversion);
    });
    ds->touch();
    return TRUE;
}
