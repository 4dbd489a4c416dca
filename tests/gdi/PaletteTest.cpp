// PaletteTest.cpp: realisation against the system palette, foreground and background.
#include "tests/gdi/GdiTestSupport.h"

#include "platform/win32/gdi/WindowDc.h"

#include <memory>

namespace {

using namespace gdi_test;

HPALETTE make_palette(const std::vector<PALETTEENTRY>& entries) {
    std::vector<std::byte> storage(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
    auto* lp = reinterpret_cast<LOGPALETTE*>(storage.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = static_cast<WORD>(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        lp->palPalEntry[i] = entries[i];
    }
    return CreatePalette(lp);
}

// The system index each entry of the palette was realised to, read back through a brush of
// PALETTEINDEX(i) painted into a one-pixel bitmap.
std::vector<int> mapping_of(HPALETTE pal, int count) {
    std::vector<int> out;
    MemoryDc probe(make_indexed({{0}}));
    HPALETTE old = SelectPalette(probe.dc(), pal, TRUE);
    for (int i = 0; i < count; ++i) {
        SetPixelV(probe.dc(), 0, 0, PALETTEINDEX(static_cast<WORD>(i)));
        out.push_back(value_at(probe.bitmap(), 0, 0));
    }
    SelectPalette(probe.dc(), old, TRUE);
    return out;
}

// Realises in a memory DC: always a background realisation.
UINT realize_background(HPALETTE pal) {
    HDC dc = CreateCompatibleDC(nullptr);
    HPALETTE old = SelectPalette(dc, pal, FALSE);
    const UINT changed = RealizePalette(dc);
    SelectPalette(dc, old, FALSE);
    DeleteDC(dc);
    return changed;
}

PALETTEENTRY system_entry(int i) {
    HDC screen = GetDC(nullptr);
    PALETTEENTRY e{};
    GetSystemPaletteEntries(screen, static_cast<UINT>(i), 1, &e);
    ReleaseDC(nullptr, screen);
    return e;
}

bool same(const PALETTEENTRY& a, const PALETTEENTRY& b) {
    return a.peRed == b.peRed && a.peGreen == b.peGreen && a.peBlue == b.peBlue;
}

HWND fake_window(int n) {
    return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x1000 + n));
}

class Palettes : public GdiTest {
protected:
    void TearDown() override {
        gdi::set_foreground_query(nullptr);
        gdi::set_palette_changed_listener(nullptr);
        GdiTest::TearDown();
    }
};

TEST_F(Palettes, SystemPaletteStartsWithTheTwentyStaticColours) {
    struct Case {
        int index;
        PALETTEENTRY color;
    };
    const Case cases[] = {
        {0, {0, 0, 0, 0}},         {1, {128, 0, 0, 0}},       {6, {0, 128, 128, 0}},
        {7, {192, 192, 192, 0}},   {8, {192, 220, 192, 0}},   {9, {166, 202, 240, 0}},
        {246, {255, 251, 240, 0}}, {247, {160, 160, 164, 0}}, {248, {128, 128, 128, 0}},
        {249, {255, 0, 0, 0}},     {252, {0, 0, 255, 0}},     {255, {255, 255, 255, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_TRUE(same(system_entry(c.index), c.color));
    }
}

TEST_F(Palettes, DefaultPaletteIsTheStaticsInOrderAndCannotChange) {
    HPALETTE def = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
    PALETTEENTRY e[20];
    ASSERT_EQ(GetPaletteEntries(def, 0, 20, e), 20u);
    EXPECT_TRUE(same(e[9], {166, 202, 240, 0}));
    EXPECT_TRUE(same(e[10], {255, 251, 240, 0})) << "logical 10 is system 246";
    EXPECT_TRUE(same(e[19], {255, 255, 255, 0}));
    EXPECT_EQ(SetPaletteEntries(def, 0, 1, e), 0u);
    EXPECT_EQ(mapping_of(def, 20)[10], 246);
}

TEST_F(Palettes, BackgroundRealisationMatchesExactlyThenFillsFreeSlotsAscending) {
    HPALETTE a = make_palette({{192, 192, 192, 0}, {10, 20, 30, 0}, {40, 50, 60, 0}});
    HPALETTE b = make_palette({{40, 50, 60, 0}, {1, 2, 3, 0}});
    EXPECT_EQ(realize_background(a), 3u) << "first realisation counts every entry";
    EXPECT_EQ(mapping_of(a, 3), (std::vector<int>{7, 10, 11}));
    EXPECT_TRUE(same(system_entry(10), {10, 20, 30, 0}));
    EXPECT_EQ(realize_background(a), 0u) << "nothing moved";
    EXPECT_EQ(realize_background(b), 2u);
    EXPECT_EQ(mapping_of(b, 2), (std::vector<int>{11, 12}));
    DeleteObject(a);
    DeleteObject(b);
}

TEST_F(Palettes, FullSystemPaletteMapsToTheNearestUsedEntry) {
    std::vector<PALETTEENTRY> many;
    for (int k = 0; k < 236; ++k) {
        many.push_back({static_cast<BYTE>(k), 100, 100, 0});
    }
    HPALETTE fill = make_palette(many);
    EXPECT_EQ(realize_background(fill), 236u);
    const auto fill_map = mapping_of(fill, 236);
    EXPECT_EQ(fill_map.front(), 10);
    EXPECT_EQ(fill_map.back(), 245);
    HPALETTE late = make_palette({{3, 100, 104, 0}, {255, 0, 0, 0}, {200, 100, 100, 0}});
    EXPECT_EQ(realize_background(late), 3u);
    // (3,100,100) sits at 13; red is a static; (200,100,100) at 10 + 200.
    EXPECT_EQ(mapping_of(late, 3), (std::vector<int>{13, 249, 210}));
    DeleteObject(late);
    DeleteObject(fill);
}

TEST_F(Palettes, EntryFlagsChangeHowEntriesAreMatched) {
    HPALETTE flagged = make_palette({
        {192, 192, 192, PC_NOCOLLAPSE},  // no exact match: a slot of its own (10)
        {9, 9, 9, PC_RESERVED},          // always a slot of its own (11)
        {249, 0, 0, PC_EXPLICIT},        // low word names system index 249
    });
    EXPECT_EQ(realize_background(flagged), 3u);
    EXPECT_EQ(mapping_of(flagged, 3), (std::vector<int>{10, 11, 249}));
    HPALETTE plain = make_palette({{192, 192, 192, 0}, {9, 9, 9, 0}});
    realize_background(plain);
    // The static grey comes first in index order; the reserved entry is not matched.
    EXPECT_EQ(mapping_of(plain, 2), (std::vector<int>{7, 12}));
    DeleteObject(plain);
    DeleteObject(flagged);
}

TEST_F(Palettes, ForegroundRealisationFreesEverySlotAndReportsTheChange) {
    std::vector<HWND> changed_by;
    gdi::set_foreground_query([](HWND w) { return w == fake_window(1); });
    gdi::set_palette_changed_listener([&](HWND w) { changed_by.push_back(w); });
    HPALETTE a = make_palette({{192, 192, 192, 0}, {10, 20, 30, 0}, {40, 50, 60, 0}});
    HPALETTE b = make_palette({{1, 2, 3, 0}, {4, 5, 6, 0}});
    realize_background(a);  // takes 10 and 11
    const RECT visible{0, 0, 640, 480};
    HDC active = gdi::create_window_dc(fake_window(1), POINT{0, 0}, {&visible, 1});
    HPALETTE old = SelectPalette(active, b, FALSE);
    EXPECT_EQ(RealizePalette(active), 2u);
    EXPECT_EQ(mapping_of(b, 2), (std::vector<int>{10, 11})) << "a's slots were freed";
    EXPECT_EQ(changed_by, (std::vector<HWND>{fake_window(1)}));
    EXPECT_EQ(RealizePalette(active), 0u) << "same slots again";
    EXPECT_EQ(changed_by.size(), 1u) << "no change, no notice";
    // a now finds its colours gone and takes the next free slots.
    EXPECT_EQ(realize_background(a), 2u);
    EXPECT_EQ(mapping_of(a, 3), (std::vector<int>{7, 12, 13}));
    SelectPalette(active, old, FALSE);
    DeleteDC(active);
    DeleteObject(a);
    DeleteObject(b);
}

TEST_F(Palettes, OnlyAnActiveWindowWithoutForcedBackgroundRealisesInForeground) {
    struct Case {
        const char* name;
        int window;
        BOOL force_background;
        bool foreground;
    };
    const Case cases[] = {
        {"active window", 1, FALSE, true},
        {"active window, forced background", 1, TRUE, false},
        {"inactive window", 2, FALSE, false},
    };
    gdi::set_foreground_query([](HWND w) { return w == fake_window(1); });
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        gdi::configure_screen(8);
        int notices = 0;
        gdi::set_palette_changed_listener([&](HWND) { ++notices; });
        HPALETTE first = make_palette({{10, 20, 30, 0}});
        HPALETTE second = make_palette({{1, 2, 3, 0}});
        realize_background(first);  // slot 10
        const RECT visible{0, 0, 100, 100};
        HDC dc = gdi::create_window_dc(fake_window(c.window), POINT{0, 0}, {&visible, 1});
        HPALETTE old = SelectPalette(dc, second, c.force_background);
        EXPECT_EQ(RealizePalette(dc), 1u);
        // Foreground reuses the freed slot 10; background must take 11.
        EXPECT_EQ(mapping_of(second, 1)[0], c.foreground ? 10 : 11);
        EXPECT_EQ(notices, c.foreground ? 1 : 0);
        SelectPalette(dc, old, FALSE);
        DeleteDC(dc);
        DeleteObject(first);
        DeleteObject(second);
    }
}

TEST_F(Palettes, ScreenPixelsRecolourWhenTheirSlotIsRemapped) {
    gdi::set_foreground_query([](HWND) { return true; });
    HPALETTE a = make_palette({{10, 20, 30, 0}});
    HPALETTE b = make_palette({{200, 100, 50, 0}});
    HDC screen = GetDC(nullptr);
    HPALETTE old = SelectPalette(screen, a, FALSE);
    EXPECT_EQ(RealizePalette(screen), 1u) << "the screen DC realises in the background";
    SetPixelV(screen, 5, 5, PALETTEINDEX(0));
    EXPECT_EQ(GetPixel(screen, 5, 5), RGB(10, 20, 30));
    const std::uint64_t before = gdi::screen_change_count();
    const RECT visible{0, 0, 640, 480};
    HDC window = gdi::create_window_dc(fake_window(1), POINT{0, 0}, {&visible, 1});
    HPALETTE old_window = SelectPalette(window, b, FALSE);
    RealizePalette(window);
    EXPECT_EQ(GetPixel(screen, 5, 5), RGB(200, 100, 50)) << "slot 10 now holds b's colour";
    EXPECT_GT(gdi::screen_change_count(), before);
    EXPECT_EQ(gdi::screen_frame().palette[10], 0xC86432u);
    SelectPalette(window, old_window, FALSE);
    SelectPalette(screen, old, FALSE);
    DeleteDC(window);
    ReleaseDC(nullptr, screen);
    DeleteObject(a);
    DeleteObject(b);
}

TEST_F(Palettes, NearestPaletteIndexTakesTheFirstStrictMinimum) {
    HPALETTE p =
        make_palette({{0, 0, 0, 0}, {100, 100, 100, 0}, {100, 100, 100, 0}, {0, 0, 90, 0}});
    struct Case {
        const char* name;
        COLORREF color;
        UINT index;
    };
    const Case cases[] = {
        {"exact black", RGB(0, 0, 0), 0},
        {"duplicate keeps the first", RGB(100, 100, 100), 1},
        {"tie between 0 and 3 keeps 0", RGB(0, 0, 45), 0},
        {"nearer to 3", RGB(0, 0, 46), 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GetNearestPaletteIndex(p, c.color), c.index);
    }
    DeleteObject(p);
}

TEST_F(Palettes, PaletteSelectedIntoADcCannotBeDeleted) {
    HPALETTE p = make_palette({{1, 2, 3, 0}});
    HDC dc = CreateCompatibleDC(nullptr);
    HPALETTE old = SelectPalette(dc, p, FALSE);
    EXPECT_EQ(old, GetStockObject(DEFAULT_PALETTE));
    EXPECT_FALSE(DeleteObject(p));
    EXPECT_EQ(SelectPalette(dc, old, FALSE), p);
    EXPECT_TRUE(DeleteObject(p));
    DeleteDC(dc);
}

}  // namespace
