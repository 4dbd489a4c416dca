// CDemoApp.cpp: the demo's application object: its start-up runs the demo dialog modally.
#include "tests/afxdemo/CDemoApp.h"

#include "tests/afxdemo/CDemoDialog.h"

CDemoApp::CDemoApp() : CWinApp("afx-demo") {}

BOOL CDemoApp::InitInstance() {
    CDemoDialog dlg;
    m_pMainWnd = &dlg;
    m_pDialog = &dlg;
    m_nDialogResult = static_cast<int>(dlg.DoModal());
    m_pDialog = nullptr;
    m_pMainWnd = nullptr;
    return FALSE;
}

int CDemoApp::ExitInstance() {
    // The base returns the wParam of the last message pumped, which after a modal dialog is
    // whatever ended it (the Escape key's code, say); the demo's code says only whether it ran.
    CWinApp::ExitInstance();
    return m_nDialogResult == -1 ? 1 : 0;
}
