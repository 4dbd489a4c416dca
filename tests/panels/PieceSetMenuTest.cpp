// PieceSetMenuTest.cpp: the piece-set menu's item pictures, sizes and drawing.
#include "panels/CPieceSetMenu.h"

#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/gdi/Screen.h"
#include "platform/win32/gdi/Snapshot.h"
#include "platform/win32/user/Menu.h"
#include "platform/win32/user/PopupMenu.h"
#include "tests/gfx/GfxTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

using gfxtest::corner_index;
using gfxtest::far_index;
using gfxtest::fill_index;
using gfxtest::kGrey;
using gfxtest::read_pixels;
using gfxtest::ResourceTable;
using gfxtest::sheet_color;

constexpr COLORREF kRed = RGB(255, 0, 0);
// The target's colour before drawing: black is a static colour no sheet or frame uses.
constexpr COLORREF kUntouched = RGB(0, 0, 0);

class PieceSetMenu : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gdi::configure_screen(8));
        m_gdi_baseline = GdiAliveCountForTest();
    }
    void TearDown() override {
        EXPECT_EQ(GdiAliveCountForTest(), m_gdi_baseline) << "GDI objects leaked";
    }

    // Serves the synthetic sheets of the given sets as bitmaps 160 + set.
    void install(const std::vector<int>& sets) {
        for (int set : sets) {
            m_table.add_bitmap(static_cast<WORD>(160 + set), gfxtest::make_sheet(set));
        }
        ASSERT_TRUE(m_table.install());
    }

    ResourceTable m_table;
    std::size_t m_gdi_baseline = 0;
};

// The top-left 18 x 18 cell of set's sheet as GetPixel reads it, top row first.
std::vector<COLORREF> first_cell_of(int set) {
    std::vector<COLORREF> out;
    for (int y = 0; y < 18; ++y) {
        for (int x = 0; x < 18; ++x) {
            int index = fill_index(0);
            if (x == 0 && y == 0) {
                index = corner_index(0);
            } else if (x == 17 && y == 17) {
                index = far_index(0);
            }
            out.push_back(sheet_color(set, index));
        }
    }
    return out;
}

TEST_F(PieceSetMenu, SamplesAreTheTopLeftCellOfEachSheet) {
    install({0, 1, 2});
    for (int set = 0; set < 3; ++set) {
        SCOPED_TRACE("set " + std::to_string(set));
        CBitmap picture;
        CPalette palette;
        CPieceSetMenu menu;
        EXPECT_NE(menu.LoadPieceSample(set, picture, palette), 0);
        BITMAP bm{};
        ASSERT_NE(picture.GetBitmap(&bm), 0);
        EXPECT_EQ(bm.bmWidth, 18);
        EXPECT_EQ(bm.bmHeight, 18);
        EXPECT_EQ(bm.bmBitsPixel, 8);
        EXPECT_EQ(read_pixels(static_cast<HBITMAP>(picture.GetSafeHandle())), first_cell_of(set));
        // The palette is the sheet's colour table: its corner entry is set's own colour.
        PALETTEENTRY entry{};
        ASSERT_EQ(palette.GetPaletteEntries(static_cast<UINT>(corner_index(0)), 1, &entry), 1u);
        EXPECT_EQ(RGB(entry.peRed, entry.peGreen, entry.peBlue), sheet_color(set, corner_index(0)));
    }
}

TEST_F(PieceSetMenu, SampleLoadingFailsForBadSheetsAndSetsOutsideTheTable) {
    // Sheet 161 is too short to hold a header; 162 is missing.
    m_table.add_bitmap(161, {40, 0, 0, 0, 18, 0});
    install({0});
    struct Case {
        const char* name;
        int set;
    };
    const Case kCases[] = {{"unreadable sheet", 1},
                           {"missing sheet", 2},
                           {"negative set", -1},
                           {"set past the table", 3}};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        CBitmap picture;
        CPalette palette;
        CPieceSetMenu menu;
        EXPECT_EQ(menu.LoadPieceSample(c.set, picture, palette), 0);
        EXPECT_EQ(picture.GetSafeHandle(), nullptr);
    }
}

