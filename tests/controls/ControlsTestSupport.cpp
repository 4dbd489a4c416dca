// ControlsTestSupport.cpp: a striped parent window, picture resources and pixel reading for the
// picture-button tests.
#include "tests/controls/ControlsTestSupport.h"

#include "platform/win32/gdi/Screen.h"
#include "platform/win32/gdi/Snapshot.h"
#include "res/PiloResources.h"
#include "tests/dib/DibBytes.h"

#include <cctype>
#include <sstream>

namespace controlstest {

namespace {

constexpr COLORREF kTeal = RGB(0, 128, 128);
constexpr COLORREF kOlive = RGB(128, 128, 0);
constexpr int kStripe = 3;

// The 16 standard colours in their usual order; 0 black, 15 white.
constexpr COLORREF kStandard[16] = {
    RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
    RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
    RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
    RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255),
};
constexpr std::uint8_t kBlackIndex = 0;
constexpr std::uint8_t kWhiteIndex = 15;

std::uint8_t index_of(COLORREF colour) {
    for (std::uint8_t i = 0; i < 16; ++i) {
        if (kStandard[i] == colour) {
            return i;
        }
    }
    return kWhiteIndex;
}

// Each picture's 6 x 6 block lies elsewhere, so a picture left over from an earlier state
// shows where the current one is white.
POINT block_origin(UINT picture) {
    switch (picture) {
        case kBluePicture:
            return {14, 6};
        case kLimePicture:
            return {6, 14};
        case kFuchsiaPicture:
            return {14, 14};
        default:
            return {6, 6};
    }
}

bool in_block(UINT picture, int x, int y) {
    const POINT o = block_origin(picture);
    return x >= o.x && x < o.x + 6 && y >= o.y && y < o.y + 6;
}

std::vector<std::uint8_t> picture_dib(UINT picture, int width, int height) {
    dibtest::InfoFields f;
    f.width = width;
    f.height = height;
    f.bpp = 4;
    dibtest::Bytes dib = dibtest::info_header(f);
    for (COLORREF c : kStandard) {
        dib.quad(GetRValue(c), GetGValue(c), GetBValue(c));
    }
    const int stride = ((width * 4 + 31) / 32) * 4;
    for (int y = height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(stride), 0);
        for (int x = 0; x < width; ++x) {
            std::uint8_t index = kWhiteIndex;
            if (x == 2 && y == 2) {
                index = kBlackIndex;
            } else if (in_block(picture, x, y)) {
                index = index_of(colour_of(picture));
            }
            row[static_cast<std::size_t>(x / 2)] |=
                static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
        dib.append(row);
    }
    return dib.data();
}

std::string describe(const char* what, int x, int y, COLORREF got, COLORREF expected) {
    std::ostringstream out;
    out << what << " at (" << x << ", " << y << "): got 0x" << std::hex << got << ", expected 0x"
        << expected;
    return out.str();
}

}  // namespace

COLORREF colour_of(UINT picture) {
    switch (picture) {
        case kRedPicture:
        case kSmallPicture:
            return RGB(255, 0, 0);
        case kBluePicture:
            return RGB(0, 0, 255);
        case kLimePicture:
            return RGB(0, 255, 0);
        case kFuchsiaPicture:
            return RGB(255, 0, 255);
        default:
            return CLR_INVALID;
    }
}

void add_pictures(gfxtest::ResourceTable& table) {
    for (UINT id : {kRedPicture, kBluePicture, kLimePicture, kFuchsiaPicture}) {
        table.add_bitmap(static_cast<WORD>(id), picture_dib(id, 24, 24));
    }
    table.add_bitmap(static_cast<WORD>(kSmallPicture), picture_dib(kSmallPicture, 16, 10));
}

BEGIN_MESSAGE_MAP(CStripedParent, CWnd)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

COLORREF CStripedParent::stripe_at(int client_x) {
    return (client_x / kStripe) % 2 == 0 ? kTeal : kOlive;
}

BOOL CStripedParent::CreateAt(int x, int y, int width, int height) {
    LPCSTR lpszClass = AfxRegisterWndClass(0, nullptr, nullptr, nullptr);
    return CreateEx(0, lpszClass, "", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr, nullptr);
}

LRESULT CStripedParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORBTN && m_bColoursButtons) {
        HDC hdc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(hdc, RGB(255, 0, 0));
        ::SetBkColor(hdc, RGB(192, 192, 192));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_3DFACE));
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

