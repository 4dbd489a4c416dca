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

// ---------------------------------------------------------------------------------------------
// Messages
// ---------------------------------------------------------------------------------------------

#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SHOWWINDOW 0x0018
#define WM_SETCURSOR 0x0020
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_NCCALCSIZE 0x0083
#define WM_NCHITTEST 0x0084
#define WM_NCPAINT 0x0085
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCHAR 0x0106
#define WM_COMMAND 0x0111
#define WM_SYSCOMMAND 0x0112
#define WM_TIMER 0x0113
#define WM_MOUSEFIRST 0x0200
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_RBUTTONDBLCLK 0x0206
#define WM_MBUTTONDOWN 0x0207
#define WM_MBUTTONUP 0x0208
#define WM_MBUTTONDBLCLK 0x0209
#define WM_MOUSELAST 0x0209
#define WM_CAPTURECHANGED 0x0215
#define WM_USER 0x0400

// WM_NCHITTEST results.
#define HTERROR (-2)
#define HTTRANSPARENT (-1)
#define HTNOWHERE 0
#define HTCLIENT 1
#define HTCAPTION 2
#define HTBORDER 18

// WM_SIZE wParam.
#define SIZE_RESTORED 0

// ---------------------------------------------------------------------------------------------
// Window classes and windows
// ---------------------------------------------------------------------------------------------

// Class styles.
#define CS_VREDRAW 0x0001
#define CS_HREDRAW 0x0002
#define CS_DBLCLKS 0x0008
#define CS_OWNDC 0x0020
#define CS_CLASSDC 0x0040
#define CS_PARENTDC 0x0080
#define CS_SAVEBITS 0x0800

// ShowWindow commands.
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_NORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWMINNOACTIVE 7
#define SW_SHOWNA 8
#define SW_RESTORE 9

// SetWindowPos flags.
#define SWP_NOSIZE 0x0001
#define SWP_NOMOVE 0x0002
#define SWP_NOZORDER 0x0004
#define SWP_NOREDRAW 0x0008
#define SWP_NOACTIVATE 0x0010
#define SWP_FRAMECHANGED 0x0020
#define SWP_SHOWWINDOW 0x0040
#define SWP_HIDEWINDOW 0x0080

// Window long indices.
#define GWL_WNDPROC (-4)
#define GWLP_WNDPROC (-4)
#define GWL_HINSTANCE (-6)
#define GWLP_HINSTANCE (-6)
#define GWL_ID (-12)
#define GWLP_ID (-12)
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWL_USERDATA (-21)
#define GWLP_USERDATA (-21)

#define ERROR_INVALID_INDEX 1413
#define ERROR_CLASS_ALREADY_EXISTS 1410
#define ERROR_CLASS_DOES_NOT_EXIST 1411
#define ERROR_CLASS_HAS_WINDOWS 1412
#define ERROR_TLW_WITH_WSCHILD 1406
#define ERROR_CONTROL_ID_NOT_FOUND 1421
#define ERROR_CANNOT_FIND_WND_CLASS 1407

#ifndef RC_INVOKED

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagWNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;  // bytes of window longs at offsets 0, 4, ...
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;  // a brush, or a COLOR_ index + 1
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
} WNDCLASSA, *LPWNDCLASSA;
typedef WNDCLASSA WNDCLASS;

typedef struct tagCREATESTRUCTA {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCSTR lpszName;
    LPCSTR lpszClass;
    DWORD dwExStyle;
} CREATESTRUCTA, *LPCREATESTRUCTA;
typedef CREATESTRUCTA CREATESTRUCT;

typedef struct tagNCCALCSIZE_PARAMS {
    RECT rgrc[3];
    void* lppos;
} NCCALCSIZE_PARAMS;

#define HWND_TOP (reinterpret_cast<HWND>(0))
#define HWND_BOTTOM (reinterpret_cast<HWND>(1))
#define HWND_TOPMOST (reinterpret_cast<HWND>(-1))
#define HWND_NOTOPMOST (reinterpret_cast<HWND>(-2))
#define MAKEINTATOM(atom) (reinterpret_cast<LPCSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(atom))))