TEST_F(PieceSetMenu, MeasuresEveryItemAsTheFirstPicture) {
    install({0, 1, 2});
    CPieceSetMenu menu;
    menu.AppendPieceSets();
    ASSERT_NE(menu.m_pSamples, nullptr);
    // A first picture of an unusual size shows that every item is measured by it.
    menu.m_pSamples[0].DeleteObject();
    ASSERT_TRUE(menu.m_pSamples[0].CreateBitmap(23, 11, 1, 1, nullptr));
    struct Case {
        UINT itemID;
        ULONG_PTR itemData;
    };
    const Case kCases[] = {{160, 0}, {161, 1}, {162, 2}};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.itemID);
        MEASUREITEMSTRUCT mis{ODT_MENU, 0, c.itemID, 0, 15, c.itemData};
        menu.MeasureItem(&mis);
        EXPECT_EQ(mis.itemWidth, 23u);
        EXPECT_EQ(mis.itemHeight, 11u);
    }
}

TEST_F(PieceSetMenu, MeasuresAPieceCellWithoutPictures) {
    struct Case {
        const char* name;
        bool append;
    };
    // Nothing installed: every sample fails; and a menu never filled.
    install({});
    const Case kCases[] = {{"samples failed", true}, {"never filled", false}};
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        CPieceSetMenu menu;
        if (c.append) {
            menu.AppendPieceSets();
        }
        MEASUREITEMSTRUCT mis{ODT_MENU, 0, 160, 0, 15, 0};
        menu.MeasureItem(&mis);
        EXPECT_EQ(mis.itemWidth, 18u);
        EXPECT_EQ(mis.itemHeight, 18u);
    }
}

// What an item rectangle shows after one DrawItem call.
enum class Shown { Nothing, Picture };

struct DrawCase {
    const char* name;
    UINT action;
    UINT state;
    ULONG_PTR data;
    Shown picture;
    COLORREF frame;  // kUntouched: no frame
};

const DrawCase kDrawCases[] = {
    {"full draw, plain: picture in grey", ODA_DRAWENTIRE, 0, 0, Shown::Picture, kGrey},
    {"full draw, highlighted: picture in red", ODA_DRAWENTIRE, ODS_SELECTED, 0, Shown::Picture,
     kRed},
    {"entered: picture in red", ODA_SELECT, ODS_SELECTED, 1, Shown::Picture, kRed},
    {"left: picture in grey", ODA_SELECT, 0, 2, Shown::Picture, kGrey},
    {"focus only, highlighted: nothing", ODA_FOCUS, ODS_SELECTED, 0, Shown::Nothing, kUntouched},
    {"focus only, plain: nothing", ODA_FOCUS, 0, 1, Shown::Nothing, kUntouched},
    {"grayed and highlighted still red", ODA_SELECT, ODS_SELECTED | ODS_GRAYED, 2, Shown::Picture,
     kRed},
    {"unknown item, highlighted: red frame only", ODA_DRAWENTIRE, ODS_SELECTED, 7, Shown::Nothing,
     kRed},
    {"unknown item, plain: nothing", ODA_DRAWENTIRE, 0, 7, Shown::Nothing, kUntouched},
    {"unknown item left: nothing", ODA_SELECT, 0, 3, Shown::Nothing, kUntouched},
};

TEST_F(PieceSetMenu, DrawsThePictureAndTheFrameTheActionAsksFor) {
    install({0, 1, 2});
    CPieceSetMenu menu;
    menu.AppendPieceSets();

    // A black 8-bit target with the item at (5, 3), 18 x 18.
    CDC screenIC;
    ASSERT_TRUE(screenIC.CreateIC("DISPLAY", nullptr, nullptr, nullptr));
    CBitmap target;
    ASSERT_TRUE(target.CreateCompatibleBitmap(&screenIC, 30, 26));
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HBITMAP old = dc.SelectObject(&target);
    const CRect item(5, 3, 23, 21);

    for (const DrawCase& c : kDrawCases) {
        SCOPED_TRACE(c.name);
        dc.FillSolidRect(0, 0, 30, 26, kUntouched);
        DRAWITEMSTRUCT dis{ODT_MENU,        0,    160,   c.action, c.state, nullptr,
                           dc.GetSafeHdc(), item, c.data};
        menu.DrawItem(&dis);

        const int set = c.data < 3 ? static_cast<int>(c.data) : 0;
        struct Point {
            const char* name;
            int x, y;
            COLORREF expected;
        };
        const COLORREF inside =
            c.picture == Shown::Picture ? sheet_color(set, fill_index(0)) : kUntouched;
        const Point points[] = {
            {"frame top-left", item.left, item.top, c.frame},
            {"frame bottom-right", item.right - 1, item.bottom - 1, c.frame},
            {"frame right middle", item.right - 1, item.top + 9, c.frame},
            {"inside", item.left + 1, item.top + 1, inside},
            {"middle", item.left + 9, item.top + 9, inside},
            {"left of the item", item.left - 1, item.top + 9, kUntouched},
            {"below the item", item.left + 9, item.bottom, kUntouched},
        };
        for (const Point& p : points) {
            EXPECT_EQ(dc.GetPixel(p.x, p.y), p.expected) << p.name << " at " << p.x << "," << p.y;
        }
    }
    dc.SelectObject(old);
}

