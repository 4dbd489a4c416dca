// PlayResourceSound.cpp: wave resources handed to the wave player in place.
#include "sound/PlayResourceSound.h"

#include "platform/afx/afxresource.h"

BOOL PlayResourceSound(UINT soundId) {
    HRSRC hResource = FindResourceA(AfxGetResourceHandle(),
                                    MAKEINTRESOURCEA(static_cast<WORD>(soundId)), "sound");
    if (hResource == nullptr) {
        return TRUE;
    }
    HGLOBAL hData = LoadResource(AfxGetResourceHandle(), hResource);
    if (hData == nullptr) {
        return TRUE;
    }
    // Synchronous (no SND_ASYNC): the resource is read in place while it plays.
    return sndPlaySoundA(static_cast<LPCSTR>(LockResource(hData)), SND_MEMORY | SND_NODEFAULT);
}
