// ModalLoop.cpp: a window's own message loop, run until EndModalLoop.
#include "platform/afx/afxwin.h"

#include "platform/afx/ModalDepth.h"

namespace {

int g_loop_depth = 0;

// Dispatches one message; FALSE on WM_QUIT.
BOOL pump_one(MSG* pMsg) {
    if (CWinThread* pThread = AfxGetThread()) {
        const BOOL alive = pThread->PumpMessage();
        *pMsg = pThread->m_msgCur;
        return alive;
    }
    if (!::GetMessageA(pMsg, nullptr, 0, 0)) {
        return FALSE;
    }
    if (!CWnd::WalkPreTranslateTree(nullptr, pMsg)) {
        ::TranslateMessage(pMsg);
        ::DispatchMessageA(pMsg);
    }
    return TRUE;
}

BOOL is_idle_message(MSG* pMsg) {
    if (CWinThread* pThread = AfxGetThread()) {
        return pThread->IsIdleMessage(pMsg);
    }
    return pMsg->message != WM_PAINT && pMsg->message != WM_TIMER;
}

}  // namespace

namespace afx {

LoopLevel::LoopLevel() {
    ++g_loop_depth;
}

LoopLevel::~LoopLevel() {
    --g_loop_depth;
}

bool LoopLevel::outermost() {
    return g_loop_depth == 1;
}

}  // namespace afx

int CWnd::RunModalLoop(DWORD dwFlags) {
    afx::LoopLevel level;
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) != 0 && (GetStyle() & WS_VISIBLE) == 0;
    HWND hWndParent = ::GetParent(m_hWnd);
    m_bContinueModal = TRUE;
    MSG msg{};
    for (;;) {
        // Idle while nothing waits: show a hidden dialog, tell the parent, kick the window.
        while (bIdle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if ((dwFlags & MLF_NOIDLEMSG) == 0 && hWndParent != nullptr && lIdleCount == 0) {
                ::SendMessageA(hWndParent, WM_ENTERIDLE, 0, reinterpret_cast<LPARAM>(m_hWnd));
            }
            if (afx::LoopLevel::outermost()) {
                DeleteTempMap();
            }
            if ((dwFlags & MLF_NOKICKIDLE) != 0 ||
                !SendMessage(WM_KICKIDLE, 0, static_cast<LPARAM>(lIdleCount++))) {
                bIdle = FALSE;
            }
            if (!ContinueModal()) {
                m_bContinueModal = FALSE;
                return m_nModalResult;
            }
        }
        do {
            if (!pump_one(&msg)) {
                // WM_QUIT belongs to the loop outside: put it back.
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                m_bContinueModal = FALSE;
                return -1;
            }
            if (bShowIdle && msg.message == WM_SYSKEYDOWN) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal()) {
                return m_nModalResult;
            }
            if (is_idle_message(&msg)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWnd::ContinueModal() {
    return m_bContinueModal;
}

void CWnd::EndModalLoop(int nResult) {
    m_nModalResult = nResult;
    if (m_bContinueModal) {
        m_bContinueModal = FALSE;
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wakes a loop that waits
    }
}
