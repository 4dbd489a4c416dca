// CFinalScoreDialog.h: the end-of-game box with the playing time, the score and its announcement.
#pragma once

#include "controls/CTransparentBitmapButton.h"
#include "platform/afx/afxwin.h"

class CFinalScoreDialog : public CDialog {
public:
    explicit CFinalScoreDialog(CWnd* pParent = NULL);
    ~CFinalScoreDialog() override;

    CTransparentBitmapButton m_btnOK;
    // Set by the first paint, so the score is announced once.
    BOOL m_bSoundsPlayed;
    // The final score; the caller sets it before DoModal.
    int m_nScore;

protected:
    BOOL OnInitDialog() override;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
