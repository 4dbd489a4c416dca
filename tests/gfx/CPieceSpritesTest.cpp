// CPieceSpritesTest.cpp: piece sets loaded from synthetic sheets served as bitmap resources.
#include "gfx/CPieceSprites.h"
#include "tests/gfx/ScreenTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

class PieceSprites : public gfxtest::ScreenTest {
protected:
    void TearDown() override {
        m_sprites.reset();
        ScreenTest::TearDown();
    }
    std::array<HGDIOBJ, 19> handles() const {
        std::array<HGDIOBJ, 19> h{m_sprites->m_piecePalette.GetSafeHandle()};
        for (int i = 0; i < 18; ++i) {
            h[i + 1] = m_sprites->m_pieceBitmaps[i].GetSafeHandle();
        }
        return h;
    }
    // Image i = colour * 3 + size is the sheet's cell in column colour, row size, which the
    // synthetic sheet marks as cell i.
    void expect_images_of_set(int set) {
        for (int i = 0; i < 18; ++i) {
            const std::vector<COLORREF> px = gfxtest::read_pixels(m_sprites->m_pieceBitmaps[i]);
            ASSERT_EQ(px.size(), 324u) << "18 x 18";
            for (int p = 0; p < 324; ++p) {
                ASSERT_EQ(px[p], gfxtest::cell_color(set, i, p % 18, p / 18)) << i << ": " << p;
            }
        }
    }
    gfxtest::ResourceTable m_table;
    std::unique_ptr<CPieceSprites> m_sprites = std::make_unique<CPieceSprites>();
};

TEST_F(PieceSprites, AFailedLoadKeepsTheImagesItHas) {
    std::vector<std::uint8_t> broken = gfxtest::make_sheet(2);
    broken[0] = 64;  // a 64-byte header is no DIB
    m_table.add_bitmap(161, gfxtest::make_sheet(1));
    m_table.add_bitmap(162, broken);
    ASSERT_TRUE(m_table.install());
    ASSERT_TRUE(m_sprites->LoadPieceSet(1));
    const std::array<HGDIOBJ, 19> before = handles();
    for (int set : {-1, 3, 0}) {
        EXPECT_FALSE(m_sprites->LoadPieceSet(set)) << set << ": outside the table or missing";
        EXPECT_EQ(handles(), before);
    }
    // An unreadable sheet costs the palette, replaced first, but not the images.
    EXPECT_FALSE(m_sprites->LoadPieceSet(2));
    EXPECT_EQ(handles()[0], nullptr);
    EXPECT_TRUE(std::equal(before.begin() + 1, before.end(), handles().begin() + 1));
    EXPECT_EQ(m_sprites->m_nLoadedSet, 1);
    expect_images_of_set(1);
}

}  // namespace
