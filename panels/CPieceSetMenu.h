// CPieceSetMenu.h: the popup menu of piece sets, one owner-drawn picture item per set.
#pragma once

#include "platform/afx/afxwin.h"

class CPieceSetMenu : public CMenu {
public:
    // Creates the empty popup menu; the pictures come with AppendPieceSets.
    CPieceSetMenu();
    ~CPieceSetMenu() override;
    CPieceSetMenu(const CPieceSetMenu&) = delete;
    CPieceSetMenu& operator=(const CPieceSetMenu&) = delete;

    // Makes the three item pictures and appends one owner-drawn item per set, with the set's
    // sheet id as command and the set number as item data. A picture that cannot be made
    // leaves its item blank but choosable.
    void AppendPieceSets();
    // Copies the top-left cell of set nSet's sheet (its largest red piece) into picture,
    // building palette from the sheet. Nonzero only if every step succeeded.
    BOOL LoadPieceSample(int nSet, CBitmap& picture, CPalette& palette);

    // Every item takes the first picture's size.
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    // The item's picture in a grey frame, or a red frame while it is highlighted.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    static constexpr int s_nSets = 3;

    // Index = piece-set number; null until AppendPieceSets.
    CBitmap* m_pSamples;
    CPalette* m_pSamplePalettes;

private:
    // The picture of item data nData, or null when there is none to select.
    CBitmap* SampleOf(ULONG_PTR nData) const;
};
