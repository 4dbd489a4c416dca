// WindowHarness.cpp: the board and the side panels on a plain parent window, on the headless host.
#include "tests/board/WindowHarness.h"

#include "platform/win32/gdi/Screen.h"
#include "platform/win32/gdi/Snapshot.h"
#include "res/PiloResources.h"

#include <sstream>

namespace boardtest {

namespace {

constexpr const char* kPlaceholderClass = "PiloTestPlaceholder";

}  // namespace

ScreenShot take_screenshot() {
    ScreenShot shot;
    HDC screen = GetDC(nullptr);
    shot.pixels = gdi::snapshot_rgb(screen, shot.width, shot.height);
    ReleaseDC(nullptr, screen);
    return shot;
}

ScreenShot bitmap_pixels(HBITMAP bitmap) {
    ScreenShot shot;
    shot.pixels = gdi::snapshot_rgb(bitmap, shot.width, shot.height);
    return shot;
}

std::string compare_picture(const ScreenShot& shot, HBITMAP picture, int x, int y) {
    const ScreenShot image = bitmap_pixels(picture);
    if (image.width == 0) {
        return "no picture";
    }
    std::ostringstream out;
    int mismatches = 0;
    for (int dy = 0; dy < image.height; ++dy) {
        for (int dx = 0; dx < image.width; ++dx) {
            const COLORREF got = shot.at(x + dx, y + dy);
            const COLORREF want = image.at(dx, dy);
            if (got != want && mismatches++ < 3) {
                out << "(" << x + dx << ", " << y + dy << "): got 0x" << std::hex << got
                    << ", expected 0x" << want << std::dec << "; ";
            }
        }
    }
    if (mismatches > 0) {
        out << mismatches << " pixels differ";
    }
    return out.str();
}

WindowHarness::WindowHarness(host::Settings settings) : m_host(settings) {
    host::install(&m_host);
    if (!gdi::configure_screen(m_host.settings().display_bpp,
                               static_cast<int>(m_host.settings().driver_version))) {
        m_error = "the display mode cannot be set";
        return;
    }
    if (pilo_install_resources(&m_error) == nullptr) {
        return;
    }
    m_app = std::make_unique<TestApp>();
    if (!m_app->m_pieceSprites.LoadPieceSet(1)) {
        m_error = "piece set 1 cannot be loaded";
        return;
    }
    WNDCLASSA wc{};
    if (!GetClassInfoA(nullptr, kPlaceholderClass, &wc)) {
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = kPlaceholderClass;
        if (RegisterClassA(&wc) == 0) {
            m_error = "no placeholder class";
            return;
        }
    }
    m_parentBrush = CreateSolidBrush(kParentColour);
    LPCSTR parentClass = AfxRegisterWndClass(0, nullptr, m_parentBrush);
    if (parentClass == nullptr || !m_parent.CreateEx(0, parentClass, "", WS_POPUP | WS_VISIBLE, 0,
                                                     0, 640, 480, nullptr, nullptr)) {
        m_error = "no parent window";
        return;
    }
    if (add_placeholder(kPreviewId, kPreviewAt, 100, 38) == nullptr ||
        add_placeholder(kScoreId, kScoreAt, 84, 40) == nullptr ||
        add_placeholder(kBoardId, kBoardAt, 368, 368) == nullptr) {
        m_error = "no placeholders";
    }
}

WindowHarness::~WindowHarness() {
    if (m_parent.GetSafeHwnd() != nullptr) {
        m_parent.DestroyWindow();
    }
    pump();
    m_app.reset();
    host::install(nullptr);
    if (m_parentBrush != nullptr) {
        DeleteObject(m_parentBrush);
    }
}

HWND WindowHarness::add_placeholder(UINT id, POINT at, int width, int height) {
    return CreateWindowExA(0, kPlaceholderClass, "Static", WS_CHILD | WS_VISIBLE, at.x, at.y, width,
                           height, m_parent.GetSafeHwnd(),
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
}

void WindowHarness::attach() {
    m_board.SubclassDlgItem(kBoardId, &m_parent);
    m_preview.SubclassDlgItem(kPreviewId, &m_parent);
    m_score.SubclassDlgItem(kScoreId, &m_parent);
    m_board.m_pPreview = &m_preview;
    m_board.m_pScore = &m_score;
    m_score.PrepareImages();
    m_preview.PrepareImages();
    pump();
}

void WindowHarness::pump() {
    MSG msg;
    for (int i = 0; i < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        DispatchMessageA(&msg);
    }
    // What the framework's loop does when it goes idle: temporary objects for handles that
    // came with messages (the DC of WM_ERASEBKGND) are freed.
    CWnd::DeleteTempMap();
}

void WindowHarness::tick() {
    m_board.SendMessage(WM_TIMER, CBoardWnd::s_nTimerId, 0);
}

HBITMAP WindowHarness::piece_image(int colour, int size) const {
    return static_cast<HBITMAP>(
        m_app->m_pieceSprites.m_pieceBitmaps[colour * 3 + size].GetSafeHandle());
}

}  // namespace boardtest
