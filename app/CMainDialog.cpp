// CMainDialog.cpp: the game's window: board, preview, score, three picture buttons and tool-tips.
#include "app/CMainDialog.h"

#include "app/CGameApp.h"
#include "app/TileBackground.h"
#include "dialogs/CAboutDialog.h"
#include "gfx/CPieceSprites.h"
#include "panels/CPieceSetMenu.h"
#include "res/resource.h"
#include "sound/PlayResourceSound.h"

CMainDialog::CMainDialog(CWnd* pParent) : CDialog(IDD_MAIN, pParent) {
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

CMainDialog::~CMainDialog() = default;

BEGIN_MESSAGE_MAP(CMainDialog, CDialog)
ON_WM_QUERYNEWPALETTE()
ON_WM_PALETTECHANGED()
ON_WM_CREATE()
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_ERASEBKGND()
ON_BN_CLICKED(IDC_SHAPE, OnShapeClicked)
ON_BN_CLICKED(IDC_NEW_GAME, OnNewGameClicked)
ON_WM_LBUTTONUP()
ON_WM_DESTROY()
ON_BN_CLICKED(IDC_EXIT, OnExitClicked)
ON_WM_RBUTTONDOWN()
END_MESSAGE_MAP()

void CMainDialog::DoDataExchange(CDataExchange* /*pDX*/) {}

BOOL CMainDialog::OnInitDialog() {
    CDialog::OnInitDialog();

    CString strAbout;
    strAbout.LoadString(IDS_ABOUTBOX);
    if (!strAbout.IsEmpty()) {
        CMenu* pSysMenu = GetSystemMenu(FALSE);
        if (pSysMenu != NULL) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAbout);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_boardWnd.SubclassDlgItem(IDC_BOARD, this);
    m_previewWnd.SubclassDlgItem(IDC_PREVIEW, this);
    m_scoreWnd.SubclassDlgItem(IDC_SCORE, this);

    m_shapeButton.SetupButton(IDC_SHAPE, this, IDB_SHAPE_SQUARE, IDB_SHAPE_CROSS, 0);
    m_newGameButton.SetupButton(IDC_NEW_GAME, this, IDB_NEW_GAME, IDB_NEW_GAME_PRESSED, 0, 0);
    m_exitButton.SetupButton(IDC_EXIT, this, IDB_EXIT, IDB_EXIT_PRESSED, 0, 0);

    m_boardWnd.m_pPreview = &m_previewWnd;
    m_boardWnd.m_pScore = &m_scoreWnd;

    m_scoreWnd.PrepareImages();
    m_previewWnd.PrepareImages();

    // Without its timer no move can finish: the board has said so, and the game ends.
    const BOOL bStarted = m_boardWnd.Start();

    m_toolTip.Create(this, 0);
    m_toolTip.Activate(TRUE);
    CRect rect;
    m_previewWnd.GetWindowRect(&rect);
    ScreenToClient(&rect);
    m_toolTip.AddTool(this, IDS_TIP_PREVIEW, &rect, IDC_PREVIEW);
    m_scoreWnd.GetWindowRect(&rect);
    ScreenToClient(&rect);
    m_toolTip.AddTool(this, IDS_TIP_SCORE, &rect, IDC_SCORE);
    m_toolTip.AddTool(&m_exitButton, IDS_TIP_EXIT);
    m_toolTip.AddTool(&m_newGameButton, IDS_TIP_NEW_GAME);
    m_toolTip.AddTool(&m_shapeButton, IDS_TIP_SHAPE);

    // Posted, so the modal run ends as soon as it begins, as Esc would end it.
    if (!bStarted) {
        PostMessage(WM_COMMAND, IDCANCEL, 0);
    }
    return TRUE;
}

BOOL CMainDialog::PreTranslateMessage(MSG* pMsg) {
    m_toolTip.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

BOOL CMainDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    for (int nSet = 0; nSet < 3; ++nSet) {
        if (wParam == g_pieceSetBitmapIds[nSet]) {
            GetGameApp()->m_pieceSprites.LoadPieceSet(nSet);
            m_boardWnd.InvalidateRect(NULL, TRUE);
            m_boardWnd.UpdateWindow();
            m_previewWnd.InvalidateRect(NULL, TRUE);
            m_previewWnd.UpdateWindow();
            break;
        }
    }
    return CDialog::OnCommand(wParam, lParam);
}

BOOL CMainDialog::RealizePiecePalette(BOOL bBackground) {
    CClientDC dc(this);
    CPalette& palette = GetGameApp()->m_pieceSprites.m_piecePalette;
    const HPALETTE hOldPalette = dc.SelectPalette(&palette, bBackground);
    const UINT nChanged = dc.RealizePalette();
    if (hOldPalette != NULL) {
        dc.SelectPalette(hOldPalette, TRUE);
    }
    if (nChanged > 0 && nChanged != GDI_ERROR) {
        // The images hold system indices of the mapping they were made under (a background one
        // at start-up, beside the splash's colours); a foreground realisation that moved the
        // palette leaves them stale, so they are made again under the mapping now in force.
        CPieceSprites& sprites = GetGameApp()->m_pieceSprites;
        if (!bBackground && sprites.m_nLoadedSet >= 0) {
            sprites.LoadPieceSet(sprites.m_nLoadedSet);
        }
        Invalidate(TRUE);
        return TRUE;
    }
    return FALSE;
}

BOOL CMainDialog::OnQueryNewPalette() {
    return RealizePiecePalette(FALSE);
}

void CMainDialog::OnPaletteChanged(CWnd* pFocusWnd) {
    if (pFocusWnd == NULL || (pFocusWnd != this && !IsChild(pFocusWnd))) {
        RealizePiecePalette(TRUE);
    }
}

int CMainDialog::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    return CDialog::OnCreate(lpCreateStruct);
}

