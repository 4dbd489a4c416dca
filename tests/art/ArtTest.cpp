// ArtTest.cpp: the committed pictures, as the program's resources hold them, keep the form its
// drawing relies on: masks keyed on exact white, palettes that fit beside the static colours,
// grey-cornered piece cells.
#include "platform/win32/windows.h"
#include "res/PiloResources.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <set>
#include <vector>

namespace {

using Rgb = std::array<int, 3>;

// A packed palette DIB with a 40-byte header: its colour table and its pixels' table indices.
struct Dib {
    std::int32_t width = 0, height = 0;
    std::vector<Rgb> table;
    const std::uint8_t* bits = nullptr;
    int bpp = 0;
    int index(int x, int y) const {
        const std::size_t row =
            static_cast<std::size_t>(height - 1 - y) * ((width * bpp + 31) / 32 * 4);
        const int bit = x * bpp;
        return bits[row + bit / 8] >> (8 - bpp - bit % 8) & ((1 << bpp) - 1);
    }
    Rgb at(int x, int y) const { return table.at(static_cast<std::size_t>(index(x, y))); }
};

Dib load(UINT id) {
    HINSTANCE module = pilo_install_resources();
    const auto* p = static_cast<const std::uint8_t*>(
        LockResource(LoadResource(module, FindResourceA(module, MAKEINTRESOURCE(id), RT_BITMAP))));
    Dib dib;
    std::uint32_t header = 0, compression = 0, used = 0;
    std::uint16_t bpp = 0;
    if (p == nullptr) {
        ADD_FAILURE() << "no bitmap " << id;
        return dib;
    }
    std::memcpy(&header, p, 4);
    std::memcpy(&dib.width, p + 4, 4);
    std::memcpy(&dib.height, p + 8, 4);
    std::memcpy(&bpp, p + 14, 2);
    std::memcpy(&compression, p + 16, 4);
    std::memcpy(&used, p + 32, 4);
    EXPECT_EQ(header, 40u);
    EXPECT_EQ(compression, 0u);
    dib.bpp = bpp;
    for (std::uint32_t i = 0; i < (used != 0 ? used : 1u << bpp); ++i) {
        dib.table.push_back(Rgb{p[42 + 4 * i], p[41 + 4 * i], p[40 + 4 * i]});
    }
    dib.bits = p + 40 + 4 * dib.table.size();
    return dib;
}

// The button pictures: the 16 standard colours, so that white is exact for the mask, and a
// white margin all round, so that the window's texture surrounds every button.
TEST(Art, ButtonPicturesAreSixteenStandardColoursWithAWhiteMargin) {
    const std::vector<Rgb> kStandard = {
        {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
        {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
        {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
    for (UINT id : {IDB_SHAPE_CROSS, IDB_SHAPE_SQUARE, IDB_NEW_GAME, IDB_NEW_GAME_PRESSED, IDB_EXIT,
                    IDB_EXIT_PRESSED}) {
        SCOPED_TRACE(id);
        const Dib dib = load(id);
        ASSERT_EQ(dib.width * dib.height * dib.bpp, 24 * 24 * 4);
        EXPECT_EQ(dib.table, kStandard);
        for (int i = 0; i < 24; ++i) {
            for (const auto& [x, y] : {std::pair{i, 0}, {0, i}, {i, 23}, {23, i}}) {
                EXPECT_EQ(dib.index(x, y), 15) << x << ", " << y;
            }
        }
    }
}

// The piece sheets: 6 x 3 cells of 18 x 18 in 8 bits, the statics at their system places and
// at most 236 other colours, so that the sheet's palette is realised exactly; every cell holds
// a piece cornered in the board's grey.
TEST(Art, SpriteSheetsHoldEighteenGreyCorneredPiecesAndFitThePalette) {
    const std::pair<int, Rgb> kStatics[] = {
        {0, {0, 0, 0}},         {1, {128, 0, 0}},       {2, {0, 128, 0}},
        {3, {128, 128, 0}},     {4, {0, 0, 128}},       {5, {128, 0, 128}},
        {6, {0, 128, 128}},     {7, {192, 192, 192}},   {8, {192, 220, 192}},
        {9, {166, 202, 240}},   {246, {255, 251, 240}}, {247, {160, 160, 164}},
        {248, {128, 128, 128}}, {249, {255, 0, 0}},     {250, {0, 255, 0}},
        {251, {255, 255, 0}},   {252, {0, 0, 255}},     {253, {255, 0, 255}},
        {254, {0, 255, 255}},   {255, {255, 255, 255}}};
    const Rgb kGrey = {192, 192, 192};
    for (UINT id : {IDB_CROSSES, IDB_BALLS, IDB_STARS}) {
        SCOPED_TRACE(id);
        const Dib dib = load(id);
        ASSERT_EQ(dib.width * dib.height * dib.bpp, 108 * 54 * 8);
        ASSERT_EQ(dib.table.size(), 256u);
        std::set<Rgb> own;
        for (int i = 0; i < 108 * 54; ++i) {
            own.insert(dib.at(i % 108, i / 108));
        }
        for (const auto& [place, rgb] : kStatics) {
            EXPECT_EQ(dib.table[place], rgb) << "entry " << place;
            own.erase(rgb);
        }
        EXPECT_LE(own.size(), 236u);
        for (int cell = 0; cell < 18; ++cell) {
            const int x = cell / 3 * 18;
            const int y = cell % 3 * 18;
            for (const auto& [dx, dy] : {std::pair{0, 0}, {17, 0}, {0, 17}, {17, 17}}) {
                EXPECT_EQ(dib.at(x + dx, y + dy), kGrey) << "cell " << cell;
            }
            EXPECT_NE(dib.at(x + 9, y + 9), kGrey) << "no piece in cell " << cell;
        }
    }
}

}  // namespace
