// ButtonPictureTest.cpp: the 16-colour button pictures and their transparent white key.
#include "tests/art/BmpFile.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using art_test::Dib;
using art_test::Rgb;

constexpr int kSize = 24;
constexpr uint8_t kBlack = 0, kRed = 9, kYellow = 11, kMagenta = 13, kCyan = 14, kWhite = 15;

Dib load(const std::string& name) {
    Dib dib;
    std::string error;
    EXPECT_TRUE(art_test::read_bmp("bitmaps/" + name, dib, error)) << name << ": " << error;
    return dib;
}

// Which of the bright colours each picture shows, and which it must not.
struct Case {
    const char* file;
    std::set<uint8_t> present;
    std::set<uint8_t> absent;
};
const Case kCases[] = {
    {"shape_cross.bmp", {kRed}, {kYellow, kCyan, kMagenta}},
    {"shape_square.bmp", {kRed}, {kYellow, kCyan, kMagenta}},
    {"newgame.bmp", {kYellow, kCyan}, {kRed, kMagenta}},
    {"newgame_pressed.bmp", {kRed, kYellow, kCyan}, {kMagenta}},
    {"exit.bmp", {kMagenta}, {kRed, kYellow, kCyan}},
    {"exit_pressed.bmp", {kRed}, {kMagenta, kYellow, kCyan}},
};

// The standard order of the 16 colours: entry 15 must be exact white for the mask.
const Rgb kStandard[16] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};

TEST(ButtonPicture, HeaderIsAFourBitInfoHeaderWithTheStandardColours) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.file);
        const Dib dib = load(c.file);
        EXPECT_EQ(dib.header_size, 40u);
        EXPECT_EQ(dib.width, kSize);
        EXPECT_EQ(dib.height, kSize);
        EXPECT_EQ(dib.bpp, 4u);
        EXPECT_EQ(dib.compression, 0u);
        ASSERT_EQ(dib.table.size(), 16u);
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(dib.table[i], kStandard[i]) << "entry " << i;
        }
    }
}

TEST(ButtonPicture, AOnePixelWhiteMarginRunsAllRound) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.file);
        const Dib dib = load(c.file);
        ASSERT_EQ(dib.pixels.size(), size_t{kSize * kSize});
        for (int i = 0; i < kSize; ++i) {
            EXPECT_EQ(dib.at(i, 0), kWhite) << "top, x " << i;
            EXPECT_EQ(dib.at(0, i), kWhite) << "left, y " << i;
            EXPECT_EQ(dib.at(i, kSize - 1), kWhite) << "bottom, x " << i;
            EXPECT_EQ(dib.at(kSize - 1, i), kWhite) << "right, y " << i;
        }
    }
}

TEST(ButtonPicture, ShowsItsColoursOnly) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.file);
        const Dib dib = load(c.file);
        std::set<uint8_t> used(dib.pixels.begin(), dib.pixels.end());
        for (uint8_t p : c.present) {
            EXPECT_TRUE(used.count(p)) << "colour " << int(p) << " missing";
        }
        for (uint8_t a : c.absent) {
            EXPECT_FALSE(used.count(a)) << "colour " << int(a) << " unexpected";
        }
        EXPECT_TRUE(used.count(kBlack)) << "hard dark outline expected";
    }
}

TEST(ButtonPicture, OpaquePartIsOneConnectedPictureWithoutStrayPixels) {
    // Every opaque pixel touches another one: a lone pixel on the white key would show
    // as a speck on the window's texture.
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.file);
        const Dib dib = load(c.file);
        for (int y = 1; y < kSize - 1; ++y) {
            for (int x = 1; x < kSize - 1; ++x) {
                if (dib.at(x, y) == kWhite) {
                    continue;
                }
                const bool touches = dib.at(x - 1, y) != kWhite || dib.at(x + 1, y) != kWhite ||
                                     dib.at(x, y - 1) != kWhite || dib.at(x, y + 1) != kWhite;
                EXPECT_TRUE(touches) << "lone pixel at " << x << "," << y;
            }
        }
    }
}

TEST(ButtonPicture, BoardShapesAreAPlusAndASquare) {
    const Dib cross = load("shape_cross.bmp");
    const Dib square = load("shape_square.bmp");
    // The middle is red on both.
    EXPECT_EQ(cross.at(11, 11), kRed);
    EXPECT_EQ(square.at(11, 11), kRed);
    // The cross's arms reach further than the square's sides, on all four sides...
    EXPECT_NE(cross.at(2, 11), kWhite);
    EXPECT_NE(cross.at(21, 11), kWhite);
    EXPECT_NE(cross.at(11, 2), kWhite);
    EXPECT_NE(cross.at(11, 21), kWhite);
    EXPECT_EQ(square.at(2, 11), kWhite);
    EXPECT_EQ(square.at(11, 2), kWhite);
    // ...while its corners stay clear, and the square fills its corners.
    EXPECT_EQ(cross.at(2, 2), kWhite);
    EXPECT_EQ(cross.at(21, 21), kWhite);
    EXPECT_NE(square.at(5, 5), kWhite);
    EXPECT_NE(square.at(18, 18), kWhite);
}

TEST(ButtonPicture, ExitPicturesDifferOnlyInColour) {
    const Dib normal = load("exit.bmp");
    const Dib pressed = load("exit_pressed.bmp");
    ASSERT_EQ(normal.pixels.size(), pressed.pixels.size());
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            EXPECT_EQ(normal.at(x, y) == kWhite, pressed.at(x, y) == kWhite)
                << "shape differs at " << x << "," << y;
        }
    }
}

}  // namespace
