// CAboutDialog.cpp: the About box: playing time and credit line over the texture.
#include "dialogs/CAboutDialog.h"

#include "app/TileBackground.h"
#include "dialogs/PlayingTime.h"
#include "platform/win32/cp1250.h"
#include "res/resource.h"

CAboutDialog::CAboutDialog() : CDialog(IDD_ABOUTBOX, NULL) {}

CAboutDialog::~CAboutDialog() = default;

BEGIN_MESSAGE_MAP(CAboutDialog, CDialog)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CAboutDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_btnOK.SetupButton(IDOK, this, IDB_EXIT, IDB_EXIT_PRESSED, 0, 0);
    return TRUE;
}

BOOL CAboutDialog::OnEraseBkgnd(CDC* pDC) {
    return TileBackground(this, pDC);
}

void CAboutDialog::OnPaint() {
    CPaintDC dc(this);
    const COLORREF oldColor = dc.SetTextColor(RGB(255, 255, 0));
    const int oldMode = dc.SetBkMode(TRANSPARENT);

    FormatPlayingTime(m_strText, PlayingSeconds());
    dc.TextOut(10, 20, m_strText);

    m_strText.Empty();
    m_strText = "Programował: zespół Pilo"_cp1250;
    dc.SetTextColor(RGB(255, 0, 0));
    dc.TextOut(10, 40, m_strText);

    dc.SetBkMode(oldMode);
    dc.SetTextColor(oldColor);
}
