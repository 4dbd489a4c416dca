// HeadlessRun.cpp: the real program run once on a headless host, for tests and the demo.
#include "platform/launch/HeadlessRun.h"

#include "app/CGameApp.h"
#include "platform/launch/ProgramSetup.h"

namespace launch {

int run_headless(host::HeadlessHost& host, std::string* error) {
    if (!prepare_program(host, error)) {
        return -1;
    }
    // A run before this one may have left messages behind, such as the quit message its main
    // window posted as it went; a fresh process starts with an empty queue.
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    CGameApp app;
    return AfxWinMain();
}

}  // namespace launch
