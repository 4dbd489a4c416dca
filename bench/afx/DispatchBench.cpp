// DispatchBench.cpp: SendMessageA through message maps: an entry by its place in one map, a
// message no entry takes, a handler in a base class's map with converted arguments, a button
// click routed to a command entry, and the same send to a plain window procedure as the floor.
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

// Three levels of maps: the messages sent to the top pass over the entries above the bottom.
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

// The set-up every benchmark shares: a headless host and a 10 x 10 popup of class W made by the
// class library, sent `message` with `wparam` and `lparam` on each iteration.
template <class W>
void send_in_loop(benchmark::State& state, UINT message, WPARAM wparam, LPARAM lparam) {
    host::HeadlessHost headless;
    host::ScopedInstall install(headless);
    W wnd;
    if (!wnd.CreateEx(0, AfxRegisterWndClass(0), "bench", WS_POPUP, 0, 0, 10, 10, nullptr,
                      nullptr)) {
        state.SkipWithError("the window cannot be made");
        return;
    }
    if (lparam == -1) {
        lparam = reinterpret_cast<LPARAM>(wnd.m_hWnd);  // a control's handle: the window itself
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(::SendMessageA(wnd.m_hWnd, message, wparam, lparam));
    }
    wnd.DestroyWindow();
}

// range(0): the entry's position in the map.
void BM_SendMessageThroughMessageMap(benchmark::State& state) {
    send_in_loop<CMappedWnd>(state, kFirstMessage + static_cast<UINT>(state.range(0)), 1, 0);
}
BENCHMARK(BM_SendMessageThroughMessageMap)->Arg(0)->Arg(7);

// The whole chain of maps, then the default procedure.
void BM_SendMessageUnmapped(benchmark::State& state) {
    send_in_loop<CMappedWnd>(state, WM_USER + 500, 1, 0);
}
BENCHMARK(BM_SendMessageUnmapped);

void BM_MouseMoveToABaseMapEntry(benchmark::State& state) {
    send_in_loop<CTopWnd>(state, WM_MOUSEMOVE, 0, MAKELPARAM(3, 4));
}
BENCHMARK(BM_MouseMoveToABaseMapEntry);

void BM_ButtonClickRoutedToACommandEntry(benchmark::State& state) {
    send_in_loop<CTopWnd>(state, WM_COMMAND, MAKEWPARAM(1005, BN_CLICKED), -1);
}
BENCHMARK(BM_ButtonClickRoutedToACommandEntry);

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
    wc.lpszClassName = "DispatchBenchPlain";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, "DispatchBenchPlain", "bench", WS_POPUP, 0, 0, 10, 10, nullptr,
                                nullptr, nullptr, nullptr);
    if (hwnd == nullptr) {
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