TEST_F(PieceSetMenu, AMissingSheetLeavesItsItemWithoutAPicture) {
    install({0, 2});
    CPieceSetMenu menu;
    menu.AppendPieceSets();
    ASSERT_NE(menu.m_pSamples, nullptr);
    EXPECT_NE(menu.m_pSamples[0].GetSafeHandle(), nullptr);
    EXPECT_EQ(menu.m_pSamples[1].GetSafeHandle(), nullptr);
    EXPECT_NE(menu.m_pSamples[2].GetSafeHandle(), nullptr);

    CDC screenIC;
    ASSERT_TRUE(screenIC.CreateIC("DISPLAY", nullptr, nullptr, nullptr));
    CBitmap target;
    ASSERT_TRUE(target.CreateCompatibleBitmap(&screenIC, 18, 18));
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    HBITMAP old = dc.SelectObject(&target);
    struct Case {
        const char* name;
        UINT action, state;
        COLORREF frame, middle;
    };
    const Case kCases[] = {
        {"highlighted: the red frame alone", ODA_DRAWENTIRE, ODS_SELECTED, kRed, kUntouched},
        {"plain: nothing", ODA_DRAWENTIRE, 0, kUntouched, kUntouched},
        {"left: nothing", ODA_SELECT, 0, kUntouched, kUntouched},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        dc.FillSolidRect(0, 0, 18, 18, kUntouched);
        DRAWITEMSTRUCT dis{
            ODT_MENU, 0, 161, c.action, c.state, nullptr, dc.GetSafeHdc(), CRect(0, 0, 18, 18), 1};
        menu.DrawItem(&dis);
        EXPECT_EQ(dc.GetPixel(0, 0), c.frame);
        EXPECT_EQ(dc.GetPixel(9, 9), c.middle);
    }
    dc.SelectObject(old);
}

TEST_F(PieceSetMenu, EachOpeningMakesAndFreesItsOwnPictures) {
    install({0, 1, 2});
    std::vector<HMENU> handles;
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening);
        const std::size_t before = GdiAliveCountForTest();
        {
            CPieceSetMenu menu;
            EXPECT_EQ(menu.m_pSamples, nullptr);
            EXPECT_EQ(menu.m_pSamplePalettes, nullptr);
            ASSERT_NE(menu.GetSafeHmenu(), nullptr);
            handles.push_back(menu.GetSafeHmenu());
            menu.AppendPieceSets();
            // Three pictures and three palettes, nothing else left behind.
            EXPECT_EQ(GdiAliveCountForTest(), before + 6);
            EXPECT_TRUE(::IsMenu(menu.GetSafeHmenu()));
        }
        EXPECT_EQ(GdiAliveCountForTest(), before);
        EXPECT_FALSE(::IsMenu(handles.back()));
    }
}

TEST_F(PieceSetMenu, AppendsOneOwnerDrawnItemPerSetWithItsSheetAsCommand) {
    install({0, 1, 2});
    CPieceSetMenu menu;
    EXPECT_EQ(menu.GetMenuItemCount(), 0) << "constructed empty";
    menu.AppendPieceSets();
    ASSERT_EQ(menu.GetMenuItemCount(), 3);
    const user::Menu* pTable = user::find_menu(menu.GetSafeHmenu());
    ASSERT_NE(pTable, nullptr);
    ASSERT_EQ(pTable->items.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(menu.GetMenuItemID(i), static_cast<UINT>(160 + i));
        const user::MenuItem& item = pTable->items[static_cast<std::size_t>(i)];
        EXPECT_TRUE(user::is_owner_drawn(item));
        EXPECT_TRUE(user::is_enabled(item));
        EXPECT_EQ(item.flags & MF_CHECKED, 0u);
        EXPECT_EQ(item.data, static_cast<ULONG_PTR>(i));
    }
    // A second call appends nothing more.
    menu.AppendPieceSets();
    EXPECT_EQ(menu.GetMenuItemCount(), 3);
}

// An owner window that records the commands it gets.
class CMenuOwner : public CWnd {
public:
    std::vector<WPARAM> m_commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        m_commands.push_back(wParam);
        return CWnd::OnCommand(wParam, lParam);
    }
};

