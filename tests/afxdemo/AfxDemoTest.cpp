// AfxDemoTest.cpp: the class-library demo run on the headless host with scripted input and
// virtual time: the timed counter, the face buttons, the colour menu, tool-tips and endings.
#include "tests/afxdemo/CDemoDialog.h"
#include "tests/afxdemo/DemoHarness.h"
#include "tests/afxdemo/DemoResource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using test::DemoHarness;

// RRGGBB of a COLORREF, as failures print it.
std::string hex(COLORREF c) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

// Lit segments of each digit, top, upper right, lower right, bottom, lower left, upper left,
// middle, worked out from the shapes of the digits.
const char* const kLitSegments[10] = {
    "1111110", "0110000", "1101101", "1111001", "0110011",
    "1011011", "1011111", "1110000", "1111111", "1111011",
};

constexpr COLORREF kUnlit = RGB(128, 0, 0);

// The screen point in the middle of segment nSegment of counter digit nIndex (0 leftmost).
CPoint segment_point(int nIndex, int nSegment) {
    const CRect rcCounter = DemoHarness::layout().controls.at(IDC_DEMO_COUNTER);
    const CRect rcClient(0, 0, rcCounter.Width(), rcCounter.Height());
    CPoint pt = CCounterDisplay::SegmentRect(CCounterDisplay::DigitCell(rcClient, nIndex), nSegment)
                    .CenterPoint();
    pt.x += rcCounter.left;
    pt.y += rcCounter.top;
    return pt;
}

// Checks that digit nIndex shows nDigit in crLit on the screen.
void expect_digit_on_screen(const DemoHarness& harness, int nIndex, int nDigit, COLORREF crLit) {
    for (int s = 0; s < 7; ++s) {
        const CPoint pt = segment_point(nIndex, s);
        const COLORREF want = kLitSegments[nDigit][s] == '1' ? crLit : kUnlit;
        EXPECT_EQ(hex(harness.pixel(pt)), hex(want))
            << "digit " << nIndex << " segment " << s << " at (" << pt.x << ", " << pt.y << ")";
    }
}

// A point on a face button's face, clear of its caption and focus frame.
CPoint face_point(UINT nID) {
    const CRect rc = DemoHarness::layout().controls.at(nID);
    return CPoint(rc.left + 8, rc.top + 8);
}

TEST(AfxDemoLayout, TheDialogHoldsItsControlsInsideAFourHundredPixelClientArea) {
    const test::DemoLayout& layout = DemoHarness::layout();
    EXPECT_NEAR(layout.client.Width(), 400, 10);
    EXPECT_NEAR(layout.client.Height(), 445, 10);
    EXPECT_GE(layout.dialog.left, 0);
    EXPECT_LE(layout.dialog.bottom, 480);
    ASSERT_EQ(layout.controls.size(), 8u) << "every control of the template exists";
    for (const auto& [nID, rc] : layout.controls) {
        SCOPED_TRACE(nID);
        EXPECT_FALSE(rc.IsRectEmpty());
        CRect rcInside;
        EXPECT_TRUE(rcInside.IntersectRect(&rc, &layout.client));
        EXPECT_TRUE(::EqualRect(&rcInside, &rc)) << "control lies inside the client area";
    }
}

struct TickCase {
    const char* name;
    std::uint64_t advance_ms;
    int count;  // ticks of 500 ms within advance_ms
};

TEST(AfxDemoTimer, TheCounterAdvancesOncePerTickOfVirtualTime) {
    const TickCase cases[] = {
        {"nothing before the first tick", 499, 0},
        {"the first tick", 500, 1},
        {"seven ticks", 3600, 7},
        {"twenty-three ticks", 11700, 23},
    };
    for (const TickCase& c : cases) {
        SCOPED_TRACE(c.name);
        DemoHarness harness;
        int nSeen = -1;
        harness.host().script_advance(c.advance_ms);
        harness.host().script_call([&](host::HeadlessHost&) {
            if (CDemoDialog* pDialog = harness.dialog()) {
                nSeen = pDialog->Counter().GetValue();
            }
        });
        // The loop paints and presents before it waits for the next step.
        harness.host().script_call([&](host::HeadlessHost&) {
            expect_digit_on_screen(harness, 3, c.count % 10, RGB(255, 0, 0));
            expect_digit_on_screen(harness, 2, c.count / 10 % 10, RGB(255, 0, 0));
        });
        harness.script_end();
        EXPECT_EQ(harness.run(), 0);
        EXPECT_EQ(nSeen, c.count);
        if (c.count == 23) {
            harness.snapshot("counter-23");
        }
    }
}

