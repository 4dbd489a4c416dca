// DibFunctions.cpp: reading packed DIBs in place from resource memory: sizes, palette, bitmap.
#include "gfx/DibFunctions.h"

#include "platform/win32/kernel/ResourceBounds.h"

#include <cstdint>
#include <cstring>

namespace {

enum class DibForm { None, Core, Info };

// The header fields the functions use, widened to the info header's types.
struct DibFields {
    DWORD dwSize = 0;
    LONG lWidth = 0;
    LONG lHeight = 0;
    WORD wBitCount = 0;
    DWORD dwClrUsed = 0;  // 0 for a core header, which has none
};

// Bytes that may be read from p: to the end of its resource, unbounded outside one.
std::size_t ReadableBytes(LPCVOID p) {
    const auto bytes = kernel::resource_bytes_from(p);
    return bytes ? bytes->size() : SIZE_MAX;
}

// Reads the header when its size names a known form and the whole header is readable.
DibForm ReadDibFields(LPCVOID pHeader, DibFields& fields) {
    if (pHeader == nullptr) {
        return DibForm::None;
    }
    const std::size_t readable = ReadableBytes(pHeader);
    if (readable < sizeof(DWORD)) {
        return DibForm::None;
    }
    DWORD dwSize = 0;
    std::memcpy(&dwSize, pHeader, sizeof(dwSize));
    if (dwSize == sizeof(BITMAPCOREHEADER) && readable >= dwSize) {
        BITMAPCOREHEADER core;
        std::memcpy(&core, pHeader, sizeof(core));
        fields.dwSize = dwSize;
        fields.lWidth = core.bcWidth;
        fields.lHeight = core.bcHeight;
        fields.wBitCount = core.bcBitCount;
        fields.dwClrUsed = 0;
        return DibForm::Core;
    }
    // The 108- and 124-byte headers begin with the 40-byte one.
    if ((dwSize == sizeof(BITMAPINFOHEADER) || dwSize == sizeof(BITMAPV4HEADER) ||
         dwSize == sizeof(BITMAPV5HEADER)) &&
        readable >= dwSize) {
        BITMAPINFOHEADER info;
        std::memcpy(&info, pHeader, sizeof(info));
        fields.dwSize = dwSize;
        fields.lWidth = info.biWidth;
        fields.lHeight = info.biHeight;
        fields.wBitCount = info.biBitCount;
        fields.dwClrUsed = info.biClrUsed;
        return DibForm::Info;
    }
    return DibForm::None;
}

WORD ColorCountOf(DibForm form, const DibFields& fields) {
    if (form == DibForm::Info && fields.dwClrUsed != 0) {
        return static_cast<WORD>(fields.dwClrUsed);
    }
    switch (fields.wBitCount) {
        case 1:
            return 2;
        case 4:
            return 16;
        case 8:
            return 256;
        default:
            return 0;
    }
}

std::size_t EntryBytesOf(DibForm form) {
    return form == DibForm::Core ? sizeof(RGBTRIPLE) : sizeof(RGBQUAD);
}

}  // namespace

WORD GetDibColorCount(LPCVOID pHeader) {
    DibFields fields;
    const DibForm form = ReadDibFields(pHeader, fields);
    return form == DibForm::None ? 0 : ColorCountOf(form, fields);
}

LONG GetDibWidth(LPCVOID pHeader) {
    DibFields fields;
    return ReadDibFields(pHeader, fields) == DibForm::None ? 0 : fields.lWidth;
}

LONG GetDibHeight(LPCVOID pHeader) {
    DibFields fields;
    return ReadDibFields(pHeader, fields) == DibForm::None ? 0 : fields.lHeight;
}

WORD GetDibColorTableSize(LPCVOID pHeader) {
    DibFields fields;
    const DibForm form = ReadDibFields(pHeader, fields);
    if (form == DibForm::None) {
        return 0;
    }
    return static_cast<WORD>(ColorCountOf(form, fields) * EntryBytesOf(form));
}

