// OtherPicturesTest.cpp: the stone texture, the title picture and the icon.
#include "tests/art/BmpFile.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

using art_test::Dib;
using art_test::Rgb;

Dib load(const char* name) {
    Dib dib;
    std::string error;
    EXPECT_TRUE(art_test::read_bmp(name, dib, error)) << name << ": " << error;
    return dib;
}

const Rgb kStatics[20] = {
    {0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128},
    {128, 0, 128},   {0, 128, 128},   {192, 192, 192}, {192, 220, 192}, {166, 202, 240},
    {255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0},
    {255, 255, 0},   {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

// What the palette display shows for a colour loaded without a palette: the nearest
// static colour, first strict minimum of the squared distance.
Rgb snap(const Rgb& c) {
    Rgb best = kStatics[0];
    long best_d = -1;
    for (const Rgb& s : kStatics) {
        long d = 0;
        for (int k = 0; k < 3; ++k) {
            d += (long(c[k]) - s[k]) * (long(c[k]) - s[k]);
        }
        if (best_d < 0 || d < best_d) {
            best = s;
            best_d = d;
        }
    }
    return best;
}

struct Header {
    const char* file;
    int width, height;
};

TEST(OtherPictures, EightBitHeadersWithFullTables) {
    const Header cases[] = {{"bitmaps/texture.bmp", 159, 160}, {"bitmaps/splash.bmp", 512, 384}};
    for (const Header& c : cases) {
        SCOPED_TRACE(c.file);
        const Dib dib = load(c.file);
        EXPECT_EQ(dib.header_size, 40u);
        EXPECT_EQ(dib.width, c.width);
        EXPECT_EQ(dib.height, c.height);
        EXPECT_EQ(dib.bpp, 8u);
        EXPECT_EQ(dib.compression, 0u);
        EXPECT_EQ(dib.table.size(), 256u);
    }
}

// Share of the texture, after snapping, that each grey takes.
std::map<Rgb, double> snapped_shares(const Dib& dib) {
    std::map<Rgb, double> shares;
    for (uint8_t p : dib.pixels) {
        shares[snap(dib.table[p])] += 1.0 / dib.pixels.size();
    }
    return shares;
}

TEST(Texture, SnapsToCalmMidGreys) {
    const Dib dib = load("bitmaps/texture.bmp");
    ASSERT_FALSE(dib.pixels.empty());
    std::map<Rgb, double> shares = snapped_shares(dib);
    for (const auto& [c, share] : shares) {
        EXPECT_TRUE(c[0] == c[1] && c[1] + 4 >= c[2] && c[2] >= c[1])
            << "not grey: " << int(c[0]) << "," << int(c[1]) << "," << int(c[2]);
    }
    const Rgb black{0, 0, 0}, dark{128, 128, 128}, mid{160, 160, 164}, light{192, 192, 192},
        white{255, 255, 255};
    EXPECT_GT(shares[mid] + shares[light], 0.85) << "mostly the two mid greys";
    EXPECT_GT(shares[mid], 0.25);
    EXPECT_GT(shares[light], 0.25);
    EXPECT_GT(shares[dark], 0.02) << "some dark speckles";
    EXPECT_LT(shares[dark], 0.12);
    EXPECT_LT(shares[white], 0.03) << "few white glints";
    EXPECT_LT(shares[black], 0.005) << "hardly any black";
}

TEST(Texture, TilesWithoutASeam) {
    // Neighbours inside the picture share their grey more often than pixels far apart,
    // because the stone has grain. Pixels that meet across the wrap-around edges must
    // behave like neighbours: at least halfway from the far pairs to the near ones.
    const Dib dib = load("bitmaps/texture.bmp");
    ASSERT_FALSE(dib.pixels.empty());
    const int w = dib.width, h = dib.height;
    auto same = [&](int x0, int y0, int x1, int y1) {
        return snap(dib.rgb(x0 % w, y0 % h)) == snap(dib.rgb(x1 % w, y1 % h));
    };
    // Share of equal pairs (x, y)-(x + dx, y + dy) over the lines at `from`, across them.
    auto across_columns = [&](int from, int dx) {
        int n = 0;
        for (int y = 0; y < h; ++y) {
            n += same(from, y, from + dx, y);
        }
        return double(n) / h;
    };
    auto across_rows = [&](int from, int dy) {
        int n = 0;
        for (int x = 0; x < w; ++x) {
            n += same(x, from, x, from + dy);
        }
        return double(n) / w;
    };
    double near_columns = 0, far_columns = 0, near_rows = 0, far_rows = 0;
    for (int x = 0; x < w - 1; ++x) {
        near_columns += across_columns(x, 1) / (w - 1);
        far_columns += across_columns(x, w / 2) / (w - 1);
    }
    for (int y = 0; y < h - 1; ++y) {
        near_rows += across_rows(y, 1) / (h - 1);
        far_rows += across_rows(y, h / 2) / (h - 1);
    }
    ASSERT_GT(near_columns, far_columns + 0.05) << "no grain to compare";
    ASSERT_GT(near_rows, far_rows + 0.05) << "no grain to compare";
    EXPECT_GE(across_columns(w - 1, 1), (near_columns + far_columns) / 2)
        << "left and right edges do not continue each other";
    EXPECT_GE(across_rows(h - 1, 1), (near_rows + far_rows) / 2)
        << "top and bottom edges do not continue each other";
}

TEST(Splash, RichColoursWithinTheFreeSlots) {
    const Dib dib = load("bitmaps/splash.bmp");
    std::set<Rgb> statics(std::begin(kStatics), std::end(kStatics));
    std::set<Rgb> own;
    for (uint8_t p : dib.pixels) {
        if (!statics.count(dib.table[p])) {
            own.insert(dib.table[p]);
        }
    }
    EXPECT_LE(own.size(), 236u);
    EXPECT_GE(own.size(), 150u);
}

// The icon file: a directory of two 4-bit images, each a DIB of doubled height holding
// the colour bits and then the transparency mask.
struct IconImage {
    Dib dib;
    std::vector<uint8_t> mask;  // 1 = transparent, top row first
};

bool read_icon(std::vector<IconImage>& images, std::string& error) {
    const std::vector<uint8_t> b = art_test::read_file(art_test::art_path("pilo.ico"));
    if (b.size() < 6 || art_test::le16(b, 0) != 0 || art_test::le16(b, 2) != 1) {
        error = "not an icon file";
        return false;
    }
    const uint32_t count = art_test::le16(b, 4);
    if (b.size() < 6 + 16 * count) {
        error = "directory cut short";
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        const size_t e = 6 + 16 * i;
        const uint32_t size = b[e], bytes = art_test::le32(b, e + 8),
                       offset = art_test::le32(b, e + 12);
        if (b[e + 1] != size || b[e + 2] != 16 || art_test::le16(b, e + 6) != 4 ||
            offset + bytes > b.size()) {
            error = "bad directory entry " + std::to_string(i);
            return false;
        }
        IconImage image;
        if (!art_test::parse_dib(b, offset, 0, 2, image.dib, error)) {
            return false;
        }
        const size_t xor_bytes = art_test::dib_stride(size, 4) * size;
        const size_t and_stride = art_test::dib_stride(size, 1);
        const size_t and_at = offset + 40 + 16 * 4 + xor_bytes;
        if (and_at + and_stride * size != offset + bytes) {
            error = "image size disagrees with its bits and mask";
            return false;
        }
        for (uint32_t y = 0; y < size; ++y) {
            const size_t row = and_at + (size - 1 - y) * and_stride;
            for (uint32_t x = 0; x < size; ++x) {
                image.mask.push_back((b[row + x / 8] >> (7 - x % 8)) & 1);
            }
        }
        images.push_back(std::move(image));
    }
    return true;
}

TEST(Icon, HoldsThirtyTwoAndSixteenPixelImagesInSixteenColours) {
    std::vector<IconImage> images;
    std::string error;
    ASSERT_TRUE(read_icon(images, error)) << error;
    ASSERT_EQ(images.size(), 2u);
    const int sizes[2] = {32, 16};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(sizes[i]);
        const Dib& dib = images[i].dib;
        EXPECT_EQ(dib.width, sizes[i]);
        EXPECT_EQ(dib.height, sizes[i]);
        EXPECT_EQ(dib.bpp, 4u);
        ASSERT_EQ(dib.table.size(), 16u);
        EXPECT_EQ(dib.table[0], (Rgb{0, 0, 0}));
        EXPECT_EQ(dib.table[9], (Rgb{255, 0, 0}));
        EXPECT_EQ(dib.table[15], (Rgb{255, 255, 255}));
    }
}

TEST(Icon, MaskClearsTheCornersAndKeepsTheMiddle) {
    std::vector<IconImage> images;
    std::string error;
    ASSERT_TRUE(read_icon(images, error)) << error;
    for (const IconImage& image : images) {
        const int n = image.dib.width;
        SCOPED_TRACE(n);
        auto clear = [&](int x, int y) { return image.mask[size_t(y) * n + x] == 1; };
        EXPECT_TRUE(clear(0, 0));
        EXPECT_TRUE(clear(n - 1, 0));
        EXPECT_FALSE(clear(n / 2, n / 2));
        int opaque = 0;
        for (int y = 0; y < n; ++y) {
            for (int x = 0; x < n; ++x) {
                if (clear(x, y)) {
                    // A transparent pixel must not tint the screen: its colour bits are black.
                    EXPECT_EQ(image.dib.at(x, y), 0) << "at " << x << "," << y;
                } else {
                    ++opaque;
                }
            }
        }
        EXPECT_GT(opaque, n * n / 2) << "the motif fills most of the icon";
    }
}

}  // namespace
