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

// Writes 3 (RGB) or 4 (RGBA) bytes a pixel from 0xAAbbggrr values.
bool write_png(const std::string& path, int width, int height,
               std::span<const std::uint32_t> pixels, bool alpha) {
    if (path.empty() || !is_valid_side(width) || !is_valid_side(height) ||
        pixels.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return false;
    }
    const std::size_t channels = alpha ? 4 : 3;
    std::vector<png_byte> bytes(pixels.size() * channels);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        for (std::size_t k = 0; k < channels; ++k) {
            bytes[channels * i + k] = static_cast<png_byte>((pixels[i] >> (8 * k)) & 0xFF);
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = alpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
    // On failure libpng removes the partly written file itself.
    const int ok = png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr);
    png_image_free(&image);
    return ok != 0;
}

}  // namespace

bool write_rgb(const std::string& path, int width, int height,
               std::span<const std::uint32_t> pixels) {
    return write_png(path, width, height, pixels, false);
}

bool write_rgba(const std::string& path, int width, int height,
                std::span<const std::uint32_t> pixels) {
    return write_png(path, width, height, pixels, true);
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