// A class name (or the atom RegisterClassA returned) is known once; names compare without
// case. 0 with ERROR_CLASS_ALREADY_EXISTS for a second registration.
ATOM RegisterClassA(const WNDCLASSA* wc);
// FALSE with ERROR_CLASS_HAS_WINDOWS while windows of the class exist.
BOOL UnregisterClassA(LPCSTR class_name, HINSTANCE instance);
BOOL GetClassInfoA(HINSTANCE instance, LPCSTR class_name, LPWNDCLASSA wc);

// Creation sends WM_NCCREATE (0 fails), WM_NCCALCSIZE, WM_CREATE (-1 fails), WM_SIZE and
// WM_MOVE, then WM_SHOWWINDOW when WS_VISIBLE is set. A failed creation sends WM_NCDESTROY and
// returns NULL. For WS_CHILD `parent` is the parent (required) and `menu` the control id;
// otherwise `parent` is the owner. Frames: caption 19 (16 for WS_EX_TOOLWINDOW), WS_THICKFRAME
// 4, WS_DLGFRAME or WS_EX_DLGMODALFRAME 3, WS_BORDER 1, WS_EX_CLIENTEDGE 2, WS_EX_STATICEDGE 1.
HWND CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR window_name, DWORD style, int x,
                     int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param);
inline HWND CreateWindowA(LPCSTR class_name, LPCSTR window_name, DWORD style, int x, int y,
                          int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                          LPVOID param) {
    return CreateWindowExA(0, class_name, window_name, style, x, y, width, height, parent, menu,
                           instance, param);
}
// Owned windows and children go too. WM_DESTROY reaches the window before its children;
// WM_NCDESTROY reaches children before their parent, after which every handle is stale.
BOOL DestroyWindow(HWND hwnd);

LRESULT DefWindowProcA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
LRESULT CallWindowProcA(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
// Calls the window procedure directly; 0 with ERROR_INVALID_WINDOW_HANDLE for a bad handle.
LRESULT SendMessageA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);

BOOL IsWindow(HWND hwnd);
// The parent of a child window, the owner of a popup, else NULL.
HWND GetParent(HWND hwnd);
BOOL IsChild(HWND parent, HWND hwnd);
// TRUE when the window and all its ancestors have WS_VISIBLE.
BOOL IsWindowVisible(HWND hwnd);
BOOL IsWindowEnabled(HWND hwnd);
// TRUE when the window was disabled before. Sends WM_ENABLE when that changes.
BOOL EnableWindow(HWND hwnd, BOOL enable);
// Returns TRUE when the window was visible before. Sends WM_SHOWWINDOW when that changes.
BOOL ShowWindow(HWND hwnd, int cmd);
BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);

// Screen coordinates.
BOOL GetWindowRect(HWND hwnd, LPRECT rc);
// (0, 0, client width, client height).
BOOL GetClientRect(HWND hwnd, LPRECT rc);
BOOL ClientToScreen(HWND hwnd, LPPOINT pt);
BOOL ScreenToClient(HWND hwnd, LPPOINT pt);
// NULL stands for the screen. Returns MAKELONG(dx, dy) of the move; 0 with the last error set
// on failure.
int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count);

// The visible, enabled window deepest under a screen point, skipping windows that answer
// WM_NCHITTEST with HTTRANSPARENT; NULL over the desktop.
HWND WindowFromPoint(POINT pt);

// Pointer-sized values (GWLP_WNDPROC) need the Ptr forms: the LONG forms refuse GWL_WNDPROC
// with ERROR_INVALID_INDEX. Offsets >= 0 address the class's cbWndExtra bytes.
LONG GetWindowLongA(HWND hwnd, int index);
LONG SetWindowLongA(HWND hwnd, int index, LONG value);
LONG_PTR GetWindowLongPtrA(HWND hwnd, int index);
LONG_PTR SetWindowLongPtrA(HWND hwnd, int index, LONG_PTR value);

