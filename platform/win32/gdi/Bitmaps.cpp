// Bitmaps.cpp: device bitmaps: creation, DIB conversion, GetObject.
#include "platform/win32/gdi/ColorMapping.h"
#include "platform/win32/gdi/DeviceContext.h"
#include "platform/win32/gdi/Screen.h"
#include "platform/win32/gdi/StockObjects.h"
#include "platform/win32/kernel/ResourceBounds.h"

#include "platform/win32/gdi/dib/DibDecoder.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_map>

namespace gdi {

namespace {

constexpr int kMaxDimension = 16384;
constexpr long long kMaxPixels = 1LL << 26;

HBITMAP make_bitmap(PixelFormat format, int width, int height) {
    if (width < 0 || height < 0 || width > kMaxDimension || height > kMaxDimension ||
        static_cast<long long>(width) * height > kMaxPixels) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (width == 0 || height == 0) {
        return stock_bitmap();
    }
    return static_cast<HBITMAP>(
        objects().add(std::make_unique<BitmapObject>(format, width, height)));
}

// Bytes per row of bitmap bits handed to CreateBitmap: rows are padded to 16 bits.
std::size_t ddb_stride(int width, int bpp) {
    return static_cast<std::size_t>((width * bpp + 15) / 16) * 2;
}

void load_ddb_bits(Surface& s, const std::uint8_t* bits) {
    const std::size_t stride = ddb_stride(s.width(), bits_per_pixel(s.format()));
    for (int y = 0; y < s.height(); ++y) {
        const std::uint8_t* row = bits + stride * static_cast<std::size_t>(y);
        for (int x = 0; x < s.width(); ++x) {
            switch (s.format()) {
                case PixelFormat::Mono:
                    s.set(x, y, (row[x / 8] >> (7 - x % 8)) & 1u);
                    break;
                case PixelFormat::Indexed8:
                    s.set(x, y, row[x]);
                    break;
                case PixelFormat::Rgb32: {
                    const std::uint8_t* p = row + 4 * static_cast<std::size_t>(x);
                    s.set(x, y,
                          std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                              (std::uint32_t{p[2]} << 16));
                    break;
                }
            }
        }
    }
}

std::size_t readable_bytes(const void* p) {
    const auto span = kernel::resource_bytes_from(p);
    return span ? span->size() : SIZE_MAX;
}

// One colour of a DIB as a value of the target: the nearest entry of the DC's logical
// palette at its realised system index (statics only with the default palette), the nearer of
// black and white for a monochrome target.
std::uint32_t dib_color_value(const DeviceContext& dc, PixelFormat target, COLORREF rgb) {
    if (target == PixelFormat::Mono) {
        return mono_nearest(rgb);
    }
    return draw_value(dc, target, 0x02000000 | (rgb & 0x00FFFFFF));
}

// Writes a decoded DIB into the surface; FALSE leaves the surface as it was.
int store_dib(const DeviceContext& dc, Surface& s, const BITMAPINFO* info, const void* bits) {
    dib::DecodedDib decoded;
    if (dib::decode_dib(info, readable_bytes(info), bits, readable_bytes(bits), decoded) !=
        dib::DibError::None) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const int w = std::min(decoded.width, s.width());
    const int h = std::min(decoded.height, s.height());
    const auto dw = static_cast<std::size_t>(decoded.width);
    if (decoded.bits_per_pixel <= 8) {
        std::vector<std::uint32_t> table(decoded.color_table.size());
        for (std::size_t i = 0; i < table.size(); ++i) {
            const auto& q = decoded.color_table[i];
            table[i] = dib_color_value(dc, s.format(), RGB(q.red, q.green, q.blue));
        }
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const std::uint8_t index =
                    decoded.indices[static_cast<std::size_t>(y) * dw + static_cast<std::size_t>(x)];
                s.set(x, y, index < table.size() ? table[index] : 0);
            }
        }
    } else {
        std::unordered_map<COLORREF, std::uint32_t> cache;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const COLORREF c =
                    decoded.colors[static_cast<std::size_t>(y) * dw + static_cast<std::size_t>(x)] &
                    0x00FFFFFF;
                auto it = cache.find(c);
                if (it == cache.end()) {
                    it = cache.emplace(c, dib_color_value(dc, s.format(), c)).first;
                }
                s.set(x, y, it->second);
            }
        }
    }
    s.touch();
    return decoded.height;
}

