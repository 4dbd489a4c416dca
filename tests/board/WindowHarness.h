// WindowHarness.h: the board and the side panels on a plain parent window, on the headless host.
#pragma once

#include "app/CGameApp.h"
#include "game/CBoardWnd.h"
#include "panels/CPreviewWnd.h"
#include "panels/CScoreWnd.h"
#include "platform/host/headless/HeadlessHost.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace boardtest {

// Where the controls stand on the screen: the parent is a frameless popup at (0, 0).
inline constexpr POINT kPreviewAt = {10, 6};
inline constexpr POINT kScoreAt = {120, 6};
inline constexpr POINT kBoardAt = {10, 50};
inline constexpr UINT kPreviewId = 1000;
inline constexpr UINT kScoreId = 1001;
inline constexpr UINT kBoardId = 1004;
// What the parent erases with, so a control's untouched area is recognisable.
inline constexpr COLORREF kParentColour = RGB(0, 0, 255);

// An application object that never runs start-up.
class TestApp : public CGameApp {};

// A whole-screen picture taken through the screen DC, in COLORREF layout.
struct ScreenShot {
    std::vector<std::uint32_t> pixels;
    int width = 0;
    int height = 0;
    COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
};
ScreenShot take_screenshot();

// The pixels of a bitmap, width x height, top row first.
ScreenShot bitmap_pixels(HBITMAP bitmap);

// Describes where `shot` differs from `picture` placed with its top-left at (x, y); empty when
// every pixel matches.
std::string compare_picture(const ScreenShot& shot, HBITMAP picture, int x, int y);

// The program's resources and an application object with piece set 1, then a parent window
// holding three placeholder children that the controls subclass, as the main window does.
class WindowHarness {
public:
    explicit WindowHarness(host::Settings settings = {});
    ~WindowHarness();
    WindowHarness(const WindowHarness&) = delete;
    WindowHarness& operator=(const WindowHarness&) = delete;

    // Empty when the set-up worked, else why not.
    const std::string& error() const { return m_error; }

    // Subclasses the placeholders, gives the board its partners and prepares the panels.
    void attach();
    // Delivers every queued message.
    void pump();
    // Delivers one timer tick to the board, as its timer would.
    void tick();

    HBITMAP piece_image(int colour, int size) const;

    host::HeadlessHost m_host;
    std::unique_ptr<TestApp> m_app;
    CWnd m_parent;
    CBoardWnd m_board;
    CPreviewWnd m_preview;
    CScoreWnd m_score;

private:
    HWND add_placeholder(UINT id, POINT at, int width, int height);

    std::string m_error;
    HBRUSH m_parentBrush = nullptr;
};

}  // namespace boardtest