HWND GetDlgItem(HWND dialog, int id);
int GetDlgCtrlID(HWND hwnd);

BOOL SetWindowTextA(HWND hwnd, LPCSTR text);
int GetWindowTextA(HWND hwnd, LPSTR buffer, int buffer_max);
int GetWindowTextLengthA(HWND hwnd);

#endif  // RC_INVOKED

// ---------------------------------------------------------------------------------------------
// Message queue, timers, input state
// ---------------------------------------------------------------------------------------------

#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

// Mouse message wParam bits.
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010

#ifndef RC_INVOKED

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG, *LPMSG;

typedef void(CALLBACK* TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

// Retrieval order: posted messages, WM_QUIT, input (mouse to the capture window or the window
// under the point, keys to the focus window), then WM_TIMER, made only when nothing else
// matches. Before waiting, the screen is presented if it changed. FALSE with WM_QUIT after
// PostQuitMessage, and also when the host says no input will ever come and no timer runs
// (then msg is WM_QUIT with wParam 0), so a loop ends instead of spinning. -1 for a bad hwnd.
BOOL GetMessageA(LPMSG msg, HWND hwnd, UINT filter_min, UINT filter_max);
BOOL PeekMessageA(LPMSG msg, HWND hwnd, UINT filter_min, UINT filter_max, UINT remove);
// NULL hwnd posts a message for the loop itself (msg.hwnd NULL).
BOOL PostMessageA(HWND hwnd, UINT msg, WPARAM wparam, LPARAM lparam);
void PostQuitMessage(int exit_code);
LRESULT DispatchMessageA(const MSG* msg);
// Posts WM_CHAR (WM_SYSCHAR) after a key message whose key types a character. Key messages
// from the host carry that Windows-1250 character in lParam bits 16-23, where the scan code
// would be. TRUE when it posted one.
BOOL TranslateMessage(const MSG* msg);

// One WM_TIMER at most is pending per timer however late it is; the next period counts from
// the expiry that made it. Periods under 10 ms become 10 ms. 0 when the host has no timers.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse_ms, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
HWND SetFocus(HWND hwnd);
HWND GetFocus();
BOOL GetCursorPos(LPPOINT pt);

#endif  // RC_INVOKED

// ---------------------------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------------------------

#define RDW_INVALIDATE 0x0001
#define RDW_INTERNALPAINT 0x0002
#define RDW_ERASE 0x0004
#define RDW_VALIDATE 0x0008
#define RDW_NOINTERNALPAINT 0x0010
#define RDW_NOERASE 0x0020
#define RDW_NOCHILDREN 0x0040
#define RDW_ALLCHILDREN 0x0080
#define RDW_UPDATENOW 0x0100
#define RDW_ERASENOW 0x0200
#define RDW_FRAME 0x0400
#define RDW_NOFRAME 0x0800

#ifndef RC_INVOKED

typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;  // TRUE when the background still needs erasing
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT, *LPPAINTSTRUCT;

// A window's update region is kept as one bounding rectangle in client coordinates. Only
// visible windows collect one. Without WS_CLIPCHILDREN the visible children under `rc` are
// invalidated too. NULL hwnd: every top-level window.
BOOL InvalidateRect(HWND hwnd, const RECT* rc, BOOL erase);
// Empties the update region when `rc` is NULL or covers it.
BOOL ValidateRect(HWND hwnd, const RECT* rc);
// TRUE when the update region is not empty; *rc (may be NULL) gets its bounds.
BOOL GetUpdateRect(HWND hwnd, LPRECT rc, BOOL erase);
// Sends WM_PAINT at once to the window and then its descendants with update regions.
BOOL UpdateWindow(HWND hwnd);
// `region` must be NULL. Children: all with RDW_ALLCHILDREN, none with RDW_NOCHILDREN, else
// as InvalidateRect does.
BOOL RedrawWindow(HWND hwnd, const RECT* rc, HRGN region, UINT flags);
// Sends WM_ERASEBKGND when the update region is marked for erasing, then validates it. The DC
// draws only into the update region's part of the visible client area.
HDC BeginPaint(HWND hwnd, LPPAINTSTRUCT ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);

#endif  // RC_INVOKED

// ---------------------------------------------------------------------------------------------
// System colours ("Windows Standard" scheme)
// ---------------------------------------------------------------------------------------------

#define COLOR_SCROLLBAR 0
#define COLOR_BACKGROUND 1
#define COLOR_ACTIVECAPTION 2
#define COLOR_INACTIVECAPTION 3
#define COLOR_MENU 4
#define COLOR_WINDOW 5
#define COLOR_WINDOWFRAME 6
#define COLOR_MENUTEXT 7
#define COLOR_WINDOWTEXT 8
#define COLOR_CAPTIONTEXT 9
#define COLOR_ACTIVEBORDER 10
#define COLOR_INACTIVEBORDER 11
#define COLOR_APPWORKSPACE 12
#define COLOR_HIGHLIGHT 13
#define COLOR_HIGHLIGHTTEXT 14
#define COLOR_3DFACE 15
#define COLOR_BTNFACE 15
#define COLOR_3DSHADOW 16
#define COLOR_BTNSHADOW 16
#define COLOR_GRAYTEXT 17
#define COLOR_BTNTEXT 18
#define COLOR_INACTIVECAPTIONTEXT 19
#define COLOR_3DHILIGHT 20
#define COLOR_BTNHIGHLIGHT 20
#define COLOR_3DDKSHADOW 21
#define COLOR_3DLIGHT 22
#define COLOR_INFOTEXT 23
#define COLOR_INFOBK 24

#ifndef RC_INVOKED

// 0 for an unknown index.
DWORD GetSysColor(int index);
// A brush of the colour that DeleteObject cannot destroy; NULL for an unknown index. A class
// whose hbrBackground is (HBRUSH)(index + 1) erases with it.
HBRUSH GetSysColorBrush(int index);

#endif  // RC_INVOKED

// ---------------------------------------------------------------------------------------------
// Owner-drawn items, button notifications and states, palette and icon messages
// ---------------------------------------------------------------------------------------------

#define WM_SETFONT 0x0030
#define WM_GETFONT 0x0031
#define WM_ICONERASEBKGND 0x0027
#define WM_DRAWITEM 0x002B
#define WM_MEASUREITEM 0x002C
#define WM_QUERYDRAGICON 0x0037
#define WM_GETICON 0x007F
#define WM_SETICON 0x0080
#define WM_GETDLGCODE 0x0087
#define WM_INITDIALOG 0x0110
#define WM_ENTERIDLE 0x0121
#define WM_QUERYNEWPALETTE 0x030F
#define WM_PALETTEISCHANGING 0x0310
#define WM_PALETTECHANGED 0x0311

#define ICON_SMALL 0
#define ICON_BIG 1

// Button notifications (high word of WM_COMMAND's wParam) and messages.
#define BN_CLICKED 0
#define BN_PAINT 1
#define BN_HILITE 2
#define BN_UNHILITE 3
#define BN_DISABLE 4
#define BN_DOUBLECLICKED 5
#define BN_DBLCLK 5
#define BN_SETFOCUS 6
#define BN_KILLFOCUS 7
#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BM_GETSTATE 0x00F2
#define BM_SETSTATE 0x00F3
#define BM_SETSTYLE 0x00F4
#define BM_CLICK 0x00F5
#define BST_UNCHECKED 0x0000
#define BST_CHECKED 0x0001
#define BST_INDETERMINATE 0x0002
#define BST_PUSHED 0x0004
#define BST_FOCUS 0x0008

// Owner-drawn control and item kinds, actions and states.
#define ODT_MENU 1
#define ODT_LISTBOX 2
#define ODT_COMBOBOX 3
#define ODT_BUTTON 4
#define ODT_STATIC 5
#define ODA_DRAWENTIRE 0x0001
#define ODA_SELECT 0x0002
#define ODA_FOCUS 0x0004
#define ODS_SELECTED 0x0001
#define ODS_GRAYED 0x0002
#define ODS_DISABLED 0x0004
#define ODS_CHECKED 0x0008
#define ODS_FOCUS 0x0010

#ifndef RC_INVOKED

// For ODT_MENU hwndItem carries the menu handle.
typedef struct tagDRAWITEMSTRUCT {
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemAction;
    UINT itemState;
    HWND hwndItem;
    HDC hDC;
    RECT rcItem;
    ULONG_PTR itemData;
} DRAWITEMSTRUCT, *LPDRAWITEMSTRUCT;

typedef struct tagMEASUREITEMSTRUCT {
    UINT CtlType;
    UINT CtlID;
    UINT itemID;
    UINT itemWidth;
    UINT itemHeight;
    ULONG_PTR itemData;
} MEASUREITEMSTRUCT, *LPMEASUREITEMSTRUCT;

#endif  // RC_INVOKED

// ---------------------------------------------------------------------------------------------
// Menus: popup menus, their tracking and the system menu
// ---------------------------------------------------------------------------------------------

#define WM_CONTEXTMENU 0x007B
#define WM_NCMOUSEMOVE 0x00A0
#define WM_NCLBUTTONDOWN 0x00A1
#define WM_NCLBUTTONUP 0x00A2
#define WM_NCLBUTTONDBLCLK 0x00A3
#define WM_NCRBUTTONDOWN 0x00A4
#define WM_NCRBUTTONUP 0x00A5
#define WM_INITMENU 0x0116
#define WM_INITMENUPOPUP 0x0117
#define WM_MENUSELECT 0x011F
#define WM_MENUCHAR 0x0120
#define WM_ENTERMENULOOP 0x0211
#define WM_EXITMENULOOP 0x0212

#define HTSYSMENU 3

// System commands (WM_SYSCOMMAND wParam; the low four bits are the system's own).
#define SC_SIZE 0xF000
#define SC_MOVE 0xF010
#define SC_MINIMIZE 0xF020
#define SC_MAXIMIZE 0xF030
#define SC_CLOSE 0xF060
#define SC_MOUSEMENU 0xF090
#define SC_KEYMENU 0xF100
#define SC_RESTORE 0xF120

// Menu item flags.
#define MF_INSERT 0x00000000
#define MF_CHANGE 0x00000080
#define MF_BYCOMMAND 0x00000000
#define MF_BYPOSITION 0x00000400
#define MF_SEPARATOR 0x00000800
#define MF_ENABLED 0x00000000
#define MF_GRAYED 0x00000001
#define MF_DISABLED 0x00000002
#define MF_UNCHECKED 0x00000000
#define MF_CHECKED 0x00000008
#define MF_STRING 0x00000000
#define MF_BITMAP 0x00000004
#define MF_OWNERDRAW 0x00000100
#define MF_POPUP 0x00000010
#define MF_MENUBARBREAK 0x00000020
#define MF_MENUBREAK 0x00000040
#define MF_UNHILITE 0x00000000
#define MF_HILITE 0x00000080
#define MF_DEFAULT 0x00001000
#define MF_SYSMENU 0x00002000
#define MF_MOUSESELECT 0x00008000
#define MFS_DEFAULT MF_DEFAULT

// TrackPopupMenu flags.
#define TPM_LEFTBUTTON 0x0000
#define TPM_RIGHTBUTTON 0x0002
#define TPM_LEFTALIGN 0x0000
#define TPM_CENTERALIGN 0x0004
#define TPM_RIGHTALIGN 0x0008
#define TPM_TOPALIGN 0x0000
#define TPM_VCENTERALIGN 0x0010
#define TPM_BOTTOMALIGN 0x0020
#define TPM_NONOTIFY 0x0080
#define TPM_RETURNCMD 0x0100

#define ERROR_INVALID_MENU_HANDLE 1401
#define ERROR_POPUP_ALREADY_ACTIVE 1446
#define ERROR_MENU_ITEM_NOT_FOUND 1456

#ifndef RC_INVOKED

typedef struct tagTPMPARAMS {
    UINT cbSize;
    RECT rcExclude;  // screen area the menu must not cover
} TPMPARAMS, *LPTPMPARAMS;

// Handles carry a generation, so a destroyed menu's handle fails with
// ERROR_INVALID_MENU_HANDLE. There is no menu bar: CreateMenu gives a menu like any other.
HMENU CreateMenu();
HMENU CreatePopupMenu();
BOOL DestroyMenu(HMENU menu);
BOOL IsMenu(HMENU menu);

// MF_STRING copies `item` (CP1250, '&' marks the mnemonic, a tab starts the right-aligned
// accelerator text); MF_OWNERDRAW keeps `item` as the item data; MF_SEPARATOR ignores it.
// MF_POPUP and MF_BITMAP items are refused with ERROR_INVALID_PARAMETER.
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR item);
// Before the item at `position` (MF_BYPOSITION; past the end appends) or the item with that
// command id; ERROR_MENU_ITEM_NOT_FOUND when there is none.
BOOL InsertMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR item);
BOOL ModifyMenuA(HMENU menu, UINT position, UINT flags, UINT_PTR id, LPCSTR item);
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
BOOL RemoveMenu(HMENU menu, UINT position, UINT flags);
// The previous MF_GRAYED | MF_DISABLED (or MF_CHECKED) bits; (DWORD)-1 when there is no such item.
DWORD EnableMenuItem(HMENU menu, UINT item, UINT enable);
DWORD CheckMenuItem(HMENU menu, UINT item, UINT check);
// -1 for a bad handle.
int GetMenuItemCount(HMENU menu);
// 0 for a separator; (UINT)-1 for a bad handle or position.
UINT GetMenuItemID(HMENU menu, int position);
// The item's MF_ bits (type and state); (UINT)-1 when there is no such item.
UINT GetMenuState(HMENU menu, UINT item, UINT flags);
// Copies the text (without truncating past `buffer_max - 1`); returns its length.
int GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int buffer_max, UINT flags);
// The default item is drawn bold and Enter chooses it when nothing is highlighted. `item`
// (UINT)-1 clears it.
BOOL SetMenuDefaultItem(HMENU menu, UINT item, UINT by_position);
UINT GetMenuDefaultItem(HMENU menu, UINT by_position, UINT flags);

