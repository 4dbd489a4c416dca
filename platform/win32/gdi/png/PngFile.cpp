// PngFile.cpp: RGB PNG files through libpng's simplified interface.
#include "platform/win32/gdi/png/PngFile.h"

#include <png.h>

#include <cstddef>
#include <utility>

namespace gdi::png {

namespace {

bool is_valid_side(long long side) {
    return side >= 1 && side <= kMaxSide;
}

}  // namespace

bool write_rgb(const std::string& path, int width, int height,
               std::span<const std::uint32_t> pixels) {
    if (path.empty() || !is_valid_side(width) || !is_valid_side(height) ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return false;
    }
    std::vector<png_byte> rgb(pixels.size() * 3);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        const std::uint32_t c = pixels[i];
        rgb[3 * i] = static_cast<png_byte>(c & 0xFF);
        rgb[3 * i + 1] = static_cast<png_byte>((c >> 8) & 0xFF);
        rgb[3 * i + 2] = static_cast<png_byte>((c >> 16) & 0xFF);
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    // On failure libpng removes the partly written file itself.
    const int ok = png_image_write_to_file(&image, path.c_str(), 0, rgb.data(), 0, nullptr);
    png_image_free(&image);
    return ok != 0;
}

bool read_rgb(const std::string& path, int& width, int& height,
              std::vector<std::uint32_t>& pixels) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        png_image_free(&image);
        return false;
    }
    if (!is_valid_side(image.width) || !is_valid_side(image.height)) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
    const png_color black{0, 0, 0};
    if (png_image_finish_read(&image, &black, rgb.data(), 0, nullptr) == 0) {
        png_image_free(&image);
        return false;
    }
    std::vector<std::uint32_t> result(static_cast<std::size_t>(image.width) * image.height);
    for (std::size_t i = 0; i < result.size(); ++i) {
        result[i] = rgb[3 * i] | (std::uint32_t{rgb[3 * i + 1]} << 8) |
                    (std::uint32_t{rgb[3 * i + 2]} << 16);
    }
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    pixels = std::move(result);
    return true;
}

}  // namespace gdi::png
