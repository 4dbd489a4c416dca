// E2eSupport.cpp: running the whole program on the headless host and looking at its screen.
#include "tests/e2e/E2eSupport.h"

#include "app/CGameApp.h"
#include "platform/host/VirtualKeys.h"
#include "platform/launch/HeadlessRun.h"
#include "platform/win32/gdi/Snapshot.h"
#include "platform/win32/gdi/png/PngFile.h"
#include "platform/win32/user/WindowManager.h"
#include "tests/app/ProgramProbe.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#ifndef PILO_GOLDEN_DIR
#error "PILO_GOLDEN_DIR names the folder of the golden pictures"
#endif

namespace e2e {

int run_program(host::HeadlessHost& host, bool guard) {
    if (guard) {
        host.script_advance(60000);
        host.script_call([](host::HeadlessHost&) {
            if (probe::visible_top_level_count() > 0) {
                ADD_FAILURE() << "the program is still running after its script";
                PostQuitMessage(1);
            }
        });
    }
    std::string error;
    const int code = launch::run_headless(host, &error);
    EXPECT_NE(code, -1) << error;
    return code;
}

POINT cell_point(int row, int column) {
    const RECT board = probe::client_rect(main_dialog()->m_boardWnd.GetSafeHwnd());
    return POINT{board.left + 16 + 28 * column, board.top + 16 + 28 * row};
}

POINT centre_of(HWND hwnd) {
    const RECT r = probe::window_rect(hwnd);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void push_move(host::HeadlessHost& host, int x, int y) {
    host::Event e;
    e.type = host::EventType::MouseMove;
    e.x = x;
    e.y = y;
    host.push_event(e);
}

void push_right_click(host::HeadlessHost& host, int x, int y) {
    push_move(host, x, y);
    host::Event e;
    e.x = x;
    e.y = y;
    e.button = host::MouseButton::Right;
    e.type = host::EventType::MouseDown;
    e.buttons = host::kButtonRight;
    host.push_event(e);
    e.type = host::EventType::MouseUp;
    e.buttons = 0;
    host.push_event(e);
}

void push_alt_space(host::HeadlessHost& host) {
    host::Event e;
    e.type = host::EventType::KeyDown;
    e.vk = host::vk::kSpace;
    e.ch = ' ';
    e.modifiers = host::kModAlt;
    host.push_event(e);
    e.type = host::EventType::KeyUp;
    e.ch = 0;
    host.push_event(e);
}

std::vector<std::uint32_t> grab(const host::HeadlessHost& host, const RECT& screen) {
    std::vector<std::uint32_t> px;
    for (int y = screen.top; y < screen.bottom; ++y) {
        for (int x = screen.left; x < screen.right; ++x) {
            px.push_back(host.colorref_at(x, y));
        }
    }
    return px;
}

std::vector<std::uint32_t> bitmap_pixels(HBITMAP bitmap) {
    int width = 0;
    int height = 0;
    return gdi::snapshot_rgb(bitmap, width, height);
}

RECT piece_square(int x, int y) {
    const RECT board = probe::client_rect(main_dialog()->m_boardWnd.GetSafeHwnd());
    return RECT{board.left + x - 9, board.top + y - 9, board.left + x + 9, board.top + y + 9};
}

std::vector<std::uint32_t> piece_picture(int colour, int size) {
    return bitmap_pixels(GetGameApp()->m_pieceSprites.m_pieceBitmaps[colour % 6 * 3 + size]);
}

HWND popup_menu() {
    for (HWND hwnd : user::top_level_windows()) {
        const user::Window* w = user::find_window(hwnd);
        if (w != nullptr && (w->style & WS_VISIBLE) != 0 && w->window_class != nullptr &&
            w->window_class->name == "#32768") {
            return hwnd;
        }
    }
    return nullptr;
}

RECT menu_item(HWND menu, int i, int height) {
    // Items stand one below the other inside a 3-pixel border.
    const RECT r = probe::window_rect(menu);
    return RECT{r.left + 3, r.top + 3 + height * i, r.right - 3, r.top + 3 + height * (i + 1)};
}

std::string compare_golden(const host::HeadlessHost& host, const std::string& name) {
    const std::string golden = std::string(PILO_GOLDEN_DIR) + "/" + name + ".png";
    const int width = host.width();
    const int height = host.height();
    const std::vector<std::uint32_t> actual = grab(host, RECT{0, 0, width, height});
    const char* update = std::getenv("PILO_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        if (!gdi::png::write_rgb(golden, width, height, actual)) {
            return "cannot write " + golden;
        }
        std::printf("updated %s\n", golden.c_str());
        return {};
    }
    int goldenWidth = 0;
    int goldenHeight = 0;
    std::vector<std::uint32_t> expected;
    std::ostringstream out;
    if (!gdi::png::read_rgb(golden, goldenWidth, goldenHeight, expected)) {
        out << "cannot read " << golden << " (PILO_UPDATE_GOLDEN=1 writes it)";
    } else if (goldenWidth != width || goldenHeight != height) {
        out << name << ": golden is " << goldenWidth << " x " << goldenHeight << ", frame is "
            << width << " x " << height;
    } else {
        int differing = 0;
        for (size_t i = 0; i < actual.size(); ++i) {
            if ((actual[i] & 0xFFFFFF) == (expected[i] & 0xFFFFFF)) {
                continue;
            }
            if (differing == 0) {
                out << name << ": first difference at (" << i % static_cast<size_t>(width) << ", "
                    << i / static_cast<size_t>(width) << "): frame " << std::hex
                    << (actual[i] & 0xFFFFFF) << ", golden " << (expected[i] & 0xFFFFFF)
                    << std::dec;
            }
            ++differing;
        }
        if (differing == 0) {
            return {};
        }
        out << "; " << differing << " pixels differ";
    }
    const std::string actualPath = name + ".actual.png";
    if (gdi::png::write_rgb(actualPath, width, height, actual)) {
        out << "; the frame is in " << actualPath;
    }
    return out.str();
}

}  // namespace e2e