// Shows the menu at (x, y) (screen) and runs its modal loop on the queue until a choice,
// Esc, a click outside or EndMenu. The owner hears WM_ENTERMENULOOP, WM_INITMENUPOPUP,
// WM_MEASUREITEM and WM_DRAWITEM for owner-drawn items, WM_MENUSELECT as the highlight moves
// and WM_EXITMENULOOP. A choice posts WM_COMMAND(id) to the owner and returns TRUE; with
// TPM_RETURNCMD it posts nothing and returns the id. No choice returns 0. The menu is kept
// on the screen; near the right or bottom edge it opens to the left of or above the point.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* rect);
BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, LPTPMPARAMS params);
// Closes the menu being tracked, as Esc does.
BOOL EndMenu();

// The window's own copy of the system menu, made on first use, for windows with WS_SYSMENU:
// Move, a separator and Close (the bold default item). `revert` TRUE throws the copy away
// and returns NULL. Choices reach the window as posted WM_SYSCOMMAND(id, cursor).
HMENU GetSystemMenu(HWND hwnd, BOOL revert);

#endif  // RC_INVOKED

// ---------------------------------------------------------------------------------------------
// Dialogs, static and button controls, message boxes
// ---------------------------------------------------------------------------------------------

#define WM_NEXTDLGCTL 0x0028
#define WM_CTLCOLORMSGBOX 0x0132
#define WM_CTLCOLOREDIT 0x0133
#define WM_CTLCOLORLISTBOX 0x0134
#define WM_CTLCOLORBTN 0x0135
#define WM_CTLCOLORDLG 0x0136
#define WM_CTLCOLORSCROLLBAR 0x0137
#define WM_CTLCOLORSTATIC 0x0138

