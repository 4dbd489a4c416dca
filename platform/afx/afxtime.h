// afxtime.h: CTime and CTimeSpan, whole seconds of the host's calendar clock.
#pragma once

#include <ctime>

class CTimeSpan {
public:
    CTimeSpan() = default;
    CTimeSpan(std::time_t seconds) : m_span(seconds) {}
    CTimeSpan(long days, int hours, int minutes, int seconds);

    // Totals truncate towards zero; the parts are what is left below the next larger unit.
    long GetDays() const { return static_cast<long>(m_span / 86400); }
    long GetTotalHours() const { return static_cast<long>(m_span / 3600); }
    int GetHours() const { return static_cast<int>(GetTotalHours() - GetDays() * 24); }
    long GetTotalMinutes() const { return static_cast<long>(m_span / 60); }
    int GetMinutes() const { return static_cast<int>(GetTotalMinutes() - GetTotalHours() * 60); }
    std::time_t GetTotalSeconds() const { return m_span; }
    int GetSeconds() const { return static_cast<int>(m_span - GetTotalMinutes() * 60); }

    CTimeSpan operator+(CTimeSpan o) const { return CTimeSpan(m_span + o.m_span); }
    CTimeSpan operator-(CTimeSpan o) const { return CTimeSpan(m_span - o.m_span); }
    bool operator==(CTimeSpan o) const { return m_span == o.m_span; }
    bool operator!=(CTimeSpan o) const { return m_span != o.m_span; }
    bool operator<(CTimeSpan o) const { return m_span < o.m_span; }
    bool operator>(CTimeSpan o) const { return m_span > o.m_span; }

private:
    std::time_t m_span = 0;
};

class CTime {
public:
    CTime() = default;
    CTime(std::time_t seconds) : m_time(seconds) {}
    // A calendar date and time in UTC, the calendar clock's own zone.
    CTime(int year, int month, int day, int hour, int minute, int second);

    // The calendar clock of the host (through the runtime's time()).
    static CTime GetCurrentTime();
    std::time_t GetTime() const { return m_time; }

    // Calendar fields in UTC.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;

    CTimeSpan operator-(CTime o) const { return CTimeSpan(m_time - o.m_time); }
    CTime operator-(CTimeSpan s) const { return CTime(m_time - s.GetTotalSeconds()); }
    CTime operator+(CTimeSpan s) const { return CTime(m_time + s.GetTotalSeconds()); }
    bool operator==(CTime o) const { return m_time == o.m_time; }
    bool operator!=(CTime o) const { return m_time != o.m_time; }
    bool operator<(CTime o) const { return m_time < o.m_time; }
    bool operator>(CTime o) const { return m_time > o.m_time; }

private:
    std::tm parts() const;
    std::time_t m_time = 0;
};
