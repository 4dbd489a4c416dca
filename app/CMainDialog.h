// CMainDialog.h: the game's window: board, preview, score, three picture buttons and tool-tips.
#pragma once

#include "controls/CTransparentAutoCheckBox.h"
#include "controls/CTransparentBitmapButton.h"
#include "game/CBoardWnd.h"
#include "panels/CPreviewWnd.h"
#include "panels/CScoreWnd.h"
#include "platform/afx/afxcmn.h"
#include "platform/afx/afxwin.h"

class CMainDialog : public CDialog {
public:
    explicit CMainDialog(CWnd* pParent = NULL);
    ~CMainDialog() override;

    // Controls over the template's placeholders, alive as long as the dialog object.
    CScoreWnd m_scoreWnd;
    CPreviewWnd m_previewWnd;
    CBoardWnd m_boardWnd;
    CTransparentAutoCheckBox m_shapeButton;  // checked: cross board
    CTransparentBitmapButton m_newGameButton;
    CTransparentBitmapButton m_exitButton;
    CToolTipCtrl m_toolTip;
    HICON m_hIcon;

protected:
    // Piece-set commands of the popup menu reload the application's piece images.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;

    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnShapeClicked();
    afx_msg void OnNewGameClicked();
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnExitClicked();
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // Realises the piece-set palette in a client DC; when entries moved, invalidates the
    // window and answers TRUE.
    BOOL RealizePiecePalette(BOOL bBackground);
    // Whether a point of this window's client area lies over control rWnd.
    BOOL IsOverControl(CWnd& rWnd, CPoint point);
};
