// afxresource.cpp: the current resource module and the search across modules.
#include "platform/afx/afxresource.h"

#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/winbase.h"

namespace {
HINSTANCE g_resource_handle = nullptr;
}

HINSTANCE AfxGetResourceHandle() {
    // A module removed since it was set no longer counts.
    if (g_resource_handle != nullptr && kernel::module_entries(g_resource_handle) != nullptr) {
        return g_resource_handle;
    }
    return kernel::program_instance();
}

void AfxSetResourceHandle(HINSTANCE resource) {
    g_resource_handle = resource;
}

HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type) {
    const HINSTANCE current = AfxGetResourceHandle();
    // The search must not leave a lookup's error behind for the caller's own FindResourceA.
    const DWORD saved_error = GetLastError();
    HINSTANCE found = nullptr;
    if (current != nullptr && FindResourceA(current, name, type) != nullptr) {
        found = current;
    }
    if (found == nullptr) {
        for (HINSTANCE module : kernel::installed_modules()) {
            if (module != current && FindResourceA(module, name, type) != nullptr) {
                found = module;
                break;
            }
        }
    }
    SetLastError(saved_error);
    return found != nullptr ? found : current;
}
