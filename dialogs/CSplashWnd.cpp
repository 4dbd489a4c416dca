// CSplashWnd.cpp: the start-up picture, topmost and centred, gone at its timer or the first press.
#include "dialogs/CSplashWnd.h"

#include "gfx/DibFunctions.h"
#include "res/resource.h"

namespace {

constexpr UINT kSplashTimer = 1;
constexpr UINT kSplashMilliseconds = 750;

}  // namespace

BOOL CSplashWnd::s_bSplashEnabled = FALSE;
CSplashWnd* CSplashWnd::s_pSplash = NULL;

BEGIN_MESSAGE_MAP(CSplashWnd, CWnd)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_LBUTTONDOWN()
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

CSplashWnd::~CSplashWnd() {
    if (s_pSplash == this) {
        s_pSplash = NULL;
    }
}

void CSplashWnd::SetSplashEnabled(BOOL bEnabled) {
    s_bSplashEnabled = bEnabled;
}

void CSplashWnd::ShowSplash(CWnd* pParentWnd) {
    if (!s_bSplashEnabled || s_pSplash != NULL) {
        return;
    }
    s_pSplash = new CSplashWnd;
    if (!s_pSplash->Create(pParentWnd)) {
        // A window that got as far as its final message has deleted itself already.
        delete s_pSplash;
        s_pSplash = NULL;
        return;
    }
    s_pSplash->UpdateWindow();
}

void CSplashWnd::SplashMessageFilter(const MSG* pMsg) {
    if (s_pSplash == NULL || pMsg == NULL) {
        return;
    }
    switch (pMsg->message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
            s_pSplash->DismissSplash();
            break;
        default:
            break;
    }
}

void CSplashWnd::DismissSplash() {
    // The object is gone once the window is destroyed.
    DestroyWindow();
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && pMainWnd->GetSafeHwnd() != NULL) {
        pMainWnd->UpdateWindow();
    }
}

BOOL CSplashWnd::Create(CWnd* pParentWnd) {
    const LPCSTR name = MAKEINTRESOURCE(IDB_SPLASH);
    HINSTANCE hModule = AfxFindResourceHandle(name, RT_BITMAP);
    HRSRC hFound = ::FindResourceA(hModule, name, RT_BITMAP);
    if (hFound == NULL) {
        return FALSE;
    }
    HGLOBAL hResource = ::LoadResource(hModule, hFound);
    if (hResource == NULL) {
        return FALSE;
    }
    LPCVOID pHeader = ::LockResource(hResource);
    if (pHeader == NULL) {
        return FALSE;
    }
    const LONG width = GetDibWidth(pHeader);
    const LONG height = GetDibHeight(pHeader);

    m_palette.DeleteObject();
    BuildDibPalette(hResource, pHeader, &m_palette);
    m_bitmap.DeleteObject();
    m_bitmap.Attach(BuildDibBitmap(hResource, pHeader, static_cast<HPALETTE>(m_palette.m_hObject)));

    const LPCSTR className = AfxRegisterWndClass(0, ::LoadCursorA(NULL, IDC_ARROW), NULL, NULL);
    // A bottom-up picture stores a positive height, a top-down one a negative height.
    return CreateEx(WS_EX_TOPMOST, className, NULL, WS_POPUP | WS_VISIBLE, 0, 0, width,
                    height < 0 ? -height : height,
                    pParentWnd != NULL ? pParentWnd->GetSafeHwnd() : NULL, NULL);
}

void CSplashWnd::PostNcDestroy() {
    delete this;
}

int CSplashWnd::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CWnd::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    CenterWindow();
    SetTimer(kSplashTimer, kSplashMilliseconds, NULL);
    return 0;
}

void CSplashWnd::OnPaint() {
    CPaintDC dc(this);
    CDC memDC;
    if (!memDC.CreateCompatibleDC(&dc)) {
        return;
    }
    BITMAP bm{};
    m_bitmap.GetBitmap(&bm);
    CSelectGuard bitmap(memDC, m_bitmap);
    CPaletteGuard palette(dc, static_cast<HPALETTE>(m_palette.m_hObject), TRUE);
    dc.RealizePalette();
    dc.BitBlt(0, 0, bm.bmWidth, bm.bmHeight, &memDC, 0, 0, SRCCOPY);
}

void CSplashWnd::OnTimer(UINT /*nIDEvent*/) {
    DismissSplash();
}

void CSplashWnd::OnLButtonDown(UINT /*nFlags*/, CPoint /*point*/) {
    DismissSplash();
}

void CSplashWnd::OnRButtonDown(UINT /*nFlags*/, CPoint /*point*/) {
    DismissSplash();
}
