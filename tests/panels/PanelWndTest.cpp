// PanelWndTest.cpp: the preview and the score display as the running program shows them. Three
// pieces in the preview and its raised frame are pinned by the golden pictures of tests/e2e.
#include "app/CGameApp.h"
#include "app/CMainDialog.h"
#include "tests/app/ProgramProbe.h"
#include "tests/app/ProgramRun.h"
#include "tests/gfx/GfxTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

// Runs the program past its splash, hands its main window to `body`, then leaves.
void with_main_window(const std::function<void(CMainDialog&)>& body) {
    host::HeadlessHost headless;
    host::ScopedInstall installed(headless);
    headless.script_advance(800);
    headless.script_call([&](host::HeadlessHost& h) {
        ASSERT_NE(probe::main_dialog(), nullptr);
        body(*probe::main_dialog());
        probe::push_key(h, VK_ESCAPE);
    });
    EXPECT_EQ(probe::run(headless), 0);
}

COLORREF screen_at(POINT origin, int x, int y) {
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, origin.x + x, origin.y + y);
    ReleaseDC(nullptr, screen);
    return c;
}

POINT origin_of(const CWnd& wnd) {
    const RECT r = probe::client_rect(wnd.GetSafeHwnd());
    return {r.left, r.top};
}

// Mismatches of the screen at (x, y) of a window against a picture of the given width, or
// against the grey face where the picture is empty.
std::string compare(POINT origin, int x, int y, const std::vector<COLORREF>& picture, int width,
                    int height) {
    std::string wrong;
    for (int i = 0; i < width * height && wrong.size() < 100; ++i) {
        const COLORREF want = picture.empty() ? gfxtest::kGrey : picture[i];
        if (screen_at(origin, x + i % width, y + i / width) != want) {
            (wrong += "(") += std::to_string(i % width) + "," + std::to_string(i / width) + ") ";
        }
    }
    return wrong;
}

TEST(Panels, PreviewShowsItsPiecesFromTheLeft) {
    const struct {
        const char* name;
        std::vector<std::int16_t> colours;
        int shown[3];  // colour of the large piece in each place, -1 for the bare face
    } cases[] = {
        {"none", {}, {-1, -1, -1}},
        {"one", {4}, {4, -1, -1}},
        {"colours modulo 6", {6, 11, 13}, {0, 5, 1}},
        {"negative colours: the remainder made positive", {-1, -6, -13}, {5, 0, 5}},
        {"more than three are cut to three", {2, 2, 2, 2}, {2, 2, 2}},
    };
    with_main_window([&](CMainDialog& dialog) {
        CPreviewWnd& preview = dialog.m_previewWnd;
        const POINT o = origin_of(preview);
        EXPECT_TRUE(preview.PrepareImages()) << "building the frame again";
        CClientDC dc(&preview);
        EXPECT_TRUE(preview.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC)));
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            preview.SetNextPieces(c.colours.data(), static_cast<std::int16_t>(c.colours.size()));
            preview.InvalidateRect(nullptr, TRUE);
            preview.UpdateWindow();
            for (int i = 0; i < 3; ++i) {
                std::vector<COLORREF> piece;
                if (c.shown[i] >= 0) {
                    CBitmap& large = GetGameApp()->m_pieceSprites.m_pieceBitmaps[c.shown[i] * 3];
                    piece = gfxtest::read_pixels(large);
                }
                EXPECT_EQ(compare(o, 7 + 28 * i, 7, piece, 18, 18), "") << "place " << i;
                EXPECT_EQ(compare(o, 6 + 28 * i, 6, {}, 1, 20), "") << "left of " << i;
                EXPECT_EQ(compare(o, 25 + 28 * i, 6, {}, 1, 20), "") << "right of " << i;
            }
        }
    });
}

// The colour of the score's digits: the first pixel inside the frame that is not its face.
COLORREF digit_colour(POINT o) {
    for (int i = 0; i < 74 * 34; ++i) {
        const COLORREF c = screen_at(o, 1 + i % 74, 1 + i / 74);
        if (c != gfxtest::kGrey) {
            return c;
        }
    }
    return CLR_INVALID;
}

// A game's score, step by step: its last three digits right-aligned without leading zeros, and
// another digit colour each time it passes a thousand.
TEST(Panels, ScoreShowsItsLastThreeDigitsInAColourForItsThousands) {
    const struct {
        int gain;
        int cells[3];  // hundreds, tens, ones: the digit shown, -1 for the bare face
        int since;     // points since the last change of colour
        bool recoloured;
    } steps[] = {
        {0, {-1, -1, 0}, 0, false},   {7, {-1, -1, 7}, 7, false},   {98, {1, 0, 5}, 105, false},
        {-5, {1, 0, 5}, 105, false},  {885, {9, 9, 0}, 990, false}, {10, {-1, -1, 0}, 0, true},
        {1234, {2, 3, 4}, 234, true}, {999, {2, 3, 3}, 233, true},  {2767, {-1, -1, 0}, 0, true},
        {40, {-1, 4, 0}, 40, false},
    };
    const std::vector<COLORREF> colours = {RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255),
                                           RGB(255, 255, 0), RGB(255, 0, 255), RGB(0, 255, 255)};
    with_main_window([&](CMainDialog& dialog) {
        CScoreWnd& score = dialog.m_scoreWnd;
        const POINT o = origin_of(score);
        EXPECT_TRUE(score.PrepareImages()) << "building frame and digits again";
        CClientDC dc(&score);
        EXPECT_TRUE(score.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC)));
        for (int game = 0; game < 2; ++game) {
            score.ResetScore();
            COLORREF previous = RGB(255, 0, 0);  // a new game counts in red
            for (const auto& s : steps) {
                SCOPED_TRACE(std::to_string(score.m_nScore) + " + " + std::to_string(s.gain));
                score.AddPoints(s.gain);
                EXPECT_EQ(score.m_nPointsSinceRecolour, s.since);
                for (int i = 0; i < 3; ++i) {
                    std::vector<COLORREF> digit;
                    if (s.cells[i] >= 0) {
                        digit = gfxtest::read_pixels(score.m_bmDigits[s.cells[i]]);
                    }
                    EXPECT_EQ(compare(o, 4 + 24 * i, 4, digit, 20, 28), "") << "cell " << i;
                }
                const COLORREF now = digit_colour(o);
                EXPECT_EQ(now != previous, s.recoloured);
                EXPECT_NE(std::find(colours.begin(), colours.end(), now), colours.end());
                previous = now;
            }
        }
        score.AddPoints(std::numeric_limits<std::int32_t>::max());
        EXPECT_EQ(score.m_nScore, std::numeric_limits<std::int32_t>::max()) << "stops there";
    });
}

}  // namespace
