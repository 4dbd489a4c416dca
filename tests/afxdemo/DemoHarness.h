// DemoHarness.h: runs the demo once on a headless host with a script, and the demo's layout
// on the screen, learnt from a first run.
#pragma once

#include "platform/afx/afxwin.h"
#include "platform/host/headless/HeadlessHost.h"
#include "tests/afxdemo/CDemoApp.h"

#include <map>
#include <string>

class CDemoDialog;

namespace test {

// Screen rectangles of the dialog and of its controls by id.
struct DemoLayout {
    CRect dialog;
    CRect client;  // the dialog's client area on the screen
    std::map<UINT, CRect> controls;
    CPoint center_of(UINT nID) const;
};

class DemoHarness {
public:
    // Learns the layout first, so that no run starts inside another.
    DemoHarness();
    ~DemoHarness();

    host::HeadlessHost& host() { return m_host; }
    CDemoApp& app() { return m_app; }
    // The dialog while the demo runs; fails the test and returns NULL after it ended.
    CDemoDialog* dialog();

    // Queues Escape and, should the demo still run afterwards, ends it and fails the test.
    void script_end();
    // Runs the demo to its end; the program's exit code, -1 when it could not start.
    int run();

    // The screen's pixel in COLORREF layout.
    COLORREF pixel(CPoint pt) const { return m_host.colorref_at(pt.x, pt.y); }
    // Writes the last frame under the test temporary folder; the path written, empty if not.
    std::string snapshot(const std::string& name) const;

    // The layout of the demo, from one run made the first time it is asked for.
    static const DemoLayout& layout();

private:
    struct ProbeTag {};
    explicit DemoHarness(ProbeTag) {}

    host::HeadlessHost m_host;
    CDemoApp m_app;
};

}  // namespace test
