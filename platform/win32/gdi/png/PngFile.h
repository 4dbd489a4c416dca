// PngFile.h: RGB pictures to and from PNG files, for screenshots and golden images.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace gdi::png {

// Largest width and height written or read.
inline constexpr int kMaxSide = 16384;

// Writes an 8-bit RGB PNG of width x height pixels given as 0x00bbggrr (COLORREF layout), top
// row first; the top byte is ignored. False, with no file left behind, when the size is not
// 1..kMaxSide on each side, pixels does not hold exactly width * height values, or the file
// cannot be written.
bool write_rgb(const std::string& path, int width, int height,
               std::span<const std::uint32_t> pixels);

// The same with an alpha channel: pixels are 0xAAbbggrr, 0 in the top byte fully transparent.
bool write_rgba(const std::string& path, int width, int height,
                std::span<const std::uint32_t> pixels);

// Reads any PNG as 0x00bbggrr pixels, top row first; transparency is composited onto black.
// False, leaving the outputs untouched, when the file is missing, not a PNG, damaged or larger
// than kMaxSide on a side.
bool read_rgb(const std::string& path, int& width, int& height, std::vector<std::uint32_t>& pixels);

}  // namespace gdi::png
