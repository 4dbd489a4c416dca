// DialogPaintBench.cpp: a full repaint of the class-library demo dialog on the headless host.
#include "platform/afx/afxwin.h"
#include "platform/host/headless/HeadlessHost.h"
#include "tests/afxdemo/CDemoApp.h"
#include "tests/afxdemo/CDemoDialog.h"
#include "tests/afxdemo/DemoSetup.h"

#include <benchmark/benchmark.h>

#include <functional>

namespace {

// Runs the demo on a headless host and calls body once while its dialog is up.
void with_demo_dialog(benchmark::State& state, const std::function<void(CDemoDialog&)>& body) {
    host::HeadlessHost headless;
    if (!prepare_afx_demo(headless)) {
        state.SkipWithError("the demo cannot start");
        return;
    }
    CDemoApp app;
    bool ran = false;
    headless.script_call([&](host::HeadlessHost&) {
        if (CDemoDialog* pDialog = app.Dialog()) {
            body(*pDialog);
            ran = true;
        }
    });
    headless.script_key(VK_ESCAPE);
    // The previous run's dialog, the main window, left a WM_QUIT when it was destroyed.
    MSG stale;
    while (::PeekMessageA(&stale, NULL, 0, 0, PM_REMOVE)) {
    }
    AfxWinMain();
    host::install(nullptr);
    if (!ran) {
        state.SkipWithError("the demo dialog never came up");
    }
}

// The dialog, its frame and every control erased and painted before RedrawWindow returns.
void BM_DemoDialogFullRepaint(benchmark::State& state) {
    with_demo_dialog(state, [&](CDemoDialog& dialog) {
        for (auto _ : state) {
            dialog.RedrawWindow(
                NULL, NULL,
                RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
    });
}
BENCHMARK(BM_DemoDialogFullRepaint)->Unit(benchmark::kMicrosecond);

// The same through Invalidate and UpdateWindow, as a program repaints.
void BM_DemoDialogInvalidateUpdate(benchmark::State& state) {
    with_demo_dialog(state, [&](CDemoDialog& dialog) {
        for (auto _ : state) {
            dialog.Invalidate(TRUE);
            dialog.UpdateWindow();
        }
    });
}
BENCHMARK(BM_DemoDialogInvalidateUpdate)->Unit(benchmark::kMicrosecond);

}  // namespace
