// DispatchBench.cpp: SendMessageA to a handler found in a base class's map, with its
// arguments converted, and a button click routed to a command entry.
#include "platform/afx/afxwin.h"
#include "platform/host/headless/HeadlessHost.h"

#include <benchmark/benchmark.h>

namespace {

class CBottomWnd : public CWnd {
public:
    long m_sum = 0;

protected:
    afx_msg void OnMouseMove(UINT nFlags, CPoint point) {
        m_sum += static_cast<long>(nFlags) + point.x + point.y;
    }
    afx_msg void OnClicked() { ++m_sum; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBottomWnd, CWnd)
ON_WM_MOUSEMOVE()
ON_BN_CLICKED(1005, OnClicked)
END_MESSAGE_MAP()

// Two more levels whose maps hold entries the messages pass over.
class CMiddleWnd : public CBottomWnd {
protected:
    afx_msg void OnPaint() { CBottomWnd::OnPaint(); }
    afx_msg void OnTimer(UINT) {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMiddleWnd, CBottomWnd)
ON_WM_PAINT()
ON_WM_TIMER()
END_MESSAGE_MAP()

class CTopWnd : public CMiddleWnd {
protected:
    afx_msg void OnLButtonDown(UINT, CPoint) {}
    afx_msg void OnLButtonUp(UINT, CPoint) {}
    afx_msg void OnOther() {}
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTopWnd, CMiddleWnd)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_BN_CLICKED(1006, OnOther)
END_MESSAGE_MAP()

void BM_MouseMoveToABaseMapEntry(benchmark::State& state) {
    host::HeadlessHost headless;
    host::ScopedInstall install(headless);
    CTopWnd wnd;
    if (!wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr)) {
        state.SkipWithError("the window cannot be made");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(::SendMessageA(wnd.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(3, 4)));
    }
    wnd.DestroyWindow();
}
BENCHMARK(BM_MouseMoveToABaseMapEntry);

void BM_ButtonClickRoutedToACommandEntry(benchmark::State& state) {
    host::HeadlessHost headless;
    host::ScopedInstall install(headless);
    CTopWnd wnd;
    if (!wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr)) {
        state.SkipWithError("the window cannot be made");
        return;
    }
    const LPARAM control = reinterpret_cast<LPARAM>(wnd.m_hWnd);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            ::SendMessageA(wnd.m_hWnd, WM_COMMAND, MAKEWPARAM(1005, BN_CLICKED), control));
    }
    wnd.DestroyWindow();
}
BENCHMARK(BM_ButtonClickRoutedToACommandEntry);

}  // namespace