#define DM_GETDEFID 0x0400
#define DM_SETDEFID 0x0401
#define DC_HASDEFID 0x534B
#define MSGF_DIALOGBOX 0

// WM_GETDLGCODE answers.
#define DLGC_WANTARROWS 0x0001
#define DLGC_WANTTAB 0x0002
#define DLGC_WANTALLKEYS 0x0004
#define DLGC_WANTMESSAGE 0x0004
#define DLGC_HASSETSEL 0x0008
#define DLGC_DEFPUSHBUTTON 0x0010
#define DLGC_UNDEFPUSHBUTTON 0x0020
#define DLGC_RADIOBUTTON 0x0040
#define DLGC_WANTCHARS 0x0080
#define DLGC_STATIC 0x0100
#define DLGC_BUTTON 0x2000

// Extra bytes of a dialog window: the result of the last message, the dialog procedure and
// a value for the program.
#define DLGWINDOWEXTRA 30
#define DWLP_MSGRESULT 0
#define DWLP_DLGPROC 8
#define DWLP_USER 16

// Static control messages and notifications.
#define STM_SETICON 0x0170
#define STM_GETICON 0x0171
#define STM_SETIMAGE 0x0172
#define STM_GETIMAGE 0x0173
#define STN_CLICKED 0
#define STN_DBLCLK 1
#define STN_ENABLE 2
#define STN_DISABLE 3
#define IMAGE_BITMAP 0
#define IMAGE_ICON 1