BOOL CStripedParent::OnCommand(WPARAM wParam, LPARAM lParam) {
    Command command{LOWORD(wParam), HIWORD(wParam), FALSE, CLR_INVALID};
    if (m_pWatchedCheck != nullptr) {
        command.checked_then = *m_pWatchedCheck;
        command.centre_then = screen_pixel(m_watchedCentre.x, m_watchedCentre.y);
    }
    m_commands.push_back(command);
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CStripedParent::OnEraseBkgnd(CDC* pDC) {
    ++m_nErases;
    CRect client;
    GetClientRect(&client);
    for (int x = 0; x < client.right; x += kStripe) {
        CBrush brush(stripe_at(x));
        CRect stripe(x, 0, x + kStripe, client.bottom);
        pDC->FillRect(&stripe, &brush);
    }
    return TRUE;
}

COLORREF screen_pixel(int x, int y) {
    HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

ButtonFixture::ButtonFixture(Pictures pictures) {
    m_host = std::make_unique<host::HeadlessHost>();
    m_install = std::make_unique<host::ScopedInstall>(*m_host);
    if (!gdi::configure_screen(8)) {
        return;
    }
    if (pictures == Pictures::Program) {
        if (pilo_install_resources() == nullptr) {
            return;
        }
    } else {
        add_pictures(m_resources);
        if (!m_resources.install()) {
            return;
        }
    }
    if (!m_parent.CreateAt(kParentX, kParentY, 200, 120)) {
        return;
    }
    m_hPlaceholder = ::CreateWindowExA(
        0, "BUTTON", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW | BS_NOTIFY, kButtonX,
        kButtonY, 30, 20, m_parent.m_hWnd,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kButtonId)), nullptr, nullptr);
    m_ready = m_hPlaceholder != nullptr;
}

void ButtonFixture::show() {
    m_parent.ShowWindow(SW_SHOW);
    m_parent.UpdateWindow();
    drain();
}

ButtonFixture::~ButtonFixture() {
    if (m_parent.m_hWnd != nullptr) {
        m_parent.DestroyWindow();
    }
    drain();
}

void ButtonFixture::drain() {
    MSG m;
    for (int i = 0; i < 1000 && ::PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
        ::DispatchMessageA(&m);
    }
}

void ButtonFixture::mouse(host::EventType type, int x, int y, std::uint8_t buttons) {
    host::Event e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.button =
        type == host::EventType::MouseMove ? host::MouseButton::None : host::MouseButton::Left;
    e.buttons = buttons;
    m_host->push_event(e);
    drain();
}

void ButtonFixture::snapshot(const std::string& name) const {
    std::string file;
    for (char c : name) {
        file += std::isalnum(static_cast<unsigned char>(c)) ? c : '-';
    }
    write_screen_png(kParentX, kParentY, 200, 120,
                     std::string(PILO_SNAPSHOT_DIR "/controls-") + file + ".png");
}

bool write_screen_png(int x, int y, int width, int height, const std::string& path) {
    HDC screen = ::GetDC(nullptr);
    HBITMAP copy = ::CreateCompatibleBitmap(screen, width, height);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, copy);
    ::BitBlt(dc, 0, 0, width, height, screen, x, y, SRCCOPY);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    const bool written = gdi::write_png(copy, path);
    ::DeleteObject(copy);
    return written;
}

void ButtonFixture::press(int x, int y) {
    mouse(host::EventType::MouseMove, x, y, 0);
    mouse(host::EventType::MouseDown, x, y, host::kButtonLeft);
}

void ButtonFixture::move(int x, int y, bool held) {
    mouse(host::EventType::MouseMove, x, y, held ? host::kButtonLeft : 0);
}

void ButtonFixture::release(int x, int y) {
    mouse(host::EventType::MouseUp, x, y, 0);
}

std::vector<std::string> check_shows(UINT picture, int width, int height) {
    struct Point {
        const char* what;
        int x, y;
    };
    const Point points[] = {
        {"corner", 0, 0},      {"right edge", width - 1, 5}, {"bottom edge", 5, height - 1},
        {"black dot", 2, 2},   {"red block", 8, 8},          {"blue block", 16, 8},
        {"lime block", 8, 16}, {"fuchsia block", 16, 16},
    };
    std::vector<std::string> wrong;
    for (const Point& p : points) {
        COLORREF expected = CStripedParent::stripe_at(ButtonFixture::kButtonX + p.x);
        if (p.x < width && p.y < height) {
            if (p.x == 2 && p.y == 2) {
                expected = RGB(0, 0, 0);
            } else if (in_block(picture, p.x, p.y)) {
                expected = colour_of(picture);
            }
        }
        const POINT s = ButtonFixture::on_button(p.x, p.y);
        const COLORREF got = screen_pixel(s.x, s.y);
        if (got != expected) {
            wrong.push_back(describe(p.what, p.x, p.y, got, expected));
        }
    }
    return wrong;
}

std::vector<std::string> check_shows_background() {
    std::vector<std::string> wrong;
    for (int y = 0; y < 24; y += 3) {
        for (int x = 0; x < 24; x += 1) {
            const POINT s = ButtonFixture::on_button(x, y);
            const COLORREF got = screen_pixel(s.x, s.y);
            const COLORREF expected = CStripedParent::stripe_at(ButtonFixture::kButtonX + x);
            if (got != expected) {
                wrong.push_back(describe("background", x, y, got, expected));
            }
        }
    }
    return wrong;
}

}  // namespace controlstest
