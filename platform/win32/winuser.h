// winuser.h: the window manager (USER) of the stand-in: styles, dialog constants, resources.
// Preprocessor-friendly: the resource script includes it, and under RC_INVOKED it sees only
// #define lines of plain numbers.
#pragma once

#include "platform/win32/windef.h"

// ---------------------------------------------------------------------------------------------
// Window styles
// ---------------------------------------------------------------------------------------------

#define WS_OVERLAPPED 0x00000000
#define WS_POPUP 0x80000000
#define WS_CHILD 0x40000000
#define WS_MINIMIZE 0x20000000
#define WS_VISIBLE 0x10000000
#define WS_DISABLED 0x08000000
#define WS_CLIPSIBLINGS 0x04000000
#define WS_CLIPCHILDREN 0x02000000
#define WS_MAXIMIZE 0x01000000
#define WS_CAPTION 0x00C00000  // WS_BORDER | WS_DLGFRAME
#define WS_BORDER 0x00800000
#define WS_DLGFRAME 0x00400000
#define WS_VSCROLL 0x00200000
#define WS_HSCROLL 0x00100000
#define WS_SYSMENU 0x00080000
#define WS_THICKFRAME 0x00040000
#define WS_GROUP 0x00020000
#define WS_TABSTOP 0x00010000
#define WS_MINIMIZEBOX 0x00020000
#define WS_MAXIMIZEBOX 0x00010000
#define WS_OVERLAPPEDWINDOW \
    (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define WS_POPUPWINDOW (WS_POPUP | WS_BORDER | WS_SYSMENU)

// ---------------------------------------------------------------------------------------------
// Extended window styles
// ---------------------------------------------------------------------------------------------

#define WS_EX_DLGMODALFRAME 0x00000001
#define WS_EX_NOPARENTNOTIFY 0x00000004
#define WS_EX_TOPMOST 0x00000008
#define WS_EX_ACCEPTFILES 0x00000010
#define WS_EX_TRANSPARENT 0x00000020
#define WS_EX_TOOLWINDOW 0x00000080
#define WS_EX_WINDOWEDGE 0x00000100
#define WS_EX_CLIENTEDGE 0x00000200
#define WS_EX_CONTEXTHELP 0x00000400
#define WS_EX_RIGHT 0x00001000
#define WS_EX_CONTROLPARENT 0x00010000
#define WS_EX_STATICEDGE 0x00020000
#define WS_EX_APPWINDOW 0x00040000

// ---------------------------------------------------------------------------------------------
// Dialog styles
// ---------------------------------------------------------------------------------------------

#define DS_ABSALIGN 0x0001
#define DS_SYSMODAL 0x0002
#define DS_3DLOOK 0x0004
#define DS_FIXEDSYS 0x0008
#define DS_NOFAILCREATE 0x0010
#define DS_LOCALEDIT 0x0020
#define DS_SETFONT 0x0040
#define DS_MODALFRAME 0x0080
#define DS_NOIDLEMSG 0x0100
#define DS_SETFOREGROUND 0x0200
#define DS_CONTROL 0x0400
#define DS_CENTER 0x0800
#define DS_CENTERMOUSE 0x1000
#define DS_CONTEXTHELP 0x2000

// Dialog box command ids.
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDC_STATIC (-1)

// ---------------------------------------------------------------------------------------------
// Button styles
// ---------------------------------------------------------------------------------------------

#define BS_PUSHBUTTON 0x0000
#define BS_DEFPUSHBUTTON 0x0001
#define BS_CHECKBOX 0x0002
#define BS_AUTOCHECKBOX 0x0003
#define BS_RADIOBUTTON 0x0004
#define BS_3STATE 0x0005
#define BS_AUTO3STATE 0x0006
#define BS_GROUPBOX 0x0007
#define BS_USERBUTTON 0x0008
#define BS_AUTORADIOBUTTON 0x0009
#define BS_OWNERDRAW 0x000B
#define BS_TYPEMASK 0x000F
#define BS_LEFTTEXT 0x0020
#define BS_TEXT 0x0000
#define BS_ICON 0x0040
#define BS_BITMAP 0x0080
#define BS_LEFT 0x0100
#define BS_RIGHT 0x0200
#define BS_CENTER 0x0300
#define BS_TOP 0x0400
#define BS_BOTTOM 0x0800
#define BS_VCENTER 0x0C00
#define BS_PUSHLIKE 0x1000
#define BS_MULTILINE 0x2000
#define BS_NOTIFY 0x4000
#define BS_FLAT 0x8000

// ---------------------------------------------------------------------------------------------
// Static control styles
// ---------------------------------------------------------------------------------------------

#define SS_LEFT 0x0000
#define SS_CENTER 0x0001
#define SS_RIGHT 0x0002
#define SS_ICON 0x0003
#define SS_BLACKRECT 0x0004
#define SS_GRAYRECT 0x0005
#define SS_WHITERECT 0x0006
#define SS_BLACKFRAME 0x0007
#define SS_GRAYFRAME 0x0008
#define SS_WHITEFRAME 0x0009
#define SS_SIMPLE 0x000B
#define SS_LEFTNOWORDWRAP 0x000C
#define SS_OWNERDRAW 0x000D
#define SS_BITMAP 0x000E
#define SS_ETCHEDFRAME 0x0012
#define SS_TYPEMASK 0x001F
#define SS_NOPREFIX 0x0080
#define SS_NOTIFY 0x0100
#define SS_CENTERIMAGE 0x0200
#define SS_REALSIZEIMAGE 0x0800
#define SS_SUNKEN 0x1000

// ---------------------------------------------------------------------------------------------
// Resources: strings, icons and bitmaps of a module
// ---------------------------------------------------------------------------------------------

#ifndef RC_INVOKED

// Copies string `id` of the module's string table into `buffer` as Windows-1250 bytes, at most
// `buffer_max - 1` of them, and terminates it. Returns the number of bytes copied, 0 when the
// string is missing or empty (then buffer[0] is NUL).
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int buffer_max);

