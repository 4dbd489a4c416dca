// SpriteSheetTest.cpp: the three piece sheets as the piece store and the board use them.
#include "tests/art/BmpFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

using art_test::Dib;
using art_test::Rgb;

constexpr int kCell = 18;
const Rgb kGrey = {192, 192, 192};

const char* const kSheets[] = {"bitmaps/crosses.bmp", "bitmaps/balls.bmp", "bitmaps/stars.bmp"};

// The 20 static colours by table place; a sheet keeps them where the system palette has
// them, so that realising the sheet's palette maps them onto the statics.
struct StaticEntry {
    int index;
    Rgb rgb;
};
const StaticEntry kStatics[] = {
    {0, {0, 0, 0}},         {1, {128, 0, 0}},     {2, {0, 128, 0}},       {3, {128, 128, 0}},
    {4, {0, 0, 128}},       {5, {128, 0, 128}},   {6, {0, 128, 128}},     {7, {192, 192, 192}},
    {8, {192, 220, 192}},   {9, {166, 202, 240}}, {246, {255, 251, 240}}, {247, {160, 160, 164}},
    {248, {128, 128, 128}}, {249, {255, 0, 0}},   {250, {0, 255, 0}},     {251, {255, 255, 0}},
    {252, {0, 0, 255}},     {253, {255, 0, 255}}, {254, {0, 255, 255}},   {255, {255, 255, 255}},
};

Dib load(const char* name) {
    Dib dib;
    std::string error;
    EXPECT_TRUE(art_test::read_bmp(name, dib, error)) << name << ": " << error;
    return dib;
}

bool is_static(const Rgb& c) {
    return std::any_of(std::begin(kStatics), std::end(kStatics),
                       [&](const StaticEntry& s) { return s.rgb == c; });
}

struct Box {
    int left = kCell, top = kCell, right = -1, bottom = -1;  // inclusive
    int width() const { return right - left + 1; }
    int height() const { return bottom - top + 1; }
};

Box piece_box(const Dib& dib, int row, int column) {
    Box box;
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            if (dib.rgb(column * kCell + x, row * kCell + y) != kGrey) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
        }
    }
    return box;
}

TEST(SpriteSheet, HeaderIsAnUncompressedEightBitInfoHeaderWithAFullTable) {
    for (const char* name : kSheets) {
        SCOPED_TRACE(name);
        const Dib dib = load(name);
        EXPECT_EQ(dib.header_size, 40u);
        EXPECT_EQ(dib.width, 108);
        EXPECT_EQ(dib.height, 54);
        EXPECT_EQ(dib.planes, 1u);
        EXPECT_EQ(dib.bpp, 8u);
        EXPECT_EQ(dib.compression, 0u);
        EXPECT_EQ(dib.colors_used, 0u);
        EXPECT_EQ(dib.table.size(), 256u);
    }
}

TEST(SpriteSheet, StaticColoursSitAtTheirSystemPlaces) {
    for (const char* name : kSheets) {
        SCOPED_TRACE(name);
        const Dib dib = load(name);
        ASSERT_EQ(dib.table.size(), 256u);
        for (const StaticEntry& s : kStatics) {
            EXPECT_EQ(dib.table[s.index], s.rgb) << "entry " << s.index;
        }
    }
}

TEST(SpriteSheet, OwnColoursFitTheFreeSystemSlots) {
    // 236 slots are free beside the 20 statics; more colours than that would be
    // shown as their nearest neighbours.
    for (const char* name : kSheets) {
        SCOPED_TRACE(name);
        const Dib dib = load(name);
        std::set<Rgb> own;
        for (size_t i = 0; i < dib.pixels.size(); ++i) {
            const Rgb c = dib.table[dib.pixels[i]];
            if (!is_static(c)) {
                own.insert(c);
            }
        }
        EXPECT_LE(own.size(), 236u);
        EXPECT_GE(own.size(), 60u) << "shading expected, not flat colour";
    }
}

