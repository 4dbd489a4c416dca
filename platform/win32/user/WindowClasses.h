// WindowClasses.h: the class table behind RegisterClassA.
#pragma once

#include "platform/win32/user/WindowManager.h"

namespace user {

// The class named `name` (a string, or an atom as MAKEINTATOM gives it); null when unknown.
WindowClass* find_class(LPCSTR name);

// Registers a class of the system itself under a fixed atom ("Button" 0x80, "Static" 0x82,
// "#32770" 0x8002). False when the name or the atom is taken.
bool register_system_class(const WNDCLASSA& wc, ATOM atom);

// Registers the system's classes once; find_class calls it, so they exist before any use.
void register_system_classes();

}  // namespace user
