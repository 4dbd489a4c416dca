// PanelPictures.h: the side panels' drawn pictures: the raised frame and the dot-matrix digits.
#pragma once

#include "platform/afx/afxgdi.h"

#include <cstdint>

// Glyph rows of the digits 0 to 9, top row first; bits 4 to 0 are the columns left to right.
inline constexpr int kDigitRows = 7;
inline constexpr int kDigitColumns = 5;
extern const std::uint8_t g_digitFont[10][kDigitRows];

// A digit picture: 20 x 28 pixels, 3 x 3 dots on a 4-pixel pitch.
inline constexpr int kDigitWidth = 20;
inline constexpr int kDigitHeight = 28;
inline constexpr int kDotPitch = 4;
inline constexpr int kDotSize = 3;

// Replaces `frame` with a width x height raised panel compatible with `pReference`: grey face,
// one-pixel white top and left edges, black bottom and right edges. FALSE when the bitmap or its
// memory context cannot be had.
BOOL BuildRaisedFrame(CDC* pReference, CBitmap& frame, int width, int height);

// Replaces `picture` with digit `digit` (0 to 9) drawn in `colour` on the grey face.
BOOL BuildDigitPicture(CDC* pReference, CBitmap& picture, int digit, COLORREF colour);
