// CGameApp.cpp: the application object: display checks, splash, piece set, the main window.
#include "app/CGameApp.h"

#include "app/CMainDialog.h"
#include "dialogs/CSplashWnd.h"
#include "platform/crt/crt.h"
#include "platform/win32/cp1250.h"

namespace {

constexpr int kMinDriverVersion = 0x300;

// Ends a splash still up when start-up gives up or returns, so it goes with the program.
void EndSplash() {
    if (CSplashWnd::s_pSplash != NULL) {
        CSplashWnd::s_pSplash->DismissSplash();
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CGameApp, CWinApp)
ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

CGameApp::CGameApp() = default;

CGameApp::~CGameApp() = default;

CGameApp* GetGameApp() {
    return static_cast<CGameApp*>(AfxGetApp());
}

BOOL CGameApp::InitInstance() {
    Enable3dControls();

    {
        // Without an information context both capabilities read 0 and the check fails.
        CDC display;
        display.CreateIC("DISPLAY", NULL, NULL, NULL);
        const BOOL bPalette = (display.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
        const BOOL bVersion = display.GetDeviceCaps(DRIVERVERSION) >= kMinDriverVersion;
        if (!bPalette || !bVersion) {
            AfxMessageBox(
                "Do uruchomienia wymagana jest karta graficzna pracująca z paletą "
                "logiczną w trybie 256 kolorów."_cp1250,
                MB_ICONEXCLAMATION);
            return FALSE;
        }
    }

    CSplashWnd::SetSplashEnabled(TRUE);
    CSplashWnd::ShowSplash(NULL);

    crt::srand(static_cast<unsigned>(crt::time(NULL)));
    if (!m_pieceSprites.LoadPieceSet(crt::rand() % 3)) {
        AfxMessageBox("Błąd w trakcie tworzenia pionków do gry."_cp1250, MB_ICONEXCLAMATION);
        EndSplash();
        return FALSE;
    }

    m_startTime = CTime::GetCurrentTime();
    {
        CMainDialog mainDialog;
        m_pMainWnd = &mainDialog;
        mainDialog.DoModal();
        if (m_pMainWnd == &mainDialog) {
            m_pMainWnd = NULL;
        }
    }
    EndSplash();
    return FALSE;
}

BOOL CGameApp::PreTranslateMessage(MSG* pMsg) {
    CSplashWnd::SplashMessageFilter(pMsg);
    return CWinApp::PreTranslateMessage(pMsg);
}
