// CrtTest.cpp: the runtime stand-in draws the Microsoft C runtime's sequence.
#include "platform/crt/crt.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

std::vector<int> draw(std::size_t n) {
    std::vector<int> values;
    for (std::size_t i = 0; i < n; ++i) {
        values.push_back(crt::rand());
    }
    return values;
}

TEST(Crt, SeededSequencesMatchTheMicrosoftRuntime) {
    struct SeedCase {
        const char* name;
        unsigned seed;
        std::vector<int> expected;
    };
    const SeedCase cases[] = {
        {"seed 1", 1, {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358}},
        {"seed 0", 0, {38, 7719, 21238, 2437, 8855}},
        // The state wraps modulo 2^32; bit 31 of the state never reaches the result.
        {"seed 0xFFFFFFFF", 0xFFFFFFFFu, {35, 29739, 3374}},
    };
    for (const SeedCase& c : cases) {
        SCOPED_TRACE(c.name);
        crt::srand(c.seed);
        EXPECT_EQ(draw(c.expected.size()), c.expected);
    }
}

TEST(Crt, WithoutSrandTheStateStartsAtOne) {
    // A fresh process: the re-executed child has drawn nothing before.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const bool ok = crt::rand() == 41 && crt::rand() == 18467;
            std::exit(ok ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST(Crt, CalendarClockCanBeSetAndReset) {
    crt::set_calendar_clock([] { return std::time_t{1234567890}; });
    std::time_t stored = 0;
    EXPECT_EQ(crt::time(&stored), 1234567890);
    EXPECT_EQ(stored, 1234567890);
    EXPECT_EQ(crt::time(nullptr), 1234567890);
    crt::reset_calendar_clock();
    EXPECT_GT(crt::time(nullptr), std::time_t{1700000000});  // the system clock is back
}

}  // namespace
