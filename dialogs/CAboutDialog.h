// CAboutDialog.h: the About box: playing time and credit line over the texture.
#pragma once

#include "controls/CTransparentBitmapButton.h"
#include "platform/afx/afxwin.h"

class CAboutDialog : public CDialog {
public:
    CAboutDialog();
    ~CAboutDialog() override;

    CTransparentBitmapButton m_btnOK;
    // Holds each painted line in turn.
    CString m_strText;

protected:
    BOOL OnInitDialog() override;

    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
