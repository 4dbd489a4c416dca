// CColorMenu.h: an owner-drawn popup menu of digit colours, each a swatch and a name.
#pragma once

#include "platform/afx/afxwin.h"

struct DemoColor {
    UINT nID;        // the command the item sends
    COLORREF cr;     // the colour it chooses
    LPCSTR pszName;  // CP1250
};

class CColorMenu : public CMenu {
public:
    static constexpr int kItemWidth = 110;
    static constexpr int kItemHeight = 20;

    // The colours in menu order; command ids ID_DEMO_COLOR_FIRST onwards.
    static const DemoColor* Colors();
    static int ColorCount();
    // The colour of a command, or NULL for an id outside the menu.
    static const DemoColor* ColorOf(UINT nID);

    // Builds the popup with one owner-drawn item a colour; FALSE when it cannot.
    BOOL Build();
    // The item of the current colour carries a check mark.
    void CheckColor(UINT nID);

    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    int DrawnItems() const { return m_nDrawnItems; }

private:
    int m_nDrawnItems = 0;
};
