// DibFunctions.h: reading packed DIBs in place from resource memory: sizes, palette, bitmap.
#pragma once

#include "platform/afx/afxgdi.h"
#include "platform/win32/windows.h"

// The header forms told apart by the size field: 12 is the core header, 40, 108 and 124 the
// info header. Any other size, or a header reaching past the end of its resource, makes every
// function below answer 0 or NULL.

// Colour-table entries: colours-used of an info header when nonzero, else 2, 16 or 256 for
// 1, 4 or 8 bits per pixel and 0 for more; truncated to 16 bits.
WORD GetDibColorCount(LPCVOID pHeader);
// Width and height as the header stores them (negative height: top-down rows).
LONG GetDibWidth(LPCVOID pHeader);
LONG GetDibHeight(LPCVOID pHeader);
// Bytes of the colour table: 4 per entry after an info header, 3 after a core header.
WORD GetDibColorTableSize(LPCVOID pHeader);

// Makes a logical palette of the colour table (flags 0) and attaches it to the empty
// *pPalette. FALSE, with *pPalette left empty, when hResource is NULL, the DIB has no table or
// memory cannot be had.
BOOL BuildDibPalette(HGLOBAL hResource, LPCVOID pHeader, CPalette* pPalette);
// A device bitmap of the screen's format made from the DIB while hPalette (may be NULL) is
// realised on the screen DC; the caller owns it. NULL on failure.
HBITMAP BuildDibBitmap(HGLOBAL hResource, LPCVOID pHeader, HPALETTE hPalette);

// The packed DIB of bitmap resource nId of hInstance, in place: its resource handle and header.
// FALSE, with nothing written, when it cannot be found, loaded or locked.
BOOL LockDibResource(HINSTANCE hInstance, UINT nId, HGLOBAL* phResource, LPCVOID* ppHeader);
