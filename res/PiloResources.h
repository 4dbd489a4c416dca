// PiloResources.h: the program's compiled resources (dialogs, pictures, icon, waves, strings).
#pragma once

#include "platform/win32/windef.h"

#include <cstddef>
#include <span>
#include <string>

// The .res image linked into the program: 16-byte aligned, alive for the whole run.
std::span<const std::byte> pilo_resource_image();

// Installs that image as the program's module (FindResourceA(NULL, ...), AfxGetResourceHandle)
// once; later calls make it the program's module again if another image took that role, and
// return the same handle while it stays installed. NULL, with the reason in *error when given,
// if the image is malformed.
HINSTANCE pilo_install_resources(std::string* error = nullptr);