struct ButtonCase {
    const char* name;
    UINT nID;
    COLORREF crFace;
    COLORREF crPressed;
    int count_after;  // the counter stood at 4 before the click
    bool running_after;
    int count_later;  // two seconds after the click
};

TEST(AfxDemoButtons, APressSinksTheFaceAndTheReleaseFiresTheCommand) {
    const ButtonCase cases[] = {
        {"pause stops the counter", IDC_DEMO_PAUSE, RGB(0, 128, 0), RGB(0, 255, 0), 4, false, 4},
        {"reset clears it", IDC_DEMO_RESET, RGB(128, 0, 0), RGB(255, 0, 0), 0, true, 4},
        {"step adds ten", IDC_DEMO_STEP, RGB(0, 0, 128), RGB(0, 0, 255), 14, true, 18},
    };
    for (const ButtonCase& c : cases) {
        SCOPED_TRACE(c.name);
        DemoHarness harness;
        const CPoint pt = face_point(c.nID);
        COLORREF crBefore = 0, crDown = 0, crUp = 0;
        int nDownCount = -1, nUpCount = -1, nLaterCount = -1, nPressedDraws = 0;
        bool bRunning = true;
        harness.host().script_advance(2000);
        harness.host().script_call([&](host::HeadlessHost&) { crBefore = harness.pixel(pt); });
        harness.host().script_mouse_down(pt.x, pt.y);
        harness.host().script_call([&](host::HeadlessHost&) {
            crDown = harness.pixel(pt);
            if (CDemoDialog* pDialog = harness.dialog()) {
                nDownCount = pDialog->Counter().GetValue();
                nPressedDraws = pDialog->Button(c.nID).PressedDraws();
            }
            harness.snapshot(std::string("pressed-") + std::to_string(c.nID));
        });
        harness.host().script_mouse_up(pt.x, pt.y);
        harness.host().script_call([&](host::HeadlessHost&) {
            crUp = harness.pixel(pt);
            if (CDemoDialog* pDialog = harness.dialog()) {
                nUpCount = pDialog->Counter().GetValue();
                bRunning = pDialog->IsRunning() != FALSE;
            }
        });
        harness.host().script_advance(2000);
        harness.host().script_call([&](host::HeadlessHost&) {
            if (CDemoDialog* pDialog = harness.dialog()) {
                nLaterCount = pDialog->Counter().GetValue();
            }
        });
        harness.script_end();
        EXPECT_EQ(harness.run(), 0);
        EXPECT_EQ(hex(crBefore), hex(c.crFace)) << "at rest";
        EXPECT_EQ(hex(crDown), hex(c.crPressed)) << "held down";
        EXPECT_EQ(hex(crUp), hex(c.crFace)) << "released";
        EXPECT_GT(nPressedDraws, 0);
        EXPECT_EQ(nDownCount, 4) << "nothing fires on the press";
        EXPECT_EQ(nUpCount, c.count_after);
        EXPECT_EQ(bRunning, c.running_after);
        EXPECT_EQ(nLaterCount, c.count_later);
    }
}

struct PauseCase {
    const char* name;
    int clicks;
    const char* caption;
    int count_later;  // two seconds after the clicks, from 4
};

TEST(AfxDemoButtons, PauseTogglesTheTimerAndItsCaptionSaysWhatTheNextClickDoes) {
    const PauseCase cases[] = {
        {"running", 0, "Pauza", 8},
        {"paused", 1, "Dalej", 4},
        {"resumed", 2, "Pauza", 8},
        {"paused again", 3, "Dalej", 4},
    };
    const CPoint pt = DemoHarness::layout().center_of(IDC_DEMO_PAUSE);
    for (const PauseCase& c : cases) {
        SCOPED_TRACE(c.name);
        DemoHarness harness;
        std::string caption;
        int nLater = -1;
        harness.host().script_advance(2000);
        for (int i = 0; i < c.clicks; ++i) {
            harness.host().script_click(pt.x, pt.y);
        }
        harness.host().script_advance(2000);
        harness.host().script_call([&](host::HeadlessHost&) {
            if (CDemoDialog* pDialog = harness.dialog()) {
                nLater = pDialog->Counter().GetValue();
                char text[32] = {};
                pDialog->GetDlgItem(IDC_DEMO_PAUSE)->GetWindowText(text, sizeof text);
                caption = text;
            }
        });
        harness.script_end();
        EXPECT_EQ(harness.run(), 0);
        EXPECT_EQ(caption, c.caption);
        EXPECT_EQ(nLater, c.count_later);
    }
}

