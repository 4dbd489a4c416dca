// ProgramRun.cpp: running the whole program once in a test and looking at its main window,
// board and screen.
#include "tests/app/ProgramRun.h"

#include "app/CGameApp.h"
#include "platform/launch/HeadlessRun.h"
#include "platform/launch/ProgramSetup.h"
#include "platform/win32/gdi/Snapshot.h"
#include "platform/win32/gdi/png/PngFile.h"
#include "platform/win32/kernel/ResourceModules.h"
#include "res/PiloResources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace probe {

Sight look(const std::string& message) {
    Sight s;
    // Message boxes carry the program's name too: the main window is the dialog object's.
    const CMainDialog* pMain = main_dialog();
    s.mainWindow = pMain != nullptr && ::IsWindowVisible(pMain->GetSafeHwnd());
    s.splash = find_splash() != nullptr;
    s.message = !message.empty() && shows_text(message);
    s.visibleWindows = visible_top_level_count();
    return s;
}

// The splash is topmost, so only the front window can be it: 512 x 384, centred on the screen.
HWND find_splash() {
    HWND front = front_window();
    const RECT r = window_rect(front), splash{64, 48, 576, 432};
    return front != nullptr && ::EqualRect(&r, &splash) ? front : nullptr;
}

CMainDialog* main_dialog() {
    return static_cast<CMainDialog*>(AfxGetMainWnd());
}

namespace {

// A copy of the program's resource image whose bitmaps of these ids are renamed to id + 0x7F00.
// Entries: data size, header size, type and name (0xFFFF then an ordinal), padded to 4 bytes.
std::vector<std::byte> image_without(const std::vector<UINT>& ids) {
    const std::span<const std::byte> real = pilo_resource_image();
    std::vector<std::byte> image(real.begin(), real.end());
    auto at = [&image](size_t i) {
        return std::to_integer<unsigned>(image[i]) | std::to_integer<unsigned>(image[i + 1]) << 8;
    };
    for (size_t i = 0; i + 16 <= image.size();) {
        const size_t data = at(i) | at(i + 2) << 16;
        const size_t header = at(i + 4) | at(i + 6) << 16;
        if (at(i + 8) == 0xFFFF && at(i + 10) == 2 && at(i + 12) == 0xFFFF &&
            std::find(ids.begin(), ids.end(), at(i + 14)) != ids.end()) {
            image[i + 15] = std::byte{0x7F};
        }
        i = (i + header + data + 3) & ~size_t{3};
    }
    return image;
}

void end_a_stuck_run(host::HeadlessHost& host, bool guard) {
    if (!guard) {
        return;
    }
    host.script_advance(10000);
    host.script_call([](host::HeadlessHost&) {
        if (visible_top_level_count() > 0) {
            ADD_FAILURE() << "the program is still running";
            PostQuitMessage(1);
        }
    });
}

RECT board_rect() {
    return client_rect(main_dialog()->m_boardWnd.GetSafeHwnd());
}

}  // namespace

int run(host::HeadlessHost& host, const std::vector<UINT>& missingBitmaps, bool guard) {
    end_a_stuck_run(host, guard);
    std::string error;
    if (missingBitmaps.empty()) {
        const int code = launch::run_headless(host, &error);
        EXPECT_NE(code, -1) << error;
        return code;
    }
    EXPECT_TRUE(launch::prepare_program(host, &error)) << error;
    const std::vector<std::byte> image = image_without(missingBitmaps);
    HINSTANCE patched = kernel::install_resource_image(image, kernel::ModuleRole::Program, &error);
    EXPECT_NE(patched, nullptr) << error;
    // The real image would stay reachable as an extra module: out with it for the run.
    for (HINSTANCE module : kernel::installed_modules()) {
        if (module != patched) {
            kernel::remove_resource_image(module);
        }
    }
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    int code = -1;
    {
        CGameApp app;
        code = AfxWinMain();
    }
    kernel::remove_resource_image(patched);
    pilo_install_resources();
    return code;
}

