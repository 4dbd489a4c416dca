// ProgramSetup.cpp: what every launcher does before the program starts.
#include "platform/launch/ProgramSetup.h"

#include "platform/win32/gdi/Screen.h"
#include "res/PiloResources.h"

namespace launch {

bool prepare_program(host::Host& host, std::string* error) {
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
    if (pilo_install_resources(&reason) == nullptr) {
        if (error != nullptr) {
            *error = "the program's resources are unusable: " + reason;
        }
        return false;
    }
    return true;
}

}  // namespace launch
