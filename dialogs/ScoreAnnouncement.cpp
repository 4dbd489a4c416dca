// ScoreAnnouncement.cpp: the final score spoken as an opening wave and one wave per digit.
#include "dialogs/ScoreAnnouncement.h"

#include "res/resource.h"
#include "sound/PlayResourceSound.h"

void AnnounceScore(int nScore) {
    if (!PlayResourceSound(IDW_ANNOUNCE)) {
        return;
    }
    // Six places, most significant first; the first may exceed 9.
    int digits[6];
    int rest = nScore;
    int place = 100000;
    for (int& digit : digits) {
        digit = rest / place;
        rest -= place * digit;
        place /= 10;
    }
    BOOL bStarted = FALSE;
    for (int digit : digits) {
        if (digit > 0) {
            bStarted = TRUE;
        }
        // Only 0 to 9 name a wave; resource numbers are 16 bits, so nothing else is asked for.
        if (bStarted && digit >= 0 && digit <= 9) {
            PlayResourceSound(static_cast<UINT>(IDW_DIGIT0 + digit));
        }
    }
    if (!bStarted) {
        PlayResourceSound(IDW_DIGIT0);
    }
}
