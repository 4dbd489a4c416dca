// MakeIcons.cpp: the desktop icons, PNG files of the program's icon resource at the sizes a
// desktop asks for, from the icon's own pixels zoomed by whole numbers (pixel art stays sharp).
// Usage: pilo-make-icons FOLDER SIZE...   writes FOLDER/SIZE.png for each size.
#include "platform/win32/gdi/dib/DibDecoder.h"
#include "platform/win32/gdi/png/PngFile.h"
#include "platform/win32/kernel/ResourcePictures.h"
#include "res/PiloResources.h"
#include "res/resource.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// One frame of the icon as 0xAAbbggrr pixels, top row first; transparent where the mask is set.
struct Frame {
    int side = 0;
    std::vector<std::uint32_t> pixels;
};

// Decodes the size x size image of the icon group: its colour picture (a DIB whose header
// counts both halves) and the 1-bit mask after it. False when the group has no such image.
bool read_frame(int size, Frame& out) {
    const auto image =
        kernel::icon_resource_bytes(nullptr, MAKEINTRESOURCEA(IDR_MAINFRAME), size, size, 32);
    gdi::dib::DibHeaderInfo info{};
    if (image.empty() ||
        gdi::dib::read_dib_header(image.data(), image.size(), info) != gdi::dib::DibError::None ||
        info.width != size || info.height != 2 * size) {
        return false;
    }
    // The header with the height of the colour half alone.
    std::vector<std::byte> header(image.begin(), image.begin() + info.bits_offset);
    const std::int32_t half = size;
    std::memcpy(header.data() + 8, &half, sizeof half);
    const std::size_t colour_bytes = info.stride * static_cast<std::size_t>(size);
    const std::size_t mask_stride = (static_cast<std::size_t>(size) + 31) / 32 * 4;
    if (image.size() < info.bits_offset + colour_bytes + mask_stride * size) {
        return false;
    }
    gdi::dib::DecodedDib dib;
    if (gdi::dib::decode_dib(header.data(), header.size(), image.data() + info.bits_offset,
                             colour_bytes, dib) != gdi::dib::DibError::None) {
        return false;
    }
    const auto* mask =
        reinterpret_cast<const std::uint8_t*>(image.data() + info.bits_offset + colour_bytes);
    out.side = size;
    out.pixels.assign(static_cast<std::size_t>(size) * size, 0);
    for (int y = 0; y < size; ++y) {
        const std::uint8_t* mask_row = mask + mask_stride * static_cast<std::size_t>(size - 1 - y);
        for (int x = 0; x < size; ++x) {
            if ((mask_row[x / 8] >> (7 - x % 8) & 1) != 0) {
                continue;  // transparent
            }
            const std::size_t at = static_cast<std::size_t>(y) * size + x;
            std::uint32_t c = 0;
            if (dib.bits_per_pixel <= 8) {
                const gdi::dib::RgbQuad q = dib.color_table[dib.indices[at]];
                c = q.red | std::uint32_t{q.green} << 8 | std::uint32_t{q.blue} << 16;
            } else {
                c = dib.colors[at] & 0x00FFFFFFu;
            }
            out.pixels[at] = c | 0xFF000000u;
        }
    }
    return true;
}

// The picture of side `size`: the largest frame that a whole zoom fills exactly; failing that,
// the largest frame that fits, at the largest whole zoom that fits, centred on transparency.
std::vector<std::uint32_t> icon_of_size(const std::vector<Frame>& frames, int size) {
    const Frame* pick = nullptr;
    for (const Frame& f : frames) {  // smallest side first
        if (size % f.side == 0) {
            pick = &f;
        }
    }
    for (const Frame& f : frames) {
        if (f.side <= size && (pick == nullptr || size % pick->side != 0)) {
            pick = &f;
        }
    }
    std::vector<std::uint32_t> out(static_cast<std::size_t>(size) * size, 0);
    if (pick == nullptr) {
        return out;
    }
    const int zoom = size / pick->side;
    const int offset = (size - pick->side * zoom) / 2;
    for (int y = 0; y < pick->side * zoom; ++y) {
        for (int x = 0; x < pick->side * zoom; ++x) {
            out[static_cast<std::size_t>(y + offset) * size + x + offset] =
                pick->pixels[static_cast<std::size_t>(y / zoom) * pick->side + x / zoom];
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: pilo-make-icons FOLDER SIZE...\n");
        return 2;
    }
    std::string error;
    if (pilo_install_resources(&error) == nullptr) {
        std::fprintf(stderr, "pilo-make-icons: the resources are damaged: %s\n", error.c_str());
        return 1;
    }
    std::vector<Frame> frames;
    for (int side : {16, 32, 48, 64}) {
        Frame f;
        if (read_frame(side, f)) {
            frames.push_back(std::move(f));
        }
    }
    if (frames.empty()) {
        std::fprintf(stderr, "pilo-make-icons: the icon has no frame that can be read\n");
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < frames.front().side || size > 1024) {
            std::fprintf(stderr, "pilo-make-icons: size '%s' is not from %d to 1024\n", argv[i],
                         frames.front().side);
            return 1;
        }
        const std::string path = std::string(argv[1]) + "/" + std::to_string(size) + ".png";
        if (!gdi::png::write_rgba(path, size, size, icon_of_size(frames, size))) {
            std::fprintf(stderr, "pilo-make-icons: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
