// DemoSetup.cpp: what the demo's launchers do before the application object starts.
#include "tests/afxdemo/DemoSetup.h"

#include "platform/win32/gdi/Screen.h"
#include "tests/afxdemo/DemoResources.h"

bool prepare_afx_demo(host::Host& host, std::string* error) {
    host::install(&host);
    const host::Settings& settings = host.settings();
    if (!gdi::configure_screen(settings.display_bpp, static_cast<int>(settings.driver_version))) {
        if (error != nullptr) {
            *error = "the display cannot run with " + std::to_string(settings.display_bpp) +
                     " bits per pixel";
        }
        return false;
    }
    std::string reason;
    if (afxdemo_install_resources(&reason) == nullptr) {
        if (error != nullptr) {
            *error = "the demo's resources are unusable: " + reason;
        }
        return false;
    }
    return true;
}
