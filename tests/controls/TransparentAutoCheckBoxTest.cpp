// TransparentAutoCheckBoxTest.cpp: set-up, pictures and toggling of the picture two-state button
// over a striped parent.
#include "controls/CTransparentAutoCheckBox.h"

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

std::vector<CStripedParent::Command> clicks_of(const CStripedParent& parent) {
    std::vector<CStripedParent::Command> clicks;
    for (const CStripedParent::Command& c : parent.m_commands) {
        if (c.id == ButtonFixture::kButtonId && c.code == BN_CLICKED) {
            clicks.push_back(c);
        }
    }
    return clicks;
}

struct SetupCase {
    const char* name;
    std::array<UINT, 3> ids;  // unchecked, checked, disabled
    BOOL setup;
    BOOL reload;
    std::array<bool, 3> loaded;
    SIZE size;
};

const SetupCase kSetupCases[] = {
    {"unchecked and checked",
     {kRedPicture, kBluePicture, 0},
     TRUE,
     TRUE,
     {true, true, false},
     {24, 24}},
    {"all three",
     {kRedPicture, kBluePicture, kFuchsiaPicture},
     TRUE,
     TRUE,
     {true, true, true},
     {24, 24}},
    {"sized by the unchecked picture",
     {kSmallPicture, kBluePicture, 0},
     TRUE,
     TRUE,
     {true, true, false},
     {16, 10}},
    {"no checked picture asked for",
     {kRedPicture, 0, kFuchsiaPicture},
     FALSE,
     TRUE,
     {true, false, true},
     {30, 20}},
    {"missing disabled only lowers the result",
     {kRedPicture, kBluePicture, kMissingPicture},
     TRUE,
     FALSE,
     {true, true, false},
     {24, 24}},
    {"missing checked stops the loading",
     {kRedPicture, kMissingPicture, kFuchsiaPicture},
     FALSE,
     FALSE,
     {true, false, false},
     {30, 20}},
    {"missing unchecked stops at once",
     {kMissingPicture, kBluePicture, kFuchsiaPicture},
     FALSE,
     FALSE,
     {false, false, false},
     {30, 20}},
};

TEST(TransparentAutoCheckBox, SetupNeedsTheUncheckedAndCheckedPictures) {
    for (const SetupCase& c : kSetupCases) {
        SCOPED_TRACE(c.name);
        ButtonFixture f;
        ASSERT_TRUE(f.ready());
        CTransparentAutoCheckBox box;
        EXPECT_EQ(
            box.SetupButton(ButtonFixture::kButtonId, &f.m_parent, c.ids[0], c.ids[1], c.ids[2]),
            c.setup);
        EXPECT_EQ(box.m_hWnd, f.m_hPlaceholder);
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(box.m_image[i].GetSafeHandle() != nullptr, c.loaded[i]);
            EXPECT_EQ(box.m_mask[i].GetSafeHandle() != nullptr, c.loaded[i]);
        }
        CRect rect;
        box.GetWindowRect(&rect);
        EXPECT_EQ(rect.left, ButtonFixture::kParentX + ButtonFixture::kButtonX);
        EXPECT_EQ(rect.top, ButtonFixture::kParentY + ButtonFixture::kButtonY);
        EXPECT_EQ(rect.Width(), c.size.cx);
        EXPECT_EQ(rect.Height(), c.size.cy);
        EXPECT_EQ(box.LoadImages(c.ids[0], c.ids[1], c.ids[2]), c.reload);
        EXPECT_EQ(box.m_checked, FALSE) << "loading pictures leaves the value alone";
        box.UnsubclassWindow();
    }
}

enum class Act { Nothing, Check, Press, Focus, Disable, DisableChecked, ColouredCheck };

struct PictureCase {
    const char* name;
    std::array<UINT, 3> ids;
    Act act;
    UINT shown;
};

