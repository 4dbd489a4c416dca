// AfxTime.cpp: calendar times and spans in whole seconds.
#include "platform/afx/afxtime.h"

#include "platform/crt/crt.h"

namespace {

// Days from 1970-01-01 to the given civil date (proleptic Gregorian).
long long days_from_civil(long long y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

}  // namespace

CTimeSpan::CTimeSpan(long days, int hours, int minutes, int seconds)
    : m_span(static_cast<std::time_t>(seconds) +
             60 * (static_cast<std::time_t>(minutes) +
                   60 * (static_cast<std::time_t>(hours) + 24 * static_cast<std::time_t>(days)))) {}

CTime::CTime(int year, int month, int day, int hour, int minute, int second)
    : m_time(static_cast<std::time_t>(
                 days_from_civil(year, static_cast<unsigned>(month), static_cast<unsigned>(day))) *
                 86400 +
             hour * 3600 + minute * 60 + second) {}

CTime CTime::GetCurrentTime() {
    return CTime(crt::time(nullptr));
}

std::tm CTime::parts() const {
    std::tm tm{};
    gmtime_r(&m_time, &tm);
    return tm;
}

int CTime::GetYear() const {
    return parts().tm_year + 1900;
}
int CTime::GetMonth() const {
    return parts().tm_mon + 1;
}
int CTime::GetDay() const {
    return parts().tm_mday;
}
int CTime::GetHour() const {
    return parts().tm_hour;
}
int CTime::GetMinute() const {
    return parts().tm_min;
}
int CTime::GetSecond() const {
    return parts().tm_sec;
}
