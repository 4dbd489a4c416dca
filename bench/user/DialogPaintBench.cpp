// DialogPaintBench.cpp: a full repaint of a dialog with a caption and a dozen controls on the
// headless host.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"
#include "tests/user/TemplateBytes.h"

#include <benchmark/benchmark.h>

#include <functional>

namespace {

INT_PTR CALLBACK plain_dialog_proc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

// A 260 x 200 dialog of six push buttons, three check boxes and three texts.
test::TemplateBytes dialog_template() {
    test::TemplateBytes b;
    b.extended_head(
         WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME | DS_SETFONT | DS_CENTER,
         0, 12, 0, 0, 260, 200)
        .u16(0)
        .u16(0)
        .text("Repaint")
        .extended_font(8, "MS Sans Serif");
    for (short i = 0; i < 6; ++i) {
        b.extended_item(WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 200, 7 + i * 20, 50, 14, 100 + i)
            .ordinal(0x80)
            .text("Button")
            .u16(0);
    }
    for (short i = 0; i < 3; ++i) {
        b.extended_item(WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 7, 7 + i * 20, 120, 12, 200 + i)
            .ordinal(0x80)
            .text("Check box")
            .u16(0);
        b.extended_item(WS_VISIBLE | SS_LEFT, 7, 80 + i * 30, 180, 24, 300 + i)
            .ordinal(0x82)
            .text("A line of text that wraps onto a second line of the static control.")
            .u16(0);
    }
    return b;
}

// Makes the dialog on a headless host and calls body while it is up.
void with_dialog(benchmark::State& state, const std::function<void(HWND)>& body) {
    host::HeadlessHost headless;
    host::ScopedInstall install(headless);
    test::TemplateBytes bytes = dialog_template();
    HWND dialog =
        CreateDialogIndirectParamA(nullptr, bytes.as_template(), nullptr, plain_dialog_proc, 0);
    if (dialog == nullptr) {
        state.SkipWithError("the dialog cannot be made");
        return;
    }
    body(dialog);
    DestroyWindow(dialog);
}

// The dialog, its frame and every control erased and painted before RedrawWindow returns.
void BM_DialogFullRepaint(benchmark::State& state) {
    with_dialog(state, [&](HWND dialog) {
        for (auto _ : state) {
            RedrawWindow(dialog, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
        }
    });
}
BENCHMARK(BM_DialogFullRepaint)->Unit(benchmark::kMicrosecond);

// The same through InvalidateRect and UpdateWindow, as a program repaints.
void BM_DialogInvalidateUpdate(benchmark::State& state) {
    with_dialog(state, [&](HWND dialog) {
        for (auto _ : state) {
            InvalidateRect(dialog, nullptr, TRUE);
            UpdateWindow(dialog);
        }
    });
}
BENCHMARK(BM_DialogInvalidateUpdate)->Unit(benchmark::kMicrosecond);

}  // namespace