struct ReleaseCase {
    const char* name;
    int dx;  // where the button is released, from where it was pressed
    int dy;
    bool fires;
};

TEST(AfxDemoButtons, OnlyAReleaseOverTheButtonFiresIt) {
    const CRect rc = DemoHarness::layout().controls.at(IDC_DEMO_STEP);
    const ReleaseCase cases[] = {
        {"released where pressed", 0, 0, true},
        {"dragged within the button", rc.Width() / 3, 0, true},
        {"dragged off below", 0, rc.Height(), false},
        {"dragged off to the left", -rc.Width(), 0, false},
    };
    for (const ReleaseCase& c : cases) {
        SCOPED_TRACE(c.name);
        DemoHarness harness;
        const CPoint pt = rc.CenterPoint();
        int nCount = -1;
        COLORREF crOff = 0;
        harness.host().script_mouse_down(pt.x, pt.y);
        harness.host().script_mouse_move(pt.x + c.dx, pt.y + c.dy);
        harness.host().script_call(
            [&](host::HeadlessHost&) { crOff = harness.pixel(face_point(IDC_DEMO_STEP)); });
        harness.host().script_mouse_up(pt.x + c.dx, pt.y + c.dy);
        harness.host().script_call([&](host::HeadlessHost&) {
            if (CDemoDialog* pDialog = harness.dialog()) {
                nCount = pDialog->Counter().GetValue();
            }
        });
        harness.script_end();
        EXPECT_EQ(harness.run(), 0);
        EXPECT_EQ(nCount, c.fires ? CDemoDialog::kStep : 0);
        EXPECT_EQ(hex(crOff), hex(c.fires ? RGB(0, 0, 255) : RGB(0, 0, 128)))
            << "the face shows whether a release would fire";
    }
}

enum class MenuAction { ClickItem, Escape, ClickOutside };

struct MenuCase {
    const char* name;
    MenuAction action;
    int item;
    COLORREF digits_after;
};

TEST(AfxDemoMenu, ARightClickOpensTheColourMenuAndItsChoiceRecoloursTheDigits) {
    const MenuCase cases[] = {
        {"red", MenuAction::ClickItem, 0, RGB(255, 0, 0)},
        {"green", MenuAction::ClickItem, 1, RGB(0, 255, 0)},
        {"cyan", MenuAction::ClickItem, 2, RGB(0, 255, 255)},
        {"yellow", MenuAction::ClickItem, 3, RGB(255, 255, 0)},
        {"Escape keeps the colour", MenuAction::Escape, 0, RGB(255, 0, 0)},
        {"a click outside keeps the colour", MenuAction::ClickOutside, 0, RGB(255, 0, 0)},
    };
    const CPoint ptOpen = DemoHarness::layout().center_of(IDC_DEMO_COUNTER);
    for (const MenuCase& c : cases) {
        SCOPED_TRACE(c.name);
        DemoHarness harness;
        int nShown = 0, nDrawn = 0;
        harness.host().script_mouse_down(ptOpen.x, ptOpen.y, host::MouseButton::Right);
        harness.host().script_mouse_up(ptOpen.x, ptOpen.y, host::MouseButton::Right);
        harness.host().script_call([&](host::HeadlessHost&) {
            if (CDemoDialog* pDialog = harness.dialog()) {
                nDrawn = pDialog->ColorMenu().DrawnItems();
            }
            if (c.item == 2) {
                harness.snapshot("menu-open");
            }
        });
        // Items begin inside the menu's three-pixel border, one item height apart.
        const CPoint ptItem(ptOpen.x + 40, ptOpen.y + 3 + c.item * CColorMenu::kItemHeight +
                                               CColorMenu::kItemHeight / 2);
        switch (c.action) {
            case MenuAction::ClickItem:
                harness.host().script_click(ptItem.x, ptItem.y);
                break;
            case MenuAction::Escape:
                harness.host().script_key(VK_ESCAPE);
                break;
            case MenuAction::ClickOutside:
                harness.host().script_click(2, 2);
                break;
        }
        harness.host().script_advance(1);
        COLORREF crModel = 0;
        harness.host().script_call([&](host::HeadlessHost&) {
            if (CDemoDialog* pDialog = harness.dialog()) {
                nShown = pDialog->MenusShown();
                crModel = pDialog->Counter().GetDigitColor();
                pDialog->UpdateWindow();
            }
        });
        harness.host().script_advance(1);
        harness.host().script_call([&](host::HeadlessHost&) {
            // The leftmost digit stays 0: its top segment is lit, its middle one is not.
            EXPECT_EQ(hex(harness.pixel(segment_point(0, 0))), hex(c.digits_after));
            EXPECT_EQ(hex(harness.pixel(segment_point(0, 6))), hex(kUnlit));
        });
        harness.script_end();
        EXPECT_EQ(harness.run(), 0);
        EXPECT_EQ(nShown, 1);
        EXPECT_GE(nDrawn, CColorMenu::ColorCount()) << "every item was drawn by its owner";
        EXPECT_EQ(hex(crModel), hex(c.digits_after));
    }
}

