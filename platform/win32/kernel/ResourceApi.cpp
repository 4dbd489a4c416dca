// ResourceApi.cpp: FindResourceA, LoadResource, LockResource, SizeofResource, FreeResource.
#include "platform/win32/kernel/ResourceModules.h"
#include "platform/win32/winbase.h"

using kernel::ResourceEntry;

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    const ResourceEntry* e = kernel::find_resource_entry(module, name, type);
    if (e == nullptr) {
        return nullptr;
    }
    return kernel::make_resource_handle(module, e);
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
    const ResourceEntry* e = kernel::lookup_resource_handle(module, resource);
    if (e == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    // As on the 32-bit platform the handle is the address of the data in the mapped image.
    return const_cast<std::byte*>(e->data.data());
}

LPVOID LockResource(HGLOBAL data) {
    if (data == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return data;
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
    const ResourceEntry* e = kernel::lookup_resource_handle(module, resource);
    if (e == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return static_cast<DWORD>(e->data.size());
}

BOOL FreeResource(HGLOBAL) {
    return FALSE;
}
