// ScoreAnnouncement.h: the final score spoken as an opening wave and one wave per digit.
#pragma once

#include "platform/win32/windows.h"

// Plays the opening wave, then the score's decimal digits from the first non-zero one (a
// score of 0 is one zero). A refused opening wave ends it there. A leading "digit" of 10 or
// more (a score of a million or more) names no wave and is skipped.
void AnnounceScore(int nScore);
