// CPreviewWnd.cpp: the preview's frame picture, its pieces and its painting.
#include "panels/CPreviewWnd.h"

#include "app/CGameApp.h"
#include "panels/PanelPictures.h"

#include <algorithm>

namespace {

constexpr int kPieceSize = 18;
constexpr int kMargin = 7;
constexpr int kPiecePitch = 28;
constexpr int kColours = CPieceSprites::s_nColors;
constexpr int kSizes = CPieceSprites::s_nSizes;

}  // namespace

BEGIN_MESSAGE_MAP(CPreviewWnd, CStatic)
ON_WM_ERASEBKGND()
ON_WM_DESTROY()
ON_WM_PAINT()
END_MESSAGE_MAP()

CPreviewWnd::CPreviewWnd() = default;

CPreviewWnd::~CPreviewWnd() = default;

BOOL CPreviewWnd::PrepareImages() {
    CDC ic;
    ic.CreateIC("DISPLAY", nullptr, nullptr, nullptr);
    BuildFrame(&ic);
    return TRUE;
}

void CPreviewWnd::BuildFrame(CDC* pReference) {
    BuildRaisedFrame(pReference, m_bmFrame, m_nWidth, m_nHeight);
}

void CPreviewWnd::SetNextPieces(const std::int16_t* pColours, std::int16_t nCount) {
    const int count = std::clamp<int>(nCount, 0, s_nMaxPieces);
    if (pColours == nullptr && count > 0) {
        return;
    }
    std::copy(pColours, pColours + count, m_nPieceColour);
    m_nPieceCount = static_cast<std::int16_t>(count);
}

BOOL CPreviewWnd::OnEraseBkgnd(CDC* pDC) {
    CDC memory;
    if (memory.CreateCompatibleDC(pDC)) {
        CSelectGuard select(memory, m_bmFrame);
        if (select.IsSelected()) {
            pDC->BitBlt(0, 0, m_nWidth, m_nHeight, &memory, 0, 0, SRCCOPY);
        }
    }
    return TRUE;
}

void CPreviewWnd::OnDestroy() {
    CStatic::OnDestroy();
    m_bmFrame.DeleteObject();
}

// The frame, then the pieces from the left at x = 7, 35, 63, all at y = 7, each large.
void CPreviewWnd::OnPaint() {
    CPaintDC dc(this);
    CDC memory;
    if (!memory.CreateCompatibleDC(&dc)) {
        return;
    }
    const HBITMAP original = memory.SelectObject(&m_bmFrame);
    if (original == nullptr) {
        return;
    }
    dc.BitBlt(0, 0, m_nWidth, m_nHeight, &memory, 0, 0, SRCCOPY);
    for (int i = 0; i < m_nPieceCount; ++i) {
        // The colour modulo 6, kept non-negative; the largest size.
        const int colour = ((m_nPieceColour[i] % kColours) + kColours) % kColours;
        CBitmap& piece = GetGameApp()->m_pieceSprites.m_pieceBitmaps[colour * kSizes];
        if (memory.SelectObject(&piece) != nullptr) {
            dc.BitBlt(kMargin + kPiecePitch * i, kMargin, kPieceSize, kPieceSize, &memory, 0, 0,
                      SRCCOPY);
        }
    }
    memory.SelectObject(original);
}
