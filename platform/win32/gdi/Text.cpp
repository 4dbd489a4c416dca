// Text.cpp: fonts and text output with the built-in bitmap fonts.
#include "platform/win32/gdi/Blit.h"
#include "platform/win32/gdi/ColorMapping.h"
#include "platform/win32/gdi/FontMatch.h"

#include <algorithm>
#include <cstring>

namespace gdi {

namespace {

const FontData& dc_font(const DeviceContext& dc) {
    const FontObject* f = find_font(dc.font);
    return f != nullptr && f->data != nullptr ? *f->data : *builtin_fonts().front();
}

const GlyphData* glyph_of(const FontData& font, std::uint8_t c) {
    if (c < font.first_char || c > font.last_char) {
        c = font.default_char;
        if (c < font.first_char || c > font.last_char) {
            return nullptr;
        }
    }
    return &font.glyphs[c - font.first_char];
}

int advance_of(const FontData& font, std::uint8_t c) {
    const GlyphData* g = glyph_of(font, c);
    return g == nullptr ? 0 : g->advance;
}

long long text_width(const FontData& font, const char* text, std::size_t count, const INT* dx) {
    long long w = 0;
    for (std::size_t i = 0; i < count; ++i) {
        w += dx != nullptr ? dx[i] : advance_of(font, static_cast<std::uint8_t>(text[i]));
    }
    return w;
}

RECT intersect(RECT a, const RECT& b) {
    a.left = std::max(a.left, b.left);
    a.top = std::max(a.top, b.top);
    a.right = std::min(a.right, b.right);
    a.bottom = std::min(a.bottom, b.bottom);
    return a;
}

// Glyph pixels of the string with its top-left pen position at (x, y) in surface coordinates,
// only inside `limit`.
void draw_glyphs(DeviceContext& dc, Surface& s, const FontData& font, long long x, long long y,
                 const char* text, std::size_t count, const INT* dx, RECT limit,
                 std::uint32_t value) {
    for_each_visible(dc, s, limit, [&](RECT piece) {
        long long pen = x;
        for (std::size_t i = 0; i < count; ++i) {
            const auto c = static_cast<std::uint8_t>(text[i]);
            const GlyphData* g = glyph_of(font, c);
            if (g != nullptr && g->width > 0) {
                const long long left = pen + g->x_offset;
                const std::size_t row_bytes = (g->width + 7u) / 8u;
                for (int row = 0; row < font.height; ++row) {
                    const long long py = y + row;
                    if (py < piece.top || py >= piece.bottom) {
                        continue;
                    }
                    const std::uint8_t* bits =
                        font.bits + g->offset + static_cast<std::size_t>(row) * row_bytes;
                    for (int col = 0; col < g->width; ++col) {
                        const long long px = left + col;
                        if (px < piece.left || px >= piece.right) {
                            continue;
                        }
                        if ((bits[col / 8] >> (7 - col % 8)) & 1) {
                            s.set(static_cast<int>(px), static_cast<int>(py), value);
                        }
                    }
                }
            }
            pen += dx != nullptr ? dx[i] : (g == nullptr ? 0 : g->advance);
        }
    });
}

}  // namespace

}  // namespace gdi

using namespace gdi;

