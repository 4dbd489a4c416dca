// KernelBasicsTest.cpp: MulDiv rounding and movable global memory.
#include "platform/win32/windows.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct MulDivCase {
    const char* name;
    int a, b, c;
    int expected;
};

TEST(MulDiv, RoundsHalfAwayFromZeroIn64Bits) {
    const MulDivCase cases[] = {
        // Dialog units to pixels with base units 6 x 13: x -> MulDiv(x, 6, 4), y -> MulDiv(y, 13,
        // 8).
        {"x 1", 1, 6, 4, 2},
        {"y 1", 1, 13, 8, 2},
        {"x 4", 4, 6, 4, 6},
        {"y 4", 4, 13, 8, 7},
        {"x 259", 259, 6, 4, 389},
        {"y 269", 269, 13, 8, 437},
        {"x 269", 269, 6, 4, 404},
        {"y 259", 259, 13, 8, 421},
        {"negative rounds away", -1, 6, 4, -2},
        {"negative divisor", 3, 1, -2, -2},
        {"both negative", -3, 1, -2, 2},
        {"no overflow in the product", 100000, 100000, 100000, 100000},
        {"division by zero", 5, 5, 0, -1},
    };
    for (const MulDivCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected);
    }
}

TEST(GlobalMemory, MovableBlockIsZeroedLockedAndFreed) {
    const std::size_t before = GlobalAliveCountForTest();
    HGLOBAL h = GlobalAlloc(GHND, 8 + 4 * 20);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 88u);
    auto* p = static_cast<unsigned char*>(GlobalLock(h));
    ASSERT_NE(p, nullptr);
    for (int i = 0; i < 88; ++i) {
        ASSERT_EQ(p[i], 0) << "byte " << i;
    }
    std::memset(p, 0xAB, 88);
    EXPECT_EQ(GlobalLock(h), p);    // a second lock nests
    EXPECT_TRUE(GlobalUnlock(h));   // still locked once
    EXPECT_FALSE(GlobalUnlock(h));  // now unlocked
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(GlobalAliveCountForTest(), before + 1);
    EXPECT_EQ(GlobalFree(h), nullptr);
    EXPECT_EQ(GlobalAliveCountForTest(), before);
}

TEST(GlobalMemory, StaleAndForeignHandlesFail) {
    HGLOBAL h = GlobalAlloc(GHND, 4);
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(GlobalFree(h), nullptr);
    HGLOBAL reused = GlobalAlloc(GHND, 4);  // takes the same slot with a new generation
    ASSERT_NE(reused, nullptr);
    EXPECT_NE(reused, h);
    EXPECT_EQ(GlobalLock(h), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(GlobalFree(h), h);  // failure returns the handle
    int local = 0;
    EXPECT_EQ(GlobalLock(&local), nullptr);
    EXPECT_EQ(GlobalLock(nullptr), nullptr);
    EXPECT_EQ(GlobalFree(reused), nullptr);
}

}  // namespace
