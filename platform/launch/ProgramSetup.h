// ProgramSetup.h: what every launcher does before the program starts.
#pragma once

#include "platform/host/Host.h"

#include <string>

namespace launch {

// Installs host as the current host, sets the emulated display to the mode its settings
// name and installs the program's resources. False, with the reason in *error when given,
// when the display mode or the resources cannot be had; the host stays installed.
bool prepare_program(host::Host& host, std::string* error = nullptr);

}  // namespace launch
