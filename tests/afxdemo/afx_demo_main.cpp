// afx_demo_main.cpp: the class-library demo on the desktop host.
#include "platform/host/sdl/SdlHost.h"
#include "tests/afxdemo/CDemoApp.h"
#include "tests/afxdemo/DemoSetup.h"

#include <cstdio>
#include <memory>
#include <string>

// The demo's one application object.
CDemoApp theApp;

int main() {
    // The host has said why when it cannot start.
    std::unique_ptr<host::SdlHost> sdl = host::SdlHost::create(host::settings_from_environment());
    if (!sdl) {
        return 1;
    }
    std::string error;
    if (!prepare_afx_demo(*sdl, &error)) {
        std::fprintf(stderr, "afx-demo: %s\n", error.c_str());
        host::install(nullptr);
        return 1;
    }
    const int code = AfxWinMain();
    host::install(nullptr);
    return code;
}