const PictureCase kPictureCases[] = {
    {"unchecked", {kRedPicture, kBluePicture, kFuchsiaPicture}, Act::Nothing, kRedPicture},
    {"checked", {kRedPicture, kBluePicture, kFuchsiaPicture}, Act::Check, kBluePicture},
    {"held down: no pressed look",
     {kRedPicture, kBluePicture, kFuchsiaPicture},
     Act::Press,
     kRedPicture},
    {"focused: no focus look",
     {kRedPicture, kBluePicture, kFuchsiaPicture},
     Act::Focus,
     kRedPicture},
    {"checked under a parent that colours the context",
     {kRedPicture, kBluePicture, kFuchsiaPicture},
     Act::ColouredCheck,
     kBluePicture},
    {"disabled", {kRedPicture, kBluePicture, kFuchsiaPicture}, Act::Disable, kFuchsiaPicture},
    {"disabled while checked",
     {kRedPicture, kBluePicture, kFuchsiaPicture},
     Act::DisableChecked,
     kFuchsiaPicture},
    {"disabled without a picture, checked",
     {kRedPicture, kBluePicture, 0},
     Act::DisableChecked,
     kBluePicture},
    {"disabled without a picture, unchecked",
     {kRedPicture, kBluePicture, 0},
     Act::Disable,
     kRedPicture},
};

TEST(TransparentAutoCheckBox, ShowsThePictureOfItsValueOverTheParentsBackground) {
    for (const PictureCase& c : kPictureCases) {
        SCOPED_TRACE(c.name);
        ButtonFixture f;
        ASSERT_TRUE(f.ready());
        CTransparentAutoCheckBox box;
        box.SetupButton(ButtonFixture::kButtonId, &f.m_parent, c.ids[0], c.ids[1], c.ids[2]);
        f.show();
        const POINT inside = ButtonFixture::on_button(12, 12);
        switch (c.act) {
            case Act::Nothing:
                break;
            case Act::Check:
                box.SetChecked(TRUE);
                break;
            case Act::Press:
                f.press(inside.x, inside.y);
                break;
            case Act::ColouredCheck:
                f.m_parent.m_bColoursButtons = true;
                box.SetChecked(TRUE);
                break;
            case Act::Focus:
                box.SetFocus();
                ButtonFixture::drain();
                break;
            case Act::Disable:
                box.EnableWindow(FALSE);
                ButtonFixture::drain();
                break;
            case Act::DisableChecked:
                box.SetChecked(TRUE);
                box.EnableWindow(FALSE);
                ButtonFixture::drain();
                break;
        }
        EXPECT_EQ(joined(check_shows(c.shown)), "");
        f.snapshot(std::string("check-box-") + c.name);
        EXPECT_FALSE(box.m_parentRedrawn) << "every update ends after its second call";
        box.UnsubclassWindow();
    }
}

struct ClickCase {
    const char* name;
    // Mouse steps in the box's client coordinates: pressed at the first point, dragged through
    // the middle ones, released at the last; repeated `times`.
    std::vector<POINT> path;
    int times;
    std::vector<BOOL> notified_with;  // m_checked at each BN_CLICKED
    BOOL checked_after;
};

const ClickCase kClickCases[] = {
    {"one click checks", {{12, 12}, {12, 12}}, 1, {TRUE}, TRUE},
    {"two clicks uncheck", {{12, 12}, {12, 12}}, 2, {TRUE, FALSE}, FALSE},
    {"three clicks check", {{3, 20}, {20, 3}}, 3, {TRUE, FALSE, TRUE}, TRUE},
    {"released outside: unchanged", {{12, 12}, {60, 12}}, 1, {}, FALSE},
    {"released just past the right edge", {{12, 12}, {24, 12}}, 1, {}, FALSE},
    {"released on the last column", {{12, 12}, {23, 12}}, 1, {TRUE}, TRUE},
    {"dragged out and back", {{12, 12}, {60, 12}, {12, 12}}, 1, {TRUE}, TRUE},
    {"pressed elsewhere, released on the box", {{-20, 12}, {12, 12}}, 1, {}, FALSE},
};

