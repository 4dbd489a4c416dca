// Wnd.cpp: CWnd's handle maps, creation, subclassing and message dispatch.
#include "platform/afx/afxwin.h"

#include "platform/afx/AfxState.h"

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CWnd::~CWnd() {
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

// ---------------------------------------------------------------------------------------------
// Handle maps
// ---------------------------------------------------------------------------------------------

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    auto& map = afx::state().permanent_windows;
    auto it = map.find(hWnd);
    return it != map.end() ? it->second : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (hWnd == nullptr) {
        return nullptr;
    }
    if (CWnd* permanent = FromHandlePermanent(hWnd)) {
        return permanent;
    }
    auto& temps = afx::state().temporary_windows;
    auto it = temps.find(hWnd);
    if (it != temps.end()) {
        return it->second.get();
    }
    auto wnd = std::make_unique<CWnd>();
    wnd->m_hWnd = hWnd;
    CWnd* raw = wnd.get();
    temps.emplace(hWnd, std::move(wnd));
    return raw;
}

void CWnd::DeleteTempMap() {
    afx::delete_temp_maps();
}

BOOL CWnd::Attach(HWND hWndNew) {
    if (hWndNew == nullptr || m_hWnd != nullptr) {
        return FALSE;
    }
    auto& map = afx::state().permanent_windows;
    if (!map.emplace(hWndNew, this).second) {
        return FALSE;  // another object has it
    }
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        auto& map = afx::state().permanent_windows;
        auto it = map.find(hWnd);
        if (it != map.end() && it->second == this) {
            map.erase(it);
        }
    }
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!::IsWindow(hWnd) || !Attach(hWnd)) {
        return FALSE;
    }
    WNDPROC old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old == nullptr) {
        Detach();
        return FALSE;
    }
    // A window of a class whose procedure is already AfxWndProc falls back to DefWindowProcA.
    m_pfnSuper = old != &AfxWndProc ? old : nullptr;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    if (pParent == nullptr) {
        return FALSE;
    }
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    if (m_pfnSuper != nullptr) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    return Detach();
}

// ---------------------------------------------------------------------------------------------
// Creation and destruction
// ---------------------------------------------------------------------------------------------

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr) {
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
    }
    return cs.lpszClass != nullptr;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam) {
    if (m_hWnd != nullptr) {
        return FALSE;
    }
    CREATESTRUCT cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    // A class with AfxWndProc brings every message from the first on to this object; a
    // class of the system's is subclassed once the window exists.
    WNDCLASSA wc{};
    const bool hooked =
        ::GetClassInfoA(cs.hInstance, cs.lpszClass, &wc) && wc.lpfnWndProc == &AfxWndProc;
    afx::State& st = afx::state();
    CWnd* previous_init = st.window_init;
    st.window_init = hooked ? this : nullptr;
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName,
                                  static_cast<DWORD>(cs.style), cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    st.window_init = previous_init;
    if (hWnd == nullptr) {
        // A window that got messages has had WM_NCDESTROY, which detached this object.
        return FALSE;
    }
    if (!hooked && !SubclassWindow(hWnd)) {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void*) {
    if ((dwStyle & WS_POPUP) != 0) {
        return FALSE;  // Create makes child windows only
    }
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::DestroyWindow() {
    HWND hWnd = m_hWnd;
    if (hWnd == nullptr) {
        return FALSE;
    }
    const bool permanent = FromHandlePermanent(hWnd) == this;
    const BOOL result = ::DestroyWindow(hWnd);
    // A subclassed window's object was detached by WM_NCDESTROY and may be gone (PostNcDestroy
    // may delete it); an object that only attached the handle is still here and attached.
    if (!permanent) {
        Detach();
    } else if (CWnd* still = FromHandlePermanent(hWnd); still != nullptr && !::IsWindow(hWnd)) {
        still->Detach();
    }
    return result;
}

void CWnd::PostNcDestroy() {}

// ---------------------------------------------------------------------------------------------
// Dispatch
// ---------------------------------------------------------------------------------------------

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr) {
        afx::State& st = afx::state();
        if (st.window_init == nullptr) {
            return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
        }
        pWnd = st.window_init;
        st.window_init = nullptr;
        pWnd->Attach(hWnd);
    }
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    afx::State& st = afx::state();
    const MSG saved = st.last_sent;
    st.last_sent = MSG{hWnd, nMsg, wParam, lParam, 0, POINT{0, 0}};
    // The object may be deleted by the time WindowProc returns (PostNcDestroy).
    const LRESULT result = pWnd->WindowProc(nMsg, wParam, lParam);
    st.last_sent = saved;
    return result;
}