BOOL BuildDibPalette(HGLOBAL hResource, LPCVOID pHeader, CPalette* pPalette) {
    if (hResource == nullptr || pPalette == nullptr) {
        return FALSE;
    }
    DibFields fields;
    const DibForm form = ReadDibFields(pHeader, fields);
    if (form == DibForm::None) {
        return FALSE;
    }
    const UINT nColors = ColorCountOf(form, fields);
    if (nColors == 0) {
        return FALSE;
    }
    // The whole table must lie in the resource before any of it is read.
    const std::size_t nEntryBytes = EntryBytesOf(form);
    if (ReadableBytes(pHeader) - fields.dwSize < nColors * nEntryBytes) {
        return FALSE;
    }

    HGLOBAL hMemory = ::GlobalAlloc(GHND, 8 + 4 * static_cast<SIZE_T>(nColors));
    if (hMemory == nullptr) {
        return FALSE;
    }
    auto* pLogPalette = static_cast<LOGPALETTE*>(::GlobalLock(hMemory));
    if (pLogPalette == nullptr) {
        ::GlobalFree(hMemory);
        return FALSE;
    }
    pLogPalette->palVersion = 0x300;
    pLogPalette->palNumEntries = static_cast<WORD>(nColors);
    const auto* pTable = static_cast<const BYTE*>(pHeader) + fields.dwSize;
    for (UINT i = 0; i < nColors; ++i) {
        // Both entry forms store blue, green, red first.
        const BYTE* pEntry = pTable + i * nEntryBytes;
        PALETTEENTRY& entry = pLogPalette->palPalEntry[i];
        entry.peRed = pEntry[2];
        entry.peGreen = pEntry[1];
        entry.peBlue = pEntry[0];
        entry.peFlags = 0;
    }

    HPALETTE hPalette = ::CreatePalette(pLogPalette);
    BOOL bAttached = pPalette->Attach(hPalette);
    if (!bAttached && hPalette != nullptr) {
        // A palette that already held a handle keeps it; the new one must not leak.
        ::DeleteObject(hPalette);
    }
    ::GlobalUnlock(hMemory);
    ::GlobalFree(hMemory);
    return bAttached;
}

HBITMAP BuildDibBitmap(HGLOBAL hResource, LPCVOID pHeader, HPALETTE hPalette) {
    if (hResource == nullptr || pHeader == nullptr) {
        return nullptr;
    }
    DibFields fields;
    if (ReadDibFields(pHeader, fields) == DibForm::None) {
        return nullptr;
    }
    // In a resource the pixels must start inside it as well: a pointer past its end would
    // leave their reader unbounded.
    const std::size_t nBitsOffset = fields.dwSize + GetDibColorTableSize(pHeader);
    const std::size_t nReadable = ReadableBytes(pHeader);
    if (nReadable != SIZE_MAX && nBitsOffset >= nReadable) {
        return nullptr;
    }
    HDC hScreenDC = ::GetDC(nullptr);
    if (hScreenDC == nullptr) {
        return nullptr;
    }
    HPALETTE hOldPalette = nullptr;
    if (hPalette != nullptr) {
        hOldPalette = ::SelectPalette(hScreenDC, hPalette, FALSE);
        ::RealizePalette(hScreenDC);
    }
    const BYTE* pBits = static_cast<const BYTE*>(pHeader) + nBitsOffset;
    HBITMAP hBitmap =
        ::CreateDIBitmap(hScreenDC, static_cast<const BITMAPINFOHEADER*>(pHeader), CBM_INIT, pBits,
                         static_cast<const BITMAPINFO*>(pHeader), DIB_RGB_COLORS);
    if (hPalette != nullptr && hOldPalette != nullptr) {
        ::SelectPalette(hScreenDC, hOldPalette, FALSE);
    }
    ::ReleaseDC(nullptr, hScreenDC);
    return hBitmap;
}

BOOL LockDibResource(HINSTANCE hInstance, UINT nId, HGLOBAL* phResource, LPCVOID* ppHeader) {
    const LPCSTR lpszName = MAKEINTRESOURCE(static_cast<WORD>(nId));
    HRSRC hResInfo = ::FindResourceA(hInstance, lpszName, RT_BITMAP);
    if (hResInfo == nullptr) {
        return FALSE;
    }
    HGLOBAL hResource = ::LoadResource(hInstance, hResInfo);
    if (hResource == nullptr) {
        return FALSE;
    }
    LPCVOID pHeader = ::LockResource(hResource);
    if (pHeader == nullptr) {
        return FALSE;
    }
    *phResource = hResource;
    *ppHeader = pHeader;
    return TRUE;
}
