// E2eSupport.h: running the whole program on the headless host and looking at its screen.
#pragma once

#include "app/CMainDialog.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"
#include "tests/app/ProgramRun.h"

#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// Runs the program from its real start-up to its end and returns its exit code. The script
// must end the program; with guard, a run still going a minute after its script is ended with
// a failure (a script that keeps adding steps bounds itself and passes no guard).
int run_program(host::HeadlessHost& host, bool guard = true);

// The main window during its modal run, or null.
using probe::main_dialog;

// Screen point of the centre of a board cell, and of a window's centre.
POINT cell_point(int row, int column);
POINT centre_of(HWND hwnd);

// Input queued at once from inside a script step.
void push_move(host::HeadlessHost& host, int x, int y);
void push_right_click(host::HeadlessHost& host, int x, int y);
void push_alt_space(host::HeadlessHost& host);

// A rectangle of the last frame in COLORREF layout, row by row.
std::vector<std::uint32_t> grab(const host::HeadlessHost& host, const RECT& screen);
// A bitmap's pixels in COLORREF layout, as shown through the current system palette.
std::vector<std::uint32_t> bitmap_pixels(HBITMAP bitmap);

// The 18 x 18 square of a piece whose centre is (x, y) in board pixels, on the screen.
RECT piece_square(int x, int y);
// The large, medium or small picture of a piece colour in the current set.
std::vector<std::uint32_t> piece_picture(int colour, int size);

// The popup menu window on the screen (class "#32768"), or null.
HWND popup_menu();
// Screen rectangle of item i of an open popup menu whose items are all `height` tall.
RECT menu_item(HWND menu, int i, int height);

// Compares the last frame with the golden picture `name` (tests/e2e/golden/<name>.png).
// With PILO_UPDATE_GOLDEN=1 in the environment the golden is rewritten from the frame.
// Returns a description of the mismatch, empty when the pictures agree; on a mismatch the
// frame is written as <name>.actual.png in the working directory.
std::string compare_golden(const host::HeadlessHost& host, const std::string& name);

}  // namespace e2e
