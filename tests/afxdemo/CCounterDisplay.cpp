// CCounterDisplay.cpp: a static placeholder that paints a number as seven-segment digits.
#include "tests/afxdemo/CCounterDisplay.h"

namespace {

constexpr COLORREF kBackground = RGB(0, 0, 0);
constexpr COLORREF kUnlit = RGB(128, 0, 0);
constexpr int kThickness = 8;

int power_of_ten(int n) {
    int p = 1;
    while (n-- > 0) {
        p *= 10;
    }
    return p;
}

}  // namespace

BEGIN_MESSAGE_MAP(CCounterDisplay, CStatic)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CCounterDisplay::SetValue(int nValue) {
    const int nModulus = power_of_ten(kDigits);
    nValue %= nModulus;
    if (nValue < 0) {
        nValue += nModulus;
    }
    if (nValue != m_nValue) {
        m_nValue = nValue;
        Invalidate(FALSE);
    }
}

void CCounterDisplay::SetDigitColor(COLORREF crDigit) {
    if (crDigit != m_crDigit) {
        m_crDigit = crDigit;
        Invalidate(FALSE);
    }
}

unsigned CCounterDisplay::SegmentsOf(int nDigit) {
    static constexpr unsigned kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                               0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    return nDigit >= 0 && nDigit <= 9 ? kSegments[nDigit] : 0;
}

CRect CCounterDisplay::SegmentRect(const CRect& rcCell, int nSegment) {
    const int l = rcCell.left, t = rcCell.top, r = rcCell.right, b = rcCell.bottom;
    const int m = (t + b) / 2;
    const int h = kThickness / 2;
    switch (nSegment) {
        case 0:
            return CRect(l + kThickness, t, r - kThickness, t + kThickness);
        case 1:
            return CRect(r - kThickness, t + kThickness, r, m - h);
        case 2:
            return CRect(r - kThickness, m + h, r, b - kThickness);
        case 3:
            return CRect(l + kThickness, b - kThickness, r - kThickness, b);
        case 4:
            return CRect(l, m + h, l + kThickness, b - kThickness);
        case 5:
            return CRect(l, t + kThickness, l + kThickness, m - h);
        case 6:
            return CRect(l + kThickness, m - h, r - kThickness, m + h);
        default:
            return CRect(0, 0, 0, 0);
    }
}

CRect CCounterDisplay::DigitCell(const CRect& rcClient, int nIndex) {
    // Cells of equal width with a gap of a fifth of a cell, centred, with a margin above and
    // below of a tenth of the height.
    const int nMargin = rcClient.Height() / 10;
    const int nCell = rcClient.Width() * 5 / (kDigits * 6 + 1);
    const int nGap = nCell / 5;
    const int nTotal = kDigits * nCell + (kDigits - 1) * nGap;
    const int nLeft = rcClient.left + (rcClient.Width() - nTotal) / 2 + nIndex * (nCell + nGap);
    return CRect(nLeft, rcClient.top + nMargin, nLeft + nCell, rcClient.bottom - nMargin);
}

BOOL CCounterDisplay::OnEraseBkgnd(CDC*) {
    return TRUE;  // the paint covers every pixel
}

void CCounterDisplay::OnPaint() {
    CPaintDC dc(this);
    CRect rcClient;
    GetClientRect(&rcClient);
    dc.FillSolidRect(&rcClient, kBackground);
    int nRest = m_nValue;
    for (int i = kDigits - 1; i >= 0; --i) {
        const unsigned segments = SegmentsOf(nRest % 10);
        nRest /= 10;
        const CRect rcCell = DigitCell(rcClient, i);
        for (int s = 0; s < 7; ++s) {
            const CRect rcSegment = SegmentRect(rcCell, s);
            dc.FillSolidRect(&rcSegment, (segments >> s) & 1u ? m_crDigit : kUnlit);
        }
    }
}
