// ScreenTest.h: a fresh 8-bit screen per test, so palette slots start free; GDI objects and
// global memory must not leak.
#pragma once

#include "platform/win32/gdi/Screen.h"
#include "tests/gfx/GfxTestSupport.h"

#include <gtest/gtest.h>

namespace gfxtest {

class ScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gdi::configure_screen(8));
        m_gdi = GdiAliveCountForTest();
        m_global = GlobalAliveCountForTest();
    }
    void TearDown() override {
        EXPECT_EQ(GdiAliveCountForTest(), m_gdi) << "GDI objects leaked";
        EXPECT_EQ(GlobalAliveCountForTest(), m_global) << "global memory leaked";
    }
    std::size_t m_gdi = 0;
    std::size_t m_global = 0;
};

}  // namespace gfxtest
