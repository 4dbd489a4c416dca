// ProgramRun.h: running the whole program once in a test and looking at its windows.
#pragma once

#include "app/CMainDialog.h"
#include "platform/host/headless/HeadlessHost.h"

#include <string>
#include <vector>

namespace probe {

// The splash picture is 512 x 384, centred on the 640 x 480 screen.
inline constexpr RECT kSplashRect{64, 48, 576, 432};

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

// Runs the program once on host; a run that its script did not end is ended, so a fault
// cannot hang the test. Returns the exit code.
int run(host::HeadlessHost& host);
// The same with the program's bitmaps of these ids out of its resources, as if missing.
int run(host::HeadlessHost& host, const std::vector<UINT>& missingBitmaps);

}  // namespace probe