struct TipCase {
    const char* name;
    UINT nID;
    std::uint64_t hover_ms;
    bool press;  // a press after hovering
    bool visible;
};

TEST(AfxDemoToolTips, ATipShowsAfterItsDelayOverAButtonAndAPressHidesIt) {
    const TipCase cases[] = {
        {"before the delay", IDC_DEMO_PAUSE, 300, false, false},
        {"after the delay", IDC_DEMO_PAUSE, 700, false, true},
        {"over another button", IDC_DEMO_STEP, 700, false, true},
        {"a press hides it", IDC_DEMO_RESET, 700, true, false},
    };
    for (const TipCase& c : cases) {
        SCOPED_TRACE(c.name);
        DemoHarness harness;
        const CPoint pt = DemoHarness::layout().center_of(c.nID);
        bool bVisible = !c.visible;
        CRect rcTip;
        COLORREF crBefore = 0, crAfter = 0;
        harness.host().script_mouse_move(pt.x, pt.y - 3);
        harness.host().script_mouse_move(pt.x, pt.y);
        harness.host().script_call(
            [&](host::HeadlessHost&) { crBefore = harness.pixel(CPoint(pt.x + 2, pt.y + 22)); });
        harness.host().script_advance(c.hover_ms);
        if (c.press) {
            harness.host().script_mouse_down(pt.x, pt.y);
        }
        harness.host().script_advance(1);
        harness.host().script_call([&](host::HeadlessHost&) {
            if (CDemoDialog* pDialog = harness.dialog()) {
                bVisible = pDialog->ToolTip().IsWindowVisible() != FALSE;
                pDialog->ToolTip().GetWindowRect(&rcTip);
            }
            crAfter = harness.pixel(CPoint(pt.x + 2, pt.y + 22));
            if (c.visible && c.nID == IDC_DEMO_STEP) {
                harness.snapshot("tooltip");
            }
        });
        if (c.press) {
            harness.host().script_mouse_up(pt.x + 200, pt.y + 200);
        }
        harness.script_end();
        EXPECT_EQ(harness.run(), 0);
        EXPECT_EQ(bVisible, c.visible);
        if (c.visible) {
            EXPECT_TRUE(rcTip.PtInRect(CPoint(pt.x + 2, pt.y + 22)))
                << "tip at (" << rcTip.left << ", " << rcTip.top << ") below the cursor";
            EXPECT_NE(hex(crAfter), hex(crBefore)) << "the tip reached the screen";
        }
    }
}

enum class Ending { Escape, CloseButton, WindowClose };

struct EndCase {
    const char* name;
    Ending ending;
    int result;
};

TEST(AfxDemoEnd, EveryWayOutEndsTheProgramWithCodeZero) {
    const EndCase cases[] = {
        {"Escape", Ending::Escape, IDCANCEL},
        {"the close button", Ending::CloseButton, IDOK},
        {"the host window's close", Ending::WindowClose, IDCANCEL},
    };
    for (const EndCase& c : cases) {
        SCOPED_TRACE(c.name);
        DemoHarness harness;
        harness.host().script_advance(1200);
        switch (c.ending) {
            case Ending::Escape:
                harness.host().script_key(VK_ESCAPE);
                break;
            case Ending::CloseButton: {
                const CPoint pt = DemoHarness::layout().center_of(IDOK);
                harness.host().script_click(pt.x, pt.y);
                break;
            }
            case Ending::WindowClose:
                harness.host().script_close();
                break;
        }
        harness.script_end();
        EXPECT_EQ(harness.run(), 0);
        EXPECT_EQ(harness.app().DialogResult(), c.result);
        EXPECT_EQ(harness.app().Dialog(), nullptr);
    }
}

}  // namespace
