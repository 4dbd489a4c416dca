// CDemoDialog.h: the demo's modal dialog: a timed counter, three face buttons, a colour menu
// on the right button and tool-tips on the buttons.
#pragma once

#include "platform/afx/afxcmn.h"
#include "platform/afx/afxwin.h"
#include "tests/afxdemo/CColorMenu.h"
#include "tests/afxdemo/CCounterDisplay.h"
#include "tests/afxdemo/CFaceButton.h"

class CDemoDialog : public CDialog {
public:
    static constexpr UINT kTickTimer = 1;
    static constexpr UINT kTickMs = 500;
    static constexpr int kStep = 10;

    explicit CDemoDialog(CWnd* pParent = NULL);

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // What the tests look at.
    const CCounterDisplay& Counter() const { return m_counter; }
    const CFaceButton& Button(UINT nID) const;
    const CColorMenu& ColorMenu() const { return m_menu; }
    const CToolTipCtrl& ToolTip() const { return m_toolTip; }
    BOOL IsRunning() const { return m_bRunning; }
    int MenusShown() const { return m_nMenusShown; }

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnDestroy();
    afx_msg void OnPauseClicked();
    afx_msg void OnResetClicked();
    afx_msg void OnStepClicked();
    afx_msg void OnColor(UINT nID);
    DECLARE_MESSAGE_MAP()

private:
    CCounterDisplay m_counter;
    CFaceButton m_btnPause;
    CFaceButton m_btnReset;
    CFaceButton m_btnStep;
    CColorMenu m_menu;
    CToolTipCtrl m_toolTip;
    BOOL m_bRunning = FALSE;
    int m_nMenusShown = 0;
};
