// CBoardWnd.cpp: the board control's messages, its turn pacing and its drawing steps.
#include "game/CBoardWnd.h"

#include "app/CGameApp.h"
#include "dialogs/CFinalScoreDialog.h"
#include "game/BoardGeometry.h"
#include "game/BoardPainter.h"
#include "panels/CPreviewWnd.h"
#include "panels/CScoreWnd.h"
#include "platform/win32/cp1250.h"

BEGIN_MESSAGE_MAP(CBoardWnd, CStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_TIMER()
ON_WM_LBUTTONUP()
ON_WM_DESTROY()
END_MESSAGE_MAP()

CBoardWnd::CBoardWnd() {
    m_model.SetListener(this);
}

CBoardWnd::~CBoardWnd() = default;

BOOL CBoardWnd::Start() {
    RebuildBackground();
    m_model.ResetCells();
    m_model.DealOpening();
    m_timerId = SetTimer(s_nTimerId, s_nTimerPeriod, nullptr);
    if (m_timerId == 0) {
        AfxMessageBox(
            "Brak timerów. Pozostałe aplikacje wykorzystują wszystkie dostępne Timery. "
            "Zamknij jedną lub kilka i spróbuj jeszcze raz."_cp1250,
            MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

void CBoardWnd::NewGame() {
    m_model.NewGame();
}

void CBoardWnd::SetShape(BOOL cross) {
    if ((cross != 0) == (m_cross != 0)) {
        return;
    }
    // Idle and the new shape first, so the image is drawn for the new shape's cells before
    // the deal repaints the window.
    m_cross = cross != 0 ? 1 : 0;
    m_model.ClearBoard(m_cross != 0);
    RebuildBackground();
    m_model.NewGame();
}

void CBoardWnd::RebuildBackground() {
    m_background.DeleteObject();
    CDC ic;
    ic.CreateIC("DISPLAY", nullptr, nullptr, nullptr);
    m_model.ResetCells();
    DrawBackground(&ic);
}

void CBoardWnd::DrawBackground(CDC* pIC) {
    DrawBoardBackground(pIC, m_model, m_background);
}

void CBoardWnd::OnLButtonUp(UINT /*nFlags*/, CPoint point) {
    if (m_model.GetState() != BoardModel::Moving) {
        CClientDC dc(this);
        m_pDrawDC = &dc;
        m_model.Click(point.x, point.y);
        m_pDrawDC = nullptr;
    }
    Default();
}

BOOL CBoardWnd::OnEraseBkgnd(CDC* pDC) {
    CDC memory;
    if (memory.CreateCompatibleDC(pDC)) {
        CSelectGuard select(memory, m_background);
        if (select.IsSelected()) {
            pDC->BitBlt(0, 0, kBoardPixels, kBoardPixels, &memory, 0, 0, SRCCOPY);
        }
    }
    return TRUE;
}

void CBoardWnd::OnPaint() {
    CPaintDC dc(this);
    PaintBoard(&dc, m_background, m_model, GetGameApp()->m_pieceSprites);
}

// Every WM_TIMER is a tick, whatever its id. Ticks that piled up while one was handled are
// dropped at its end, so a long end of move is not followed by a burst of steps.
void CBoardWnd::OnTimer(UINT /*nIDEvent*/) {
    switch (m_model.GetState()) {
        case BoardModel::Idle:
            break;
        case BoardModel::Selected: {
            CClientDC dc(this);
            PulseSelected(&dc);
            break;
        }
        case BoardModel::Moving: {
            CClientDC dc(this);
            m_pDrawDC = &dc;
            if (!StepMove(&dc)) {
                m_model.FinishMove();
            }
            m_pDrawDC = nullptr;
            break;
        }
    }
    if (m_bGameOverPending) {
        m_bGameOverPending = FALSE;
        ShowFinalScore();
    }
    MSG msg;
    while (::PeekMessageA(&msg, m_hWnd, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
    Default();
}

void CBoardWnd::OnDestroy() {
    CStatic::OnDestroy();
    if (m_timerId != 0) {
        KillTimer(m_timerId);
        m_timerId = 0;
    }
    m_background.DeleteObject();
}

void CBoardWnd::EraseSprite(CDC* pDC, int x, int y) {
    CopyBackgroundSquare(pDC, m_background, x, y);
}

void CBoardWnd::DrawPiece(CDC* pDC, int x, int y, int colour, int size) {
    CopyPieceImage(pDC, PieceImage(GetGameApp()->m_pieceSprites, colour, size), x, y);
}

void CBoardWnd::DrawPieceAt(CDC* pDC, int row, int column, int colour) {
    EraseSprite(pDC, CellCentre(column), CellCentre(row));
    DrawPiece(pDC, CellCentre(column), CellCentre(row), colour);
}

// Large, medium, small, large...: one image per tick.
void CBoardWnd::PulseSelected(CDC* pDC) {
    const RoutePoint cell = m_model.SelectedCell();
    const int x = CellCentre(cell.column);
    const int y = CellCentre(cell.row);
    EraseSprite(pDC, x, y);
    DrawPiece(pDC, x, y, m_model.SelectedColour(), m_model.AdvancePulse());
}

// Half a cell along the route: erase where the piece was drawn, draw it 14 pixels further.
// FALSE once the piece stands in its target cell.
BOOL CBoardWnd::StepMove(CDC* pDC) {
    TravelStep step{};
    if (!m_model.AdvanceTravel(step)) {
        return FALSE;
    }
    m_stepFromX = static_cast<std::int16_t>(CellCentre(step.from.column));
    m_stepToX = static_cast<std::int16_t>(CellCentre(step.to.column));
    m_stepFromY = static_cast<std::int16_t>(CellCentre(step.from.row));
    m_stepToY = static_cast<std::int16_t>(CellCentre(step.to.row));
    EraseSprite(pDC, step.X(step.erasedHalf), step.Y(step.erasedHalf));
    DrawPiece(pDC, step.X(step.drawnHalf), step.Y(step.drawnHalf), step.colour);
    return step.arrived ? FALSE : TRUE;
}

void CBoardWnd::ShowFinalScore() {
    CFinalScoreDialog dialog;
    dialog.m_nScore = m_pScore != nullptr ? m_pScore->m_nScore : 0;
    dialog.DoModal();
}

CDC* CBoardWnd::DrawingDC(std::optional<CClientDC>& own) {
    if (m_pDrawDC != nullptr) {
        return m_pDrawDC;
    }
    own.emplace(this);
    return &*own;
}

void CBoardWnd::CellEmptied(int row, int column) {
    std::optional<CClientDC> own;
    EraseSprite(DrawingDC(own), CellCentre(column), CellCentre(row));
}

void CBoardWnd::PieceAtRest(int row, int column, int colour) {
    std::optional<CClientDC> own;
    DrawPieceAt(DrawingDC(own), row, column, colour);
}

void CBoardWnd::NextPiecesChanged(const std::int16_t* next, int count) {
    if (m_pPreview == nullptr) {
        return;
    }
    m_pPreview->SetNextPieces(next, static_cast<std::int16_t>(count));
    // A preview not yet attached has no window to repaint.
    if (m_pPreview->GetSafeHwnd() != nullptr) {
        m_pPreview->InvalidateRect(nullptr, TRUE);
        m_pPreview->UpdateWindow();
    }
}

void CBoardWnd::LineRemoved(const BoardLine& line) {
    {
        std::optional<CClientDC> own;
        CDC* dc = DrawingDC(own);
        for (int i = 0; i < line.n; ++i) {
            const RoutePoint cell = line.Cell(i);
            EraseSprite(dc, CellCentre(cell.column), CellCentre(cell.row));
        }
    }
    if (m_pScore != nullptr) {
        m_pScore->AddPoints(line.n);
    }
}

void CBoardWnd::BoardDealt() {
    if (GetSafeHwnd() != nullptr) {
        Invalidate(TRUE);
        UpdateWindow();
    }
}

void CBoardWnd::GameOver() {
    m_bGameOverPending = TRUE;
}
