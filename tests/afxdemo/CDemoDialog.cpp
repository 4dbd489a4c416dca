// CDemoDialog.cpp: the demo's modal dialog: a timed counter, three face buttons, a colour menu
// on the right button and tool-tips on the buttons.
#include "tests/afxdemo/CDemoDialog.h"

#include "platform/win32/cp1250.h"
#include "tests/afxdemo/DemoResource.h"

BEGIN_MESSAGE_MAP(CDemoDialog, CDialog)
ON_WM_TIMER()
ON_WM_RBUTTONDOWN()
ON_WM_DESTROY()
ON_BN_CLICKED(IDC_DEMO_PAUSE, OnPauseClicked)
ON_BN_CLICKED(IDC_DEMO_RESET, OnResetClicked)
ON_BN_CLICKED(IDC_DEMO_STEP, OnStepClicked)
ON_COMMAND_RANGE(ID_DEMO_COLOR_FIRST, ID_DEMO_COLOR_LAST, OnColor)
END_MESSAGE_MAP()

CDemoDialog::CDemoDialog(CWnd* pParent)
    : CDialog(IDD_AFXDEMO, pParent),
      m_btnPause(RGB(0, 128, 0), RGB(0, 255, 0)),
      m_btnReset(RGB(128, 0, 0), RGB(255, 0, 0)),
      m_btnStep(RGB(0, 0, 128), RGB(0, 0, 255)) {}

const CFaceButton& CDemoDialog::Button(UINT nID) const {
    switch (nID) {
        case IDC_DEMO_RESET:
            return m_btnReset;
        case IDC_DEMO_STEP:
            return m_btnStep;
        default:
            return m_btnPause;
    }
}

BOOL CDemoDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcon(AfxGetApp()->LoadIcon(IDI_AFXDEMO), TRUE);
    m_counter.SubclassDlgItem(IDC_DEMO_COUNTER, this);
    m_btnPause.SubclassDlgItem(IDC_DEMO_PAUSE, this);
    m_btnReset.SubclassDlgItem(IDC_DEMO_RESET, this);
    m_btnStep.SubclassDlgItem(IDC_DEMO_STEP, this);
    m_menu.Build();

    // The buttons are whole-window tools; the dialog relays their mouse messages.
    if (m_toolTip.Create(this)) {
        m_toolTip.AddTool(&m_btnPause, "Zatrzymuje albo wznawia licznik"_cp1250);
        m_toolTip.AddTool(&m_btnReset, "Zeruje licznik"_cp1250);
        m_toolTip.AddTool(&m_btnStep, "Dodaje dziesięć"_cp1250);
        m_toolTip.Activate(TRUE);
    }

    m_bRunning = SetTimer(kTickTimer, kTickMs, NULL) != 0;
    return TRUE;
}

BOOL CDemoDialog::PreTranslateMessage(MSG* pMsg) {
    if (m_toolTip.GetSafeHwnd() != NULL) {
        m_toolTip.RelayEvent(pMsg);
    }
    return CDialog::PreTranslateMessage(pMsg);
}

void CDemoDialog::OnTimer(UINT nIDEvent) {
    if (nIDEvent == kTickTimer) {
        m_counter.SetValue(m_counter.GetValue() + 1);
        return;
    }
    CDialog::OnTimer(nIDEvent);
}

void CDemoDialog::OnRButtonDown(UINT, CPoint point) {
    if (m_menu.GetSafeHmenu() == NULL) {
        return;
    }
    ++m_nMenusShown;
    ClientToScreen(&point);
    // The choice arrives afterwards as a posted command.
    m_menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CDemoDialog::OnDestroy() {
    KillTimer(kTickTimer);
    CDialog::OnDestroy();
}

void CDemoDialog::OnPauseClicked() {
    if (m_bRunning) {
        KillTimer(kTickTimer);
        m_bRunning = FALSE;
    } else {
        m_bRunning = SetTimer(kTickTimer, kTickMs, NULL) != 0;
    }
    m_btnPause.SetWindowText(m_bRunning ? "Pauza" : "Dalej");
    m_btnPause.Invalidate(FALSE);
}

void CDemoDialog::OnResetClicked() {
    m_counter.SetValue(0);
}

void CDemoDialog::OnStepClicked() {
    m_counter.SetValue(m_counter.GetValue() + kStep);
}

void CDemoDialog::OnColor(UINT nID) {
    if (const DemoColor* pColor = CColorMenu::ColorOf(nID)) {
        m_counter.SetDigitColor(pColor->cr);
        m_menu.CheckColor(nID);
    }
}
