// ToolTipCtrl.cpp: CToolTipCtrl: a tool-tip control owned by a window, and its tools.
#include "platform/afx/afxcmn.h"

#include "platform/win32/commctrl.h"

IMPLEMENT_DYNAMIC(CToolTipCtrl, CWnd)

namespace {

// The record that names a tool: nIDTool 0 is pWnd's whole window, kept by its parent.
TOOLINFOA tool_record(CWnd* pWnd, UINT nIDTool) {
    TOOLINFOA ti{};
    ti.cbSize = sizeof ti;
    HWND hWnd = pWnd != nullptr ? pWnd->m_hWnd : nullptr;
    if (nIDTool == 0) {
        ti.uFlags = TTF_IDISHWND;
        ti.hwnd = ::GetParent(hWnd);
        ti.uId = reinterpret_cast<UINT_PTR>(hWnd);
    } else {
        ti.hwnd = hWnd;
        ti.uId = nIDTool;
    }
    return ti;
}

}  // namespace

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
    ::InitCommonControls();
    return CreateEx(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, 0, 0, 0, 0,
                    pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr, nullptr);
}

void CToolTipCtrl::Activate(BOOL bActivate) {
    SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(bActivate));
}

BOOL CToolTipCtrl::AddToolText(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT nIDTool,
                               HINSTANCE hInst) {
    if (pWnd == nullptr || pWnd->m_hWnd == nullptr) {
        return FALSE;
    }
    TOOLINFOA ti = tool_record(pWnd, nIDTool);
    if ((ti.uFlags & TTF_IDISHWND) == 0) {
        if (lpRectTool != nullptr) {
            ti.rect = *lpRectTool;
        } else {
            pWnd->GetClientRect(&ti.rect);
        }
    }
    ti.hinst = hInst;
    ti.lpszText = const_cast<LPSTR>(lpszText);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT nIDTool) {
    return AddToolText(pWnd, lpszText, lpRectTool, nIDTool, nullptr);
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool, UINT nIDTool) {
    // The control loads the string itself, from the module that has its block.
    LPCSTR block = MAKEINTRESOURCEA(static_cast<WORD>((nIDText >> 4) + 1));
    return AddToolText(pWnd, MAKEINTRESOURCEA(static_cast<WORD>(nIDText)), lpRectTool, nIDTool,
                       AfxFindResourceHandle(block, RT_STRING));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT nIDTool) {
    TOOLINFOA ti = tool_record(pWnd, nIDTool);
    SendMessage(TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

int CToolTipCtrl::GetToolCount() const {
    return static_cast<int>(::SendMessageA(m_hWnd, TTM_GETTOOLCOUNT, 0, 0));
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg) {
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
}

void CToolTipCtrl::SetDelayTime(UINT nDelay) {
    SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, static_cast<LPARAM>(nDelay));
}
