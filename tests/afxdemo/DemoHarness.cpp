// DemoHarness.cpp: runs the demo once on a headless host with a script, and its layout.
#include "tests/afxdemo/DemoHarness.h"

#include "tests/afxdemo/CDemoDialog.h"
#include "tests/afxdemo/DemoResource.h"
#include "tests/afxdemo/DemoSetup.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace test {

CPoint DemoLayout::center_of(UINT nID) const {
    const auto it = controls.find(nID);
    if (it == controls.end()) {
        ADD_FAILURE() << "no control " << nID << " in the layout";
        return CPoint(0, 0);
    }
    return it->second.CenterPoint();
}

DemoHarness::DemoHarness() {
    layout();
}

DemoHarness::~DemoHarness() {
    host::install(nullptr);
}

CDemoDialog* DemoHarness::dialog() {
    CDemoDialog* pDialog = m_app.Dialog();
    if (pDialog == nullptr) {
        ADD_FAILURE() << "the demo dialog is not running";
    }
    return pDialog;
}

void DemoHarness::script_end() {
    m_host.script_key(VK_ESCAPE);
    m_host.script_call([this](host::HeadlessHost&) {
        if (CDemoDialog* pDialog = m_app.Dialog()) {
            ADD_FAILURE() << "Escape did not end the demo";
            pDialog->EndDialog(IDABORT);
        }
    });
}

int DemoHarness::run() {
    std::string error;
    if (!prepare_afx_demo(m_host, &error)) {
        ADD_FAILURE() << error;
        return -1;
    }
    // A run starts with an empty queue, as a new process would: the last run's dialog, the
    // application's main window, left a WM_QUIT behind when it was destroyed.
    MSG stale;
    while (::PeekMessageA(&stale, NULL, 0, 0, PM_REMOVE)) {
    }
    return AfxWinMain();
}

std::string DemoHarness::snapshot(const std::string& name) const {
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "afxdemo";
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    const std::string path = (folder / (name + ".png")).string();
    return m_host.write_png(path) ? path : std::string();
}

namespace {

const UINT kControls[] = {IDC_DEMO_TITLE, IDC_DEMO_ICON, IDC_DEMO_COUNTER, IDC_DEMO_PAUSE,
                          IDC_DEMO_RESET, IDC_DEMO_STEP, IDC_DEMO_HINT,    IDOK};

}  // namespace

const DemoLayout& DemoHarness::layout() {
    static const DemoLayout s_layout = [] {
        DemoLayout layout;
        DemoHarness probe{ProbeTag{}};
        probe.host().script_call([&](host::HeadlessHost&) {
            CDemoDialog* pDialog = probe.dialog();
            if (pDialog == nullptr) {
                return;
            }
            pDialog->GetWindowRect(&layout.dialog);
            pDialog->GetClientRect(&layout.client);
            pDialog->ClientToScreen(&layout.client);
            for (const UINT nID : kControls) {
                if (CWnd* pControl = pDialog->GetDlgItem(static_cast<int>(nID))) {
                    CRect rc;
                    pControl->GetWindowRect(&rc);
                    layout.controls[nID] = rc;
                }
            }
        });
        probe.script_end();
        probe.run();
        return layout;
    }();
    return s_layout;
}

}  // namespace test
