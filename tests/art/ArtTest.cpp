// ArtTest.cpp: the committed pictures keep the form the program's drawing relies on: masks keyed
// on exact white, palettes that fit beside the static colours, grey-cornered piece cells.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

using Rgb = std::array<int, 3>;

// An uncompressed palette BMP with a 40-byte header; pixels are table indices, top row first.
struct Bmp {
    int width = 0, height = 0, bpp = 0;
    std::vector<Rgb> table;
    std::vector<int> pixels;
    Rgb at(int x, int y) const { return table.at(pixels.at(y * width + x)); }
};

Bmp load(const std::string& name) {
    std::ifstream in(std::string(PILO_SOURCE_DIR) + "/res/bitmaps/" + name, std::ios::binary);
    const std::vector<std::uint8_t> b(std::istreambuf_iterator<char>(in), {});
    const auto le = [&b](std::size_t at, int bytes) {
        std::uint32_t v = 0;
        for (int i = bytes - 1; i >= 0; --i) {
            v = v << 8 | (at + i < b.size() ? b[at + i] : 0);
        }
        return v;
    };
    Bmp bmp;
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || le(2, 4) != b.size() || le(14, 4) != 40 ||
        le(30, 4) != 0) {
        ADD_FAILURE() << name << ": not an uncompressed BMP with a 40-byte header";
        return bmp;
    }
    bmp.width = static_cast<int>(le(18, 4));
    bmp.height = static_cast<int>(le(22, 4));
    bmp.bpp = static_cast<int>(le(28, 2));
    const std::size_t entries = le(46, 4) != 0 ? le(46, 4) : std::size_t{1} << bmp.bpp;
    const std::size_t stride = (static_cast<std::size_t>(bmp.width) * bmp.bpp + 31) / 32 * 4;
    if (bmp.bpp > 8 || le(10, 4) != 54 + 4 * entries ||
        b.size() != le(10, 4) + stride * static_cast<std::size_t>(bmp.height)) {
        ADD_FAILURE() << name << ": table and bits do not fill the file";
        return bmp;
    }
    for (std::size_t i = 0; i < entries; ++i) {
        bmp.table.push_back({b[56 + 4 * i], b[55 + 4 * i], b[54 + 4 * i]});
    }
    for (int y = bmp.height - 1; y >= 0; --y) {
        const std::size_t row = le(10, 4) + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < bmp.width; ++x) {
            const std::size_t bit = static_cast<std::size_t>(x) * bmp.bpp;
            bmp.pixels.push_back(b[row + bit / 8] >> (8 - bmp.bpp - bit % 8) &
                                 ((1 << bmp.bpp) - 1));
        }
    }
    return bmp;
}

// The 20 static colours at their places in the system palette.
const std::pair<int, Rgb> kStatics[] = {
    {0, {0, 0, 0}},         {1, {128, 0, 0}},     {2, {0, 128, 0}},       {3, {128, 128, 0}},
    {4, {0, 0, 128}},       {5, {128, 0, 128}},   {6, {0, 128, 128}},     {7, {192, 192, 192}},
    {8, {192, 220, 192}},   {9, {166, 202, 240}}, {246, {255, 251, 240}}, {247, {160, 160, 164}},
    {248, {128, 128, 128}}, {249, {255, 0, 0}},   {250, {0, 255, 0}},     {251, {255, 255, 0}},
    {252, {0, 0, 255}},     {253, {255, 0, 255}}, {254, {0, 255, 255}},   {255, {255, 255, 255}},
};

// The button pictures: 16 standard colours, so white is exact for the mask; a white margin all
// round, so the window's texture surrounds every button.
TEST(Art, ButtonPicturesAreSixteenStandardColoursWithAWhiteMargin) {
    const Rgb kStandard[16] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                               {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                               {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                               {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (const char* name : {"shape_cross.bmp", "shape_square.bmp", "newgame.bmp",
                             "newgame_pressed.bmp", "exit.bmp", "exit_pressed.bmp"}) {
        SCOPED_TRACE(name);
        const Bmp bmp = load(name);
        ASSERT_EQ(bmp.width * bmp.height * bmp.bpp, 24 * 24 * 4);
        EXPECT_EQ(bmp.table, std::vector<Rgb>(std::begin(kStandard), std::end(kStandard)));
        int opaque = 0;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                const bool margin = x == 0 || y == 0 || x == 23 || y == 23;
                const bool white = bmp.pixels[y * 24 + x] == 15;
                EXPECT_TRUE(white || !margin) << x << ", " << y;
                opaque += white ? 0 : 1;
            }
        }
        EXPECT_GT(opaque, 24) << "something to show";
    }
}

// The piece sheets: 6 x 3 cells of 18 x 18, 8 bits with the statics at their places, so that the
// sheet's palette maps them onto the statics, and every cell cornered in the board's grey.
TEST(Art, SpriteSheetsHoldEighteenGreyCorneredCellsAndFitThePalette) {
    const Rgb kGrey = {192, 192, 192};
    for (const char* name : {"crosses.bmp", "balls.bmp", "stars.bmp"}) {
        SCOPED_TRACE(name);
        const Bmp bmp = load(name);
        ASSERT_EQ(bmp.width, 108);
        ASSERT_EQ(bmp.height, 54);
        ASSERT_EQ(bmp.table.size(), 256u);
        for (const auto& s : kStatics) {
            EXPECT_EQ(bmp.table[s.first], s.second) << "entry " << s.first;
        }
        std::set<Rgb> own;  // a palette realises at most 236 colours beside the statics
        for (int p : bmp.pixels) {
            own.insert(bmp.table[p]);
        }
        for (const auto& st : kStatics) {
            own.erase(st.second);
        }
        EXPECT_LE(own.size(), 236u);
        for (int cell = 0; cell < 18; ++cell) {
            const int x0 = cell / 3 * 18;
            const int y0 = cell % 3 * 18;
            for (const auto& [dx, dy] : {std::pair{0, 0}, {17, 0}, {0, 17}, {17, 17}}) {
                EXPECT_EQ(bmp.at(x0 + dx, y0 + dy), kGrey) << "cell " << cell;
            }
            EXPECT_NE(bmp.at(x0 + 9, y0 + 9), kGrey) << "no piece in cell " << cell;
        }
    }
}

}  // namespace