void CMainDialog::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDialog about;
        about.DoModal();
    } else {
        CDialog::OnSysCommand(nID, lParam);
    }
}

void CMainDialog::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    CRect client;
    GetClientRect(&client);
    const int x = (client.Width() - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.Height() - GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CMainDialog::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

BOOL CMainDialog::OnEraseBkgnd(CDC* pDC) {
    return TileBackground(this, pDC);
}

void CMainDialog::OnShapeClicked() {
    // The button has toggled before it notifies; 0 is the square, anything else the cross.
    const BOOL bCross = m_shapeButton.m_checked != 0;
    if (bCross == (m_boardWnd.m_cross != 0)) {
        return;
    }
    m_scoreWnd.ResetScore();
    m_boardWnd.SetShape(m_shapeButton.m_checked);
}

void CMainDialog::OnNewGameClicked() {
    m_scoreWnd.ResetScore();
    m_boardWnd.NewGame();
}

BOOL CMainDialog::IsOverControl(CWnd& rWnd, CPoint point) {
    ClientToScreen(&point);
    CRect rect;
    rWnd.GetWindowRect(&rect);
    return rect.PtInRect(point);
}

void CMainDialog::OnLButtonUp(UINT nFlags, CPoint point) {
    if (!IsOverControl(m_boardWnd, point)) {
        CDialog::OnLButtonUp(nFlags, point);
        return;
    }
    CPoint boardPoint = point;
    ClientToScreen(&boardPoint);
    m_boardWnd.ScreenToClient(&boardPoint);
    m_boardWnd.OnLButtonUp(0, boardPoint);
}

void CMainDialog::OnDestroy() {
    PlayResourceSound(IDW_FAREWELL);
    CDialog::OnDestroy();
}

void CMainDialog::OnExitClicked() {
    CDialog::OnOK();
}

void CMainDialog::OnRButtonDown(UINT nFlags, CPoint point) {
    if (!IsOverControl(m_boardWnd, point) && !IsOverControl(m_previewWnd, point)) {
        CDialog::OnRButtonDown(nFlags, point);
        return;
    }
    CPieceSetMenu menu;
    menu.AppendPieceSets();
    CPoint cursor;
    ::GetCursorPos(&cursor);
    menu.TrackPopupMenu(0, cursor.x, cursor.y, this, NULL);
}
