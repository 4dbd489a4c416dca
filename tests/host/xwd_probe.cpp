// xwd_probe.cpp: reads an X window dump and prints its size and the colour of chosen pixels,
// so the smoke test needs no image tools: xwd_probe FILE [X Y]...
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::uint32_t be32(const std::vector<unsigned char>& b, std::size_t at) {
    return (std::uint32_t(b[at]) << 24) | (std::uint32_t(b[at + 1]) << 16) |
           (std::uint32_t(b[at + 2]) << 8) | b[at + 3];
}

// The value of a mask's bits scaled to 0..255.
unsigned channel(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0)
        return 0;
    int shift = 0;
    while (((mask >> shift) & 1u) == 0)
        ++shift;
    const std::uint32_t max = mask >> shift;
    return static_cast<unsigned>(((pixel & mask) >> shift) * 255u / max);
}

int fail(const char* why) {
    std::fprintf(stderr, "xwd_probe: %s\n", why);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc % 2 != 0) {
        return fail("usage: xwd_probe FILE [X Y]...");
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
    if (b.size() < 100)
        return fail("not an XWD file");
    const std::uint32_t header_size = be32(b, 0);
    const std::uint32_t version = be32(b, 4);
    const std::uint32_t format = be32(b, 8);
    const std::uint32_t width = be32(b, 16);
    const std::uint32_t height = be32(b, 20);
    const std::uint32_t byte_order = be32(b, 28);
    const std::uint32_t bits_per_pixel = be32(b, 44);
    const std::uint32_t bytes_per_line = be32(b, 48);
    const std::uint32_t red_mask = be32(b, 56);
    const std::uint32_t green_mask = be32(b, 60);
    const std::uint32_t blue_mask = be32(b, 64);
    const std::uint32_t ncolors = be32(b, 76);
    if (version != 7 || format != 2)
        return fail("only version 7 ZPixmap dumps are read");
    if (bits_per_pixel != 32 && bits_per_pixel != 24)
        return fail("only 24 or 32 bits a pixel");
    const std::uint64_t data = std::uint64_t{header_size} + std::uint64_t{ncolors} * 12;
    if (data + std::uint64_t{bytes_per_line} * height > b.size())
        return fail("dump is truncated");
    std::printf("size %u %u\n", width, height);
    const unsigned bytes = bits_per_pixel / 8;
    for (int i = 2; i + 1 < argc; i += 2) {
        const long x = std::strtol(argv[i], nullptr, 10);
        const long y = std::strtol(argv[i + 1], nullptr, 10);
        if (x < 0 || y < 0 || x >= long(width) || y >= long(height)) {
            std::printf("outside\n");
            continue;
        }
        const std::size_t at = data + std::size_t(y) * bytes_per_line + std::size_t(x) * bytes;
        std::uint32_t pixel = 0;
        for (unsigned k = 0; k < bytes; ++k) {
            const unsigned shift = byte_order == 0 ? 8 * k : 8 * (bytes - 1 - k);
            pixel |= std::uint32_t(b[at + k]) << shift;
        }
        std::printf("%02X%02X%02X\n", channel(pixel, red_mask), channel(pixel, green_mask),
                    channel(pixel, blue_mask));
    }
    return 0;
}
