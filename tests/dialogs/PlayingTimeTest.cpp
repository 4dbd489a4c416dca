// PlayingTimeTest.cpp: the playing-time line shared by the final score and About dialogs.
#include "dialogs/PlayingTime.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PlayingTime, ShowsTheLargestUnitsWithinADay) {
    struct Case {
        const char* name;
        long seconds;
        const char* expected;
    };
    const Case cases[] = {
        {"no time at all", 0, "Grasz: 0 sek."},
        {"59 s", 59, "Grasz: 59 sek."},
        {"60 s", 60, "Grasz: 1 min."},
        {"61 s drops the seconds", 61, "Grasz: 1 min."},
        {"59 min 59 s", 59 * 60 + 59, "Grasz: 59 min."},
        {"1 h 0 min 0 s", 3600, "Grasz: 1 godz. 0 min."},
        {"1 h 5 min 30 s", 3600 + 5 * 60 + 30, "Grasz: 1 godz. 5 min."},
        {"23 h 59 min 59 s", 23 * 3600 + 59 * 60 + 59, "Grasz: 23 godz. 59 min."},
        {"a whole day shows as seconds", 86400, "Grasz: 0 sek."},
        {"a day and 42 s", 86400 + 42, "Grasz: 42 sek."},
        {"25 h 2 min", 25 * 3600 + 2 * 60, "Grasz: 1 godz. 2 min."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CString text;
        FormatPlayingTime(text, c.seconds);
        EXPECT_EQ(std::string(static_cast<LPCSTR>(text)), c.expected);
    }
}

TEST(PlayingTime, ReplacesWhatTheBufferHeld) {
    CString text;
    FormatPlayingTime(text, 3600);
    FormatPlayingTime(text, 5);
    EXPECT_EQ(std::string(static_cast<LPCSTR>(text)), "Grasz: 5 sek.");
}

}  // namespace
