// CSplashWnd.h: the start-up picture, topmost and centred, gone at its timer or the first press.
#pragma once

#include "platform/afx/afxwin.h"

class CSplashWnd : public CWnd {
public:
    ~CSplashWnd() override;

    // ShowSplash does nothing until this is given TRUE.
    static void SetSplashEnabled(BOOL bEnabled);
    // Creates and paints the one splash window unless it is disabled or already up.
    static void ShowSplash(CWnd* pParentWnd);
    // Dismisses the splash on a key or mouse button press; never consumes the message.
    static void SplashMessageFilter(const MSG* pMsg);

    // Destroys the window (the object deletes itself) and repaints the main window at once.
    void DismissSplash();

    static BOOL s_bSplashEnabled;
    static CSplashWnd* s_pSplash;

protected:
    CSplashWnd() = default;
    // Makes the picture and its palette and creates the window the picture's size.
    BOOL Create(CWnd* pParentWnd);
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT nIDEvent);
    // A press on the picture itself also ends it, so a message box shown by a modal loop that
    // never filters for the splash can still be uncovered.
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    CBitmap m_bitmap;
    CPalette m_palette;
};
