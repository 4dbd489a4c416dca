// Resources.cpp: bitmaps, icons and cursors loaded for the program.
#include "platform/win32/gdi/GdiObjects.h"
#include "platform/win32/gdi/IconFromDib.h"
#include "platform/win32/user/Controls.h"
#include "platform/win32/gdi/dib/DibDecoder.h"
#include "platform/win32/kernel/ResourcePictures.h"
#include "platform/win32/windows.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name) {
    const auto dib = kernel::bitmap_resource_bytes(instance, name);
    if (dib.empty()) {
        return nullptr;  // the last error says why
    }
    gdi::dib::DibHeaderInfo info{};
    if (gdi::dib::read_dib_header(dib.data(), dib.size(), info) != gdi::dib::DibError::None ||
        info.bits_offset > dib.size() || dib.size() - info.bits_offset < info.bits_bytes) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    // A screen DC makes the bitmap a device one, its colours matched to the static colours.
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return nullptr;
    }
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib.data());
    HBITMAP bitmap =
        CreateDIBitmap(screen, header, CBM_INIT, dib.data() + info.bits_offset,
                       reinterpret_cast<const BITMAPINFO*>(dib.data()), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

namespace {

// An icon LoadIconA handed out, by the resource bytes it was made from.
struct SharedIcon {
    const std::byte* data;
    std::size_t size;
    std::uint64_t hash;
    HICON icon;
};

std::uint64_t hash_bytes(std::span<const std::byte> bytes) {
    std::uint64_t h = 0xCBF29CE484222325ull;
    for (const std::byte b : bytes) {
        h = (h ^ static_cast<std::uint64_t>(b)) * 0x100000001B3ull;
    }
    return h;
}

}  // namespace

HICON user::load_icon_copy(HINSTANCE instance, LPCSTR name) {
    const auto image = kernel::icon_resource_bytes(instance, name, 32, 32, 8);
    if (image.empty()) {
        return nullptr;
    }
    return gdi::create_icon_from_dib(image);
}

// Icons are shared: loading the same resource again gives the icon loaded first, so a program
// that never destroys them (nor needs to) holds one per resource, however often it loads it.
HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    static std::vector<SharedIcon> shared;
    const auto image = kernel::icon_resource_bytes(instance, name, 32, 32, 8);
    if (image.empty()) {
        return nullptr;
    }
    // An icon destroyed after all is forgotten.
    std::erase_if(shared, [](const SharedIcon& s) {
        return gdi::find_object<gdi::IconObject>(s.icon, gdi::ObjectKind::Icon) == nullptr;
    });
    const std::uint64_t hash = hash_bytes(image);
    for (const SharedIcon& s : shared) {
        if (s.data == image.data() && s.size == image.size() && s.hash == hash) {
            return s.icon;
        }
    }
    HICON icon = gdi::create_icon_from_dib(image);
    if (icon != nullptr) {
        shared.push_back(SharedIcon{image.data(), image.size(), hash, icon});
    }
    return icon;
}

namespace {

constexpr int kCursorSize = 32;
constexpr int kArrowHeight = 16;

// The arrow: a right triangle with a black outline and a white inside, hot spot at its tip.
// Monochrome cursor layout: the AND mask rows, then the XOR rows, 4 bytes a row, MSB first.
HCURSOR make_arrow_cursor() {
    constexpr int kRowBytes = kCursorSize / 8;
    std::array<std::uint8_t, kRowBytes * kCursorSize * 2> bits{};
    bits.fill(0);
    for (int y = 0; y < kCursorSize; ++y) {
        for (int x = 0; x < kCursorSize; ++x) {
            const bool inside = y < kArrowHeight && x <= y;
            const bool outline = inside && (x == 0 || x == y || y == kArrowHeight - 1);
            const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
            if (!inside) {
                bits[y * kRowBytes + x / 8] |= bit;  // AND 1, XOR 0: screen shows through
            } else if (!outline) {
                bits[(kCursorSize + y) * kRowBytes + x / 8] |= bit;  // AND 0, XOR 1: white
            }
        }
    }
    HBITMAP mask = CreateBitmap(kCursorSize, kCursorSize * 2, 1, 1, bits.data());
    if (mask == nullptr) {
        return nullptr;
    }
    ICONINFO info{FALSE, 0, 0, mask, nullptr};
    HICON cursor = CreateIconIndirect(&info);
    DeleteObject(mask);
    return cursor;
}

}  // namespace

// Only the system arrow exists; the program has no cursor resources. The handle is shared
// and lives as long as the process.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
    if (instance != nullptr || name != IDC_ARROW) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    static const HCURSOR arrow = make_arrow_cursor();
    return arrow;
}
