// winbase.h: kernel services of the stand-in: last error, global memory, MulDiv, resources.
#pragma once

#include "platform/win32/windef.h"

#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)

#define ERROR_SUCCESS 0
#define ERROR_INVALID_HANDLE 6
#define ERROR_NOT_ENOUGH_MEMORY 8
#define ERROR_INVALID_PARAMETER 87
#define ERROR_RESOURCE_DATA_NOT_FOUND 1812
#define ERROR_RESOURCE_TYPE_NOT_FOUND 1813
#define ERROR_RESOURCE_NAME_NOT_FOUND 1814
#define ERROR_INVALID_WINDOW_HANDLE 1400

#ifndef RC_INVOKED

DWORD GetLastError();
void SetLastError(DWORD error);

// a x b / c in 64 bits, rounded half away from zero; c = 0 gives -1.
int MulDiv(int a, int b, int c);

// Movable global memory: a block is a handle until locked; the lock count nests.
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
LPVOID GlobalLock(HGLOBAL mem);
BOOL GlobalUnlock(HGLOBAL mem);
HGLOBAL GlobalFree(HGLOBAL mem);
SIZE_T GlobalSize(HGLOBAL mem);
// Number of global memory blocks alive (tests use it to prove nothing leaks).
std::size_t GlobalAliveCountForTest();

#endif  // RC_INVOKED

// ---------------------------------------------------------------------------------------------
// Resources
// ---------------------------------------------------------------------------------------------

#ifndef RC_INVOKED

// Predefined resource types, integer names as the platform numbers them.
#define RT_CURSOR MAKEINTRESOURCEA(1)
#define RT_BITMAP MAKEINTRESOURCEA(2)
#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_MENU MAKEINTRESOURCEA(4)
#define RT_DIALOG MAKEINTRESOURCEA(5)
#define RT_STRING MAKEINTRESOURCEA(6)
#define RT_RCDATA MAKEINTRESOURCEA(10)
#define RT_GROUP_CURSOR MAKEINTRESOURCEA(12)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)

// Finds resource `name` of `type` in a module (NULL: the program). Both may be integer names
// (MAKEINTRESOURCE) or strings; strings compare without regard to case, and "#123" names the
// integer 123. NULL with ERROR_RESOURCE_TYPE_NOT_FOUND / ERROR_RESOURCE_NAME_NOT_FOUND.
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
// The resource's data. It stays valid as long as the module; nothing needs freeing.
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Resource memory goes with its module: this only answers FALSE, as the 32-bit platform does.
BOOL FreeResource(HGLOBAL data);

#endif  // RC_INVOKED
