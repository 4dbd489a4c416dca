// CFinalScoreDialog.cpp: the end-of-game box with the playing time, the score and its announcement.
#include "dialogs/CFinalScoreDialog.h"

#include "app/TileBackground.h"
#include "dialogs/PlayingTime.h"
#include "dialogs/ScoreAnnouncement.h"
#include "platform/win32/cp1250.h"
#include "res/resource.h"

CFinalScoreDialog::CFinalScoreDialog(CWnd* pParent)
    : CDialog(IDD_FINAL_SCORE, pParent), m_bSoundsPlayed(FALSE), m_nScore(0) {}

CFinalScoreDialog::~CFinalScoreDialog() = default;

BEGIN_MESSAGE_MAP(CFinalScoreDialog, CDialog)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

BOOL CFinalScoreDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    m_btnOK.SetupButton(IDOK, this, IDB_EXIT, IDB_EXIT_PRESSED, 0, 0);
    return TRUE;
}

BOOL CFinalScoreDialog::OnEraseBkgnd(CDC* pDC) {
    return TileBackground(this, pDC);
}

void CFinalScoreDialog::OnPaint() {
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        CString strTime;
        FormatPlayingTime(strTime, PlayingSeconds());

        const COLORREF oldColor = dc.SetTextColor(RGB(255, 255, 0));
        const int oldMode = dc.SetBkMode(TRANSPARENT);
        const UINT oldAlign = dc.SetTextAlign(TA_CENTER | TA_TOP);
        dc.TextOut(client.Width() / 2, 20, strTime);
        CString strScore;
        strScore.Format("Uzyskałeś wynik: %d"_cp1250, m_nScore);
        dc.TextOut(client.Width() / 2, 40, strScore);
        dc.SetTextAlign(oldAlign);
        dc.SetBkMode(oldMode);
        dc.SetTextColor(oldColor);
    }
    // The texts are on the screen before the first wave starts; the paint context has ended,
    // so the window is validated and a wave cannot hold up a second paint.
    if (!m_bSoundsPlayed) {
        m_bSoundsPlayed = TRUE;
        AnnounceScore(m_nScore);
    }
}