// Message box styles.
#define MB_OK 0x00000000
#define MB_OKCANCEL 0x00000001
#define MB_ABORTRETRYIGNORE 0x00000002
#define MB_YESNOCANCEL 0x00000003
#define MB_YESNO 0x00000004
#define MB_RETRYCANCEL 0x00000005
#define MB_TYPEMASK 0x0000000F
#define MB_ICONHAND 0x00000010
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONQUESTION 0x00000020
#define MB_ICONEXCLAMATION 0x00000030
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONASTERISK 0x00000040
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_ICONMASK 0x000000F0
#define MB_DEFBUTTON1 0x00000000
#define MB_DEFBUTTON2 0x00000100
#define MB_DEFBUTTON3 0x00000200
#define MB_DEFMASK 0x00000F00
#define MB_APPLMODAL 0x00000000
#define MB_SYSTEMMODAL 0x00001000
#define MB_TASKMODAL 0x00002000

// Virtual keys the dialog manager acts on.
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20

#ifndef RC_INVOKED

typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

// The fixed heads of the plain in-memory templates; variable-length fields (menu, class,
// title, font, then each item's class, title and creation data) follow them, items starting
// on DWORD boundaries. The extended form (version 1, signature 0xFFFF) is read as bytes.
#pragma pack(push, 2)
typedef struct {
    DWORD style;
    DWORD dwExtendedStyle;
    WORD cdit;
    short x;
    short y;
    short cx;
    short cy;
} DLGTEMPLATE, *LPDLGTEMPLATEA;
typedef const DLGTEMPLATE* LPCDLGTEMPLATEA;
typedef LPCDLGTEMPLATEA LPCDLGTEMPLATE;

