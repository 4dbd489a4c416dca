// Current.cpp: the process-wide host and its link to the runtime's calendar clock.
#include "platform/host/Host.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/crt/crt.h"

namespace host {
namespace {

Host* g_installed = nullptr;

Host& default_host() {
    static HeadlessHost host;
    return host;
}

}  // namespace

Host& current() {
    return g_installed != nullptr ? *g_installed : default_host();
}

void install(Host* host) {
    g_installed = host;
    if (host != nullptr) {
        crt::set_calendar_clock([] { return current().calendar_time(); });
    } else {
        crt::reset_calendar_clock();
    }
}

ScopedInstall::ScopedInstall(Host& host) : m_previous(g_installed) {
    install(&host);
}

ScopedInstall::~ScopedInstall() {
    install(m_previous);
}

}  // namespace host
