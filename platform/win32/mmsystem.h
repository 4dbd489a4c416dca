// mmsystem.h: the multimedia stand-in: wave formats and the simple wave player.
#pragma once

#include "platform/win32/windef.h"

#define WAVE_FORMAT_PCM 1

// sndPlaySoundA flags. Playback is always synchronous here: SND_ASYNC is accepted and the
// wave still plays to its end before the call returns.
#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_MEMORY 0x0004
#define SND_LOOP 0x0008
#define SND_NOSTOP 0x0010

#ifndef RC_INVOKED

#pragma pack(push, 1)
typedef struct tWAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
} WAVEFORMATEX, *PWAVEFORMATEX, *LPWAVEFORMATEX;
#pragma pack(pop)
typedef const WAVEFORMATEX* LPCWAVEFORMATEX;

// Plays a sound and returns when it has played. With SND_MEMORY, sound points to a whole
// RIFF/WAVE image (PCM, 8 or 16 bits, mono or stereo); without it the name would be a file or
// an alias, which this system never reads, so the call fails. NULL stops playback (nothing
// plays asynchronously, so there is nothing to stop) and succeeds. SND_LOOP is refused.
// FALSE: unreadable image, unsupported format, or no wave device.
BOOL sndPlaySoundA(LPCSTR sound, UINT flags);

#endif  // RC_INVOKED
