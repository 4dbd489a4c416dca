// afxresource.h: the class library's current resource module.
#pragma once

#include "platform/win32/windef.h"

// The module resources are loaded from: the one set with AfxSetResourceHandle, else the
// program's own.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE resource);

// The module that holds resource `name` of `type`: the current resource module first, then
// the program's, then every other installed module; the current resource module when none does.
HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type);
