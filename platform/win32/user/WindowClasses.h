// WindowClasses.h: the class table behind RegisterClassA.
#pragma once

#include "platform/win32/user/WindowManager.h"

namespace user {

// The class named `name` (a string, or an atom as MAKEINTATOM gives it); null when unknown.
WindowClass* find_class(LPCSTR name);

}  // namespace user
