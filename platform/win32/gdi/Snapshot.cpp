// Snapshot.cpp: surfaces to RGB through the system palette, and to PNG files.
#include "platform/win32/gdi/Snapshot.h"

#include "platform/win32/gdi/ColorMapping.h"
#include "platform/win32/gdi/DeviceContext.h"

#include "platform/win32/gdi/png/PngFile.h"

namespace gdi {

namespace {

std::vector<std::uint32_t> to_rgb(const Surface* s, int& width, int& height) {
    width = 0;
    height = 0;
    std::vector<std::uint32_t> out;
    if (s == nullptr) {
        return out;
    }
    width = s->width();
    height = s->height();
    out.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            out.push_back(value_to_colorref(s->format(), s->get(x, y)));
        }
    }
    return out;
}

bool write(const std::vector<std::uint32_t>& rgb, int width, int height, const std::string& path) {
    return !rgb.empty() && png::write_rgb(path, width, height, rgb);
}

}  // namespace

std::vector<std::uint32_t> snapshot_rgb(HDC hdc, int& width, int& height) {
    DeviceContext* dc = find_dc(hdc);
    return to_rgb(dc == nullptr ? nullptr : dc->surface(), width, height);
}

std::vector<std::uint32_t> snapshot_rgb(HBITMAP bitmap, int& width, int& height) {
    const BitmapObject* b = find_bitmap(bitmap);
    return to_rgb(b == nullptr ? nullptr : &b->surface, width, height);
}

bool write_png(HDC hdc, const std::string& path) {
    int w = 0;
    int h = 0;
    const auto rgb = snapshot_rgb(hdc, w, h);
    return write(rgb, w, h, path);
}

bool write_png(HBITMAP bitmap, const std::string& path) {
    int w = 0;
    int h = 0;
    const auto rgb = snapshot_rgb(bitmap, w, h);
    return write(rgb, w, h, path);
}

}  // namespace gdi
