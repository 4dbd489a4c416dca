// PanelWndTest.cpp: the preview and the score display as windows on the headless host.
#include "panels/PanelPictures.h"
#include "platform/win32/gdi/Snapshot.h"
#include "tests/board/WindowHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

using boardtest::compare_picture;
using boardtest::kParentColour;
using boardtest::kPreviewAt;
using boardtest::kScoreAt;
using boardtest::ScreenShot;
using boardtest::take_screenshot;
using boardtest::WindowHarness;

constexpr COLORREF kGrey = RGB(192, 192, 192);

class Panels : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(m_h.error(), "");
        m_h.attach();
    }
    void repaint(CWnd& wnd) {
        wnd.InvalidateRect(nullptr, TRUE);
        wnd.UpdateWindow();
    }
    HBITMAP digit(int d) { return static_cast<HBITMAP>(m_h.m_score.m_bmDigits[d].GetSafeHandle()); }
    void snapshot(const std::string& name) {
        HDC screen = GetDC(nullptr);
        EXPECT_TRUE(gdi::write_png(screen, std::string(PILO_SNAPSHOT_DIR "/") + name + ".png"));
        ReleaseDC(nullptr, screen);
    }

    WindowHarness m_h;
};

struct PreviewCase {
    const char* name;
    std::vector<std::int16_t> colours;
    std::vector<int> shown;  // colour of the picture in each place, -1 for the bare face
};

const PreviewCase kPreviewCases[] = {
    {"none", {}, {-1, -1, -1}},
    {"one", {4}, {4, -1, -1}},
    {"two", {0, 5}, {0, 5, -1}},
    {"three", {1, 2, 3}, {1, 2, 3}},
    {"colours taken modulo 6", {6, 11, 13}, {0, 5, 1}},
    {"more than three are cut to three", {2, 2, 2, 2}, {2, 2, 2}},
};

TEST_F(Panels, PreviewShowsItsPiecesFromTheLeftOnTheFrame) {
    for (const PreviewCase& c : kPreviewCases) {
        SCOPED_TRACE(c.name);
        m_h.m_preview.SetNextPieces(c.colours.data(), static_cast<std::int16_t>(c.colours.size()));
        repaint(m_h.m_preview);
        const ScreenShot shot = take_screenshot();
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE("place " + std::to_string(i));
            const int x = kPreviewAt.x + 7 + 28 * i;
            const int y = kPreviewAt.y + 7;
            if (c.shown[i] >= 0) {
                EXPECT_EQ(compare_picture(shot, m_h.piece_image(c.shown[i], 0), x, y), "");
            } else {
                EXPECT_EQ(shot.at(x + 9, y + 9), kGrey) << "the frame's face";
            }
        }
        const struct {
            const char* name;
            int x, y;
            COLORREF expected;
        } frame[] = {
            {"top-left", 0, 0, RGB(255, 255, 255)},
            {"bottom-right", 87, 31, RGB(0, 0, 0)},
            {"face between pieces", 30, 16, kGrey},
            {"beyond the drawing", 90, 10, kParentColour},
            {"below the drawing", 10, 33, kParentColour},
        };
        for (const auto& f : frame) {
            SCOPED_TRACE(f.name);
            EXPECT_EQ(shot.at(kPreviewAt.x + f.x, kPreviewAt.y + f.y), f.expected);
        }
    }
    snapshot("preview");
}

TEST_F(Panels, PreviewShowsTheSameColoursInANewPieceSet) {
    const std::int16_t colours[] = {0, 3, 5};
    m_h.m_preview.SetNextPieces(colours, 3);
    ASSERT_TRUE(m_h.m_app->m_pieceSprites.LoadPieceSet(2));
    repaint(m_h.m_preview);
    const ScreenShot shot = take_screenshot();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(compare_picture(shot, m_h.piece_image(colours[i], 0), kPreviewAt.x + 7 + 28 * i,
                                  kPreviewAt.y + 7),
                  "");
    }
}

struct ScoreCase {
    const char* name;
    std::vector<int> gains;
    int score;
    int cells[3];  // hundreds, tens, ones: the digit shown, -1 for the bare face
};

const ScoreCase kScoreCases[] = {
    {"zero", {}, 0, {-1, -1, 0}},
    {"seven", {7}, 7, {-1, -1, 7}},
    {"forty", {5, 35}, 40, {-1, 4, 0}},
    {"one hundred and five", {100, 5}, 105, {1, 0, 5}},
    {"last three digits of 1234", {1234}, 1234, {2, 3, 4}},
    {"a negative gain is refused", {12, -5}, 12, {-1, 1, 2}},
};

