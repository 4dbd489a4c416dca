// CColorMenu.cpp: an owner-drawn popup menu of digit colours, each a swatch and a name.
#include "tests/afxdemo/CColorMenu.h"

#include "platform/win32/cp1250.h"
#include "tests/afxdemo/DemoResource.h"

namespace {

const DemoColor g_colors[] = {
    {ID_DEMO_COLOR_FIRST + 0, RGB(255, 0, 0), "Czerwony"_cp1250},
    {ID_DEMO_COLOR_FIRST + 1, RGB(0, 255, 0), "Zielony"_cp1250},
    {ID_DEMO_COLOR_FIRST + 2, RGB(0, 255, 255), "Błękitny"_cp1250},
    {ID_DEMO_COLOR_FIRST + 3, RGB(255, 255, 0), "Żółty"_cp1250},
};
static_assert(sizeof g_colors / sizeof g_colors[0] == ID_DEMO_COLOR_LAST - ID_DEMO_COLOR_FIRST + 1);

}  // namespace

const DemoColor* CColorMenu::Colors() {
    return g_colors;
}

int CColorMenu::ColorCount() {
    return static_cast<int>(sizeof g_colors / sizeof g_colors[0]);
}

const DemoColor* CColorMenu::ColorOf(UINT nID) {
    if (nID < ID_DEMO_COLOR_FIRST || nID > ID_DEMO_COLOR_LAST) {
        return nullptr;
    }
    return &g_colors[nID - ID_DEMO_COLOR_FIRST];
}

BOOL CColorMenu::Build() {
    if (!CreatePopupMenu()) {
        return FALSE;
    }
    for (const DemoColor& c : g_colors) {
        // The item's data is its colour record, handed back in every measure and draw.
        if (!AppendMenu(MF_OWNERDRAW, c.nID, reinterpret_cast<LPCSTR>(&c))) {
            DestroyMenu();
            return FALSE;
        }
    }
    return TRUE;
}

void CColorMenu::CheckColor(UINT nID) {
    for (const DemoColor& c : g_colors) {
        CheckMenuItem(c.nID, MF_BYCOMMAND | (c.nID == nID ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CColorMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    lpMeasureItemStruct->itemWidth = kItemWidth;
    lpMeasureItemStruct->itemHeight = kItemHeight;
}

void CColorMenu::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    const auto* pColor = reinterpret_cast<const DemoColor*>(lpDrawItemStruct->itemData);
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    if (pColor == nullptr || pDC == nullptr) {
        return;
    }
    ++m_nDrawnItems;
    const BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    const CRect rc(lpDrawItemStruct->rcItem);
    pDC->FillSolidRect(&rc, ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_MENU));

    // A framed swatch at the left, a check dot before it for the current colour.
    CRect rcSwatch(rc.left + 14, rc.top + 3, rc.left + 14 + 14, rc.bottom - 3);
    pDC->FillSolidRect(&rcSwatch, pColor->cr);
    pDC->Draw3dRect(&rcSwatch, RGB(0, 0, 0), RGB(0, 0, 0));
    const COLORREF crText = ::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
    if ((lpDrawItemStruct->itemState & ODS_CHECKED) != 0) {
        const int y = (rc.top + rc.bottom) / 2;
        pDC->FillSolidRect(rc.left + 5, y - 2, 4, 4, crText);
    }
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(crText);
    const CSize size = pDC->GetTextExtent(pColor->pszName);
    pDC->TextOut(rcSwatch.right + 8, rc.top + (rc.Height() - size.cy) / 2, pColor->pszName);
}
