// CScoreWnd.h: the score display: the last three digits of the score in a 5 x 7 dot matrix.
#pragma once

#include "platform/afx/afxwin.h"

#include <cstdint>

// Attached by subclassing to a static placeholder; draws a fixed 76 x 36 area. It holds the
// game's score. The digits change colour each time the score passes another thousand.
class CScoreWnd : public CStatic {
public:
    static constexpr int s_nColours = 6;

    // Seeds the generator from the calendar clock and picks the first digit colour at random.
    CScoreWnd();
    ~CScoreWnd() override;

    // Builds the frame and the digits for the display; called once after subclassing.
    BOOL PrepareImages();
    void BuildFrame(CDC* pReference);
    // Draws all ten digits in colour m_nColourIndex, then picks a different colour for next time.
    void BuildDigits(CDC* pReference);
    // Adds a line's points and repaints at once; a thousand passed changes the digit colour.
    void AddPoints(int nPoints);
    // Score 0 in red, repainted at once.
    void ResetScore();

    COLORREF m_crDigit[s_nColours];
    std::int16_t m_nColourIndex = 0;
    std::int32_t m_nScore = 0;
    std::int32_t m_nPointsSinceRecolour = 0;  // the score modulo 1000
    std::int16_t m_nWidth = 76;
    std::int16_t m_nHeight = 36;
    CBitmap m_bmFrame;
    CBitmap m_bmDigits[10];

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

private:
    void RebuildDigitsForScreen();
    void Repaint();
};
