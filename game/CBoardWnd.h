// CBoardWnd.h: the board control: owns the game, paces it with a timer and draws it.
#pragma once

#include "game/BoardListener.h"
#include "game/BoardModel.h"
#include "platform/afx/afxwin.h"

#include <cstdint>
#include <optional>

class CPreviewWnd;
class CScoreWnd;

// Attached by subclassing to a static placeholder of the main window. Animation is drawn
// straight into the window through a client DC: a piece is copied in, and removed by copying
// the same square of the empty-board image back.
class CBoardWnd : public CStatic, private BoardListener {
public:
    static constexpr UINT s_nTimerId = 101;
    static constexpr UINT s_nTimerPeriod = 150;  // milliseconds

    CBoardWnd();
    ~CBoardWnd() override;

    // Builds the empty-board image, deals and starts the animation timer. FALSE, after a
    // message box, when no timer could be had.
    BOOL Start();
    // Abandons whatever is under way and deals afresh on the same shape.
    void NewGame();
    // A different shape rebuilds the image and deals afresh; the same shape changes nothing.
    void SetShape(BOOL cross);

    // The click entry: the main window forwards left-button releases in board coordinates.
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);

    const BoardModel& GetModel() const { return m_model; }
    // Setting up a position in tests and tools; the caller repaints.
    BoardModel& GetModelForSetup() { return m_model; }

    CPreviewWnd* m_pPreview = nullptr;  // set by the main window before Start
    CScoreWnd* m_pScore = nullptr;      // set by the main window before Start
    std::int32_t m_cross = 0;           // 0 square, non-zero cross
    UINT m_timerId = 0;                 // 0 while there is no timer

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void RebuildBackground();
    void DrawBackground(CDC* pIC);
    void EraseSprite(CDC* pDC, int x, int y);
    void DrawPiece(CDC* pDC, int x, int y, int colour, int size = 0);
    void DrawPieceAt(CDC* pDC, int row, int column, int colour);
    void PulseSelected(CDC* pDC);
    BOOL StepMove(CDC* pDC);
    void ShowFinalScore();
    // The DC of the click or tick under way, or a client DC made in `own`.
    CDC* DrawingDC(std::optional<CClientDC>& own);

    // BoardListener
    void CellEmptied(int row, int column) override;
    void PieceAtRest(int row, int column, int colour) override;
    void NextPiecesChanged(const std::int16_t* next, int count) override;
    void LineRemoved(const BoardLine& line) override;
    void BoardDealt() override;
    void GameOver() override;

    // Pixel centres of the travelling piece's current step.
    std::int16_t m_stepFromX = 0, m_stepToX = 0, m_stepFromY = 0, m_stepToY = 0;
    BoardModel m_model;
    CBitmap m_background;             // the empty board, 368 x 368
    CDC* m_pDrawDC = nullptr;         // while a click or tick draws
    BOOL m_bGameOverPending = FALSE;  // the final score is shown once the tick's DC is released
};
