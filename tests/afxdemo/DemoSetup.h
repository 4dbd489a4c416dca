// DemoSetup.h: what the demo's launchers do before the application object starts.
#pragma once

#include "platform/host/Host.h"

#include <string>

// Installs host, sets the emulated display to the mode its settings name and installs the
// demo's resources. False, with the reason in *error when given, when either fails.
bool prepare_afx_demo(host::Host& host, std::string* error = nullptr);
