// BoardGeometry.h: where the cells lie in the board's pixels.
#pragma once

// The board is 368 x 368 pixels; cells are 25 pixels wide, 28 apart, with 3-pixel gaps.
inline constexpr int kBoardPixels = 368;
inline constexpr int kCellPitch = 28;

// Pixel centre of a row or a column: 16 + 28 x index.
constexpr int CellCentre(int index) {
    return 16 + kCellPitch * index;
}