HFONT CreateFontIndirectA(const LOGFONTA* font) {
    if (font == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto f = std::make_unique<FontObject>();
    f->logfont = *font;
    f->logfont.lfFaceName[LF_FACESIZE - 1] = '\0';
    f->data = match_font(f->logfont);
    return static_cast<HFONT>(objects().add(std::move(f)));
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                  DWORD underline, DWORD strike_out, DWORD char_set, DWORD out_precision,
                  DWORD clip_precision, DWORD quality, DWORD pitch_and_family, LPCSTR face) {
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = static_cast<BYTE>(italic);
    lf.lfUnderline = static_cast<BYTE>(underline);
    lf.lfStrikeOut = static_cast<BYTE>(strike_out);
    lf.lfCharSet = static_cast<BYTE>(char_set);
    lf.lfOutPrecision = static_cast<BYTE>(out_precision);
    lf.lfClipPrecision = static_cast<BYTE>(clip_precision);
    lf.lfQuality = static_cast<BYTE>(quality);
    lf.lfPitchAndFamily = static_cast<BYTE>(pitch_and_family);
    if (face != nullptr) {
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    }
    return CreateFontIndirectA(&lf);
}

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const INT* dx) {
    DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (text == nullptr) {
        count = 0;
    }
    Surface* s = dc->surface();
    const FontData& font = dc_font(*dc);
    RECT box{};  // the option rectangle, normalised, in surface coordinates
    if (rect != nullptr) {
        box = to_surface(*dc, std::min(rect->left, rect->right), std::min(rect->top, rect->bottom),
                         std::max(rect->left, rect->right), std::max(rect->top, rect->bottom));
    }
    if (s != nullptr && rect != nullptr && (options & ETO_OPAQUE)) {
        fill_rop(*dc, *s, box, 0xF0, draw_value(*dc, s->format(), dc->bk_color));
    }
    const long long width = text_width(font, text, count, dx);
    long long left = x;
    long long top = y;
    const UINT align = dc->text_align;
    if (align & TA_UPDATECP) {
        left = dc->position.x;
        top = dc->position.y;
    }
    const long long start = left;
    if ((align & TA_CENTER) == TA_CENTER) {
        left -= width / 2;
    } else if (align & TA_RIGHT) {
        left -= width;
    }
    if ((align & TA_BASELINE) == TA_BASELINE) {
        top -= font.ascent;
    } else if (align & TA_BOTTOM) {
        top -= font.height;
    }
    if (align & TA_UPDATECP) {
        if ((align & TA_CENTER) != TA_CENTER) {
            dc->position.x = static_cast<LONG>(std::clamp<long long>(
                (align & TA_RIGHT) ? start - width : start + width, INT32_MIN, INT32_MAX));
        }
    }
    if (s == nullptr || count == 0) {
        if (s != nullptr) {
            s->touch();
        }
        return TRUE;
    }
    RECT cell = to_surface(*dc, left, top, left + width, top + font.height);
    RECT limit = to_surface(*dc, left - font.max_width, top, left + width + font.max_width,
                            top + font.height);
    if (rect != nullptr && (options & ETO_CLIPPED)) {
        cell = intersect(cell, box);
        limit = intersect(limit, box);
    }
    if (dc->bk_mode == OPAQUE && cell.left < cell.right && cell.top < cell.bottom) {
        fill_rop(*dc, *s, cell, 0xF0, draw_value(*dc, s->format(), dc->bk_color));
    }
    draw_glyphs(*dc, *s, font, left + dc->origin.x, top + dc->origin.y, text, count, dx, limit,
                draw_value(*dc, s->format(), dc->text_color));
    s->touch();
    return TRUE;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int count) {
    if (count < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return ExtTextOutA(hdc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int count, LPSIZE size) {
    const DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr || size == nullptr || count < 0 || (text == nullptr && count > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const FontData& font = dc_font(*dc);
    size->cx = static_cast<LONG>(text_width(font, text, static_cast<std::size_t>(count), nullptr));
    size->cy = font.height;
    return TRUE;
}

BOOL GetTextExtentPointA(HDC hdc, LPCSTR text, int count, LPSIZE size) {
    return GetTextExtentPoint32A(hdc, text, count, size);
}

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRICA metrics) {
    const DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr || metrics == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const FontData& f = dc_font(*dc);
    TEXTMETRICA tm{};
    tm.tmHeight = f.height;
    tm.tmAscent = f.ascent;
    tm.tmDescent = f.descent;
    tm.tmInternalLeading = f.internal_leading;
    tm.tmExternalLeading = f.external_leading;
    tm.tmAveCharWidth = f.avg_width;
    tm.tmMaxCharWidth = f.max_width;
    tm.tmWeight = f.weight;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = f.first_char;
    tm.tmLastChar = f.last_char;
    tm.tmDefaultChar = f.default_char;
    tm.tmBreakChar = ' ';
    // Set for variable pitch, as the platform names it the other way round.
    tm.tmPitchAndFamily = TMPF_FIXED_PITCH | FF_SWISS;
    tm.tmCharSet = EASTEUROPE_CHARSET;
    *metrics = tm;
    return TRUE;
}

int GetTextFaceA(HDC hdc, int count, LPSTR face) {
    const DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    const char* name = dc_font(*dc).face;
    const int length = static_cast<int>(std::strlen(name));
    if (face == nullptr) {
        return length + 1;
    }
    if (count <= 0) {
        return 0;
    }
    const int n = std::min(length, count - 1);
    std::memcpy(face, name, static_cast<std::size_t>(n));
    face[n] = '\0';
    return n;
}
