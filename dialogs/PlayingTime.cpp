// PlayingTime.cpp: the "Grasz: ..." line of the final score and About dialogs.
#include "dialogs/PlayingTime.h"

#include "app/CGameApp.h"
#include "platform/win32/cp1250.h"

long PlayingSeconds() {
    const CTimeSpan elapsed = CTime::GetCurrentTime() - GetGameApp()->GetStartTime();
    return static_cast<long>(elapsed.GetTotalSeconds());
}

void FormatPlayingTime(CString& strText, long nTotalSeconds) {
    const long nHours = nTotalSeconds / 3600 - 24 * (nTotalSeconds / 86400);
    const long nMinutes = nTotalSeconds / 60 - 60 * (nTotalSeconds / 3600);
    const long nSeconds = nTotalSeconds - 60 * (nTotalSeconds / 60);
    const char* prefix = "Grasz: ";
    if (nHours != 0) {
        strText.Format("%s%d%s%d%s", prefix, static_cast<int>(nHours), " godz. ",
                       static_cast<int>(nMinutes), " min.");
    } else if (nMinutes != 0) {
        strText.Format("%s%d%s", prefix, static_cast<int>(nMinutes), " min.");
    } else {
        strText.Format("%s%d%s", prefix, static_cast<int>(nSeconds), " sek.");
    }
}
