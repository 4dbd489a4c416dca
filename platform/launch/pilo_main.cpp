// pilo_main.cpp: the game on the desktop host.
#include "app/CGameApp.h"
#include "platform/host/sdl/SdlHost.h"
#include "platform/launch/ProgramSetup.h"

#include <cstdio>
#include <string>

// The program's one application object.
CGameApp theApp;

int main() {
    // The host has said why when it cannot start.
    std::unique_ptr<host::SdlHost> sdl = host::SdlHost::create(host::settings_from_environment());
    if (!sdl) {
        return 1;
    }
    std::string error;
    if (!launch::prepare_program(*sdl, &error)) {
        std::fprintf(stderr, "pilo: %s\n", error.c_str());
        host::install(nullptr);
        return 1;
    }
    const int code = AfxWinMain();
    host::install(nullptr);
    return code;
}
