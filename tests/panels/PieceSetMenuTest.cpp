// PieceSetMenuTest.cpp: the piece-set menu's item pictures, sizes and drawing on synthetic
// sheets: 160 and 162 are whole, 161 too short to hold a header.
#include "panels/CPieceSetMenu.h"

#include "platform/win32/user/Menu.h"
#include "tests/gfx/ScreenTest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using gfxtest::cell_color;
using gfxtest::kGrey;

constexpr COLORREF kRed = RGB(255, 0, 0);
// The target's colour before drawing: black, which no sheet or frame uses.
constexpr COLORREF kUntouched = RGB(0, 0, 0);

class PieceSetMenu : public gfxtest::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        m_table.add_bitmap(160, gfxtest::make_sheet(0));
        m_table.add_bitmap(161, {40, 0, 0, 0, 18, 0});
        m_table.add_bitmap(162, gfxtest::make_sheet(2));
        ASSERT_TRUE(m_table.install());
    }
    gfxtest::ResourceTable m_table;
};

// The items' commands, pictures and palettes, and their frames plain and entered, are pinned by
// the golden piece-set-menu and set pictures; here the sets are appended once, and a sheet that
// cannot be read, or a set that does not exist, gives no picture.
TEST_F(PieceSetMenu, AppendsEachSetOnceAndNoPictureForAnUnreadableSheet) {
    CPieceSetMenu menu;
    EXPECT_EQ(menu.m_pSamples, nullptr);
    menu.AppendPieceSets();
    menu.AppendPieceSets();  // appends nothing more
    ASSERT_EQ(user::find_menu(menu.GetSafeHmenu())->items.size(), 3u);
    EXPECT_TRUE(gfxtest::read_pixels(menu.m_pSamples[1]).empty());
    EXPECT_EQ(gfxtest::read_pixels(menu.m_pSamples[2]).size(), 324u);
    CBitmap picture;
    CPalette palette;
    EXPECT_FALSE(menu.LoadPieceSample(1, picture, palette)) << "unreadable";
    EXPECT_FALSE(menu.LoadPieceSample(-1, picture, palette)) << "no such set";
    EXPECT_FALSE(menu.LoadPieceSample(3, picture, palette)) << "no such set";
    EXPECT_TRUE(menu.LoadPieceSample(2, picture, palette));
}

TEST_F(PieceSetMenu, EveryItemIsMeasuredAsTheFirstPictureOrAPieceCell) {
    CPieceSetMenu menu;
    const auto measured = [&menu](UINT id) {
        MEASUREITEMSTRUCT mis{ODT_MENU, 0, id, 0, 15, id - 160};
        menu.MeasureItem(&mis);
        return std::pair{mis.itemWidth, mis.itemHeight};
    };
    EXPECT_EQ(measured(160), (std::pair{18u, 18u})) << "never filled";
    menu.AppendPieceSets();
    menu.m_pSamples[0].DeleteObject();
    EXPECT_EQ(measured(162), (std::pair{18u, 18u})) << "without a first picture";
    ASSERT_TRUE(menu.m_pSamples[0].CreateBitmap(23, 11, 1, 1, nullptr));
    EXPECT_EQ(measured(161), (std::pair{23u, 11u})) << "any item as the first picture";
}

TEST_F(PieceSetMenu, DrawsThePictureAndTheFrameTheActionAsksFor) {
    const UINT ENTIRE = ODA_DRAWENTIRE, SELECT = ODA_SELECT, ON = ODS_SELECTED;
    const struct {
        const char* name;
        UINT action, state;
        ULONG_PTR data;  // 1: its picture failed; 7: no such set
        int width;       // of the item rectangle at (5, 3), 18 tall
        bool picture;
        COLORREF frame;  // kUntouched: none
    } cases[] = {
        {"full draw, highlighted: in red", ENTIRE, ON, 2, 18, true, kRed},
        {"left: in grey", SELECT, 0, 2, 18, true, kGrey},
        {"focus only: nothing", ODA_FOCUS, ON, 0, 18, false, kUntouched},
        {"grayed and highlighted: still red", SELECT, ON | ODS_GRAYED, 2, 18, true, kRed},
        // Wider than the picture: the picture from the left, the frame round the rectangle.
        {"wide, plain", ENTIRE, 0, 0, 30, true, kGrey},
        {"wide, entered", SELECT, ON, 2, 25, true, kRed},
        {"no picture, highlighted: the red frame alone", ENTIRE, ON, 1, 18, false, kRed},
        {"no picture, plain: nothing", ENTIRE, 0, 1, 18, false, kUntouched},
        {"no such set, highlighted: the red frame alone", SELECT, ON, 7, 18, false, kRed},
    };
    CPieceSetMenu menu;
    menu.AppendPieceSets();
    CDC ic, dc;
    ASSERT_TRUE(ic.CreateIC("DISPLAY", nullptr, nullptr, nullptr));
    CBitmap target;
    ASSERT_TRUE(target.CreateCompatibleBitmap(&ic, 40, 26));
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CSelectGuard select(dc, target);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        dc.FillSolidRect(0, 0, 40, 26, kUntouched);
        const CRect r(5, 3, 5 + c.width, 21);
        DRAWITEMSTRUCT dis{ODT_MENU,        0, 160,   c.action, c.state, nullptr,
                           dc.GetSafeHdc(), r, c.data};
        menu.DrawItem(&dis);
        const auto picture = [&](int x, int y) {
            return c.picture ? cell_color(static_cast<int>(c.data), 0, x, y) : kUntouched;
        };
        EXPECT_EQ(dc.GetPixel(r.left, r.top), c.frame) << "frame, top-left";
        EXPECT_EQ(dc.GetPixel(r.right - 1, r.top + 9), c.frame) << "frame, right";
        EXPECT_EQ(dc.GetPixel(r.right - 1, r.bottom - 1), c.frame) << "frame, bottom-right";
        EXPECT_EQ(dc.GetPixel(r.left + 1, r.top + 1), picture(1, 1)) << "picture, corner";
        EXPECT_EQ(dc.GetPixel(r.left + 9, r.top + 9), picture(9, 9)) << "picture, middle";
        if (c.width > 18) {
            EXPECT_EQ(dc.GetPixel(r.left + 17, r.top + 9), picture(17, 9)) << "picture, last";
        }
        EXPECT_EQ(dc.GetPixel(r.left - 1, r.top + 9), kUntouched) << "left of the item";
        EXPECT_EQ(dc.GetPixel(r.right, r.bottom), kUntouched) << "beyond the item";
    }
}

}  // namespace
