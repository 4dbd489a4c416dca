// CPreviewWnd.h: the next-pieces preview: up to three large pieces on a raised grey frame.
#pragma once

#include "platform/afx/afxwin.h"

#include <cstdint>

// Attached by subclassing to a static placeholder; draws a fixed 88 x 32 area at its top-left
// corner. It holds no rules: the board tells it the pieces.
class CPreviewWnd : public CStatic {
public:
    static constexpr int s_nMaxPieces = 3;

    CPreviewWnd();
    ~CPreviewWnd() override;

    // Builds the frame picture for the display; called once after subclassing. Always TRUE.
    BOOL PrepareImages();
    void BuildFrame(CDC* pReference);
    // Copies up to three colours (a larger count is cut to three, a negative one to none);
    // does not repaint.
    void SetNextPieces(const std::int16_t* pColours, std::int16_t nCount);

    CBitmap m_bmFrame;
    std::int16_t m_nWidth = 88;
    std::int16_t m_nHeight = 32;
    std::int16_t m_nPieceCount = 0;
    std::int16_t m_nPieceColour[s_nMaxPieces] = {};

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