TEST(SpriteSheet, EachSheetHasItsOwnTable) {
    const Dib crosses = load(kSheets[0]);
    const Dib balls = load(kSheets[1]);
    const Dib stars = load(kSheets[2]);
    EXPECT_NE(crosses.table, balls.table);
    EXPECT_NE(balls.table, stars.table);
    EXPECT_NE(crosses.table, stars.table);
}

TEST(SpriteSheet, EveryCellCornerIsTheBoardGrey) {
    for (const char* name : kSheets) {
        SCOPED_TRACE(name);
        const Dib dib = load(name);
        for (int row = 0; row < 3; ++row) {
            for (int column = 0; column < 6; ++column) {
                const int x0 = column * kCell, y0 = row * kCell;
                const int corners[4][2] = {{x0, y0},
                                           {x0 + kCell - 1, y0},
                                           {x0, y0 + kCell - 1},
                                           {x0 + kCell - 1, y0 + kCell - 1}};
                for (const auto& p : corners) {
                    EXPECT_EQ(dib.rgb(p[0], p[1]), kGrey)
                        << "cell row " << row << " column " << column << " at " << p[0] << ","
                        << p[1];
                }
            }
        }
    }
}

// Size rows: the longer side of the piece's bounding box, and how far its centre may
// lie from the cell's centre.
struct SizeRow {
    int row;
    int min_extent, max_extent;
};
const SizeRow kSizeRows[] = {
    {0, 17, 18},  // largest: fills the cell
    {1, 11, 15},  // medium
    {2, 8, 11},   // smallest
};

TEST(SpriteSheet, PiecesSpanTheirSizeRowAndSitInTheMiddle) {
    for (const char* name : kSheets) {
        for (const SizeRow& s : kSizeRows) {
            for (int column = 0; column < 6; ++column) {
                SCOPED_TRACE(std::string(name) + " row " + std::to_string(s.row) + " column " +
                             std::to_string(column));
                const Box box = piece_box(load(name), s.row, column);
                ASSERT_GE(box.right, 0) << "empty cell";
                const int extent = std::max(box.width(), box.height());
                EXPECT_GE(extent, s.min_extent);
                EXPECT_LE(extent, s.max_extent);
                // Twice the centre, so that an even and an odd box compare exactly.
                EXPECT_LE(std::abs(box.left + box.right + 1 - kCell), 2);
                EXPECT_LE(std::abs(box.top + box.bottom + 1 - kCell), 2);
            }
        }
    }
}

// Which channels carry each column's colour: red, green, blue, yellow, magenta, cyan.
struct Hue {
    const char* name;
    bool r, g, b;
};
const Hue kHues[] = {{"red", 1, 0, 0},    {"green", 0, 1, 0},   {"blue", 0, 0, 1},
                     {"yellow", 1, 1, 0}, {"magenta", 1, 0, 1}, {"cyan", 0, 1, 1}};

TEST(SpriteSheet, ColumnsHoldTheSixPieceColoursInOrder) {
    for (const char* name : kSheets) {
        const Dib dib = load(name);
        for (int column = 0; column < 6; ++column) {
            const Hue& hue = kHues[column];
            SCOPED_TRACE(std::string(name) + " " + hue.name);
            // Mean of each channel over the piece pixels of the largest size.
            long sum[3] = {0, 0, 0};
            long count = 0;
            for (int y = 0; y < kCell; ++y) {
                for (int x = 0; x < kCell; ++x) {
                    const Rgb c = dib.rgb(column * kCell + x, y);
                    if (c != kGrey) {
                        for (int k = 0; k < 3; ++k) {
                            sum[k] += c[k];
                        }
                        ++count;
                    }
                }
            }
            ASSERT_GT(count, 0);
            const bool on[3] = {hue.r, hue.g, hue.b};
            for (int lit = 0; lit < 3; ++lit) {
                for (int unlit = 0; unlit < 3; ++unlit) {
                    if (on[lit] && !on[unlit]) {
                        EXPECT_GT(sum[lit] / count, sum[unlit] / count + 60)
                            << "channel " << lit << " against " << unlit;
                    }
                }
            }
        }
    }
}

}  // namespace