TEST_F(Panels, ScoreShowsItsLastThreeDigitsRightAligned) {
    for (const ScoreCase& c : kScoreCases) {
        SCOPED_TRACE(c.name);
        m_h.m_score.ResetScore();
        for (int gain : c.gains) {
            m_h.m_score.AddPoints(gain);
        }
        EXPECT_EQ(m_h.m_score.m_nScore, c.score);
        EXPECT_EQ(m_h.m_score.m_nPointsSinceRecolour, c.score % 1000);
        const ScreenShot shot = take_screenshot();
        const int xs[3] = {4, 28, 52};
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE("cell " + std::to_string(i));
            const int x = kScoreAt.x + xs[i];
            const int y = kScoreAt.y + 4;
            if (c.cells[i] >= 0) {
                EXPECT_EQ(compare_picture(shot, digit(c.cells[i]), x, y), "");
            } else {
                for (int dy = 0; dy < 28; dy += 3) {
                    for (int dx = 0; dx < 20; dx += 3) {
                        ASSERT_EQ(shot.at(x + dx, y + dy), kGrey) << dx << ", " << dy;
                    }
                }
            }
        }
        EXPECT_EQ(shot.at(kScoreAt.x + 75, kScoreAt.y + 35), RGB(0, 0, 0)) << "frame corner";
        EXPECT_EQ(shot.at(kScoreAt.x + 77, kScoreAt.y + 10), kParentColour) << "beyond the drawing";
        snapshot(std::string("score-") + std::to_string(c.score));
    }
}

// The colour of the digits on the screen, read from the top dot of a 1 in the tens cell.
COLORREF shown_tens_colour() {
    return take_screenshot().at(kScoreAt.x + 28 + 8, kScoreAt.y + 4);
}

TEST_F(Panels, EveryThousandChangesTheDigitColourOnce) {
    const COLORREF red = RGB(255, 0, 0);
    m_h.m_score.ResetScore();
    m_h.m_score.AddPoints(10);
    EXPECT_EQ(shown_tens_colour(), red) << "a new game counts in red";
    m_h.m_score.AddPoints(980);  // 990
    EXPECT_EQ(m_h.m_score.m_nPointsSinceRecolour, 990);
    m_h.m_score.AddPoints(20);  // 1010: the digits 1 and 0
    EXPECT_EQ(m_h.m_score.m_nPointsSinceRecolour, 10);
    const COLORREF second = shown_tens_colour();
    EXPECT_NE(second, red);
    EXPECT_NE(second, kGrey);
    m_h.m_score.AddPoints(2500);  // 3510: one change for one gain
    EXPECT_EQ(m_h.m_score.m_nPointsSinceRecolour, 510);
    const COLORREF third = shown_tens_colour();
    EXPECT_NE(third, second) << "two changes in a row never repeat a colour";
    m_h.m_score.AddPoints(500);  // 4010: 1010 points since the last change
    const COLORREF fourth = shown_tens_colour();
    EXPECT_NE(fourth, third);
    const COLORREF allowed[] = {RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255),
                                RGB(255, 255, 0), RGB(255, 0, 255), RGB(0, 255, 255)};
    for (COLORREF shown : {second, third, fourth}) {
        EXPECT_NE(std::find(std::begin(allowed), std::end(allowed), shown), std::end(allowed));
    }
    m_h.m_score.ResetScore();
    m_h.m_score.AddPoints(10);
    EXPECT_EQ(shown_tens_colour(), red) << "back to red for a new game";
}

TEST_F(Panels, ColourChangesOverManyThousandsNeverRepeat) {
    for (int run = 0; run < 20; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        m_h.m_score.ResetScore();
        m_h.m_score.AddPoints(10);
        COLORREF previous = shown_tens_colour();
        for (int thousand = 1; thousand <= 6; ++thousand) {
            m_h.m_score.AddPoints(1000);
            const COLORREF now = shown_tens_colour();
            ASSERT_NE(now, previous) << "at " << thousand << " thousand";
            previous = now;
        }
    }
}

TEST_F(Panels, ResetShowsZeroAtOnce) {
    m_h.m_score.AddPoints(123);
    m_h.m_score.ResetScore();
    EXPECT_EQ(m_h.m_score.m_nScore, 0);
    const ScreenShot shot = take_screenshot();
    EXPECT_EQ(compare_picture(shot, digit(0), kScoreAt.x + 52, kScoreAt.y + 4), "");
    EXPECT_EQ(shot.at(kScoreAt.x + 4 + 8, kScoreAt.y + 4), kGrey);
}

TEST_F(Panels, DestroyingThePanelsReleasesTheirPictures) {
    EXPECT_NE(m_h.m_score.m_bmFrame.GetSafeHandle(), nullptr);
    EXPECT_NE(m_h.m_preview.m_bmFrame.GetSafeHandle(), nullptr);
    m_h.m_parent.DestroyWindow();
    EXPECT_EQ(m_h.m_score.m_bmFrame.GetSafeHandle(), nullptr);
    EXPECT_EQ(m_h.m_preview.m_bmFrame.GetSafeHandle(), nullptr);
    for (int d = 0; d < 10; ++d) {
        EXPECT_EQ(m_h.m_score.m_bmDigits[d].GetSafeHandle(), nullptr) << d;
    }
}

}  // namespace
