// PlayingTime.h: the "Grasz: ..." line of the final score and About dialogs.
#pragma once

#include "platform/afx/afxwin.h"

// Seconds since the application started, from the calendar clock.
long PlayingSeconds();

// Formats the playing time into strText: hours within the day and minutes once an hour has
// passed, else minutes once a minute has passed, else seconds. Whole days are not shown.
void FormatPlayingTime(CString& strText, long nTotalSeconds);
