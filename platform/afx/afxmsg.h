// afxmsg.h: message maps: per-class tables of handlers chained to the base class's table.
//
// Each entry names a message (or WM_COMMAND with a notification code and an id range) and an
// adapter that converts WPARAM/LPARAM into the handler's own arguments and calls it on the
// object, so a handler is always called with its real signature.
#pragma once

#include "platform/afx/afxtypes.h"
#include "platform/win32/windows.h"

class CCmdTarget;
class CWnd;
class CDC;

#define afx_msg

#ifndef RC_INVOKED
typedef LPCREATESTRUCTA LPCREATESTRUCT;
#endif

// Command notification codes for CCmdTarget::OnCmdMsg.
#define CN_COMMAND 0

typedef LRESULT (*AFX_PMSG)(CCmdTarget* target, WPARAM wparam, LPARAM lparam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // the window message; WM_COMMAND for commands and notifications
    UINT nCode;     // notification code of a WM_COMMAND entry
    UINT nID;       // first control or command id of a WM_COMMAND entry
    UINT nLastID;   // last id, the same for a single id
    AFX_PMSG pfn;   // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null at the root
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Helpers the entry adapters use to turn message parameters into handler arguments.
namespace afx_detail {
CDC* dc_from(WPARAM wparam);
CWnd* wnd_from(WPARAM wparam);
inline CPoint point_from(LPARAM lparam) {
    return CPoint(GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
}
}  // namespace afx_detail

// Leaves the class's following members protected, as the framework does.
#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)          \
    const AFX_MSGMAP* theClass::GetMessageMap() const { \
        return GetThisMessageMap();                     \
    }                                                   \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {   \
        using ThisClass [[maybe_unused]] = theClass;    \
        using TheBaseClass = baseClass;                 \
        static const AFX_MSGMAP_ENTRY kEntries[] = {
#define END_MESSAGE_MAP()                                                        \
    { 0, 0, 0, 0, nullptr }                                                      \
    }                                                                            \
    ;                                                                            \
    static const AFX_MSGMAP kMap = {&TheBaseClass::GetThisMessageMap, kEntries}; \
    return &kMap;                                                                \
    }

// The object an adapter works on, as the class whose map holds the entry.
#define AFX_THIS static_cast<ThisClass*>(target)
#define AFX_ENTRY(message, body)                            \
    {message, 0, 0, 0,                                      \
     [](CCmdTarget* target, [[maybe_unused]] WPARAM wParam, \
        [[maybe_unused]] LPARAM lParam) -> LRESULT { body }},

#define ON_WM_PAINT() AFX_ENTRY(WM_PAINT, AFX_THIS->OnPaint(); return 0;)
#define ON_WM_ERASEBKGND() \
    AFX_ENTRY(WM_ERASEBKGND, return AFX_THIS->OnEraseBkgnd(afx_detail::dc_from(wParam));)
#define ON_WM_TIMER() AFX_ENTRY(WM_TIMER, AFX_THIS->OnTimer(static_cast<UINT>(wParam)); return 0;)
#define AFX_MOUSE_ENTRY(message, handler)                                                   \
    AFX_ENTRY(message,                                                                      \
              AFX_THIS->handler(static_cast<UINT>(wParam), afx_detail::point_from(lParam)); \
              return 0;)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_DESTROY() AFX_ENTRY(WM_DESTROY, AFX_THIS->OnDestroy(); return 0;)
#define ON_WM_NCDESTROY() AFX_ENTRY(WM_NCDESTROY, AFX_THIS->OnNcDestroy(); return 0;)
#define ON_WM_CREATE() \
    AFX_ENTRY(WM_CREATE, return AFX_THIS->OnCreate(reinterpret_cast<LPCREATESTRUCTA>(lParam));)
#define ON_WM_CLOSE() AFX_ENTRY(WM_CLOSE, AFX_THIS->OnClose(); return 0;)
#define ON_WM_SYSCOMMAND() \
    AFX_ENTRY(WM_SYSCOMMAND, AFX_THIS->OnSysCommand(static_cast<UINT>(wParam), lParam); return 0;)
#define ON_WM_QUERYNEWPALETTE() AFX_ENTRY(WM_QUERYNEWPALETTE, return AFX_THIS->OnQueryNewPalette();)
#define ON_WM_PALETTECHANGED()                                                             \
    AFX_ENTRY(WM_PALETTECHANGED, AFX_THIS->OnPaletteChanged(afx_detail::wnd_from(wParam)); \
              return 0;)
#define ON_WM_QUERYDRAGICON() \
    AFX_ENTRY(WM_QUERYDRAGICON, return reinterpret_cast<LRESULT>(AFX_THIS->OnQueryDragIcon());)
#define ON_WM_DRAWITEM()                                                                     \
    AFX_ENTRY(WM_DRAWITEM, AFX_THIS->OnDrawItem(static_cast<int>(wParam),                    \
                                                reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); \
              return TRUE;)
#define ON_WM_MEASUREITEM()                                                           \
    AFX_ENTRY(WM_MEASUREITEM,                                                         \
              AFX_THIS->OnMeasureItem(static_cast<int>(wParam),                       \
                                      reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); \
              return TRUE;)

// Commands and control notifications: the adapter gets the id in wParam.
#define ON_CONTROL(code, id, memberFxn)                                                 \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), \
     [](CCmdTarget* target, WPARAM, LPARAM) -> LRESULT {                                \
         AFX_THIS->memberFxn();                                                         \
         return 0;                                                                      \
     }},
#define ON_COMMAND(id, memberFxn) ON_CONTROL(CN_COMMAND, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_COMMAND_RANGE(first, last, memberFxn)                                \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(first), static_cast<UINT>(last), \
     [](CCmdTarget* target, WPARAM wParam, LPARAM) -> LRESULT {                 \
         AFX_THIS->memberFxn(static_cast<UINT>(wParam));                        \
         return 0;                                                              \
     }},
#define ON_MESSAGE(message, memberFxn) \
    AFX_ENTRY(message, return AFX_THIS->memberFxn(wParam, lParam);)
