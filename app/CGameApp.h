// CGameApp.h: the application object: display checks, splash, piece set, the main window.
#pragma once

#include "gfx/CPieceSprites.h"
#include "platform/afx/afxwin.h"

class CGameApp : public CWinApp {
public:
    CGameApp();
    ~CGameApp() override;

    // Checks the display, shows the splash, loads a random piece set and runs the main window
    // modally. Always FALSE: the program ends when it returns, whatever happened.
    BOOL InitInstance() override;
    // Lets the splash see every message first; the message goes on whatever it does.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // When start-up began running the main window; a new game does not move it.
    CTime GetStartTime() const { return m_startTime; }

    // The current piece set, shared by the board, the preview and the main window.
    CPieceSprites m_pieceSprites;

protected:
    CTime m_startTime;

    DECLARE_MESSAGE_MAP()
};

// The running application object.
CGameApp* GetGameApp();
