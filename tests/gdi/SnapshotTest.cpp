// SnapshotTest.cpp: surfaces read out as colours through the system palette, and as PNG files.
#include "tests/gdi/GdiTestSupport.h"

#include "platform/win32/gdi/Snapshot.h"
#include "platform/win32/gdi/png/PngFile.h"

#include <cstdio>
#include <filesystem>

namespace {

using namespace gdi_test;

using Snapshots = GdiTest;

TEST_F(Snapshots, PixelsAreShownThroughTheCurrentSystemPalette) {
    LOGPALETTE lp{0x300, 1, {{12, 34, 56, 0}}};
    HPALETTE pal = CreatePalette(&lp);
    HDC screen = GetDC(nullptr);
    HPALETTE old = SelectPalette(screen, pal, FALSE);
    RealizePalette(screen);  // slot 10
    SelectPalette(screen, old, FALSE);
    ReleaseDC(nullptr, screen);
    HBITMAP bm = make_indexed({{10, 249}, {0, 255}});
    int w = 0, h = 0;
    const auto pixels = gdi::snapshot_rgb(bm, w, h);
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 2);
    EXPECT_EQ(pixels, (std::vector<std::uint32_t>{RGB(12, 34, 56), RGB(255, 0, 0), RGB(0, 0, 0),
                                                  RGB(255, 255, 255)}));
    HBITMAP mono = make_mono({"10"});
    EXPECT_EQ(gdi::snapshot_rgb(mono, w, h), (std::vector<std::uint32_t>{RGB(255, 255, 255), 0}));
    HDC ic = CreateICA("DISPLAY", nullptr, nullptr, nullptr);
    EXPECT_TRUE(gdi::snapshot_rgb(ic, w, h).empty());
    EXPECT_EQ(w, 0);
    DeleteDC(ic);
    DeleteObject(mono);
    DeleteObject(bm);
    DeleteObject(pal);
}

TEST_F(Snapshots, ScreenSnapshotIsTheWholeScreen) {
    HDC screen = GetDC(nullptr);
    SetPixelV(screen, 639, 479, RGB(255, 255, 0));
    int w = 0, h = 0;
    const auto pixels = gdi::snapshot_rgb(screen, w, h);
    ASSERT_EQ(pixels.size(), 640u * 480u);
    EXPECT_EQ(pixels.front(), RGB(0, 128, 128)) << "desktop colour";
    EXPECT_EQ(pixels.back(), RGB(255, 255, 0));
    ReleaseDC(nullptr, screen);
}

TEST_F(Snapshots, PngFileReadsBackTheSameColours) {
    HBITMAP bm = make_indexed({{7, 249, 252}, {0, 255, 246}});
    const std::string path =
        (std::filesystem::temp_directory_path() / "pilo_gdi_snapshot_test.png").string();
    ASSERT_TRUE(gdi::write_png(bm, path));
    int w = 0, h = 0;
    std::vector<std::uint32_t> back;
    ASSERT_TRUE(gdi::png::read_rgb(path, w, h, back));
    std::remove(path.c_str());
    int sw = 0, sh = 0;
    EXPECT_EQ(back, gdi::snapshot_rgb(bm, sw, sh));
    EXPECT_EQ(w, 3);
    EXPECT_EQ(h, 2);
    EXPECT_FALSE(gdi::write_png(static_cast<HBITMAP>(nullptr), path)) << "nothing to write";
    DeleteObject(bm);
}

}  // namespace

namespace {

using ScreenFrames = gdi_test::GdiTest;

TEST_F(ScreenFrames, HostsSeeIndicesWithThePaletteOrRgbPixels) {
    HDC screen = GetDC(nullptr);
    std::uint64_t seen = gdi::screen_change_count();
    SetPixelV(screen, 3, 2, RGB(255, 255, 0));
    gdi::ScreenFrame frame = gdi::screen_frame();
    EXPECT_GT(frame.change_count, seen);
    EXPECT_EQ(frame.bits_per_pixel, 8);
    ASSERT_EQ(frame.indices.size(), 640u * 480u);
    EXPECT_EQ(frame.indices[2 * 640 + 3], 251);
    EXPECT_EQ(frame.indices[0], 6) << "desktop";
    EXPECT_EQ(frame.palette[251], 0xFFFF00u);
    seen = frame.change_count;
    EXPECT_EQ(gdi::screen_change_count(), seen) << "reading changes nothing";
    ReleaseDC(nullptr, screen);

    gdi::configure_screen(32);
    screen = GetDC(nullptr);
    EXPECT_GT(gdi::screen_change_count(), seen) << "a new screen is a change";
    SetPixelV(screen, 1, 0, RGB(1, 2, 3));
    frame = gdi::screen_frame();
    EXPECT_EQ(frame.bits_per_pixel, 32);
    ASSERT_EQ(frame.pixels.size(), 640u * 480u);
    EXPECT_EQ(frame.pixels[1], 0x010203u);
    EXPECT_EQ(frame.pixels[0], 0x008080u);
    ReleaseDC(nullptr, screen);
    gdi::configure_screen(8);
}

}  // namespace