const MSG* CWnd::GetCurrentMessage() {
    return &afx::state().last_sent;
}

LRESULT CWnd::Default() {
    const MSG& m = afx::state().last_sent;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) {
        result = DefWindowProc(message, wParam, lParam);
    }
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr) {
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    }
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            if (pResult != nullptr) {
                *pResult = 1;
            }
            return TRUE;
        }
        return FALSE;
    }
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap != nullptr ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn != nullptr; ++e) {
            if (e->nMessage == message) {
                // The handler may end the object's life (WM_NCDESTROY): nothing touches it
                // afterwards.
                const LRESULT result = e->pfn(this, wParam, lParam);
                if (pResult != nullptr) {
                    *pResult = result;
                }
                return TRUE;
            }
        }
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (hWndCtrl == nullptr) {
        nCode = CN_COMMAND;  // a menu item or an accelerator
    } else {
        // The control's own object gets its notification first.
        CWnd* pChild = FromHandlePermanent(hWndCtrl);
        if (pChild != nullptr && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr)) {
            return TRUE;
        }
    }
    if (nID == 0) {
        return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) {
    return FALSE;
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult) {
    CWnd* pChild = FromHandlePermanent(hWndChild);
    return pChild != nullptr && pChild->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult) {
    const MSG& m = afx::state().last_sent;
    return OnChildNotify(m.message, m.wParam, m.lParam, pResult);
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg)) {
            return TRUE;
        }
        if (hWnd == hWndStop) {
            break;
        }
    }
    return FALSE;
}

// ---------------------------------------------------------------------------------------------
// Default handlers: what the window would do without the map entry
// ---------------------------------------------------------------------------------------------

void CWnd::OnPaint() {
    Default();
}
BOOL CWnd::OnEraseBkgnd(CDC*) {
    return static_cast<BOOL>(Default());
}
void CWnd::OnTimer(UINT) {
    Default();
}
void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}
void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}
void CWnd::OnMouseMove(UINT, CPoint) {
    Default();
}
int CWnd::OnCreate(LPCREATESTRUCTA) {
    return static_cast<int>(Default());
}
void CWnd::OnDestroy() {
    Default();
}
void CWnd::OnClose() {
    Default();
}
void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}
BOOL CWnd::OnQueryNewPalette() {
    return static_cast<BOOL>(Default());
}
void CWnd::OnPaletteChanged(CWnd*) {
    Default();
}
HCURSOR CWnd::OnQueryDragIcon() {
    return reinterpret_cast<HCURSOR>(Default());
}

void CWnd::OnNcDestroy() {
    // The main window going away ends the thread's message loop.
    CWinThread* pThread = AfxGetThread();
    if (pThread != nullptr && pThread->m_pMainWnd == this) {
        ::PostQuitMessage(0);
        pThread->m_pMainWnd = nullptr;
    }
    Default();
    Detach();
    PostNcDestroy();  // may delete this
}

void CWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct) {
    if (lpDrawItemStruct != nullptr) {
        if (lpDrawItemStruct->CtlType == ODT_MENU) {
            CMenu* pMenu =
                CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem));
            if (pMenu != nullptr) {
                pMenu->DrawItem(lpDrawItemStruct);
                return;
            }
        } else {
            CWnd* pChild = FromHandlePermanent(lpDrawItemStruct->hwndItem);
            if (pChild != nullptr &&
                pChild->OnChildNotify(WM_DRAWITEM, static_cast<WPARAM>(nIDCtl),
                                      reinterpret_cast<LPARAM>(lpDrawItemStruct), nullptr)) {
                return;
            }
        }
    }
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    if (lpMeasureItemStruct != nullptr) {
        if (lpMeasureItemStruct->CtlType == ODT_MENU) {
            // The item does not name its menu: it is the one being tracked.
            HMENU hMenu = afx::state().tracking_menu;
            CMenu* pMenu = hMenu != nullptr ? CMenu::FromHandlePermanent(hMenu) : nullptr;
            if (pMenu != nullptr) {
                pMenu->MeasureItem(lpMeasureItemStruct);
                return;
            }
        } else {
            HWND hWndChild = ::GetDlgItem(m_hWnd, static_cast<int>(lpMeasureItemStruct->CtlID));
            CWnd* pChild = FromHandlePermanent(hWndChild);
            if (pChild != nullptr &&
                pChild->OnChildNotify(WM_MEASUREITEM, static_cast<WPARAM>(nIDCtl),
                                      reinterpret_cast<LPARAM>(lpMeasureItemStruct), nullptr)) {
                return;
            }
        }
    }
    Default();
}
