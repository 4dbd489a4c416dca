// DialogsTest.cpp: the final score and About boxes on the headless host: texts, pictures, waves.
#include "app/CGameApp.h"
#include "dialogs/CAboutDialog.h"
#include "dialogs/CFinalScoreDialog.h"
#include "platform/launch/ProgramSetup.h"
#include "platform/win32/cp1250.h"
#include "tests/app/ProgramProbe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr std::time_t kNow = 1700000000;

// An application object whose start time a test chooses; it never runs start-up.
class TestApp : public CGameApp {
public:
    void SetStartTime(std::time_t start) { m_startTime = CTime(start); }
};

class Dialogs : public testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(launch::prepare_program(m_host, &error)) << error;
        m_host.set_calendar_time(kNow);
    }
    void TearDown() override { host::install(nullptr); }

    host::HeadlessHost m_host;
};

TEST_F(Dialogs, FinalScorePaintsTimeAndScoreCentredInYellow) {
    struct Case {
        const char* name;
        long elapsed;
        int score;
        const char* timeLine;
        const char* scoreLine;
    };
    const Case cases[] = {
        {"seconds", 42, 305, "Grasz: 42 sek.", "Uzyskałeś wynik: 305"},
        {"hours", 3600 + 5 * 60 + 30, 0, "Grasz: 1 godz. 5 min.", "Uzyskałeś wynik: 0"},
    };
    const std::string caption = "Wynik końcowy"_cp1250;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp app;
        app.SetStartTime(kNow - c.elapsed);
        CFinalScoreDialog dialog;
        dialog.m_nScore = c.score;
        bool seen = false;
        m_host.script_call([&](host::HeadlessHost& h) {
            HWND hwnd = probe::find_top_level(caption);
            ASSERT_NE(hwnd, nullptr);
            seen = true;
            const RECT client = probe::client_rect(hwnd);
            const int centre = client.left + (client.right - client.left) / 2;
            const probe::TextMask timeMask = probe::render_text(cp1250::utf8_to_cp1250(c.timeLine));
            const probe::TextMask scoreMask =
                probe::render_text(cp1250::utf8_to_cp1250(c.scoreLine));
            EXPECT_EQ(probe::compare_text(h, timeMask, centre - timeMask.width / 2, client.top + 20,
                                          RGB(255, 255, 0)),
                      "");
            EXPECT_EQ(probe::compare_text(h, scoreMask, centre - scoreMask.width / 2,
                                          client.top + 40, RGB(255, 255, 0)),
                      "");
            h.write_png(std::string("final-score-") + std::to_string(c.score) + ".png");
        });
        m_host.script_key(VK_RETURN);
        dialog.DoModal();
        EXPECT_TRUE(seen);
        EXPECT_EQ(probe::find_top_level(caption), nullptr);
        m_host.clear_waves();
    }
}

TEST_F(Dialogs, FinalScoreAnnouncesOnceAfterTheTextsAndStaysSilentOnRepaint) {
    struct Case {
        const char* name;
        int score;
        std::vector<UINT> waves;
    };
    const Case cases[] = {
        {"305", 305, {144, 148, 145, 150}},
        {"0", 0, {144, 145}},
    };
    const std::string caption = "Wynik końcowy"_cp1250;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestApp app;
        app.SetStartTime(kNow);
        CFinalScoreDialog dialog;
        dialog.m_nScore = c.score;
        std::vector<UINT> afterFirstPaint;
        m_host.script_call([&](host::HeadlessHost& h) {
            afterFirstPaint = probe::wave_ids(h);
            // Cover-and-uncover: the whole dialog is painted again.
            InvalidateRect(probe::find_top_level(caption), nullptr, TRUE);
        });
        m_host.script_advance(200);
        m_host.script_call(
            [&](host::HeadlessHost& h) { h.write_png("final-score-repainted.png"); });
        m_host.script_key(VK_ESCAPE);
        dialog.DoModal();
        EXPECT_EQ(afterFirstPaint, c.waves);
        EXPECT_EQ(probe::wave_ids(m_host), c.waves);
        EXPECT_TRUE(dialog.m_bSoundsPlayed);
        m_host.clear_waves();
    }
}

TEST_F(Dialogs, AboutBoxPaintsTimeInYellowAndCreditInRed) {
    TestApp app;
    app.SetStartTime(kNow - 125);
    CAboutDialog about;
    bool seen = false;
    m_host.script_call([&](host::HeadlessHost& h) {
        HWND hwnd = probe::find_top_level("Pilo");
        ASSERT_NE(hwnd, nullptr);
        seen = true;
        const RECT client = probe::client_rect(hwnd);
        EXPECT_EQ(probe::compare_text(h, probe::render_text("Grasz: 2 min."), client.left + 10,
                                      client.top + 20, RGB(255, 255, 0)),
                  "");
        EXPECT_EQ(probe::compare_text(h, probe::render_text("Programował: zespół Pilo"_cp1250),
                                      client.left + 10, client.top + 40, RGB(255, 0, 0)),
                  "");
        h.write_png("about.png");
    });
    m_host.script_key(VK_RETURN);
    about.DoModal();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(m_host.waves().empty());
}

}  // namespace
