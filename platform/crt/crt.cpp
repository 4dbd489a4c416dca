// crt.cpp: the runtime stand-in's generator and clock.
#include "platform/crt/crt.h"

#include <chrono>
#include <cstdint>
#include <utility>

namespace crt {
namespace {

std::uint32_t g_holdrand = 1;

std::time_t system_calendar_time() {
    using namespace std::chrono;
    return static_cast<std::time_t>(
        duration_cast<seconds>(system_clock::now().time_since_epoch()).count());
}

CalendarClock& calendar_clock() {
    static CalendarClock clock = system_calendar_time;
    return clock;
}

}  // namespace

int rand() {
    g_holdrand = g_holdrand * 214013u + 2531011u;
    return static_cast<int>((g_holdrand >> 16) & 0x7FFFu);
}

void srand(unsigned seed) {
    g_holdrand = seed;
}

std::time_t time(std::time_t* out) {
    const std::time_t now = calendar_clock()();
    if (out != nullptr) {
        *out = now;
    }
    return now;
}

void set_calendar_clock(CalendarClock clock) {
    calendar_clock() = clock ? std::move(clock) : CalendarClock(system_calendar_time);
}

void reset_calendar_clock() {
    calendar_clock() = system_calendar_time;
}

}  // namespace crt
