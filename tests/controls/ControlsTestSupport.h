// ControlsTestSupport.h: a striped parent window, picture resources and pixel reading for the
// picture-button tests.
#pragma once

#include "platform/afx/afxwin.h"
#include "platform/host/headless/HeadlessHost.h"
#include "tests/gfx/GfxTestSupport.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace controlstest {

// Pictures served as bitmap resources: 24 x 24, 4 bits per pixel, the 16 standard colours,
// white everywhere but a black pixel at (2, 2) and a 6 x 6 block of their colour, placed
// differently for each picture.
enum PictureId : UINT {
    kRedPicture = 200,
    kBluePicture = 201,
    kLimePicture = 202,
    kFuchsiaPicture = 203,
    kSmallPicture = 210,    // 16 x 10, the red picture's block cut off at the bottom
    kMissingPicture = 299,  // not served
};
COLORREF colour_of(UINT picture);

// Adds every picture above to the table.
void add_pictures(gfxtest::ResourceTable& table);

// A frameless popup whose background is vertical stripes, three pixels each, teal from its
// left edge, then olive; it records the command notifications it gets.
class CStripedParent : public CWnd {
public:
    struct Command {
        WORD id;
        WORD code;
        BOOL checked_then;     // the check box's value when the notification came
        COLORREF centre_then;  // the button's centre on screen then
    };

    static COLORREF stripe_at(int client_x);

    BOOL CreateAt(int x, int y, int width, int height);

    std::vector<Command> m_commands;
    int m_nErases = 0;
    // When set, the parent colours its buttons' contexts as a dialog does: red text on grey.
    bool m_bColoursButtons = false;
    // When set, read by OnCommand to record the check box's state and look.
    const BOOL* m_pWatchedCheck = nullptr;
    POINT m_watchedCentre{0, 0};

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()
};

// A screen pixel through a screen DC.
COLORREF screen_pixel(int x, int y);
// Writes a rectangle of the screen as a PNG file, for review by eye.
bool write_screen_png(int x, int y, int width, int height, const std::string& path);

// A headless host with a striped parent at (100, 100), 200 x 120, and an owner-drawn push
// button placeholder at (40, 30) in it, 30 x 20, id kButtonId. Like a dialog, the parent is
// hidden until its controls are set up.
class ButtonFixture {
public:
    static constexpr int kParentX = 100;
    static constexpr int kParentY = 100;
    static constexpr int kButtonX = 40;
    static constexpr int kButtonY = 30;
    static constexpr UINT kButtonId = 1005;

    enum class Pictures { Synthetic, Program };

    explicit ButtonFixture(Pictures pictures = Pictures::Synthetic);
    ~ButtonFixture();
    bool ready() const { return m_ready; }
    // Shows the parent and paints it with its controls.
    void show();

    // Runs everything queued, painting what needs it.
    static void drain();
    // Mouse events at screen points.
    void press(int x, int y);
    void move(int x, int y, bool held);
    void release(int x, int y);
    // Writes the screen as <snapshot folder>/controls-<name>.png for review by eye.
    void snapshot(const std::string& name) const;

    // The screen point of a point in the button's client area.
    static POINT on_button(int x, int y) {
        return {kParentX + kButtonX + x, kParentY + kButtonY + y};
    }

    std::unique_ptr<host::HeadlessHost> m_host;
    std::unique_ptr<host::ScopedInstall> m_install;
    gfxtest::ResourceTable m_resources;
    CStripedParent m_parent;
    HWND m_hPlaceholder = nullptr;

private:
    void mouse(host::EventType type, int x, int y, std::uint8_t buttons);
    bool m_ready = false;
};

// What the button shows at the chosen points of a picture: the parent's stripes where the
// picture is white, black at (2, 2) and the picture's colour in its block. A list of
// mismatches, empty when the picture of `picture` is shown.
std::vector<std::string> check_shows(UINT picture, int width = 24, int height = 24);
// True when the button's area shows the parent's stripes only.
std::vector<std::string> check_shows_background();

}  // namespace controlstest