void script(host::HeadlessHost& host, const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        if (step.ms > 0) {
            host.script_advance(step.ms);
        }
        if (!step.acts.empty()) {
            host.script_call([acts = step.acts](host::HeadlessHost& h) {
                for (const Act& act : acts) {
                    act(h);
                }
            });
        }
    }
}

Act key(std::uint16_t vk, std::uint8_t modifiers, std::uint8_t ch) {
    return [=](host::HeadlessHost& h) { push_key(h, vk, modifiers, ch); };
}

Act on_item(int id, host::MouseButton button) {
    return [=](host::HeadlessHost& h) {
        const POINT p = centre_of(::GetDlgItem(main_dialog()->GetSafeHwnd(), id));
        push_mouse(h, p.x, p.y, button);
    };
}

Act on_cell(int row, int column, host::MouseButton button) {
    return [=](host::HeadlessHost& h) {
        push_mouse(h, board_rect().left + 16 + 28 * column, board_rect().top + 16 + 28 * row,
                   button);
    };
}

Act on_menu(int item, host::MouseButton button) {
    return [=](host::HeadlessHost& h) {
        HWND menu = find_class("#32768");
        ASSERT_NE(menu, nullptr) << "no popup menu";
        // Items stand one below the other inside a 3-pixel border.
        const RECT r = window_rect(menu);
        const int y = item >= 0 ? r.top + 3 + 18 * item + 9 : r.bottom - 3 - 9;
        push_mouse(h, (r.left + r.right) / 2, y, button);
    };
}

RECT piece_square(int x, int y) {
    const RECT board = board_rect();
    return RECT{board.left + x - 9, board.top + y - 9, board.left + x + 9, board.top + y + 9};
}

std::vector<std::uint32_t> piece_picture(int colour, int size) {
    int width = 0, height = 0;
    return gdi::snapshot_rgb(GetGameApp()->m_pieceSprites.m_pieceBitmaps[colour % 6 * 3 + size],
                             width, height);
}

std::string compare_golden(const host::HeadlessHost& host, const std::string& name) {
    const std::string golden = std::string(PILO_SOURCE_DIR) + "/tests/e2e/golden/" + name + ".png";
    const int width = host.width(), height = host.height();
    const std::vector<std::uint32_t> actual = grab(host, RECT{0, 0, width, height});
    const char* update = std::getenv("PILO_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        return gdi::png::write_rgb(golden, width, height, actual) ? "" : "cannot write " + golden;
    }
    int goldenWidth = 0, goldenHeight = 0;
    std::vector<std::uint32_t> expected;
    std::ostringstream out;
    if (!gdi::png::read_rgb(golden, goldenWidth, goldenHeight, expected)) {
        out << "cannot read " << golden << " (PILO_UPDATE_GOLDEN=1 writes it)";
    } else if (goldenWidth != width || goldenHeight != height) {
        out << name << ": golden is " << goldenWidth << " x " << goldenHeight << ", frame is "
            << width << " x " << height;
    } else {
        const auto rgb = [](std::uint32_t c) { return c & 0xFFFFFF; };
        std::size_t differing = 0, first = 0;
        for (std::size_t i = actual.size(); i-- > 0;) {
            if (rgb(actual[i]) != rgb(expected[i])) {
                ++differing;
                first = i;
            }
        }
        if (differing == 0) {
            return {};
        }
        const std::size_t w = static_cast<std::size_t>(width);
        out << name << ": first difference at (" << first % w << ", " << first / w << "): frame "
            << std::hex << rgb(actual[first]) << ", golden " << rgb(expected[first]) << std::dec
            << "; " << differing << " pixels differ";
    }
    const std::string actualPath = name + ".actual.png";
    if (gdi::png::write_rgb(actualPath, width, height, actual)) {
        out << "; the frame is in " << actualPath;
    }
    return out.str();
}

}  // namespace probe
