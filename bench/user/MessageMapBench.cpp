// MessageMapBench.cpp: SendMessageA dispatch through a message map, next to a plain window
// procedure.
#include "platform/afx/afxwin.h"
#include "platform/host/headless/HeadlessHost.h"

#include <benchmark/benchmark.h>

namespace {

constexpr UINT kFirstMessage = WM_USER + 100;

// A window whose map has eight entries; the last one is found after the other seven.
class CMappedWnd : public CWnd {
public:
    LRESULT m_nTotal = 0;

protected:
    afx_msg LRESULT On0(WPARAM w, LPARAM) { return m_nTotal += static_cast<LRESULT>(w); }
    afx_msg LRESULT On1(WPARAM w, LPARAM) { return m_nTotal += static_cast<LRESULT>(w) + 1; }
    afx_msg LRESULT On2(WPARAM w, LPARAM) { return m_nTotal += static_cast<LRESULT>(w) + 2; }
    afx_msg LRESULT On3(WPARAM w, LPARAM) { return m_nTotal += static_cast<LRESULT>(w) + 3; }
    afx_msg LRESULT On4(WPARAM w, LPARAM) { return m_nTotal += static_cast<LRESULT>(w) + 4; }
    afx_msg LRESULT On5(WPARAM w, LPARAM) { return m_nTotal += static_cast<LRESULT>(w) + 5; }
    afx_msg LRESULT On6(WPARAM w, LPARAM) { return m_nTotal += static_cast<LRESULT>(w) + 6; }
    afx_msg LRESULT On7(WPARAM w, LPARAM) { return m_nTotal += static_cast<LRESULT>(w) + 7; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMappedWnd, CWnd)
ON_MESSAGE(kFirstMessage + 0, On0)
ON_MESSAGE(kFirstMessage + 1, On1)
ON_MESSAGE(kFirstMessage + 2, On2)
ON_MESSAGE(kFirstMessage + 3, On3)
ON_MESSAGE(kFirstMessage + 4, On4)
ON_MESSAGE(kFirstMessage + 5, On5)
ON_MESSAGE(kFirstMessage + 6, On6)
ON_MESSAGE(kFirstMessage + 7, On7)
END_MESSAGE_MAP()

// range(0): the entry's position in the map.
void BM_SendMessageThroughMessageMap(benchmark::State& state) {
    host::HeadlessHost headless;
    host::ScopedInstall install(headless);
    CMappedWnd wnd;
    if (!wnd.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP, 0, 0, 10, 10, NULL, NULL)) {
        state.SkipWithError("the window cannot be made");
        return;
    }
    const UINT message = kFirstMessage + static_cast<UINT>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(::SendMessageA(wnd.m_hWnd, message, 1, 0));
    }
    wnd.DestroyWindow();
}
BENCHMARK(BM_SendMessageThroughMessageMap)->Arg(0)->Arg(7);

// A message no entry takes: the whole chain of maps, then the default procedure.
void BM_SendMessageUnmapped(benchmark::State& state) {
    host::HeadlessHost headless;
    host::ScopedInstall install(headless);
    CMappedWnd wnd;
    if (!wnd.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP, 0, 0, 10, 10, NULL, NULL)) {
        state.SkipWithError("the window cannot be made");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(::SendMessageA(wnd.m_hWnd, WM_USER + 500, 1, 0));
    }
    wnd.DestroyWindow();
}
BENCHMARK(BM_SendMessageUnmapped);

LRESULT CALLBACK plain_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kFirstMessage) {
        return static_cast<LRESULT>(wparam);
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

// The floor: the same send to a plain window procedure.
void BM_SendMessagePlainWindowProc(benchmark::State& state) {
    host::HeadlessHost headless;
    host::ScopedInstall install(headless);
    WNDCLASSA wc{};
    wc.lpfnWndProc = plain_proc;
    wc.lpszClassName = "UserBenchPlain";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "UserBenchPlain", "bench", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                                NULL, NULL);
    if (hwnd == NULL) {
        state.SkipWithError("the window cannot be made");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(::SendMessageA(hwnd, kFirstMessage, 1, 0));
    }
    DestroyWindow(hwnd);
}
BENCHMARK(BM_SendMessagePlainWindowProc);

}  // namespace
