// TransparentBitmapButtonTest.cpp: set-up, pictures per state and clicks of the picture push
// button over a striped parent.
#include "controls/CTransparentBitmapButton.h"

#include "tests/controls/ControlsTestSupport.h"

#include <gtest/gtest.h>

#include <array>

namespace {

using namespace controlstest;

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) {
        out += l + "\n";
    }
    return out;
}

int clicks_of(const CStripedParent& parent) {
    int n = 0;
    for (const CStripedParent::Command& c : parent.m_commands) {
        if (c.id == ButtonFixture::kButtonId && c.code == BN_CLICKED) {
            ++n;
        }
    }
    return n;
}

struct SetupCase {
    const char* name;
    std::array<UINT, 4> ids;  // normal, pressed, focus, disabled
    BOOL setup;
    BOOL reload;
    std::array<bool, 4> loaded;
    SIZE size;
};

const SetupCase kSetupCases[] = {
    {"normal and pressed",
     {kRedPicture, kBluePicture, 0, 0},
     TRUE,
     TRUE,
     {true, true, false, false},
     {24, 24}},
    {"all four",
     {kRedPicture, kBluePicture, kLimePicture, kFuchsiaPicture},
     TRUE,
     TRUE,
     {true, true, true, true},
     {24, 24}},
    {"normal alone, of its own size",
     {kSmallPicture, 0, 0, 0},
     TRUE,
     TRUE,
     {true, false, false, false},
     {16, 10}},
    {"missing pressed: the rest still load",
     {kRedPicture, kMissingPicture, kLimePicture, 0},
     TRUE,
     FALSE,
     {true, false, true, false},
     {24, 24}},
    {"missing disabled",
     {kRedPicture, 0, 0, kMissingPicture},
     TRUE,
     FALSE,
     {true, false, false, false},
     {24, 24}},
    {"missing normal: nothing loads, size kept",
     {kMissingPicture, kBluePicture, 0, 0},
     FALSE,
     FALSE,
     {false, false, false, false},
     {30, 20}},
};

TEST(TransparentBitmapButton, SetupLoadsThePicturesItCanAndFitsTheFirst) {
    for (const SetupCase& c : kSetupCases) {
        SCOPED_TRACE(c.name);
        ButtonFixture f;
        ASSERT_TRUE(f.ready());
        CTransparentBitmapButton button;
        EXPECT_EQ(button.SetupButton(ButtonFixture::kButtonId, &f.m_parent, c.ids[0], c.ids[1],
                                     c.ids[2], c.ids[3]),
                  c.setup);
        EXPECT_EQ(button.m_hWnd, f.m_hPlaceholder) << "subclassed whatever the pictures";
        for (int i = 0; i < 4; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(button.m_image[i].GetSafeHandle() != nullptr, c.loaded[i]);
            EXPECT_EQ(button.m_mask[i].GetSafeHandle() != nullptr, c.loaded[i]);
        }
        CRect rect;
        button.GetWindowRect(&rect);
        EXPECT_EQ(rect.left, ButtonFixture::kParentX + ButtonFixture::kButtonX);
        EXPECT_EQ(rect.top, ButtonFixture::kParentY + ButtonFixture::kButtonY);
        EXPECT_EQ(rect.Width(), c.size.cx);
        EXPECT_EQ(rect.Height(), c.size.cy);
        // Loading again replaces every picture and reports the same.
        EXPECT_EQ(button.LoadImages(c.ids[0], c.ids[1], c.ids[2], c.ids[3]), c.reload);
        button.UnsubclassWindow();
    }
}

TEST(TransparentBitmapButton, SetupFailsWithoutAPlaceholder) {
    ButtonFixture f;
    ASSERT_TRUE(f.ready());
    CTransparentBitmapButton button;
    EXPECT_FALSE(button.SetupButton(4321, &f.m_parent, kRedPicture, kBluePicture, 0, 0));
    EXPECT_EQ(button.m_hWnd, nullptr);
    EXPECT_EQ(button.m_image[0].GetSafeHandle(), nullptr) << "nothing loaded";
}

enum class Act { Nothing, Press, Focus, Disable, PressAndMoveOut, ColouredPress };

struct StateCase {
    const char* name;
    std::array<UINT, 4> ids;
    Act act;
    UINT shown;
};