typedef struct {
    DWORD style;
    DWORD dwExtendedStyle;
    short x;
    short y;
    short cx;
    short cy;
    WORD id;
} DLGITEMTEMPLATE;
#pragma pack(pop)

// Templates are checked field by field against the resource's size (or, in memory, against
// nothing but their own terminators); a malformed one fails with ERROR_INVALID_PARAMETER.
// Creation: the dialog window (class "#32770" unless the template names one) is made hidden,
// gets WM_SETFONT with the template's font, makes its controls in template order (each with
// WM_SETFONT), then WM_INITDIALOG(first tab stop, param); TRUE from it puts the focus on that
// control. A template with WS_VISIBLE is then shown.
HWND CreateDialogIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialog_template, HWND owner,
                                DLGPROC proc, LPARAM param);
HWND CreateDialogParamA(HINSTANCE instance, LPCSTR template_name, HWND owner, DLGPROC proc,
                        LPARAM param);
// Modal: the owner's top-level window is disabled before creation and enabled again when
// EndDialog ends the loop, before the dialog hides; the dialog is destroyed and EndDialog's
// result returned. -1 when the dialog cannot be made or the loop ends by WM_QUIT (which is
// posted again for the loop outside).
INT_PTR DialogBoxIndirectParamA(HINSTANCE instance, LPCDLGTEMPLATEA dialog_template, HWND owner,
                                DLGPROC proc, LPARAM param);
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR template_name, HWND owner, DLGPROC proc,
                        LPARAM param);
