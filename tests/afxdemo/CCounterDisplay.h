// CCounterDisplay.h: a static placeholder that paints a number as seven-segment digits.
#pragma once

#include "platform/afx/afxwin.h"

class CCounterDisplay : public CStatic {
public:
    static constexpr int kDigits = 4;

    // Shows nValue modulo 10^kDigits, with leading zeros; repaints when it changes.
    void SetValue(int nValue);
    int GetValue() const { return m_nValue; }
    // The colour of lit segments; repaints when it changes.
    void SetDigitColor(COLORREF crDigit);
    COLORREF GetDigitColor() const { return m_crDigit; }

    // The segments of a digit, bit 0 = top, then upper right, lower right, bottom, lower left,
    // upper left, middle.
    static unsigned SegmentsOf(int nDigit);
    // The rectangle of segment nSegment of a digit cell at rcCell.
    static CRect SegmentRect(const CRect& rcCell, int nSegment);
    // The cell of digit nIndex (0 leftmost) in a client area of the given size.
    static CRect DigitCell(const CRect& rcClient, int nIndex);

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    int m_nValue = 0;
    COLORREF m_crDigit = RGB(255, 0, 0);
};
