// commctrl.h: the common controls of the stand-in: the tool-tip control.
#pragma once

#include "platform/win32/windows.h"

#define TOOLTIPS_CLASSA "tooltips_class32"
#define TOOLTIPS_CLASS TOOLTIPS_CLASSA

// Tool-tip styles.
#define TTS_ALWAYSTIP 0x01  // show even while the owner is not the active window
#define TTS_NOPREFIX 0x02   // show '&' as it is

// TOOLINFO flags.
#define TTF_IDISHWND 0x0001  // uId is a window (the whole window is the tool), hwnd its parent
#define TTF_CENTERTIP 0x0002
#define TTF_RTLREADING 0x0004
#define TTF_SUBCLASS 0x0010

// TTM_SETDELAYTIME and TTM_GETDELAYTIME: which delay.
#define TTDT_AUTOMATIC 0  // sets all three from one value: initial, autopop x10, reshow /5
#define TTDT_RESHOW 1
#define TTDT_AUTOPOP 2
#define TTDT_INITIAL 3

#define TTM_ACTIVATE (WM_USER + 1)
#define TTM_SETDELAYTIME (WM_USER + 3)
#define TTM_ADDTOOLA (WM_USER + 4)
#define TTM_DELTOOLA (WM_USER + 5)
#define TTM_NEWTOOLRECTA (WM_USER + 6)
#define TTM_RELAYEVENT (WM_USER + 7)
#define TTM_UPDATETIPTEXTA (WM_USER + 12)
#define TTM_GETTOOLCOUNT (WM_USER + 13)
#define TTM_GETDELAYTIME (WM_USER + 21)
#define TTM_POP (WM_USER + 28)
#define TTM_ADDTOOL TTM_ADDTOOLA
#define TTM_DELTOOL TTM_DELTOOLA
#define TTM_NEWTOOLRECT TTM_NEWTOOLRECTA
#define TTM_UPDATETIPTEXT TTM_UPDATETIPTEXTA

#define LPSTR_TEXTCALLBACKA (reinterpret_cast<LPSTR>(static_cast<LONG_PTR>(-1)))

// The first, 40-byte (on 32-bit machines) form of the record; cbSize must be at least its size.
typedef struct tagTOOLINFOA {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;  // the window whose client coordinates `rect` is in (TTF_IDISHWND: the parent)
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;  // with a string-table id in lpszText
    LPSTR lpszText;   // text, or MAKEINTRESOURCE(id) of a string in hinst's table
} TOOLINFOA, *LPTOOLINFOA, TOOLINFO, *LPTOOLINFO;
#define TTTOOLINFOA_V1_SIZE sizeof(TOOLINFOA)

// Registers the common control classes (the tool-tip class); more calls do nothing.
void InitCommonControls();
