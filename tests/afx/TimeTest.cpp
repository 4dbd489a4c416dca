// TimeTest.cpp: CTime reads the host's calendar; spans split into days, hours, minutes and
// seconds.
#include "platform/afx/afxwin.h"
#include "tests/afx/AfxHost.h"

#include <gtest/gtest.h>

namespace {

class Time : public test::AfxHostTest {};

TEST_F(Time, CurrentTimeFollowsTheHostCalendar) {
    headless().set_calendar_time(1700000000);
    const CTime start = CTime::GetCurrentTime();
    EXPECT_EQ(start.GetTime(), 1700000000);
    headless().advance(3 * 3600 * 1000 + 25 * 60 * 1000 + 7 * 1000 + 999);
    const CTimeSpan played = CTime::GetCurrentTime() - start;
    EXPECT_EQ(played.GetTotalSeconds(), 3 * 3600 + 25 * 60 + 7);
    EXPECT_EQ(played.GetHours(), 3);
    EXPECT_EQ(played.GetMinutes(), 25);
    EXPECT_EQ(played.GetSeconds(), 7);
}

TEST(TimeSpan, PartsAreWhatIsLeftBelowTheNextUnit) {
    struct Case {
        const char* name;
        std::time_t seconds;
        long days;
        long total_hours;
        int hours;
        long total_minutes;
        int minutes;
        int secs;
    };
    const Case cases[] = {
        {"under a minute", 59, 0, 0, 0, 0, 0, 59},
        {"exactly a minute", 60, 0, 0, 0, 1, 1, 0},
        {"an hour, two minutes, five seconds", 3725, 0, 1, 1, 62, 2, 5},
        {"a day and a bit", 90061, 1, 25, 1, 1501, 1, 1},
        {"nothing", 0, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CTimeSpan span(c.seconds);
        EXPECT_EQ(span.GetDays(), c.days);
        EXPECT_EQ(span.GetTotalHours(), c.total_hours);
        EXPECT_EQ(span.GetHours(), c.hours);
        EXPECT_EQ(span.GetTotalMinutes(), c.total_minutes);
        EXPECT_EQ(span.GetMinutes(), c.minutes);
        EXPECT_EQ(span.GetSeconds(), c.secs);
    }
    EXPECT_EQ(CTimeSpan(1, 1, 1, 1).GetTotalSeconds(), 90061);
}

TEST(TimeCalendar, FieldsAreTheUtcCalendar) {
    struct Case {
        const char* name;
        std::time_t seconds;
        int year, month, day, hour, minute, second;
    };
    const Case cases[] = {
        {"the epoch", 0, 1970, 1, 1, 0, 0, 0},
        {"a billion seconds", 1000000000, 2001, 9, 9, 1, 46, 40},
        {"a leap day", 951782400, 2000, 2, 29, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CTime t(c.seconds);
        EXPECT_EQ(t.GetYear(), c.year);
        EXPECT_EQ(t.GetMonth(), c.month);
        EXPECT_EQ(t.GetDay(), c.day);
        EXPECT_EQ(t.GetHour(), c.hour);
        EXPECT_EQ(t.GetMinute(), c.minute);
        EXPECT_EQ(t.GetSecond(), c.second);
        EXPECT_EQ(CTime(c.year, c.month, c.day, c.hour, c.minute, c.second).GetTime(), c.seconds);
    }
}

}  // namespace