BOOL EndDialog(HWND dialog, INT_PTR result);
LRESULT DefDlgProcA(HWND dialog, UINT msg, WPARAM wparam, LPARAM lparam);
// Tab, Shift+Tab, Enter and Esc for the dialog; other messages of its windows are translated
// and dispatched. FALSE for a message of another window.
BOOL IsDialogMessageA(HWND dialog, LPMSG msg);
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);

// Dialog units to pixels with the dialog's font: x * base width / 4, y * base height / 8.
BOOL MapDialogRect(HWND dialog, LPRECT rc);
// MAKELONG(width, height) of the system font's dialog base units.
LONG GetDialogBaseUnits();

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text);
UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int buffer_max);
LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT msg, WPARAM wparam, LPARAM lparam);

// Modal: MB_OK and the other button sets, with the exclamation, asterisk, question or hand
// icon; the text is word-wrapped in MS Sans Serif 8 and the box centred on the screen. Enter
// chooses the default button; Esc cancels, or gives IDOK in a box with only OK. Returns the
// chosen IDOK...IDNO, 0 when the box cannot be made.
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);

#endif  // RC_INVOKED

// ---------------------------------------------------------------------------------------------
// Activation, the non-client area and moving windows
// ---------------------------------------------------------------------------------------------

#ifndef WM_ACTIVATEAPP
#define WM_ACTIVATEAPP 0x001C
#endif
#ifndef WM_CANCELMODE
#define WM_CANCELMODE 0x001F
#endif
#ifndef WM_MOUSEACTIVATE
#define WM_MOUSEACTIVATE 0x0021
#endif
#ifndef WM_NCACTIVATE
#define WM_NCACTIVATE 0x0086
#endif
#ifndef WM_NCRBUTTONDBLCLK
#define WM_NCRBUTTONDBLCLK 0x00A6
#endif
#ifndef WM_NCMBUTTONDOWN
#define WM_NCMBUTTONDOWN 0x00A7
#endif
#ifndef WM_NCMBUTTONUP
#define WM_NCMBUTTONUP 0x00A8
#endif
#ifndef WM_ENTERSIZEMOVE
#define WM_ENTERSIZEMOVE 0x0231
#endif
#ifndef WM_EXITSIZEMOVE
#define WM_EXITSIZEMOVE 0x0232
#endif

// WM_ACTIVATE: low word of wParam.
#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define WA_CLICKACTIVE 2

// WM_MOUSEACTIVATE answers.
#define MA_ACTIVATE 1
#define MA_ACTIVATEANDEAT 2
#define MA_NOACTIVATE 3
#define MA_NOACTIVATEANDEAT 4

#ifndef HTCLOSE
#define HTCLOSE 20
#endif

#ifndef RC_INVOKED

// The active window is a top-level window; activating another sends, in this order:
// WM_NCACTIVATE(FALSE) and WM_ACTIVATE(WA_INACTIVE) to the old one, WM_QUERYNEWPALETTE to the
// new one (TRUE: WM_PALETTEISCHANGING to every top-level window), WM_ACTIVATEAPP(TRUE) to every
// top-level window when none was active, WM_NCACTIVATE(TRUE) and WM_ACTIVATE to the new one,
// then the focus moves to it unless it is already inside it. A child stands for its top-level
// window. Returns the previously active window; NULL when the window is hidden, disabled or
// invalid.
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
// Activates the window and brings it to the top of its z-order band.
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();

// A DC over the whole window, frame included, with (0, 0) at its top-left corner; released
// with ReleaseDC.
HDC GetWindowDC(HWND hwnd);

#endif  // RC_INVOKED