const StateCase kStateCases[] = {
    {"at rest: normal",
     {kRedPicture, kBluePicture, kLimePicture, kFuchsiaPicture},
     Act::Nothing,
     kRedPicture},
    {"held down: pressed",
     {kRedPicture, kBluePicture, kLimePicture, kFuchsiaPicture},
     Act::Press,
     kBluePicture},
    {"held down without a pressed picture: focus",
     {kRedPicture, 0, kLimePicture, 0},
     Act::Press,
     kLimePicture},
    {"held down, no other pictures: normal", {kRedPicture, 0, 0, 0}, Act::Press, kRedPicture},
    {"held and moved off: focus",
     {kRedPicture, kBluePicture, kLimePicture, 0},
     Act::PressAndMoveOut,
     kLimePicture},
    {"held and moved off, no focus picture: normal",
     {kRedPicture, kBluePicture, 0, 0},
     Act::PressAndMoveOut,
     kRedPicture},
    {"focused: focus",
     {kRedPicture, kBluePicture, kLimePicture, kFuchsiaPicture},
     Act::Focus,
     kLimePicture},
    {"focused without a focus picture: normal",
     {kRedPicture, kBluePicture, 0, 0},
     Act::Focus,
     kRedPicture},
    {"disabled: disabled",
     {kRedPicture, kBluePicture, kLimePicture, kFuchsiaPicture},
     Act::Disable,
     kFuchsiaPicture},
    {"disabled without a disabled picture: normal",
     {kRedPicture, kBluePicture, kLimePicture, 0},
     Act::Disable,
     kRedPicture},
    {"small picture at rest", {kSmallPicture, 0, 0, 0}, Act::Nothing, kSmallPicture},
    {"held down under a parent that colours the context",
     {kRedPicture, kBluePicture, kLimePicture, kFuchsiaPicture},
     Act::ColouredPress,
     kBluePicture},
};

TEST(TransparentBitmapButton, ShowsThePictureOfItsStateOverTheParentsBackground) {
    for (const StateCase& c : kStateCases) {
        SCOPED_TRACE(c.name);
        ButtonFixture f;
        ASSERT_TRUE(f.ready());
        CTransparentBitmapButton button;
        button.SetupButton(ButtonFixture::kButtonId, &f.m_parent, c.ids[0], c.ids[1], c.ids[2],
                           c.ids[3]);
        f.show();
        const POINT inside = ButtonFixture::on_button(12, 12);
        switch (c.act) {
            case Act::Nothing:
                break;
            case Act::Press:
                f.press(inside.x, inside.y);
                break;
            case Act::ColouredPress:
                f.m_parent.m_bColoursButtons = true;
                f.press(inside.x, inside.y);
                break;
            case Act::PressAndMoveOut:
                f.press(inside.x, inside.y);
                f.move(inside.x + 40, inside.y, true);
                break;
            case Act::Focus:
                button.SetFocus();
                ButtonFixture::drain();
                break;
            case Act::Disable:
                button.EnableWindow(FALSE);
                ButtonFixture::drain();
                break;
        }
        const int width = c.shown == kSmallPicture ? 16 : 24;
        const int height = c.shown == kSmallPicture ? 10 : 24;
        EXPECT_EQ(joined(check_shows(c.shown, width, height)), "");
        f.snapshot(std::string("button-") + c.name);
        EXPECT_FALSE(button.m_parentRedrawn) << "every update ends after its second call";
        button.UnsubclassWindow();
    }
}

struct ClickCase {
    const char* name;
    std::vector<POINT> path;  // pressed at the first point, dragged through, released at the last
    int clicks;
};

const ClickCase kClickCases[] = {
    {"released inside", {{12, 12}, {12, 12}}, 1},
    {"released at the far corner", {{0, 0}, {23, 23}}, 1},
    {"released outside", {{12, 12}, {60, 12}}, 0},
    {"dragged out and back", {{12, 12}, {60, 12}, {60, 40}, {5, 5}}, 1},
    {"dragged in from outside and released", {{-20, 12}, {12, 12}}, 0},
};

TEST(TransparentBitmapButton, ClicksNotifyTheOwnerOnlyForReleasesOverTheButton) {
    for (const ClickCase& c : kClickCases) {
        SCOPED_TRACE(c.name);
        ButtonFixture f;
        ASSERT_TRUE(f.ready());
        CTransparentBitmapButton button;
        button.SetupButton(ButtonFixture::kButtonId, &f.m_parent, kRedPicture, kBluePicture, 0, 0);
        f.show();
        f.m_parent.m_commands.clear();

        const POINT first = ButtonFixture::on_button(c.path.front().x, c.path.front().y);
        f.press(first.x, first.y);
        for (std::size_t i = 1; i < c.path.size(); ++i) {
            const POINT p = ButtonFixture::on_button(c.path[i].x, c.path[i].y);
            f.move(p.x, p.y, true);
        }
        const POINT last = ButtonFixture::on_button(c.path.back().x, c.path.back().y);
        f.release(last.x, last.y);

        EXPECT_EQ(clicks_of(f.m_parent), c.clicks);
        EXPECT_EQ(joined(check_shows(kRedPicture)), "") << "normal again after the release";
        button.UnsubclassWindow();
    }
}