COLORREF ScreenPixel(int x, int y) {
    HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

// A rectangle of the screen as a PNG file, for review by eye.
void WriteScreenPng(int x, int y, int width, int height, const std::string& path) {
    HDC screen = ::GetDC(nullptr);
    HBITMAP copy = ::CreateCompatibleBitmap(screen, width, height);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, copy);
    ::BitBlt(dc, 0, 0, width, height, screen, x, y, SRCCOPY);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    EXPECT_TRUE(gdi::write_png(copy, path)) << path;
    ::DeleteObject(copy);
}

// The screen rectangle of the tracked menu's item at position, if it is shown.
std::optional<RECT> TrackedItem(int position) {
    HWND hMenuWnd = user::tracking_window();
    RECT rc{};
    if (hMenuWnd == nullptr || !user::tracked_item_rect(position, rc)) {
        return std::nullopt;
    }
    POINT corners[2] = {{rc.left, rc.top}, {rc.right, rc.bottom}};
    ::ClientToScreen(hMenuWnd, &corners[0]);
    ::ClientToScreen(hMenuWnd, &corners[1]);
    return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

// The frames of the shown items, 'g' grey, 'r' red, '?' other, and whether every picture
// shows its set's fill colour in its middle.
std::string ShownItems() {
    std::string frames;
    for (int i = 0; i < 3; ++i) {
        const std::optional<RECT> rc = TrackedItem(i);
        if (!rc) {
            frames += '-';
            continue;
        }
        const COLORREF corner = ScreenPixel(rc->left, rc->top);
        const COLORREF far = ScreenPixel(rc->right - 1, rc->bottom - 1);
        char frame = '?';
        if (corner == kGrey && far == kGrey) {
            frame = 'g';
        } else if (corner == kRed && far == kRed) {
            frame = 'r';
        }
        frames += frame;
        if (ScreenPixel(rc->left + 9, rc->top + 9) != sheet_color(i, fill_index(0))) {
            frames += '!';
        }
    }
    return frames;
}

enum class Finish { ClickItem, Escape, ClickOutside };

struct TrackCase {
    const char* name;
    int hover;  // position the mouse rests on first, -1: none
    Finish finish;
    int item;  // ClickItem: position clicked
    std::vector<WPARAM> commands;
};

const TrackCase kTrackCases[] = {
    {"first item chosen", -1, Finish::ClickItem, 0, {160}},
    {"second item chosen after hovering over it", 1, Finish::ClickItem, 1, {161}},
    {"hover over the third, choose the first", 2, Finish::ClickItem, 0, {160}},
    {"third item chosen", 0, Finish::ClickItem, 2, {162}},
    {"escape sends nothing", 1, Finish::Escape, 0, {}},
    {"a click outside sends nothing", 2, Finish::ClickOutside, 0, {}},
};

class PieceSetMenuTracking : public PieceSetMenu {
protected:
    void SetUp() override {
        PieceSetMenu::SetUp();
        m_install = std::make_unique<host::ScopedInstall>(m_host);
        install({0, 1, 2});
        LPCSTR lpszClass = AfxRegisterWndClass(0, nullptr, ::GetSysColorBrush(COLOR_3DFACE));
        ASSERT_TRUE(m_owner.CreateEx(0, lpszClass, "", WS_POPUP | WS_VISIBLE, 40, 40, 300, 200,
                                     nullptr, nullptr));
        Drain();
        // What the owner window itself holds is not the menu's to free.
        m_gdi_baseline = GdiAliveCountForTest();
    }
    void TearDown() override {
        PieceSetMenu::TearDown();
        m_owner.DestroyWindow();
        Drain();
        m_install.reset();
    }
    static void Drain() {
        MSG m;
        for (int i = 0; i < 1000 && ::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
            ::DispatchMessageA(&m);
        }
    }
    // Queues a mouse event at the middle of item position, when it is shown.
    static void MouseAtItem(host::HeadlessHost& h, int position, host::EventType type) {
        const std::optional<RECT> rc = TrackedItem(position);
        if (!rc) {
            ADD_FAILURE() << "item " << position << " is not shown";
            return;
        }
        host::Event e;
        e.type = type;
        e.x = (rc->left + rc->right) / 2;
        e.y = (rc->top + rc->bottom) / 2;
        e.button =
            type == host::EventType::MouseMove ? host::MouseButton::None : host::MouseButton::Left;
        e.buttons = type == host::EventType::MouseDown ? host::kButtonLeft : 0;
        h.push_event(e);
    }

    host::HeadlessHost m_host;
    std::unique_ptr<host::ScopedInstall> m_install;
    CMenuOwner m_owner;
};

TEST_F(PieceSetMenuTracking, ShowsFramedPicturesFollowsTheMouseAndSendsTheChoice) {
    for (const TrackCase& c : kTrackCases) {
        SCOPED_TRACE(c.name);
        m_owner.m_commands.clear();
        std::vector<std::string> seen;
        std::vector<SIZE> sizes;
        m_host.script_call([&](host::HeadlessHost&) {
            seen.push_back(ShownItems());
            for (int i = 0; i < 3; ++i) {
                const std::optional<RECT> rc = TrackedItem(i);
                sizes.push_back(rc ? SIZE{rc->right - rc->left, rc->bottom - rc->top} : SIZE{});
            }
        });
        if (c.hover >= 0) {
            m_host.script_call([&](host::HeadlessHost& h) {
                MouseAtItem(h, c.hover, host::EventType::MouseMove);
            });
            m_host.script_call([&](host::HeadlessHost&) {
                seen.push_back(ShownItems());
                WriteScreenPng(40, 40, 300, 200,
                               std::string(PILO_SNAPSHOT_DIR "/piece-set-menu-hover-") +
                                   std::to_string(c.hover) + ".png");
            });
        }
        switch (c.finish) {
            case Finish::ClickItem:
                m_host.script_call([&](host::HeadlessHost& h) {
                    MouseAtItem(h, c.item, host::EventType::MouseMove);
                    MouseAtItem(h, c.item, host::EventType::MouseDown);
                    MouseAtItem(h, c.item, host::EventType::MouseUp);
                });
                break;
            case Finish::Escape:
                // Down and up in one step, so nothing is left for the next case.
                m_host.script_call([](host::HeadlessHost& h) {
                    host::Event e;
                    e.type = host::EventType::KeyDown;
                    e.vk = VK_ESCAPE;
                    h.push_event(e);
                    e.type = host::EventType::KeyUp;
                    h.push_event(e);
                });
                break;
            case Finish::ClickOutside:
                m_host.script_call([](host::HeadlessHost& h) {
                    host::Event e;
                    e.x = 600;
                    e.y = 450;
                    h.push_event(e);
                    e.type = host::EventType::MouseDown;
                    e.button = host::MouseButton::Left;
                    e.buttons = host::kButtonLeft;
                    h.push_event(e);
                    e.type = host::EventType::MouseUp;
                    e.buttons = 0;
                    h.push_event(e);
                });
                break;
        }

        BOOL bChosen = FALSE;
        {
            CPieceSetMenu menu;
            menu.AppendPieceSets();
            bChosen = menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, 100, 80, &m_owner);
        }
        EXPECT_EQ(user::tracking_window(), nullptr) << "closed";
        EXPECT_EQ(bChosen != FALSE, !c.commands.empty());
        Drain();
        EXPECT_EQ(m_owner.m_commands, c.commands);

        // At first every item shows its picture framed in grey; the item under the mouse
        // turns red.
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen[0], "ggg");
        if (c.hover >= 0) {
            ASSERT_EQ(seen.size(), 2u);
            std::string expected = "ggg";
            expected[static_cast<std::size_t>(c.hover)] = 'r';
            EXPECT_EQ(seen[1], expected);
        }
        ASSERT_EQ(sizes.size(), 3u);
        for (const SIZE& size : sizes) {
            EXPECT_EQ(size.cy, 18) << "measured height";
            EXPECT_GE(size.cx, 18) << "measured width, at least";
        }
        EXPECT_EQ(m_host.script_steps_left(), 0u);
    }
}

TEST_F(PieceSetMenuTracking, OpeningsOneAfterTheOtherAreIndependent) {
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening);
        m_owner.m_commands.clear();
        const std::size_t gdiBefore = GdiAliveCountForTest();
        const std::size_t menusBefore = user::live_menu_count();
        std::string seen;
        m_host.script_call([&](host::HeadlessHost& h) {
            seen = ShownItems();
            MouseAtItem(h, 1, host::EventType::MouseMove);
            MouseAtItem(h, 1, host::EventType::MouseDown);
            MouseAtItem(h, 1, host::EventType::MouseUp);
        });
        {
            CPieceSetMenu menu;
            menu.AppendPieceSets();
            EXPECT_TRUE(menu.TrackPopupMenu(0, 60 + 50 * opening, 70, &m_owner));
        }
        Drain();
        EXPECT_EQ(seen, "ggg");
        EXPECT_EQ(m_owner.m_commands, std::vector<WPARAM>{161});
        EXPECT_EQ(GdiAliveCountForTest(), gdiBefore) << "pictures and palettes freed";
        EXPECT_EQ(user::live_menu_count(), menusBefore) << "menu destroyed";
    }
}

}  // namespace