TEST(TransparentAutoCheckBox, AReleaseOverTheBoxAfterAPressOnItToggles) {
    for (const ClickCase& c : kClickCases) {
        SCOPED_TRACE(c.name);
        ButtonFixture f;
        ASSERT_TRUE(f.ready());
        CTransparentAutoCheckBox box;
        box.SetupButton(ButtonFixture::kButtonId, &f.m_parent, kRedPicture, kBluePicture, 0);
        f.show();
        f.m_parent.m_commands.clear();
        f.m_parent.m_pWatchedCheck = &box.m_checked;
        // Inside the checked picture's block, white in the unchecked picture.
        f.m_parent.m_watchedCentre = ButtonFixture::on_button(16, 8);

        for (int n = 0; n < c.times; ++n) {
            const POINT first = ButtonFixture::on_button(c.path.front().x, c.path.front().y);
            f.press(first.x, first.y);
            for (std::size_t i = 1; i < c.path.size(); ++i) {
                const POINT p = ButtonFixture::on_button(c.path[i].x, c.path[i].y);
                f.move(p.x, p.y, true);
            }
            const POINT last = ButtonFixture::on_button(c.path.back().x, c.path.back().y);
            f.release(last.x, last.y);
        }

        const std::vector<CStripedParent::Command> clicks = clicks_of(f.m_parent);
        ASSERT_EQ(clicks.size(), c.notified_with.size());
        for (std::size_t i = 0; i < clicks.size(); ++i) {
            SCOPED_TRACE(i);
            // The value has changed, and the box shows it, before the owner hears of the click.
            EXPECT_EQ(clicks[i].checked_then, c.notified_with[i]);
            EXPECT_EQ(clicks[i].centre_then,
                      c.notified_with[i] ? colour_of(kBluePicture)
                                         : CStripedParent::stripe_at(ButtonFixture::kButtonX + 16));
        }
        EXPECT_EQ(box.m_checked, c.checked_after);
        EXPECT_FALSE(box.m_pressed) << "a release consumes the press";
        EXPECT_EQ(joined(check_shows(c.checked_after ? kBluePicture : kRedPicture)), "");
        // The box goes before the parent, whose teardown still brings notifications.
        f.m_parent.m_pWatchedCheck = nullptr;
        box.UnsubclassWindow();
    }
}

struct SetCase {
    const char* name;
    BOOL initial;
    BOOL value;
    BOOL stored;
    bool repaints;
};

const SetCase kSetCases[] = {
    {"0 to 1", FALSE, TRUE, TRUE, true},
    {"1 to 0", TRUE, FALSE, FALSE, true},
    {"0 to 0: nothing", FALSE, FALSE, FALSE, false},
    {"1 to 1: nothing", TRUE, TRUE, TRUE, false},
    {"any nonzero checks", FALSE, 7, TRUE, true},
    {"any nonzero is already checked", TRUE, -1, TRUE, false},
};

TEST(TransparentAutoCheckBox, SetCheckedRepaintsAtOnceOnlyOnAChange) {
    for (const SetCase& c : kSetCases) {
        SCOPED_TRACE(c.name);
        ButtonFixture f;
        ASSERT_TRUE(f.ready());
        CTransparentAutoCheckBox box;
        box.SetupButton(ButtonFixture::kButtonId, &f.m_parent, kRedPicture, kBluePicture, 0);
        box.SetChecked(c.initial);
        f.show();
        const int erases = f.m_parent.m_nErases;

        box.SetChecked(c.value);
        // No draining: a change shows before SetChecked returns.
        EXPECT_EQ(box.m_checked, c.stored);
        EXPECT_EQ(f.m_parent.m_nErases, erases + (c.repaints ? 1 : 0));
        EXPECT_EQ(joined(check_shows(c.stored ? kBluePicture : kRedPicture)), "");
        EXPECT_TRUE(f.m_parent.m_commands.empty()) << "the owner is not told";
        box.UnsubclassWindow();
    }
}

}  // namespace
