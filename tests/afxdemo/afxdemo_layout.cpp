// afxdemo_layout.cpp: prints where the demo dialog's controls and counter segments lie on the
// 640 x 480 screen, from its template on a headless host, so the smoke test can aim at them.
// Lines: "NAME X Y", one a point.
#include "platform/host/headless/HeadlessHost.h"
#include "platform/win32/windows.h"
#include "tests/afxdemo/CCounterDisplay.h"
#include "tests/afxdemo/DemoResource.h"
#include "tests/afxdemo/DemoSetup.h"

#include <cstdio>
#include <string>

namespace {

INT_PTR CALLBACK plain_dialog_proc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

CRect screen_rect(HWND hdlg, int nID) {
    CRect rc;
    ::GetWindowRect(::GetDlgItem(hdlg, nID), &rc);
    return rc;
}

void print_point(const char* name, POINT pt) {
    std::printf("%s %ld %ld\n", name, static_cast<long>(pt.x), static_cast<long>(pt.y));
}

}  // namespace

int main() {
    host::HeadlessHost headless;
    std::string error;
    if (!prepare_afx_demo(headless, &error)) {
        std::fprintf(stderr, "afxdemo_layout: %s\n", error.c_str());
        return 1;
    }
    HWND hdlg =
        ::CreateDialogParamA(NULL, MAKEINTRESOURCEA(IDD_AFXDEMO), NULL, plain_dialog_proc, 0);
    if (hdlg == NULL) {
        std::fprintf(stderr, "afxdemo_layout: the dialog cannot be made\n");
        return 1;
    }
    const struct {
        const char* name;
        int nID;
    } kButtons[] = {{"pause", IDC_DEMO_PAUSE},
                    {"reset", IDC_DEMO_RESET},
                    {"step", IDC_DEMO_STEP},
                    {"close", IDOK}};
    for (const auto& b : kButtons) {
        const CRect rc = screen_rect(hdlg, b.nID);
        print_point((std::string(b.name) + "_center").c_str(), rc.CenterPoint());
        // Clear of the caption and of the focus frame.
        print_point((std::string(b.name) + "_face").c_str(), CPoint(rc.left + 8, rc.top + 8));
    }
    const CRect rcCounter = screen_rect(hdlg, IDC_DEMO_COUNTER);
    print_point("counter_center", rcCounter.CenterPoint());
    const CRect rcClient(0, 0, rcCounter.Width(), rcCounter.Height());
    for (int nDigit = 0; nDigit < CCounterDisplay::kDigits; ++nDigit) {
        const CRect rcCell = CCounterDisplay::DigitCell(rcClient, nDigit);
        for (int s = 0; s < 7; ++s) {
            CPoint pt = CCounterDisplay::SegmentRect(rcCell, s).CenterPoint();
            pt.Offset(rcCounter.left, rcCounter.top);
            print_point(("digit" + std::to_string(nDigit) + "_" + std::to_string(s)).c_str(), pt);
        }
    }
    ::DestroyWindow(hdlg);
    host::install(nullptr);
    return 0;
}
