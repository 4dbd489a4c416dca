// CScoreWnd.cpp: the score, its digit pictures and colours, and the display's painting.
#include "panels/CScoreWnd.h"

#include "panels/PanelPictures.h"
#include "platform/crt/crt.h"

#include <algorithm>
#include <limits>

namespace {

constexpr int kRecolourPoints = 1000;
constexpr int kDigitTop = 4;
// Hundreds, tens and ones stand in fixed cells; the number is right-aligned.
constexpr int kHundredsX = 4;
constexpr int kTensX = 28;
constexpr int kOnesX = 52;

}  // namespace

BEGIN_MESSAGE_MAP(CScoreWnd, CStatic)
ON_WM_ERASEBKGND()
ON_WM_DESTROY()
ON_WM_PAINT()
END_MESSAGE_MAP()

CScoreWnd::CScoreWnd()
    : m_crDigit{RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255),
                RGB(255, 255, 0), RGB(255, 0, 255), RGB(0, 255, 255)} {
    crt::srand(static_cast<unsigned>(crt::time(nullptr)));
    m_nColourIndex = static_cast<std::int16_t>(crt::rand() % s_nColours);
}

CScoreWnd::~CScoreWnd() = default;

BOOL CScoreWnd::PrepareImages() {
    CDC ic;
    ic.CreateIC("DISPLAY", nullptr, nullptr, nullptr);
    BuildFrame(&ic);
    BuildDigits(&ic);
    return TRUE;
}

void CScoreWnd::BuildFrame(CDC* pReference) {
    BuildRaisedFrame(pReference, m_bmFrame, m_nWidth, m_nHeight);
}

void CScoreWnd::BuildDigits(CDC* pReference) {
    for (int digit = 0; digit < 10; ++digit) {
        BuildDigitPicture(pReference, m_bmDigits[digit], digit, m_crDigit[m_nColourIndex]);
    }
    // The next colour always differs from this one.
    int next = 0;
    do {
        next = crt::rand() % s_nColours;
    } while (next == m_nColourIndex);
    m_nColourIndex = static_cast<std::int16_t>(next);
}

void CScoreWnd::RebuildDigitsForScreen() {
    CDC ic;
    ic.CreateIC("DISPLAY", nullptr, nullptr, nullptr);
    BuildDigits(&ic);
}

// Points are never negative; a negative gain is refused so the score cannot fall below 0, and
// the score stops at the largest value rather than wrapping.
void CScoreWnd::AddPoints(int nPoints) {
    if (nPoints < 0) {
        return;
    }
    const std::int32_t room = std::numeric_limits<std::int32_t>::max() - m_nScore;
    nPoints = std::min(nPoints, room);
    m_nScore += nPoints;
    m_nPointsSinceRecolour += nPoints;
    if (m_nPointsSinceRecolour >= kRecolourPoints) {
        m_nPointsSinceRecolour = m_nScore % kRecolourPoints;
        RebuildDigitsForScreen();
    }
    Repaint();
}

void CScoreWnd::ResetScore() {
    m_nScore = 0;
    m_nPointsSinceRecolour = 0;
    m_nColourIndex = 0;
    RebuildDigitsForScreen();
    Repaint();
}

void CScoreWnd::Repaint() {
    if (GetSafeHwnd() != nullptr) {
        InvalidateRect(nullptr, TRUE);
        UpdateWindow();
    }
}

BOOL CScoreWnd::OnEraseBkgnd(CDC* pDC) {
    CDC memory;
    if (memory.CreateCompatibleDC(pDC)) {
        CSelectGuard select(memory, m_bmFrame);
        if (select.IsSelected()) {
            pDC->BitBlt(0, 0, m_nWidth, m_nHeight, &memory, 0, 0, SRCCOPY);
        }
    }
    return TRUE;
}

void CScoreWnd::OnDestroy() {
    CStatic::OnDestroy();
    m_bmFrame.DeleteObject();
    for (CBitmap& digit : m_bmDigits) {
        digit.DeleteObject();
    }
}

// Leading zeros stay blank; the ones digit always shows.
void CScoreWnd::OnPaint() {
    const int value = m_nScore % 1000;
    const int hundreds = value / 100;
    const int tens = (value - 100 * hundreds) / 10;
    const int ones = value - 100 * hundreds - 10 * tens;

    CPaintDC dc(this);
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc)) {
        return;
    }
    const auto copy = [&](CBitmap& picture, int x, int y, int width, int height) {
        CSelectGuard select(memory, picture);
        if (select.IsSelected()) {
            dc.BitBlt(x, y, width, height, &memory, 0, 0, SRCCOPY);
        }
    };
    copy(m_bmFrame, 0, 0, m_nWidth, m_nHeight);
    if (hundreds > 0) {
        copy(m_bmDigits[hundreds], kHundredsX, kDigitTop, kDigitWidth, kDigitHeight);
    }
    if (hundreds > 0 || tens > 0) {
        copy(m_bmDigits[tens], kTensX, kDigitTop, kDigitWidth, kDigitHeight);
    }
    copy(m_bmDigits[ones], kOnesX, kDigitTop, kDigitWidth, kDigitHeight);
}
