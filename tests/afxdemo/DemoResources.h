// DemoResources.h: the class-library demo's compiled resources (its dialog and icon).
#pragma once

#include "platform/win32/windef.h"

#include <string>

// Installs the demo's .res image as the program's module; the same handle while it stays
// installed. NULL, with the reason in *error when given, if the image is malformed.
HINSTANCE afxdemo_install_resources(std::string* error = nullptr);
