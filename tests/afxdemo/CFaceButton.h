// CFaceButton.h: an owner-drawn push button with a coloured face that sinks while pressed.
#pragma once

#include "platform/afx/afxwin.h"

class CFaceButton : public CButton {
public:
    // The face is crFace at rest and crPressed while the button is held down.
    CFaceButton(COLORREF crFace, COLORREF crPressed);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // How many times the face was drawn pressed, for the tests.
    int PressedDraws() const { return m_nPressedDraws; }

private:
    COLORREF m_crFace;
    COLORREF m_crPressed;
    int m_nPressedDraws = 0;
};
