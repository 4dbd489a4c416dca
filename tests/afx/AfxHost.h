// AfxHost.h: a headless host installed for one test, and helpers to pump its queue.
#pragma once

#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"

#include <gtest/gtest.h>

#include <memory>

namespace test {

class AfxHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_host = std::make_unique<host::HeadlessHost>();
        m_install = std::make_unique<host::ScopedInstall>(*m_host);
    }
    void TearDown() override {
        drain();
        m_install.reset();
        m_host.reset();
    }
    // Dispatches whatever the queue holds now.
    static void drain() {
        MSG m;
        for (int i = 0; i < 1000 && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
            if (m.message != WM_QUIT) {
                DispatchMessageA(&m);
            }
        }
    }

public:
    host::HeadlessHost& headless() { return *m_host; }

private:
    std::unique_ptr<host::HeadlessHost> m_host;
    std::unique_ptr<host::ScopedInstall> m_install;
};

}  // namespace test