TEST(TransparentBitmapButton, ErasingDrawsNothing) {
    ButtonFixture f;
    ASSERT_TRUE(f.ready());
    CTransparentBitmapButton button;
    button.SetupButton(ButtonFixture::kButtonId, &f.m_parent, kRedPicture, 0, 0, 0);
    f.show();
    // Paint the screen under the button black, then let the button erase: nothing changes.
    HDC screen = ::GetDC(nullptr);
    const POINT origin = ButtonFixture::on_button(0, 0);
    const RECT area{origin.x, origin.y, origin.x + 24, origin.y + 24};
    ::FillRect(screen, &area, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::ReleaseDC(nullptr, screen);
    CClientDC dc(&button);
    EXPECT_TRUE(button.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0));
    EXPECT_EQ(screen_pixel(origin.x + 12, origin.y + 12), RGB(0, 0, 0));
    EXPECT_EQ(screen_pixel(origin.x, origin.y), RGB(0, 0, 0));
    button.UnsubclassWindow();
}

TEST(TransparentBitmapButton, WithoutItsFirstPictureItLeavesTheParentsBackground) {
    struct Case {
        const char* name;
        std::array<UINT, 4> ids;
    };
    const Case kCases[] = {
        {"no picture at all", {kMissingPicture, 0, 0, 0}},
        {"only a pressed picture", {kMissingPicture, kBluePicture, 0, 0}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        ButtonFixture f;
        ASSERT_TRUE(f.ready());
        CTransparentBitmapButton button;
        EXPECT_FALSE(button.SetupButton(ButtonFixture::kButtonId, &f.m_parent, c.ids[0], c.ids[1],
                                        c.ids[2], c.ids[3]));
        f.show();
        EXPECT_EQ(joined(check_shows_background()), "");
        const POINT inside = ButtonFixture::on_button(12, 12);
        f.press(inside.x, inside.y);
        EXPECT_EQ(joined(check_shows_background()), "") << "held down";
        f.release(inside.x, inside.y);
        EXPECT_EQ(clicks_of(f.m_parent), 1) << "still a working button";
        EXPECT_FALSE(button.m_parentRedrawn);
        button.UnsubclassWindow();
    }
}

struct RealCase {
    const char* name;
    UINT normal, pressed;
    bool press;
};

const RealCase kRealCases[] = {
    {"new game", 133, 134, false},
    {"new game held down", 133, 134, true},
    {"exit", 139, 140, false},
    {"exit held down", 139, 140, true},
};

// Every pixel of the program's own pictures: white shows the stripes, the rest the picture.
TEST(TransparentBitmapButton, ProgramPicturesShowThroughTheirWhiteOnly) {
    for (const RealCase& c : kRealCases) {
        SCOPED_TRACE(c.name);
        ButtonFixture f(ButtonFixture::Pictures::Program);
        ASSERT_TRUE(f.ready());
        CTransparentBitmapButton button;
        ASSERT_TRUE(
            button.SetupButton(ButtonFixture::kButtonId, &f.m_parent, c.normal, c.pressed, 0, 0));
        f.show();
        if (c.press) {
            const POINT inside = ButtonFixture::on_button(12, 12);
            f.press(inside.x, inside.y);
        }
        f.snapshot(std::string("program-") + c.name);

        // The expected picture, read on its own from the resource.
        HBITMAP hPicture = ::LoadBitmapA(nullptr, MAKEINTRESOURCE(c.press ? c.pressed : c.normal));
        ASSERT_NE(hPicture, nullptr);
        const std::vector<COLORREF> picture = gfxtest::read_pixels(hPicture);
        ::DeleteObject(hPicture);
        ASSERT_EQ(picture.size(), 24u * 24u);
        int nWhite = 0;
        int nWrong = 0;
        for (int y = 0; y < 24; ++y) {
            for (int x = 0; x < 24; ++x) {
                const COLORREF want = picture[static_cast<std::size_t>(y * 24 + x)];
                const bool bWhite = want == RGB(255, 255, 255);
                nWhite += bWhite ? 1 : 0;
                const COLORREF expected =
                    bWhite ? CStripedParent::stripe_at(ButtonFixture::kButtonX + x) : want;
                const POINT s = ButtonFixture::on_button(x, y);
                const COLORREF got = screen_pixel(s.x, s.y);
                if (got != expected && ++nWrong <= 5) {
                    ADD_FAILURE() << "at (" << x << ", " << y << "): got 0x" << std::hex << got
                                  << ", expected 0x" << expected;
                }
            }
        }
        EXPECT_EQ(nWrong, 0);
        EXPECT_GT(nWhite, 0) << "the picture has a transparent surround";
        EXPECT_LT(nWhite, 24 * 24) << "and something to show";
        button.UnsubclassWindow();
    }
}

}  // namespace
