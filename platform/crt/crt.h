// crt.h: the runtime library's random generator and calendar clock, as the program sees them.
#pragma once

#include <ctime>
#include <functional>

namespace crt {

// Largest value rand() returns.
inline constexpr int kRandMax = 0x7FFF;

// The Microsoft C runtime's generator: state x 214013 + 2531011, result bits 16 to 30.
// The state starts at 1, so rand() without srand() behaves as after srand(1).
int rand();
void srand(unsigned seed);

// Seconds since 1970-01-01 00:00 UTC from the calendar clock source; also stored in *out.
std::time_t time(std::time_t* out);

// The calendar clock source: the system clock until a host or a test sets another.
using CalendarClock = std::function<std::time_t()>;
void set_calendar_clock(CalendarClock clock);
void reset_calendar_clock();

}  // namespace crt
