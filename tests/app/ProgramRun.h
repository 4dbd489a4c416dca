// ProgramRun.h: running the whole program once in a test and looking at its main window, board
// and screen.
#pragma once

#include "app/CMainDialog.h"
#include "platform/host/headless/HeadlessHost.h"
#include "tests/app/ProgramProbe.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace probe {

// What a test saw of the program at one moment.
struct Sight {
    bool mainWindow = false;
    bool splash = false;
    bool message = false;  // a window shows the message looked for
    int visibleWindows = 0;
};
Sight look(const std::string& message = std::string());

// The splash window while it is up, else NULL.
HWND find_splash();
// The running main window's object, else NULL.
CMainDialog* main_dialog();

// Runs the program from its real start-up on host, with the program's bitmaps of these ids out
// of its resources as if missing, and returns its exit code. The script must end the program;
// with guard, a run still going ten seconds after its script is ended with a failure (a script
// that keeps adding steps bounds itself and passes no guard).
int run(host::HeadlessHost& host, const std::vector<UINT>& missingBitmaps = {}, bool guard = true);

// A script of steps: ms of virtual time pass, then the acts run one after the other in one
// step, queuing their input at once.
using Act = std::function<void(host::HeadlessHost&)>;
struct Step {
    int ms = 0;
    std::vector<Act> acts = {};
};
void script(host::HeadlessHost& host, const std::vector<Step>& steps);
// Acts: a key pressed and released; the mouse clicked with button (None: only moved) on the
// centre of a main window control, of a board cell, or of item i of the open popup menu (items
// 18 pixels tall; -1: the last item, below a separator).
Act key(std::uint16_t vk, std::uint8_t modifiers = 0, std::uint8_t ch = 0);
Act on_item(int id, host::MouseButton button = host::MouseButton::Left);
Act on_cell(int row, int column, host::MouseButton button = host::MouseButton::Left);
Act on_menu(int item, host::MouseButton button = host::MouseButton::Left);
inline const Act kEscape = key(VK_ESCAPE);
inline const Act kMouseAway = [](host::HeadlessHost& h) {
    push_mouse(h, 0, 0, host::MouseButton::None);
};

// The 18 x 18 square of a piece whose centre is (x, y) in board pixels, on the screen.
RECT piece_square(int x, int y);
// The large, medium or small picture of a piece colour in the current set, in COLORREF layout.
std::vector<std::uint32_t> piece_picture(int colour, int size);

// Compares the last frame with the golden picture `name` (tests/e2e/golden/<name>.png).
// With PILO_UPDATE_GOLDEN=1 in the environment the golden is rewritten from the frame.
// Returns a description of the mismatch, empty when the pictures agree; on a mismatch the
// frame is written as <name>.actual.png in the working directory.
std::string compare_golden(const host::HeadlessHost& host, const std::string& name);

}  // namespace probe
