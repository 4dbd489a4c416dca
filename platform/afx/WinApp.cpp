// WinApp.cpp: the application object, its message loop and the program's start.
#include "platform/afx/afxwin.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/ModalDepth.h"

#include <vector>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

// ---------------------------------------------------------------------------------------------
// CWinThread
// ---------------------------------------------------------------------------------------------

BOOL CWinThread::InitInstance() {
    return FALSE;
}

int CWinThread::ExitInstance() {
    // The exit code WM_QUIT carried when it ended the loop; a run that ended otherwise (start-up
    // refused, or a modal run inside it) has none, whatever message was pumped last.
    return m_msgCur.message == WM_QUIT ? static_cast<int>(m_msgCur.wParam) : 0;
}

CWnd* CWinThread::GetMainWnd() {
    return m_pMainWnd;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg) {
    // Paint and timer messages come again and again; they do not end idleness.
    return pMsg->message != WM_PAINT && pMsg->message != WM_TIMER && pMsg->message != WM_KICKIDLE &&
           pMsg->message != WM_NULL;
}

BOOL CWinThread::OnIdle(LONG lCount) {
    if (lCount <= 0) {
        return TRUE;  // one more call frees the temporary objects
    }
    if (afx::LoopLevel::outermost()) {
        afx::delete_temp_maps();
    }
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) {
    CWnd* pMainWnd = GetMainWnd();
    if (CWnd::WalkPreTranslateTree(pMainWnd != nullptr ? pMainWnd->m_hWnd : nullptr, pMsg)) {
        return TRUE;
    }
    // A message of another top-level window (a modeless one) still gets the main window's
    // dialog keys.
    if (pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && pMsg->hwnd != nullptr) {
        CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
        if (pWnd->GetTopLevelParent() != pMainWnd) {
            return pMainWnd->PreTranslateInput(pMsg);
        }
    }
    return FALSE;
}

BOOL CWinThread::PumpMessage() {
    if (!::GetMessageA(&m_msgCur, nullptr, 0, 0)) {
        return FALSE;
    }
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

int CWinThread::Run() {
    afx::LoopLevel level;
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    MSG peek{};
    for (;;) {
        while (bIdle && !::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++)) {
                bIdle = FALSE;
            }
        }
        do {
            if (!PumpMessage()) {
                return ExitInstance();
            }
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

// ---------------------------------------------------------------------------------------------
// CWinApp
// ---------------------------------------------------------------------------------------------

namespace {

// Application objects alive, latest last: the latest is the application.
std::vector<CWinApp*>& app_stack() {
    static std::vector<CWinApp*> apps;
    return apps;
}

constexpr const char* kDefaultAppName = "Pilo";

}  // namespace

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName) {
    if (lpszAppName != nullptr) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
        m_bNameGiven = TRUE;
    }
    app_stack().push_back(this);
    afx::state().app = this;
}

CWinApp::~CWinApp() {
    auto& apps = app_stack();
    std::erase(apps, this);
    afx::state().app = apps.empty() ? nullptr : apps.back();
}

void CWinApp::SetAppNameFromResources() {
    if (m_bNameGiven) {
        return;
    }
    CString title;
    m_strAppName = title.LoadString(AFX_IDS_APP_TITLE) ? title : CString(kDefaultAppName);
    m_pszAppName = m_strAppName;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return LoadIcon(MAKEINTRESOURCEA(nIDResource));
}

HICON CWinApp::LoadIcon(LPCSTR lpszResourceName) const {
    return ::LoadIconA(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

HCURSOR CWinApp::LoadStandardCursor(LPCSTR lpszCursorName) const {
    return ::LoadCursorA(nullptr, lpszCursorName);
}

BOOL CWinApp::Enable3dControls() {
    return TRUE;
}

void CWinApp::OnHelp() {}

CWinApp* AfxGetApp() {
    return afx::state().app;
}

CWinThread* AfxGetThread() {
    return AfxGetApp();
}

CWnd* AfxGetMainWnd() {
    CWinThread* pThread = AfxGetThread();
    return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->m_hInstance : nullptr;
}

LPCSTR AfxGetAppName() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return kDefaultAppName;
    }
    if (app->m_pszAppName == nullptr) {
        app->SetAppNameFromResources();
    }
    return app->m_pszAppName;
}

int AfxWinMain() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return -1;
    }
    app->SetAppNameFromResources();
    int code = 0;
    if (!app->InitInstance()) {
        if (app->m_pMainWnd != nullptr) {
            app->m_pMainWnd->DestroyWindow();
        }
        code = app->ExitInstance();
    } else {
        code = app->Run();
    }
    afx::delete_temp_maps();
    return code;
}