// Width and height of a DIB header (info or core form), checked for sense.
bool dib_size(const BITMAPINFOHEADER* header, int& width, int& height) {
    DWORD size = 0;
    std::memcpy(&size, header, sizeof(size));
    if (size == sizeof(BITMAPCOREHEADER)) {
        BITMAPCOREHEADER core;
        std::memcpy(&core, header, sizeof(core));
        width = core.bcWidth;
        height = core.bcHeight;
        return true;
    }
    if (size < sizeof(BITMAPINFOHEADER)) {
        return false;
    }
    if (header->biWidth <= 0 || header->biHeight == 0 || header->biHeight == INT32_MIN) {
        return false;
    }
    width = header->biWidth;
    height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    return true;
}

}  // namespace

}  // namespace gdi

using namespace gdi;

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel_, const void* bits) {
    PixelFormat format = PixelFormat::Mono;
    if (planes != 1) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (bits_per_pixel_ == 1) {
        format = PixelFormat::Mono;
    } else if (static_cast<int>(bits_per_pixel_) == screen_bits_per_pixel()) {
        format = screen_format();
    } else {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    HBITMAP bm = make_bitmap(format, width, height);
    if (bm != nullptr && bits != nullptr && bm != stock_bitmap()) {
        load_ddb_bits(find_bitmap(bm)->surface, static_cast<const std::uint8_t*>(bits));
    }
    return bm;
}

HBITMAP CreateBitmapIndirect(const BITMAP* bm) {
    if (bm == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return CreateBitmap(bm->bmWidth, bm->bmHeight, bm->bmPlanes, bm->bmBitsPixel, bm->bmBits);
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height) {
    const DeviceContext* dc = find_dc(hdc);
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return make_bitmap(dc->compatible_format(), width, height);
}

HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage) {
    // Without a DC the bitmap is compatible with a fresh memory DC: monochrome.
    HDC own = nullptr;
    if (hdc == nullptr) {
        own = CreateCompatibleDC(nullptr);
        hdc = own;
    }
    const DeviceContext* dc = find_dc(hdc);
    int width = 0;
    int height = 0;
    HBITMAP bm = nullptr;
    if (dc == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
    } else if (header == nullptr || usage != DIB_RGB_COLORS || !dib_size(header, width, height)) {
        SetLastError(ERROR_INVALID_PARAMETER);
    } else {
        bm = make_bitmap(dc->compatible_format(), width, height);
        if (bm != nullptr && (init & CBM_INIT)) {
            BitmapObject* b = find_bitmap(bm);
            if (info == nullptr || bits == nullptr || b->stock ||
                store_dib(*dc, b->surface, info, bits) == 0) {
                if (!b->stock) {
                    DeleteObject(bm);
                }
                SetLastError(ERROR_INVALID_PARAMETER);
                bm = nullptr;
            }
        }
    }
    if (own != nullptr) {
        DeleteDC(own);
    }
    return bm;
}

int SetDIBits(HDC hdc, HBITMAP bitmap, UINT start_scan, UINT scan_count, const void* bits,
              const BITMAPINFO* info, UINT usage) {
    const DeviceContext* dc = find_dc(hdc);
    BitmapObject* b = find_bitmap(bitmap);
    if (dc == nullptr || b == nullptr || b->stock) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    int width = 0;
    int height = 0;
    // Only whole pictures: the bits must cover every scan line.
    if (info == nullptr || bits == nullptr || usage != DIB_RGB_COLORS ||
        !dib_size(&info->bmiHeader, width, height) || start_scan != 0 ||
        scan_count < static_cast<UINT>(height)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return store_dib(*dc, b->surface, info, bits);
}

int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start_scan, UINT scan_count, LPVOID bits,
              LPBITMAPINFO info, UINT usage) {
    const DeviceContext* dc = find_dc(hdc);
    const BitmapObject* b = find_bitmap(bitmap);
    if (dc == nullptr || b == nullptr || info == nullptr || usage != DIB_RGB_COLORS ||
        info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const Surface& s = b->surface;
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (bits == nullptr) {
        // Describe the bitmap as a 32-bit DIB, the one form the bits can be read in.
        h.biWidth = s.width();
        h.biHeight = s.height();
        h.biPlanes = 1;
        h.biBitCount = 32;
        h.biCompression = BI_RGB;
        h.biSizeImage = static_cast<DWORD>(s.width() * s.height() * 4);
        return s.height();
    }
    if ((h.biBitCount != 32 && h.biBitCount != 24) || h.biCompression != BI_RGB ||
        h.biWidth != s.width() || h.biHeight == 0 || h.biHeight == INT32_MIN) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const bool top_down = h.biHeight < 0;
    const int rows = std::abs(h.biHeight);
    const std::size_t stride = static_cast<std::size_t>((s.width() * h.biBitCount + 31) / 32) * 4;
    auto* out = static_cast<std::uint8_t*>(bits);
    int copied = 0;
    for (UINT scan = start_scan; scan < start_scan + scan_count && scan < static_cast<UINT>(rows);
         ++scan) {
        // Scan 0 is the bottom row of a bottom-up DIB.
        const int y = top_down ? static_cast<int>(scan) : rows - 1 - static_cast<int>(scan);
        if (y >= s.height()) {
            continue;
        }
        std::uint8_t* row = out + stride * (scan - start_scan);
        for (int x = 0; x < s.width(); ++x) {
            const std::uint32_t rgb = value_to_rgb32(s.format(), s.get(x, y));
            std::uint8_t* p = row + static_cast<std::size_t>(x) * (h.biBitCount / 8);
            p[0] = static_cast<std::uint8_t>(rgb);
            p[1] = static_cast<std::uint8_t>(rgb >> 8);
            p[2] = static_cast<std::uint8_t>(rgb >> 16);
            if (h.biBitCount == 32) {
                p[3] = 0;
            }
        }
        ++copied;
    }
    return copied;
}

int GetObjectA(HGDIOBJ obj, int size, LPVOID out) {
    GdiObject* o = objects().find(obj);
    if (o == nullptr || size < 0) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    auto give = [&](const void* data, std::size_t bytes) {
        if (out == nullptr) {
            return static_cast<int>(bytes);
        }
        const std::size_t n = std::min(bytes, static_cast<std::size_t>(size));
        std::memcpy(out, data, n);
        return static_cast<int>(n);
    };
    switch (o->kind) {
        case ObjectKind::Bitmap: {
            const Surface& s = static_cast<BitmapObject*>(o)->surface;
            const int bpp = bits_per_pixel(s.format());
            const BITMAP bm{0,          s.width(),
                            s.height(), static_cast<LONG>(ddb_stride(s.width(), bpp)),
                            1,          static_cast<WORD>(bpp),
                            nullptr};
            return give(&bm, sizeof(bm));
        }
        case ObjectKind::Palette: {
            const auto count = static_cast<WORD>(static_cast<PaletteObject*>(o)->entries.size());
            return give(&count, sizeof(count));
        }
        case ObjectKind::Pen: {
            const auto* p = static_cast<PenObject*>(o);
            const LOGPEN pen{static_cast<UINT>(p->style), POINT{p->width, 0}, p->color};
            return give(&pen, sizeof(pen));
        }
        case ObjectKind::Brush: {
            const auto* b = static_cast<BrushObject*>(o);
            const LOGBRUSH brush{static_cast<UINT>(b->hollow ? BS_NULL : BS_SOLID), b->color, 0};
            return give(&brush, sizeof(brush));
        }
        case ObjectKind::Font:
            return give(&static_cast<FontObject*>(o)->logfont, sizeof(LOGFONTA));
        case ObjectKind::Icon:
        case ObjectKind::Dc:
            break;
    }
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
}