// The module's icon `name` at the system's large icon size (32 x 32); NULL when missing.
HICON LoadIconA(HINSTANCE instance, LPCSTR name);

// The module's bitmap `name` as a device bitmap of the screen's format; NULL when missing.
HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);

#endif  // RC_INVOKED

// ---------------------------------------------------------------------------------------------
// System metrics and cursors
// ---------------------------------------------------------------------------------------------

#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXVSCROLL 2
#define SM_CYHSCROLL 3
#define SM_CYCAPTION 4
#define SM_CXBORDER 5
#define SM_CYBORDER 6
#define SM_CXDLGFRAME 7
#define SM_CYDLGFRAME 8
#define SM_CXFIXEDFRAME SM_CXDLGFRAME
#define SM_CYFIXEDFRAME SM_CYDLGFRAME
#define SM_CXICON 11
#define SM_CYICON 12
#define SM_CXCURSOR 13
#define SM_CYCURSOR 14
#define SM_CYMENU 15
#define SM_CXSIZE 30
#define SM_CYSIZE 31
#define SM_CXFRAME 32
#define SM_CYFRAME 33
#define SM_CXEDGE 45
#define SM_CYEDGE 46
#define SM_CXSMICON 49
#define SM_CYSMICON 50
#define SM_CYSMCAPTION 51

#ifndef RC_INVOKED

// Metrics of the 640 x 480 display at 96 dpi in pixels; 0 for an index it does not know.
int GetSystemMetrics(int index);

#define IDC_ARROW MAKEINTRESOURCEA(32512)

// Only the system arrow (instance NULL, IDC_ARROW); a shared handle, never destroyed.
HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name);

// ---------------------------------------------------------------------------------------------
// Rectangles: right and bottom edges are outside
// ---------------------------------------------------------------------------------------------

BOOL SetRect(LPRECT rc, int left, int top, int right, int bottom);
BOOL SetRectEmpty(LPRECT rc);
BOOL CopyRect(LPRECT dst, const RECT* src);
BOOL IsRectEmpty(const RECT* rc);
BOOL EqualRect(const RECT* a, const RECT* b);
BOOL PtInRect(const RECT* rc, POINT pt);
BOOL OffsetRect(LPRECT rc, int dx, int dy);
BOOL InflateRect(LPRECT rc, int dx, int dy);
// FALSE and *dst zeroed when they do not overlap.
BOOL IntersectRect(LPRECT dst, const RECT* a, const RECT* b);
BOOL UnionRect(LPRECT dst, const RECT* a, const RECT* b);

#endif  // RC_INVOKED
